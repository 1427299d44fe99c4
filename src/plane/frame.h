#pragma once

#include <span>

namespace kw {

// The scroll bars `HLauf` and `VLauf` select the visible part of the plane
// linearly: 0 shows its left (top) edge, 1000 its right (bottom) edge, 500 the
// middle, where the origin lies.
inline constexpr int kScrollMax = 1000;
inline constexpr int kScrollStep = 20;
inline constexpr int kScrollPage = 200;
inline constexpr int kScrollStart = 500;

struct Extent {
    int width = 0, height = 0;
};

struct Offset {
    int left = 0, top = 0;
};

// Layout of the drawing window's client area: which scroll bars show and the
// size of the frame `Fenster`, which fills the rest from (0, 0). `HLauf` lies
// below the frame, `VLauf` right of it.
struct FrameLayout {
    bool hScroll = false, vScroll = false;
    Extent viewport;
};

// `Form_Resize`: a scroll bar shows when the plane does not fit beside the
// other one, so no part of the plane is ever out of the bars' reach.
FrameLayout Form_Resize(Extent inner, Extent plane, int hScrollHeight, int vScrollWidth);

// `Ebene_Positionieren`: where the plane's top-left corner lies in the frame
// for the given scroll values (at or left of / above the frame's corner).
Offset Ebene_Positionieren(Extent viewport, Extent plane, int hScroll, int vScroll);

// The plane dragged with the left button from `start` by (dx, dy): it follows
// the mouse but never uncovers the frame; along a side where the plane is
// smaller than the frame it stays at 0.
Offset dragPlane(Extent viewport, Extent plane, Offset start, int dx, int dy);

// The scroll values that show the plane at `at`; a side along which the plane
// does not scroll keeps its value.
struct ScrollValues {
    int h = kScrollStart, v = kScrollStart;
};
ScrollValues scrollValuesFor(Extent viewport, Extent plane, Offset at, ScrollValues current);

// Docking: the main panel sits below the drawing window and the analysis panel
// to its right; positions and sizes are outer ones (with the window frame).
struct Box {
    int left = 0, top = 0, width = 0, height = 0;
};

// `FormMove`: where the main panel and the analysis panel go when the drawing
// window moved.
Offset mainPanelBelow(Box drawing);
Offset analysisBeside(Box drawing);

// After the main panel was dragged by its background. The drawing window
// follows only while the plane fills its width.
struct DockAfterDrag {
    bool moveDrawing = false;
    Offset drawing;
    Offset analysis;
};
DockAfterDrag dockToMainPanel(Box mainPanel, Box drawing, int drawingInnerWidth, int planeWidth);

// How far a group of windows moves, as one, to lie within the free area of the
// screen: where it would reach beyond the right or bottom edge, left or up just
// as far as needed, so that windows that fit keep their places. A group larger
// than the area keeps its top-left corner inside, where the title bars are.
Offset shiftInto(std::span<const Box> group, Box area);

// Where a tool window of `size` opens (its top-left corner, outer sizes): on
// the free part of `area` nearest to `wanted`, covering no panel, no open
// tool and not `mayCover` (the drawing window); failing that, over the drawing
// window; failing that, over other tools too, cascaded over the drawing
// window. Panels are covered only where the area has no other room.
Offset freePlace(Extent size, Offset wanted, std::span<const Box> panels,
                 std::span<const Box> tools, Box mayCover, Box area);

}  // namespace kw
