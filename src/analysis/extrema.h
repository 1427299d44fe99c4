#pragma once

#include <string>
#include <string_view>

#include "analysis/grid_search.h"

namespace kw {

class Context;

inline constexpr std::string_view kExtremaGefunden = "Gefundene Lokale Extrema: ";
inline constexpr std::string_view kKeineExtrema = "keine Extrema gefunden";
inline constexpr std::string_view kWendepunkteGefunden = "Gefundene Terassen- und Wendepunkte: ";
inline constexpr std::string_view kKeineWendepunkte = "keine Terassen- bzw. Wendepunkte gefunden";

// The reports of one search; a report whose flag was off stays empty.
struct ExtremaBerichte {
    std::string extrema;      // while extrema_test
    std::string wendepunkte;  // while s_and_w_test
};

// Searches the range of the last drawing (X to Y) for local extrema of the drawn
// term (extrema_test) and for its terrace and inflection points (s_and_w_test).
ExtremaBerichte extremaBerichte(Context& c, GridLimits limits = {});

// The search and one message box per report its flags ask for.
void Extrema(Context& c);

// "Lokale Extremwerte von f(x)" and "Terassen- und Wendepunkte ": each sets its
// flag only for the one search, so each shows only its own report.
void Extrema_butt_Click(Context& c);
void S_and_W_punkte_Click(Context& c);

}  // namespace kw
