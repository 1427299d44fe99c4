#pragma once

#include <string>
#include <string_view>

#include "analysis/grid_search.h"

namespace kw {

class Context;
class Ui;

inline constexpr std::string_view kExtremaFound = "Gefundene Lokale Extrema: ";
inline constexpr std::string_view kNoExtrema = "keine Extrema gefunden";
inline constexpr std::string_view kInflectionsFound = "Gefundene Terassen- und Wendepunkte: ";
inline constexpr std::string_view kNoInflections = "keine Terassen- bzw. Wendepunkte gefunden";

struct Extremum {
    double x, y;  // x as shown (two decimals), y: f at the point found, not rounded
    bool isMaximum;
};

struct Inflection {
    double x, y;
    bool isTerrace;  // the tangent is horizontal there
};

// The local extrema of a normalized term between from and to: where f'
// changes sign between grid points, by more than rounding noise (measured
// against f, so a term's scale does not move them), the point between them,
// also at a kink; told by f at the grid points beside it. The UI (may be null)
// shows progress and is asked now and then whether to stop.
SearchResult<Extremum> findExtrema(std::string_view xterm, double from, double to, Ui* ui,
                                   GridLimits limits = {});

// The terrace and inflection points: where f'' changes sign likewise, the
// point between the grid points, if f has no corner or pole there and |f|
// stays below `to`.
SearchResult<Inflection> findInflections(std::string_view xterm, double from, double to, Ui* ui,
                                         GridLimits limits = {});

// The zeros, extrema and inflection points together, as findZeros,
// findExtrema and findInflections find them, in one walk over the grid: f at
// a grid point and beside it serves all three searches.
struct CurvePoints {
    SearchResult<double> zeros;
    SearchResult<Extremum> extrema;
    SearchResult<Inflection> inflections;
};
CurvePoints findCurvePoints(std::string_view xterm, double from, double to, Ui* ui, GridLimits limits = {});

// A search's findings as its report shows them: a line per point, or the
// report that none was found; a search that ended early says so.
std::string extremaText(const SearchResult<Extremum>& found);
std::string inflectionsText(const SearchResult<Inflection>& found);

// The reports of the two searches over the range of the last drawing (X to Y):
// a line per point, or the report that none was found; a search that ended
// early says so. The difference-quotient terms of f are left in the shared state.
std::string extremaReport(Context& c, GridLimits limits = {});
std::string inflectionsReport(Context& c, GridLimits limits = {});

// The search the flags ask for (extrema_test, s_and_w_test), one message box
// per report.
void Extrema(Context& c);

// "Lokale Extremwerte von f(x)" and "Terassen- und Wendepunkte ": each sets its
// flag only for the one search, so each shows only its own report.
void Extrema_butt_Click(Context& c);
void S_and_W_punkte_Click(Context& c);

}  // namespace kw
