#include <gtest/gtest.h>

#include <set>
#include <string>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "app/app.h"
#include "panel/analysis_panel_window.h"
#include "panel/main_panel_window.h"
#include "plane/drawing_window.h"

using namespace kw;

namespace {

class RecordingQtUi : public QtUi {
public:
    std::vector<std::string> messages;
    void message(std::string_view text, std::string_view) override { messages.emplace_back(text); }
    using Ui::message;
};

class AnalysisPanelGui : public ::testing::Test {
protected:
    void SetUp() override
    {
        app = std::make_unique<App>(&ui);
        app->start();
        app->context().s.Eingabe = "x^2";
        app->mainPanel().loadFields();
    }

    void clickExtras()
    {
        QTest::mouseClick(app->mainPanel().findChild<QPushButton*>("extras_button"), Qt::LeftButton);
    }

    template <class W>
    W* panelChild(const char* name)
    {
        W* w = app->analysisPanel()->findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    RecordingQtUi ui;
    std::unique_ptr<App> app;
};

TEST_F(AnalysisPanelGui, ExtrasShowsAndHidesThePanelBesideTheDrawingWindow)
{
    EXPECT_EQ(app->analysisPanel(), nullptr);  // created on first use
    clickExtras();
    AnalysisPanelWindow* panel = app->analysisPanel();
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(panel->windowTitle(), "Extras");
    const QRect drawing = app->drawingWindow().frameGeometry();
    EXPECT_EQ(panel->frameGeometry().topLeft(), QPoint(drawing.x() + drawing.width(), drawing.y()));

    // Settings survive hiding.
    panelChild<QCheckBox>("erste_Ableitung")->click();
    panelChild<QLineEdit>("x0_eingabe")->setText("2,5");
    clickExtras();
    EXPECT_FALSE(panel->isVisible());
    EXPECT_TRUE(app->context().s.ableitungs_test);
    clickExtras();
    EXPECT_TRUE(panel->isVisible());
    EXPECT_EQ(app->analysisPanel(), panel);
    EXPECT_TRUE(panelChild<QCheckBox>("erste_Ableitung")->isChecked());
    EXPECT_EQ(panelChild<QLineEdit>("x0_eingabe")->text(), "2,5");
    clickExtras();
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(app->context().s.miCounter, 4);

    // Closed by its frame, the next "Extras" shows it again.
    clickExtras();
    panel->close();
    clickExtras();
    EXPECT_TRUE(panel->isVisible());
}

TEST_F(AnalysisPanelGui, ControlsCarryTheirCaptions)
{
    clickExtras();
    const std::pair<const char*, const char*> checks[] = {
        {"erste_Ableitung", "Erste Ableitung"},
        {"zweite_ableitung_butt", "Zweite Ableitung"},
        {"dritte_ableitung_butt", "Dritte Ableitung"},
        {"Check1", "Tangente"},
        {"Umkehrfunktion_butt", "Umkehrfunktion"},
        {"AD_Funktion", "Abschnittsweise Definierte Funktion"},
        {"loeschen_oder_nicht_check", "Alten Graph nicht löschen"},
    };
    for (auto [name, caption] : checks)
        EXPECT_EQ(panelChild<QCheckBox>(name)->text(), QString::fromUtf8(caption));
    const std::pair<const char*, const char*> texts[] = {
        {"x0_eingabe", "1"}, {"Linker_Bereich", "-u"}, {"Rechter_Bereich", "+u"}};
    for (auto [name, text] : texts)
        EXPECT_EQ(panelChild<QLineEdit>(name)->text(), QString::fromUtf8(text));
    EXPECT_EQ(panelChild<QLabel>("Label4")->text(), "Tangente bei x=");
    EXPECT_EQ(panelChild<QComboBox>("FarbeBox_ableitung")->count(), 7);
    EXPECT_EQ(panelChild<QComboBox>("FarbeBox_Umkehrfunktion")->count(), 8);
    EXPECT_EQ(panelChild<QComboBox>("FarbeBox_dritte_ableitung")->currentText(), "Orange");
    EXPECT_EQ(panelChild<QComboBox>("Umkehrfunktion_Linien_staerke")->itemText(5), "6");
    EXPECT_EQ(panelChild<QPushButton>("grosser_plus_button")->text(), ">>>");

    // The tools of other windows are there, each with its own signal; those whose
    // window does not exist yet are disabled.
    const std::set<std::string> built{"Nullstellen_fx", "Extrema_butt", "S_and_W_punkte",
                                      "Tabelle", "TaschenRechner_button"};
    const std::pair<const char*, const char*> tools[] = {
        {"Nullstellen_fx", SIGNAL(nullstellenClicked())},
        {"Extrema_butt", SIGNAL(extremaClicked())},
        {"S_and_W_punkte", SIGNAL(wendepunkteClicked())},
        {"Tabelle", SIGNAL(tabelleClicked())},
        {"Schnittpunkt_butt", SIGNAL(schnittpunkteClicked())},
        {"Integral_Rechner_butt", SIGNAL(integralClicked())},
        {"Bruecken_Rechner_butt", SIGNAL(brueckeClicked())},
        {"TaschenRechner_button", SIGNAL(taschenrechnerClicked())},
    };
    for (auto [name, signal] : tools) {
        auto* button = panelChild<QPushButton>(name);
        EXPECT_EQ(button->isEnabled(), built.count(name) == 1) << name;
        QSignalSpy spy(app->analysisPanel(), signal);
        button->setEnabled(true);
        button->click();
        EXPECT_EQ(spy.count(), 1) << name;
    }
    EXPECT_EQ(panelChild<QPushButton>("S_and_W_punkte")->text(), "Terassen- und Wendepunkte ");
}

TEST_F(AnalysisPanelGui, ColourListsPaintTheirChoice)
{
    clickExtras();
    auto* box = panelChild<QComboBox>("FarbeBox_Umkehrfunktion");
    box->setCurrentIndex(7);
    emit box->activated(7);
    EXPECT_EQ(app->context().s.Umkehrfunktion_Farbe, "8721863");
    EXPECT_EQ(box->palette().color(QPalette::Base), QColor(199, 21, 133));

    // A typed name that matches nothing: flag set, colour and paint kept.
    box->lineEdit()->selectAll();
    box->lineEdit()->insert(QString::fromUtf8("grün"));
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    EXPECT_TRUE(app->context().s.umkehrfunktion_Farbe_test);
    EXPECT_EQ(app->context().s.Umkehrfunktion_Farbe, "8721863");
    EXPECT_EQ(box->palette().color(QPalette::Base), QColor(199, 21, 133));

    auto* width = panelChild<QComboBox>("f_a1_linie_staerke");
    width->setCurrentIndex(5);
    emit width->activated(5);
    EXPECT_EQ(app->context().s.f_a1_linie_staerke, 6);
}

TEST_F(AnalysisPanelGui, StepButtonsWriteTheFieldAndSwitchesReadTheMainPanel)
{
    clickExtras();
    panelChild<QCheckBox>("Check1")->click();
    EXPECT_TRUE(app->context().s.tangente_test);
    auto* plus = panelChild<QPushButton>("grosser_plus_button");
    plus->click();
    plus->click();
    EXPECT_EQ(panelChild<QLineEdit>("x0_eingabe")->text(), "3");
    EXPECT_EQ(app->context().s.x0_uebergabe, "3");
    panelChild<QPushButton>("kleiner_minus_button")->click();
    EXPECT_EQ(panelChild<QLineEdit>("x0_eingabe")->text(), "2,9");

    // A range typed into the main panel counts at the next switch.
    auto* x1 = app->mainPanel().findChild<QLineEdit*>("x_eingabe");
    x1->setText("-10");
    panelChild<QCheckBox>("Umkehrfunktion_butt")->click();
    EXPECT_EQ(app->context().s.x_eingabe, "-10");
    EXPECT_EQ(app->context().s.X, -10);

    panelChild<QLineEdit>("Linker_Bereich")->setText("0");
    EXPECT_EQ(app->context().s.Linker_Bereich_wert, "0");
    panelChild<QCheckBox>("AD_Funktion")->click();
    EXPECT_TRUE(app->context().s.ad_funktion_test);
    panelChild<QCheckBox>("loeschen_oder_nicht_check")->click();
    EXPECT_TRUE(app->context().s.Graphloeschen_check);
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
