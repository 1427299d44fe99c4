#include "gui/worksheet.h"

#include <QBuffer>
#include <QSaveFile>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>

#include <algorithm>

#include "core/plane.h"
#include "discussion/discussion.h"
#include "gui/render.h"

namespace kw {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

// "1,5x^2-4x" with the exponents raised: a number, x, or a bracket after "^".
QString raised(const QString& line)
{
    QString out = line.toHtmlEscaped();
    static const QRegularExpression power(QStringLiteral(R"(\^(\([^()]*\)|-?[0-9,]+|x))"));
    out.replace(power, QStringLiteral("<sup>\\1</sup>"));
    return out;
}

constexpr double kMarginMm = 15;

}  // namespace

QString discussionHtml(const Discussion& d)
{
    QString html = QStringLiteral("<html><body>");
    for (const std::string& line : d.lines)
        html += QStringLiteral("<div>") + raised(qs(line)) + QStringLiteral("</div>");
    html += QStringLiteral("<p><b>Wertetabelle</b></p><table border=\"1\" cellspacing=\"0\" "
                           "cellpadding=\"3\"><tr><th>x</th><th>f(x)</th><th>f'(x)</th></tr>");
    for (const DiscussionRow& r : d.table)
        html += QStringLiteral("<tr><td align=\"right\">%1</td><td align=\"right\">%2</td>"
                               "<td align=\"right\">%3</td></tr>")
                    .arg(r.x)
                    .arg(qs(r.f).toHtmlEscaped(), qs(r.d).toHtmlEscaped());
    return html + QStringLiteral("</table></body></html>");
}

bool paintWorksheet(QPagedPaintDevice& device, const Discussion& d, const Plane& plane)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(kMarginMm, kMarginMm, kMarginMm, kMarginMm),
                                     QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const QRectF page(0, 0, device.width(), device.height());
    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPointSizeF(14);
    title.setBold(true);
    QFont body(QStringLiteral("DejaVu Sans"));
    body.setPointSizeF(9.5);
    const double line = QFontMetricsF(body, &device).lineSpacing();
    double y = 0;
    painter.setPen(Qt::black);
    painter.setFont(title);
    const double titleLine = QFontMetricsF(title, &device).lineSpacing();
    painter.drawText(QRectF(0, y, page.width(), titleLine), Qt::AlignLeft, QStringLiteral("Kurvendiskussion"));
    y += titleLine * 1.5;
    painter.setFont(body);
    // The value table on the right, the discussion's lines beside it, wrapped
    // where they are long; then the graph below both.
    const double top = y;
    const double column = page.width() * 0.1;
    const double tableLeft = page.width() - 3 * column;
    auto row = [&](const QString& x, const QString& f, const QString& s) {
        const QString cells[] = {x, f, s};
        for (int i = 0; i < 3; ++i)
            painter.drawText(QRectF(tableLeft + i * column, y, column - line / 2, line), Qt::AlignRight, cells[i]);
        y += line;
    };
    painter.drawText(QRectF(tableLeft, y, 3 * column, line), Qt::AlignLeft, QStringLiteral("Wertetabelle"));
    y += line;
    row(QStringLiteral("x"), QStringLiteral("f(x)"), QStringLiteral("f'(x)"));
    painter.drawLine(QPointF(tableLeft, y), QPointF(page.width(), y));
    for (const DiscussionRow& r : d.table)
        row(QString::number(r.x), qs(r.f), qs(r.d));
    const double tableEnd = y;
    y = top;
    const double textWidth = tableLeft - line;
    const int wrap = Qt::AlignLeft | Qt::TextWrapAnywhere;
    const QFontMetricsF metrics(body, &device);
    bool turned = false;
    for (const std::string& text : d.lines) {
        const QString t = qs(text);
        const double height = metrics.boundingRect(QRectF(0, 0, textWidth, page.height()), wrap, t).height();
        if (y + height > page.height()) {
            device.newPage();
            y = 0;
            turned = true;
        }
        painter.drawText(QRectF(0, y, textWidth, height), wrap, t);
        y += height;
    }
    if (!turned)
        y = std::max(y, tableEnd);
    // The graph below, as large as the rest of the page allows, else on a page of its own.
    y += line;
    if (plane.width() > 0 && plane.height() > 0) {
        const double aspect = double(plane.height()) / plane.width();
        if (page.height() - y < std::min(page.width() * aspect, page.height()) * 0.6) {
            device.newPage();
            y = 0;
        }
        const double scale = std::min(page.width() / plane.width(), (page.height() - y) / plane.height());
        painter.save();
        painter.translate((page.width() - plane.width() * scale) / 2, y);
        painter.scale(scale, scale);
        paintPlane(painter, plane, QRectF(0, 0, plane.width(), plane.height()));
        painter.restore();
    }
    return painter.end();
}

bool writeWorksheet(const QString& file, const Discussion& d, const Plane& plane, QString& why)
{
    // Made in memory, then written beside the old file and put in its place
    // at the end: a failed write keeps the old file.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(300);
        pdf.setTitle(QStringLiteral("Kurvendiskussion"));
        pdf.setCreator(QStringLiteral("Kurvenwerk"));
        if (!paintWorksheet(pdf, d, plane)) {
            why = QStringLiteral("die Seite ließ sich nicht anlegen");
            return false;
        }
    }
    const QByteArray& bytes = buffer.data();
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) {
        why = out.errorString();
        return false;
    }
    // The commit would not notice a failure to write the last buffered bytes.
    if (out.write(bytes) != bytes.size() || !out.flush() || !out.commit()) {
        why = out.errorString();
        return false;
    }
    return true;
}

}  // namespace kw
