#include "areas/integral.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/axes.h"
#include "core/colours.h"
#include "core/context.h"
#include "core/request.h"
#include "curves/sampling.h"
#include "terms/compiled.h"
#include "terms/normalize.h"
#include "terms/substitution.h"

namespace kw {

Integral integrate(std::string_view xterm, double a, double b)
{
    if (a > b) {
        Integral reverse = integrate(xterm, b, a);
        reverse.value = -reverse.value;
        return reverse;
    }
    Integral result;
    if (a == b)
        return result;
    // The strips end exactly at b; tiny quotients such as 69,99999999999999
    // strips do not add one.
    const double wanted = std::ceil((b - a) / kStreifen - 1e-9);
    const long n = long(std::clamp(wanted, 1.0, double(kMaxStreifen)));
    const double width = (b - a) / double(n);
    const double r = width / 2;
    const double offset = r / std::sqrt(3.0);

    Compiled term({Substitution(xterm).pattern()});
    auto at = [&term](double x, double& v) {
        const Outcome o = term.evaluate(x);
        v = o.value;
        return o.error;
    };
    double sum = 0, carry = 0;  // summed with compensation: many strips lose no digit
    for (long k = 0; k < n; ++k) {
        const double m = a + (double(k) + 0.5) * width;
        double lower = 0, upper = 0;
        if ((result.error = at(m - offset, lower)) || (result.error = at(m + offset, upper)))
            return result;
        const double add = (lower + upper) * r - carry;
        const double next = sum + add;
        carry = (next - sum) - add;
        sum = next;
    }
    if (!std::isfinite(sum)) {
        result.error = err::Overflow;
        return result;
    }
    result.value = sum;
    return result;
}

void Flaeche_einfaerben(Context& c, const DrawRequest& r)
{
    const State& s = c.state;
    if (!s.areas.Flaeche_einferben_Check || r.termTooLong)
        return;
    const Substitution term(r.xterm);
    c.plane.setPenWidth(1);
    const double step = s.picture.Y <= 50 ? 0.1 : 0.5;
    Curve curve("Form.Zahl2 = ", s.results.Zahl2, term, Curve::OnFailure::Skip);
    curve.width = s.areas.Fuel_Staerke;
    // A chosen name that is no colour keeps the default.
    curve.colour = s.areas.Flaeche_Farbe_Test ? colourFromText(s.areas.Flaeche_farbe).value_or(kAreaDefault)
                                        : kAreaDefault;
    Curve::Comb comb;
    comb.insideRange = true;
    curve.comb = comb;
    // One step beyond the upper bound, so that accumulated steps still reach it.
    sampleCurve(c, curve, s.areas.Untergrenze, s.areas.Obergrenze + step, step);
}

void flaeche_einfaerben_sp(Context& c)
{
    State& s = c.state;
    if (!s.areas.Flaeche_einferben_SP_Check)
        return;
    readRange(c);
    const Substitution f(string_richten(s.areas.f_x_Eingabe_txt));
    const Substitution g(string_richten(s.areas.g_x_Eingabe_txt));
    Curve curve("Form.zahl2 = ", s.results.Zahl2, f, Curve::OnFailure::Skip);
    curve.width = s.areas.Fuel_Staerke_SP;
    curve.colour = s.areas.Flaeche_Farbe_SP_Test ? Rgb(s.areas.FarbeBox_Flaeche_SP) : kAreaDefault;
    curve.comb = Curve::Comb{.base = &g, .basePrefix = "Form.zahl4 = ", .baseResult = &s.results.Zahl4};
    sampleCurve(c, curve, s.areas.Untergrenze, s.areas.Obergrenze, 0.1);
}

}  // namespace kw
