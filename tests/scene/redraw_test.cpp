#include <gtest/gtest.h>

#include <utility>

#include "panel/analysis_panel.h"
#include "plane/mouse.h"
#include "plane/picture_size.h"
#include "scene/redraw.h"
#include "support/plane_helpers.h"

using namespace kw;

namespace {

class RangeRefused : public test::PanelFixture {
protected:
    // What the plane and the term list hold before the refused action.
    std::size_t items = 0;
    std::vector<std::string> list;

    void SetUp() override
    {
        PanelFixture::SetUp();
        draw("x^2");
        ui.messages.clear();
    }
    void typeRange(const char* from, const char* to)
    {
        c.state.main.x_eingabe = from;
        c.state.main.y_eingabe = to;
        items = c.plane.items().size();
        list = c.state.main.EingabeListe;
    }
    // The one message, and the picture as it was.
    void expectRefused(const std::string& what)
    {
        EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(kRangeMessage)}) << what;
        EXPECT_EQ(c.plane.items().size(), items) << what;
        EXPECT_EQ(c.plane.width(), 1200) << what;
        ui.messages.clear();
    }
};

// Every redraw with a range the plane cannot show says so once per action,
// draws nothing and keeps the term out of the list; the fields keep what was typed.
// The switches of the analysis panel share one handler: two of them stand for all.
TEST_F(RangeRefused, EveryRedrawSaysItOnce)
{
    const std::tuple<const char*, const char*, const char*, std::function<void()>> actions[] = {
        {"Zeichnen", "-1000000", "20", [&] { drawFromPanel(c); }},
        {"Zeichnen", "-20", "32768", [&] { drawFromPanel(c); }},
        {"Zeichnen", "abc", "20", [&] { drawFromPanel(c); }},
        {"Zeichnen", "-20", "", [&] { drawFromPanel(c); }},
        {"Erste Ableitung", "-20", "1e6", [&] { erste_Ableitung_click(c); }},
        {"Tangente", "-20", "1e6", [&] { tangente_click(c); }},
        {"Tangente bewegen", "-20", "1e6", [&] { stepTangent(c, 1); }},
        {"Reset", "-20", "1e6", [&] { reset(c); }},
        {"Mausrad", "-20", "1e6", [&] { MouseWheel(c, 120); }},
        {"Grafik-Größe", "-20", "1e6", [&] { MenuGroesse_Click(c, 2, [](int, int) { return true; }); }},
    };
    for (const auto& [what, from, to, action] : actions) {
        typeRange(from, to);
        c.state.main.Eingabe = "x";
        action();
        expectRefused(std::string(what) + " " + from + " " + to);
        EXPECT_EQ(c.state.main.EingabeListe, list);
        EXPECT_EQ(c.state.main.x_eingabe, from);
        EXPECT_EQ(c.state.main.y_eingabe, to);
    }
    // The wheel changed nothing it would have to undo: the next notch with a
    // usable range zooms from where the picture was.
    typeRange("-20", "20");
    MouseWheel(c, 120);
    EXPECT_EQ(c.plane.width(), 1320);
    typeRange("-32768", "32767");  // the ends of the range are fine
    drawFromPanel(c);
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace

using RedrawReads = test::PanelFixture;

// A redraw reads the range fields once and normalizes the term once, however
// many curves it draws: "Zeichnen" and the wheel, with every overlay switched on,
// for an ordinary, a root, a piecewise and a family term.
TEST_F(RedrawReads, RangeAndTermOncePerRedraw)
{
    struct Row {
        const char* term;
        bool section;
    };
    const Row rows[] = {{"x^3-2x", false}, {"sqr(x)", false}, {"x^2", true}, {"x^2+@", false}};
    OverlayState& o = c.state.overlays;
    o.ableitungs_test = o.zweite_ableitungs_test = o.dritte_ableitungs_test = true;
    o.tangente_test = o.Umkehrfunktion_test = true;
    c.state.areas.Flaeche_einferben_Check = true;
    c.state.areas.Untergrenze = 0;
    c.state.areas.Obergrenze = 2;
    for (const Row& row : rows) {
        o.ad_funktion_test = row.section;
        c.state.bridge.Brueck_zeichnen = true;
        c.state.main.Eingabe = row.term;
        ui.answers = {"0", "1", "1"};
        for (int wheel = 0; wheel < 2; ++wheel) {
            c.reads = {};
            c.plane.clear();
            if (wheel)
                MouseWheel(c, 120);
            else
                drawFromPanel(c);
            EXPECT_EQ(c.reads.ranges, 1) << row.term << " wheel " << wheel;
            EXPECT_EQ(c.reads.normalizations, 1) << row.term << " wheel " << wheel;
            EXPECT_GT(c.plane.items().size(), 100u) << row.term;
        }
    }
}
