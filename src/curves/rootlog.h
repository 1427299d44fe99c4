#pragma once

#include <optional>

#include "core/plane.h"
#include "curves/graph.h"
#include "curves/sampling.h"

namespace kw {

class Context;

// Draws a term holding "sqr" or "log" only where it is defined: failing samples
// are skipped and break the polyline, values outside the x range are dropped.
// Never shows a message; the run ends early only for a term the engine cannot
// read at all. Nothing when the curve cannot be drawn.
std::optional<SampleRun> Wurzel_log_funktion(Context& c, const DrawRequest& r);

// The set-up root and log terms share with their piecewise variant: X and Y from
// the request's range, colour, normalization, pen width 2, progress bar. Gives the
// graph colour, or nothing when the curve cannot be drawn.
std::optional<Rgb> rootLogSetup(Context& c, const DrawRequest& r, Range& range);

}  // namespace kw
