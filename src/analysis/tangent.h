#pragma once

#include <string>
#include <string_view>

namespace kw {

class Context;
struct DrawRequest;

// The tangent of f at x0 as one term in x: slope and offset are the difference
// quotient and f with x0 already put in. xterm is the normalized term of f.
std::string tangentTerm(std::string_view xterm, double x0);

// Draws the tangent at x0 (x0_uebergabe, empty = 1) in the plane's fore colour
// while its switch is on. Any failure ends it silently.
void tangente(Context& c, const DrawRequest& r);

}  // namespace kw
