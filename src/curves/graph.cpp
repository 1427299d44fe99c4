#include "curves/graph.h"

#include <cmath>

#include "core/colours.h"
#include "core/context.h"
#include "curves/sampling.h"
#include "terms/normalize.h"
#include "terms/numtext.h"

namespace kw {

bool normalizeTerm(Context& c)
{
    if (termZuLang(c.state.Eingabe)) {
        c.drawing.xterm.clear();
        return false;
    }
    c.drawing.xterm = string_richten(c.state.Eingabe);
    return true;
}

void Funktionsfarbe(Context& c)
{
    if (auto colour = colourByName(c.state.FarbeBox, kSevenColours))
        c.drawing.Graph_Farbe = colourText(*colour);
}

bool readRangeAndStep(Context& c, Range& range)
{
    auto left = readNumber(c.state.x_eingabe);
    auto right = readNumber(c.state.y_eingabe);
    auto quality = readNumber(c.state.qualitaet_eingabe);
    if (!left || !right || !quality)
        return false;
    range = {*left, *right, 1 / *quality};
    return true;
}

void prepareGraph(Context& c, const Range& range)
{
    c.state.X = range.left;
    c.state.Y = range.right;
    Funktionsfarbe(c);
    normalizeTerm(c);
    c.plane.setPenWidth(2);
}

SampleRun drawGraph(Context& c, const Range& range, Rgb colour)
{
    const Substitution term(c.drawing.xterm);
    Curve curve("Form.Zahl = ", c.state.Zahl, term, Curve::OnFailure::SkipInvalid);
    curve.edgeStrokes = true;
    curve.progress = true;
    curve.width = c.state.f_Linie_staerke;
    curve.colour = colour;
    return sampleCurve(c, curve, range.left, range.right, range.step);
}

}  // namespace kw
