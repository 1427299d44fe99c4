#pragma once

#include <QRect>
#include <QWidget>

namespace kw {

// "Fenster immer im Vordergrund": keeps the window above all others, or makes
// it an ordinary window again, where it is and as large as it is.
inline void keepOnTop(QWidget* window, bool on)
{
    const QRect frame = window->geometry();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, on);
    window->setGeometry(frame);
    window->show();
}

}  // namespace kw
