#include "areas/legend.h"

#include <algorithm>
#include <cmath>

#include "core/context.h"
#include "terms/numtext.h"

namespace kw {

namespace {

// In pixels from the corner, so that the legend keeps its size at any zoom.
constexpr double kMargin = 6, kStroke = 16, kTextGap = 4;
constexpr double kLineHeight = Plane::kLineHeight;
// Room kept free for legend lines still to come, beside their strokes.
constexpr double kAheadWidth = 360;
constexpr Rgb kWhite = rgb(255, 255, 255);

std::size_t codePoints(std::string_view text)
{
    return std::size_t(std::ranges::count_if(text, [](char ch) { return (ch & 0xC0) != 0x80; }));
}

// A line no wider than the plane: a long term ends in "…".
std::string fitted(const std::string& text, double room)
{
    const std::size_t most = std::max<std::size_t>(12, std::size_t(std::max(0.0, room) / 8));
    if (codePoints(text) <= most)
        return text;
    std::size_t kept = 0, at = 0;
    while (at < text.size() && kept < most - 1) {
        ++at;
        while (at < text.size() && (text[at] & 0xC0) == 0x80)
            ++at;
        ++kept;
    }
    return text.substr(0, at) + "…";
}

// The plane's pixels in cells, each free, taken by one curve, or taken for
// good (texts, axes, two curves), to find room for labels.
class Room {
public:
    static constexpr int kFree = -1, kTaken = -2;

    Room(int width, int height)
        : cell_(std::max(4, (std::max(width, height) + 599) / 600)), width_(width),
          height_(height), columns_((width + cell_ - 1) / cell_), rows_((height + cell_ - 1) / cell_),
          owner_(std::size_t(columns_) * std::size_t(rows_), kFree)
    {
    }
    double cell() const { return cell_; }
    // Curves so many and so steep that finding room would take long: no labels then.
    bool overworked() const { return work_ > kMostWork; }

    void take(const PixelBox& b, int owner = kTaken)
    {
        visit(b, [owner](int& o) {
            claim(o, owner);
            return true;
        });
    }

    // Wholly on the plane and nothing there yet.
    bool free(const PixelBox& b)
    {
        if (b.left < 0 || b.top < 0 || b.right > width_ || b.bottom > height_)
            return false;
        return visit(b, [](int& o) { return o == kFree; });
    }

    // No other curve near the point: a label there says which one it names.
    bool alone(Plane::Vertex v, int owner)
    {
        const double x = v.x, y = v.y;
        // The point's own cell first: in a dense family it mostly decides.
        if (const int o = owner_[index(x, y)]; o != kFree && o != owner)
            return false;
        const PixelBox around{x - cell_, y - cell_, x + cell_, y + cell_};
        return visit(around, [owner](int& o) { return o == kFree || o == owner; });
    }

    // The cells a polyline crosses, where it is on the plane.
    template <class Vertices>
    void take(Vertices line, std::uint32_t count, int owner)
    {
        int lastCol = -2, lastRow = -2;  // the previous vertex's cell, -2 off the plane
        for (std::uint32_t i = 0; i < count; ++i, ++line) {
            const Plane::Vertex v = *line;
            const bool on = inside(v);
            const int col = on ? std::min(int(v.x * perCell_), columns_ - 1) : -2;
            const int row = on ? std::min(int(v.y * perCell_), rows_ - 1) : -2;
            // Most segments of a sampled curve end in the cell they begin
            // in or in one beside it, below or above it: the two cells are
            // a box the segment stays in, so it passes just them.
            const bool beside = lastCol >= 0 && std::abs(col - lastCol) + std::abs(row - lastRow) <= 1;
            if (on && (i == 0 || beside)) {
                ++work_;
                claim(owner_[std::size_t(row) * std::size_t(columns_) + std::size_t(col)], owner);
            } else if (i > 0) {
                take(line[-1], v, owner);
            }
            lastCol = col;
            lastRow = row;
        }
    }

    // How many cells each of the first `owners` owners has to itself.
    std::vector<int> owned(std::size_t owners) const
    {
        std::vector<int> count(owners);
        for (int o : owner_)
            if (o >= 0 && std::size_t(o) < owners)
                ++count[std::size_t(o)];
        return count;
    }

private:
    // The cells a segment crosses, where it is on the plane.
    void take(Plane::Vertex from, Plane::Vertex to, int owner)
    {
        const struct { double x, y; } a{from.x, from.y}, b{to.x, to.y};
        // Cut to the plane (Liang–Barsky), so that a far end costs nothing.
        double t0 = 0, t1 = 1;
        const double dx = b.x - a.x, dy = b.y - a.y;
        const double p[] = {-dx, dx, -dy, dy};
        const double q[] = {a.x - 0.0, width_ - a.x, a.y - 0.0, height_ - a.y};
        for (int i = 0; i < 4; ++i) {
            if (p[i] == 0) {
                if (q[i] < 0)
                    return;
                continue;
            }
            const double t = q[i] / p[i];
            if (p[i] < 0)
                t0 = std::max(t0, t);
            else
                t1 = std::min(t1, t);
        }
        if (!(t0 <= t1))
            return;
        // Every cell the segment passes, each once, from cell border to cell border.
        const double x0 = (a.x + dx * t0) * perCell_, y0 = (a.y + dy * t0) * perCell_;
        const double x1 = (a.x + dx * t1) * perCell_, y1 = (a.y + dy * t1) * perCell_;
        int col = std::clamp(int(x0), 0, columns_ - 1), row = std::clamp(int(y0), 0, rows_ - 1);
        const int endCol = std::clamp(int(x1), 0, columns_ - 1), endRow = std::clamp(int(y1), 0, rows_ - 1);
        const int cells = std::abs(endCol - col) + std::abs(endRow - row) + 1;
        if ((work_ += cells) > kMostWork)
            return;
        const int stepCol = endCol > col ? 1 : -1, stepRow = endRow > row ? 1 : -1;
        const double ex = x1 - x0, ey = y1 - y0;
        // Where along the segment (0…1) the next column or row border lies, and the distance between borders.
        const double perCol = ex != 0 ? std::fabs(1 / ex) : 0, perRow = ey != 0 ? std::fabs(1 / ey) : 0;
        double nextCol = ex != 0 ? (stepCol > 0 ? col + 1 - x0 : x0 - col) * perCol : 2;
        double nextRow = ey != 0 ? (stepRow > 0 ? row + 1 - y0 : y0 - row) * perRow : 2;
        for (int i = 0; i < cells; ++i) {
            claim(owner_[std::size_t(row) * std::size_t(columns_) + std::size_t(col)], owner);
            if (col != endCol && (row == endRow || nextCol < nextRow)) {
                col += stepCol;
                nextCol += perCol;
            } else {
                row += stepRow;
                nextRow += perRow;
            }
        }
    }

    // A cell two curves cross is nobody's.
    static void claim(int& cell, int owner) { cell = cell == kFree || cell == owner ? owner : kTaken; }

    bool inside(Plane::Vertex v) const
    {
        return v.x >= 0 && v.y >= 0 && double(v.x) < width_ && double(v.y) < height_;
    }
    std::size_t index(double x, double y) const
    {
        const int col = std::clamp(int(x * perCell_), 0, columns_ - 1);
        const int row = std::clamp(int(y * perCell_), 0, rows_ - 1);
        return std::size_t(row) * std::size_t(columns_) + std::size_t(col);
    }

    template <class F>
    bool visit(const PixelBox& b, F f)
    {
        const int c0 = std::clamp(int(std::floor(b.left / cell_)), 0, columns_ - 1);
        const int c1 = std::clamp(int(std::floor(b.right / cell_)), 0, columns_ - 1);
        const int r0 = std::clamp(int(std::floor(b.top / cell_)), 0, rows_ - 1);
        const int r1 = std::clamp(int(std::floor(b.bottom / cell_)), 0, rows_ - 1);
        for (int r = r0; r <= r1; ++r)
            for (int col = c0; col <= c1; ++col)
                if (!f(owner_[std::size_t(r) * std::size_t(columns_) + std::size_t(col)]))
                    return false;
        return true;
    }

    static constexpr long long kMostWork = 20'000'000;  // cells visited along curves
    int cell_, width_, height_, columns_, rows_;
    double perCell_ = 1.0 / cell_;
    std::vector<int> owner_;
    long long work_ = 0;
};

}  // namespace

double textWidth(std::string_view text)
{
    double width = 0;
    for (char ch : text)
        if ((ch & 0xC0) != 0x80)
            width += ch == ' ' ? 4 : 8;
    return width;
}

void drawLegend(Context& c, std::span<const LegendEntry> entries)
{
    if (!c.drawing.legendShown || entries.empty())
        return;
    Plane& p = c.plane;
    const int width = p.penWidth();
    const Rgb colour = p.foreColor();
    const double textLeft = kMargin + kStroke + kTextGap;
    for (const LegendEntry& entry : entries) {
        const double top = kMargin + double(c.drawing.legendLines++) * kLineHeight;
        const double middle = top + kLineHeight / 2.0;
        const std::string shown = fitted(entry.text, p.width() - textLeft - kMargin);
        // A white band behind the line keeps it readable where curves pass
        // (the pen's round ends reach half its width beyond them).
        const double half = kLineHeight / 2.0;
        p.setPenWidth(int(kLineHeight));
        p.line(p.worldX(kMargin - 2 + half), p.worldY(middle),
               p.worldX(std::max(kMargin - 2 + half, textLeft + textWidth(shown) + 2 - half)),
               p.worldY(middle), kWhite);
        p.setPenWidth(2);
        p.line(p.worldX(kMargin), p.worldY(middle), p.worldX(kMargin + kStroke), p.worldY(middle),
               entry.colour);
        p.setForeColor(entry.colour);
        p.setCurrentX(p.worldX(textLeft));
        p.setCurrentY(p.worldY(top));
        p.print(shown);
    }
    p.setPenWidth(width);
    p.setForeColor(colour);
}

std::vector<std::optional<Plane::Vertex>> placeLabels(const Plane& plane,
                                                      std::span<const CurveLabel> labels,
                                                      PixelBox reserved)
{
    Room room(plane.width(), plane.height());
    room.take(reserved);
    const auto& runs = plane.runs();
    const auto& vertices = plane.vertices();
    // Texts already there (axis numbers, the legend), the axes, and the curves labelled.
    for (const Plane::Run& run : runs) {
        const Plane::Vertex& v = vertices[run.first];
        if (run.kind == Plane::Kind::Text)
            room.take({v.x, v.y, v.x + textWidth(plane.textOf(run)), v.y + kLineHeight});
        else if (run.kind == Plane::Kind::Line && run.colour == rgb(0, 0, 0))
            room.take(vertices.begin() + run.first, run.count, Room::kTaken);
    }
    for (std::size_t k = 0; k < labels.size(); ++k)
        for (std::uint32_t r = labels[k].firstRun; r < labels[k].endRun && r < runs.size(); ++r)
            if (runs[r].kind == Plane::Kind::Line)
                room.take(vertices.begin() + runs[r].first, runs[r].count, int(k));

    std::vector<std::optional<Plane::Vertex>> placed(labels.size());
    if (room.overworked())
        return placed;
    // A label goes beside a point of its curve in a cell of that curve alone.
    const std::vector<int> owned = room.owned(labels.size());
    // Anchors close together: a label may fit only right at a vertex.
    const double gap = room.cell(), spacing = 2;
    for (std::size_t k = 0; k < labels.size(); ++k) {
        if (owned[k] == 0)
            continue;
        const CurveLabel& label = labels[k];
        const double w = textWidth(label.text), h = kLineHeight;
        std::optional<Plane::Vertex>& at = placed[k];
        double walked = spacing;  // try the very end first
        // From the curve's right end towards its left one.
        for (auto r = std::uint32_t(std::min<std::size_t>(label.endRun, runs.size())); r-- > label.firstRun && !at;) {
            if (runs[r].kind != Plane::Kind::Line)
                continue;
            const Plane::Vertex* before = nullptr;
            for (std::uint32_t i = runs[r].count; i-- > 0 && !at;) {
                const Plane::Vertex& v = vertices[runs[r].first + i];
                if (before) {
                    const double ex = v.x - before->x, ey = v.y - before->y;
                    walked += std::sqrt(ex * ex + ey * ey);
                }
                before = &v;
                if (walked < spacing || v.x < 0 || v.y < 0 || double(v.x) > plane.width() ||
                    double(v.y) > plane.height() || !room.alone(v, int(k)))
                    continue;
                walked = 0;
                // Right below or above the point, left of it, then right over or under it.
                const PixelBox boxes[] = {{v.x + gap, v.y + gap, v.x + gap + w, v.y + gap + h},
                                          {v.x + gap, v.y - gap - h, v.x + gap + w, v.y - gap},
                                          {v.x - gap - w, v.y - gap - h, v.x - gap, v.y - gap},
                                          {v.x - gap - w, v.y + gap, v.x - gap, v.y + gap + h},
                                          {v.x - w / 2, v.y - gap - h, v.x + w / 2, v.y - gap},
                                          {v.x - w / 2, v.y + gap, v.x + w / 2, v.y + gap + h}};
                for (const PixelBox& b : boxes)
                    if (room.free(b)) {
                        room.take(b);
                        at = Plane::Vertex{float(b.left), float(b.top)};
                        break;
                    }
            }
        }
    }
    return placed;
}

void labelFamily(Context& c, std::string_view typedTerm, Rgb colour)
{
    const auto& members = c.drawing.familyDrawn;
    if (!c.drawing.legendShown || members.empty())
        return;
    std::string values = "@ = " + text(members.front().value);
    if (members.size() > 1)
        values += " … " + text(members.back().value);
    const std::string name = c.drawing.legendAhead > 0 ? "f1" : "f";
    const LegendEntry entry{name + "(x) = " + std::string(typedTerm) + " für " + values, colour};
    drawLegend(c, std::span(&entry, 1));

    Plane& p = c.plane;
    const double ahead = c.drawing.legendAhead;
    const PixelBox reserved{0, 0, kMargin + kStroke + kTextGap + (ahead > 0 ? kAheadWidth : 0),
                            kMargin + (c.drawing.legendLines + ahead) * kLineHeight + 2};
    std::vector<CurveLabel> labels;
    labels.reserve(members.size());
    for (const auto& m : members)
        labels.push_back({text(m.value), m.firstRun, m.endRun});
    const auto places = placeLabels(p, labels, reserved);
    const Rgb before = p.foreColor();
    p.setForeColor(colour);
    for (std::size_t k = 0; k < labels.size(); ++k)
        if (places[k]) {
            p.setCurrentX(p.worldX(places[k]->x));
            p.setCurrentY(p.worldY(places[k]->y));
            p.print(labels[k].text);
        }
    p.setForeColor(before);
}

void labelMain(Context& c, std::string_view typedTerm, Rgb colour)
{
    if (c.drawing.legendAhead <= 0)
        return;
    const LegendEntry entry{"f1(x) = " + std::string(typedTerm), colour};
    drawLegend(c, std::span(&entry, 1));
}

}  // namespace kw
