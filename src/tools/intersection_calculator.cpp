#include "tools/intersection_calculator.h"

#include <algorithm>

#include "areas/intersections.h"
#include "core/context.h"
#include "curves/graph.h"
#include "scene/redraw.h"
#include "terms/engine.h"
#include "terms/normalize.h"
#include "terms/numtext.h"
#include "terms/substitution.h"

namespace kw {

namespace {

constexpr Step kFunctionSteps[] = {Step::Schnittstellen_Zeichnen};

// A term the engine cannot read at all would draw nothing and cross nothing.
bool inRightForm(const std::string& term)
{
    double ignored = 0;
    return Engine::evaluate(Substitution(string_richten(term)).expression(1), ignored) !=
           err::Syntax;
}

}  // namespace

bool Eingabe_button_Click(Context& c, IntersectionFields& r)
{
    auto& terms = c.state.intersections.Schnittstellen_Terme;
    const std::string& term = r.Eingabe_Term_txt;
    std::string_view problem;
    if (terms.size() >= kMaxIntersectionTerms)
        problem = kSevenFunctionsMessage;
    else if (term.empty())
        problem = kInputEmptyMessage;
    else if (std::ranges::find(terms, term) != terms.end())
        problem = kAlreadyEnteredMessage;
    else if (termTooLong(term))
        problem = kTermTooLongMessage;
    else if (!inRightForm(term))
        problem = kSyntaxMessage;
    if (!problem.empty()) {
        c.ui.message(problem);
        return false;
    }
    terms.push_back(term);
    r.Eingegebene_Label += "\r\nf" + text(double(terms.size())) + "(x) = " + term;
    r.Eingabe_Zahl_Label = text(double(terms.size() + 1));
    return true;
}

void Zeichnen_butt_Click(Context& c)
{
    if (c.state.intersections.Schnittstellen_Terme.empty()) {
        c.ui.message(kNothingYetMessage);
        return;
    }
    c.state.intersections.Schnittstellen_Zeichnen_test = true;
    c.drawing.colourSeed = std::uint32_t(c.random());  // new colours for a new drawing
    redrawAll(c, kFunctionSteps);
}

void Schnittpunkte_butt_Click(Context& c, IntersectionFields& r)
{
    c.state.intersections.Schnittpunkte_farbig_test = false;
    r.Schnittpunkte_txt = std::string(kIntersectionsFound) + Schnittstellen_Ausrechnen(c);
}

void Schnittstellen_farbig_check_Click(Context& c)
{
    State& s = c.state;
    s.intersections.Schnittpunkte_farbig_test = countClick(s.clicks.farbig_Klick_Zaehler);
    if (s.intersections.Schnittpunkte_farbig_test)
        Schnittstellen_Ausrechnen(c);  // dots over the current picture
    else
        redrawAll(c, kFunctionSteps);
}

void Command1_Click(Context& c, IntersectionFields& r)
{
    c.state.intersections.Schnittstellen_Terme.clear();
    r.Schnittpunkte_txt = kIntersectionsFound;
    r.Eingabe_Zahl_Label = "1";
    r.Eingegebene_Label = "Eingegebene Funktionen: ";
    reset_click(c);
}

}  // namespace kw
