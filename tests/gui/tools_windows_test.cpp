#include <gtest/gtest.h>

#include <QClipboard>
#include <QInputDialog>
#include <QPushButton>
#include <QTimer>

#include "areas/integral.h"
#include "support/files.h"
#include "support/gui_helpers.h"
#include "tools/about.h"
#include "tools/about_window.h"
#include "tools/area_window.h"
#include "tools/bridge_window.h"
#include "tools/calculator_window.h"
#include "tools/help.h"
#include "tools/help_dialog.h"
#include "tools/intersection_window.h"

namespace kw {
namespace {

using namespace test;

using ToolsWindows = test::RunningApp;

TEST_F(ToolsWindows, CalculatorOpensFromTheAnalysisPanelAndEvaluates)
{
    app.showAnalysisPanel(true);
    click(app.analysisPanel(), "TaschenRechner_button");
    click(app.analysisPanel(), "TaschenRechner_button");
    QWidget* t = app.calculator();
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(visibleWindowsNamed("Taschenrechner"), 1);
    for (auto name : {"button_sinus", "Pi_button", "Button_Division", "Button_2",
                      "Button_Klammer_rechts"})
        click(t, name);
    // A key appends to what was typed.
    run(t, {{{}, "Command1", {{"Eingabe", "sin(3.14159265358979/2)"}, {"Ergebnis", "1"}}},
            {{{"Eingabe", "2,5*2"}}, "Button_wurzel", {{"Eingabe", "2,5*2sqr("}}},
            {{}, "Command2", {{"Eingabe", ""}, {"Ergebnis", ""}}}});

    app.analysisPanel()->close();
    EXPECT_FALSE(t->isVisible());  // it closes with the analysis panel
}

TEST_F(ToolsWindows, KeysTypedDuringASearchSayHowToStopIt)
{
    std::vector<QString> shown;
    QObject::connect(&ui, &QtUi::statusChanged, [&](int panel, const QString& text) {
        if (panel == kSearchHintPanel)
            shown.push_back(text);
    });
    ui.searchStarted();
    QTest::keyClick(&app.mainPanel(), Qt::Key_A);
    QTest::keyClick(&app.mainPanel(), Qt::Key_B);
    ui.searchEnded();
    EXPECT_EQ(shown, (std::vector<QString>{QString::fromUtf8(kSearchKeysHint.data(), kSearchKeysHint.size()), QString()}));
}

TEST_F(ToolsWindows, HelpIsOneWindowWithTheWholeText)
{
    const auto& menu = app.drawingWindow().menu();
    menu.inputSyntax->trigger();
    menu.inputSyntax->trigger();
    HelpDialog* help = app.help();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(visibleWindowsNamed("Dialog"), 1);
    EXPECT_EQ(help->windowTitle(), "Name des Dialogfeldes");
    auto* text = child<QLabel>(help, "Text_lab");
    EXPECT_EQ(text->text().toStdString(), helpText());
    // Nothing cut off: the label has the height its wrapped text needs.
    ASSERT_TRUE(QTest::qWaitForWindowExposed(help));
    EXPECT_GE(text->height(), text->heightForWidth(text->width()));
    EXPECT_LE(text->geometry().bottom(), help->height());
    click(help, "OKButton");
    EXPECT_FALSE(help->isVisible());
}

TEST_F(ToolsWindows, AboutIsOneWindowWithVersionAndTheProgramIcon)
{
    app.drawingWindow().menu().info->trigger();
    app.drawingWindow().menu().info->trigger();
    ASSERT_NE(app.info(), nullptr);
    EXPECT_EQ(visibleWindowsNamed("frmAbout"), 1);
    EXPECT_EQ(app.info()->windowTitle(), "Info zu Kurvenwerk");
    EXPECT_EQ(child<QLabel>(app.info(), "Label1")->text(), "Version 1.8");
    EXPECT_FALSE(child<QLabel>(app.info(), "picIcon")->pixmap().isNull());

    // The icon is drawn from the compiled-in picture (a red curve) at every size.
    const QIcon icon = QApplication::windowIcon();
    for (int size : {16, 32, 64})
        EXPECT_GT(test::redPixels(icon.pixmap(size).toImage()), size / 2) << size;
}

TEST_F(ToolsWindows, SystemInfoStartsAViewerFromPathOrSaysThereIsNone)
{
    QTemporaryDir dir;
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", dir.path().toLocal8Bit());
    app.Info_Butt_Click();
    click(app.info(), "cmdSysInfo");
    EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(kSysInfoFehlt)});

    // A stand-in named like the first viewer searched for leaves its mark.
    const QString marker = dir.filePath("started");
    writeFile(dir.filePath("kinfocenter"), QStringLiteral("#!/bin/sh\n: > '%1'\n").arg(marker).toLocal8Bit());
    QFile::setPermissions(dir.filePath("kinfocenter"), QFile::ReadOwner | QFile::ExeOwner);
    click(app.info(), "cmdSysInfo");
    qputenv("PATH", oldPath);
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(marker); }, 10000));
}

// The running program with "x^3" drawn from 0 to 20 and the analysis panel shown.
class CalculatorWindows : public RunningApp {
protected:
    void SetUp() override
    {
        RunningApp::SetUp();
        run(&app.mainPanel(), {{{{"Eingabe", "x^3"}, {"x_eingabe", "0"}}, "Zeichnen_button", {}}});
        app.showAnalysisPanel(true);
    }
    bool shaded() { return !worldLines(app.context().plane, kAreaDefault).empty(); }
};

TEST_F(CalculatorWindows, IntersectionCalculatorListsTheCrossingsAndLeavesTheTermBox)
{
    click(app.analysisPanel(), "Schnittpunkt_butt");
    QWidget* w = app.intersectionCalculator();
    ASSERT_NE(w, nullptr);
    auto* box = child<QLineEdit>(w, "Eingabe_Term_txt");
    type(w, {{"Eingabe_Term_txt", "x^2"}});
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClicks(box, "2x");  // the entered term stays, selected: typing replaces it
    QTest::keyClick(box, Qt::Key_Return);
    click(w, "Zeichnen_butt");
    run(w, {{{}, "Schnittpunkte_butt",
             {{"Eingabe_Zahl_Label", "3"},
              {"Eingegebene_Label", "Eingegebene Funktionen:\nf1(x) = x^2\nf2(x) = 2x"},
              {"Schnittpunkte_txt", "Gefundene Schnittpunkte:\n\nf2(x) schneidet f1(x) in SP (0|0)\n\n"
                                    "f2(x) schneidet f1(x) in SP (2|4)\n"},
              {"Form1/Eingabe", "x^3"}}}});
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
    // Loaded from the main panel: its term and the range of the last drawing.
    expectTexts(w, {{"Funktion_eingabe", "x^3"}, {"Untergrenze_eingabe", "0"}, {"Obergrenze_eingabe", "20"}});
    // The integral sign is drawn: black on white.
    const QImage sign = child<QWidget>(w, "Picture1")->grab().toImage();
    const int black = countPixels(sign, sign.rect(), [](QColor c) { return c.value() < 60; });
    EXPECT_TRUE(black > 150 && black < sign.width() * sign.height() / 3) << black;

    run(w, {{{{"Form1/x_eingabe", "-20"}, {"Funktion_eingabe", "x^2"}, {"Obergrenze_eingabe", "3"}},
             "Flaeche_einfaerben_click", {{"Flaeche_Ergebnis", "9"}, {"Form1/Eingabe", "x^2"}}}});
    EXPECT_TRUE(shaded());
    click(w, "Flaeche_einfaerben_click");
    EXPECT_FALSE(shaded());

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
    run(w, {{{{"Obergrenze_eingabe", "20"}}, "Integral_Berechnen_Butt",
             {{"Flaeche_Ergebnis", "2666,666667"}, {"Flaecheninhalt_Ergebnis", "2666,666667"}}}});
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

using FamilyAndBridgeWindows = test::RunningApp;

// Confirms every input box that opens, as it stands, and notes its buttons.
struct Answerer {
    QTimer timer;
    int dialogs = 0;
    QStringList buttons;

    Answerer()
    {
        QObject::connect(&timer, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            if (!box)
                return;
            ++dialogs;
            buttons.clear();
            for (auto* b : box->findChildren<QPushButton*>())
                buttons << b->text();
            buttons.sort();
            box->accept();
        });
        timer.start(20);
    }
};

TEST_F(FamilyAndBridgeWindows, AFamilyAsksInGermanAndDrawsEveryMember)
{
    Answerer answerer;
    child<QComboBox>(&app.mainPanel(), "Eingabe")->setEditText(QStringLiteral("x^2+@"));
    click(&app.mainPanel(), "Zeichnen_button");
    EXPECT_EQ(answerer.dialogs, 3);
    EXPECT_EQ(answerer.buttons, (QStringList{"Abbrechen", "OK"}));
    EXPECT_TRUE(ui.messages.empty());  // the defaults were offered and taken
    EXPECT_FALSE(app.context().drawing.familyDrawn.empty());
}

TEST_F(FamilyAndBridgeWindows, BridgeCalculatorDrawsTheCableAndClosesWithTheAnalysisPanel)
{
    app.showAnalysisPanel(true);
    click(app.analysisPanel(), "Bruecken_Rechner_butt");
    BridgeWindow* w = app.bridge();
    ASSERT_NE(w, nullptr);
    run(w, {{{{"Abstand_txt", "100"}, {"Hoehe_txt", "30"}, {"Tiefster_Punkt_txt", "5"}}, "Berechne_CMD",
             {{"a1_Ausgabe", "0,247788873"}, {"c2_Ausgabe", "-0,049557775"}, {"Form1/y_eingabe", "50"}}}});
    const Context& c = app.context();
    EXPECT_EQ(textOf(control("Form1/Eingabe")).toStdString(), c.state.main.Eingabe);

    // The formula is drawn by the window itself: ink on white, wider than high.
    auto* formel = child<QWidget>(w, "Picture1");
    const QImage bild = formel->grab().toImage();
    EXPECT_GT(bild.width(), 2 * bild.height());
    EXPECT_GT(countPixels(bild, bild.rect(), [](QColor p) { return p.lightness() < 100; }), 200);

    app.analysisPanel()->close();
    EXPECT_FALSE(w->isVisible());
    app.showAnalysisPanel(true);
    click(app.analysisPanel(), "Bruecken_Rechner_butt");
    EXPECT_EQ(child<QLineEdit>(w, "Abstand_txt")->text(), "100");  // kept while hidden
}

}  // namespace
}  // namespace kw
