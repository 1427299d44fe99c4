#pragma once

namespace kw {

class Context;
struct DrawRequest;

// The graph of f mirrored at y = x: f is sampled like the graph and every
// sample (x, f(x)) is drawn at (f(x), x), in its own colour and width.
void Umkehrfunktion(Context& c, const DrawRequest& r);

}  // namespace kw
