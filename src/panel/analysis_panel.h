#pragma once

#include <array>
#include <optional>
#include <string>

#include "core/plane.h"
#include "core/state.h"

namespace kw {

class Context;

// The analysis panel's colour lists, each feeding the colour of one curve.
enum class ColourList { First, Second, Third, Inverse };

// The panel's width lists.
enum class WidthList { First, Second, Third, Inverse };

// The list's text in the shared state and how many colours it offers.
std::string& listText(State& s, ColourList list);
std::size_t colourRows(ColourList list);
std::string& listText(State& s, WidthList list);

// An entry chosen in a colour list (its text is already in the state). Gives the
// colour to paint the list with, nothing when the text names none.
std::optional<Rgb> colourChosen(State& s, ColourList list);

// The colour a list has chosen, if it has (an opened drawing shows it so).
std::optional<Rgb> chosenColour(const State& s, ColourList list);

// An entry chosen in a width list: its text as the curve's width; a text that
// is not a number leaves the width as it was.
void widthChosen(State& s, WidthList list);

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

// The tangent step buttons "<<<" … ">>>" and their steps.
inline constexpr std::array<double, 6> kTangentSteps{-1, -0.5, -0.1, 0.1, 0.5, 1};

// Moves x0 by d: the x0 field shows the new number and the tangent follows.
// A field that does not hold a number is left as it is and nothing is redrawn.
void stepTangent(Context& c, double d);

}  // namespace kw
