#include "curves/graph.h"

#include <cmath>

#include "core/colours.h"
#include "core/context.h"
#include "curves/sampling.h"
#include "terms/compiled.h"
#include "terms/normalize.h"
#include "terms/numtext.h"

namespace kw {

bool inRightForm(std::string_view xterm)
{
    // The engine reads as it computes: a failure early in the text could hide
    // a syntax error behind it at one x, hardly at three.
    Compiled term({Substitution(xterm).pattern()});
    for (const double x : {0.5, -1.75, 3.25})
        if (term.evaluate(x).error == err::Syntax)
            return false;
    return true;
}

bool normalizeTerm(Context& c)
{
    ++c.reads.normalizations;
    if (termTooLong(c.state.main.Eingabe)) {
        c.drawing.xterm.clear();
        return false;
    }
    c.drawing.xterm = string_richten(c.state.main.Eingabe);
    return true;
}

void Funktionsfarbe(Context& c, const DrawRequest& r)
{
    if (r.graphColour)
        c.drawing.Graph_Farbe = r.graphColour;
}

bool readRangeAndStep(Context& c, Range& range)
{
    ++c.reads.ranges;
    auto left = readNumber(c.state.main.x_eingabe);
    auto right = readNumber(c.state.main.y_eingabe);
    auto quality = readNumber(c.state.main.qualitaet_eingabe);
    if (!left || !right || !quality)
        return false;
    range = {*left, *right, 1 / *quality};
    return true;
}

void prepareGraph(Context& c, const DrawRequest& r, const Range& range)
{
    c.state.picture.X = range.left;
    c.state.picture.Y = range.right;
    Funktionsfarbe(c, r);
    c.drawing.xterm = r.xterm;
    c.plane.setPenWidth(2);
}

SampleRun drawGraph(Context& c, const Range& range, Rgb colour)
{
    const Substitution term(c.drawing.xterm);
    Curve curve("Form.Zahl = ", c.state.results.Zahl, term, Curve::OnFailure::SkipInvalid);
    curve.edgeStrokes = true;
    curve.progress = true;
    curve.width = c.state.main.f_Linie_staerke;
    curve.colour = colour;
    return sampleCurve(c, curve, range.left, range.right, range.step);
}

}  // namespace kw
