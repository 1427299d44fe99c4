#pragma once

namespace kw {

class Context;

// The graph pass: reads range and quality, normalizes the term into xterm and
// draws the graph of f, sending families, root and log terms and sections to
// their own loops.
void berechnen(Context& c);

}  // namespace kw
