#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <string>

#include "core/document.h"

namespace kw {

// Drawings are files of their own: UTF-8 JSON with a format name and version.
inline constexpr char kDrawingFilter[] = "Kurvenwerk-Zeichnungen (*.kurve)";
inline constexpr char kDrawingSuffix[] = "kurve";
inline constexpr int kDrawingVersion = 1;

// A drawing read from a file, or the German message that says why there is none.
struct DrawingRead {
    std::optional<DrawingParts> drawing;
    std::string error;
};

// The file's text: every saved field under a stable English key, numbers as
// numbers, terms as typed.
QByteArray drawingJson(const DrawingParts& d);

// Reads a file's bytes (`name` names the file in the messages). Checks every
// value with the rules typed input has; a missing key keeps its initial value,
// a key it does not know (from a later version) is left alone.
DrawingRead parseDrawing(const QByteArray& bytes, const QString& name);
DrawingRead readDrawingFile(const QString& file);

// The first key whose value a file could not hold; empty when every one is usable.
std::string invalidKey(const DrawingParts& d);

// Writes the drawing beside the file and moves it over it only when complete:
// a failure keeps an existing file and says why in `why`. A drawing with a
// value it could not open again is not written either.
bool writeDrawingFile(const DrawingParts& d, const QString& file, QString& why);

// „NAME" as the messages name a file.
QString quoted(const QString& name);

// The file name ends in ".kurve".
bool isDrawingFile(const QString& file);

}  // namespace kw
