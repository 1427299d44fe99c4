#include "tools/program_icon.h"

#include <QPainter>
#include <QSvgRenderer>

// The resources live in a static library: nothing would pull them in unless named.
static void initResources()
{
    static bool done = false;
    if (!done) {
        Q_INIT_RESOURCE(kurvenwerk);
        done = true;
    }
}

namespace kw {

QPixmap programPixmap(int size, qreal devicePixelRatio)
{
    initResources();
    QSvgRenderer renderer(QStringLiteral(":/kurvenwerk/kurvenwerk.svg"));
    const int pixels = qRound(size * devicePixelRatio);
    QPixmap pixmap(pixels, pixels);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    pixmap.setDevicePixelRatio(devicePixelRatio);
    return pixmap;
}

QIcon programIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(programPixmap(size));
    return icon;
}

}  // namespace kw
