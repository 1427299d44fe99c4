#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTimer>
#include <QTreeWidget>

#include "support/gui_helpers.h"

using namespace kw;
using namespace kw::test;

namespace {

// The analysis panel as "Extras" first shows it, "x^2" in the term field.
class AnalysisPanelGui : public RunningApp {
protected:
    State& s = app.context().state;

    void SetUp() override
    {
        RunningApp::SetUp();
        draw("x^2");
        clickExtras();
    }
    void TearDown() override
    {
        RunningApp::TearDown();
        qDeleteAll(valueTables());
    }
    void clickExtras() { click(&app.mainPanel(), "extras_button"); }
    template <class W = QAbstractButton>
    W* panelChild(const char* name) { return child<W>(app.analysisPanel(), name); }
    void draw(const char* term)
    {
        s.main.Eingabe = term;
        app.mainPanel().loadFields();
        drawFromPanel(app.context());
    }
};

TEST_F(AnalysisPanelGui, ExtrasShowsAndHidesThePanelKeepingItsSettings)
{
    AnalysisPanelWindow* panel = app.analysisPanel();
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->isVisible());

    // Settings survive hiding.
    panelChild("erste_Ableitung")->click();
    panelChild<QLineEdit>("x0_eingabe")->setText("2,5");
    clickExtras();
    EXPECT_FALSE(panel->isVisible());
    clickExtras();
    EXPECT_TRUE(panel->isVisible());
    EXPECT_TRUE(panelChild("erste_Ableitung")->isChecked());
    EXPECT_EQ(panelChild<QLineEdit>("x0_eingabe")->text(), "2,5");

    // Closed by its frame, the next "Extras" shows it again.
    clickExtras();
    clickExtras();
    panel->close();
    clickExtras();
    EXPECT_TRUE(panel->isVisible());
}

TEST_F(AnalysisPanelGui, SwitchesAndStepButtonsReachTheLogic)
{
    const std::size_t plain = app.context().plane.items().size();
    panelChild("Check1")->click();
    EXPECT_GT(app.context().plane.items().size(), plain);  // the tangent is drawn
    panelChild("grosser_plus_button")->click();
    panelChild("grosser_plus_button")->click();
    EXPECT_EQ(panelChild<QLineEdit>("x0_eingabe")->text(), "3");
    EXPECT_EQ(s.overlays.x0_uebergabe, "3");

    // A range typed into the main panel counts at the next switch.
    child<QLineEdit>(&app.mainPanel(), "x_eingabe")->setText("-10");
    panelChild("Umkehrfunktion_butt")->click();
    EXPECT_EQ(s.picture.X, -10);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(AnalysisPanelGui, ColourListsPaintTheirChoice)
{
    auto* box = panelChild<QComboBox>("FarbeBox_Umkehrfunktion");
    box->setCurrentIndex(7);
    emit box->activated(7);
    EXPECT_EQ(s.overlays.Umkehrfunktion_Farbe, "8721863");
    EXPECT_EQ(box->palette().color(QPalette::Base), QColor(199, 21, 133));

    // A typed name that matches nothing: flag set, colour and paint kept.
    s.overlays.umkehrfunktion_Farbe_test = false;
    box->lineEdit()->selectAll();
    box->lineEdit()->insert(QString::fromUtf8("grün"));
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    EXPECT_TRUE(s.overlays.umkehrfunktion_Farbe_test);
    EXPECT_EQ(s.overlays.Umkehrfunktion_Farbe, "8721863");
    EXPECT_EQ(box->palette().color(QPalette::Base), QColor(199, 21, 133));
}

TEST_F(AnalysisPanelGui, EachReportButtonShowsItsOwnReport)
{
    draw("(x-1)^3-3*(x-1)");
    for (auto button : {"Nullstellen_fx", "Extrema_butt", "S_and_W_punkte"})
        click(app.analysisPanel(), button);
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(ui.messages[0], "Gefundene Nullstelen \r\nx1 = -0,73\r\nx2 = 1\r\nx3 = 2,73\r\n");
    EXPECT_TRUE(ui.messages[1].starts_with("Gefundene Lokale Extrema: "));
    EXPECT_TRUE(ui.messages[2].starts_with("Gefundene Terassen- und Wendepunkte: "));
}

TEST_F(AnalysisPanelGui, EveryPressOpensATableOfTheTermAsTypedThatOutlivesTheProgram)
{
    child<QComboBox>(&app.mainPanel(), "Eingabe")->setEditText("x+0.123456");  // not drawn
    click(app.analysisPanel(), "Tabelle");
    click(app.analysisPanel(), "erste_Ableitung");
    click(app.analysisPanel(), "Tabelle");
    const auto tables = valueTables();
    ASSERT_EQ(tables.size(), 2);
    QTreeWidget* negative = tables[0]->listView(1);
    ASSERT_EQ(negative->columnCount(), 21);
    EXPECT_EQ(negative->headerItem()->text(0), "x = 0");
    EXPECT_EQ(negative->headerItem()->text(20), "x = -20");
    EXPECT_EQ(tables[1]->listView(2)->headerItem()->text(20), "x = 20");
    EXPECT_EQ(negative->topLevelItem(0)->text(0), "0,123456");
    // f' tables only while the first derivative is on: in the second table.
    EXPECT_EQ(tables[0]->listView(4)->columnCount() + tables[1]->listView(4)->columnCount(), 21);

    app.end();  // value tables stay open
    EXPECT_EQ(valueTables().size(), 2);
}

TEST_F(AnalysisPanelGui, EscOrClosingAPanelStopsALongSearch)
{
    draw("x-1");
    s.picture.X = -1e6;  // so wide a range that the search runs until it is stopped
    s.picture.Y = 1e6;
    QCoreApplication::postEvent(&app.mainPanel(),
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    click(app.analysisPanel(), "Nullstellen_fx");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.messages[0].starts_with(
        "keine Nullstellen gefunden\r\n\r\nDie Suche wurde abgebrochen."))
        << ui.messages[0];
    EXPECT_FALSE(ui.searching());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    // A second press while a search runs starts nothing; closing a panel stops it.
    QTimer::singleShot(0, &app.mainPanel(), [this] { app.extrema(); });
    QTimer::singleShot(0, &app.mainPanel(), [this] { app.mainPanel().close(); });
    app.zeros();
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_NE(ui.messages[1].find("Die Suche wurde abgebrochen."), std::string::npos);
}

}  // namespace
