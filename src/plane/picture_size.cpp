#include "plane/picture_size.h"

#include <algorithm>
#include <new>

#include "core/context.h"
#include "scene/redraw.h"
#include "scene/request.h"

namespace kw {

int MenuGroesse_Click(Context& c, int n, const PictureProbe& canHave)
{
    const DrawRequest r = readRequest(c);
    if (!checkRange(c, r))
        return kSizeRefused;
    n = std::clamp(n, 1, kSizeItems);
    for (;;) {
        PictureState& w = c.state.picture;
        w.sizex = w.sizey = kSizeStep * n;
        c.plane.clear();
        bool ok = false;
        try {
            if (canHave(w.sizex, w.sizey)) {
                c.plane.resize(w.sizex, w.sizey);
                run(c, r, kSizeSteps);
                ok = true;
            }
        } catch (const std::bad_alloc&) {
            // the redraw itself ran out of memory: try the next smaller size
        }
        if (ok) {
            c.ui.planeChanged();
            return n;
        }
        if (n == 1) {
            c.ui.message(kMemoryEndMessage);
            return 0;
        }
        c.ui.message(kMemoryReducedMessage);
        --n;
    }
}

int lowMemory(Context& c, const PictureProbe& canHave)
{
    c.plane.release();
    const int side = std::max(c.plane.width(), c.plane.height());
    const int n = std::clamp((side + kSizeStep - 1) / kSizeStep, 1, kSizeItems);
    if (n == 1) {
        c.ui.message(kMemoryEndMessage);
        return 0;
    }
    c.ui.message(kMemoryReducedMessage);
    return MenuGroesse_Click(c, n - 1, canHave);
}

}  // namespace kw
