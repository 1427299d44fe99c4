#include "plane/plane_widget.h"

#include <QPaintEvent>
#include <QPainter>

#include "plane/plane.h"
#include "plane/render.h"

namespace kw {

PlaneWidget::PlaneWidget(const Plane& plane, QWidget* parent) : QWidget(parent), plane_(plane)
{
    setObjectName(QStringLiteral("Ebene"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    refresh();
}

void PlaneWidget::refresh()
{
    if (size() != QSize(plane_.width(), plane_.height()))
        resize(plane_.width(), plane_.height());
    update();
}

QSize PlaneWidget::sizeHint() const { return QSize(plane_.width(), plane_.height()); }

void PlaneWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    paintPlane(painter, plane_, QRectF(event->rect()));
}

}  // namespace kw
