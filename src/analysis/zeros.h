#pragma once

#include <string>
#include <string_view>

#include "analysis/clusters.h"
#include "analysis/grid_search.h"
#include "terms/compiled.h"

namespace kw {

class Context;
class Ui;

inline constexpr std::string_view kZerosFound = "Gefundene Nullstelen ";
inline constexpr std::string_view kNoZeros = "keine Nullstellen gefunden";

// q and the Newton step on q = 0 at a grid point, for a normalized term q: the
// zeros of f (q = f) and the crossings of f and g (q = f-(g)). The two
// statements are compiled together, so q costs little beyond the step.
class ZeroSampler {
public:
    ZeroSampler(std::string_view xterm, bool fromText);
    Sample operator()(double at, double x);

private:
    Compiled statements_;
};

// The zero search's parts: the samples at the grid points, and the zero a
// cluster reports (see findZeros).
struct ZeroSearch {
    ZeroSampler sample;
    Compiled value;

    ZeroSearch(std::string_view xterm, bool fromText);
    static std::optional<double> key(const Sample& s) { return magnitude(s); }
    std::optional<double> point(const Cluster& c);
};

// The zeros of a normalized term between from and to: for each cluster of
// candidates (see ClusterWalk) the point where |f| is smallest, if f is 0
// there, changes sign across it or is no larger beside it; where f changes sign
// the zero between the grid points, to the shown digits. The UI (may be null)
// shows progress and is asked now and then whether to stop.
SearchResult<double> findZeros(std::string_view xterm, double from, double to, Ui* ui,
                               GridLimits limits = {});

// "Gefundene Nullstelen " and a line 'x1 = -0,41' per zero, or "keine
// Nullstellen gefunden"; a search that ended early says so.
std::string zerosText(const SearchResult<double>& zeros);

// The zeros of the drawn term over the range of the last drawing (X to Y) as
// that report; the difference-quotient terms of f are left in the shared state.
std::string zerosReport(Context& c, GridLimits limits = {});

// "Nullstellen von f(x) Anzeigen": the search, its report in a message box.
void Nullstellen_fx_Click(Context& c);

}  // namespace kw
