#pragma once

#include <QImage>
#include <QPointF>
#include <QRect>
#include <QRgb>

#include <span>

namespace kw {

// Strokes a polyline (device pixels, pixel (i, j) covering [i, i + 1) ×
// [j, j + 1)) of `width` with round caps and joins into `image`, a 32-bit
// image without alpha. A pixel is covered by how far its centre lies inside
// the stroke's edge, up to one pixel, and the colour is laid on once where
// segments overlap. Only pixels inside `clip` change; the same polyline
// gives every pixel the same value whatever the clip. Qt strokes wide
// antialiased lines through general paths, which for curves of thousands
// of vertices costs many times this.
void strokePolyline(QImage& image, const QRect& clip, std::span<const QPointF> points,
                    double width, QRgb colour);

}  // namespace kw
