#include "gui/picture_file.h"

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

#include <cerrno>
#include <new>

#include "core/plane.h"
#include "gui/plane_png.h"
#include "gui/render.h"

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
    const QString noMemory = QStringLiteral("zu wenig Speicher für das Bild");  // as writePicture
    // PNG in bands of rows: the largest plane never holds one image of its full size.
    if (format == PictureFormat::Png) {
        if (!writePlanePng(plane, out))
            why = noMemory;
        return why.isEmpty();
    }
    QImage image;
    if (!renderPlane(plane, image)) {
        why = noMemory;
        return false;
    }
    QImageWriter writer(&out, "jpeg");
    writer.setQuality(kJpegQuality);
    if (writer.write(image))
        return true;
    why = writer.errorString();
    return false;
}

// The file's content, made in memory; empty (and `why`) when it could not be made.
QByteArray encode(const Plane& plane, PictureFormat format, QString& why)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    bool made = false;
    switch (format) {
    case PictureFormat::Png:
    case PictureFormat::Jpeg:
        made = writeRaster(plane, buffer, format, why);
        break;
    case PictureFormat::Svg:
        made = writeSvg(plane, buffer);
        break;
    case PictureFormat::Pdf:
        made = writePdf(plane, buffer);
        break;
    }
    if (made && !buffer.data().isEmpty())
        return buffer.data();
    if (why.isEmpty())
        why = QStringLiteral("das Bild konnte nicht gezeichnet werden");
    return {};
}

// Why a file could not be written, in German, from the system's error number
// (which the failing call has just set); Qt's own text otherwise.
QString reason(int error, const QString& fallback)
{
    switch (error) {
    case EFBIG:
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("Die Datei ist zu groß für den Datenträger.");
    case ENOENT:
    case ENOTDIR:
        return QStringLiteral("Der Ordner existiert nicht.");
    case EACCES:
    case EPERM:
    case EROFS:
        return QStringLiteral("Keine Berechtigung.");
    default:
        return fallback;
    }
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
    QByteArray bytes;
    try {
        bytes = encode(plane, format, why);
    } catch (const std::bad_alloc&) {
        why = QStringLiteral("zu wenig Speicher für das Bild");
        return false;
    }
    if (bytes.isEmpty())
        return false;
    return writeFileAtomically(bytes, file, why);
}

bool writeFileAtomically(const QByteArray& bytes, const QString& file, QString& why)
{
    QSaveFile out(file);
    errno = 0;
    if (out.open(QIODevice::WriteOnly)) {
        // A full disk may first take part of the bytes without complaint; the
        // next write then says why.
        qint64 done = 0;
        while (done < bytes.size()) {
            const qint64 n = out.write(bytes.constData() + done, bytes.size() - done);
            if (n <= 0)
                break;
            done += n;
        }
        // The commit would not notice a failure to write the last buffered bytes.
        if (done == bytes.size() && out.flush() && out.commit())
            return true;
    }
    why = reason(errno, out.errorString());
    return false;
}

QMimeData* planeMimeData(const Plane& plane)
{
    auto* data = new QMimeData;
    QImage image;
    // Too large a plane for memory still goes out as SVG.
    if (renderPlane(plane, image))
        data->setImageData(image);
    QString why;
    data->setData(QStringLiteral("image/svg+xml"), encode(plane, PictureFormat::Svg, why));
    return data;
}

}  // namespace kw
