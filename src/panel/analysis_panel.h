#pragma once

#include <array>
#include <optional>
#include <string>

#include "core/overlays.h"
#include "core/plane.h"
#include "core/state.h"

namespace kw {

class Context;

// The texts of an overlay's colour and width lists in the shared state (see
// kListedOverlays for the overlays that have them).
std::string& colourListText(State& s, Overlay o);
std::string& widthListText(State& s, Overlay o);

// An entry chosen in a colour list (its text is already in the state). Gives the
// colour to paint the list with, nothing when the text names none.
std::optional<Rgb> colourChosen(State& s, Overlay o);

// The colour a list has chosen, if it has (an opened drawing shows it so).
std::optional<Rgb> chosenColour(const State& s, Overlay o);

// An entry chosen in a width list: its text as the curve's width; a text that
// is not a number leaves the width as it was.
void widthChosen(State& s, Overlay o);

// The panel's fields pass their texts on at every change.
void x0Changed(State& s);
void sectionFromChanged(State& s);
void sectionToChanged(State& s);

// The switches of the analysis panel. Each counts its clicks (odd = on), stores
// its flag and redraws with the order its new state asks for; the piecewise
// switch only takes effect with the next "Zeichnen".
void erste_Ableitung_click(Context& c);
void zweite_Ableitung_click(Context& c);
void dritte_Ableitung_click(Context& c);
void tangente_click(Context& c);
void umkehrfunktion_click(Context& c);
void ad_funktion_click(Context& c);
void toggleOverlay(Context& c, Overlay o);

// The tangent step buttons "<<<" … ">>>" and their steps.
inline constexpr std::array<double, 6> kTangentSteps{-1, -0.5, -0.1, 0.1, 0.5, 1};

// Moves x0 by d: the x0 field shows the new number and the tangent follows.
// A field that does not hold a number is left as it is and nothing is redrawn.
void stepTangent(Context& c, double d);

}  // namespace kw
