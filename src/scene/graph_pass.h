#pragma once

namespace kw {

class Context;
struct DrawRequest;

// The graph pass: takes range, quality and the normalized term (into xterm)
// from the request and draws the graph of f, sending families, root and log
// terms and sections to their own loops.
void berechnen(Context& c, const DrawRequest& r);

}  // namespace kw
