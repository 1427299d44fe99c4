#pragma once

#include <QFont>
#include <QImage>
#include <QRectF>

#include <cstddef>
#include <vector>

#include "core/plane.h"

class QPainter;

namespace kw {

// The plane's font: a bold sans serif of 11 pixels.
QFont planeFont();

// Paints the part of the plane inside `region` (plane pixels): white background,
// then the display list in order. Curves and text are antialiased; segments go
// out in batches of one colour and width, polylines reduced to what the
// pixels of the painter's device show (see reducePolyline), or with every
// sample when `reduce` is false.
void paintPlane(QPainter& painter, const Plane& plane, const QRectF& region, bool reduce = true);

// The polylines of a plane as reduced for one picture of it, kept while the
// picture is painted in parts (bands, tiles), so that they are reduced once.
// Empty until the first part is painted; forget it when the plane changes.
struct ReducedLines {
    double pixel = -1;  // the device pixel they were reduced for, in plane pixels
    QRectF whole;
    std::vector<std::size_t> starts;  // per polyline its first vertex, then the end
    std::vector<Plane::Vertex> vertices;
};

// Paints the part `wanted` of the plane with the very pixels a rendering of
// the whole plane gives it, and touches nothing outside it.
void paintPart(QPainter& painter, const Plane& plane, const QRectF& wanted,
               ReducedLines* kept = nullptr);

// Paints rows top … top + rows - 1 of the plane into `canvas`, an image of the
// plane's size, with the very pixels a rendering of the whole plane gives
// them, and touches no other row. (Painting a band into an image of its own
// size would clip thin slanted lines at its edges and shift their pixels.)
void paintRows(const Plane& plane, QImage& canvas, int top, int rows,
               ReducedLines* kept = nullptr);

// Renders the whole plane into `image`, reusing it when it already has the
// size. False (and a null image) when the memory for it could not be had.
bool renderPlane(const Plane& plane, QImage& image);

}  // namespace kw
