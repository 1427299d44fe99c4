#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct Outcome {
    int exitCode;
    QString err;
};

Outcome kurvenwerk(const QStringList& args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));  // batch runs need no display
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

TEST(BatchExport, WritesTheWholePlaneAsPngOrJpeg)
{
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("p.png"));
    Outcome r = kurvenwerk({"--export", png, "--term", "x^2"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QImage image(png);
    ASSERT_EQ(image.size(), QSize(1200, 1200));
    EXPECT_GT(at(image, 20, 2, 4).red(), 150);
    EXPECT_LT(at(image, 20, 2, 4).green(), 90);
    EXPECT_GT(at(image, 20, -2, 4).red(), 150);
    EXPECT_EQ(at(image, 20, 0, 10), QColor(0, 0, 0));

    const QString jpg = dir.filePath(QStringLiteral("p.jpg"));
    r = kurvenwerk({"--export", jpg, "--from", "-10", "--to", "10", "--colour", "Blau"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QFile file(jpg);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(3).startsWith("\xff\xd8\xff"));  // a JPEG
    image = QImage(jpg);
    EXPECT_EQ(image.size(), QSize(600, 600));
    EXPECT_GT(at(image, 10, 2, 4).blue(), 90);
}

TEST(BatchExport, MessagesGoToStandardErrorAndTheFileIsStillWritten)
{
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("bad.png"));
    Outcome r = kurvenwerk({"--export", png, "--term", "X^2"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.err.contains(QStringLiteral("nicht in der Korrekten Form")));
    EXPECT_TRUE(QFile::exists(png));
}

TEST(BatchExport, RefusesUnusableOptionsAndReportsUnwritableFiles)
{
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("x.png"));
    EXPECT_EQ(kurvenwerk({"--export"}).exitCode, 2);
    EXPECT_EQ(kurvenwerk({"--export", dir.filePath("x.gif")}).exitCode, 2);
    EXPECT_EQ(kurvenwerk({"--export", png, "--colour", "grün"}).exitCode, 2);
    EXPECT_EQ(kurvenwerk({"--export", png, "--farbe", "Rot"}).exitCode, 2);
    EXPECT_FALSE(QFile::exists(png));

    const QString missing = dir.filePath(QStringLiteral("no/such/dir/x.png"));
    Outcome r = kurvenwerk({"--export", missing});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_FALSE(r.err.isEmpty());
}

}  // namespace
