#include "gui/stroke.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace kw {

namespace {

// Rows handled at once: the coverage of a strip of this many rows is kept
// for the polyline's whole width, then laid on.
constexpr int kStrip = 64;

}  // namespace

void strokePolyline(QImage& image, const QRect& clip, std::span<const QPointF> points,
                    double width, QRgb colour)
{
    if (points.empty())
        return;
    // Coverage falls from full to none over the pixel around the edge.
    const double reach = width / 2 + 0.5;
    const double reach2 = reach * reach, inner2 = reach > 1 ? (reach - 1) * (reach - 1) : 0;
    double left = points[0].x(), right = left, top = points[0].y(), bottom = top;
    for (const QPointF& p : points) {
        left = std::min(left, p.x());
        right = std::max(right, p.x());
        top = std::min(top, p.y());
        bottom = std::max(bottom, p.y());
    }
    const QRect box = QRect(QPoint(int(std::floor(left - reach)), int(std::floor(top - reach))),
                            QPoint(int(std::ceil(right + reach)), int(std::ceil(bottom + reach)))) &
                      clip & image.rect();
    if (box.isEmpty())
        return;

    // A polyline of one point is a dot.
    const std::size_t segments = points.size() > 1 ? points.size() - 1 : 1;
    auto segment = [&](std::size_t i) {
        return std::pair(points[i], points[std::min(i + 1, points.size() - 1)]);
    };
    const int sr = qRed(colour), sg = qGreen(colour), sb = qBlue(colour);
    std::vector<std::uint8_t> cover(std::size_t(box.width()) * kStrip);
    struct Span {
        int row, from, to;  // columns relative to box
    };
    std::vector<Span> touched;  // what the segments reached, each pixel laid on once

    for (int strip = box.top(); strip <= box.bottom(); strip += kStrip) {
        const int rows = std::min(kStrip, box.bottom() + 1 - strip);
        touched.clear();
        for (std::size_t i = 0; i < segments; ++i) {
            const auto [a, b] = segment(i);
            const double sx = b.x() - a.x(), sy = b.y() - a.y(), length2 = sx * sx + sy * sy;
            const double inverse = length2 > 0 ? 1 / length2 : 0;
            const int y0 = std::max(strip, int(std::floor(std::min(a.y(), b.y()) - reach)));
            const int y1 = std::min(strip + rows - 1, int(std::ceil(std::max(a.y(), b.y()) + reach)));
            for (int y = y0; y <= y1; ++y) {
                const double cy = y + 0.5;
                // The part of the segment within reach of this row, widened by the reach.
                double t0 = 0, t1 = 1;
                const double dy = b.y() - a.y();
                if (dy != 0) {
                    t0 = (cy - reach - a.y()) / dy;
                    t1 = (cy + reach - a.y()) / dy;
                    if (t0 > t1)
                        std::swap(t0, t1);
                    t0 = std::max(t0, 0.0);
                    t1 = std::min(t1, 1.0);
                    if (t0 > t1)
                        continue;
                } else if (std::fabs(a.y() - cy) > reach) {
                    continue;
                }
                const double xa = a.x() + t0 * (b.x() - a.x()), xb = a.x() + t1 * (b.x() - a.x());
                const int x0 = std::max(box.left(), int(std::floor(std::min(xa, xb) - reach)));
                const int x1 = std::min(box.right(), int(std::ceil(std::max(xa, xb) + reach)));
                if (x0 > x1)
                    continue;
                const int row = y - strip;
                std::uint8_t* c = cover.data() + std::size_t(row) * std::size_t(box.width());
                const double ey = cy - a.y();
                for (int x = x0; x <= x1; ++x) {
                    // The distance of the pixel's centre to the segment, squared.
                    const double ex = x + 0.5 - a.x();
                    const double t = std::clamp((ex * sx + ey * sy) * inverse, 0.0, 1.0);
                    const double fx = ex - t * sx, fy = ey - t * sy;
                    const double d2 = fx * fx + fy * fy;
                    if (d2 >= reach2)
                        continue;
                    const int level =
                        d2 <= inner2 ? 255 : int((reach - std::sqrt(d2)) * 255 + 0.5);
                    std::uint8_t& at = c[x - box.left()];
                    at = std::max(at, std::uint8_t(level));
                }
                touched.push_back({row, x0 - box.left(), x1 - box.left()});
            }
        }
        for (const Span& span : touched) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(strip + span.row)) + box.left();
            std::uint8_t* c = cover.data() + std::size_t(span.row) * std::size_t(box.width());
            for (int x = span.from; x <= span.to; ++x) {
                const int k = c[x];
                if (k == 0)
                    continue;
                c[x] = 0;
                const QRgb d = line[x];
                auto mix = [k](int s, int t) { return (s * k + t * (255 - k) + 127) / 255; };
                line[x] = qRgb(mix(sr, qRed(d)), mix(sg, qGreen(d)), mix(sb, qBlue(d)));
            }
        }
    }
}

}  // namespace kw
