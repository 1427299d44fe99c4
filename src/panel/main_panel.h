#pragma once

#include <array>
#include <string_view>

#include "panel/state.h"

namespace kw {

class Context;

// The example terms "Zufall f(x)" picks from.
inline constexpr std::array<std::string_view, 21> kBeispiele{
    "sin(x)+1/x",
    "0,5*x^3-2*x^2-x+4",
    "1/sqr(x^2+0,1)",
    "exp(x)",
    "-x/2-tan(x*2)",
    "abs(cos(x))*4-2",
    "sin(x*12)/5+cos(x-1)*3+sin(x*2)/4",
    "1,5*x-0,75",
    "sqr(x)",
    "exp(x)/(sqr(x))",
    "log(abs(1/x))",
    "1/x",
    "x^2",
    "cos(x)",
    "sin(50/x)*x",
    "exp(0,003x^3)+exp(2x^1)-exp(x)",
    "(exp(x)-1)/(exp(x)+1)",
    "(x^3)/(x-2)",
    "2,5*(exp(0.0247789x)+exp(-0.0247789x))",
    "0,25x^3+0,5x^2-2",
    "(1x^3-8)/(4x)",
};

// The most terms the term list keeps.
inline constexpr std::size_t kVerlaufMax = 9;

// Start-up of the main panel: a random example term, the x range, the default
// width, then the drawing window's own start-up.
void mainPanelLoad(Context& c);

// "Zufall f(x)": a random example into the term field; nothing is drawn.
void zufall(Context& c);

// "Zeichnen": the term joins the list (the oldest goes beyond nine), then the
// redraw. A range the plane cannot show is refused with a message, and the term
// stays out of the list.
void zeichnen(Context& c);

// "Reset": the empty coordinate system and a fresh progress bar.
void reset(Context& c);

// "Alten Graph nicht löschen": odd clicks keep the old drawing.
void loeschen_graph_check(Context& c);

// A width chosen in the main panel's width list.
void linienStaerke(Context& c);

// A switch that counts its clicks: returns the new state (the first click is on,
// the second off, …). The count never reaches the end of its 16 bits: past
// 32767 it goes on at 2, which keeps the alternation.
bool countClick(State::Int& counter);

// "Extras": odd clicks show the analysis panel, even clicks hide it. Returns
// whether it is to be shown.
bool extras(Context& c);

// The analysis panel closed by its window frame: counts as the click that hid
// it, so the next "Extras" shows it again.
void analysisPanelClosed(Context& c);

}  // namespace kw
