#include "scene/redraw.h"

#include <array>
#include <cmath>
#include <cstdlib>

#include "analysis/derivatives.h"
#include "analysis/inverse.h"
#include "analysis/tangent.h"
#include "areas/integral.h"
#include "areas/intersections.h"
#include "core/axes.h"
#include "core/context.h"
#include "core/examples.h"
#include "core/labels.h"
#include "core/plane.h"
#include "curves/bridge.h"
#include "curves/sampling.h"
#include "scene/graph_pass.h"
#include "scene/request.h"
#include "terms/numtext.h"

namespace kw {

namespace {

using Procedure = void (*)(Context&, const DrawRequest&);

struct Entry {
    Step step;
    Procedure procedure;
};

// Every step with its procedure, in the order of the enum, so that a step finds
// its procedure by its number; inEnumOrder() checks the order when compiling.
constexpr Entry kProcedures[] = {
    {Step::Koordinaten_System,
     [](Context& c, const DrawRequest& r) { Koordinaten_System(c.plane, c.state.picture, r); }},
    {Step::gitterzeichnen,
     [](Context& c, const DrawRequest&) { gitterzeichnen(c.plane, c.state.picture); }},
    {Step::Skalla, [](Context& c, const DrawRequest&) { Skalla(c.plane, c.state.picture); }},
    {Step::Beschriftung,
     [](Context& c, const DrawRequest& r) { Beschriftung(c.plane, c.state.picture, r); }},
    {Step::berechnen, &berechnen},
    {Step::erste_Ableitung, &erste_Ableitung},
    {Step::zweite_ableitung, &zweite_ableitung},
    {Step::dritte_ableitung, &dritte_ableitung},
    {Step::tangente, &tangente},
    {Step::Haengebruecke, &Haengebruecke},
    {Step::Umkehrfunktion, &Umkehrfunktion},
    {Step::Flaeche_einfaerben, &Flaeche_einfaerben},
    {Step::Schnittstellen_Zeichnen, &Schnittstellen_Zeichnen},
    {Step::Schnittstellen_Zeichnen_Integral, &Schnittstellen_Zeichnen_Integral},
};

constexpr bool inEnumOrder()
{
    std::size_t i = 0;
    for (const Entry& e : kProcedures)
        if (std::size_t(e.step) != i++)
            return false;
    return i == kStepCount;
}
static_assert(inEnumOrder(), "kProcedures must list every Step once, in the enum's order");

}  // namespace

void run(Context& c, const DrawRequest& r, std::span<const Step> steps)
{
    // The curves of one redraw share one clock, and Esc ends all of them.
    const Pacer::Work redraw(c.pacer, kDrawingHint, kDrawingCancelled);
    // A redraw from the coordinate system on starts a new picture: towers drawn
    // before are gone unless this one draws them again.
    if (!steps.empty() && steps.front() == Step::Koordinaten_System)
        c.state.bridge.towersShown = false;
    for (Step step : steps) {
        if (c.pacer.stopped())
            break;
        kProcedures[std::size_t(step)].procedure(c, r);
    }
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
    return readInt16(c.state.main.x_eingabe) && readInt16(c.state.main.y_eingabe);
}

bool checkRange(Context& c, const DrawRequest& r)
{
    if (r.rangeFits())
        return true;
    c.ui.message(kRangeMessage);
    return false;
}

bool checkRange(Context& c) { return checkRange(c, readRequest(c)); }

void Zeichnen_click(Context& c) { Zeichnen_click(c, readRequest(c)); }

void Zeichnen_click(Context& c, const DrawRequest& r)
{
    if (!checkRange(c, r))
        return;
    const int a = *r.from16;
    const int b = *r.to16;
    c.state.intersections.Schnittstellen_Zeichnen_test = false;
    c.state.areas.Schnittstellen_integral_Zeichnen_Check = false;

    PictureState& w = c.state.picture;
    if (a == -20 && b == 20) {
        w.sizex = w.sizey = 1200;
        // The plane keeps the size the menu or the wheel gave it while its
        // numbers can be read; one too small for them (zoomed out, or left by
        // another range) comes back to the default size.
        const bool readable = c.plane.width() == c.plane.height() &&
                              c.plane.width() / 12.0 >= kLabelsFromZoom;
        if (!readable)
            c.plane.resize(w.sizex, w.sizey);
    } else if (b <= 50 || b > 100) {
        const double unit = b <= 50 ? 20 : 100;
        c.plane.clear();
        w.sizey = clampSide(b / unit * 1200);
        w.sizex = clampSide(std::abs(a) / unit * 1200);
        c.plane.resize(w.sizex, w.sizey);
    } else {
        w.sizex = w.sizey = 1200;
        c.plane.resize(w.sizex, w.sizey);
    }

    // The zoom shown is the one drawn: a new drawing never inherits a zoom
    // (and with it hidden numbers) from an earlier plane.
    w.Zoom_Prozent = planeZoom(c.plane.height(), double(b));
    c.ui.setStatus(3, zoomText(w.Zoom_Prozent));

    if (!c.state.main.Graphloeschen_check) {
        c.plane.clear();
        run(c, r, kAxesSteps);
    }
    run(c, r, kDrawSteps);
    c.ui.planeChanged();
}

double planeZoom(int height, double top)
{
    if (top == 20)
        return height / 12.0;
    return height / (top <= 50 ? top / 20 * 12 : top / 100 * 12);
}

void redrawAll(Context& c, std::span<const Step> steps) { redrawAll(c, readRequest(c), steps); }

void redrawAll(Context& c, const DrawRequest& r, std::span<const Step> steps)
{
    if (!checkRange(c, r))
        return;
    c.plane.clear();
    run(c, r, kAxesSteps);
    run(c, r, steps);
    c.ui.planeChanged();
}

void reset_click(Context& c) { redrawAll(c, {}); }

void tangenten_bewegung(Context& c)
{
    const DrawRequest r = readRequest(c);
    if (!checkRange(c, r))
        return;
    // The coordinate system starts with a clear; keeping the old drawing skips
    // it, as "Zeichnen" does.
    if (!c.state.main.Graphloeschen_check) {
        c.plane.clear();
        run(c, r, kAxesSteps);
    }
    run(c, r, kTangentMoveSteps);
    c.ui.planeChanged();
}

void drawOpened(Context& c)
{
    const DrawRequest r = readRequest(c);
    if (!checkRange(c, r))
        return;
    State& s = c.state;
    s.bridge.Brueck_zeichnen = s.bridge.towersShown;
    s.session.familyKnown = true;
    c.plane.clear();
    run(c, r, kAxesSteps);
    run(c, r, kDrawSteps);
    static constexpr Step kCalculatorSteps[] = {Step::Schnittstellen_Zeichnen,
                                                Step::Schnittstellen_Zeichnen_Integral};
    run(c, r, kCalculatorSteps);
    s.session.familyKnown = false;
    c.ui.setStatus(3, zoomText(s.picture.Zoom_Prozent));
    c.ui.planeChanged();
}

void drawingWindowLoad(Context& c)
{
    PictureState& w = c.state.picture;
    w.sizex = w.sizey = 1200;
    w.Zoom_Prozent = w.sizex / 12.0;
    c.ui.setStatus(3, zoomText(w.Zoom_Prozent));
    const DrawRequest r = readRequest(c);
    const auto a = r.from16, b = r.to16;
    if (a && b && !(*a == -20 && *b == 20)) {
        w.sizey = clampSide(*b / 20.0 * 1200);
        w.sizex = clampSide(std::abs(*a) / 20.0 * 1200);
    }
    c.plane.resize(w.sizex, w.sizey);
    c.plane.clear();
    if (a && b)
        run(c, r, kAxesSteps);
    randomExample(c);
    c.ui.planeChanged();
}

}  // namespace kw
