#include "curves/family.h"

#include <cmath>

#include "core/colours.h"
#include "core/context.h"
#include "curves/graph.h"
#include "curves/sampling.h"
#include "terms/engine.h"
#include "terms/normalize.h"
#include "terms/numtext.h"

namespace kw {

namespace {

struct Frage {
    std::string_view prompt, title, vorgabe;
};
constexpr Frage kFragen[] = {
    {"Bitte geben Sie den Startwert ein.", "Startwert", "-2"},
    {"Bitte geben Sie den Endwert ein.", "Endwert", "5"},
    {"Bitte geben Sie den Schrittwert ein.", "Schrittwert", "1"},
};

// All three questions first, then the answers in order: an empty or cancelled
// answer, or one that is not a number, stops with the cancel message; the
// answers accepted before it stay stored.
bool fragen(Context& c)
{
    std::optional<std::string> antworten[3];
    for (int i = 0; i < 3; ++i)
        antworten[i] = c.ui.input(kFragen[i].prompt, kFragen[i].title, kFragen[i].vorgabe);
    double* const ziele[3] = {&c.s.start, &c.s.Ende, &c.s.Step};
    for (int i = 0; i < 3; ++i) {
        const auto v = antworten[i] ? readNumber(*antworten[i]) : std::nullopt;
        if (!v) {
            c.ui.message(kMeldungAbgebrochen);
            return false;
        }
        if (ziele[i] == &c.s.Step && *v == 0) {  // the members would never reach the end
            c.ui.message(kMeldungSchrittwert);
            return false;
        }
        *ziele[i] = *v;
    }
    return true;
}

void drawFamily(Context& c)
{
    Range range;
    if (!readRangeAndStep(c, range))
        return;  // as the graph: a range or quality that is not a number draws nothing
    if (std::isinf(range.step)) {
        c.ui.message(kMeldungDivision);  // quality 0
        return;
    }
    prepareGraph(c, range);
    const auto colour = colourFromText(c.w.Graph_Farbe);
    if (!colour)
        return;

    // The wheel redraws with the stored values and never asks or complains.
    const bool wheel = c.s.Mausrad_Funktion;
    if (!wheel && !fragen(c)) {
        c.w.termRefused = true;
        return;
    }
    const auto members = scharGroesse(c.s.start, c.s.Ende, c.s.Step);
    if (!members) {
        if (!wheel) {
            c.ui.message(kMeldungZuVieleFunktionen);
            c.w.termRefused = true;
        }
        return;
    }

    // Member k is start + k·step: adding the step again and again would drift
    // past the end and lose the last member.
    const double start = c.s.start, step = c.s.Step;
    int malformed = 0;
    for (int k = 0; k < *members; ++k) {
        const Substitution term(scharTerm(c.w.xterm, start + k * step));
        // A member that does not parse fails at every x alike; sampled, it would
        // draw a flat line at the previous member's last value.
        double probe;
        if (Engine::evaluate(term.expression(range.left), probe) == err::Syntax) {
            ++malformed;
            continue;
        }
        Curve curve("Form.zahl = ", c.s.Zahl, term, Curve::OnFailure::KeepValue);
        curve.colour = *colour;
        sampleCurve(c, curve, range.left, range.right, range.step);
    }
    if (malformed > 0 && malformed == *members && !wheel) {
        c.ui.message(kMeldungSyntax);
        c.w.termRefused = true;
    }
}

}  // namespace

bool Funktionen_Scharren_check(Context& c)
{
    c.w.xterm = string_richten(c.s.Eingabe);
    c.s.Parametar_gefunden = c.w.xterm.find('@') != std::string::npos;
    return c.s.Parametar_gefunden;
}

void Funktionen_Scharr(Context& c)
{
    drawFamily(c);
    c.s.Parametar_gefunden = false;
}

std::optional<int> scharGroesse(double start, double end, double step)
{
    if (step == 0)
        return 0;
    constexpr double kRundung = 1e-9;  // of the step
    const double weitere = (end - start) / step;  // members after the first
    if (!(weitere >= -kRundung))
        return 0;  // the step points away from the end
    if (!(weitere + kRundung < kScharMax))
        return std::nullopt;
    return int(std::floor(weitere + kRundung)) + 1;
}

std::string scharTerm(std::string_view xterm, double p)
{
    const std::string zahl = engineText(p);
    const std::string geklammert = "(" + zahl + ")";
    std::string out;
    out.reserve(xterm.size() + 16);
    for (std::size_t i = 0; i < xterm.size(); ++i) {
        if (xterm[i] != '@') {
            out += xterm[i];
            continue;
        }
        const bool nachOperator = i > 0 && std::string_view("+-*/^").find(xterm[i - 1]) !=
                                               std::string_view::npos;
        out += p < 0 && !nachOperator ? geklammert : zahl;
    }
    return out;
}

}  // namespace kw
