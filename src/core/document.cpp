#include "core/document.h"

#include "core/context.h"

namespace kw {

DrawingParts drawingOf(const Context& c)
{
    return {c.state, c.plane.width(), c.plane.height()};
}

void setDrawing(Context& c, const DrawingParts& d)
{
    State& s = c.state;
    static_cast<DrawingState&>(s) = d;
    c.plane.resize(d.planeWidth, d.planeHeight);

    auto counter = [](bool on) { return State::Int(on ? 1 : 0); };
    ClickCounters& k = s.clicks;
    const OverlayState& o = d.overlays;
    k.Graphloeschen_check_click = counter(d.main.Graphloeschen_check);
    k.form3_click_Zaehler_AD = counter(o.ad_funktion_test);
    k.form3_click_Zaehler_Ableitung = counter(o.ableitungs_test);
    k.form3_click_Zaehler_Ableitung_zwei = counter(o.zweite_ableitungs_test);
    k.form3_click_Zaehler_Ableitung_drei = counter(o.dritte_ableitungs_test);
    k.form3_click_Zaehler_tangente = counter(o.tangente_test);
    k.form3_click_Zaehler_Umkehrfunktion = counter(o.Umkehrfunktion_test);
    k.farbig_Klick_Zaehler = counter(d.intersections.Schnittpunkte_farbig_test);
    // The caches belong to the drawing that was there before.
    s.terms = {};
}

}  // namespace kw
