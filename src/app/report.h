#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "app/batch.h"

namespace kw {

// A report without windows: what one of the analysis buttons would show after
// drawing a term with a range.
struct ReportOptions : FieldTexts {  // --term, --from, --to
    enum class Kind { Zeros, Extrema, Inflections, Table, Intersections, Integral, Area, Bridge, Discussion };
    Kind kind = Kind::Zeros;
    bool derivative = false;                  // --derivative 1: the table shows f' too
    std::vector<std::string> und;             // --and G: the further functions, g(x) for Area
    std::optional<std::string> lower, upper;  // --lower A, --upper B
    std::optional<ThreeTexts> bridge;         // --bridge SPAN HEIGHT LOWEST (Kind::Bridge)
};

// Draws the term as "Zeichnen" would, runs the search and writes the text its
// message box would show to out (the table: a line per column, x, f(x) and
// f'(x) separated by tabs). The calculators write what their result boxes
// would show: the lines of the points found, one per line, then the signed
// integral and "Flächeninhalt: A" on a line each. A term the drawing rejects,
// or an integral that cannot be computed, writes the message to err, nothing to
// out, and returns 1; otherwise 0. The bridge
// report writes what the bridge calculator shows, a1, a2, c1, c2 and the
// cable's term, or its message to err and returns 1.
int runReport(const ReportOptions& options, std::ostream& out, std::ostream& err);

}  // namespace kw
