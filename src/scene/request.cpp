#include "scene/request.h"

#include "core/colours.h"
#include "core/context.h"
#include "terms/normalize.h"
#include "terms/numtext.h"

namespace kw {

DrawRequest readRequest(Context& c)
{
    const MainPanelState& m = c.state.main;
    DrawRequest r;
    ++c.reads.ranges;
    r.left = readNumber(m.x_eingabe);
    r.right = readNumber(m.y_eingabe);
    r.quality = readNumber(m.qualitaet_eingabe);
    if (auto a = readInt16(m.x_eingabe))
        r.from16 = *a;
    if (auto b = readInt16(m.y_eingabe))
        r.to16 = *b;
    ++c.reads.normalizations;
    r.termTooLong = termTooLong(m.Eingabe);
    if (!r.termTooLong)
        r.xterm = string_richten(m.Eingabe);
    r.graphColour = colourByName(m.FarbeBox, kSevenColours);
    return r;
}

}  // namespace kw
