#include "tools/area_calculator.h"

#include <utility>

#include "areas/integral.h"
#include "areas/intersections.h"
#include "core/colours.h"
#include "core/context.h"
#include "curves/graph.h"
#include "scene/redraw.h"
#include "terms/engine.h"
#include "terms/normalize.h"
#include "terms/numtext.h"

namespace kw {

namespace {

struct Grenzen {
    double unten, oben;
};

// Both bound fields as numbers, or the message that says what is missing.
std::optional<Grenzen> readBounds(std::string_view unten, std::string_view oben,
                                  std::string_view& problem)
{
    auto u = readNumber(unten);
    auto o = readNumber(oben);
    if (unten.empty() || oben.empty())
        problem = kBoundsMessage;
    else if (!u)
        problem = kLowerBoundMessage;
    else if (!o)
        problem = kUpperBoundMessage;
    if (!problem.empty())
        return std::nullopt;
    return Grenzen{*u, *o};
}

// The area's text, or none and the message why there is no number.
std::string areaText(Context& c, const Integral& area, bool syntaxToo)
{
    if (area.error == err::None)
        return text(area.value);
    if (area.error != err::Syntax)
        c.ui.message(kUndefinedMessage);
    else if (syntaxToo)
        c.ui.message(kSyntaxMessage);
    return {};
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
    if (termZuLang(r.Funktion_eingabe)) {
        c.ui.message(kTermTooLongMessage);
        return false;
    }
    std::string_view problem;
    const auto bounds = readBounds(r.Untergrenze_eingabe, r.Obergrenze_eingabe, problem);
    if (!bounds) {
        c.ui.message(problem);
        return false;
    }
    s.areas.Untergrenze = bounds->unten;
    s.areas.Obergrenze = bounds->oben;
    const Integral area = integrate(string_richten(r.Funktion_eingabe), s.areas.Untergrenze, s.areas.Obergrenze);
    // The main drawing shows it; it reports a term not in the right form itself.
    r.Flaeche_Ergebnis = areaText(c, area, false);
    s.main.Eingabe = r.Funktion_eingabe;
    c.ui.fieldsChanged();
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
    const std::string integrand = s.areas.f_x_Eingabe_txt + "-(" + s.areas.g_x_Eingabe_txt + ")";

    if (!checkRange(c))
        return;
    if (termZuLang(s.areas.f_x_Eingabe_txt) || termZuLang(s.areas.g_x_Eingabe_txt)) {
        c.ui.message(kTermTooLongMessage);
        return;
    }
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
        s.terms.Schnittstellen_Term_davor = integrand;
    }

    std::string_view problem;
    const auto bounds = readBounds(r.SP_Untergrenze_txt, r.SP_Obergrenze_txt, problem);
    if (bounds) {
        s.areas.Untergrenze = bounds->unten;
        s.areas.Obergrenze = bounds->oben;
        if (s.areas.Untergrenze > s.areas.Obergrenze) {
            std::swap(s.areas.Untergrenze, s.areas.Obergrenze);
            std::swap(r.SP_Untergrenze_txt, r.SP_Obergrenze_txt);
        }
    }
    s.areas.Schnittstellen_integral_Zeichnen_Check = true;
    c.drawing.colourSeed = std::uint32_t(c.random());  // new colours for a new drawing
    Schnittstellen_Zeichnen_Integral(c);
    if (bounds)
        flaeche_einfaerben_sp(c);
    c.ui.planeChanged();

    // The main panel's term box keeps the user's own f(x).
    r.Funktion_eingabe_SP = integrand;
    if (!bounds) {
        c.ui.message(problem);
        return;
    }
    if (s.areas.Untergrenze == s.areas.Obergrenze) {
        c.ui.message(kEqualBoundsMessage);
        return;
    }
    r.Schnitt_Flaeche_Ergebniss =
        areaText(c, integrate(string_richten(integrand), s.areas.Untergrenze, s.areas.Obergrenze), true);
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
