#include "core/plane.h"

#include <algorithm>
#include <cmath>

#include "terms/numtext.h"

namespace kw {

Plane::Plane() = default;

void Plane::resize(int w, int h)
{
    width_ = std::clamp(w, 1, kMaxSide);
    height_ = std::clamp(h, 1, kMaxSide);
}

void Plane::clear()
{
    runs_.clear();
    vertices_.clear();
    texts_.clear();
}

void Plane::release()
{
    std::vector<Run>().swap(runs_);
    std::deque<Vertex>().swap(vertices_);
    std::vector<std::string>().swap(texts_);
}

void Plane::scale(double left, double top, double right, double bottom)
{
    left_ = left;
    top_ = top;
    right_ = right;
    bottom_ = bottom;
}

// A mapping without extent (left == right) puts everything on the middle line
// instead of dividing by zero.
double Plane::pixelX(double x) const
{
    double w = right_ - left_;
    return w == 0 ? width_ / 2.0 : (x - left_) * width_ / w;
}

double Plane::pixelY(double y) const
{
    double h = bottom_ - top_;
    return h == 0 ? height_ / 2.0 : (y - top_) * height_ / h;
}

double Plane::worldX(double p) const { return left_ + (right_ - left_) * p / width_; }
double Plane::worldY(double q) const { return top_ + (bottom_ - top_) * q / height_; }

// Items whose pixel coordinates are not finite (or absurdly far away) cannot be
// painted; they are dropped instead of poisoning the renderer.
bool Plane::keep(double a, double b, double c, double d) const
{
    constexpr double kFar = 1e9;
    return std::fabs(a) < kFar && std::fabs(b) < kFar && std::fabs(c) < kFar && std::fabs(d) < kFar;
}

void Plane::append(Kind kind, Rgb colour, Vertex a, const Vertex* b)
{
    const auto width = std::uint16_t(penWidth_);
    if (kind != Kind::Text && !runs_.empty()) {
        Run& last = runs_.back();
        if (last.kind == kind && last.width == width && last.colour == colour &&
            (kind == Kind::Point || vertices_.back() == a)) {
            vertices_.push_back(kind == Kind::Point ? a : *b);
            ++last.count;
            return;
        }
    }
    const auto first = std::uint32_t(vertices_.size());
    vertices_.push_back(a);
    if (b)
        vertices_.push_back(*b);
    runs_.push_back({kind, width, colour, first, b ? 2u : 1u,
                     kind == Kind::Text ? std::uint32_t(texts_.size() - 1) : 0});
}

void Plane::line(double x1, double y1, double x2, double y2, Rgb colour)
{
    double p1 = pixelX(x1), q1 = pixelY(y1), p2 = pixelX(x2), q2 = pixelY(y2);
    if (!keep(p1, q1, p2, q2))
        return;
    const Vertex b{float(p2), float(q2)};
    append(Kind::Line, colour, {float(p1), float(q1)}, &b);
}

void Plane::point(double x, double y, Rgb colour)
{
    double p = pixelX(x), q = pixelY(y);
    if (!keep(p, q, p, q))
        return;
    append(Kind::Point, colour, {float(p), float(q)}, nullptr);
}

std::vector<Plane::Item> Plane::items() const
{
    std::vector<Item> out;
    for (const Run& r : runs_) {
        auto v = vertices_.begin() + r.first;
        switch (r.kind) {
        case Kind::Line:
            for (std::uint32_t i = 1; i < r.count; ++i, ++v)
                out.push_back({r.kind, r.width, r.colour, v->x, v->y, v[1].x, v[1].y, 0});
            break;
        case Kind::Point:
            for (std::uint32_t i = 0; i < r.count; ++i, ++v)
                out.push_back({r.kind, r.width, r.colour, v->x, v->y, v->x, v->y, 0});
            break;
        case Kind::Text:
            out.push_back({r.kind, r.width, r.colour, v->x, v->y, v->x, v->y, r.text});
            break;
        }
    }
    return out;
}

void Plane::print(std::string_view text)
{
    double p = pixelX(currentX_), q = pixelY(currentY_);
    if (keep(p, q, p, q)) {
        texts_.emplace_back(text);
        append(Kind::Text, foreColor_, {float(p), float(q)}, nullptr);
    }
    currentX_ = left_;
    currentY_ = worldY(q + kLineHeight);
}

void Plane::printNumber(double v)
{
    std::string s;
    if (v >= 0)
        s += ' ';
    s += text(v);
    s += ' ';
    print(s);
}

namespace {

// Drops the vertices that lie within the tolerance of the segment from the
// last kept vertex (the anchor) to a later one. Every vertex passed over
// narrows the cone of directions from the anchor that still pass within the
// tolerance of it; a vertex outside the cone ends the segment at the one
// before. A later vertex must also not fall short of those passed over, so a
// curve that turns back keeps its tip.
class Simplifier {
public:
    Simplifier(double tolerance, std::vector<Plane::Vertex>& out) : tol_(tolerance), out_(out) {}

    void add(Plane::Vertex p)
    {
        if (out_.empty()) {
            keep(p);
            return;
        }
        double vx = double(p.x) - ax_, vy = double(p.y) - ay_;
        double d = std::sqrt(vx * vx + vy * vy);
        if (cone_ && (cross(loX_, loY_, vx, vy) < 0 || cross(vx, vy, hiX_, hiY_) < 0 ||
                      d < reach_ - tol_ / 2)) {
            keep(prev_);
            vx = double(p.x) - ax_;
            vy = double(p.y) - ay_;
            d = std::sqrt(vx * vx + vy * vy);
        }
        if (d > tol_) {
            // The directions that pass the vertex at the tolerance, v turned
            // by ∓asin(tol / d), each scaled by d²: only their sides matter.
            const double e = std::sqrt(d * d - tol_ * tol_);
            const double loX = vx * e + vy * tol_, loY = vy * e - vx * tol_;
            const double hiX = vx * e - vy * tol_, hiY = vy * e + vx * tol_;
            if (!cone_ || cross(loX_, loY_, loX, loY) > 0) {
                loX_ = loX;
                loY_ = loY;
            }
            if (!cone_ || cross(hiX, hiY, hiX_, hiY_) > 0) {
                hiX_ = hiX;
                hiY_ = hiY;
            }
            cone_ = true;
        }
        reach_ = std::max(reach_, d);
        prev_ = p;
        pending_ = true;
    }
    void finish()
    {
        if (pending_)
            out_.push_back(prev_);
    }

private:
    static double cross(double ax, double ay, double bx, double by) { return ax * by - ay * bx; }
    void keep(Plane::Vertex p)
    {
        out_.push_back(p);
        ax_ = p.x;
        ay_ = p.y;
        cone_ = pending_ = false;
        reach_ = 0;
    }

    const double tol_;
    std::vector<Plane::Vertex>& out_;
    double ax_ = 0, ay_ = 0;
    bool cone_ = false, pending_ = false;
    double loX_ = 0, loY_ = 0, hiX_ = 0, hiY_ = 0;
    double reach_ = 0;
    Plane::Vertex prev_{};
};

// Gathers the samples of one pixel column and hands on what the column shows.
class Columns {
public:
    Columns(double pixel, Simplifier& next) : pixel_(pixel), next_(next) {}

    void add(Plane::Vertex p)
    {
        const double column = std::floor(p.x / pixel_);
        if (count_ > 0 && column != column_)
            flush();
        if (count_ == 0) {
            column_ = column;
            first_ = low_ = high_ = p;
            lowAt_ = highAt_ = 0;
        }
        if (p.y < low_.y) {
            low_ = p;
            lowAt_ = count_;
        }
        if (p.y > high_.y) {
            high_ = p;
            highAt_ = count_;
        }
        last_ = p;
        ++count_;
    }
    void flush()
    {
        if (count_ == 1) {
            next_.add(first_);
        } else if (count_ > 1 && high_.y - low_.y < pixel_ / 2) {
            next_.add({(first_.x + last_.x) / 2, (low_.y + high_.y) / 2});
        } else if (count_ > 1) {
            next_.add(first_);
            const bool lowFirst = lowAt_ < highAt_;
            for (auto [v, at] : {lowFirst ? std::pair(low_, lowAt_) : std::pair(high_, highAt_),
                                 lowFirst ? std::pair(high_, highAt_) : std::pair(low_, lowAt_)})
                if (at != 0 && at != count_ - 1)
                    next_.add(v);
            next_.add(last_);
        }
        count_ = 0;
    }

private:
    const double pixel_;
    Simplifier& next_;
    double column_ = 0;
    int count_ = 0;
    Plane::Vertex first_{}, last_{}, low_{}, high_{};
    int lowAt_ = 0, highAt_ = 0;
};

}  // namespace

void reducePolyline(const Plane& plane, const Plane::Run& run, double pixel, const PixelBox& area,
                    std::vector<Plane::Vertex>& out)
{
    out.clear();
    const auto begin = plane.vertices().begin() + run.first, end = begin + run.count;
    if (pixel <= 0 || run.count <= 2) {
        out.assign(begin, end);
        return;
    }
    Simplifier simplifier(pixel / 4, out);
    Columns columns(pixel, simplifier);
    simplifier.add(*begin);
    // The sides of `area` a vertex lies beyond, one bit each. While every
    // vertex since the last one passed on shares a side with it, the
    // segments between them lie wholly beyond it, and so does the segment
    // from the first to the last of them.
    auto sides = [&](Plane::Vertex v) {
        return unsigned(v.x < area.left) | unsigned(v.x > area.right) << 1 |
               unsigned(v.y < area.top) << 2 | unsigned(v.y > area.bottom) << 3;
    };
    unsigned shared = sides(*begin);
    bool holding = false;
    Plane::Vertex held{};
    for (auto it = begin + 1; it != end - 1; ++it) {
        const unsigned s = sides(*it);
        if (shared & s) {
            shared &= s;
            held = *it;
            holding = true;
            continue;
        }
        if (holding)
            columns.add(held);
        holding = false;
        columns.add(*it);
        shared = s;
    }
    if (holding)
        columns.add(held);
    columns.flush();
    simplifier.add(end[-1]);
    simplifier.finish();
}

}  // namespace kw
