#include "gui/render.h"

#include <QFontMetricsF>
#include <QLineF>
#include <QPainter>
#include <QPaintEngine>
#include <QPen>
#include <QPolygonF>
#include <QPointF>
#include <QVector>

#include "core/plane.h"

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
// changing any pixel of the runs that are painted.
constexpr qsizetype kRun = 16;

// Collects consecutive items of one kind, colour and width and paints them in
// runs of the same pen.
class Batch {
public:
    // Vector output joins connected segments into one path each: a curve
    // becomes one path in an SVG, not thousands of two-point lines.
    Batch(QPainter& painter, const QRectF& wanted, bool joined)
        : painter_(painter), wanted_(wanted), joined_(joined)
    {
    }

    void line(const Plane::Item& it, const QRectF& box)
    {
        start(Plane::Kind::Line, it);
        lines_.append(QLineF(it.x1, it.y1, it.x2, it.y2));
        add(box);
    }
    void point(const Plane::Item& it, const QRectF& box)
    {
        start(Plane::Kind::Point, it);
        points_.append(QPointF(it.x1, it.y1));
        add(box);
    }
    void flush()
    {
        if (touches_) {
            if (joined_)
                drawJoined();
            else if (!lines_.isEmpty())
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
    void drawJoined()
    {
        QPolygonF run;
        for (const QLineF& line : lines_) {
            if (!run.isEmpty() && run.constLast() != line.p1()) {
                painter_.drawPolyline(run);
                run.clear();
            }
            if (run.isEmpty())
                run << line.p1();
            run << line.p2();
        }
        if (!run.isEmpty())
            painter_.drawPolyline(run);
    }

    void start(Plane::Kind kind, const Plane::Item& it)
    {
        if (active_ && kind == kind_ && it.colour == colour_ && it.width == width_)
            return;
        flush();
        active_ = true;
        kind_ = kind;
        colour_ = it.colour;
        width_ = it.width;
        painter_.setPen(QPen(toQColor(colour_), width_, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    }
    void add(const QRectF& box)
    {
        touches_ = touches_ || box.intersects(wanted_);
        if (!joined_ && lines_.size() + points_.size() == kRun)
            flush();
    }

    QPainter& painter_;
    const QRectF wanted_;
    const bool joined_;
    bool active_ = false;
    bool touches_ = false;
    Plane::Kind kind_ = Plane::Kind::Line;
    Rgb colour_ = 0;
    int width_ = 0;
    QVector<QLineF> lines_;
    QVector<QPointF> points_;
};

// Paints the items that a picture of `whole` shows, as that picture paints
// them, but only the runs that reach into `wanted`.
void paintItems(QPainter& painter, const Plane& plane, const QRectF& whole, const QRectF& wanted)
{
    painter.save();
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

    const QPaintEngine::Type engine = painter.paintEngine()->type();
    Batch batch(painter, wantedArea, engine == QPaintEngine::SVG || engine == QPaintEngine::Pdf);
    for (const Plane::Item& it : plane.items()) {
        const double pad = it.width / 2.0 + 1;
        switch (it.kind) {
        case Plane::Kind::Line: {
            const QRectF box = QRectF(QPointF(it.x1, it.y1), QPointF(it.x2, it.y2))
                                   .normalized()
                                   .adjusted(-pad, -pad, pad, pad);
            if (box.intersects(area))
                batch.line(it, box);
            break;
        }
        case Plane::Kind::Point: {
            const QRectF box(it.x1 - pad, it.y1 - pad, 2 * pad, 2 * pad);
            if (box.intersects(area))
                batch.point(it, box);
            break;
        }
        case Plane::Kind::Text:
            if (textArea(area).contains(QPointF(it.x1, it.y1))) {
                batch.interrupt();
                if (textArea(wantedArea).contains(QPointF(it.x1, it.y1))) {
                    painter.setFont(font);
                    painter.setPen(toQColor(it.colour));
                    painter.drawText(QPointF(it.x1, it.y1 + ascent),
                                     QString::fromStdString(plane.textOf(it)));
                }
            }
            break;
        }
    }
    batch.flush();
    painter.restore();
}

}  // namespace

void paintPlane(QPainter& painter, const Plane& plane, const QRectF& region)
{
    paintItems(painter, plane, region, region);
}

void paintRows(const Plane& plane, QImage& canvas, int top, int rows)
{
    QPainter painter(&canvas);
    paintItems(painter, plane, QRectF(0, 0, plane.width(), plane.height()),
               QRectF(0, top, plane.width(), rows));
}

bool renderPlane(const Plane& plane, QImage& image)
{
    if (image.width() != plane.width() || image.height() != plane.height() ||
        image.format() != QImage::Format_RGB32)
        image = QImage(plane.width(), plane.height(), QImage::Format_RGB32);
    if (image.isNull())
        return false;
    QPainter painter(&image);
    paintPlane(painter, plane, QRectF(0, 0, plane.width(), plane.height()));
    return true;
}

}  // namespace kw
