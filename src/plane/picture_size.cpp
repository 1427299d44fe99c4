#include "plane/picture_size.h"

#include <algorithm>
#include <new>

#include "core/context.h"
#include "scene/redraw.h"

namespace kw {

int MenuGroesse_Click(Context& c, int n, const PictureProbe& canHave)
{
    if (!checkRange(c))
        return kGroesseAbgelehnt;
    n = std::clamp(n, 1, kGroesseItems);
    for (;;) {
        Drawing& w = c.w;
        w.sizex = w.sizey = kGroesseSchritt * n;
        c.ebene.clear();
        bool ok = false;
        try {
            if (canHave(w.sizex, w.sizey)) {
                c.ebene.resize(w.sizex, w.sizey);
                run(c, kGroesseFolge);
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
            c.ui.message(kMeldungSpeicherEnde);
            return 0;
        }
        c.ui.message(kMeldungSpeicherReduziert);
        --n;
    }
}

}  // namespace kw
