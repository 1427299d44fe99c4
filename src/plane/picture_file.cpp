#include "plane/picture_file.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QMimeData>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QSvgGenerator>

#include "plane/plane.h"
#include "plane/render.h"

namespace kw {

namespace {

constexpr int kJpegQuality = 85;
// Vector pictures keep the plane's size on screen, taken at 96 pixels per inch.
constexpr int kScreenDpi = 96;

QRectF whole(const Plane& plane) { return QRectF(0, 0, plane.width(), plane.height()); }

// Paints the plane on a vector device; false when it could not be started.
bool paintOn(QPaintDevice& device, const Plane& plane)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    paintPlane(painter, plane, whole(plane));
    return painter.end();
}

bool writeSvg(const Plane& plane, QIODevice& out)
{
    QSvgGenerator svg;
    svg.setOutputDevice(&out);
    svg.setSize(QSize(plane.width(), plane.height()));
    svg.setViewBox(whole(plane));
    svg.setResolution(kScreenDpi);
    svg.setTitle(QStringLiteral("Ebene"));
    return paintOn(svg, plane);
}

bool writePdf(const Plane& plane, QIODevice& out)
{
    QPdfWriter pdf(&out);
    pdf.setResolution(kScreenDpi);
    pdf.setTitle(QStringLiteral("Ebene"));
    pdf.setCreator(QStringLiteral("Kurvenwerk"));
    // A page sized like the plane; a wide plane lies on a landscape page.
    const QSizeF points = whole(plane).size() * 72.0 / kScreenDpi;
    const bool wide = points.width() > points.height();
    const QPageSize page(wide ? points.transposed() : points, QPageSize::Point, QString(),
                         QPageSize::ExactMatch);
    if (!pdf.setPageLayout(QPageLayout(page, wide ? QPageLayout::Landscape : QPageLayout::Portrait,
                                       QMarginsF())))
        return false;
    return paintOn(pdf, plane);
}

bool writeRaster(const Plane& plane, QIODevice& out, PictureFormat format, QString& why)
{
    QImage image;
    if (!renderPlane(plane, image)) {
        why = QStringLiteral("zu wenig Speicher für das Bild");
        return false;
    }
    QImageWriter writer(&out, format == PictureFormat::Png ? "png" : "jpeg");
    if (format == PictureFormat::Jpeg)
        writer.setQuality(kJpegQuality);
    if (writer.write(image))
        return true;
    why = writer.errorString();
    return false;
}

}  // namespace

std::optional<PictureFormat> pictureFormatOf(const QString& file)
{
    const QString suffix = QFileInfo(file).suffix().toLower();
    if (suffix == QLatin1String("png"))
        return PictureFormat::Png;
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        return PictureFormat::Jpeg;
    if (suffix == QLatin1String("svg"))
        return PictureFormat::Svg;
    if (suffix == QLatin1String("pdf"))
        return PictureFormat::Pdf;
    return std::nullopt;
}

bool writePicture(const Plane& plane, const QString& file, PictureFormat format, QString& why)
{
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) {
        why = out.errorString();
        return false;
    }
    bool painted = false;
    switch (format) {
    case PictureFormat::Png:
    case PictureFormat::Jpeg:
        painted = writeRaster(plane, out, format, why);
        break;
    case PictureFormat::Svg:
        painted = writeSvg(plane, out);
        break;
    case PictureFormat::Pdf:
        painted = writePdf(plane, out);
        break;
    }
    // A full disk shows as the file's error, whatever the painter thought.
    if (out.error() != QFileDevice::NoError)
        why = out.errorString();
    else if (!painted && why.isEmpty())
        why = QStringLiteral("das Bild konnte nicht gezeichnet werden");
    if (!why.isEmpty()) {
        out.cancelWriting();
        return false;
    }
    if (!out.commit()) {
        why = out.errorString();
        return false;
    }
    return true;
}

QByteArray planeSvg(const Plane& plane)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    writeSvg(plane, buffer);
    return buffer.data();
}

QMimeData* planeMimeData(const Plane& plane)
{
    auto* data = new QMimeData;
    QImage image;
    // Too large a plane for memory still goes out as SVG.
    if (renderPlane(plane, image))
        data->setImageData(image);
    data->setData(QStringLiteral("image/svg+xml"), planeSvg(plane));
    return data;
}

}  // namespace kw
