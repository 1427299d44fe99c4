#pragma once

namespace kw {

struct DrawRequest;

class Context;

// Tick marks across both axes at every unit (every fifth on large ranges).
void Skalla(Context& c);

// Axis names and a number at every tick position; nothing while the zoom is
// below 70 %.
void Beschriftung(Context& c, const DrawRequest& r);

}  // namespace kw
