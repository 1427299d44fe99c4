#include "plane/plane_widget.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <cmath>

#include "core/plane.h"
#include "gui/render.h"

namespace kw {

PlaneWidget::PlaneWidget(const Plane& plane, QWidget* parent) : QWidget(parent), plane_(plane)
{
    setObjectName(QStringLiteral("Ebene"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    refresh();
}

void PlaneWidget::refresh()
{
    if (size() != QSize(plane_.width(), plane_.height()))
        resize(plane_.width(), plane_.height());
    viewValid_ = false;
    update();
}

QSize PlaneWidget::sizeHint() const { return QSize(plane_.width(), plane_.height()); }

std::optional<QPoint> PlaneWidget::tracePixel() const
{
    if (!trace_)
        return std::nullopt;
    const double p = std::floor(plane_.pixelX(trace_->x()));
    const double q = std::floor(plane_.pixelY(trace_->y()));
    constexpr double kFar = 1e7;
    if (!(std::fabs(p) < kFar && std::fabs(q) < kFar))
        return std::nullopt;
    return QPoint(int(p), int(q));
}

void PlaneWidget::updateTrace()
{
    if (auto at = tracePixel()) {
        update(QRect(0, at->y(), width(), 1));
        update(QRect(at->x(), 0, 1, height()));
    }
}

void PlaneWidget::setTrace(double x, double y)
{
    updateTrace();  // where they were
    trace_ = QPointF(x, y);
    updateTrace();
}

void PlaneWidget::renderView(const QRect& visible)
{
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = visible.size() * ratio;
    if (view_.size() != pixels)
        view_ = QImage(pixels, QImage::Format_RGB32);
    view_.setDevicePixelRatio(ratio);
    viewRect_ = visible;
    viewValid_ = !view_.isNull();
    if (!viewValid_)
        return;
    QPainter painter(&view_);
    painter.translate(-visible.topLeft());
    paintPlane(painter, plane_, visible);
}

void PlaneWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect visible = visibleRegion().boundingRect();
    if (visible.contains(event->rect())) {
        if (!viewValid_ || !viewRect_.contains(event->rect()))
            renderView(visible);
    }
    if (viewValid_ && viewRect_.contains(event->rect())) {
        const qreal ratio = view_.devicePixelRatio();
        for (const QRect& r : event->region()) {
            const QRectF source(QPointF(r.topLeft() - viewRect_.topLeft()) * ratio,
                                QSizeF(r.size()) * ratio);
            painter.drawImage(QRectF(r), view_, source);
        }
    } else {
        // Asked for more than the frame shows (a grab of the whole widget).
        paintPlane(painter, plane_, QRectF(event->rect()));
    }

    if (auto at = tracePixel()) {
        painter.setPen(QPen(QColor(0, 0, 255), 1, Qt::DotLine));
        painter.drawLine(QPointF(0, at->y() + 0.5), QPointF(width(), at->y() + 0.5));
        painter.drawLine(QPointF(at->x() + 0.5, 0), QPointF(at->x() + 0.5, height()));
    }
}

void PlaneWidget::mouseMoveEvent(QMouseEvent* event)
{
    emit mouseMoved(event->position().toPoint(), event->globalPosition().toPoint(),
                    event->buttons());
}

void PlaneWidget::mousePressEvent(QMouseEvent* event)
{
    emit mousePressed(event->globalPosition().toPoint(), event->button());
}

}  // namespace kw
