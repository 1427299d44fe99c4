#pragma once

#include <cstddef>

#include "core/plane.h"

class QComboBox;

namespace kw {

// A colour list: editable (a typed name counts only when chosen), offering the
// first `rows` colours, names matched exactly as written.
QComboBox* colourBox(const char* name, std::size_t rows);

// Paints the list in the chosen colour, with text that stays readable on it.
void paintColourBox(QComboBox* box, Rgb colour);

}  // namespace kw
