#pragma once

#include <string>

#include "scene/redraw.h"

namespace kw {

class Context;

// One wheel step of `Distance` (+120 per notch away from the user): the plane
// grows or shrinks by that many pixels, stays square, shows the new zoom in
// status panel 3 and is redrawn with everything switched on. A size beyond the
// bounds redraws nothing but is remembered, so the next step the other way
// starts from the bound. A range the plane cannot show is refused: nothing
// changes, and false tells the caller to drop the rest of the turn.
bool MouseWheel(Context& c, int Distance);

// "Koordinaten: X= 3, Y= 4, Radius= 5" for the cursor at world (x, y).
std::string coordinatesText(double x, double y);

// The cursor moved over the plane to world (x, y): its coordinates in status panel 2.
void Ebene_MouseMove(Context& c, double x, double y);

}  // namespace kw
