#pragma once

#include <optional>
#include <string>

#include "core/colours.h"

namespace kw {

// The x range and the step of a curve.
struct Range {
    double left, right, step;
};

// What one redraw reads from the main panel's fields, once, at its start. The
// steps take the term, the range and the graph colour from here and never read
// a field text themselves.
struct DrawRequest {
    std::optional<double> left, right;  // the range fields as numbers
    std::optional<double> quality;      // the quality field
    std::optional<int> from16, to16;    // the range fields as 16-bit integers
    bool termTooLong = false;           // the term field is longer than a term may be
    std::string xterm;                  // the term field normalized; empty when too long
    std::optional<Rgb> graphColour;     // the main panel's colour; none for an unknown name

    // Both range fields are 16-bit integers, so the plane can show the range.
    bool rangeFits() const { return from16 && to16; }

    // Range and step (1 / quality); none when a field is not a number.
    std::optional<Range> range() const
    {
        if (!left || !right || !quality)
            return std::nullopt;
        return Range{*left, *right, 1 / *quality};
    }
};

}  // namespace kw
