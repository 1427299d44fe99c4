#include <gtest/gtest.h>

#include <QClipboard>

#include "areas/integral.h"
#include "support/gui_helpers.h"
#include "tools/area_window.h"
#include "tools/intersection_window.h"

namespace kw {
namespace {

using namespace test;

// The running program with "x^3" drawn from 0 to 20 and the analysis panel shown.
class CalculatorWindows : public RunningApp {
protected:
    void SetUp() override
    {
        RunningApp::SetUp();
        run(&app.mainPanel(), {{{{"Eingabe", "x^3"}, {"x_eingabe", "0"}}, "Zeichnen_button", {}}});
        app.showAnalysisPanel(true);
    }
    int shadingLines()
    {
        int n = 0;
        for (const auto& it : app.context().plane.items())
            n += it.kind == Plane::Kind::Line && it.colour == kAreaDefault;
        return n;
    }
};

TEST_F(CalculatorWindows, IntersectionCalculatorListsTheCrossingsAndLeavesTheTermBox)
{
    click(app.analysisPanel(), "Schnittpunkt_butt");
    QWidget* w = app.intersectionCalculator();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(visibleWindowsNamed("Form8"), 1);
    EXPECT_EQ(w->windowTitle(), "Schnittstellen Rechner");
    for (const char* term : {"x^2", "2x"}) {
        type(w, {{"Eingabe_Term_txt", term}});
        QTest::keyClick(child<QLineEdit>(w, "Eingabe_Term_txt"), Qt::Key_Return);
    }
    click(w, "Zeichnen_butt");
    run(w, {{{}, "Schnittpunkte_butt",
             {{"Eingabe_Zahl_Label", "3"},
              {"Eingegebene_Label", "Eingegebene Funktionen:\nf1(x) = x^2\nf2(x) = 2x"},
              {"Schnittpunkte_txt", "Gefundene Schnittpunkte:\n\nf2(x) schneidet f1(x) in SP (0|0)\n\n"
                                    "f2(x) schneidet f1(x) in SP (2|4)\n"},
              {"Form1/Eingabe", "x^3"}}}});
    click(w, "Eingabe_button");  // "2x" again
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Diese Funktion ist bereits eingegeben"});

    // Closed and opened again: the entries are still there and listed.
    w->close();
    click(app.analysisPanel(), "Schnittpunkt_butt");
    expectTexts(w, {{"Eingabe_Zahl_Label", "3"}});
}

TEST_F(CalculatorWindows, AreaWindowComputesShadesAndDrawsThroughTheMainPanel)
{
    click(app.analysisPanel(), "Integral_Rechner_butt");
    QWidget* w = app.areaCalculator();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "Integral_Rechner");
    // Loaded from the main panel: its term and the range of the last drawing.
    expectTexts(w, {{"Funktion_eingabe", "x^3"}, {"Untergrenze_eingabe", "0"}, {"Obergrenze_eingabe", "20"}});
    // The integral sign is drawn: black on white.
    const QImage sign = child<QWidget>(w, "Picture1")->grab().toImage();
    EXPECT_EQ(sign.size(), QSize(53, 91));
    const int black = countPixels(sign, sign.rect(), [](QColor c) { return c.value() < 60; });
    EXPECT_GT(black, 150);
    EXPECT_LT(black, 53 * 91 / 3);

    run(w, {{{{"Form1/x_eingabe", "-20"}, {"Funktion_eingabe", "x^2"}, {"Obergrenze_eingabe", "3"}},
             "Flaeche_einfaerben_click", {{"Flaeche_Ergebnis", "9"}, {"Form1/Eingabe", "x^2"}}}});
    EXPECT_EQ(shadingLines(), 30);
    click(w, "Flaeche_einfaerben_click");
    EXPECT_EQ(shadingLines(), 0);

    // The lower calculator leaves the main panel's term alone; a bound chosen
    // from the crossings is used by the next computation of the pair.
    run(w, {{{{"f_x_Eingabe_txt", "x^2"}, {"g_x_Eingabe_txt", "2x"}}, "Integral_Berechnen_SP_butt",
             {{"Laben_Schnitt_f_g", "f(x) schneidet g(x) in SP (0|0)\nf(x) schneidet g(x) in SP (2|4)\n"},
              {"SP_Untergrenze_txt", "0"}, {"SP_Obergrenze_txt", "2"},
              {"Funktion_eingabe_SP", "x^2-(2x)"}, {"Schnitt_Flaeche_Ergebniss", "-1,333333"},
              {"Form1/Eingabe", "x^2"}}}});
    auto* low = child<QComboBox>(w, "SP_Untergrenze_txt");
    EXPECT_EQ(low->count(), 2);
    low->setCurrentIndex(1);
    run(w, {{{{"SP_Obergrenze_txt", "3"}}, "Integral_Berechnen_SP_butt",
             {{"Schnitt_Flaeche_Ergebniss", "1,333333"}}}});

    // A message box finds the fields showing what was computed; a long value
    // shows its start and is copied whole.
    QString shownThen;
    ui.onMessage = [&] { shownThen = textOf(child(w, "Funktion_eingabe_SP")); };
    run(w, {{{{"g_x_Eingabe_txt", "1/x"}}, "Integral_Berechnen_SP_butt", {}}});
    EXPECT_EQ(ui.messages.back(), kOneCrossingMessage);
    EXPECT_EQ(shownThen, "x^2-(1/x)");
    ui.onMessage = nullptr;
    run(w, {{{{"SP_Untergrenze_txt", "-1"}, {"SP_Obergrenze_txt", "1"}}, "Integral_Berechnen_SP_butt",
             {{"Schnitt_Flaeche_Ergebniss", ""}}},
            {{{"Obergrenze_eingabe", "20"}}, "Integral_Berechnen_Butt",
             {{"Flaeche_Ergebnis", "2666,666667"}, {"Flaecheninhalt_Ergebnis", "2666,666667"}}}});
    EXPECT_EQ(ui.messages.back(),
              "Das Integral existiert nicht: g(x) hat bei x = 0 eine Polstelle.");
    auto* ergebnis = child<QLineEdit>(w, "Flaeche_Ergebnis");
    EXPECT_EQ(ergebnis->cursorPosition(), 0);
    EXPECT_GE(ergebnis->width(), ergebnis->fontMetrics().horizontalAdvance(ergebnis->text()));
    EXPECT_EQ(ergebnis->toolTip(), "2666,666667");
    ergebnis->setFocus();
    QTest::keyClick(ergebnis, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "2666,666667");

    // Closed and opened again, it loads afresh.
    w->close();
    click(app.analysisPanel(), "Integral_Rechner_butt");
    expectTexts(w, {{"Funktion_eingabe", "x^2"}, {"Untergrenze_eingabe", "-20"}});
}

}  // namespace
}  // namespace kw
