#pragma once

#include <cstdint>

#include <cstddef>
#include <functional>
#include <random>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "analysis/grid_search.h"
#include "core/plane.h"

namespace kw {

class Context;
struct DrawRequest;
class Ui;

// A crossing found for the ordered pair (i, j) of terms: the graph of term j
// crosses the graph of term i at the grid point x; y is term i at x.
struct Intersection {
    int i, j;
    double x, y;
};

using Pair = std::pair<int, int>;

// The ordered pairs the intersection calculator searches: every (i, j) with
// i ≠ j, i in the outer loop, so each pair comes twice, once in each order.
std::vector<Pair> allPairs(std::size_t terms);

// The crossings of the given ordered pairs of terms (as typed) between from and
// to: the zeros of "term i-(term j)", found as findZeros finds them.
// A pair reports each position (x to one decimal) once, whichever of its two
// orders finds it first; different pairs crossing at one point each report it.
// Points come in the order of the pairs, then of x. The UI (may be null) shows
// progress and is asked now and then whether to stop; the limit counts the grid
// points of all pairs together. Where several pairs are searched, both cores
// share them; the result does not depend on it.
SearchResult<Intersection> findIntersections(std::span<const std::string> terms,
                                             std::span<const Pair> pairs, double from, double to,
                                             Ui* ui, GridLimits limits = {});

// "(2|4)": the point as the result lines show it, y to two decimals.
std::string pointText(const Intersection& p);

// The colour of function k of a set drawn with `seed`: hues a golden angle
// apart from a start the seed chooses, strong and dark enough to stand out from
// the white plane and from each other. The same seed gives the same colours,
// so redraws (wheel, "Alles anzeigen") keep them; computing anew draws a seed.
Rgb setColour(std::uint32_t seed, std::size_t k);

// Draws terms (as typed) over the current picture across the range of the main
// panel's fields, each in the colour colourOf(its index) gives, pen width 2.
// Samples where a term fails are left out. Unless firstSegmentToo, the first
// segment of an ordinary term (one without "sqr" and "log") is not drawn.
using ColourPicker = std::function<Rgb(std::size_t)>;
void drawFunctions(Context& c, const DrawRequest& r, std::span<const std::string> terms, const ColourPicker& colourOf,
                   bool firstSegmentToo);

// The same (first segment left out), named in the legend "fN(x) = …" with N
// counting from `firstNumber`.
void drawNamedFunctions(Context& c, const DrawRequest& r, std::span<const std::string> terms,
                        const ColourPicker& colourOf, int firstNumber);

// The intersection calculator's functions in new random colours, while its
// drawing is shown (Schnittstellen_Zeichnen_test).
void Schnittstellen_Zeichnen(Context& c, const DrawRequest& r);

// The area calculator's f and g in new random colours, while they are shown
// (Schnittstellen_integral_Zeichnen_Check).
void Schnittstellen_Zeichnen_Integral(Context& c, const DrawRequest& r);

// What a search found, as the calculators show it: with Schnittpunkte_farbig_test
// dots 11 pixels wide in the plane's colour and nothing returned; otherwise the
// lines lineOf writes for the points. A search that ended early says so (in a
// message box when it marks the points).
std::string reportIntersections(Context& c, const SearchResult<Intersection>& found,
                                const std::function<std::string(const Intersection&)>& lineOf);

// The search over the calculator's functions on the range X to Y, reported as
// lines 'f2(x) schneidet f1(x) in SP (2|4)', each between line breaks, or as dots.
std::string Schnittstellen_Ausrechnen(Context& c, GridLimits limits = {});

}  // namespace kw
