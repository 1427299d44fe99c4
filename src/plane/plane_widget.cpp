#include "plane/plane_widget.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <new>

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
    tiles_.clear();
    reduced_ = {};
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

std::size_t PlaneWidget::cacheBytes() const
{
    std::size_t bytes = 0;
    for (const Tile& t : tiles_)
        bytes += std::size_t(t.image.sizeInBytes());
    return bytes;
}

const PlaneWidget::Tile* PlaneWidget::tile(const QRect& area)
{
    for (Tile& t : tiles_)
        if (t.area == area) {
            t.used = ++clock_;
            return &t;
        }
    const std::size_t bytes = std::size_t(area.width() * ratio_) * std::size_t(area.height() * ratio_) * 4;
    while (!tiles_.empty() && cacheBytes() + bytes > std::max(kTileBytes, bytes)) {
        const auto oldest = std::min_element(tiles_.begin(), tiles_.end(), [](const Tile& a, const Tile& b) {
            return a.used < b.used;
        });
        tiles_.erase(oldest);
    }
    QImage image(area.size() * ratio_, QImage::Format_RGB32);
    if (image.isNull())
        return nullptr;
    image.setDevicePixelRatio(ratio_);
    {
        QPainter painter(&image);
        painter.translate(-area.topLeft());
        paintPart(painter, plane_, area, &reduced_);
    }
    ++rendered_;
    tiles_.push_back({area, std::move(image), ++clock_});
    return &tiles_.back();
}

void PlaneWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect whole(0, 0, plane_.width(), plane_.height());
    const qreal ratio = devicePixelRatioF();
    if (ratio != ratio_ || tiles_.empty()) {
        tiles_.clear();
        reduced_ = {};
        ratio_ = ratio;
        const double bytes = double(whole.width()) * whole.height() * ratio * ratio * 4;
        side_ = bytes <= double(kWholeBytes) ? std::max(whole.width(), whole.height()) : kTileSide;
    }
    for (const QRect& r : event->region()) {
        const QRect wanted = r & whole;
        if (wanted.isEmpty())
            continue;
        for (int ty = wanted.top() / side_; ty <= wanted.bottom() / side_; ++ty)
            for (int tx = wanted.left() / side_; tx <= wanted.right() / side_; ++tx) {
                const QRect area = QRect(tx * side_, ty * side_, side_, side_) & whole;
                const QRect part = area & wanted;
                const Tile* t = nullptr;
                try {
                    t = tile(area);
                } catch (const std::bad_alloc&) {
                    tiles_.clear();  // give back what the cache holds
                    reduced_ = {};
                    painter.fillRect(part, Qt::white);
                    emit lowMemory();
                    continue;
                }
                if (t)
                    painter.drawImage(QRectF(part), t->image,
                                      QRectF(QPointF(part.topLeft() - area.topLeft()) * ratio_,
                                             QSizeF(part.size()) * ratio_));
                else
                    paintPlane(painter, plane_, QRectF(part));  // no memory for the picture
            }
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
