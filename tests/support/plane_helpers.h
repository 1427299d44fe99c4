#pragma once

#include <vector>

#include "plane/plane.h"

namespace kw::test {

// A drawn segment back in world coordinates of the plane's current mapping.
struct WorldLine {
    double x1, y1, x2, y2;
    Rgb colour;
    int width;
};

inline std::vector<WorldLine> worldLines(const Plane& p, Rgb colour)
{
    std::vector<WorldLine> out;
    for (const auto& it : p.items())
        if (it.kind == Plane::Kind::Line && it.colour == colour)
            out.push_back({p.worldX(it.x1), p.worldY(it.y1), p.worldX(it.x2), p.worldY(it.y2),
                           it.colour, it.width});
    return out;
}

inline std::vector<std::pair<double, double>> worldPoints(const Plane& p, Rgb colour)
{
    std::vector<std::pair<double, double>> out;
    for (const auto& it : p.items())
        if (it.kind == Plane::Kind::Point && it.colour == colour)
            out.emplace_back(p.worldX(it.x1), p.worldY(it.y1));
    return out;
}

}  // namespace kw::test
