#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QTimer>
#include <QTreeWidget>

#include "analysis/value_table.h"
#include "analysis/value_table_window.h"
#include "app/app.h"
#include "panel/context.h"
#include "panel/main_panel.h"
#include "panel/main_panel_window.h"
#include "plane/drawing_window.h"

using namespace kw;

namespace {

// Real windows; the messages are only recorded.
class QuietUi : public QtUi {
public:
    std::vector<std::string> messages;
    void message(std::string_view text, std::string_view) override { messages.emplace_back(text); }
    using Ui::message;
};

QStringList headers(QTreeWidget* view)
{
    QStringList h;
    for (int i = 0; i < view->columnCount(); ++i)
        h << view->headerItem()->text(i);
    return h;
}

QStringList cells(QTreeWidget* view)
{
    QStringList c;
    if (view->topLevelItemCount() == 1)
        for (int i = 0; i < view->columnCount(); ++i)
            c << view->topLevelItem(0)->text(i);
    return c;
}

QList<ValueTableWindow*> valueTables()
{
    QList<ValueTableWindow*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* t = qobject_cast<ValueTableWindow*>(w); t && t->isVisible())
            found << t;
    return found;
}

class Reports : public ::testing::Test {
protected:
    QuietUi ui;
    App app{&ui};
    Context& c = app.context();

    void SetUp() override
    {
        mainPanelLoad(c);
        app.mainPanel().loadFields();
    }

    void TearDown() override
    {
        for (auto* t : valueTables())
            t->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void draw(const char* term)
    {
        c.s.Eingabe = term;
        app.mainPanel().loadFields();
        zeichnen(c);
    }
};

}  // namespace

TEST_F(Reports, ValueTableWindowShowsFourListViews)
{
    c.s.Eingabe = "x+0.123456";
    ValueTableWindow window(Werte_Tabelle(c));
    EXPECT_EQ(window.windowTitle(), "WerteTabelle");
    QTreeWidget* negative = window.findChild<QTreeWidget*>("ListView1");
    QTreeWidget* positive = window.findChild<QTreeWidget*>("ListView2");
    ASSERT_TRUE(negative && positive);
    EXPECT_EQ(negative, window.listView(1));

    ASSERT_EQ(negative->columnCount(), 21);
    EXPECT_EQ(headers(negative).first(), "x = 0");
    EXPECT_EQ(headers(negative).at(1), "x = -1");
    EXPECT_EQ(headers(negative).last(), "x = -20");
    EXPECT_EQ(headers(positive).last(), "x = 20");
    EXPECT_EQ(negative->headerItem()->data(3, Qt::UserRole).toString(), "COL-3");
    EXPECT_EQ(cells(negative).first(), "0,123456");
    EXPECT_EQ(cells(positive).at(2), "2,12");
    EXPECT_EQ(negative->topLevelItemCount(), 1);

    // The first derivative is off: its tables stay empty.
    for (int n : {3, 4}) {
        EXPECT_EQ(window.listView(n)->columnCount(), 0);
        EXPECT_EQ(window.listView(n)->topLevelItemCount(), 0);
        EXPECT_TRUE(window.listView(n)->isHeaderHidden());
    }
    EXPECT_EQ(window.findChild<QLabel*>("Label1")->text(), "Wertetabelle von f(x)");
    EXPECT_EQ(window.findChild<QLabel*>("Label4")->text(), "Wertetabelle von f'(x)");
    EXPECT_EQ(window.findChild<QLabel*>("Label2")->text(), "negative x Werte:");
    EXPECT_EQ(window.findChild<QLabel*>("Label6")->text(), "positive x Werte:");
}

TEST_F(Reports, EveryPressOpensAnotherTableThatOutlivesTheOtherWindows)
{
    app.start();
    c.s.ableitungs_test = true;
    ValueTableWindow* first = app.werteTabelle();
    ValueTableWindow* second = app.werteTabelle();
    ASSERT_TRUE(first && second);
    EXPECT_NE(first, second);
    EXPECT_EQ(valueTables().size(), 2);
    EXPECT_EQ(second->listView(4)->columnCount(), 21);  // f' while the first derivative is on

    QPointer<ValueTableWindow> kept(first);
    app.end();
    EXPECT_FALSE(app.mainPanel().isVisible());
    EXPECT_FALSE(app.drawingWindow().isVisible());
    EXPECT_EQ(valueTables().size(), 2);

    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(kept.isNull());  // a closed table is gone for good
}

TEST_F(Reports, TheTableReadsTheTermFieldAsItStands)
{
    draw("x^2");
    auto* field = app.mainPanel().findChild<QComboBox*>("Eingabe");
    ASSERT_TRUE(field);
    field->setEditText("x^3");  // typed, not drawn
    ValueTableWindow* table = app.werteTabelle();
    EXPECT_EQ(cells(table->listView(1)).at(2), "-8");
}

TEST_F(Reports, EachButtonShowsItsOwnReport)
{
    draw("(x-1)^3-3*(x-1)");
    app.nullstellen();
    app.extrema();
    app.wendepunkte();
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(ui.messages[0], "Gefundene Nullstelen \r\nx1 = -0,73\r\nx2 = 1\r\nx3 = 2,73\r\n");
    EXPECT_TRUE(ui.messages[1].starts_with("Gefundene Lokale Extrema: "));
    EXPECT_TRUE(ui.messages[2].starts_with("Gefundene Terassen- und Wendepunkte: "));
    EXPECT_FALSE(ui.searching());
}

TEST_F(Reports, EscStopsALongSearch)
{
    draw("x-1");
    c.s.X = -1e6;
    c.s.Y = 1e6;
    QCoreApplication::postEvent(&app.mainPanel(),
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    app.nullstellen();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.messages[0].starts_with("keine Nullstellen gefunden\r\n\r\nDie Suche wurde "
                                           "abgebrochen."))
        << ui.messages[0];
    EXPECT_FALSE(ui.searching());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(Reports, ClosingAPanelStopsASearchButNoSecondOneStarts)
{
    draw("x-1");
    c.s.X = -1e6;
    c.s.Y = 1e6;
    app.mainPanel().show();
    // A second press while the first search runs, then the panel is closed.
    QTimer::singleShot(0, &app.mainPanel(), [this] { app.extrema(); });
    QTimer::singleShot(0, &app.mainPanel(), [this] { app.mainPanel().close(); });
    app.nullstellen();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("Die Suche wurde abgebrochen."), std::string::npos);
    EXPECT_FALSE(app.mainPanel().isVisible());
}
