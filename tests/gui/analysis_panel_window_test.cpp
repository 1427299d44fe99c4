#include <gtest/gtest.h>

#include <QClipboard>
#include <QKeyEvent>
#include <QPrinter>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeWidget>

#include "support/files.h"
#include "support/gui_helpers.h"
#include "tools/discussion_window.h"

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

// Settings survive hiding; closed by its frame, the next "Extras" shows it again.
TEST_F(AnalysisPanelGui, ExtrasShowsAndHidesThePanelKeepingItsSettings)
{
    AnalysisPanelWindow* panel = app.analysisPanel();
    ASSERT_TRUE(panel && panel->isVisible());
    panelChild("erste_Ableitung")->click();
    type(panel, {{"x0_eingabe", "2,5"}});
    for (bool shown : {false, true}) {
        clickExtras();
        EXPECT_EQ(panel->isVisible(), shown);
    }
    EXPECT_TRUE(panelChild("erste_Ableitung")->isChecked());
    expectTexts(panel, {{"x0_eingabe", "2,5"}});
    panel->close();
    clickExtras();
    EXPECT_TRUE(panel->isVisible());
}

TEST_F(AnalysisPanelGui, SwitchesAndStepButtonsReachTheLogic)
{
    const std::size_t plain = app.context().plane.items().size();
    panelChild("Check1")->click();
    EXPECT_GT(app.context().plane.items().size(), plain);  // the tangent is drawn
    // Two steps, and a range typed into the main panel counts at the next switch.
    run(app.analysisPanel(), {{{}, "grosser_plus_button", {}},
                              {{}, "grosser_plus_button", {{"x0_eingabe", "3"}}},
                              {{{"Form1/x_eingabe", "-10"}}, "Umkehrfunktion_butt", {}}});
    EXPECT_EQ(s.overlays.x0_uebergabe, "3");
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
    const char* reports[] = {"Gefundene Nullstelen \r\nx1 = -0,73\r\n", "Gefundene Lokale Extrema: \r\n",
                             "Gefundene Terassen- und Wendepunkte: \r\n"};
    for (auto button : {"Nullstellen_fx", "Extrema_butt", "S_and_W_punkte"})
        click(app.analysisPanel(), button);
    ASSERT_EQ(ui.messages.size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(ui.messages[i].starts_with(reports[i])) << ui.messages[i];
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

// "Kurvendiskussion": the window shows the drawn term's discussion, follows a
// new drawing while open, copies its text and saves its worksheet.
TEST_F(AnalysisPanelGui, KurvendiskussionShowsFollowsCopiesAndSaves)
{
    draw("0,5x^3-2x^2-x+4");
    click(app.analysisPanel(), "Kurvendiskussion_butt");
    DiscussionWindow* window = app.discussionWindow();
    ASSERT_TRUE(window && window->isVisible());
    auto* view = child<QTextBrowser>(window, "Diskussion_txt");
    // Powers raised: the plain text loses the "^".
    EXPECT_TRUE(view->toPlainText().contains("f'(x) = 1,5x2-4x-1")) << view->toPlainText().toStdString();
    EXPECT_TRUE(view->toHtml().contains("vertical-align:super"));

    draw("1/x");
    QTest::qWait(20);
    EXPECT_EQ(window->discussion().lines[0], "f(x) = 1/x");
    QTest::keyClick(window, Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(QGuiApplication::clipboard()->text().contains("Senkrechte Asymptote: x = 0\n"));

    // "Als PDF" and "Drucken" write the same worksheet.
    QTemporaryDir dir;
    const QString pdf = dir.filePath("blatt.pdf"), printed = dir.filePath("gedruckt.pdf");
    window->askFileName = [&](QWidget*, const QString& filter, const QString&) {
        EXPECT_EQ(filter, "PDF-Dateien (*.pdf)");
        return pdf;
    };
    window->openPrinter = [&](QWidget*) {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(printed);
        return printer;
    };
    click(window, "Als_PDF_butt");
    click(window, "Drucken_butt");
    EXPECT_TRUE(QFile(pdf).size() > 1000 && QFile(printed).size() > 1000);
    ASSERT_TRUE(QFile::remove(printed));
    // On a full disk the old worksheet stays as it was.
    const QByteArray old = readFile(pdf);
    onAFullDisk(4000, [&] { click(window, "Als_PDF_butt"); });
    EXPECT_EQ(readFile(pdf), old);
    EXPECT_EQ(filesIn(dir.path()), QStringList{"blatt.pdf"});
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_TRUE(ui.messages.back().starts_with("Die Datei konnte nicht geschrieben werden"));
}

}  // namespace
