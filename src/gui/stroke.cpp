#include "gui/stroke.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace kw {

namespace {

// Rows handled at once: the coverage of a strip of this many rows is kept
// for the polyline's whole width, then laid on.
constexpr int kStrip = 64;

struct Span {
    double from, to;
    bool empty() const { return from > to; }
    void join(Span s)
    {
        from = std::min(from, s.from);
        to = std::max(to, s.to);
    }
};
constexpr Span kNone{HUGE_VAL, -HUGE_VAL};

// The x on a row less than `reach` from the segment a–b: the row's cut
// through the segment's capsule, which is convex, so the cuts through its
// two end discs and its band join into one span.
class Capsule {
public:
    Capsule(QPointF a, QPointF b, double reach) : a_(a), b_(b), reach_(reach)
    {
        // Along the segment 0 ≤ (x − ax)·ux + ey·uy ≤ length, across it
        // |ey·ux − (x − ax)·uy| < reach, with ey = y − ay: each is a span
        // of x − ax whose ends move by a fixed slope per unit of ey.
        const double sx = b.x() - a.x(), sy = b.y() - a.y(), length = std::sqrt(sx * sx + sy * sy);
        if (length == 0) {
            alongY_ = kNone;  // a dot: its disc alone
            return;
        }
        const double ux = sx / length, uy = sy / length;
        if (ux != 0)
            along_ = {-uy / ux, std::min(0.0, length / ux), std::max(0.0, length / ux)};
        else
            alongY_ = uy > 0 ? Span{0, length} : Span{-length, 0};
        if (uy != 0)
            across_ = {ux / uy, -reach / std::fabs(uy), reach / std::fabs(uy)};
        else
            acrossY_ = {-reach, reach};
    }
    Span cut(double y) const
    {
        Span cut = kNone;
        for (QPointF p : {a_, b_}) {
            const double h = y - p.y();
            if (std::fabs(h) < reach_) {
                const double w = std::sqrt(reach_ * reach_ - h * h);
                cut.join({p.x() - w, p.x() + w});
            }
        }
        const double ey = y - a_.y();
        if (ey < alongY_.from || ey > alongY_.to || ey <= acrossY_.from || ey >= acrossY_.to)
            return cut;
        const Span band{std::max(along_.at(ey).from, across_.at(ey).from),
                        std::min(along_.at(ey).to, across_.at(ey).to)};
        if (!band.empty())
            cut.join({a_.x() + band.from, a_.x() + band.to});
        return cut;
    }

private:
    // A span whose ends move by `slope` per unit of ey.
    struct Moving {
        double slope = 0, from = -HUGE_VAL, to = HUGE_VAL;
        Span at(double ey) const { return {ey * slope + from, ey * slope + to}; }
    };

    QPointF a_, b_;
    double reach_;
    Moving along_, across_;
    // The rows the band reaches where its span does not move with ey.
    Span alongY_{-HUGE_VAL, HUGE_VAL}, acrossY_{-HUGE_VAL, HUGE_VAL};
};

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
    // The strips each segment reaches, as lists of segments per strip.
    const int strips = (box.height() + kStrip - 1) / kStrip;
    std::vector<std::uint32_t> first(std::size_t(strips) + 1), order;
    // The rows a segment may reach.
    auto rowsOf = [&](QPointF a, QPointF b) {
        return std::pair(int(std::floor(std::min(a.y(), b.y()) - reach)),
                         int(std::ceil(std::max(a.y(), b.y()) + reach)));
    };
    auto stripsOf = [&](std::size_t i) {
        const auto [a, b] = segment(i);
        const auto [y0, y1] = rowsOf(a, b);
        return std::pair(std::max(y0 - box.top(), 0) / kStrip,
                         std::min(y1 - box.top(), box.height() - 1) / kStrip);
    };
    for (std::size_t i = 0; i < segments; ++i) {
        const auto [s0, s1] = stripsOf(i);
        for (int s = s0; s <= s1; ++s)
            ++first[std::size_t(s) + 1];
    }
    for (int s = 0; s < strips; ++s)
        first[std::size_t(s) + 1] += first[std::size_t(s)];
    order.resize(first.back());
    {
        std::vector<std::uint32_t> next(first.begin(), first.end() - 1);
        for (std::size_t i = 0; i < segments; ++i) {
            const auto [s0, s1] = stripsOf(i);
            for (int s = s0; s <= s1; ++s)
                order[next[std::size_t(s)]++] = std::uint32_t(i);
        }
    }

    const QRgb solid = colour | 0xff000000u;
    const int sr = qRed(colour), sg = qGreen(colour), sb = qBlue(colour);
    uchar* const bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    auto line = [&](int y) { return reinterpret_cast<QRgb*>(bits + y * stride); };
    std::vector<std::uint8_t> cover(std::size_t(box.width()) * kStrip);
    struct Touched {
        int row, from, to;  // columns relative to box
    };
    std::vector<Touched> touched;  // what the segments reached, each pixel laid on once

    for (int s = 0; s < strips; ++s) {
        const int strip = box.top() + s * kStrip;
        const int rows = std::min(kStrip, box.bottom() + 1 - strip);
        touched.clear();
        for (std::uint32_t k = first[std::size_t(s)]; k < first[std::size_t(s) + 1]; ++k) {
            const auto [a, b] = segment(order[k]);
            const double sx = b.x() - a.x(), sy = b.y() - a.y(), length2 = sx * sx + sy * sy;
            const double inverse = length2 > 0 ? 1 / length2 : 0;
            const auto [reachTop, reachBottom] = rowsOf(a, b);
            const int y1 = std::min(strip + rows - 1, reachBottom);
            const Capsule capsule(a, b, reach);
            for (int y = std::max(strip, reachTop); y <= y1; ++y) {
                const double cy = y + 0.5;
                const Span cut = capsule.cut(cy);
                if (cut.empty())
                    continue;
                // The pixels whose centres lie in the cut, and one more each
                // side: the distance below decides. (Within the box a
                // conversion to int rounds down.)
                const double from = std::max(cut.from - 0.5, double(box.left()));
                const double to = std::min(cut.to - 0.5, double(box.right()));
                if (from > to)
                    continue;
                const int x0 = int(from), x1 = std::min(box.right(), int(to) + 1);
                const int row = y - strip;
                std::uint8_t* c = cover.data() + std::size_t(row) * std::size_t(box.width());
                const QRgb* d = line(y);
                const double ey = cy - a.y();
                bool covered = false;
                for (int x = x0; x <= x1; ++x) {
                    // Where the picture has the colour already, any coverage leaves it so.
                    if (d[x] == solid)
                        continue;
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
                    covered = true;
                }
                if (covered)
                    touched.push_back({row, x0 - box.left(), x1 - box.left()});
            }
        }
        for (const Touched& span : touched) {
            QRgb* d = line(strip + span.row) + box.left();
            std::uint8_t* c = cover.data() + std::size_t(span.row) * std::size_t(box.width());
            for (int x = span.from; x <= span.to; ++x) {
                const int k = c[x];
                if (k == 0)
                    continue;
                c[x] = 0;
                const QRgb was = d[x];
                auto mix = [k](int from, int to) { return (from * k + to * (255 - k) + 127) / 255; };
                d[x] = qRgb(mix(sr, qRed(was)), mix(sg, qGreen(was)), mix(sb, qBlue(was)));
            }
        }
    }
}

}  // namespace kw
