#include <gtest/gtest.h>

#include <QClipboard>
#include <QPlainTextEdit>

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
        mainField<QComboBox>("Eingabe")->setEditText("x^3");
        mainField<QLineEdit>("x_eingabe")->setText("0");
        click(&app.mainPanel(), "Zeichnen_button");
        app.showAnalysisPanel(true);
    }
    template <class W>
    W* mainField(const char* name)
    {
        return child<W>(&app.mainPanel(), name);
    }
    QString mainTerm() { return mainField<QComboBox>("Eingabe")->currentText(); }
    void type(QWidget* window, const char* field, const QString& text)
    {
        auto* f = child<QLineEdit>(window, field);
        f->clear();
        QTest::keyClicks(f, text);
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
    QWidget* button = child<QWidget>(app.analysisPanel(), "Schnittpunkt_butt");
    EXPECT_TRUE(button->isEnabled());
    click(app.analysisPanel(), "Schnittpunkt_butt");
    QWidget* w = app.intersectionCalculator();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(visibleWindowsNamed("Form8"), 1);
    EXPECT_EQ(w->windowTitle(), "Schnittstellen Rechner");

    for (const char* term : {"x^2", "2x"}) {
        type(w, "Eingabe_Term_txt", term);
        QTest::keyClick(child<QLineEdit>(w, "Eingabe_Term_txt"), Qt::Key_Return);
    }
    EXPECT_EQ(child<QLabel>(w, "Eingabe_Zahl_Label")->text(), "3");
    EXPECT_EQ(child<QLabel>(w, "Eingegebene_Label")->text(),
              "Eingegebene Funktionen:\nf1(x) = x^2\nf2(x) = 2x");
    click(w, "Zeichnen_butt");
    click(w, "Schnittpunkte_butt");
    EXPECT_EQ(child<QPlainTextEdit>(w, "Schnittpunkte_txt")->toPlainText(),
              "Gefundene Schnittpunkte:\n\nf2(x) schneidet f1(x) in SP (0|0)\n\n"
              "f2(x) schneidet f1(x) in SP (2|4)\n");
    EXPECT_EQ(mainTerm(), "x^3");
    click(w, "Eingabe_button");  // "2x" again
    EXPECT_EQ(ui.messages, std::vector<std::string>{"Diese Funktion ist bereits eingegeben"});

    // Closed and opened again: the entries are still there and listed.
    w->close();
    click(app.analysisPanel(), "Schnittpunkt_butt");
    EXPECT_EQ(child<QLabel>(w, "Eingabe_Zahl_Label")->text(), "3");
}

TEST_F(CalculatorWindows, AreaWindowComputesShadesAndDrawsThroughTheMainPanel)
{
    EXPECT_TRUE(child<QWidget>(app.analysisPanel(), "Integral_Rechner_butt")->isEnabled());
    click(app.analysisPanel(), "Integral_Rechner_butt");
    QWidget* w = app.areaCalculator();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "Integral_Rechner");
    // Loaded from the main panel: its term and the range of the last drawing.
    EXPECT_EQ(child<QLineEdit>(w, "Funktion_eingabe")->text(), "x^3");
    EXPECT_EQ(child<QLineEdit>(w, "Untergrenze_eingabe")->text(), "0");
    EXPECT_EQ(child<QLineEdit>(w, "Obergrenze_eingabe")->text(), "20");
    // The integral sign is drawn: black on white.
    const QImage sign = child<QWidget>(w, "Picture1")->grab().toImage();
    EXPECT_EQ(sign.size(), QSize(53, 91));
    const int black = countPixels(sign, sign.rect(), [](QColor c) { return c.value() < 60; });
    EXPECT_GT(black, 150);
    EXPECT_LT(black, 53 * 91 / 3);

    mainField<QLineEdit>("x_eingabe")->setText("-20");
    type(w, "Funktion_eingabe", "x^2");
    type(w, "Obergrenze_eingabe", "3");
    click(w, "Flaeche_einfaerben_click");
    EXPECT_EQ(child<QLineEdit>(w, "Flaeche_Ergebnis")->text(), "9");
    EXPECT_EQ(mainTerm(), "x^2");
    EXPECT_EQ(shadingLines(), 30);
    click(w, "Flaeche_einfaerben_click");
    EXPECT_EQ(shadingLines(), 0);

    // The lower calculator leaves the main panel's term alone.
    type(w, "f_x_Eingabe_txt", "x^2");
    type(w, "g_x_Eingabe_txt", "2x");
    click(w, "Integral_Berechnen_SP_butt");
    EXPECT_EQ(child<QPlainTextEdit>(w, "Laben_Schnitt_f_g")->toPlainText(),
              "f(x) schneidet g(x) in SP (0|0)\nf(x) schneidet g(x) in SP (2|4)\n");
    auto* low = child<QComboBox>(w, "SP_Untergrenze_txt");
    EXPECT_EQ(low->count(), 2);
    EXPECT_EQ(low->currentText(), "0");
    EXPECT_EQ(child<QComboBox>(w, "SP_Obergrenze_txt")->currentText(), "2");
    EXPECT_EQ(child<QLineEdit>(w, "Funktion_eingabe_SP")->text(), "x^2-(2x)");
    EXPECT_EQ(child<QLineEdit>(w, "Schnitt_Flaeche_Ergebniss")->text(), "-1,333333");
    EXPECT_EQ(mainTerm(), "x^2");

    // A bound chosen from the list is used by the next computation of the pair.
    low->setCurrentIndex(1);
    child<QComboBox>(w, "SP_Obergrenze_txt")->setEditText("3");
    click(w, "Integral_Berechnen_SP_butt");
    EXPECT_EQ(child<QLineEdit>(w, "Schnitt_Flaeche_Ergebniss")->text(), "1,333333");

    // A message box finds the fields showing what was computed; a long value
    // shows its start and is copied whole.
    QString shownThen;
    ui.onMessage = [&] { shownThen = child<QLineEdit>(w, "Funktion_eingabe_SP")->text(); };
    type(w, "g_x_Eingabe_txt", "1/x");
    click(w, "Integral_Berechnen_SP_butt");
    EXPECT_EQ(ui.messages.back(), kOneCrossingMessage);
    EXPECT_EQ(shownThen, "x^2-(1/x)");
    ui.onMessage = nullptr;
    child<QComboBox>(w, "SP_Untergrenze_txt")->setEditText("-1");
    child<QComboBox>(w, "SP_Obergrenze_txt")->setEditText("1");
    click(w, "Integral_Berechnen_SP_butt");
    EXPECT_EQ(ui.messages.back(), "Das Integral existiert nicht: g(x) hat bei x = 0 eine Polstelle.");
    EXPECT_EQ(child<QLineEdit>(w, "Schnitt_Flaeche_Ergebniss")->text(), "");
    type(w, "Obergrenze_eingabe", "20");
    click(w, "Integral_Berechnen_Butt");
    auto* ergebnis = child<QLineEdit>(w, "Flaeche_Ergebnis");
    EXPECT_EQ(ergebnis->text(), "2666,666667");
    EXPECT_EQ(child<QLineEdit>(w, "Flaecheninhalt_Ergebnis")->text(), "2666,666667");
    EXPECT_EQ(ergebnis->cursorPosition(), 0);
    EXPECT_GE(ergebnis->width(), ergebnis->fontMetrics().horizontalAdvance(ergebnis->text()));
    EXPECT_EQ(ergebnis->toolTip(), "2666,666667");
    ergebnis->setFocus();
    QTest::keyClick(ergebnis, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "2666,666667");

    // Closed and opened again, it loads afresh.
    w->close();
    click(app.analysisPanel(), "Integral_Rechner_butt");
    EXPECT_EQ(child<QLineEdit>(w, "Funktion_eingabe")->text(), "x^2");
    EXPECT_EQ(child<QLineEdit>(w, "Untergrenze_eingabe")->text(), "-20");
}

}  // namespace
}  // namespace kw
