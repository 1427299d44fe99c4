#include <gtest/gtest.h>

#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>

#include "gui/picture_file.h"
#include "support/files.h"
#include "support/plane_helpers.h"

using namespace kw;
using namespace kw::test;

namespace {

class PictureFile : public PanelFixture {
protected:
    QTemporaryDir dir;

    QString write(const char* name, PictureFormat format)
    {
        const QString file = dir.filePath(QString::fromLatin1(name));
        QString why;
        EXPECT_TRUE(writePicture(c.ebene, file, format, why)) << why.toStdString();
        return file;
    }
    // On the parabola: plainly red at world (x, y).
    bool redAt(const QImage& image, double x, double y)
    {
        const QColor px = image.pixelColor(int(c.ebene.pixelX(x)), int(c.ebene.pixelY(y)));
        return px.red() > 150 && px.green() < 90 && px.blue() < 90;
    }
};

TEST_F(PictureFile, SvgHoldsPathsAndTextsAndShowsWhatThePngShows)
{
    draw("x^2");
    const QImage png(write("p.png", PictureFormat::Png));
    QFile svg(write("p.svg", PictureFormat::Svg));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(svg.readAll());
    EXPECT_FALSE(text.contains(QStringLiteral("<image")));
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("<text[^>]*>\\s*10\\s*</text>"))));
    // The parabola's 450 segments on the plane are one path.
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("points=\"([^ ]+ ){400}"))));

    QSvgRenderer renderer(svg.fileName());
    EXPECT_EQ(renderer.viewBox(), QRect(0, 0, 1200, 1200));
    QImage drawn(png.size(), QImage::Format_RGB32);
    QPainter painter(&drawn);
    renderer.render(&painter);
    painter.end();
    EXPECT_TRUE(redAt(drawn, 2, 4) && redAt(drawn, -2, 4) && !redAt(drawn, 0, 4));
    // Apart from the soft edges of strokes and glyphs, no pixel turns from dark to light.
    int differ = 0;
    for (int y = 0; y < png.height(); ++y)
        for (int x = 0; x < png.width(); ++x) {
            const QColor a = png.pixelColor(x, y), b = drawn.pixelColor(x, y);
            const int dr = a.red() - b.red(), dg = a.green() - b.green(), db = a.blue() - b.blue();
            differ += dr * dr + dg * dg + db * db > 220 * 220;
        }
    EXPECT_LT(differ, png.width() * png.height() / 2000);
}

TEST_F(PictureFile, PdfIsOnePageOfThePlanesSize)
{
    draw("x^2", "-30", "10");  // 1800 × 600 pixels: a landscape page
    const QString pdf = write("p.pdf", PictureFormat::Pdf);
    const QString info = runTool("pdfinfo", {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
    EXPECT_TRUE(info.contains(QRegularExpression("Page size:\\s+1350 x 450 pts")));
    runTool("pdftoppm", {"-r", "96", "-png", "-singlefile", pdf, dir.filePath("seite")});
    const QImage page(dir.filePath("seite.png"));
    ASSERT_EQ(page.size(), QSize(1800, 600));
    EXPECT_TRUE(redAt(page, 2, 4) && redAt(page, -2, 4));
}

TEST_F(PictureFile, AFailedWriteKeepsTheOldFileAndLeavesNothingBehind)
{
    draw("x^2");
    const QString file = dir.filePath("ebene");
    QFile old(file);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly) && old.write("altes Bild") == 10);
    old.close();
    // A disk that fills up after a few kilobytes.
    rlimit limit{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limit), 0);
    const rlimit full{4096, limit.rlim_max};
    auto* previous = std::signal(SIGXFSZ, SIG_IGN);
    using enum PictureFormat;
    for (PictureFormat format : {Png, Jpeg, Svg, Pdf}) {
        QString why;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &full), 0);
        const bool written = writePicture(c.ebene, file, format, why);
        setrlimit(RLIMIT_FSIZE, &limit);
        EXPECT_TRUE(!written && !why.isEmpty()) << int(format);
    }
    std::signal(SIGXFSZ, previous);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("altes Bild"));
    EXPECT_EQ(filesIn(dir.path()), QStringList{QStringLiteral("ebene")});
}

}  // namespace
