#include "analysis/zeros.h"

#include "analysis/newton.h"
#include "analysis/refine.h"
#include "core/context.h"
#include "terms/difference_quotient.h"
#include "terms/numtext.h"

namespace kw {

ZeroSampler::ZeroSampler(std::string_view xterm, bool fromText)
    : statements_({NewtonStep::forZeros(xterm).pattern(), Substitution(xterm).pattern()}, fromText)
{
}

Sample ZeroSampler::operator()(double at, double x)
{
    Outcome o[2];
    statements_.evaluate(std::span(&at, 1), o);
    return {x, valueOf(o[1]), valueOf(o[0])};
}

ZeroSearch::ZeroSearch(std::string_view xterm, bool fromText)
    : sample(xterm, fromText), value({Substitution(xterm).pattern()}, fromText)
{
}

// Where f changes sign between the cluster's point and a neighbour, the zero
// found between them to the shown digits (the grid point with the smaller |f|
// is not always the nearer one).
std::optional<double> ZeroSearch::point(const Cluster& c)
{
    const auto x = zeroOf(c);
    if (!x || *c.lowest->point.q == 0)
        return x;
    const Sample& p = c.lowest->point;
    for (const Sample* n : {&c.lowest->before, &c.lowest->after}) {
        if (!n->q || *n->q == 0 || (*n->q < 0) == (*p.q < 0))
            continue;
        const Sample &a = n->x < p.x ? *n : p, &b = n->x < p.x ? p : *n;
        const auto z = zeroBetween([this](double v) { return valueOf(value.evaluate(v)); }, a.x, b.x,
                                   *a.q, *b.q, closeTo(a.x));
        return z ? shown(*z) : x;
    }
    return x;
}

SearchResult<double> findZeros(std::string_view xterm, double from, double to, Ui* ui,
                               GridLimits limits)
{
    return searchClusters<double>(from, to, ui, limits, ZeroSearch(xterm, limits.fromText));
}

std::string zerosText(const SearchResult<double>& zeros)
{
    if (zeros.points.empty())
        return withEndNote(std::string(kNoZeros), zeros.outcome);
    std::string report = std::string(kZerosFound) + "\r\n";
    int counter = 1;
    for (double x : zeros.points)
        report += "x" + text(counter++) + " = " + text(x) + "\r\n";
    return withEndNote(report, zeros.outcome);
}

std::string zerosReport(Context& c, GridLimits limits)
{
    State& s = c.state;
    s.terms.fx_term = maskExp(c.drawing.xterm);
    s.terms.fxh_term = shift(s.terms.fx_term);
    return zerosText(findZeros(c.drawing.xterm, s.picture.X, s.picture.Y, &c.ui, limits));
}

void Nullstellen_fx_Click(Context& c) { c.ui.message(zerosReport(c)); }

}  // namespace kw
