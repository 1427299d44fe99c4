#include "curves/family.h"

#include <cmath>
#include <limits>

#include "core/colours.h"
#include "core/context.h"
#include "curves/graph.h"
#include "curves/sampling.h"
#include "terms/chars.h"
#include "terms/compiled.h"
#include "terms/engine.h"
#include "terms/numtext.h"

namespace kw {

namespace {

using chars::isDigit;
using chars::isLetter;
using chars::isOperator;

struct Question {
    std::string_view prompt, title, preset;
};
constexpr Question kQuestions[] = {
    {"Bitte geben Sie den Startwert ein.", "Startwert", "-2"},
    {"Bitte geben Sie den Endwert ein.", "Endwert", "5"},
    {"Bitte geben Sie den Schrittwert ein.", "Schrittwert", "1"},
};

// The questions one after another. An empty or cancelled answer stops at once
// with the cancel message; one that is not a number asks the same question
// again. The answers accepted before a stop stay stored.
bool askFamilyValues(Context& c)
{
    double* const targets[3] = {&c.state.family.start, &c.state.family.Ende, &c.state.family.Step};
    for (int i = 0; i < 3; ++i) {
        std::string prompt(kQuestions[i].prompt);
        std::optional<double> v;
        for (;;) {
            const auto answer = c.ui.input(prompt, kQuestions[i].title, kQuestions[i].preset);
            if (!answer || answer->find_first_not_of(" \t") == std::string::npos) {
                c.ui.message(kCancelledMessage);
                return false;
            }
            if ((v = readNumber(*answer)))
                break;
            prompt = std::string(kNotANumberMessage) + "\n" + std::string(kQuestions[i].prompt);
        }
        if (i == 2 && *v == 0) {  // a step of 0 would never reach the end
            c.ui.message(kStepMessage);
            return false;
        }
        *targets[i] = *v;
    }
    return true;
}

void drawFamily(Context& c, const DrawRequest& r)
{
    const auto given = r.range();
    if (!given)
        return;  // as the graph: a range or quality that is not a number draws nothing
    const Range range = *given;
    if (std::isinf(range.step)) {
        c.ui.message(kDivisionMessage);  // quality 0
        return;
    }
    prepareGraph(c, r, range);
    const auto colour = c.drawing.Graph_Farbe;
    if (!colour)
        return;

    // The wheel redraws with the stored values and never asks or complains.
    const bool wheel = c.state.session.Mausrad_Funktion;
    if (!wheel && !c.state.session.familyKnown && !askFamilyValues(c)) {
        c.drawing.termRefused = true;
        return;
    }
    const auto members = familySize(c.state.family.start, c.state.family.Ende, c.state.family.Step);
    if (members == 0) {
        if (!wheel) {
            c.ui.message(kStepAwayMessage);
            c.drawing.termRefused = true;
        }
        return;
    }
    if (!members) {
        if (!wheel) {
            c.ui.message(kTooManyFunctionsMessage);
            c.drawing.termRefused = true;
        }
        return;
    }

    // Member k is start + k·step: adding the step again and again would drift
    // past the end and lose the last member.
    const double start = c.state.family.start, step = c.state.family.Step;
    int malformed = 0;  // members that do not parse draw nothing
    for (int k = 0; k < *members; ++k) {
        const Substitution term(familyTerm(c.drawing.xterm, start + k * step));
        Curve curve("Form.zahl = ", c.state.results.Zahl, term, Curve::OnFailure::KeepValue);
        curve.colour = *colour;
        const auto firstRun = std::uint32_t(c.plane.runs().size());
        const SampleRun run = sampleCurve(c, curve, range.left, range.right, range.step);
        malformed += run.ended && run.error == err::Syntax;
        c.drawing.familyDrawn.push_back(
            {start + k * step, firstRun, std::uint32_t(c.plane.runs().size())});
    }
    if (malformed > 0 && malformed == *members && !wheel) {
        c.ui.message(kSyntaxMessage);
        c.drawing.termRefused = true;
    }
}

}  // namespace

bool Funktionen_Scharren_check(Context& c, const DrawRequest& r)
{
    c.drawing.xterm = r.xterm;
    c.state.session.Parametar_gefunden = c.drawing.xterm.find('@') != std::string::npos;
    return c.state.session.Parametar_gefunden;
}

void Funktionen_Scharr(Context& c, const DrawRequest& r)
{
    c.drawing.familyDrawn.clear();
    drawFamily(c, r);
    c.state.session.Parametar_gefunden = false;
}

double familyReach(const Context& c)
{
    const auto& members = c.drawing.familyDrawn;
    const double X = c.state.picture.X, Y = c.state.picture.Y;
    if (members.empty() || !(X < Y))
        return 0;
    constexpr int kSamples = 800;
    double reach = 0;
    for (const auto& m : members) {
        Compiled member({Substitution(familyTerm(c.drawing.xterm, m.value)).pattern()});
        double nearest = std::numeric_limits<double>::infinity();
        for (int i = 0; i <= kSamples; ++i) {
            const double x = X + (Y - X) * i / kSamples;
            if (const Outcome o = member.evaluate(x); o && std::isfinite(o.value))
                nearest = std::min(nearest, std::max(std::fabs(x), std::fabs(o.value)));
        }
        if (std::isfinite(nearest))
            reach = std::max(reach, nearest);
    }
    return reach;
}

std::optional<int> familySize(double start, double end, double step)
{
    if (step == 0)
        return 0;
    constexpr double kRoundingSlack = 1e-9;  // of the step
    // Members after the first; ends far apart are divided one by one, so that
    // their difference cannot overflow.
    double more = (end - start) / step;
    if (!std::isfinite(end - start))
        more = end / step - start / step;
    if (!(more >= -kRoundingSlack))
        return 0;  // the step points away from the end
    if (!(more + kRoundingSlack < kFamilyMax))
        return std::nullopt;
    return int(std::floor(more + kRoundingSlack)) + 1;
}

std::string familyTerm(std::string_view xterm, double p)
{
    const std::string numberText = engineText(p);
    const std::string geklammert = "(" + numberText + ")";
    std::string out;
    out.reserve(xterm.size() + 16);
    for (std::size_t i = 0; i < xterm.size(); ++i) {
        if (xterm[i] != '@') {
            out += xterm[i];
            continue;
        }
        // A factor written next to it without a star gets one, as for numbers:
        // "2@", "x@", "@(x+1)", "@sin(x)". Before x none is needed, x brings its own.
        const char vor = i > 0 ? xterm[i - 1] : '\0';
        const char nach = i + 1 < xterm.size() ? xterm[i + 1] : '\0';
        const bool malVor = isDigit(vor) || vor == '.' || vor == ',' || vor == ')' ||
                            vor == 'x' || vor == '@';
        if (malVor)
            out += '*';
        out += p < 0 && !malVor && !isOperator(vor) ? geklammert : numberText;
        if (isDigit(nach) || nach == '.' || nach == ',' || nach == '(' ||
            (isLetter(nach) && nach != 'x'))
            out += '*';
    }
    return out;
}

}  // namespace kw
