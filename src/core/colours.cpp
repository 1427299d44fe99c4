#include "core/colours.h"

#include <charconv>

namespace kw {

std::optional<Rgb> colourByName(std::string_view name, std::size_t rows)
{
    for (std::size_t i = 0; i < rows && i < kColours.size(); ++i)
        if (kColours[i].name == name)
            return kColours[i].value;
    return std::nullopt;
}

std::optional<Rgb> chooseColour(std::string_view name, std::size_t rows, bool& chosen,
                                std::string& colour)
{
    chosen = true;
    auto value = colourByName(name, rows);
    if (value)
        colour = colourText(*value);
    return value;
}

std::string colourText(Rgb value) { return std::to_string(value); }

std::optional<Rgb> colourFromText(std::string_view text)
{
    Rgb v = 0;
    auto r = std::from_chars(text.data(), text.data() + text.size(), v);
    if (text.empty() || r.ec != std::errc() || r.ptr != text.data() + text.size() || v > 0xffffff)
        return std::nullopt;
    return v;
}

}  // namespace kw
