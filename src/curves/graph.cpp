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

bool termRichten(Context& c)
{
    if (termZuLang(c.s.Eingabe)) {
        c.w.xterm.clear();
        return false;
    }
    c.w.xterm = string_richten(c.s.Eingabe);
    return true;
}

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
    termRichten(c);
    c.ebene.setPenWidth(2);
}

SampleRun drawGraph(Context& c, const Range& range, Rgb colour)
{
    const Substitution term(c.w.xterm);
    Curve curve("Form.Zahl = ", c.s.Zahl, term, Curve::OnFailure::SkipInvalid);
    curve.edgeStrokes = true;
    curve.progress = true;
    curve.width = c.s.f_Linie_staerke;
    curve.colour = colour;
    return sampleCurve(c, curve, range.left, range.right, range.step);
}

}  // namespace kw
