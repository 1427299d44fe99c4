#pragma once

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWidget>

namespace kw::test {

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

// Pixels of a picture that are plainly blue (the trace lines' colour).
inline int bluePixels(const QImage& image, QRect area)
{
    int n = 0;
    area &= image.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            n += c.blue() > 150 && c.red() < 100 && c.green() < 100;
        }
    return n;
}

inline int redPixels(const QImage& image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            n += c.red() > 150 && c.green() < 90 && c.blue() < 90;
        }
    return n;
}

}  // namespace kw::test
