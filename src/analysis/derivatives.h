#pragma once

namespace kw {

class Context;

// The curves of the first, second and third derivative, laid over the graph in
// their own colours and widths. Each draws only while its switch is on.
void erste_Ableitung(Context& c);
void zweite_ableitung(Context& c);
void dritte_ableitung(Context& c);

// The switches: count the click, store the flag and redraw the plane.
void erste_Ableitung_click(Context& c);
void zweite_Ableitung_click(Context& c);
void dritte_Ableitung_click(Context& c);

}  // namespace kw
