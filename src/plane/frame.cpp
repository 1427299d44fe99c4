#include "plane/frame.h"

#include <algorithm>

#include "terms/numtext.h"

namespace kw {

FrameLayout Form_Resize(Extent inner, Extent plane, int hLaufHeight, int vLaufWidth)
{
    FrameLayout l;
    // Each bar narrows the room along the other side; two rounds settle it.
    for (int round = 0; round < 2; ++round) {
        l.hLauf = inner.width - (l.vLauf ? vLaufWidth : 0) < plane.width;
        l.vLauf = inner.height - (l.hLauf ? hLaufHeight : 0) < plane.height;
    }
    l.fenster.width = std::max(0, inner.width - (l.vLauf ? vLaufWidth : 0));
    l.fenster.height = std::max(0, inner.height - (l.hLauf ? hLaufHeight : 0));
    return l;
}

namespace {

// The offset along one side: the part of the plane beyond the frame, times the
// scroll fraction.
int along(int frame, int plane, int value)
{
    if (frame > plane)
        return 0;
    return -int(roundHalfEven(double(plane - frame) * value / kLaufMax));
}

int dragAlong(int frame, int plane, int start, int delta)
{
    if (frame > plane)
        return 0;
    return std::clamp(start + delta, frame - plane, 0);
}

// Along one side: back from the far edge, but never beyond the near one.
int shiftAlong(int lo, int hi, int areaLo, int areaHi)
{
    return std::max(std::min(0, areaHi - hi), areaLo - lo);
}

int laufAlong(int frame, int plane, int offset, int current)
{
    if (frame >= plane)
        return current;
    const double value = roundHalfEven(-double(offset) * kLaufMax / (plane - frame));
    return std::clamp(int(value), 0, kLaufMax);
}

}  // namespace

Offset Ebene_Positionieren(Extent fenster, Extent plane, int hLauf, int vLauf)
{
    return {along(fenster.width, plane.width, hLauf), along(fenster.height, plane.height, vLauf)};
}

Offset dragPlane(Extent fenster, Extent plane, Offset start, int dx, int dy)
{
    return {dragAlong(fenster.width, plane.width, start.left, dx),
            dragAlong(fenster.height, plane.height, start.top, dy)};
}

LaufValues laufFor(Extent fenster, Extent plane, Offset at, LaufValues current)
{
    return {laufAlong(fenster.width, plane.width, at.left, current.h),
            laufAlong(fenster.height, plane.height, at.top, current.v)};
}

Offset mainPanelBelow(Box drawing) { return {drawing.left, drawing.top + drawing.height}; }

Offset analysisBeside(Box drawing) { return {drawing.left + drawing.width, drawing.top}; }

DockAfterDrag dockToMainPanel(Box mainPanel, Box drawing, int drawingInnerWidth, int planeWidth)
{
    DockAfterDrag d;
    d.moveDrawing = drawingInnerWidth <= planeWidth;
    d.drawing = {mainPanel.left, mainPanel.top - drawing.height};
    d.analysis = {mainPanel.left + mainPanel.width, mainPanel.top - drawing.height};
    return d;
}

Offset shiftInto(std::span<const Box> group, Box area)
{
    if (group.empty() || area.width <= 0 || area.height <= 0)
        return {};
    Box all = group.front();
    int right = all.left + all.width, bottom = all.top + all.height;
    for (const Box& b : group) {
        all.left = std::min(all.left, b.left);
        all.top = std::min(all.top, b.top);
        right = std::max(right, b.left + b.width);
        bottom = std::max(bottom, b.top + b.height);
    }
    return {shiftAlong(all.left, right, area.left, area.left + area.width),
            shiftAlong(all.top, bottom, area.top, area.top + area.height)};
}

}  // namespace kw
