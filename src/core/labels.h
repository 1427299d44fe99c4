#pragma once

namespace kw {

struct DrawRequest;

struct PictureState;
class Plane;

// Every how many steps of `pixelsPerStep` pixels a mark is drawn so that marks
// lie at least `needed` pixels apart: 1, 2, 5, 10, 20, 50, …
long long thinning(double pixelsPerStep, double needed);

// The pixels a label of the plane's font needs along the x axis (with a gap).
double labelWidth(double value);

// Tick marks across both axes at every unit (every fifth on large ranges).
void Skalla(Plane& plane, const PictureState& picture);

// Below this zoom the plane writes no numbers.
inline constexpr double kLabelsFromZoom = 70;

// Tick marks and grid lines closer than this many pixels are thinned.
inline constexpr double kMarkSpacing = 4;

// Axis names and a number at every tick position; nothing while the zoom is
// below 70 %. Numbers that would overlap are thinned (every 2nd, 5th, 10th, …).
void Beschriftung(Plane& plane, PictureState& picture, const DrawRequest& r);

}  // namespace kw
