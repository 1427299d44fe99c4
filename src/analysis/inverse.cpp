#include "analysis/inverse.h"

#include <cmath>

#include "core/colours.h"
#include "core/context.h"
#include "core/overlays.h"
#include "curves/graph.h"
#include "curves/sampling.h"

namespace kw {

namespace {
constexpr Rgb kDefault = overlayCurve(Overlay::Inverse).defaultColour;
}  // namespace

void Umkehrfunktion(Context& c, const DrawRequest& r)
{
    State& s = c.state;
    if (!s.overlays.Umkehrfunktion_test)
        return;
    if (!s.overlays.umkehrfunktion_Farbe_test)
        s.overlays.Umkehrfunktion_Farbe = colourText(kDefault);
    const auto given = r.range();
    if (!given)
        return;
    const Range range = *given;
    prepareGraph(c, r, range);
    if (!std::isfinite(range.step))
        return;
    // Chosen flag set by a name that matches no colour: the default stays.
    const Rgb colour = colourFromText(s.overlays.Umkehrfunktion_Farbe).value_or(kDefault);

    c.plane.setForeColor(rgb(0, 0, 0));
    const Substitution term(c.drawing.xterm);
    Curve curve("Form.Umkehrfunktionswert = ", s.results.Umkehrfunktionswert, term,
                Curve::OnFailure::KeepValue);
    curve.swapAxes = true;
    curve.width = s.overlays.umkehrfunktion_f_staerke;
    curve.colour = colour;
    sampleCurve(c, curve, range.left, range.right, range.step);
}

}  // namespace kw
