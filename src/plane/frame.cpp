#include "plane/frame.h"

#include <algorithm>
#include <optional>
#include <vector>

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

namespace {
bool overlaps(const Box& a, const Box& b)
{
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}
}  // namespace

Offset freePlace(Extent size, Offset wanted, std::span<const Box> panels,
                 std::span<const Box> tools, Box mayCover, Box area)
{
    constexpr int kGap = 0;  // outer boxes: the next pixel is already outside
    // Candidate edges: the area's, and just beside every window.
    std::vector<int> xs{area.left, area.left + area.width - size.width};
    std::vector<int> ys{area.top, area.top + area.height - size.height};
    auto besides = [&](const Box& b) {
        xs.push_back(b.left + b.width + kGap);
        xs.push_back(b.left - size.width - kGap);
        xs.push_back(b.left);
        ys.push_back(b.top + b.height + kGap);
        ys.push_back(b.top - size.height - kGap);
        ys.push_back(b.top);
    };
    for (const Box& b : panels)
        besides(b);
    for (const Box& b : tools)
        besides(b);
    besides(mayCover);
    auto search = [&](bool coverDrawing, bool coverTools) -> std::optional<Offset> {
        std::optional<Offset> best;
        long long bestDistance = 0;
        for (int x : xs)
            for (int y : ys) {
                const Box here{x, y, size.width, size.height};
                if (x < area.left || y < area.top || x + size.width > area.left + area.width ||
                    y + size.height > area.top + area.height)
                    continue;
                bool free = coverDrawing || !overlaps(here, mayCover);
                for (const Box& b : panels)
                    free = free && !overlaps(here, b);
                for (const Box& b : tools)
                    free = free && (coverTools || !overlaps(here, b));
                const long long dx = x - wanted.left, dy = y - wanted.top;
                if (free && (!best || dx * dx + dy * dy < bestDistance)) {
                    best = Offset{x, y};
                    bestDistance = dx * dx + dy * dy;
                }
            }
        return best;
    };
    if (auto place = search(false, false))
        return *place;
    if (auto place = search(true, false))
        return *place;
    // Tools may cover each other now: they cascade over the drawing window,
    // each a step further than the last, still clear of the panels.
    constexpr int kCascade = 30;
    const int step = kCascade * (1 + int(tools.size()) % 8);
    wanted = {mayCover.left + step, mayCover.top + step};
    xs.push_back(wanted.left);
    ys.push_back(wanted.top);
    if (auto place = search(true, true))
        return *place;
    const Box cascaded{wanted.left, wanted.top, size.width, size.height};
    const Offset by = shiftInto({&cascaded, 1}, area);
    return {cascaded.left + by.left, cascaded.top + by.top};
}

}  // namespace kw
