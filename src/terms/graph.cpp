#include "terms/graph.h"

#include <cmath>

#include "panel/colours.h"
#include "panel/context.h"
#include "special/piecewise.h"
#include "special/rootlog.h"
#include "terms/normalize.h"
#include "terms/numtext.h"
#include "terms/sampling.h"

namespace kw {

void Funktionsfarbe(Context& c)
{
    if (auto colour = colourByName(c.s.FarbeBox, kSevenColours))
        c.w.Graph_Farbe = colourText(*colour);
}

bool readRangeAndStep(Context& c, Range& range)
{
    auto left = readNumber(c.s.x_eingabe);
    auto right = readNumber(c.s.y_eingabe);
    auto quality = readNumber(c.s.qualitaet_eingabe);
    if (!left || !right || !quality)
        return false;
    range = {*left, *right, 1 / *quality};
    return true;
}

void prepareGraph(Context& c, const Range& range)
{
    c.s.X = range.left;
    c.s.Y = range.right;
    Funktionsfarbe(c);
    c.w.xterm = string_richten(c.s.Eingabe);
    c.ebene.setPenWidth(2);
}

void berechnen(Context& c)
{
    Range range;
    if (!readRangeAndStep(c, range))
        return;  // a range or quality that is not a number ends the pass quietly
    if (std::isinf(range.step)) {
        c.ui.message(kMeldungDivision);  // quality 0
        return;
    }
    prepareGraph(c, range);
    c.ui.setProgressMaximum(float(std::fabs(range.left) + std::fabs(range.right)));

    const std::string& xterm = c.w.xterm;
    const bool rootLog =
        xterm.find("sqr") != std::string::npos || xterm.find("log") != std::string::npos;
    if (rootLog) {
        if (c.s.ad_funktion_test)
            Wurzel_log_Funktion_Abschnittweise(c);
        else
            Wurzel_log_funktion(c);
        return;
    }
    auto colour = colourFromText(c.w.Graph_Farbe);
    if (!colour)
        return;  // no colour was ever chosen: nothing can be drawn

    if (c.s.ad_funktion_test) {
        // A section is drawn as points; f undefined at a point just leaves it out.
        auto run = abschnitt(c, range, *colour);
        if (run && run->ended && run->error == 1002)
            c.ui.message(kMeldungSyntax);
        else if (run && run->ended && run->error == 11)
            c.ui.message(kMeldungDivision);
        return;
    }

    const Substitution term(xterm);
    Curve curve("Form.Zahl = ", c.s.Zahl, term, Curve::OnFailure::SkipInvalid);
    curve.edgeStrokes = true;
    curve.progress = true;
    curve.width = c.s.f_Linie_staerke;
    curve.colour = *colour;
    const SampleRun run = sampleCurve(c, curve, range.left, range.right, range.step);

    if (run.error == 1002 && run.ended)
        c.ui.message(kMeldungSyntax);
    else if (run.error == 11 && run.ended)
        c.ui.message(kMeldungDivision);
    else if (run.error == 5 && !run.ended)
        c.ui.message(kMeldungArgument);  // skipped samples, reported once the loop has ended
}

}  // namespace kw
