#include "scene/show_all.h"

#include <algorithm>
#include <cmath>

#include "core/context.h"
#include "core/plane.h"
#include "curves/family.h"
#include "scene/redraw.h"
#include "terms/numtext.h"

namespace kw {

namespace {
// The coordinate system is drawn in these colours and is never what is to be shown.
constexpr Rgb kAxes = rgb(0, 0, 0);
constexpr Rgb kGrid = rgb(220, 220, 220);
constexpr double kLargestTop = 32767;
}  // namespace

double wholeDrawingTop(const Context& c)
{
    const auto a = readInt16(c.state.main.x_eingabe), b = readInt16(c.state.main.y_eingabe);
    if (!a || !b)
        return 0;
    const double top = std::max<double>(std::abs(*a), *b);
    if (c.state.bridge.towersShown)
        return top;  // the towers stand at the range's ends
    // Only widths count: a curve's height over a wider range would grow again
    // with every press.
    double reach = top;
    const Plane& p = c.plane;
    for (const auto& it : p.items()) {
        if (it.kind == Plane::Kind::Text || it.colour == kAxes || it.colour == kGrid)
            continue;
        for (float px : {it.x1, it.x2}) {
            const double x = std::fabs(p.worldX(px));
            if (std::isfinite(x))
                reach = std::max(reach, x);
        }
    }
    // A family that leaves the plane: every member at least in part.
    if (!c.drawing.termRefused)
        reach = std::max(reach, familyReach(c));
    if (reach <= top)
        return top;
    return std::min(kLargestTop, std::ceil(reach * 1.05));  // a little room at the edge
}

bool showAll(Context& c, int viewWidth, int viewHeight)
{
    if (!checkRange(c))
        return false;
    const double top = wholeDrawingTop(c);
    State& s = c.state;
    if (top > std::max<double>(std::abs(*readInt16(s.main.x_eingabe)), *readInt16(s.main.y_eingabe))) {
        s.main.x_eingabe = text(-top);
        s.main.y_eingabe = text(top);
        c.ui.fieldsChanged();
    }
    const double left = std::abs(*readInt16(s.main.x_eingabe));
    const double upper = *readInt16(s.main.y_eingabe);
    if (!(left > 0) || !(upper > 0))
        return drawOpened(c), true;  // nothing to fit: the picture as it is
    // The same pixels per unit along both axes, as large as the view allows.
    const double perUnit = std::min(std::max(1, viewWidth) / (2 * left),
                                    std::max(1, viewHeight) / (2 * upper));
    // A whole percentage, a little smaller rather than a little too large.
    const double exact = planeZoom(int(2 * upper * perUnit), upper);
    const double zoom = exact >= 1 ? std::floor(exact) : exact;
    const double scaled = perUnit * (exact > 0 ? zoom / exact : 1);
    PictureState& w = s.picture;
    w.sizex = clampSide(2 * left * scaled);
    w.sizey = clampSide(2 * upper * scaled);
    c.plane.resize(w.sizex, w.sizey);
    w.Zoom_Prozent = zoom;
    drawOpened(c);  // shows the zoom
    return true;
}

}  // namespace kw
