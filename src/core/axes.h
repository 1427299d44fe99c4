#pragma once

namespace kw {

struct DrawRequest;
struct PictureState;

class Context;
class Plane;

// Clears the plane, reads the x range from the fields into X and Y, installs the
// world mapping (left X, right -X, top Y, bottom -Y) and draws both axes with
// arrow heads. Must run first in every redraw.
void Koordinaten_System(Plane& plane, PictureState& picture, const DrawRequest& r);

// Light grey grid every half unit (every 5 units on large ranges), none at 0.
void gitterzeichnen(Plane& plane, const PictureState& picture);

// An arrow from (x1, y1) to the tip (x2, y2) in black: a head of two strokes at
// 45° to the shaft, each `length`·√2 long, and optional fletchings at the tail.
void DrawArrow45(Plane& plane, float x1, float y1, float x2, float y2, float length, bool draw_head,
                 int num_fletchings, float fletching_gap);

// Reads a range field as the program does everywhere: a number, or the old value
// when the text is not one.
void readRange(Context& c);
// The same from a redraw's request.
void applyRange(PictureState& picture, const DrawRequest& r);

}  // namespace kw
