#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace kw {

class Context;

// The procedures a redraw is made of. Every redraw sequence is a list of these;
// each overlay draws only while its own switch is on.
enum class Step : std::uint8_t {
    Koordinaten_System,
    gitterzeichnen,
    Skalla,
    Beschriftung,
    berechnen,
    erste_Ableitung,
    zweite_ableitung,
    dritte_ableitung,
    tangente,
    Haengebruecke,
    Umkehrfunktion,
    Flaeche_einfaerben,
    Schnittstellen_Zeichnen,
    Schnittstellen_Zeichnen_Integral,
};

// Runs the steps in order. A step whose procedure does not exist yet draws nothing.
void run(Context& c, std::span<const Step> steps);

// The empty coordinate system.
inline constexpr Step kKoordinatensystem[] = {Step::Koordinaten_System, Step::gitterzeichnen,
                                              Step::Skalla, Step::Beschriftung};

// What "Zeichnen" draws after the coordinate system.
inline constexpr Step kZeichnenFolge[] = {Step::berechnen,        Step::erste_Ableitung,
                                          Step::zweite_ableitung, Step::dritte_ableitung,
                                          Step::tangente,         Step::Haengebruecke,
                                          Step::Umkehrfunktion,   Step::Flaeche_einfaerben};

// The wheel's full redraw: the coordinate system, the graph and every overlay.
inline constexpr Step kMausradFolge[] = {
    Step::Koordinaten_System, Step::gitterzeichnen,   Step::Beschriftung,     Step::Skalla,
    Step::berechnen,          Step::erste_Ableitung,  Step::zweite_ableitung, Step::dritte_ableitung,
    Step::tangente,           Step::Flaeche_einfaerben, Step::Umkehrfunktion, Step::Haengebruecke};

// The wheel while the intersection calculator's drawing or its area is shown
// (default range)…
inline constexpr Step kMausradSchnittstellen[] = {
    Step::Koordinaten_System, Step::gitterzeichnen,          Step::Beschriftung,
    Step::Skalla,             Step::Schnittstellen_Zeichnen, Step::Schnittstellen_Zeichnen_Integral};

// …and on other ranges, where only the intersection drawing comes back.
inline constexpr Step kMausradSchnittstellenBereich[] = {
    Step::Koordinaten_System, Step::gitterzeichnen, Step::Beschriftung, Step::Skalla,
    Step::Schnittstellen_Zeichnen};

// The redraw after a picture size was chosen: no bridge, no intersections.
inline constexpr Step kGroesseFolge[] = {
    Step::Koordinaten_System, Step::gitterzeichnen,   Step::Beschriftung,       Step::Skalla,
    Step::berechnen,          Step::erste_Ableitung,  Step::zweite_ableitung,   Step::dritte_ableitung,
    Step::tangente,           Step::Flaeche_einfaerben, Step::Umkehrfunktion};

// Both range fields hold numbers that fit a 16-bit integer. Every redraw asks
// first: the coordinate system of a wider range would not end in useful time.
bool rangeUsable(const Context& c);

// The redraw of "Zeichnen": sizes the plane from the x range, clears it and
// draws the coordinate system (unless the old drawing is kept), the graph and
// every switched-on overlay. A range that is not a 16-bit number draws nothing.
void Zeichnen_click(Context& c);

// Clears the plane and draws the empty coordinate system.
void reset_click(Context& c);

// Start-up of the drawing window: plane size from the range, zoom 100 %, the
// empty coordinate system.
void drawingWindowLoad(Context& c);

// "Zoom: 100%".
std::string zoomText(double percent);

// Clamps a plane side to what the plane can have (1 … 9600 pixels).
int clampSide(double pixels);

}  // namespace kw
