#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>

#include "core/plane.h"

using namespace kw;

namespace {

double distanceToSegment(Plane::Vertex p, Plane::Vertex a, Plane::Vertex b)
{
    const double dx = b.x - a.x, dy = b.y - a.y, len = dx * dx + dy * dy;
    const double t = len > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len, 0.0, 1.0) : 0;
    return std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy);
}

// A polyline of `n` samples of pixel column t ↦ (t, f(t)) on a 1200-pixel plane.
Plane sampled(int n, double from, double to, const std::function<double(double)>& f)
{
    Plane plane;
    plane.scale(0, 0, 1200, 1200);
    for (int i = 1; i < n; ++i) {
        const double a = from + (to - from) * (i - 1) / (n - 1), b = from + (to - from) * i / (n - 1);
        plane.line(a, f(a), b, f(b));
    }
    return plane;
}

}  // namespace

// Every sample on the plane lies within half a pixel of the reduced polyline
// and every vertex of it within half a pixel of the samples' polyline; both
// ends stay, and it is much shorter where the curve is smooth.
TEST(Polyline, ReducedToWhatThePixelsShow)
{
    // name, samples, the share of them kept at most
    const std::tuple<const char*, Plane, double> cases[] = {
        {"parabola", sampled(4000, 0, 1200, [](double t) { return (t - 600) * (t - 600) / 300; }), 0.1},
        {"coarse", sampled(60, 0, 1200, [](double t) { return (t - 600) * (t - 600) / 300; }), 1},
        {"fine wave", sampled(4000, 0, 1200, [](double t) { return 600 + 0.2 * std::sin(t * 5); }), 0.01},
        {"noise", sampled(30000, 0, 100, [](double t) { return 600 + 0.14 * std::sin(t * 9999); }), 0.01},
        {"wave", sampled(20000, 0, 1200, [](double t) { return 600 + 200 * std::sin(t / 20); }), 0.1},
        {"spikes", sampled(3000, 0, 1200, [](double t) { return 600 + 400 * std::sin(t * 3); }), 1},
        {"far above", sampled(3000, 0, 1200, [](double t) { return -5000 * std::sin(t / 100); }), 0.1},
        {"turning back", sampled(3000, 0, 6.28, [](double t) {
             return 600 + 100 * std::sin(3 * t) * std::sin(t);
         }), 1},
    };
    const PixelBox area{-2, -2, 1202, 1202};
    for (const auto& [name, plane, atMost] : cases) {
        const Plane::Run& run = plane.runs().front();
        ASSERT_EQ(plane.runs().size(), 1u) << name;
        std::vector<Plane::Vertex> reduced;
        reducePolyline(plane, run, 1, area, reduced);
        const auto& all = plane.vertices();
        ASSERT_GE(reduced.size(), 2u) << name;
        EXPECT_EQ(reduced.front(), all.front()) << name;
        EXPECT_EQ(reduced.back(), all.back()) << name;
        EXPECT_LE(double(reduced.size()), atMost * double(all.size())) << name;
        // Each point of one line on the plane within half a pixel of the other line.
        auto within = [&area](const auto& points, const auto& line, const std::string& what) {
            for (const Plane::Vertex& p : points) {
                double nearest = HUGE_VAL;
                for (std::size_t i = 1; i < line.size(); ++i)
                    nearest = std::min(nearest, distanceToSegment(p, line[i - 1], line[i]));
                const bool onPlane = p.x >= area.left && p.x <= area.right && p.y >= area.top && p.y <= area.bottom;
                ASSERT_TRUE(!onPlane || nearest <= 0.55) << what << " " << p.x << ", " << p.y << ": " << nearest;
            }
        };
        const std::vector<Plane::Vertex> samples(all.begin(), all.end());
        within(samples, reduced, std::string(name) + " sample");
        within(reduced, samples, std::string(name) + " vertex");
        reducePolyline(plane, run, 0, area, reduced);
        EXPECT_EQ(reduced.size(), all.size()) << name;
    }
}
