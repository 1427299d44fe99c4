#pragma once

#include <optional>
#include <string_view>

#include "core/plane.h"
#include "curves/graph.h"
#include "curves/sampling.h"

namespace kw {

class Context;

// A section bound as typed moves one end of the range: the unbounded mark
// ("-u" or "+u") or an empty text keeps the end. False when the text is
// neither that mark nor a number; the end is then kept too.
bool applyBound(std::string_view bound, std::string_view unbounded, double& end);

// The section loop of the graph pass, for terms without "sqr" and "log": X and
// Y become the section bounds, and every sample inside them is drawn as a
// single point whatever its value. Points where f is undefined are skipped;
// any other failure ends the loop. Nothing when a bound is not usable.
std::optional<SampleRun> drawSection(Context& c, const Range& range, Rgb colour);

// A section of a term holding "sqr" or "log": points only where f is defined
// and its value lies strictly between the section bounds. Never shows a
// message; ends early as Wurzel_log_funktion does.
std::optional<SampleRun> Wurzel_log_Funktion_Abschnittweise(Context& c, const DrawRequest& r);

}  // namespace kw
