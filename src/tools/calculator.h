#pragma once

#include <array>
#include <string>
#include <string_view>

namespace kw {

class Context;

// A key of the pocket calculator that appends a piece of text to the input.
struct CalculatorKey {
    std::string_view name;     // the button's control name
    std::string_view caption;  // what the button shows
    std::string_view text;     // what a click appends
};

// Every append key: digits, point, operators, brackets, functions, constants.
extern const std::array<CalculatorKey, 26> kCalculatorKeys;

// The key of the given control name; nullptr if there is none.
const CalculatorKey* calculatorKey(std::string_view name);

inline constexpr std::string_view kInputErrorMessage =
    "Die Eingabe hat ein Fehler, bitte Überprüfen sie ihre Eingabe";
inline constexpr std::string_view kAngleHint =
    "Die Winkelfunktionen werden in Rad umgerechnet für Grad sin(x*3.14/180)";

// The calculator's two fields.
struct CalculatorFields {
    std::string Eingabe;   // the expression, in the engine's own syntax
    std::string Ergebnis;  // the last result
};

// An append key: its text goes to the end of the input.
void pressKey(CalculatorFields& t, const CalculatorKey& key);

// "=": the input goes to the engine exactly as typed, no rewriting. On success
// the result is shown; on any error the message is shown and the result field
// keeps its text. Returns whether it succeeded.
bool Command1_Click(Context& c, CalculatorFields& t);

// "DEL": both fields empty.
void Command2_Click(CalculatorFields& t);

}  // namespace kw
