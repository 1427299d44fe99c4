#pragma once

#include <functional>
#include <string_view>

namespace kw {

class Context;

inline constexpr std::string_view kMemoryReducedMessage =
    "Zu wenig Speicher, die Grafikgröße wird reduziert!";
inline constexpr std::string_view kMemoryEndMessage = "Viel zu wenig Speicher, Ende!";

// The picture-size menu offers sides of 300 · n pixels, n = 1 … 8.
inline constexpr int kSizeStep = 300;
inline constexpr int kSizeItems = 8;
inline constexpr int kSizeStart = 4;

// Whether a picture of width × height pixels can be had: the plane is painted
// into an image of that size for printing and saving, so that image must fit
// in memory. The windows ask the real allocator; tests inject failures.
using PictureProbe = std::function<bool(int width, int height)>;

// A click on item n of "Grafik-Größe": the plane becomes 300·n pixels square
// and everything but the bridge and the intersections is redrawn. When the
// picture cannot be had, one size smaller is tried after a message, down to
// item 1. Returns the item that ends up checked, or 0 when even the smallest
// size failed: the program must then end (after "Viel zu wenig Speicher, Ende!").
// A range the plane cannot show is refused before anything changes: the
// result is then kSizeRefused, and the item checked before stays checked.
inline constexpr int kSizeRefused = -1;
int MenuGroesse_Click(Context& c, int n, const PictureProbe& canHave);

// A drawing ran out of memory: the same way down as above, from the size
// item the plane has now (the smallest whose side it fits). The display list
// is given back first; then "Zu wenig Speicher, die Grafikgröße wird
// reduziert!" and the next smaller size, or at the smallest "Viel zu wenig
// Speicher, Ende!" and 0: the program must end.
int lowMemory(Context& c, const PictureProbe& canHave);

}  // namespace kw
