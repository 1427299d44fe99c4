#include "plane/drawing_window.h"

#include <QScrollArea>
#include <QScrollBar>

#include "panel/context.h"
#include "plane/plane_widget.h"

namespace kw {

DrawingWindow::DrawingWindow(Context& c, QWidget* parent) : QMainWindow(parent), c_(c)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Ebene"));
    frame_ = new QScrollArea(this);
    frame_->setObjectName(QStringLiteral("Fenster"));
    frame_->setBackgroundRole(QPalette::Base);
    frame_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    frame_->setFrameShape(QFrame::NoFrame);
    plane_ = new PlaneWidget(c_.ebene);
    frame_->setWidget(plane_);
    setCentralWidget(frame_);
    setGeometry(341, 126, 541, 458);
}

void DrawingWindow::planeChanged()
{
    const bool sizeChanged = plane_->size() != QSize(c_.ebene.width(), c_.ebene.height());
    plane_->refresh();
    if (sizeChanged) {
        // The origin sits in the middle of the plane: start there.
        for (QScrollBar* bar : {frame_->horizontalScrollBar(), frame_->verticalScrollBar()})
            bar->setValue((bar->minimum() + bar->maximum()) / 2);
    }
}

}  // namespace kw
