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
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>

#include "app/app.h"
#include "core/context.h"
#include "panel/analysis_panel_window.h"
#include "panel/main_panel.h"
#include "panel/main_panel_window.h"
#include "panel/value_table_window.h"
#include "plane/drawing_window.h"
#include "plane/plane_widget.h"
#include "gui/qt_ui.h"
#include "support/plane_helpers.h"

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

// A control as "window/control" by object names ("Form1/Zeichnen_button") in a
// shown window, or by its name alone under `parent`; nullptr when missing.
inline QWidget* control(const QString& path, const QObject* parent = nullptr)
{
    if (!path.contains(QLatin1Char('/')))
        return parent ? parent->findChild<QWidget*>(path) : nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == path.section(QLatin1Char('/'), 0, 0) && w->isVisible())
            return w->findChild<QWidget*>(path.section(QLatin1Char('/'), 1));
    return nullptr;
}

// The text a field, list, label or text box shows.
inline QString textOf(const QWidget* w)
{
    if (auto* e = qobject_cast<const QLineEdit*>(w))
        return e->text();
    if (auto* b = qobject_cast<const QComboBox*>(w))
        return b->currentText();
    if (auto* l = qobject_cast<const QLabel*>(w))
        return l->text();
    if (auto* p = qobject_cast<const QPlainTextEdit*>(w))
        return p->toPlainText();
    return {};
}

// The text field of a line edit or an editable list; nullptr for anything else.
inline QLineEdit* editOf(QWidget* w)
{
    auto* box = qobject_cast<QComboBox*>(w);
    return box ? box->lineEdit() : qobject_cast<QLineEdit*>(w);
}

using Texts = std::vector<std::pair<const char*, const char*>>;

// Types each text into its field (a line edit, or an editable list) as a user
// would, over what it held.
inline void type(const QObject* parent, const Texts& texts)
{
    for (const auto& [name, text] : texts) {
        QLineEdit* edit = editOf(control(QString::fromUtf8(name), parent));
        ASSERT_NE(edit, nullptr) << name;
        edit->selectAll();
        edit->del();
        QTest::keyClicks(edit, QString::fromUtf8(text));
    }
}

inline void expectTexts(const QObject* parent, const Texts& texts)
{
    for (const auto& [name, text] : texts) {
        QWidget* w = control(QString::fromUtf8(name), parent);
        EXPECT_NE(w, nullptr) << name;
        EXPECT_EQ(textOf(w).toStdString(), text) << name;
    }
}

// One step of a user in a window: fields typed into, a button clicked (none
// when null), and what the fields then show.
struct Step {
    Texts typed;
    const char* button;
    Texts shown;
};

inline void run(const QObject* window, const std::vector<Step>& steps)
{
    for (const Step& s : steps) {
        type(window, s.typed);
        if (s.button)
            click(window, s.button);
        expectTexts(window, s.shown);
    }
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
        drawTerm(c, term, from, to);
        w.planeChanged();
    }
};

// The real UI services, except that message boxes are recorded instead of shown,
// so that a widget test never waits for a click, and that the screen is one the
// test chooses (at first one where every window has its place).
class RecordingQtUi : public QtUi {
public:
    std::vector<std::string> messages;
    QRect screen{0, 0, 1920, 1080};
    std::function<void()> onMessage;  // sees the windows as the message box would

    void message(std::string_view text, std::string_view) override
    {
        messages.emplace_back(text);
        if (onMessage)
            onMessage();
    }
    using Ui::message;
    QRect screenArea(const QWidget&) const override { return screen; }
};

// The running program with its real windows; message boxes are only recorded.
class RunningApp : public ::testing::Test {
protected:
    RecordingQtUi ui;
    App app{&ui};

    void SetUp() override { app.start(); }
    // Value tables outlive the program: the next test starts without them.
    void TearDown() override
    {
        app.end();
        qDeleteAll(valueTables());
    }
};

}  // namespace kw::test
