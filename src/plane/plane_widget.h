#pragma once

#include <QImage>
#include <QPointF>
#include <QWidget>

#include <optional>

namespace kw {

class Plane;

// `Ebene`: shows the plane at its pixel size inside the frame. Only the part
// the frame lets through is painted; it is kept as a view-sized picture so
// that the trace lines can move over it without painting the plane again.
class PlaneWidget : public QWidget {
    Q_OBJECT
public:
    explicit PlaneWidget(const Plane& plane, QWidget* parent = nullptr);

    // Takes over the plane's current size and content and repaints.
    void refresh();

    QSize sizeHint() const override;

    // `LineHtrace` and `LineVtrace`: dotted blue lines through world (x, y)
    // across the whole plane. They lie over the plane and never become part of
    // its picture; they keep their place until the next call.
    void setTrace(double x, double y);
    std::optional<QPointF> trace() const { return trace_; }

    // The part of the plane kept for painting (never more than the frame shows).
    QSize viewSize() const { return viewValid_ ? viewRect_.size() : QSize(); }

signals:
    // The mouse moved to `pos` (plane pixels, `global` on the screen) with `buttons` held.
    void mouseMoved(QPoint pos, QPoint global, Qt::MouseButtons buttons);
    void mousePressed(QPoint global, Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // The trace lines' pixel row and column, if they lie on the plane's mapping at all.
    std::optional<QPoint> tracePixel() const;
    void updateTrace();
    void renderView(const QRect& visible);

    const Plane& plane_;
    std::optional<QPointF> trace_;
    QImage view_;      // what the frame showed when last painted
    QRect viewRect_;   // where that lies on the plane
    bool viewValid_ = false;
};

}  // namespace kw
