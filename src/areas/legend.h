#pragma once

#include <span>
#include <string>

#include "core/plane.h"

namespace kw {

class Context;

struct LegendEntry {
    std::string text;  // "f1(x) = x^2"
    Rgb colour;
};

// A legend in the plane's top-left corner: per entry a short stroke and its
// text, both in the entry's colour, one line each. Part of the picture, so
// exports, prints and the clipboard show it too. Nothing while the legend is
// switched off (the drawing window's menu "Ansicht").
void drawLegend(Context& c, std::span<const LegendEntry> entries);

}  // namespace kw
