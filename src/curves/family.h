#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kw {

class Context;
struct DrawRequest;

inline constexpr std::string_view kCancelledMessage =
    "Sie haben auf Abrechen gedrückt, die Berechnung wird unterbrochen";
inline constexpr std::string_view kStepMessage =
    "Bitte geben Sie einen gültigen Schrittwert ein.";
inline constexpr std::string_view kNotANumberMessage = "Bitte geben Sie eine Zahl ein.";
inline constexpr std::string_view kStepAwayMessage =
    "Mit diesem Schrittwert wird der Endwert nie erreicht.";
inline constexpr std::string_view kTooManyFunctionsMessage =
    "Die Schar hat mehr als 1000 Funktionen. Bitte wählen Sie einen größeren Schrittwert.";

// A family draws at most this many members; a tiny step must not freeze the program.
inline constexpr int kFamilyMax = 1000;

// Normalizes the term into xterm and sets Parametar_gefunden when it holds the
// parameter "@". Returns the flag.
bool Funktionen_Scharren_check(Context& c, const DrawRequest& r);

// Draws the family: asks for start, end and step of the parameter (the wheel
// reuses the stored ones without asking) and draws one graph per value in the
// graph colour, each its own polyline. Failing samples are passed over; a
// member that does not parse is left out, and when none parses the graph's
// syntax message is shown. Clears Parametar_gefunden; the members drawn are
// kept in Drawing::familyDrawn.
void Funktionen_Scharr(Context& c, const DrawRequest& r);

// The top edge a square range needs so that every member the last family pass
// drew shows at least in part: per member the least max(|x|, |f(x)|) over the
// range; 0 when no member was drawn.
double familyReach(const Context& c);

// How many members start, start + step, … up to end have: the end counts when
// it is reached up to a billionth of the step. 0 for a step of 0 or one that
// points away from the end; nothing for more than kFamilyMax.
std::optional<int> familySize(double start, double end, double step);

// The term of one member: every "@" of xterm becomes p as one number, so that
// "@^2" at -2 is 4 like x^2 at x = -2. A negative value gets brackets unless an
// operator stands right before it, where the engine reads the sign as part of
// the number ("x^2+@" at -2 gives "1x^2+-2"). Like a typed number it multiplies
// what stands next to it without a star ("2@", "@sin(x)").
std::string familyTerm(std::string_view xterm, double p);

}  // namespace kw
