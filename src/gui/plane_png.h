#pragma once

class QIODevice;

namespace kw {

class Plane;

// Writes the plane as a PNG picture with the pixels renderPlane() gives. It is
// rendered in bands of rows, so the largest plane never holds the memory of
// its full size, and compressed with a fast zlib level: pictures of a white
// plane with thin curves shrink well anyway. False when the device refuses
// the bytes or no memory could be had.
bool writePlanePng(const Plane& plane, QIODevice& out);

}  // namespace kw
