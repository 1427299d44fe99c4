#include "plane/printing.h"

#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <new>

#include "core/plane.h"
#include "gui/render.h"

namespace kw {

namespace {

// Sizes on screen are meant at 96 pixels per inch.
constexpr double kScreenDpi = 96;

// Printer pixels per screen pixel for something `size` screen pixels large;
// what would not fit the printable area is shrunk to fit.
double printScale(QPrinter& printer, const QSizeF& size)
{
    const double natural = printer.resolution() / kScreenDpi;
    const QRectF page = printer.pageLayout().paintRectPixels(printer.resolution());
    if (size.isEmpty() || page.isEmpty())
        return natural;
    const double fit = std::min(page.width() / (size.width() * natural),
                                page.height() / (size.height() * natural));
    return natural * std::min(1.0, fit);
}

// Paints the plane; false (the page given up) when memory ran out on the way.
bool paintCaught(QPainter& painter, const Plane& plane, const QRectF& region)
{
    try {
        paintPlane(painter, plane, region);
        return true;
    } catch (const std::bad_alloc&) {
        painter.end();
        return false;
    }
}

}  // namespace

std::unique_ptr<QPrinter> openPrinter(QWidget* parent, const PrintServices& services)
{
    const QPrinterInfo info = services.defaultPrinter();
    if (!info.isNull())
        return std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    const QString file = services.askFileName(parent, QString::fromUtf8(kPdfFilter), QStringLiteral("pdf"));
    if (file.isEmpty())
        return nullptr;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(file);
    printer->setDocName(QStringLiteral("Ebene"));
    return printer;
}

bool bereich_Drucken(QPrinter& printer, const Plane& plane, const QRect& visible)
{
    QPainter painter;
    if (visible.isEmpty() || !painter.begin(&printer))
        return false;
    const double scale = printScale(printer, visible.size());
    painter.scale(scale, scale);
    painter.translate(-visible.topLeft());
    painter.fillRect(visible, Qt::white);
    const QRect shown = visible & QRect(0, 0, plane.width(), plane.height());
    if (!shown.isEmpty() && !paintCaught(painter, plane, shown))
        return false;
    return painter.end();
}

bool Ebene_Drucken(QPrinter& printer, const Plane& plane, const QSize& outer)
{
    QPainter painter;
    if (outer.isEmpty() || !painter.begin(&printer))
        return false;
    const QSizeF whole(plane.width(), plane.height());
    const QSizeF fitted = whole.scaled(QSizeF(outer), Qt::KeepAspectRatio);
    const double scale = printScale(printer, fitted) * fitted.width() / whole.width();
    painter.scale(scale, scale);
    if (!paintCaught(painter, plane, QRectF(QPointF(0, 0), whole)))
        return false;
    return painter.end();
}

}  // namespace kw
