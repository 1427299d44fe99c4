#pragma once

#include <string>
#include <string_view>

#include "analysis/grid_search.h"

namespace kw {

class Context;

inline constexpr std::string_view kNullstellenGefunden = "Gefundene Nullstelen ";
inline constexpr std::string_view kKeineNullstellen = "keine Nullstellen gefunden";

// Searches the range of the last drawing (X to Y) for zeros of the drawn term
// and returns the report: "Gefundene Nullstelen " and a line 'x1 = -0,41' per
// zero, or "keine Nullstellen gefunden"; a search that ended early says so.
std::string nullstellenBericht(Context& c, GridLimits limits = {});

// "Nullstellen von f(x) Anzeigen": the search, its report in a message box.
void Nullstellen_fx_Click(Context& c);

}  // namespace kw
