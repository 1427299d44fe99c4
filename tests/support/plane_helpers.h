#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/context.h"
#include "core/plane.h"
#include "panel/main_panel.h"
#include "support/recording_ui.h"

namespace kw::test {

// A drawn segment back in world coordinates of the plane's current mapping.
struct WorldLine {
    double x1, y1, x2, y2;
    Rgb colour;
    int width;
};

inline std::vector<WorldLine> worldLines(const Plane& p, Rgb colour)
{
    std::vector<WorldLine> out;
    for (const auto& it : p.items())
        if (it.kind == Plane::Kind::Line && it.colour == colour)
            out.push_back({p.worldX(it.x1), p.worldY(it.y1), p.worldX(it.x2), p.worldY(it.y2),
                           it.colour, it.width});
    return out;
}

inline std::vector<std::pair<double, double>> worldPoints(const Plane& p, Rgb colour)
{
    std::vector<std::pair<double, double>> out;
    for (const auto& it : p.items())
        if (it.kind == Plane::Kind::Point && it.colour == colour)
            out.emplace_back(p.worldX(it.x1), p.worldY(it.y1));
    return out;
}

// The main panel's fields typed into and "Zeichnen" pressed.
inline void drawTerm(Context& c, const std::string& term, const char* from = "-20",
                     const char* to = "20")
{
    c.state.main.x_eingabe = from;
    c.state.main.y_eingabe = to;
    c.state.main.Eingabe = term;
    drawFromPanel(c);
}

// The program's logic as at start-up, without windows: the main panel loaded.
class PanelFixture : public ::testing::Test {
protected:
    RecordingUi ui;
    Context c{ui};

    void SetUp() override { mainPanelLoad(c); }
    // Returns the graph's segments (in the default red).
    std::vector<WorldLine> draw(const std::string& term, const char* from = "-20",
                                const char* to = "20")
    {
        drawTerm(c, term, from, to);
        return graph();
    }
    std::vector<WorldLine> graph() const { return worldLines(c.plane, rgb(200, 0, 0)); }
    // Draws the term over the range, presses a search button and gives the one
    // message it shows.
    std::string press(void (*button)(Context&), const std::string& term,
                      const char* from = "-20", const char* to = "20")
    {
        drawTerm(c, term, from, to);
        ui.messages.clear();
        button(c);
        EXPECT_EQ(ui.messages.size(), 1u) << term;
        return ui.messages.empty() ? "" : ui.messages.back();
    }
};

}  // namespace kw::test
