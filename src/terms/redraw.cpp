#include "terms/redraw.h"

#include <array>
#include <cmath>
#include <cstdlib>

#include "analysis/derivatives.h"
#include "analysis/inverse.h"
#include "analysis/tangent.h"
#include "panel/context.h"
#include "panel/main_panel.h"
#include "plane/axes.h"
#include "plane/labels.h"
#include "plane/mouse.h"
#include "plane/plane.h"
#include "terms/graph.h"
#include "terms/numtext.h"

namespace kw {

namespace {

using Procedure = void (*)(Context&);

// Indexed by Step. Overlays that are not built yet are empty.
constexpr std::array<Procedure, 14> kProcedures{
    &Koordinaten_System,  // Koordinaten_System
    &gitterzeichnen,      // gitterzeichnen
    &Skalla,              // Skalla
    &Beschriftung,        // Beschriftung
    &berechnen,           // berechnen
    &erste_Ableitung,     // erste_Ableitung
    &zweite_ableitung,    // zweite_ableitung
    &dritte_ableitung,    // dritte_ableitung
    &tangente,            // tangente
    nullptr,              // Haengebruecke
    &Umkehrfunktion,      // Umkehrfunktion
    nullptr,              // Flaeche_einfaerben
    nullptr,              // Schnittstellen_Zeichnen
    nullptr,              // Schnittstellen_Zeichnen_Integral
};
static_assert(kProcedures.size() == std::size_t(Step::Schnittstellen_Zeichnen_Integral) + 1);

}  // namespace

void run(Context& c, std::span<const Step> steps)
{
    for (Step step : steps)
        if (Procedure p = kProcedures[std::size_t(step)])
            p(c);
}

int clampSide(double pixels)
{
    if (!(pixels >= 1))
        return 1;
    return pixels > Plane::kMaxSide ? Plane::kMaxSide : int(roundHalfEven(pixels));
}

std::string zoomText(double percent) { return "Zoom: " + text(percent) + "%"; }

bool rangeUsable(const Context& c)
{
    return readInt16(c.s.x_eingabe) && readInt16(c.s.y_eingabe);
}

bool checkRange(Context& c)
{
    if (rangeUsable(c))
        return true;
    c.ui.message(kMeldungBereich);
    return false;
}

void Zeichnen_click(Context& c)
{
    if (!checkRange(c))
        return;
    const int a = *readInt16(c.s.x_eingabe);
    const int b = *readInt16(c.s.y_eingabe);
    c.s.Schnittstellen_Zeichnen_test = false;
    c.s.Schnittstellen_integral_Zeichnen_Check = false;

    Drawing& w = c.w;
    if (a == -20 && b == 20) {
        w.sizex = w.sizey = 1200;
        // The plane keeps the size the menu or the wheel gave it; one that a
        // degenerate range left smaller than any of those comes back.
        if (c.ebene.width() < kMausradKleinste || c.ebene.height() < kMausradKleinste)
            c.ebene.resize(w.sizex, w.sizey);
    } else if (b <= 50 || b > 100) {
        const double unit = b <= 50 ? 20 : 100;
        c.ebene.clear();
        w.sizey = clampSide(b / unit * 1200);
        w.sizex = clampSide(std::abs(a) / unit * 1200);
        c.ebene.resize(w.sizex, w.sizey);
    } else {
        w.sizex = w.sizey = 1200;
        c.ebene.resize(w.sizex, w.sizey);
    }

    if (!c.s.Graphloeschen_check) {
        c.ebene.clear();
        run(c, kKoordinatensystem);
    }
    run(c, kZeichnenFolge);
    c.ui.planeChanged();
}

void redrawAll(Context& c, std::span<const Step> steps)
{
    if (!checkRange(c))
        return;
    c.ebene.clear();
    run(c, kKoordinatensystem);
    run(c, steps);
    c.ui.planeChanged();
}

void reset_click(Context& c) { redrawAll(c, {}); }

void drawingWindowLoad(Context& c)
{
    Drawing& w = c.w;
    w.sizex = w.sizey = 1200;
    w.Zoom_Prozent = w.sizex / 12.0;
    c.ui.setStatus(3, zoomText(w.Zoom_Prozent));
    auto a = readInt16(c.s.x_eingabe);
    auto b = readInt16(c.s.y_eingabe);
    if (a && b && !(*a == -20 && *b == 20)) {
        w.sizey = clampSide(*b / 20.0 * 1200);
        w.sizex = clampSide(std::abs(*a) / 20.0 * 1200);
    }
    c.ebene.resize(w.sizex, w.sizey);
    c.ebene.clear();
    if (a && b)
        run(c, kKoordinatensystem);
    zufall(c);
    c.ui.planeChanged();
}

}  // namespace kw
