#include "core/plane.h"

#include <algorithm>
#include <cmath>

#include "terms/numtext.h"

namespace kw {

Plane::Plane() { items_.reserve(8192); }

void Plane::resize(int w, int h)
{
    width_ = std::clamp(w, 1, kMaxSide);
    height_ = std::clamp(h, 1, kMaxSide);
}

void Plane::clear()
{
    items_.clear();
    texts_.clear();
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

void Plane::line(double x1, double y1, double x2, double y2, Rgb colour)
{
    double p1 = pixelX(x1), q1 = pixelY(y1), p2 = pixelX(x2), q2 = pixelY(y2);
    if (!keep(p1, q1, p2, q2))
        return;
    items_.push_back({Kind::Line, std::uint16_t(penWidth_), colour, float(p1), float(q1), float(p2),
                      float(q2), 0});
}

void Plane::point(double x, double y, Rgb colour)
{
    double p = pixelX(x), q = pixelY(y);
    if (!keep(p, q, p, q))
        return;
    items_.push_back({Kind::Point, std::uint16_t(penWidth_), colour, float(p), float(q), float(p),
                      float(q), 0});
}

void Plane::print(std::string_view text)
{
    double p = pixelX(currentX_), q = pixelY(currentY_);
    if (keep(p, q, p, q)) {
        texts_.emplace_back(text);
        items_.push_back({Kind::Text, std::uint16_t(penWidth_), foreColor_, float(p), float(q),
                          float(p), float(q), std::uint32_t(texts_.size() - 1)});
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

}  // namespace kw
