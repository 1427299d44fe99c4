#pragma once

#include "core/state.h"

namespace kw {

class Context;

// A drawing as a file holds it: the parts of State that make it and the size
// of the plane it was drawn on.
struct DrawingParts : DrawingState {
    int planeWidth = 1200, planeHeight = 1200;

    bool operator==(const DrawingParts&) const = default;
};

// The drawing the context holds now.
DrawingParts drawingOf(const Context& c);

// Puts a drawing into the context: its parts, the plane's size, and the click
// counters of its switches as a first click leaves a switch that is on, so
// that the next click switches it off.
void setDrawing(Context& c, const DrawingParts& d);

}  // namespace kw
