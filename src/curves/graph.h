#pragma once

#include <string_view>

#include "core/plane.h"
#include "core/request.h"
#include "curves/sampling.h"

namespace kw {

class Context;

// Messages of the graph pass.
inline constexpr std::string_view kSyntaxMessage =
    "Ihre Eingabe ist nicht in der Korrekten Form. Bitte geben Sie ihre eingabe in der Form: "
    "Beispiel: x^3 - 2 oder 3x^4 ein!";
inline constexpr std::string_view kDivisionMessage =
    "Sie haben eine Funktion eingegeben wo eine Division durch Null vorkommt. Dies ist "
    "Mathematisch nicht möglich!";
inline constexpr std::string_view kArgumentMessage =
    "Sie haben ungültige Zeichen Eingegeben, wenn Sie Parametar verwenden möchten, benutzen sie "
    "das Zeichen: '@'. Für weitere Informationen schauen sie bitte unter Hilfe->Eingabe Syntax";

inline constexpr std::string_view kTermTooLongMessage =
    "Der Term ist zu lang (höchstens 2000 Zeichen).";

// The term field rewritten into xterm, as every use of that term begins. A
// term longer than kTermMax characters is refused as typed: xterm is left
// empty, which draws nothing, and the result is false. The graph pass and the
// value table say why; the calculators check their own fields with termTooLong.
bool normalizeTerm(Context& c);

// Whether a normalized term is in the right form: the engine reads it at every
// x (a term failing for other reasons at some x still is).
bool inRightForm(std::string_view xterm);

// Sets Graph_Farbe from the main panel's colour name; an unknown name keeps the
// previous colour.
void Funktionsfarbe(Context& c, const DrawRequest& r);

// The range and step of a curve as the fields give them, for what runs outside
// a redraw; false when a field is not a number (the curve is then not drawn).
bool readRangeAndStep(Context& c, Range& range);

// What every pass over the term of f does first: the range into X and Y, the
// graph colour, the normalized term into xterm, pen width 2.
void prepareGraph(Context& c, const DrawRequest& r, const Range& range);

// The graph of an ordinary term (xterm) across the range in its colour and the
// graph's width: a point where f is undefined breaks the line, any other
// failure ends it.
SampleRun drawGraph(Context& c, const Range& range, Rgb colour);

}  // namespace kw
