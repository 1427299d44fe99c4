#include "curves/piecewise.h"

#include "core/context.h"
#include "curves/rootlog.h"
#include "terms/numtext.h"

namespace kw {

namespace {

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

}  // namespace

bool applyBound(std::string_view bound, std::string_view unbounded, double& end)
{
    bound = trimmed(bound);
    if (bound.empty() || bound == unbounded)
        return true;
    auto v = readNumber(bound);
    if (v)
        end = *v;
    return v.has_value();
}

std::optional<SampleRun> drawSection(Context& c, const Range& range, Rgb colour)
{
    State& s = c.state;
    if (!applyBound(s.overlays.Linker_Bereich_wert, "-u", s.picture.X) ||
        !applyBound(s.overlays.Rechter_Bereich_wert, "+u", s.picture.Y))
        return std::nullopt;

    const Substitution term(c.drawing.xterm);
    Curve curve("Form.Zahl = ", s.results.Zahl, term, Curve::OnFailure::SkipInvalid);
    curve.points = true;
    curve.width = 2;
    curve.colour = colour;
    return sampleCurve(c, curve, s.picture.X, s.picture.Y, range.step);
}

std::optional<SampleRun> Wurzel_log_Funktion_Abschnittweise(Context& c, const DrawRequest& r)
{
    Range range;
    auto colour = rootLogSetup(c, r, range);
    if (!colour)
        return std::nullopt;
    State& s = c.state;
    // A bound that is not usable leaves the range's end for that side.
    applyBound(s.overlays.Linker_Bereich_wert, "-u", s.picture.X);
    applyBound(s.overlays.Rechter_Bereich_wert, "+u", s.picture.Y);

    const Substitution term(c.drawing.xterm);
    Curve curve("Form.Zahl =", s.results.Zahl, term, Curve::OnFailure::KeepValue);
    curve.rangeGate = true;
    curve.points = true;
    curve.width = 2;
    curve.colour = *colour;
    return sampleCurve(c, curve, s.picture.X, s.picture.Y, range.step);
}

}  // namespace kw
