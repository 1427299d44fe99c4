#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace kw {

// A colour value as the program stores it: R + 256·G + 65536·B.
using Rgb = std::uint32_t;
constexpr Rgb rgb(int r, int g, int b) { return Rgb(r) | Rgb(g) << 8 | Rgb(b) << 16; }
constexpr int red(Rgb c) { return c & 0xff; }
constexpr int green(Rgb c) { return (c >> 8) & 0xff; }
constexpr int blue(Rgb c) { return (c >> 16) & 0xff; }

// The plane everything is drawn on. Drawing procedures work in world
// coordinates; the plane maps them linearly onto its pixels and records what was
// drawn since the last clear in a display list (in pixel coordinates, so earlier
// drawings stay where they were when the mapping changes, as on a raster image).
// Rendering the list is the window's and the exporter's business.
class Plane {
public:
    enum class Kind : std::uint8_t { Line, Point, Text };
    struct Item {
        Kind kind;
        std::uint16_t width;  // pen width in pixels
        Rgb colour;
        float x1, y1, x2, y2;  // pixels; a point or text uses x1, y1 (text: top-left corner)
        std::uint32_t text;    // index into texts() for Kind::Text
        bool operator==(const Item&) const = default;
    };

    // The list as it is held: connected segments of one pen form one polyline,
    // consecutive points of one pen one group, so a curve of many samples
    // costs one vertex (8 bytes) per sample. The vertices sit in blocks, so
    // that a huge drawing grows without copying what it holds.
    struct Vertex {
        float x, y;
        bool operator==(const Vertex&) const = default;
    };
    struct Run {
        Kind kind;
        std::uint16_t width;
        Rgb colour;
        std::uint32_t first;  // index of the first vertex in vertices()
        std::uint32_t count;  // vertices: a polyline's, a group's points, 1 for a text
        std::uint32_t text;   // index into texts() for Kind::Text
        bool operator==(const Run&) const = default;
    };

    // Pixel height of one line of the plane's font; printing moves down by it.
    static constexpr int kLineHeight = 13;
    static constexpr int kMaxSide = 9600;

    Plane();
    // The same picture, drawn the same way.
    bool operator==(const Plane&) const = default;

    int width() const { return width_; }
    int height() const { return height_; }
    // Changes the pixel size (clamped to 1 … kMaxSide); what was drawn stays.
    void resize(int w, int h);

    // Empties the display list (the background is white).
    void clear();
    // Empties it and gives its memory back (clear keeps it for the next redraw).
    void release();

    // World mapping: left edge x = left, right edge x = right, top y = top, bottom y = bottom.
    void scale(double left, double top, double right, double bottom);
    double scaleWidth() const { return right_ - left_; }
    double scaleHeight() const { return bottom_ - top_; }
    double pixelX(double x) const;
    double pixelY(double y) const;
    double worldX(double p) const;
    double worldY(double q) const;

    void setPenWidth(int w) { penWidth_ = w < 1 ? 1 : (w > 255 ? 255 : w); }
    void setForeColor(Rgb c) { foreColor_ = c; }
    Rgb foreColor() const { return foreColor_; }
    int penWidth() const { return penWidth_; }

    void line(double x1, double y1, double x2, double y2, Rgb colour);
    void line(double x1, double y1, double x2, double y2) { line(x1, y1, x2, y2, foreColor_); }
    void point(double x, double y, Rgb colour);

    // Text output at the current position (its top-left corner); afterwards the
    // position moves to the start of the next line.
    void setCurrentX(double x) { currentX_ = x; }
    void setCurrentY(double y) { currentY_ = y; }
    void print(std::string_view text);
    // A number as the plane prints it: a blank before it unless it is negative, one after.
    void printNumber(double v);

    // The display list one item per segment, point and text, in drawing order.
    std::vector<Item> items() const;
    const std::vector<Run>& runs() const { return runs_; }
    const std::deque<Vertex>& vertices() const { return vertices_; }
    const std::vector<std::string>& texts() const { return texts_; }
    const std::string& textOf(const Item& item) const { return texts_[item.text]; }
    const std::string& textOf(const Run& run) const { return texts_[run.text]; }

private:
    bool keep(double a, double b, double c, double d) const;
    // Adds a vertex to the last run when it continues it, else starts a run.
    void append(Kind kind, Rgb colour, Vertex a, const Vertex* b);

    int width_ = 1200;
    int height_ = 1200;
    double left_ = 0, top_ = 0, right_ = 1200, bottom_ = 1200;
    int penWidth_ = 1;
    Rgb foreColor_ = 0;
    double currentX_ = 0, currentY_ = 0;
    std::vector<Run> runs_;
    std::deque<Vertex> vertices_;
    std::vector<std::string> texts_;
};

// A rectangle in plane pixels.
struct PixelBox {
    double left, top, right, bottom;
};

// The vertices of a polyline that a picture whose pixels are `pixel` plane
// pixels wide needs, for a curve that moves by less than half a pixel:
// - stretches wholly beyond one side of `area` (where nothing is painted)
//   keep their first and last vertex, the samples where the curve leaves
//   and enters;
// - the samples within one pixel column keep their first, last, lowest and
//   highest one (they become one vertex in their middle where they differ
//   by less than half a pixel);
// - a vertex within a quarter pixel of the segment that replaces it goes.
// The polyline's first and last sample always stay. Pixel 0 keeps every
// vertex. Linear in the number of vertices.
void reducePolyline(const Plane& plane, const Plane::Run& run, double pixel, const PixelBox& area,
                    std::vector<Plane::Vertex>& out);

}  // namespace kw
