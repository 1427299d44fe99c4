#include <gtest/gtest.h>

#include "plane/jpeg_window.h"
#include "support/gui_helpers.h"
#include "tools/area_window.h"
#include "tools/bridge_window.h"
#include "tools/calculator_window.h"
#include "tools/intersection_window.h"

using namespace kw;
using Role = App::Role;

namespace {

// Every window of the program open, and a value table that must stay open.
struct Running : QObject {
    App app;
    std::vector<std::unique_ptr<QWidget>> others;
    QWidget valueTable;
    std::vector<Role> closed;  // in the order the windows received their close

    Running()
    {
        QApplication::setQuitOnLastWindowClosed(false);
        app.start();
        for (Role role : {Role::Analysis, Role::Calculator, Role::Bridge, Role::Area,
                          Role::Intersections}) {
            others.push_back(std::make_unique<QWidget>());
            others.back()->show();
            app.join(role, others.back().get());
        }
        app.drawingWindow().Bild_Speichern_Click();
        valueTable.show();
        for (int r = 0; r < int(Role::Count); ++r)
            if (QWidget* w = app.window(Role(r)))
                w->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        for (int r = 0; event->type() == QEvent::Close && r < int(Role::Count); ++r)
            if (app.window(Role(r)) == watched)
                closed.push_back(Role(r));
        return false;
    }
};

TEST(App, EveryWayToEndClosesAllButValueTablesInItsOrder)
{
    using R = Role;
    const std::vector<Role> drawingFirst{R::Drawing, R::MainPanel, R::Analysis, R::Calculator,
                                         R::Bridge, R::Area, R::Intersections, R::SavePicture};
    const std::vector<Role> ende{R::Analysis, R::Drawing, R::Calculator, R::Bridge,
                                 R::Area, R::Intersections, R::SavePicture, R::MainPanel};
    const std::pair<std::function<void(App&)>, std::vector<Role>> ways[] = {
        {[](App& app) { app.drawingWindow().close(); }, drawingFirst},
        {[](App& app) { app.drawingWindow().menu().ende->trigger(); }, drawingFirst},
        {[](App& app) { app.end(); }, ende},
    };
    for (const auto& [end, order] : ways) {
        Running r;
        end(r.app);
        EXPECT_EQ(r.closed, order);
        for (int role = 0; role < int(Role::Count); ++role)
            EXPECT_FALSE(r.app.window(Role(role)) && r.app.window(Role(role))->isVisible());
        EXPECT_TRUE(r.valueTable.isVisible());
    }
}

TEST(App, ThePanelsDockToTheDrawingWindow)
{
    Running r;
    App& app = r.app;
    app.context().state.session.form3_test = true;  // the analysis panel has been shown
    DrawingWindow& drawing = app.drawingWindow();
    drawing.move(200, 40);
    QCoreApplication::processEvents();
    const QRect outer = drawing.frameGeometry();
    EXPECT_EQ(app.mainPanel().frameGeometry().topLeft(), QPoint(200, 40 + outer.height()));
    EXPECT_EQ(app.window(Role::Analysis)->frameGeometry().topLeft(),
              QPoint(200 + outer.width(), 40));

    // The main panel dragged by its background takes the others along.
    MainPanelWindow& panel = app.mainPanel();
    const QPoint from = panel.pos();
    const QPoint grip(4, 4);  // outside every control
    test::mouse(&panel, QEvent::MouseButtonPress, grip, Qt::LeftButton, Qt::LeftButton);
    test::move(&panel, grip + QPoint(30, 60), Qt::LeftButton);
    EXPECT_EQ(panel.pos(), from + QPoint(30, 60));
    test::mouse(&panel, QEvent::MouseButtonRelease, grip, Qt::LeftButton, Qt::NoButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(drawing.frameGeometry().bottomLeft() + QPoint(0, 1), panel.frameGeometry().topLeft());
    EXPECT_EQ(app.window(Role::Analysis)->frameGeometry().topLeft(),
              QPoint(panel.frameGeometry().right() + 1, drawing.frameGeometry().top()));
}

// Drawing window, main panel below it, analysis panel beside it and the pocket
// calculator beside that, on a screen of `area`.
struct Arranged {
    test::RecordingQtUi ui;
    App app{&ui};
    std::vector<QWidget*> windows;

    explicit Arranged(QRect area)
    {
        ui.screen = area;
        app.start();
        app.showAnalysisPanel(true);
        app.openCalculator();
        windows = {&app.drawingWindow(), &app.mainPanel(), app.analysisPanel(),
                   app.calculator()};
        for (QWidget* w : windows)
            EXPECT_TRUE(QTest::qWaitForWindowExposed(w)) << w->objectName().toStdString();
        test::settleLayouts();
    }
    ~Arranged() { app.end(); }
    QRect outer(int i) const { return windows[i]->frameGeometry(); }
};

// Where they fit, the windows keep their places; on 1366 × 768 less a task bar
// they move up just as far as needed, all together, and are wholly visible.
// There every tool opens on the screen covering neither panel.
TEST(App, WindowsKeepTheirPlacesOrMoveUpOnlyAsFarAsNeeded)
{
    for (const QRect area : {QRect(0, 0, 1920, 1080), QRect(0, 0, 1366, 728)}) {
        Arranged a(area);
        const bool small = area.height() < 1080;
        EXPECT_EQ(a.app.drawingWindow().geometry().left(), 341);
        if (small)
            EXPECT_EQ(a.outer(1).bottom(), area.bottom());
        else
            EXPECT_EQ(a.app.drawingWindow().geometry().top(), 126);
        EXPECT_EQ(a.outer(1).topLeft(), a.outer(0).bottomLeft() + QPoint(0, 1));
        EXPECT_EQ(a.outer(2).topLeft(), a.outer(0).topRight() + QPoint(1, 0));
        if (!small) {
            EXPECT_EQ(a.outer(3).topLeft(), a.outer(2).topRight() + QPoint(1, 0));
            for (int i = 0; i < 4; ++i)
                EXPECT_TRUE(area.contains(a.outer(i)));
            // Where there is room, the picture export covers no other window.
            a.app.drawingWindow().menu().savePicture->trigger();
            QWidget* save = a.app.drawingWindow().saveWindow();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(save));
            for (int i = 0; i < 4; ++i)
                EXPECT_FALSE(save->frameGeometry().intersects(a.outer(i))) << i;
            continue;
        }
        a.app.Schnittstellen_Rechner();
        a.app.Integral_Rechner();
        a.app.Haengebruecken_Rechner();
        a.windows.insert(a.windows.end(),
                         {a.app.intersectionCalculator(), a.app.areaCalculator(), a.app.bridge()});
        for (QWidget* w : a.windows)
            EXPECT_TRUE(QTest::qWaitForWindowExposed(w));
        test::settleLayouts();
        for (std::size_t i = 0; i < a.windows.size(); ++i) {
            const std::string name = a.windows[i]->windowTitle().toStdString();
            EXPECT_TRUE(area.contains(a.outer(i))) << name;
            if (i >= 3) {  // the tools cover neither panel, at most the drawing window
                EXPECT_FALSE(a.outer(i).intersects(a.outer(1))) << name << " covers the main panel";
                EXPECT_FALSE(a.outer(i).intersects(a.outer(2))) << name << " covers the analysis panel";
            }
        }
    }
}

}  // namespace
