#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

namespace {

struct Outcome {
    int exitCode;
    QString err;
    QString out;
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
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardError()),
            QString::fromUtf8(p.readAllStandardOutput())};
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
    // A term, quality or range that cannot be drawn: its message, no file, status 1.
    const QString bad = dir.filePath(QStringLiteral("bad.png"));
    Outcome r = kurvenwerk({"--export", bad, "--term", "X^2"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("nicht in der Korrekten Form")));
    r = kurvenwerk({"--export", bad, "--term", QStringLiteral("x+1").repeated(667)});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("Der Term ist zu lang (höchstens 2000 Zeichen).")));
    for (const QStringList& args : {QStringList{"--quality", "0"}, {"--quality", "viel"},
                                    {"--from", "-1000000"}, {"--to", "zwanzig"}}) {
        r = kurvenwerk(QStringList{"--export", bad} + args);
        EXPECT_EQ(r.exitCode, 1) << args.join(' ').toStdString();
        EXPECT_FALSE(r.err.isEmpty()) << args.join(' ').toStdString();
    }
    EXPECT_FALSE(QFile::exists(bad));
    // Gaps where f is undefined are a warning: the picture is written.
    r = kurvenwerk({"--export", bad, "--term", "x^0,5"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.err.contains(QStringLiteral("ungültige Zeichen")));
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

TEST(BatchExport, FamiliesAndBridges)
{
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("schar.png"));
    Outcome r = kurvenwerk({"--export", png, "--term", "x^2+@", "--family", "-2", "1", "1",
                            "--from", "-10", "--to", "10"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QImage image(png);
    auto red = [](QColor c) { return c.red() > 150 && c.green() < 90; };
    for (double p : {-2, -1, 0, 1})
        EXPECT_TRUE(red(at(image, 10, 2, 4 + p))) << p;
    EXPECT_FALSE(red(at(image, 10, 2, 6)));  // no member beyond the end

    // What the questions would refuse draws nothing; unusable forms are usage errors.
    const QString bad = dir.filePath(QStringLiteral("bad.png"));
    r = kurvenwerk({"--export", bad, "--term", "x^2+@", "--family", "0", "1", "0"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains(QStringLiteral("gültigen Schrittwert"))) << r.err.toStdString();
    for (const QStringList& args :
         {QStringList{"--term", "x^2", "--family", "0", "1", "1"}, {"--term", "x^2+@"},
          {"--term", "@x", "--family", "0", "eins", "1"}, {"--bridge", "100", "30"},
          {"--bridge", "100", "30", "5", "--term", "x"}})
        EXPECT_EQ(kurvenwerk(QStringList{"--export", bad} + args).exitCode, 2)
            << args.join(' ').toStdString();
    EXPECT_FALSE(QFile::exists(bad));

    const QString bridge = dir.filePath(QStringLiteral("bruecke.png"));
    r = kurvenwerk({"--export", bridge, "--bridge", "100", "30", "5"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    image = QImage(bridge);
    EXPECT_EQ(image.size(), QSize(3000, 3000));
    EXPECT_EQ(at(image, 50, 10, 2), QColor(255, 127, 36));  // the hanger at x = 10

    r = kurvenwerk({"--report", "bridge", "--bridge", "100", "30", "5"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.startsWith(QStringLiteral("a1 = 0,247788873\na2 = -0,247788873\n"
                                                "c1 = 0,049557775\nc2 = -0,049557775\n"
                                                "f(x) = (0,24778887")))
        << r.out.toStdString();
    r = kurvenwerk({"--report", "bridge", "--bridge", "100", "3", "5"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.startsWith(QStringLiteral("Mit diesen Werten gibt es kein Trägerseil")));
    EXPECT_EQ(kurvenwerk({"--report", "bridge"}).exitCode, 2);
    EXPECT_EQ(kurvenwerk({"--report", "zeros", "--term", "x+@"}).exitCode, 2);
    EXPECT_EQ(kurvenwerk({"--report", "zeros", "--bridge", "100", "30", "5"}).exitCode, 2);
}

TEST(CommandLine, HelpVersionAndQuietSuccess)
{
    Outcome help = kurvenwerk({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    for (const char* option : {"--export", "--report", "--term", "--from", "--to", "--quality",
                               "--colour", "--derivative", "--tangent", "--inverse", "--section",
                               "--family", "--bridge", "--version"})
        EXPECT_TRUE(help.out.contains(QLatin1String(option))) << option;
    EXPECT_TRUE(help.err.isEmpty());

    Outcome version = kurvenwerk({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(version.out.startsWith(QStringLiteral("Kurvenwerk 1."))) << version.out.toStdString();

    Outcome unknown = kurvenwerk({"--export", "a.png", "--hilfe"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.err.startsWith(QStringLiteral("Unbekannte Option: --hilfe\nAufruf:")));

    // A picture written says nothing, not even Qt's warning about a missing runtime folder.
    QTemporaryDir dir;
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    env.remove(QStringLiteral("DISPLAY"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(KURVENWERK_BIN), {"--export", dir.filePath(QStringLiteral("q.png"))});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_EQ(p.readAllStandardError(), QByteArray());
}

}  // namespace
