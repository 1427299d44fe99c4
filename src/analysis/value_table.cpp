#include "analysis/value_table.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>

#include "analysis/derivatives.h"
#include "core/context.h"
#include "curves/graph.h"
#include "terms/compiled.h"
#include "terms/difference_quotient.h"
#include "terms/numtext.h"
#include "terms/substitution.h"

namespace kw {

namespace {

// A column index is a 16-bit integer: no table reaches further out.
constexpr int kMaxColumn = 32767;

// The last column of a table: the integer nearest to the end of the range, on
// the table's side of 0; nothing when the range ends on the other side.
std::optional<int> lastColumn(double end, int side)
{
    const double n = roundHalfEven(end);
    if (!(n * side >= 0))
        return std::nullopt;  // the other side of 0, or not a number
    return int(std::min(std::fabs(n), double(kMaxColumn))) * side;
}

// One table: cell 0 is given, the others are each the value at their own x.
template <class Cell>
ValueRow fill(Pacer& pacer, std::optional<int> last, int side, const std::string& first, Cell cell)
{
    ValueRow row;
    if (!last)
        return row;
    for (int x = 0; x * side <= *last * side; x += side) {
        if (x % Pacer::kEvery == 0 && pacer.stop(std::abs(x), std::abs(*last)))
            break;
        row.xs.push_back(x);
        row.cells.push_back(x == 0 ? first : cell(x));
    }
    return row;
}

}  // namespace

std::string columnHeader(int x) { return "x = " + std::to_string(x); }

std::string cellText(double v)
{
    if (!std::isfinite(v))
        return text(v);
    // The fifteen digits a decimal format starts from: d.dddddddddddddde±x.
    char buf[kNumberTextMax];
    auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific, 14);
    const char* e = std::find(buf, r.ptr, 'e');
    int exponent = 0;
    std::from_chars(e[1] == '+' ? e + 2 : e + 1, r.ptr, exponent);
    char digits[15];
    digits[0] = buf[0];
    std::copy(buf + 2, buf + 16, digits + 1);

    // Digits up to the second decimal.
    const int keep = exponent + 3;
    if (keep >= 15)
        return text(v);  // no decimals left to round
    std::int64_t hundredths = 0;
    for (int i = 0; i < keep; ++i)
        hundredths = hundredths * 10 + (digits[i] - '0');
    const char next = keep >= 0 ? digits[keep] : '0';
    if (next >= '5')
        ++hundredths;
    const double rounded = double(hundredths) / 100;
    return text(v < 0 ? -rounded : rounded);
}

std::optional<ValueTable> Werte_Tabelle(Context& c)
{
    State& s = c.state;
    if (!normalizeTerm(c)) {
        c.ui.message(kTermTooLongMessage);
        return std::nullopt;
    }
    const Pacer::Work work(c.pacer, kTableHint, kTableCancelled);

    // The statement's value, or nothing: a cell shows nothing rather than a
    // value of another x.
    auto valueAt = [](CompiledStatement& statement, const double& result, int x) {
        return statement.execute(x) == err::None ? std::optional(result) : std::nullopt;
    };
    auto cells = [&valueAt](CompiledStatement& statement, const double& result) {
        return [&valueAt, &statement, &result](int x) {
            auto v = valueAt(statement, result, x);
            return v ? cellText(*v) : std::string();
        };
    };
    const auto negative = lastColumn(s.picture.X, -1), positive = lastColumn(s.picture.Y, +1);

    ValueTable table;
    CompiledStatement f(c.engine, "Form.Zahl2 =",
                        Substitution(c.drawing.xterm, {.maskExp = true, .collapseStars = false}).pattern());
    const auto f0 = valueAt(f, s.results.Zahl2, 0);
    const std::string fFirst = f0 ? text(*f0) : std::string();  // not rounded
    table.fNegative = fill(c.pacer, negative, -1, fFirst, cells(f, s.results.Zahl2));
    table.fPositive = fill(c.pacer, positive, +1, fFirst, cells(f, s.results.Zahl2));

    if (!s.overlays.ableitungs_test)
        return table;
    buildDerivativeTerms(s, c.drawing.xterm, 1);
    CompiledStatement d(c.engine, "Form.Zahl4 =",
                        Substitution(s.terms.ableitungsterm, {.maskExp = false, .collapseStars = true}).pattern());
    const auto d0 = valueAt(d, s.results.Zahl4, 0);
    const std::string dFirst = d0 ? cellText(*d0) : std::string();
    table.dNegative = fill(c.pacer, negative, -1, dFirst, cells(d, s.results.Zahl4));
    table.dPositive = fill(c.pacer, positive, +1, dFirst, cells(d, s.results.Zahl4));
    return table;
}

}  // namespace kw
