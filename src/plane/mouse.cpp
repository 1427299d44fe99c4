#include "plane/mouse.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "core/context.h"
#include "scene/redraw.h"
#include "scene/request.h"
#include "terms/numtext.h"

namespace kw {

namespace {

// Clears and resizes the plane to the new square size and redraws it.
void redrawAt(Context& c, const DrawRequest& r, std::span<const Step> steps)
{
    c.plane.clear();
    c.plane.resize(c.state.picture.sizex, c.state.picture.sizey);
    run(c, r, steps);
    c.ui.planeChanged();
}

void setSize(PictureState& w, int side) { w.sizex = w.sizey = side; }

double roundTo(double v, int decimals)
{
    const double scale = std::pow(10.0, decimals);
    return roundHalfEven(v * scale) / scale;
}

}  // namespace

bool MouseWheel(Context& c, int Distance)
{
    const DrawRequest r = readRequest(c);
    if (!checkRange(c, r))
        return false;
    State& s = c.state;
    PictureState& w = c.state.picture;
    s.session.Mausrad_Funktion = true;

    const bool standard = s.picture.Y == 20.0;
    if (standard) {
        if (w.sizex > kWheelLargest)
            setSize(w, kWheelLargest);
        if (w.sizex < kWheelSmallest)
            setSize(w, kWheelSmallest);
    }
    setSize(w, w.sizex + Distance);

    if (standard && w.sizex >= kWheelSmallest && w.sizex <= kWheelLargest) {
        w.Zoom_Prozent = w.sizex / 12.0;
        c.ui.setStatus(3, zoomText(w.Zoom_Prozent));
        const bool schnittstellen =
            s.areas.Schnittstellen_integral_Zeichnen_Check || s.intersections.Schnittstellen_Zeichnen_test;
        redrawAt(c, r, schnittstellen ? std::span<const Step>(kWheelIntersectionSteps)
                                   : std::span<const Step>(kWheelSteps));
    } else {
        // The bounds scale with the top edge. The plane cannot grow beyond its
        // largest side, so neither may the wheel (the zoom shown would lie).
        const double lo = std::clamp(s.picture.Y / 20 * kWheelSmallest, -1e9, 1e9);
        const double hi = std::min(s.picture.Y / 20 * kWheelLargest, double(Plane::kMaxSide));
        if (hi < w.sizex)
            setSize(w, int(roundHalfEven(std::max(hi, -1e9))));
        if (lo > w.sizex)
            setSize(w, int(roundHalfEven(lo)));
        setSize(w, w.sizex + Distance);
        if (lo <= w.sizex && w.sizex <= hi) {
            const double unit = s.picture.Y <= 50 ? s.picture.Y / 20 * 12 : s.picture.Y / 100 * 12;
            w.Zoom_Prozent = w.sizex / unit;
            c.ui.setStatus(3, zoomText(w.Zoom_Prozent));
            redrawAt(c, r, s.intersections.Schnittstellen_Zeichnen_test
                            ? std::span<const Step>(kWheelIntersectionRangeSteps)
                            : std::span<const Step>(kWheelSteps));
        }
    }
    s.session.Mausrad_Funktion = false;
    return true;
}

std::string coordinatesText(double x, double y)
{
    const double xr = roundTo(x, 3), yr = roundTo(y, 3);
    const double rr = roundTo(std::sqrt(x * x + y * y), 3);
    return "Koordinaten: X= " + text(roundTo(xr, 2)) + ", Y= " + text(roundTo(yr, 2)) +
           ", Radius= " + text(roundTo(rr, 2));
}

void Ebene_MouseMove(Context& c, double x, double y) { c.ui.setStatus(2, coordinatesText(x, y)); }

}  // namespace kw
