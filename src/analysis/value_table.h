#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kw {

class Context;

// One list view of the value table: its columns and the cells of its one row.
struct ValueRow {
    std::vector<int> xs;             // the x of each column: 0, -1, -2, … or 0, 1, 2, …
    std::vector<std::string> cells;  // one per column; empty where there is no value
};

// The four list views of a value-table window, top to bottom.
struct ValueTable {
    ValueRow fNegative, fPositive;  // f at x = 0, -1, … and at x = 0, 1, …
    ValueRow dNegative, dPositive;  // f' likewise; no columns while the first derivative is off
};

// Header of a column: "x = -3".
std::string columnHeader(int x);

// A value as the table shows it: rounded to two decimals (halves away from
// zero, as a decimal format rounds the shown digits), then written as any number.
std::string cellText(double v);

inline constexpr std::string_view kTableHint = "Wertetabelle wird berechnet … mit Esc abbrechen";
inline constexpr std::string_view kTableCancelled = "Die Wertetabelle wurde abgebrochen.";

// "Wertetabelle": the current term normalized into xterm, then f (and f' while
// the first derivative is shown) at the integers of the range. The columns run
// from 0 to the integers nearest X and Y; each cell holds the value at the x its
// header names. The cell x = 0 of the f tables is not rounded. A table that
// takes long can be stopped with Esc; it then ends where it got to. Nothing
// (after the message) for a term that is too long.
std::optional<ValueTable> Werte_Tabelle(Context& c);

}  // namespace kw
