#pragma once

namespace kw {

class Context;

// Draws a term holding "sqr" or "log" only where it is defined: failing samples
// are skipped and break the polyline, values outside the x range are dropped.
// Never shows a message.
void Wurzel_log_funktion(Context& c);

}  // namespace kw
