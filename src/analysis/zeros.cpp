#include "analysis/zeros.h"

#include "core/context.h"
#include "terms/difference_quotient.h"
#include "terms/numtext.h"
#include "terms/substitution.h"

namespace kw {

std::string nullstellenBericht(Context& c, GridLimits limits)
{
    State& s = c.s;
    s.fx_term = maskExp(c.w.xterm);
    s.fxh_term = shift(s.fx_term);
    // One Newton step per grid point, x - f(x)/f'(x), with f' as difference quotient.
    const Substitution slope(firstQuotient(s.fx_term), {.maskExp = false, .collapseStars = true});
    const Substitution value(c.w.xterm, {.maskExp = true, .collapseStars = false});

    std::string found;
    int counter = 1;
    std::string statement;
    statement.reserve(256);
    Grid grid(s.X, s.Y, &c.ui, limits);
    for (GridPoint p; grid.next(p);) {
        statement.assign("Form.zahl6 =");
        statement += engineText(p.at);
        statement += "-((";
        value.appendTo(statement, p.at);
        statement += ")/(";
        slope.appendTo(statement, p.at);
        statement += "))";
        // Where f is undefined or f' = 0 there is no Newton step, and the value
        // left over from the previous point says nothing about this one.
        if (c.engine.execute(statement) != err::None)
            continue;
        s.zahl6 = round2(s.zahl6);
        if (!staysPut(s.zahl6, p.x))
            continue;
        found += "x" + text(counter++) + " = " + text(p.x) + "\r\n";
    }
    if (found.empty())
        return withEndNote(std::string(kKeineNullstellen), grid);
    return withEndNote(std::string(kNullstellenGefunden) + "\r\n" + found, grid);
}

void Nullstellen_fx_Click(Context& c)
{
    const std::string report = nullstellenBericht(c);
    c.ui.message(report);
}

}  // namespace kw
