#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "app/app.h"
#include "plane/drawing_window.h"
#include "support/recording_qt_ui.h"
#include "tools/about.h"
#include "tools/about_window.h"
#include "tools/calculator.h"
#include "tools/calculator_window.h"
#include "tools/help.h"
#include "tools/help_dialog.h"

namespace kw {
namespace {

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

int visibleWindowsNamed(const QString& name)
{
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        n += w->isVisible() && w->objectName() == name;
    return n;
}

class ToolsWindows : public ::testing::Test {
protected:
    test::RecordingQtUi ui;
    App app{&ui};

    void TearDown() override { app.end(); }

    template <class W = QPushButton>
    static W* child(QWidget* window, const char* name)
    {
        W* w = window->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void click(QWidget* window, const char* name)
    {
        if (auto* b = child(window, name))
            QTest::mouseClick(b, Qt::LeftButton);
    }
};

TEST_F(ToolsWindows, CalculatorKeysEqualsAndDel)
{
    app.openTaschenrechner();
    app.openTaschenrechner();
    QWidget* t = app.taschenrechner();
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(visibleWindowsNamed(t->objectName()), 1);
    EXPECT_EQ(t->windowTitle(), "Taschenrechner");
    auto* eingabe = child<QLineEdit>(t, "Eingabe");
    auto* ergebnis = child<QLineEdit>(t, "Ergebnis");

    for (auto name : {"button_sinus", "Pi_button", "Button_Division", "Button_2",
                      "Button_Klammer_rechts", "Command1"})
        click(t, name);
    EXPECT_EQ(eingabe->text(), "sin(3.14159265358979/2)");
    EXPECT_EQ(ergebnis->text(), "1");

    // Typed input, Return evaluates; the comma is rejected and the result stays.
    eingabe->clear();
    QTest::keyClicks(eingabe, "2,5*2");
    QTest::keyClick(eingabe, Qt::Key_Return);
    EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(kEingabeFehler)});
    EXPECT_EQ(ergebnis->text(), "1");

    // A key appends after what was typed.
    eingabe->setText("2");
    click(t, "Button_wurzel");
    EXPECT_EQ(eingabe->text(), "2sqr(");

    click(t, "Command2");
    EXPECT_EQ(eingabe->text(), "");
    EXPECT_EQ(ergebnis->text(), "");
    click(t, "Command1");
    EXPECT_EQ(ui.messages.size(), 2u);
}

TEST_F(ToolsWindows, CalculatorCaptionsAndLayout)
{
    app.openTaschenrechner();
    QWidget* t = app.taschenrechner();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(t));
    for (const auto& key : kTaschenrechnerTasten) {
        if (auto* b = child(t, std::string(key.name).c_str())) {
            EXPECT_EQ(b->text(), qs(key.caption));
        }
    }
    EXPECT_EQ(child(t, "Command1")->text(), "=");
    EXPECT_EQ(child(t, "Command2")->text(), "DEL");
    EXPECT_EQ(child<QLabel>(t, "Label3")->text(), qs(kWinkelHinweis));

    auto at = [&](const char* name) { return child<QWidget>(t, name)->geometry(); };
    // Fields side by side, the input the wider one.
    EXPECT_LT(at("Eingabe").right(), at("Ergebnis").left());
    EXPECT_EQ(at("Eingabe").top(), at("Ergebnis").top());
    EXPECT_GT(at("Eingabe").width(), at("Ergebnis").width());
    // Digits 1 2 3 / 4 5 6 / 7 8 9 / 0 . below the fields.
    const char* digits[4][3] = {{"Button_1", "Button_2", "Button_3"},
                                {"Button_4", "Button_5", "Button_6"},
                                {"Button_7", "Button_8", "Button_9"},
                                {"Button_0", "Button_Punkt", nullptr}};
    for (int r = 0; r < 4; ++r)
        for (int col = 0; col < 3 && digits[r][col]; ++col) {
            SCOPED_TRACE(digits[r][col]);
            EXPECT_EQ(at(digits[r][col]).left(), at(digits[0][col]).left());
            EXPECT_EQ(at(digits[r][col]).top(), at(digits[r][0]).top());
            if (r > 0) {
                EXPECT_GT(at(digits[r][0]).top(), at(digits[r - 1][0]).bottom());
            }
        }
    EXPECT_GT(at("Button_1").top(), at("Eingabe").bottom());
    // Operators in the middle, rows e Pi exp / ( ) tan / ^ √ cos / / * sin / - + log.
    const char* ops[5][3] = {{"eula_button", "Pi_button", "button_exp"},
                             {"Button_Klammer_links", "Button_Klammer_rechts", "button_tan"},
                             {"Button_exponent", "Button_wurzel", "button_cos"},
                             {"Button_Division", "Button_Mal", "button_sinus"},
                             {"Button_Minus", "Button_Plus", "button_log"}};
    for (int r = 0; r < 5; ++r)
        for (int col = 0; col < 3; ++col) {
            SCOPED_TRACE(ops[r][col]);
            EXPECT_EQ(at(ops[r][col]).left(), at(ops[0][col]).left());
            EXPECT_EQ(at(ops[r][col]).top(), at(ops[r][0]).top());
            if (col > 0) {
                EXPECT_GT(at(ops[r][col]).left(), at(ops[r][col - 1]).right());
            }
        }
    EXPECT_EQ(at("eula_button").top(), at("Button_1").top());
    EXPECT_GT(at("eula_button").left(), at("Button_3").right());
    // "DEL" at the right, "=" wide at the bottom right, the note at the bottom left.
    EXPECT_GT(at("Command2").left(), at("button_exp").right());
    EXPECT_GT(at("Command1").left(), at("button_log").right());
    EXPECT_EQ(at("Command1").bottom(), at("button_log").bottom());
    EXPECT_GT(at("Command1").width(), at("button_log").width());
    EXPECT_GT(at("Label3").top(), at("Button_0").bottom());
    EXPECT_EQ(at("Label3").left(), at("Button_0").left());
    EXPECT_GE(at("Label3").height(), child<QLabel>(t, "Label3")->heightForWidth(at("Label3").width()));
}

TEST_F(ToolsWindows, CalculatorClosesWithTheAnalysisPanelAndStartsEmpty)
{
    app.openTaschenrechner();
    QWidget* t = app.taschenrechner();
    click(t, "Button_7");
    app.closeTaschenrechner();
    EXPECT_FALSE(t->isVisible());
    app.openTaschenrechner();
    EXPECT_EQ(app.taschenrechner(), t);
    EXPECT_TRUE(t->isVisible());
    EXPECT_EQ(child<QLineEdit>(t, "Eingabe")->text(), "");
}

TEST_F(ToolsWindows, HelpIsOneWindowWithTheWholeText)
{
    const auto& menu = app.drawingWindow().menu();
    ASSERT_TRUE(menu.eingabeSyntax->isEnabled());
    menu.eingabeSyntax->trigger();
    menu.eingabeSyntax->trigger();
    HelpDialog* help = app.hilfe();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(visibleWindowsNamed("Dialog"), 1);
    EXPECT_FALSE(help->isModal());
    EXPECT_EQ(help->windowTitle(), "Name des Dialogfeldes");
    auto* titel = child<QLabel>(help, "Titel_lab");
    EXPECT_EQ(titel->text(), "Eingabe Syntax");
    EXPECT_TRUE(titel->font().bold());
    auto* text = child<QLabel>(help, "Text_lab");
    EXPECT_EQ(text->text().toStdString(), hilfeText());
    EXPECT_DOUBLE_EQ(text->font().pointSizeF(), 9.5);
    // Nothing cut off: the label has the height its wrapped text needs.
    ASSERT_TRUE(QTest::qWaitForWindowExposed(help));
    EXPECT_GE(text->height(), text->heightForWidth(text->width()));
    EXPECT_LE(text->geometry().bottom(), help->height());

    click(help, "OKButton");
    EXPECT_FALSE(help->isVisible());
    menu.eingabeSyntax->trigger();
    EXPECT_EQ(app.hilfe(), help);
    EXPECT_TRUE(help->isVisible());
}

TEST_F(ToolsWindows, AboutShowsTitleVersionTextsAndIcon)
{
    const auto& menu = app.drawingWindow().menu();
    ASSERT_TRUE(menu.info->isEnabled());
    menu.info->trigger();
    menu.info->trigger();
    AboutWindow* about = app.info();
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(visibleWindowsNamed("frmAbout"), 1);
    EXPECT_EQ(about->windowTitle(), "Info zu Kurvenwerk");
    EXPECT_EQ(child<QLabel>(about, "lblTitle")->text(), "Kurvenwerk");
    EXPECT_EQ(child<QLabel>(about, "Label1")->text(), "Version 1.8");
    EXPECT_EQ(child<QLabel>(about, "lblDescription")->text(), qs(kBeschreibung));
    EXPECT_EQ(child<QLabel>(about, "lblDisclaimer")->text(), qs(kWarnung));
    EXPECT_EQ(child(about, "cmdSysInfo")->text(), "&Systeminfo...");
    EXPECT_FALSE(child<QLabel>(about, "picIcon")->pixmap().isNull());
    click(about, "cmdOK");
    EXPECT_FALSE(about->isVisible());
}

// The icon is drawn from the compiled-in picture: a red curve on dark axes.
TEST_F(ToolsWindows, ProgramIconIsDrawnAtEverySize)
{
    const QIcon icon = QApplication::windowIcon();
    ASSERT_FALSE(icon.isNull());
    for (int size : {16, 32, 64}) {
        SCOPED_TRACE(size);
        EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size)));
        const QImage image = icon.pixmap(size).toImage();
        int red = 0, dark = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                red += c.alpha() == 255 && c.red() > 150 && c.green() < 90;
                dark += c.alpha() == 255 && c.red() < 80 && c.green() < 80 && c.blue() < 80;
            }
        EXPECT_GT(red, size / 2);
        EXPECT_GT(dark, size / 2);
    }
    EXPECT_EQ(app.drawingWindow().windowIcon().cacheKey(), icon.cacheKey());
}

class SysInfoButton : public ToolsWindows {
protected:
    QTemporaryDir dir;
    QByteArray oldPath = qgetenv("PATH");

    void TearDown() override
    {
        qputenv("PATH", oldPath);
        ToolsWindows::TearDown();
    }
    QPushButton* button()
    {
        app.drawingWindow().menu().info->trigger();
        return child(app.info(), "cmdSysInfo");
    }
};

TEST_F(SysInfoButton, NoViewerShowsTheMessage)
{
    ASSERT_TRUE(dir.isValid());
    qputenv("PATH", dir.path().toLocal8Bit());
    QTest::mouseClick(button(), Qt::LeftButton);
    EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(kSysInfoFehlt)});
}

TEST_F(SysInfoButton, StartsTheViewerFoundOnPath)
{
    ASSERT_TRUE(dir.isValid());
    const QString marker = dir.filePath("started");
    // Named like the first viewer searched for and alone on PATH, so no viewer
    // of this machine starts instead; it writes its mark without any program.
    const QString script = dir.filePath("kinfocenter");
    {
        QFile f(script);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QStringLiteral("#!/bin/sh\n: > '%1'\n").arg(marker).toLocal8Bit());
    }
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("PATH", dir.path().toLocal8Bit());
    QTest::mouseClick(button(), Qt::LeftButton);
    EXPECT_TRUE(ui.messages.empty());
    // The viewer runs on its own; wait until it has left its mark.
    EXPECT_TRUE(QTest::qWaitFor([&] { return QFile::exists(marker); }, 10000));
}

TEST_F(ToolsWindows, EndClosesTheToolWindows)
{
    app.openTaschenrechner();
    app.Eingabe_Syntax_Butt_Click();
    app.Info_Butt_Click();
    app.end();
    EXPECT_FALSE(app.taschenrechner()->isVisible());
    EXPECT_FALSE(app.hilfe()->isVisible());
    EXPECT_FALSE(app.info()->isVisible());
}

}  // namespace
}  // namespace kw
