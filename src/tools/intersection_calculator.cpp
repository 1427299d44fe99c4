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

constexpr Step kFunktionen[] = {Step::Schnittstellen_Zeichnen};

// A term the engine cannot read at all would draw nothing and cross nothing.
bool inRightForm(const std::string& term)
{
    double ignored = 0;
    return Engine::evaluate(Substitution(string_richten(term)).expression(1), ignored) !=
           err::Syntax;
}

}  // namespace

bool Eingabe_button_Click(Context& c, SchnittstellenRechner& r)
{
    auto& terms = c.s.Schnittstellen_Terme;
    const std::string& term = r.Eingabe_Term_txt;
    std::string_view problem;
    if (terms.size() >= kMaxSchnittstellenTerme)
        problem = kMeldungSiebenFunktionen;
    else if (term.empty())
        problem = kMeldungEingabeLeer;
    else if (std::ranges::find(terms, term) != terms.end())
        problem = kMeldungBereitsEingegeben;
    else if (termZuLang(term))
        problem = kMeldungTermZuLang;
    else if (!inRightForm(term))
        problem = kMeldungSyntax;
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
    if (c.s.Schnittstellen_Terme.empty()) {
        c.ui.message(kMeldungNochNichts);
        return;
    }
    c.s.Schnittstellen_Zeichnen_test = true;
    redrawAll(c, kFunktionen);
}

void Schnittpunkte_butt_Click(Context& c, SchnittstellenRechner& r)
{
    c.s.Schnittpunkte_farbig_test = false;
    r.Schnittpunkte_txt = std::string(kGefundeneSchnittpunkte) + Schnittstellen_Ausrechnen(c);
}

void Schnittstellen_farbig_check_Click(Context& c)
{
    State& s = c.s;
    s.Schnittpunkte_farbig_test = countClick(s.farbig_Klick_Zaehler);
    if (s.Schnittpunkte_farbig_test)
        Schnittstellen_Ausrechnen(c);  // dots over the current picture
    else
        redrawAll(c, kFunktionen);
}

void Command1_Click(Context& c, SchnittstellenRechner& r)
{
    c.s.Schnittstellen_Terme.clear();
    r.Schnittpunkte_txt = kGefundeneSchnittpunkte;
    r.Eingabe_Zahl_Label = "1";
    r.Eingegebene_Label = "Eingegebene Funktionen: ";
    reset_click(c);
}

}  // namespace kw
