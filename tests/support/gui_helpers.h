#pragma once

// What the widget tests share: named controls, the user's mouse, colour
// counts in pictures, and the two usual starting points.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include "app/app.h"
#include "core/context.h"
#include "panel/analysis_panel_window.h"
#include "panel/main_panel.h"
#include "panel/main_panel_window.h"
#include "panel/value_table_window.h"
#include "plane/drawing_window.h"
#include "plane/plane_widget.h"
#include "support/recording_qt_ui.h"
#include "support/recording_ui.h"

namespace kw::test {

// A named child control; a missing one fails the test.
template <class W = QWidget>
W* child(const QObject* parent, const char* name)
{
    W* w = parent->findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

inline void click(const QObject* parent, const char* name)
{
    if (auto* b = child<QAbstractButton>(parent, name))
        QTest::mouseClick(b, Qt::LeftButton);
}

// A changed widget asks its layout, that one its window's, each in a posted
// event: a few rounds let every size follow.
inline void settleLayouts()
{
    for (int round = 0; round < 5; ++round)
        QCoreApplication::processEvents();
}

// Top-level windows of that object name that are shown.
inline int visibleWindowsNamed(const QString& name)
{
    int n = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        n += w->isVisible() && w->objectName() == name;
    return n;
}

// The value tables that are shown: they live apart from the program's windows.
inline QList<ValueTableWindow*> valueTables()
{
    QList<ValueTableWindow*> found;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* t = qobject_cast<ValueTableWindow*>(w); t && t->isVisible())
            found << t;
    return found;
}

// Mouse and wheel events as a user's hand produces them.
inline void mouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button,
                  Qt::MouseButtons buttons)
{
    QMouseEvent e(type, QPointF(pos), QPointF(w->mapToGlobal(pos)), button, buttons,
                  Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

inline void move(QWidget* w, QPoint pos, Qt::MouseButtons buttons = Qt::NoButton)
{
    mouse(w, QEvent::MouseMove, pos, Qt::NoButton, buttons);
}

inline void wheel(QWidget* w, QPoint pos, int delta)
{
    QWheelEvent e(QPointF(pos), QPointF(w->mapToGlobal(pos)), QPoint(), QPoint(0, delta),
                  Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(w, &e);
}

// Pixels of a picture in a colour, judged by a predicate on the pixel.
template <class Pred>
int countPixels(const QImage& image, QRect area, Pred pred)
{
    int n = 0;
    area &= image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += pred(image.pixelColor(x, y));
    return n;
}

// Plainly blue: the trace lines' colour.
inline int bluePixels(const QImage& image, QRect area)
{
    return countPixels(image, area, [](QColor c) {
        return c.blue() > 150 && c.red() < 100 && c.green() < 100;
    });
}

// Plainly red: the default graph colour.
inline int redPixels(const QImage& image)
{
    return countPixels(image, image.rect(), [](QColor c) {
        return c.red() > 150 && c.green() < 90 && c.blue() < 90;
    });
}

// A shown drawing window with the default parabola "x^2" drawn on the plane.
class DrawnWindow : public ::testing::Test {
protected:
    RecordingUi ui;
    Context c{ui};
    DrawingWindow w{c};

    void SetUp() override
    {
        mainPanelLoad(c);
        draw("x^2");
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    }
    // "Zeichnen" with these fields, and the window told.
    void draw(const char* term, const char* from = "-20", const char* to = "20")
    {
        c.state.main.Eingabe = term;
        c.state.main.x_eingabe = from;
        c.state.main.y_eingabe = to;
        drawFromPanel(c);
        w.planeChanged();
    }
};

// The running program with its real windows; message boxes are only recorded.
class RunningApp : public ::testing::Test {
protected:
    RecordingQtUi ui;
    App app{&ui};

    void SetUp() override { app.start(); }
    void TearDown() override { app.end(); }
};

}  // namespace kw::test
