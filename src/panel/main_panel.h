#pragma once

#include <cstddef>

#include "core/examples.h"
#include "core/state.h"

namespace kw {

class Context;

// The most terms the term list keeps.
inline constexpr std::size_t kHistoryMax = 9;

// Start-up of the main panel: a random example term, the x range, the default
// width, then the drawing window's own start-up.
void mainPanelLoad(Context& c);

// "Zeichnen": the term joins the list (the oldest goes beyond nine), then the
// redraw. A range the plane cannot show is refused with a message, and the term
// stays out of the list.
void drawFromPanel(Context& c);

// "Reset": the empty coordinate system and a fresh progress bar.
void reset(Context& c);

// "Alten Graph nicht löschen": odd clicks keep the old drawing.
void loeschen_graph_check(Context& c);

// A width chosen in the main panel's width list.
void applyGraphWidth(Context& c);

// "Extras": odd clicks show the analysis panel, even clicks hide it. Returns
// whether it is to be shown.
bool extras(Context& c);

// The analysis panel closed by its window frame: counts as the click that hid
// it, so the next "Extras" shows it again.
void analysisPanelClosed(Context& c);

}  // namespace kw
