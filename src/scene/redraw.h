#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/steps.h"

namespace kw {

class Context;
struct DrawRequest;

// Runs the steps in order, each with the redraw's request. A redraw that takes
// long can be stopped with Esc: the steps after that draw nothing.
void run(Context& c, const DrawRequest& r, Steps steps);

// The empty coordinate system.
inline constexpr Step kAxesSteps[] = {Step::Koordinaten_System, Step::gitterzeichnen,
                                              Step::Skalla, Step::Beschriftung};

// What "Zeichnen" draws after the coordinate system.
inline constexpr Step kDrawSteps[] = {Step::berechnen,        Step::erste_Ableitung,
                                          Step::zweite_ableitung, Step::dritte_ableitung,
                                          Step::tangente,         Step::Haengebruecke,
                                          Step::Umkehrfunktion,   Step::Flaeche_einfaerben};

// The wheel's full redraw: the coordinate system, the graph and every overlay.
inline constexpr Step kWheelSteps[] = {
    Step::Koordinaten_System, Step::gitterzeichnen,   Step::Beschriftung,     Step::Skalla,
    Step::berechnen,          Step::erste_Ableitung,  Step::zweite_ableitung, Step::dritte_ableitung,
    Step::tangente,           Step::Flaeche_einfaerben, Step::Umkehrfunktion, Step::Haengebruecke};

// The wheel while the intersection calculator's drawing or its area is shown
// (default range)…
inline constexpr Step kWheelIntersectionSteps[] = {
    Step::Koordinaten_System, Step::gitterzeichnen,          Step::Beschriftung,
    Step::Skalla,             Step::Schnittstellen_Zeichnen, Step::Schnittstellen_Zeichnen_Integral};

// …and on other ranges, where only the intersection drawing comes back.
inline constexpr Step kWheelIntersectionRangeSteps[] = {
    Step::Koordinaten_System, Step::gitterzeichnen, Step::Beschriftung, Step::Skalla,
    Step::Schnittstellen_Zeichnen};

// The redraw after a picture size was chosen: no bridge, no intersections.
inline constexpr Step kSizeSteps[] = {
    Step::Koordinaten_System, Step::gitterzeichnen,   Step::Beschriftung,       Step::Skalla,
    Step::berechnen,          Step::erste_Ableitung,  Step::zweite_ableitung,   Step::dritte_ableitung,
    Step::tangente,           Step::Flaeche_einfaerben, Step::Umkehrfunktion};

// A moved tangent redraws neither the inverse function, nor areas, nor the bridge.
inline constexpr Step kTangentMoveSteps[] = {Step::berechnen, Step::tangente,
                                              Step::erste_Ableitung, Step::zweite_ableitung,
                                              Step::dritte_ableitung};

// The x range must fit a 16-bit integer: the coordinate system of a wider range
// would not end in useful time.
inline constexpr std::string_view kRangeMessage =
    "Bitte geben Sie für den x-Bereich Zahlen zwischen -32768 und 32767 ein.";

// Clears the plane, draws the coordinate system and then the steps. A range
// that is not a 16-bit number is refused (see checkRange).
void redrawAll(Context& c, Steps steps);
void redrawAll(Context& c, const DrawRequest& r, Steps steps);

// Both range fields hold numbers that fit a 16-bit integer.
bool rangeUsable(const Context& c);

// What every redraw asks first: is the range usable? If not, the user is told
// so, and the redraw changes nothing (the picture stays as it was).
bool checkRange(Context& c, const DrawRequest& r);
bool checkRange(Context& c);

// The redraw of "Zeichnen": sizes the plane from the x range, clears it and
// draws the coordinate system (unless the old drawing is kept), the graph and
// every switched-on overlay. A range that is not a 16-bit number is refused.
void Zeichnen_click(Context& c);
void Zeichnen_click(Context& c, const DrawRequest& r);

// Clears the plane and draws the empty coordinate system.
void reset_click(Context& c);

// Redraw for a moved x0. With "Alten Graph nicht löschen" the plane is not
// cleared, so a fan of tangents builds up. A range that is not a 16-bit number
// is refused.
void tangenten_bewegung(Context& c);

// The one redraw after a drawing was opened (see setDrawing): on the plane at
// its saved size the coordinate system, the graph and every switched-on
// overlay, a family with its saved values (nothing is asked), the bridge's
// towers when the saved picture showed them, and the calculators' functions
// while they were shown.
void drawOpened(Context& c);

// Start-up of the drawing window: plane size from the range, zoom 100 %, the
// empty coordinate system.
void drawingWindowLoad(Context& c);

// "Zoom: 100%".
std::string zoomText(double percent);

// With the default range the wheel keeps the picture between these sides
// (10 % to 300 %); other ranges scale both bounds with their top edge.
inline constexpr int kWheelSmallest = 120;
inline constexpr int kWheelLargest = 3600;

// The zoom of a plane `height` pixels high whose top edge is `top` (the
// wheel's percentages: 100 at 30 pixels per unit up to a top of 50, at 6 above).
double planeZoom(int height, double top);

// Clamps a plane side to what the plane can have (1 … 9600 pixels).
int clampSide(double pixels);

}  // namespace kw
