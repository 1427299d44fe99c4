#include "gui/render.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>
#include <QPaintEngine>
#include <QPen>
#include <QPolygonF>
#include <QPointF>
#include <QTransform>
#include <QVector>

#include <algorithm>
#include <cmath>
#include <future>
#include <span>
#include <system_error>
#include <thread>
#include <vector>

#include "core/plane.h"
#include "gui/stroke.h"

namespace kw {

QFont planeFont()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);
    font.setBold(true);
    return font;
}

namespace {

QColor toQColor(Rgb c) { return QColor(red(c), green(c), blue(c)); }

// Qt strokes lines and points in runs of 16, each run as one shape whose
// overlaps blend once. The batch hands them over in the same runs, so that a
// run can be left out where it does not touch the pixels wanted without
// changing any pixel of the runs that are painted. Polylines go out in
// pieces of a fixed number of vertices for the same reason.
constexpr qsizetype kRun = 16;
constexpr std::size_t kPiece = 64;

QRectF boxOf(const Plane::Vertex* v, std::size_t n, double pad)
{
    float left = v[0].x, right = v[0].x, top = v[0].y, bottom = v[0].y;
    for (std::size_t i = 1; i < n; ++i) {
        left = std::min(left, v[i].x);
        right = std::max(right, v[i].x);
        top = std::min(top, v[i].y);
        bottom = std::max(bottom, v[i].y);
    }
    return QRectF(QPointF(left, top), QPointF(right, bottom)).adjusted(-pad, -pad, pad, pad);
}

// How a painter's device shows the plane, in plane pixels.
struct Device {
    double spread;    // a device pixel
    double thinnest;  // the narrowest pen
};

Device deviceOf(const QPainter& painter)
{
    const double scale = std::sqrt(std::fabs(painter.deviceTransform().determinant()));
    const double spread = scale > 0 ? 1 / scale : 1;
    // A shrunken picture (a preview) keeps its curves one and a half device
    // pixels wide, so that they do not fade to a tint.
    return {spread, scale < 1 ? 1.5 * spread : 0.0};
}

// How far beyond its vertices a run's pen may paint.
double padOf(const Plane::Run& r, const Device& device)
{
    return std::max<double>(r.width, device.thinnest) / 2 + std::max(1.0, device.spread);
}

// A polyline reduced to what a device pixel of `pixel` shows within `area`;
// a segment of no length stays, as a dot.
void reduceRun(const Plane& plane, const Plane::Run& r, const Device& device, double pixel,
               const QRectF& area, std::vector<Plane::Vertex>& out)
{
    const double pad = padOf(r, device);
    const QRectF beyond = area.adjusted(-pad, -pad, pad, pad);
    reducePolyline(plane, r, pixel, {beyond.left(), beyond.top(), beyond.right(), beyond.bottom()},
                   out);
    if (out.size() == 1)
        out.push_back(out.front());
}

// Runs `second` on another core while this thread runs `first`; one after
// the other on a machine of one core or where no thread is to be had.
template <class First, class Second>
void both(First first, Second second)
{
    std::future<void> other;
    if (std::thread::hardware_concurrency() > 1) {
        try {
            other = std::async(std::launch::async, second);
        } catch (const std::system_error&) {
        }
    }
    first();
    if (other.valid())
        other.get();
    else
        second();
}

// Every polyline of the plane reduced for a picture of `whole`, in two
// halves at once.
void reduceAll(const Plane& plane, const Device& device, double pixel, const QRectF& whole,
               ReducedLines& kept)
{
    std::vector<const Plane::Run*> lines;
    std::size_t samples = 0;
    for (const Plane::Run& r : plane.runs())
        if (r.kind == Plane::Kind::Line) {
            lines.push_back(&r);
            samples += r.count;
        }
    std::size_t split = 0;
    for (std::size_t sum = 0; split < lines.size() && 2 * sum < samples; ++split)
        sum += lines[split]->count;
    const QRectF area = whole.translated(-0.5, -0.5);
    // The vertices of runs [from, to) and where each run ends among them.
    struct Part {
        std::vector<std::size_t> ends;
        std::vector<Plane::Vertex> vertices;
    };
    auto reduceRange = [&](std::size_t from, std::size_t to, Part& part) {
        std::vector<Plane::Vertex> own;
        for (std::size_t i = from; i < to; ++i) {
            reduceRun(plane, *lines[i], device, pixel, area, own);
            part.vertices.insert(part.vertices.end(), own.begin(), own.end());
            part.ends.push_back(part.vertices.size());
        }
    };
    Part upper, lower;
    both([&] { reduceRange(0, split, upper); }, [&] { reduceRange(split, lines.size(), lower); });
    kept = ReducedLines{pixel, whole, {0}, std::move(upper.vertices)};
    const std::size_t offset = kept.vertices.size();
    kept.starts.insert(kept.starts.end(), upper.ends.begin(), upper.ends.end());
    for (std::size_t end : lower.ends)
        kept.starts.push_back(offset + end);
    kept.vertices.insert(kept.vertices.end(), lower.vertices.begin(), lower.vertices.end());
}

// Makes `kept` hold the polylines as a picture of `whole` on the painter's
// device shows them.
void reduceFor(const QPainter& painter, const Plane& plane, const QRectF& whole, ReducedLines& kept)
{
    const Device device = deviceOf(painter);
    if (kept.pixel != device.spread || kept.whole != whole || kept.starts.empty())
        reduceAll(plane, device, device.spread, whole, kept);
}

// Collects consecutive items of one kind, colour and width and paints them in
// runs of the same pen.
class Batch {
public:
    // Vector output paints a polyline as one path: a curve becomes one path
    // in an SVG, not thousands of two-point lines.
    // thinnest: the narrowest pen, pixel: a device pixel, both in plane pixels.
    Batch(QPainter& painter, const QRectF& wanted, bool vector, double thinnest, double pixel)
        : painter_(painter), wanted_(wanted), vector_(vector), thinnest_(thinnest), pixel_(pixel)
    {
    }

    // Wide polylines on an image stroke through strokePolyline(), with the
    // image's pixels inside `clip` (device pixels) and this mapping onto them.
    void strokeInto(QImage* image, const QRect& clip, const QTransform& device)
    {
        image_ = image;
        clip_ = clip;
        device_ = device;
        scale_ = std::sqrt(std::fabs(device.determinant()));
    }

    // Parallel lines of one pen with the same ends, each less than a device
    // pixel from the next (a grid over a huge range), show as one band: they
    // are painted as one rectangle.
    void line(const Plane::Run& r, const Plane::Vertex* v, const QRectF& box)
    {
        const bool vertical = v[0].x == v[1].x, horizontal = v[0].y == v[1].y;
        if (bundle_.count > 0 && r.colour == bundle_.run.colour && r.width == bundle_.run.width &&
            vertical == bundle_.vertical && horizontal == bundle_.horizontal) {
            const float at = vertical ? v[0].x : v[0].y;
            const bool sameEnds = vertical ? v[0].y == bundle_.ends[0].y && v[1].y == bundle_.ends[1].y
                                           : v[0].x == bundle_.ends[0].x && v[1].x == bundle_.ends[1].x;
            if (sameEnds && std::fabs(at - bundle_.last) < pixel_) {
                bundle_.from = std::min(bundle_.from, at);
                bundle_.to = std::max(bundle_.to, at);
                bundle_.last = at;
                bundle_.box |= box;
                ++bundle_.count;
                return;
            }
        }
        endBundle();
        if (vertical != horizontal) {
            bundle_ = {r, {v[0], v[1]}, box, vertical, horizontal, 1, vertical ? v[0].x : v[0].y};
            bundle_.from = bundle_.to = bundle_.last;
            return;
        }
        plainLine(r, v, box);
    }
    void point(const Plane::Run& r, const Plane::Vertex& v, const QRectF& box)
    {
        endBundle();
        start(Plane::Kind::Point, r);
        points_.append(QPointF(v.x, v.y));
        add(box);
    }
    void polyline(const Plane::Run& r, std::span<const Plane::Vertex> v, double pad)
    {
        endBundle();
        start(Plane::Kind::Line, r);
        flush();
        const double width = std::max<double>(width_, thinnest_) * scale_;
        if (image_ && width > 1) {
            mapped_.resize(v.size());
            for (std::size_t i = 0; i < v.size(); ++i)
                mapped_[i] = device_.map(QPointF(v[i].x, v[i].y));
            strokePolyline(*image_, clip_, mapped_, width, toQColor(colour_).rgb());
            return;
        }
        const std::size_t step = vector_ ? v.size() : kPiece - 1;
        for (std::size_t at = 0; at + 1 < v.size(); at += step) {
            const std::size_t n = std::min(step + 1, v.size() - at);
            if (!vector_ && !boxOf(&v[at], n, pad).intersects(wanted_))
                continue;
            piece_.resize(qsizetype(n));
            for (std::size_t i = 0; i < n; ++i)
                piece_[qsizetype(i)] = QPointF(v[at + i].x, v[at + i].y);
            painter_.drawPolyline(piece_);
        }
    }
    void flush()
    {
        endBundle();
        flushRuns();
    }
    void flushRuns()
    {
        if (touches_) {
            if (!lines_.isEmpty())
                painter_.drawLines(lines_);
            if (!points_.isEmpty())
                painter_.drawPoints(points_.constData(), int(points_.size()));
        }
        lines_.clear();
        points_.clear();
        touches_ = false;
    }
    // Paints what is collected and forgets the pen, after someone else used the painter.
    void interrupt()
    {
        flush();
        active_ = false;
    }

private:
    void plainLine(const Plane::Run& r, const Plane::Vertex* v, const QRectF& box)
    {
        start(Plane::Kind::Line, r);
        lines_.append(QLineF(v[0].x, v[0].y, v[1].x, v[1].y));
        add(box);
    }
    void endBundle()
    {
        Bundle b = bundle_;
        bundle_.count = 0;
        if (b.count == 1) {
            plainLine(b.run, b.ends, b.box);
        } else if (b.count > 1) {
            start(Plane::Kind::Line, b.run);
            flushRuns();
            if (b.box.intersects(wanted_)) {
                const double w = std::max<double>(b.run.width, thinnest_) / 2;
                const QRectF band = b.vertical
                    ? QRectF(QPointF(b.from - w, std::min(b.ends[0].y, b.ends[1].y) - w),
                             QPointF(b.to + w, std::max(b.ends[0].y, b.ends[1].y) + w))
                    : QRectF(QPointF(std::min(b.ends[0].x, b.ends[1].x) - w, b.from - w),
                             QPointF(std::max(b.ends[0].x, b.ends[1].x) + w, b.to + w));
                painter_.fillRect(band, toQColor(b.run.colour));
            }
        }
    }

    void start(Plane::Kind kind, const Plane::Run& r)
    {
        if (active_ && kind == kind_ && r.colour == colour_ && r.width == width_)
            return;
        flushRuns();
        active_ = true;
        kind_ = kind;
        colour_ = r.colour;
        width_ = r.width;
        painter_.setPen(QPen(toQColor(colour_), std::max<double>(width_, thinnest_), Qt::SolidLine,
                             Qt::RoundCap, Qt::BevelJoin));
    }
    void add(const QRectF& box)
    {
        touches_ = touches_ || box.intersects(wanted_);
        if (!vector_ && lines_.size() + points_.size() == kRun)
            flushRuns();
    }

    struct Bundle {
        Plane::Run run;
        Plane::Vertex ends[2];
        QRectF box;
        bool vertical, horizontal;
        int count = 0;
        float last = 0, from = 0, to = 0;  // the lines' places across them
    };

    QPainter& painter_;
    const QRectF wanted_;
    const bool vector_;
    const double thinnest_;
    const double pixel_;
    Bundle bundle_{};
    bool active_ = false;
    bool touches_ = false;
    Plane::Kind kind_ = Plane::Kind::Line;
    Rgb colour_ = 0;
    int width_ = 0;
    QVector<QLineF> lines_;
    QVector<QPointF> points_;
    QPolygonF piece_;
    QImage* image_ = nullptr;
    QRect clip_;
    QTransform device_;
    double scale_ = 1;
    std::vector<QPointF> mapped_;
};

// Paints the items that a picture of `whole` shows, as that picture paints
// them, but only the runs that reach into `wanted`. Polylines are reduced to
// what pixels of the painter's device can show.
void paintItems(QPainter& painter, const Plane& plane, const QRectF& whole, const QRectF& wanted,
                bool reduce, ReducedLines* kept = nullptr)
{
    painter.save();
    const QTransform outer = painter.deviceTransform();
    painter.fillRect(wanted, Qt::white);
    painter.setClipRect(wanted);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    // Pixel (p, q) covers [p, p + 1): its centre is where a one-pixel line lies.
    painter.translate(0.5, 0.5);

    const QFont font = planeFont();
    const QFontMetricsF metrics(font);
    const double ascent = metrics.ascent();
    const QRectF area = whole.translated(-0.5, -0.5);
    const QRectF wantedArea = wanted.translated(-0.5, -0.5);
    // Texts reach right and down from their corner; leave room for long labels.
    auto textArea = [](const QRectF& r) { return r.adjusted(-200, -20, 0, 0); };

    const QTransform device = painter.deviceTransform();
    const Device d = deviceOf(painter);
    const QPaintEngine::Type engine = painter.paintEngine()->type();
    Batch batch(painter, wantedArea, engine == QPaintEngine::SVG || engine == QPaintEngine::Pdf,
                d.thinnest, d.spread);
    // Onto an image that is only scaled and moved, wide curves go our way.
    QPaintDevice* target = painter.device();
    if (target->devType() == QInternal::Image && device.type() <= QTransform::TxScale) {
        auto* image = static_cast<QImage*>(target);
        if (image->format() == QImage::Format_RGB32)
            batch.strokeInto(image, outer.mapRect(wanted).toAlignedRect(), device);
    }
    if (kept)
        reduceFor(painter, plane, whole, *kept);
    std::vector<Plane::Vertex> own;
    std::size_t line = 0;  // polylines so far
    const auto& vertices = plane.vertices();
    for (const Plane::Run& r : plane.runs()) {
        const double pad = padOf(r, d);
        auto v = vertices.begin() + r.first;
        switch (r.kind) {
        case Plane::Kind::Line: {
            std::span<const Plane::Vertex> reduced;
            if (kept) {
                reduced = std::span(kept->vertices).subspan(kept->starts[line],
                                                            kept->starts[line + 1] - kept->starts[line]);
            } else {
                reduceRun(plane, r, d, reduce ? d.spread : 0, area, own);
                reduced = own;
            }
            ++line;
            if (reduced.size() == 2) {
                const QRectF box = boxOf(reduced.data(), 2, pad);
                if (box.intersects(area))
                    batch.line(r, reduced.data(), box);
            } else {
                batch.polyline(r, reduced, pad);
            }
            break;
        }
        case Plane::Kind::Point:
            for (std::uint32_t i = 0; i < r.count; ++i, ++v) {
                const QRectF box(v->x - pad, v->y - pad, 2 * pad, 2 * pad);
                if (box.intersects(area))
                    batch.point(r, *v, box);
            }
            break;
        case Plane::Kind::Text:
            if (textArea(area).contains(QPointF(v->x, v->y))) {
                batch.interrupt();
                if (textArea(wantedArea).contains(QPointF(v->x, v->y))) {
                    painter.setFont(font);
                    painter.setPen(toQColor(r.colour));
                    painter.drawText(QPointF(v->x, v->y + ascent),
                                     QString::fromStdString(plane.textOf(r)));
                }
            }
            break;
        }
    }
    batch.flush();
    painter.restore();
}

}  // namespace

void paintPlane(QPainter& painter, const Plane& plane, const QRectF& region, bool reduce)
{
    paintItems(painter, plane, region, region, reduce);
}

void paintPart(QPainter& painter, const Plane& plane, const QRectF& wanted, ReducedLines* kept)
{
    paintItems(painter, plane, QRectF(0, 0, plane.width(), plane.height()), wanted, true, kept);
}

void paintRows(const Plane& plane, QImage& canvas, int top, int rows, ReducedLines* kept)
{
    ReducedLines own;
    ReducedLines& lines = kept ? *kept : own;
    const int half = rows / 2;
    if (half == 0) {
        QPainter painter(&canvas);
        paintPart(painter, plane, QRectF(0, top, plane.width(), rows), &lines);
        return;
    }
    // The lower half of the rows goes onto a second image of the same
    // pixels, painted at the same time: each thread has its own image.
    QImage lower(canvas.bits(), canvas.width(), canvas.height(), canvas.bytesPerLine(),
                 canvas.format());
    lower.setDevicePixelRatio(canvas.devicePixelRatio());
    lower.setDotsPerMeterX(canvas.dotsPerMeterX());
    lower.setDotsPerMeterY(canvas.dotsPerMeterY());
    QPainter painter(&canvas);
    // Reduced before the halves start, so that both only read them.
    reduceFor(painter, plane, QRectF(0, 0, plane.width(), plane.height()), lines);
    both([&] { paintPart(painter, plane, QRectF(0, top, plane.width(), half), &lines); },
         [&] {
             QPainter other(&lower);
             paintPart(other, plane, QRectF(0, top + half, plane.width(), rows - half), &lines);
         });
}

bool renderPlane(const Plane& plane, QImage& image)
{
    if (image.width() != plane.width() || image.height() != plane.height() ||
        image.format() != QImage::Format_RGB32)
        image = QImage(plane.width(), plane.height(), QImage::Format_RGB32);
    if (image.isNull())
        return false;
    paintRows(plane, image, 0, plane.height());
    return true;
}

}  // namespace kw
