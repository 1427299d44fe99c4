#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QTest>

#include <memory>
#include <vector>

#include "app/app.h"
#include "panel/main_panel_window.h"
#include "plane/drawing_window.h"
#include "support/gui_helpers.h"

using namespace kw;
using Role = App::Role;

namespace {

// Notes which watched window received a close request, in order.
class CloseLog : public QObject {
public:
    std::vector<Role> order;
    void watch(QWidget* w, Role role)
    {
        roles_.push_back({w, role});
        w->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Close)
            for (auto [w, role] : roles_)
                if (w == watched)
                    order.push_back(role);
        return false;
    }

private:
    std::vector<std::pair<QWidget*, Role>> roles_;
};

class AppTest : public ::testing::Test {
protected:
    App app;
    std::vector<std::unique_ptr<QWidget>> others;
    QWidget valueTable;  // value tables never join: they stay open
    CloseLog log;

    void SetUp() override
    {
        QApplication::setQuitOnLastWindowClosed(false);
        app.start();
        for (Role role : {Role::Analysis, Role::Taschenrechner, Role::Bruecke, Role::Flaeche,
                          Role::Schnittstellen}) {
            others.push_back(std::make_unique<QWidget>());
            others.back()->show();
            app.join(role, others.back().get());
        }
        app.drawingWindow().Bild_Speichern_Click();
        valueTable.show();
        for (int r = 0; r < int(Role::Count); ++r)
            if (QWidget* w = app.window(Role(r)))
                log.watch(w, Role(r));
    }

    void expectAllClosed()
    {
        for (int r = 0; r < int(Role::Count); ++r) {
            QWidget* w = app.window(Role(r));
            EXPECT_TRUE(!w || !w->isVisible()) << r;
        }
        EXPECT_TRUE(valueTable.isVisible());
    }
};

TEST_F(AppTest, ClosingTheDrawingWindowClosesEverythingButValueTables)
{
    app.drawingWindow().close();
    // The drawing window's own close comes first and starts the round.
    const std::vector<Role> expected{Role::Drawing,        Role::MainPanel, Role::Analysis,
                                     Role::Taschenrechner, Role::Bruecke,   Role::Flaeche,
                                     Role::Schnittstellen, Role::BildSpeichern};
    EXPECT_EQ(log.order, expected);
    expectAllClosed();
}

TEST_F(AppTest, EndeInTheMenuDoesTheSame)
{
    app.drawingWindow().menu().ende->trigger();
    EXPECT_EQ(log.order.size(), 8u);
    expectAllClosed();
}

TEST_F(AppTest, EndeOnTheMainPanelClosesInItsOwnOrder)
{
    app.end();
    std::vector<Role> expected;  // the joined windows, in the order of "Ende"
    for (Role role : App::kEndeReihenfolge)
        if (app.window(role))
            expected.push_back(role);
    EXPECT_EQ(log.order, expected);
    expectAllClosed();
}

TEST_F(AppTest, MovingTheDrawingWindowTakesThePanelsAlong)
{
    app.context().s.form3_test = true;  // the analysis panel has been shown
    DrawingWindow& drawing = app.drawingWindow();
    drawing.move(200, 40);
    QCoreApplication::processEvents();
    const QRect outer = drawing.frameGeometry();
    EXPECT_EQ(app.mainPanel().frameGeometry().topLeft(), QPoint(200, 40 + outer.height()));
    EXPECT_EQ(app.window(Role::Analysis)->frameGeometry().topLeft(),
              QPoint(200 + outer.width(), 40));
}

TEST_F(AppTest, DraggingTheMainPanelByItsBackgroundTakesTheOthersAlong)
{
    MainPanelWindow& panel = app.mainPanel();
    const QPoint from = panel.pos();
    const QPoint grip(4, 4);  // the panel's background, outside every control
    kw::test::mouse(&panel, QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
    QMouseEvent drag(QEvent::MouseMove, QPointF(grip), QPointF(panel.mapToGlobal(grip) + QPoint(30, 60)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&panel, &drag);
    EXPECT_EQ(panel.pos(), from + QPoint(30, 60));
    kw::test::mouse(&panel, QEvent::MouseButtonRelease, grip, Qt::LeftButton, Qt::NoButton);
    QCoreApplication::processEvents();

    const QRect drawing = app.drawingWindow().frameGeometry();
    EXPECT_EQ(drawing.bottomLeft() + QPoint(0, 1), panel.frameGeometry().topLeft());
    EXPECT_EQ(app.window(Role::Analysis)->frameGeometry().topLeft(),
              QPoint(panel.frameGeometry().right() + 1, drawing.top()));
}

}  // namespace
