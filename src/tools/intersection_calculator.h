#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kw {

class Context;

inline constexpr std::size_t kMaxIntersectionTerms = 7;

inline constexpr std::string_view kSevenFunctionsMessage =
    "Die Eingabe ist auf 7 Funktionen beschränkt";
inline constexpr std::string_view kInputEmptyMessage =
    "Die Eingabe ist leer! Bitte geben Sie zuerst etwas ein";
inline constexpr std::string_view kAlreadyEnteredMessage =
    "Diese Funktion ist bereits eingegeben";
inline constexpr std::string_view kNothingYetMessage =
    "Sie haben noch nichts eingegeben. Geben Sie bitte zuerst was ein und drücken sie auf "
    "Eingeben";

inline constexpr std::string_view kIntersectionsFound = "Gefundene Schnittpunkte:\r\n";

// The texts of the intersection calculator "Schnittstellen Rechner". Its terms
// live in the shared state (Schnittstellen_Terme): they outlive the window.
struct IntersectionFields {
    std::string Eingabe_Term_txt;                              // the term to add
    std::string Eingabe_Zahl_Label = "1";                      // number of the next function
    std::string Eingegebene_Label = "Eingegebene Funktionen:";  // the entered functions
    std::string Schnittpunkte_txt = "Gefundene Schnittstellen:";
};

// "Eingabe": adds the term as typed, unless there are seven already, it is
// empty, entered before (texts compared exactly) or not in the right form; each
// of those shows its message. Returns whether the term was added.
bool Eingabe_button_Click(Context& c, IntersectionFields& r);

// "Zeichnen": the empty coordinate system and the functions in new random colours.
void Zeichnen_butt_Click(Context& c);

// "Schnittpunkte berechnen": the points of every pair as lines in the result box.
void Schnittpunkte_butt_Click(Context& c, IntersectionFields& r);

// "Schnittpunkte farbig hervorheben": odd clicks mark the points on the current
// picture, even clicks draw the functions again without them.
void Schnittstellen_farbig_check_Click(Context& c);

// "reset": forgets every term and clears the plane.
void Command1_Click(Context& c, IntersectionFields& r);

}  // namespace kw
