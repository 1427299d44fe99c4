#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct Outcome {
    int exitCode;
    QString err;
};

// The program itself, run without a display.
Outcome kurvenwerk(const QStringList& args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(KURVENWERK_BIN), args);
    EXPECT_TRUE(p.waitForFinished(30000));
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardError())};
}

// Pixel of world (x, y) on a plane whose range is -r … r.
QColor at(const QImage& image, double r, double x, double y)
{
    return image.pixelColor(int((x + r) * image.width() / (2 * r)),
                            int((r - y) * image.height() / (2 * r)));
}

TEST(BatchExport, WritesTheWholePlaneAsPngJpegSvgOrPdf)
{
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("p.png"));
    Outcome r = kurvenwerk({"--export", png, "--term", "x^2"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QImage image(png);
    ASSERT_EQ(image.size(), QSize(1200, 1200));
    for (double x : {2.0, -2.0}) {
        EXPECT_GT(at(image, 20, x, 4).red(), 150);
        EXPECT_LT(at(image, 20, x, 4).green(), 90);
    }
    EXPECT_EQ(at(image, 20, 0, 10), QColor(0, 0, 0));  // the y-axis

    const QString jpg = dir.filePath(QStringLiteral("p.jpg"));
    r = kurvenwerk({"--export", jpg, "--from", "-10", "--to", "10", "--colour", "Blau"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    image = QImage(jpg, "JPEG");  // JPEG by the extension
    EXPECT_EQ(image.size(), QSize(600, 600));
    EXPECT_GT(at(image, 10, 2, 4).blue(), 90);

    // Vector pictures by their extensions too.
    for (const auto& [name, start] : {std::pair{"p.svg", "<?xml"}, std::pair{"p.PDF", "%PDF-"}}) {
        const QString file = dir.filePath(QString::fromLatin1(name));
        r = kurvenwerk({"--export", file});
        ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
        QFile written(file);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        EXPECT_EQ(written.read(5), QByteArray(start));
    }
}

TEST(BatchExport, ExitStatusAndMessages)
{
    QTemporaryDir dir;
    // A window's message goes to standard error; the file is still written.
    const QString bad = dir.filePath(QStringLiteral("bad.png"));
    Outcome r = kurvenwerk({"--export", bad, "--term", "X^2"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.err.contains(QStringLiteral("nicht in der Korrekten Form")));
    EXPECT_TRUE(QFile::exists(bad));

    const QString png = dir.filePath(QStringLiteral("x.png"));
    for (const QStringList& args : {QStringList{"--export"}, {"--export", dir.filePath("x.gif")},
                                    {"--export", png, "--colour", "grün"}})
        EXPECT_EQ(kurvenwerk(args).exitCode, 2) << args.join(' ').toStdString();
    EXPECT_FALSE(QFile::exists(png));

    r = kurvenwerk({"--export", dir.filePath(QStringLiteral("no/such/dir/x.png"))});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(r.err.isEmpty());
}

}  // namespace
