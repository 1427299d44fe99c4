#pragma once

#include <QString>

class QPagedPaintDevice;

namespace kw {

struct Discussion;
class Plane;

// The discussion as rich text for a window: superscript powers, the value
// table as a table.
QString discussionHtml(const Discussion& d);

// The worksheet on A4 pages: the discussion, its value table and the graph,
// all as vectors. False when the device could not be painted on.
bool paintWorksheet(QPagedPaintDevice& device, const Discussion& d, const Plane& plane);

// The worksheet as a PDF file; why says what went wrong.
bool writeWorksheet(const QString& file, const Discussion& d, const Plane& plane, QString& why);

}  // namespace kw
