#pragma once

#include <array>
#include <string>
#include <string_view>

namespace kw {

// The term-syntax help window "Eingabe Syntax".
inline constexpr std::string_view kHelpCaption = "Name des Dialogfeldes";
inline constexpr std::string_view kHelpTitle = "Eingabe Syntax";

// The lines of the help text, in order; blanks at the ends belong to them.
extern const std::array<std::string_view, 19> kHelpLines;

// The help text as the window shows it: the lines joined with CR LF.
std::string helpText();

}  // namespace kw
