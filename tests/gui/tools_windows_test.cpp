#include <gtest/gtest.h>

#include "support/gui_helpers.h"
#include "tools/about.h"
#include "tools/about_window.h"
#include "tools/area_window.h"
#include "tools/bridge_window.h"
#include "tools/intersection_window.h"
#include "tools/calculator.h"
#include "tools/calculator_window.h"
#include "tools/help.h"
#include "tools/help_dialog.h"

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
    // Return evaluates what was typed; a key appends to it.
    run(t, {{{}, "Command1", {{"Eingabe", "sin(3.14159265358979/2)"}, {"Ergebnis", "1"}}},
            {{{"Eingabe", "2,5*2"}}, nullptr, {}}});
    QTest::keyClick(child(t, "Eingabe"), Qt::Key_Return);
    EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(kInputErrorMessage)});
    run(t, {{{}, "Button_wurzel", {{"Eingabe", "2,5*2sqr("}}},
            {{}, "Command2", {{"Eingabe", ""}, {"Ergebnis", ""}}}});

    app.analysisPanel()->close();
    EXPECT_FALSE(t->isVisible());  // it closes with the analysis panel
}

TEST_F(ToolsWindows, EscClosesEveryToolWindowButNeitherPanelNorPlaneAndEnterComputes)
{
    app.showAnalysisPanel(true);
    app.openCalculator();
    app.Schnittstellen_Rechner();
    app.Integral_Rechner();
    app.Haengebruecken_Rechner();
    for (QWidget* tool : std::initializer_list<QWidget*>{app.calculator(), app.intersectionCalculator(),
                                                    app.areaCalculator(), app.bridge()}) {
        tool->show();
        tool->activateWindow();
        QTest::keyClick(tool, Qt::Key_Escape);
        EXPECT_FALSE(tool->isVisible()) << tool->windowTitle().toStdString();
    }
    for (QWidget* panel : {static_cast<QWidget*>(&app.mainPanel()),
                           static_cast<QWidget*>(&app.drawingWindow())}) {
        QTest::keyClick(panel, Qt::Key_Escape);
        EXPECT_TRUE(panel->isVisible());
    }

    // Enter in the integral's bounds computes; Tab goes lower bound, upper bound, integrand.
    QWidget* t = app.areaCalculator();
    t->show();
    type(t, {{"Funktion_eingabe", "2"}, {"Untergrenze_eingabe", "0"}, {"Obergrenze_eingabe", "3"}});
    auto* low = child(t, "Untergrenze_eingabe");
    QTest::keyClick(low, Qt::Key_Return);
    expectTexts(t, {{"Flaeche_Ergebnis", "6"}});
    EXPECT_EQ(low->nextInFocusChain(), child(t, "Obergrenze_eingabe"));
    EXPECT_EQ(low->nextInFocusChain()->nextInFocusChain(), child(t, "Funktion_eingabe"));
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
    EXPECT_TRUE(child<QLabel>(help, "Titel_lab")->font().bold());
    auto* text = child<QLabel>(help, "Text_lab");
    EXPECT_EQ(text->text().toStdString(), helpText());
    EXPECT_EQ(text->text().split("\r\n").size(), 19);
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
    EXPECT_EQ(app.drawingWindow().windowIcon().cacheKey(), icon.cacheKey());
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
    QFile script(dir.filePath("kinfocenter"));
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(QStringLiteral("#!/bin/sh\n: > '%1'\n").arg(marker).toLocal8Bit());
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::ExeOwner);
    click(app.info(), "cmdSysInfo");
    qputenv("PATH", oldPath);
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(marker); }, 10000));
}

}  // namespace
}  // namespace kw
