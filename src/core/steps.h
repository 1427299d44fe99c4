#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace kw {

// The procedures a redraw is made of. Every redraw sequence is a list of these;
// each overlay draws only while its own switch is on.
enum class Step : std::uint8_t {
    Koordinaten_System,
    gitterzeichnen,
    Skalla,
    Beschriftung,
    berechnen,
    erste_Ableitung,
    zweite_ableitung,
    dritte_ableitung,
    tangente,
    Haengebruecke,
    Umkehrfunktion,
    Flaeche_einfaerben,
    Schnittstellen_Zeichnen,
    Schnittstellen_Zeichnen_Integral,
};
inline constexpr std::size_t kStepCount = std::size_t(Step::Schnittstellen_Zeichnen_Integral) + 1;

using Steps = std::span<const Step>;

}  // namespace kw
