#include "analysis/value_table.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
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

// f' at x as a cell shows it, right to its digits: two central quotients,
// with steps h and 2h, extrapolated (exact for polynomials up to degree 4,
// where the forward quotient is off by f''·h/2). Nothing where f has no
// derivative: at a pole or the edge of its domain a value fails; at a kink the
// forward and backward quotients part ways, by as much at step 2h as at h,
// where for a smooth f their gap doubles with the step.
class Slope {
public:
    explicit Slope(std::string_view xterm)
        : five_([&] {
              constexpr Substitution::Options shifted{.maskExp = false, .collapseStars = true};
              const std::string m = maskExp(xterm);
              return std::vector<std::string>{Substitution(shiftBack(shiftBack(m)), shifted).pattern(),
                                              Substitution(shiftBack(m), shifted).pattern(),
                                              Substitution(xterm, {.maskExp = true, .collapseStars = false}).pattern(),
                                              Substitution(shift(m), shifted).pattern(),
                                              Substitution(shift(shift(m)), shifted).pattern()};
          }())
    {
    }

    std::optional<double> at(double x)
    {
        Outcome o[5];
        five_.evaluate(std::span(&x, 1), o);
        for (const Outcome& v : o)
            if (!v)
                return std::nullopt;
        const double m2 = o[0].value, m1 = o[1].value, f = o[2].value, p1 = o[3].value, p2 = o[4].value;
        const double gapH = (p1 - 2 * f + m1) / kH, gap2H = (p2 - 2 * f + m2) / (2 * kH);
        const double noise = 64 * std::numeric_limits<double>::epsilon() *
                             (std::fabs(m2) + std::fabs(m1) + 2 * std::fabs(f) + std::fabs(p1) + std::fabs(p2)) / kH;
        if (!(std::fabs(gap2H - 2 * gapH) <= std::fabs(gap2H) / 2 + noise))
            return std::nullopt;
        const double near = (p1 - m1) / (2 * kH), far = (p2 - m2) / (4 * kH);
        const double slope = (4 * near - far) / 3;
        if (!std::isfinite(slope))
            return std::nullopt;
        // Closer to a multiple of 0,005 than the quotients can tell (and far
        // closer than the digits shown): taken to be it, so that 0,125 shows as
        // 0,13 like any other exact value.
        const double multiple = std::round(slope * 200) / 200;
        return std::fabs(slope - multiple) <= std::min(noise, 1e-9) ? multiple : slope;
    }

private:
    Compiled five_;
};

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
    Slope slope(c.drawing.xterm);
    auto slopeCell = [&slope, &s](int x) {
        const auto v = slope.at(x);
        if (v)
            s.results.Zahl4 = *v;
        return v ? cellText(*v) : std::string();
    };
    const std::string dFirst = slopeCell(0);
    table.dNegative = fill(c.pacer, negative, -1, dFirst, slopeCell);
    table.dPositive = fill(c.pacer, positive, +1, dFirst, slopeCell);
    return table;
}

}  // namespace kw
