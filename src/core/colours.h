#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/plane.h"

namespace kw {

struct NamedColour {
    std::string_view name;
    Rgb value;
};

// The colours every list offers, in list order. Most lists show the first seven;
// the inverse function and the shaded areas also offer "Magenta".
inline constexpr std::array<NamedColour, 8> kColours{{
    {"Rot", rgb(200, 0, 0)},
    {"Grün", rgb(0, 139, 0)},
    {"Blau", rgb(0, 0, 139)},
    {"Schwarz", rgb(0, 0, 0)},
    {"Gelb", rgb(255, 215, 0)},
    {"Orange", rgb(255, 140, 0)},
    {"Violett", rgb(139, 0, 139)},
    {"Magenta", rgb(199, 21, 133)},
}};
inline constexpr std::size_t kSevenColours = 7;

// The widths every width list offers.
inline constexpr std::array<std::string_view, 6> kWidths{"1", "2", "3", "4", "5", "6"};

// Looks a name up among the first `rows` colours; exact and case-sensitive.
std::optional<Rgb> colourByName(std::string_view name, std::size_t rows = kColours.size());

// An entry chosen in a colour list: the list's chosen flag is set first,
// whatever the text; a name among the first `rows` colours stores that colour's
// text. Gives the colour to paint the list with; nothing (and the colour kept)
// when the text names none.
std::optional<Rgb> chooseColour(std::string_view name, std::size_t rows, bool& chosen,
                                std::string& colour);

// The stored form of a colour: its value as decimal text.
std::string colourText(Rgb value);

// The stored text back as a colour; nothing when it is not a colour value.
std::optional<Rgb> colourFromText(std::string_view text);

}  // namespace kw
