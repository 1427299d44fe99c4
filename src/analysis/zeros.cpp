#include "analysis/zeros.h"

#include "analysis/newton.h"
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

namespace {

struct ZeroSearch {
    ZeroSampler sample;
    static std::optional<double> key(const Sample& s) { return magnitude(s); }
    static std::optional<double> point(const Cluster& c) { return zeroOf(c); }
};

}  // namespace

SearchResult<double> findZeros(std::string_view xterm, double from, double to, Ui* ui,
                               GridLimits limits)
{
    return searchClusters<double>(from, to, ui, limits, ZeroSearch{{xterm, limits.fromText}});
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
