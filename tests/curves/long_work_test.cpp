#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "analysis/value_table.h"
#include "curves/graph.h"
#include "curves/sampling.h"
#include "panel/main_panel.h"
#include "support/plane_helpers.h"
#include "support/stopping_ui.h"
#include "tools/area_calculator.h"
#include "tools/intersection_calculator.h"

using namespace kw;
using namespace kw::test;

namespace {

constexpr Rgb kRot = rgb(200, 0, 0), kBlau = rgb(0, 0, 139);

// "x+x-x+x-…", which is x, padded with blanks to n characters as typed.
std::string typed(std::size_t n)
{
    std::string t = "x";
    while (t.size() + 4 <= n)
        t += "+x-x";
    t.resize(n, ' ');
    return t;
}

class LongWork : public SearchTest {
protected:
    std::size_t lines(Rgb colour) const { return worldLines(c.plane, colour).size(); }
    void draw(const std::string& term) { drawTerm(c, term, "-5", "5"); }
};

TEST_F(LongWork, TermsBeyondTwoThousandCharactersAreRefusedAsTyped)
{
    c.state.overlays.ableitungs_test = c.state.overlays.tangente_test = c.state.overlays.Umkehrfunktion_test = true;
    draw(typed(2001));
    EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(kTermTooLongMessage)});
    EXPECT_TRUE(c.drawing.termRefused);
    for (Plane::Item it : c.plane.items())  // the axes and their labels, no curve
        EXPECT_TRUE(it.width == 1 || it.kind == Plane::Kind::Text);
    EXPECT_FALSE(Werte_Tabelle(c).has_value());
    EXPECT_EQ(ui.messages.size(), 2u);

    // The limit counts what was typed: blanks count, umlauts are one character,
    // and the rewriting may make the term longer.
    ui.messages.clear();
    draw(typed(2000));
    EXPECT_GT(lines(kRot), 0u);
    EXPECT_GT(lines(kBlau), 0u);
    draw(typed(1998) + "ä");  // 2001 bytes
    EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(kSyntaxMessage)});
    ui.messages.clear();
    std::string euler;
    while (euler.size() < 2000)
        euler += "+e";
    draw(euler);  // six times as long once rewritten
    EXPECT_TRUE(ui.messages.empty());

    // The calculators refuse them where they take them in.
    IntersectionFields schnittstellen;
    schnittstellen.Eingabe_Term_txt = typed(2001);
    EXPECT_FALSE(Eingabe_button_Click(c, schnittstellen));
    AreaFields flaeche;
    flaeche.Funktion_eingabe = typed(2001);
    EXPECT_FALSE(Integral_Berechnen_Butt_Click(c, flaeche));
    c.state.areas.f_x_Eingabe_txt = "x";
    c.state.areas.g_x_Eingabe_txt = typed(2001);
    Integral_Berechnen_SP_butt_Click(c, flaeche);
    EXPECT_EQ(ui.messages, std::vector<std::string>(3, std::string(kTermTooLongMessage)));
    EXPECT_TRUE(c.state.intersections.Schnittstellen_Terme.empty());
}

TEST_F(LongWork, EscStopsTheWholeRedrawAndQuickDrawingsNeverAsk)
{
    c.pacer.setProgressAfter({});
    c.state.overlays.ableitungs_test = true;
    ui.stopAfter = 2;  // Esc at the third look up, after 32 samples of f
    draw("x");
    const auto stopped = worldLines(c.plane, kRot);
    ASSERT_FALSE(stopped.empty());
    EXPECT_NEAR(stopped.back().x2, -5 + 31 * 0.02, 1e-3);
    EXPECT_EQ(lines(kBlau), 0u);  // f' is not begun
    EXPECT_EQ(ui.status[2], kDrawingCancelled);
    EXPECT_EQ(ui.ended, 1);
    EXPECT_TRUE(ui.messages.empty());

    ui.stopAfter = -1;
    draw("x");
    EXPECT_EQ(lines(kRot), 499u);
    EXPECT_GT(lines(kBlau), 0u);
    EXPECT_EQ(ui.status[2], "");

    // Quick drawings never ask; value tables stop where they got.
    c.pacer.setProgressAfter(std::chrono::hours(1));
    ui.ended = 0;
    ui.asked = 0;
    ui.stopAfter = 1000;  // counts the questions
    draw("x^2");
    EXPECT_EQ(std::pair(ui.asked, ui.ended), std::pair(0, 0));

    c.pacer.setProgressAfter({});
    ui.stopAfter = 1;  // after the columns 0 to -15
    std::tie(c.state.picture.X, c.state.picture.Y) = std::pair(-100.0, 100.0);
    const auto table = Werte_Tabelle(c);
    ASSERT_TRUE(table.has_value());
    EXPECT_EQ(table->fNegative.xs.size(), 16u);
    EXPECT_TRUE(table->fPositive.xs.empty());
    EXPECT_EQ(ui.status[2], kTableCancelled);
}

}  // namespace
