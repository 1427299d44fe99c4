#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace kw {

// The shared state of the main panel: every setting and result that crosses
// windows. Windows copy their field texts in here and read results back; the
// engine writes its results into the Double variables. Names follow the
// controls and procedures that use them.
struct State {
    using Int = std::int16_t;

    // Texts of the main panel's controls, as the user left them.
    std::string Eingabe;                     // the term f(x)
    std::vector<std::string> EingabeListe;   // terms drawn before, oldest first (at most 9)
    std::string x_eingabe = "-20";
    std::string y_eingabe = "20";
    std::string qualitaet_eingabe = "50";
    std::string FarbeBox = "Rot";
    std::string f_x_linie_staerke = "2";

    // Texts of the analysis panel's controls.
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

    // Engine results.
    double Zahl = 0, Zahl2 = 0, Zahl3 = 0, Zahl4 = 0, zahl5 = 0, zahl6 = 0, zahl7 = 0, Zahl8 = 0,
           zahl9 = 0, zahl11 = 0, Umkehrfunktionswert = 0, untersumme = 0, obersumme = 0;

    // The x range: left and right end.
    double X = 0, Y = 0;

    // Graph.
    Int f_Linie_staerke = 2;

    // Panel toggles.
    Int miCounter = 0;
    Int Graphloeschen_check_click = 0;
    bool Graphloeschen_check = false;
    bool form3_test = false;

    // Piecewise terms.
    Int form3_click_Zaehler_AD = 0;
    bool ad_funktion_test = false;
    std::string Linker_Bereich_wert, Rechter_Bereich_wert;

    // Derivatives.
    Int form3_click_Zaehler_Ableitung = 0, form3_click_Zaehler_Ableitung_zwei = 0,
        form3_click_Zaehler_Ableitung_drei = 0;
    bool ableitungs_test = false, zweite_ableitungs_test = false, dritte_ableitungs_test = false;
    std::string fx_term, fxh_term, ableitungsterm, ableitungsterm_zwei, ableitungsterm_drei;

    // Tangent.
    std::string x0_uebergabe;
    Int form3_click_Zaehler_tangente = 0;
    bool tangente_test = false;
    Int tangen_button_counter = 0;
    bool animiert_zeichnen_test = false;

    // Zeros and extrema.
    std::string Nullstellen_fx;
    bool extrema_test = false, s_and_w_test = false;

    // Inverse function.
    Int form3_click_Zaehler_Umkehrfunktion = 0;
    bool Umkehrfunktion_test = false;

    // Colours and widths of the curves laid over the graph.
    std::string Ffarbe_ableitung, Ffarbe_zweite_ableitung, Ffarbe_dritte_ableitung,
        Umkehrfunktion_Farbe, Flaeche_farbe;
    double FarbeBox_Flaeche_SP = 0;
    bool Ffarbe_ableitung_test = false, Ffarbe_zweite_ableitung_test = false,
         Ffarbe_dritte_ableitung_test = false, umkehrfunktion_Farbe_test = false,
         Flaeche_Farbe_Test = false, Flaeche_Farbe_SP_Test = false;
    Int f_a1_linie_staerke = 0, f_a2_linie_staerke = 0, f_a3_linie_staerke = 0,
        umkehrfunktion_f_staerke = 0, Fuel_Staerke = 0, Fuel_Staerke_SP = 0;

    // Suspension bridge.
    bool Brueck_zeichnen = false;

    // Areas.
    bool Flaeche_einferben_Check = false, Flaeche_einferben_SP_Check = false,
         Schnittstellen_integral_Zeichnen_Check = false;
    double Obergrenze = 0, Untergrenze = 0;
    std::string Schnittstellen_Term_davor;

    // The area calculator's terms f and g as its last action left them; the
    // drawing of f and g reads them.
    std::string f_x_Eingabe_txt, g_x_Eingabe_txt;

    // Intersection calculator. Its terms outlive its window.
    std::vector<std::string> Schnittstellen_Terme;  // as typed, in order of entry; at most 7
    bool Schnittstellen_Zeichnen_test = false;      // its functions are shown on the plane
    bool Schnittpunkte_farbig_test = false;         // a search marks its points instead of listing them
    Int farbig_Klick_Zaehler = 0;

    // Function families.
    bool Parametar_gefunden = false;
    double start = 0, Ende = 0, Step = 0;
    bool Mausrad_Funktion = false;
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
