#include "analysis/extrema.h"

#include <cmath>

#include "analysis/derivatives.h"
#include "core/context.h"
#include "terms/difference_quotient.h"
#include "terms/normalize.h"
#include "terms/numtext.h"
#include "terms/substitution.h"

namespace kw {

namespace {

constexpr Substitution::Options kQuotient{.maskExp = false, .collapseStars = true};

// The masked term with every "x" moved by -h: the term of f(x-h).
std::string shiftBack(std::string_view masked)
{
    std::string s(masked);
    replaceAll(s, "x", "*(1x-" + text(kH) + ")");
    return s;
}

std::string line(double x, double y, std::string_view kind)
{
    return "An der Stelle P (" + text(x) + " | " + text(round2(y)) + ") hat f(x) ein " +
           std::string(kind) + "\r\n";
}

std::string report(std::string_view heading, const std::string& lines, std::string_view none,
                   const Grid& grid)
{
    if (lines.empty())
        return withEndNote(std::string(none), grid);
    return withEndNote(std::string(heading) + "\r\n" + lines, grid);
}

}  // namespace

ExtremaBerichte extremaBerichte(Context& c, GridLimits limits)
{
    State& s = c.s;
    const bool extrema = s.extrema_test, wendepunkte = s.s_and_w_test;
    buildAbleitungsterme(s, c.w.xterm, 3);

    // f(x+h), f(x-h) and f(x) for a Newton step on f' = 0 with central differences.
    const Substitution plus(s.fxh_term, kQuotient);
    const Substitution minus(shiftBack(s.fx_term), kQuotient);
    const Substitution value(c.w.xterm, {.maskExp = true, .collapseStars = false});
    const Substitution second(s.ableitungsterm_zwei, kQuotient);
    Substitution first, third;
    if (wendepunkte) {
        first = Substitution(s.ableitungsterm, kQuotient);
        third = Substitution(s.ableitungsterm_drei, kQuotient);
    }
    const std::string h = engineText(kH);

    std::string extremaLines, wendeLines;
    std::string st;
    st.reserve(1024);
    auto run = [&](std::string_view prefix, const Substitution& term, double x) {
        st.assign(prefix);
        term.appendTo(st, x);
        return c.engine.execute(st) == err::None;
    };
    // x - (a)/b, for the Newton steps whose parts are numbers already.
    auto runStep = [&](std::string_view prefix, double x, double a, double b) {
        st.assign(prefix);
        st += engineText(x);
        st += "-((";
        st += engineText(a);
        st += ")/";
        st += engineText(b);
        st += ')';
        return c.engine.execute(st) == err::None;
    };

    // x - h/2 * (f(x+h) - f(x-h)) / (f(x-h) - 2 f(x) + f(x+h))
    auto runExtremumStep = [&](double at) {
        st.assign("Form.zahl6 =");
        st += engineText(at);
        st += "-0.5*";
        st += h;
        st += "*(((";
        plus.appendTo(st, at);
        st += ")-(";
        minus.appendTo(st, at);
        st += "))/((";
        minus.appendTo(st, at);
        st += ")-2*(";
        value.appendTo(st, at);
        st += ")+(";
        plus.appendTo(st, at);
        st += ")))";
        return c.engine.execute(st) == err::None;
    };

    Grid grid(s.X, s.Y, &c.ui, limits);
    for (GridPoint p; grid.next(p);) {
        // A failed statement leaves a value of another point behind: such a
        // point is never a candidate. The inflection search alone needs no
        // step on f' = 0.
        const bool stepped = extrema && runExtremumStep(p.at);
        const bool curved = run("Form.zahl7 =", second, p.at);
        if (stepped)
            s.zahl6 = round2(s.zahl6);
        const double x = p.x;

        if (extrema && stepped && curved && staysPut(s.zahl6, x) &&
            (s.zahl7 < -kBand || s.zahl7 > kBand) && run("Form.zahl6 =", value, x)) {
            s.zahl7 = round2(s.zahl7);
            extremaLines += line(x, s.zahl6, s.zahl7 < 0 ? "Hochpunkt" : "Tiefpunkt");
        }

        if (wendepunkte && curved) {
            // x - f''(x)/f'''(x): a Newton step on f'' = 0.
            const bool ok = run("Form.zahl9 =", third, x) &&
                            runStep("Form.zahl11 =", x, s.zahl7, s.zahl9) &&
                            run("Form.zahl3 =", value, x);
            if (!ok)
                continue;
            s.zahl11 = round2(s.zahl11);
            // Where f''' is as flat as rounding noise (a straight line has
            // f'' = 0 everywhere), f''/f''' is noise too: the band that f''
            // must leave for an extremum, f''' must leave here.
            if (!(std::fabs(s.Zahl3) < s.Y) || !staysPut(s.zahl11, x) ||
                !(s.zahl9 < -kBand || s.zahl9 > kBand))
                continue;
            // A Newton step on f' = 0 that does not move x either: the tangent
            // is horizontal there.
            const bool terrasse = run("Form.zahl4 =", first, x) &&
                                  runStep("Form.zahl5 =", x, s.Zahl4, s.zahl7) &&
                                  round2(s.zahl5) == x;
            wendeLines += line(x, s.Zahl3, terrasse ? "Terassenpunkt" : "Wendepunkt");
        }
    }

    ExtremaBerichte out;
    if (extrema)
        out.extrema = report(kExtremaGefunden, extremaLines, kKeineExtrema, grid);
    if (wendepunkte)
        out.wendepunkte = report(kWendepunkteGefunden, wendeLines, kKeineWendepunkte, grid);
    return out;
}

void Extrema(Context& c)
{
    const ExtremaBerichte berichte = extremaBerichte(c);
    if (c.s.extrema_test)
        c.ui.message(berichte.extrema);
    if (c.s.s_and_w_test)
        c.ui.message(berichte.wendepunkte);
}

void Extrema_butt_Click(Context& c)
{
    c.s.extrema_test = true;
    Extrema(c);
    c.s.extrema_test = false;
}

void S_and_W_punkte_Click(Context& c)
{
    c.s.s_and_w_test = true;
    Extrema(c);
    c.s.s_and_w_test = false;
}

}  // namespace kw
