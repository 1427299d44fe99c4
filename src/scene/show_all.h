#pragma once

namespace kw {

class Context;

// "Alles anzeigen": redraws everything shown (graph, overlays, the bridge's
// towers, a family with its values, the calculators' drawings) on a plane
// that fits a view of viewWidth × viewHeight pixels. Crossings or shaded parts
// drawn beyond the x range widen the range so they are in view; the bridge
// keeps its range, its towers stand at its ends. A range the plane cannot show
// is refused as by every redraw; returns whether it was drawn.
bool showAll(Context& c, int viewWidth, int viewHeight);

// The top edge of the range that holds everything drawn beside the coordinate
// system: at least the range's own, wider where an overlay reaches beyond it.
double wholeDrawingTop(const Context& c);

}  // namespace kw
