#pragma once

#include <QImage>
#include <QPointF>
#include <QWidget>

#include <cstdint>
#include <optional>
#include <vector>

#include "gui/render.h"

namespace kw {

class Plane;

// `Ebene`: shows the plane at its pixel size inside the frame. The plane is
// rendered once per redraw into a picture at the screen's density (the
// largest planes in tiles, made as they come into view and dropped, the
// longest unused first, beyond a memory budget); a paint event only copies
// from it, so scrolling, exposing and the trace lines never walk the display
// list.
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

    // Pictures at most this large (bytes) hold the whole plane; larger planes
    // go in tiles of kTileSide plane pixels, at most kTileBytes of them.
    static constexpr std::size_t kWholeBytes = std::size_t(96) << 20;
    static constexpr int kTileSide = 1024;
    static constexpr std::size_t kTileBytes = std::size_t(160) << 20;

    // What the cache holds, and how many pictures were rendered into it so far.
    std::size_t cacheBytes() const;
    int rendered() const { return rendered_; }

signals:
    // The mouse moved to `pos` (plane pixels, `global` on the screen) with `buttons` held.
    void mouseMoved(QPoint pos, QPoint global, Qt::MouseButtons buttons);
    void mousePressed(QPoint global, Qt::MouseButton button);
    // Painting the plane ran out of memory (the cache is given back, the
    // part shows white): the drawing must become smaller.
    void lowMemory();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // The trace lines' pixel row and column, if they lie on the plane's mapping at all.
    std::optional<QPoint> tracePixel() const;
    void updateTrace();
    struct Tile {
        QRect area;  // plane pixels
        QImage image;
        std::uint64_t used = 0;
    };
    // The tile covering `area`, rendered when missing; nothing when no memory
    // could be had for it.
    const Tile* tile(const QRect& area);

    const Plane& plane_;
    std::optional<QPointF> trace_;
    std::vector<Tile> tiles_;
    ReducedLines reduced_;  // the same for every tile
    qreal ratio_ = 0;     // the density the tiles were rendered at
    int side_ = 0;        // their side in plane pixels
    std::uint64_t clock_ = 0;
    int rendered_ = 0;
};

}  // namespace kw
