#include "tools/area_calculator.h"

#include <functional>
#include <utility>

#include "areas/integral.h"
#include "areas/intersections.h"
#include "core/colours.h"
#include "core/context.h"
#include "curves/graph.h"
#include "scene/redraw.h"
#include "scene/request.h"
#include "terms/engine.h"
#include "terms/normalize.h"
#include "terms/numtext.h"

namespace kw {

namespace {

struct Grenzen {
    double low, high;
};

// Both bound fields as numbers, or the message that says what is missing.
std::optional<Grenzen> readBounds(std::string_view low, std::string_view high,
                                  std::string_view& problem)
{
    auto u = readNumber(low);
    auto o = readNumber(high);
    if (low.empty() || high.empty())
        problem = kBoundsMessage;
    else if (!u)
        problem = kLowerBoundMessage;
    else if (!o)
        problem = kUpperBoundMessage;
    if (!problem.empty())
        return std::nullopt;
    return Grenzen{*u, *o};
}

bool blank(std::string_view term) { return term.find_first_not_of(' ') == std::string_view::npos; }

// The signed integral and the enclosed area as the result boxes show them, or
// empty texts and the message why there are none (a term not in the right form
// only with syntaxToo). poleOf names the function with a pole at x.
struct Ergebnis {
    std::string integral, area;
    std::string problem;
};
Ergebnis compute(const std::string& xterm, double a, double b, bool syntaxToo,
                 const std::function<std::string(double)>& poleOf)
{
    Ergebnis e;
    const Integral signed_ = integrate(xterm, a, b);
    Integral area;
    if (signed_)
        area = integrate(xterm, a, b, true);
    if (signed_.pole)
        e.problem = poleMessage(poleOf(*signed_.pole), *signed_.pole);
    else if (const int error = signed_.error ? signed_.error : area.error; error == err::Overflow)
        e.problem = kIntegralTooLargeMessage;
    else if (error != err::None && (error != err::Syntax || syntaxToo))
        e.problem = error == err::Syntax ? kSyntaxMessage : kUndefinedMessage;
    if (signed_ && area) {
        e.integral = resultText(signed_.value, signed_.uncertainty);
        e.area = resultText(area.value, area.uncertainty);
    }
    return e;
}

// The message after the fields have their new texts.
void say(Context& c, std::string_view problem)
{
    c.ui.fieldsChanged();
    if (!problem.empty())
        c.ui.message(problem);
}

}  // namespace

void loadAreaFields(const Context& c, AreaFields& r)
{
    r.Funktion_eingabe = c.state.main.Eingabe;
    r.Obergrenze_eingabe = text(c.state.picture.Y);
    r.Untergrenze_eingabe = text(c.state.picture.X);
    r.SP_Grenzen.clear();
}

bool Integral_Berechnen_Butt_Click(Context& c, AreaFields& r)
{
    State& s = c.state;
    if (termTooLong(r.Funktion_eingabe)) {
        c.ui.message(kTermTooLongMessage);
        return false;
    }
    std::string_view problem;
    const auto bounds = readBounds(r.Untergrenze_eingabe, r.Obergrenze_eingabe, problem);
    if (!bounds) {
        c.ui.message(problem);
        return false;
    }
    s.areas.Untergrenze = bounds->low;
    s.areas.Obergrenze = bounds->high;
    // The main drawing reports a term not in the right form itself.
    const Ergebnis e = compute(string_richten(r.Funktion_eingabe), s.areas.Untergrenze, s.areas.Obergrenze,
                               false, [](double) { return "f(x)"; });
    r.Flaeche_Ergebnis = e.integral;
    r.Flaecheninhalt_Ergebnis = e.area;
    c.drawing.noArea = e.integral.empty();
    s.main.Eingabe = r.Funktion_eingabe;
    say(c, e.problem);
    return true;
}

bool Flaeche_einfaerben_click(Context& c, AreaFields& r)
{
    c.state.areas.Flaeche_einferben_Check = countClick(r.click_Zaehler);
    return Integral_Berechnen_Butt_Click(c, r);
}

void Integral_Berechnen_SP_butt_Click(Context& c, AreaFields& r)
{
    State& s = c.state;
    if (!checkRange(c))
        return;
    // No integrand is built from an empty function.
    if (blank(s.areas.f_x_Eingabe_txt) || blank(s.areas.g_x_Eingabe_txt)) {
        c.ui.message(kBothFunctionsMessage);
        return;
    }
    if (termTooLong(s.areas.f_x_Eingabe_txt) || termTooLong(s.areas.g_x_Eingabe_txt)) {
        c.ui.message(kTermTooLongMessage);
        return;
    }
    if (!inRightForm(string_richten(s.areas.f_x_Eingabe_txt)) ||
        !inRightForm(string_richten(s.areas.g_x_Eingabe_txt))) {
        c.ui.message(kSyntaxMessage);
        return;
    }
    const std::string integrand = s.areas.f_x_Eingabe_txt + "-(" + s.areas.g_x_Eingabe_txt + ")";
    reset_click(c);
    const std::string terms[] = {s.areas.f_x_Eingabe_txt, s.areas.g_x_Eingabe_txt};
    const Pair fg[] = {{0, 1}};
    const auto found = findIntersections(terms, fg, s.picture.X, s.picture.Y, &c.ui);
    r.Laben_Schnitt_f_g = reportIntersections(c, found, [](const Intersection& p) {
        return "f(x) schneidet g(x) in SP " + pointText(p) + "\r\n";
    });

    if (r.SP_Obergrenze_txt.empty())
        r.SP_Obergrenze_txt = "0";
    // A new pair offers its own crossings as bounds; the same pair again keeps
    // the bounds the user chose or typed meanwhile.
    std::string problem;
    if (s.terms.Schnittstellen_Term_davor != integrand) {
        r.SP_Grenzen.clear();
        for (const Intersection& p : found.points)
            r.SP_Grenzen.push_back(text(p.x));
        if (r.SP_Grenzen.empty())
            r.SP_Untergrenze_txt.clear();
        else
            r.SP_Untergrenze_txt = r.SP_Grenzen.front();
        if (r.SP_Grenzen.size() >= 2)
            r.SP_Obergrenze_txt = r.SP_Grenzen.back();
        else
            problem = kOneCrossingMessage;  // one crossing and some other bound is no area
        s.terms.Schnittstellen_Term_davor = integrand;
    }

    std::string_view boundsProblem;
    const auto bounds = readBounds(r.SP_Untergrenze_txt, r.SP_Obergrenze_txt, boundsProblem);
    if (problem.empty())
        problem = boundsProblem;
    if (bounds) {
        s.areas.Untergrenze = bounds->low;
        s.areas.Obergrenze = bounds->high;
        if (s.areas.Untergrenze > s.areas.Obergrenze) {
            std::swap(s.areas.Untergrenze, s.areas.Obergrenze);
            std::swap(r.SP_Untergrenze_txt, r.SP_Obergrenze_txt);
        }
    }
    r.Funktion_eingabe_SP = integrand;
    Ergebnis e;
    if (bounds && problem.empty() && s.areas.Untergrenze == s.areas.Obergrenze) {
        problem = kEqualBoundsMessage;  // the results stay
        e = {r.Schnitt_Flaeche_Ergebniss, r.Flaecheninhalt_SP_Ergebnis, {}};
    } else if (bounds && problem.empty()) {
        const std::string f = string_richten(s.areas.f_x_Eingabe_txt);
        e = compute(string_richten(integrand), s.areas.Untergrenze, s.areas.Obergrenze, true,
                    [&](double x) {
                        return divergesAt(f, x, s.areas.Untergrenze, s.areas.Obergrenze) ? "f(x)" : "g(x)";
                    });
        problem = e.problem;
    }
    r.Schnitt_Flaeche_Ergebniss = e.integral;
    r.Flaecheninhalt_SP_Ergebnis = e.area;

    s.areas.Schnittstellen_integral_Zeichnen_Check = true;
    c.drawing.colourSeed = std::uint32_t(c.random());  // new colours for a new drawing
    Schnittstellen_Zeichnen_Integral(c, readRequest(c));
    if (!e.integral.empty())
        flaeche_einfaerben_sp(c);
    c.ui.planeChanged();
    say(c, problem);
}

void Flaeche_einfaerben2_click(Context& c, AreaFields& r)
{
    c.state.areas.Flaeche_einferben_SP_Check = countClick(r.click_Zaehler_SP);
    Integral_Berechnen_SP_butt_Click(c, r);
}

std::optional<Rgb> FarbeBox_Flaeche_Click(State& s, std::string_view name)
{
    return chooseColour(name, kColours.size(), s.areas.Flaeche_Farbe_Test, s.areas.Flaeche_farbe);
}

std::optional<Rgb> FarbeBox_Flaeche_SP_Click(State& s, std::string_view name)
{
    std::string stored;
    auto colour = chooseColour(name, kColours.size(), s.areas.Flaeche_Farbe_SP_Test, stored);
    if (colour)
        s.areas.FarbeBox_Flaeche_SP = double(*colour);
    return colour;
}

void Flaeche_Linien_staerke_Click(State& s, std::string_view width)
{
    if (auto w = readInt16(width))
        s.areas.Fuel_Staerke = *w;
}

void Flaeche_Linien_staerke_SP_Click(State& s, std::string_view width)
{
    if (auto w = readInt16(width))
        s.areas.Fuel_Staerke_SP = *w;
}

}  // namespace kw
