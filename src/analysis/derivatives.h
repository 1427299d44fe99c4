#pragma once

#include <string_view>

namespace kw {

class Context;
struct DrawRequest;
struct State;

// Builds fx_term, fxh_term and the quotient terms up to the given order (1 to 3)
// from xterm into the shared state.
void buildDerivativeTerms(State& s, std::string_view xterm, int order);

// The curves of the first, second and third derivative, laid over the graph in
// their own colours and widths. Each draws only while its switch is on.
void erste_Ableitung(Context& c, const DrawRequest& r);
void zweite_ableitung(Context& c, const DrawRequest& r);
void dritte_ableitung(Context& c, const DrawRequest& r);

}  // namespace kw
