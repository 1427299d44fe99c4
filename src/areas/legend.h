#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/plane.h"

namespace kw {

class Context;

struct LegendEntry {
    std::string text;  // "f1(x) = x^2"
    Rgb colour;
};

// A legend in the plane's top-left corner: per entry a short stroke and its
// text, both in the entry's colour, one line each, below the lines drawn on
// this picture before. Part of the picture, so exports, prints and the
// clipboard show it too. Nothing while the legend is switched off (the
// drawing window's menu "Ansicht").
void drawLegend(Context& c, std::span<const LegendEntry> entries);

// The pixels a text of the plane's font needs, a little generous.
double textWidth(std::string_view text);

// A label to be written beside a curve drawn as the plane's runs [firstRun, endRun).
struct CurveLabel {
    std::string text;
    std::uint32_t firstRun, endRun;
};

// Where each label goes (the top-left corner of its text, in pixels): beside
// its curve, wholly on the plane, over no other label, text or curve of the
// set and not into `reserved`; preferably towards the curve's right end.
// Nothing for a label without room.
std::vector<std::optional<Plane::Vertex>> placeLabels(const Plane& plane,
                                                      std::span<const CurveLabel> labels,
                                                      PixelBox reserved);

// The family just drawn: a legend line "f(x) = x^2+@ für @ = -2 … 5" (f1 when
// further functions follow) and each member's value ("1") beside its curve
// where there is room.
void labelFamily(Context& c, std::string_view typedTerm, Rgb colour);

// The legend line of f when further functions are named after it (the
// export's --and): "f1(x) = x^2".
void labelMain(Context& c, std::string_view typedTerm, Rgb colour);

}  // namespace kw
