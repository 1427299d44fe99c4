#include "plane/frame.h"

#include <algorithm>

#include "terms/numtext.h"

namespace kw {

FrameLayout Form_Resize(Extent inner, Extent plane, int hScrollHeight, int vScrollWidth)
{
    FrameLayout l;
    // Each bar narrows the room along the other side; two rounds settle it.
    for (int round = 0; round < 2; ++round) {
        l.hScroll = inner.width - (l.vScroll ? vScrollWidth : 0) < plane.width;
        l.vScroll = inner.height - (l.hScroll ? hScrollHeight : 0) < plane.height;
    }
    l.viewport.width = std::max(0, inner.width - (l.vScroll ? vScrollWidth : 0));
    l.viewport.height = std::max(0, inner.height - (l.hScroll ? hScrollHeight : 0));
    return l;
}

namespace {

// The offset along one side: the part of the plane beyond the frame, times the
// scroll fraction.
int along(int frame, int plane, int value)
{
    if (frame > plane)
        return 0;
    return -int(roundHalfEven(double(plane - frame) * value / kScrollMax));
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

int scrollAlong(int frame, int plane, int offset, int current)
{
    if (frame >= plane)
        return current;
    const double value = roundHalfEven(-double(offset) * kScrollMax / (plane - frame));
    return std::clamp(int(value), 0, kScrollMax);
}

}  // namespace

Offset Ebene_Positionieren(Extent viewport, Extent plane, int hScroll, int vScroll)
{
    return {along(viewport.width, plane.width, hScroll), along(viewport.height, plane.height, vScroll)};
}

Offset dragPlane(Extent viewport, Extent plane, Offset start, int dx, int dy)
{
    return {dragAlong(viewport.width, plane.width, start.left, dx),
            dragAlong(viewport.height, plane.height, start.top, dy)};
}

ScrollValues scrollValuesFor(Extent viewport, Extent plane, Offset at, ScrollValues current)
{
    return {scrollAlong(viewport.width, plane.width, at.left, current.h),
            scrollAlong(viewport.height, plane.height, at.top, current.v)};
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
