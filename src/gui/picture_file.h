#pragma once

#include <QString>

#include <optional>

class QMimeData;

namespace kw {

class Plane;

enum class PictureFormat { Png, Jpeg, Svg, Pdf };

// The file types a picture of the plane can be written as, for a save dialog.
inline constexpr char kPictureFilters[] =
    "SVG-Grafik (*.svg);;PDF-Dokument (*.pdf);;PNG-Bild (*.png);;JPEG-Bild (*.jpg *.jpeg)";
inline constexpr char kPictureEndings[] = ".svg, .pdf, .png, .jpg oder .jpeg";

// The format a file name asks for by its extension, in any case.
std::optional<PictureFormat> pictureFormatOf(const QString& file);

// Writes the whole plane into `file`: PNG and JPEG (quality 85) at the plane's
// pixel size; SVG with curves as paths and labels as text; PDF as one page of
// the plane's size at 96 pixels per inch. The file is written beside the target
// and moved over it only when complete, so a failure leaves an existing file as
// it was. On failure `why` says what went wrong.
bool writePicture(const Plane& plane, const QString& file, PictureFormat format, QString& why);

// Writes bytes beside `file` and moves them over it only when all were written:
// a failure leaves an existing file as it was and says why in `why`.
bool writeFileAtomically(const QByteArray& bytes, const QString& file, QString& why);

// The plane for the clipboard: as picture and as SVG ("image/svg+xml").
QMimeData* planeMimeData(const Plane& plane);

}  // namespace kw
