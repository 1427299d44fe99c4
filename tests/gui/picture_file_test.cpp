#include <gtest/gtest.h>

#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>

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
        EXPECT_TRUE(writePicture(c.plane, file, format, why)) << why.toStdString();
        return file;
    }
    // On the parabola: plainly red at world (x, y).
    bool redAt(const QImage& image, double x, double y)
    {
        const QColor px = image.pixelColor(int(c.plane.pixelX(x)), int(c.plane.pixelY(y)));
        return px.red() > 150 && px.green() < 90 && px.blue() < 90;
    }
};

TEST_F(PictureFile, SvgHoldsPathsAndTextsAndShowsWhatThePngShows)
{
    draw("x^2");
    const QImage png(write("p.png", PictureFormat::Png));
    const QString svg = write("p.svg", PictureFormat::Svg);
    const QString text = QString::fromUtf8(readFile(svg));
    EXPECT_FALSE(text.contains(QStringLiteral("<image")));
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("<text[^>]*>\\s*10\\s*</text>"))));
    // The parabola's 450 segments on the plane are one path.
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("points=\"([^ ]+ ){400}"))));

    QSvgRenderer renderer(svg);
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
    const QImage page = pdfPage(pdf);
    ASSERT_EQ(page.size(), QSize(1800, 600));
    EXPECT_TRUE(redAt(page, 2, 4) && redAt(page, -2, 4));
}

TEST_F(PictureFile, AFailedWriteKeepsTheOldFileAndLeavesNothingBehind)
{
    draw("x^2");
    const QString file = dir.filePath("ebene");
    writeFile(file, "altes Bild");
    using enum PictureFormat;
    for (PictureFormat format : {Png, Jpeg, Svg, Pdf}) {
        QString why;
        bool written = true;
        onAFullDisk(4096, [&] { written = writePicture(c.plane, file, format, why); });
        EXPECT_TRUE(!written && why == "Die Datei ist zu groß für den Datenträger.") << int(format);
    }
    EXPECT_EQ(readFile(file), QByteArray("altes Bild"));
    EXPECT_EQ(filesIn(dir.path()), QStringList{QStringLiteral("ebene")});
}

}  // namespace
