#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kw {

using StateInt = std::int16_t;

// ---- The parts that make a drawing: saving and opening one copies these. ----

// The main panel's controls as the user left them.
struct MainPanelState {
    std::string Eingabe;                     // the term f(x)
    std::vector<std::string> EingabeListe;   // terms drawn before, oldest first (at most 9)
    std::string x_eingabe = "-20";
    std::string y_eingabe = "20";
    std::string qualitaet_eingabe = "50";
    std::string FarbeBox = "Rot";
    std::string f_x_linie_staerke = "2";     // the width list's text …
    StateInt f_Linie_staerke = 2;            // … and the width the graph is drawn with
    bool Graphloeschen_check = false;        // "Alten Graph nicht löschen"

    bool operator==(const MainPanelState&) const = default;
};

// The plane: the x range of the last drawing, the picture's size and zoom.
struct PictureState {
    double X = 0;  // left end of the x range
    double Y = 0;  // right end of the x range
    int sizex = 1200;             // plane width and height in pixels as last decided
    int sizey = 1200;
    double Zoom_Prozent = 100;    // zoom percentage last shown
    int hScroll = 500, vScroll = 500;  // the drawing window's scroll bars (0 … 1000)

    bool operator==(const PictureState&) const = default;
};

// The curves laid over the graph: the analysis panel's texts, the switches,
// tangent point, section bounds, colours and widths.
struct OverlayState {
    std::string x0_eingabe = "1";
    std::string Linker_Bereich = "-u";
    std::string Rechter_Bereich = "+u";
    std::string FarbeBox_ableitung = "Blau";
    std::string FarbeBox_zweite_ableitung = "Grün";
    std::string FarbeBox_dritte_ableitung = "Orange";
    std::string FarbeBox_Umkehrfunktion = "Magenta";
    // The width lists' texts (the width variables below share the first three names).
    std::string f_a1_linie_staerke_text = "1";
    std::string f_a2_linie_staerke_text = "1";
    std::string f_a3_linie_staerke_text = "1";
    std::string Umkehrfunktion_Linien_staerke = "1";

    // Switches.
    bool ableitungs_test = false, zweite_ableitungs_test = false, dritte_ableitungs_test = false;
    bool tangente_test = false;
    bool Umkehrfunktion_test = false;
    bool ad_funktion_test = false;  // piecewise: only the section is drawn

    // The tangent point and the section bounds as last confirmed.
    std::string x0_uebergabe;
    std::string Linker_Bereich_wert, Rechter_Bereich_wert;

    // Colours and widths chosen for the curves (a colour counts once its flag is set).
    std::string Ffarbe_ableitung, Ffarbe_zweite_ableitung, Ffarbe_dritte_ableitung,
        Umkehrfunktion_Farbe;
    bool Ffarbe_ableitung_test = false, Ffarbe_zweite_ableitung_test = false,
         Ffarbe_dritte_ableitung_test = false, umkehrfunktion_Farbe_test = false;
    StateInt f_a1_linie_staerke = 0, f_a2_linie_staerke = 0, f_a3_linie_staerke = 0,
             umkehrfunktion_f_staerke = 0;

    bool operator==(const OverlayState&) const = default;
};

// The values of the parameter @ of a family.
struct FamilyState {
    double start = 0, Ende = 0, Step = 0;

    bool operator==(const FamilyState&) const = default;
};

// The intersection calculator. Its terms outlive its window.
struct IntersectionState {
    std::vector<std::string> Schnittstellen_Terme;  // as typed, in order of entry; at most 7
    bool Schnittstellen_Zeichnen_test = false;      // its functions are shown on the plane
    bool Schnittpunkte_farbig_test = false;         // a search marks its points instead of listing them

    bool operator==(const IntersectionState&) const = default;
};

// The area calculators: shading, bounds, the terms f and g of the lower one
// (the drawing of f and g reads them), colours and widths of the shading.
struct AreaState {
    bool Flaeche_einferben_Check = false, Flaeche_einferben_SP_Check = false,
         Schnittstellen_integral_Zeichnen_Check = false;
    double Obergrenze = 0, Untergrenze = 0;
    std::string f_x_Eingabe_txt, g_x_Eingabe_txt;
    std::string Flaeche_farbe;
    double FarbeBox_Flaeche_SP = 0;
    bool Flaeche_Farbe_Test = false, Flaeche_Farbe_SP_Test = false;
    StateInt Fuel_Staerke = 0, Fuel_Staerke_SP = 0;
    // The bound fields of both calculators as typed.
    std::string Untergrenze_eingabe, Obergrenze_eingabe, SP_Untergrenze_txt, SP_Obergrenze_txt;

    bool operator==(const AreaState&) const = default;
};

// The suspension bridge.
struct BridgeState {
    bool Brueck_zeichnen = false;  // draw towers and hangers once after "Berechne und Zeichne"
    bool towersShown = false;      // the picture shows them (a saved drawing draws them again)
    std::string Abstand_txt, Hoehe_txt, Tiefster_Punkt_txt;  // the calculator's fields

    bool operator==(const BridgeState&) const = default;
};

// ---- Transient: what this run of the program is doing; never saved. ----

// Click counters of the switches that alternate on/off (see countClick).
struct ClickCounters {
    StateInt miCounter = 0;
    StateInt Graphloeschen_check_click = 0;
    StateInt form3_click_Zaehler_AD = 0;
    StateInt form3_click_Zaehler_Ableitung = 0, form3_click_Zaehler_Ableitung_zwei = 0,
             form3_click_Zaehler_Ableitung_drei = 0;
    StateInt form3_click_Zaehler_tangente = 0;
    StateInt form3_click_Zaehler_Umkehrfunktion = 0;
    StateInt farbig_Klick_Zaehler = 0;
};

// The variables statements assign to ("Form.<name> = …").
struct EngineResults {
    double Zahl = 0, Zahl2 = 0, Zahl3 = 0, Zahl4 = 0, zahl5 = 0, zahl6 = 0, zahl7 = 0, Zahl8 = 0,
           zahl9 = 0, zahl11 = 0, Umkehrfunktionswert = 0, untersumme = 0, obersumme = 0;
};

// Terms derived from f by the last drawing or search (caches).
struct DerivedTerms {
    std::string fx_term, fxh_term, ableitungsterm, ableitungsterm_zwei, ableitungsterm_drei;
    std::string Schnittstellen_Term_davor;  // the integrand f-(g) the bounds were found for
};

// What is going on right now.
struct SessionState {
    bool form3_test = false;          // the analysis panel is open
    bool extrema_test = false, s_and_w_test = false;  // which search a report runs
    bool Parametar_gefunden = false;  // the term being drawn is a family
    bool Mausrad_Funktion = false;    // a wheel redraw is running
    bool familyKnown = false;         // an opened drawing brings the family's values: none asked
};

// The parts that make a drawing: what saving copies and opening puts back.
struct DrawingState {
    MainPanelState main;
    PictureState picture;
    OverlayState overlays;
    FamilyState family;
    IntersectionState intersections;
    AreaState areas;
    BridgeState bridge;

    bool operator==(const DrawingState&) const = default;
};

// The shared state, grouped by owner: the drawing, then what is transient.
// Windows copy their field texts in here and read results back; the engine
// writes its results into `results`.
struct State : DrawingState {
    using Int = StateInt;

    ClickCounters clicks;
    EngineResults results;
    DerivedTerms terms;
    SessionState session;
};

// A switch that counts its clicks: returns the new state (the first click is on,
// the second off, …). The count never reaches the end of its 16 bits: past
// 32767 it goes on at 2, which keeps the alternation.
inline bool countClick(State::Int& counter)
{
    counter = counter == INT16_MAX ? State::Int(2) : State::Int(counter + 1);
    return !(counter != 0 && counter % 2 == 0);
}

}  // namespace kw
