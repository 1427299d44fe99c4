#pragma once

#include <string>
#include <string_view>

#include "analysis/grid_search.h"

namespace kw {

class Context;
class Ui;

inline constexpr std::string_view kNullstellenGefunden = "Gefundene Nullstelen ";
inline constexpr std::string_view kKeineNullstellen = "keine Nullstellen gefunden";

// The zeros of a normalized term between from and to: the grid points whose
// rounded Newton step stays put. The UI (may be null) shows progress and is
// asked now and then whether to stop.
SearchResult<double> findZeros(std::string_view xterm, double from, double to, Ui* ui,
                               GridLimits limits = {});

// "Gefundene Nullstelen " and a line 'x1 = -0,41' per zero, or "keine
// Nullstellen gefunden"; a search that ended early says so.
std::string nullstellenText(const SearchResult<double>& zeros);

// The zeros of the drawn term over the range of the last drawing (X to Y) as
// that report; the difference-quotient terms of f are left in the shared state.
std::string nullstellenBericht(Context& c, GridLimits limits = {});

// "Nullstellen von f(x) Anzeigen": the search, its report in a message box.
void Nullstellen_fx_Click(Context& c);

}  // namespace kw
