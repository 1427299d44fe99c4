#include "scene/graph_pass.h"

#include <cmath>
#include <string>

#include "areas/legend.h"
#include "core/colours.h"
#include "core/context.h"
#include "curves/family.h"
#include "curves/graph.h"
#include "curves/piecewise.h"
#include "curves/rootlog.h"
#include "terms/engine.h"

namespace kw {

namespace {

// A syntax error or a division by zero that ended the run is reported; skipped
// samples where f is undefined only where the run shows them as gaps. A run the
// user stopped says nothing more.
void report(Context& c, const SampleRun& run, bool skippedToo)
{
    if (run.stopped)
        return;
    if (run.ended && run.error == err::Syntax) {
        c.drawing.termRefused = true;
        c.ui.message(kSyntaxMessage);
    }
    else if (run.ended && run.error == err::DivisionByZero)
        c.ui.message(kDivisionMessage);
    else if (skippedToo && !run.ended && run.error == err::InvalidArgument)
        c.ui.message(kArgumentMessage);  // reported once the loop has ended
}

// The graph of f, or its family; true for a family.
bool drawMain(Context& c, const DrawRequest& r)
{
    c.drawing.termRefused = false;
    c.drawing.familyDrawn.clear();
    c.drawing.xterm = r.xterm;
    // Before anything else: a family would ask its questions first.
    if (r.termTooLong) {
        c.drawing.termRefused = true;
        c.ui.message(kTermTooLongMessage);
        return false;
    }
    // A term with the parameter "@" is drawn as a family; nothing else of the pass runs.
    if (Funktionen_Scharren_check(c, r)) {
        Funktionen_Scharr(c, r);
        return true;
    }
    const auto given = r.range();
    if (!given)
        return false;  // a range or quality that is not a number ends the pass quietly
    const Range range = *given;
    if (std::isinf(range.step)) {
        c.ui.message(kDivisionMessage);  // quality 0
        return false;
    }
    prepareGraph(c, r, range);
    c.ui.setProgressMaximum(float(std::fabs(range.left) + std::fabs(range.right)));

    const std::string& xterm = c.drawing.xterm;
    const bool rootLog =
        xterm.find("sqr") != std::string::npos || xterm.find("log") != std::string::npos;
    if (rootLog) {
        // Samples where f is undefined are simply not drawn; a term that cannot
        // be read at all draws nothing and is reported.
        const auto run = c.state.overlays.ad_funktion_test ? Wurzel_log_Funktion_Abschnittweise(c, r)
                                                           : Wurzel_log_funktion(c, r);
        if (run)
            report(c, *run, false);
        return false;
    }
    const auto colour = c.drawing.Graph_Farbe;
    if (!colour)
        return false;  // no colour was ever chosen: nothing can be drawn

    if (c.state.overlays.ad_funktion_test) {
        // A section is drawn as points; f undefined at a point just leaves it out.
        if (auto run = drawSection(c, range, *colour))
            report(c, *run, false);
        return false;
    }
    report(c, drawGraph(c, range, *colour), true);
    return false;
}

}  // namespace

void berechnen(Context& c, const DrawRequest& r)
{
    const bool family = drawMain(c, r);
    const auto colour = c.drawing.Graph_Farbe;
    if (!colour || c.drawing.termRefused || c.pacer.stopped())
        return;
    // Which curve is which, in the picture itself.
    if (family)
        labelFamily(c, c.state.main.Eingabe, *colour);
    else
        labelMain(c, c.state.main.Eingabe, *colour);
}

}  // namespace kw
