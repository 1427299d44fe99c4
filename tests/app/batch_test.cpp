#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <sstream>

#include "app/batch.h"
#include "app/options.h"
#include "curves/bridge.h"
#include "gui/render.h"
#include "panel/analysis_panel.h"
#include "support/files.h"
#include "support/gui_helpers.h"
#include "tools/area_calculator.h"

using namespace kw;

namespace {

struct Outcome {
    int exitCode;
    QString err;
    QString out;
};

// The program itself, run without a display (and without a runtime folder, of
// which Qt would warn).
Outcome kurvenwerk(const QStringList& args)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "QT_QPA_PLATFORM", "XDG_RUNTIME_DIR"})
        env.remove(QString::fromLatin1(name));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(KURVENWERK_BIN), args);
    EXPECT_TRUE(p.waitForFinished(30000));
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardError()),
            QString::fromUtf8(p.readAllStandardOutput())};
}

// What cannot be done: its status (1: nothing drawn or written, 2: arguments
// refused), a message saying so (a regular expression), and no file.
TEST(BatchExport, ExitStatusAndMessages)
{
    QTemporaryDir dir;
    const QString bad = dir.filePath(QStringLiteral("bad.png"));
    const QStringList ex{"--export", bad};
    const std::tuple<QStringList, int, QString> cases[] = {
        {ex + QStringList{"--term", "X^2"}, 1, "nicht in der Korrekten Form"},
        {ex + QStringList{"--term", QStringLiteral("x+1").repeated(667)}, 1,
         "Der Term ist zu lang \\(höchstens 2000 Zeichen\\)\\."},
        // Further functions are checked as the term is.
        {ex + QStringList{"--and", "hallo"}, 1, "^--and hallo:\nIhre Eingabe ist nicht in der Korrekten Form"},
        {ex + QStringList{"--and", ""}, 1, "nicht in der Korrekten Form"},
        {ex + QStringList{"--and", "x+@"}, 1, "nicht in der Korrekten Form"},
        {ex + QStringList{"--quality", "0"}, 1, ""},
        {ex + QStringList{"--quality", "4.9e-324"}, 1, "^Die Qualität ist zu klein"},
        {ex + QStringList{"--from", "0", "--to", "0"}, 1, "mindestens 2 × 2"},
        {ex + QStringList{"--from", "-5", "--to", "-1"}, 1, "mindestens 2 × 2"},
        {ex + QStringList{"--quality", "viel"}, 1, ""},
        {ex + QStringList{"--from", "-1000000"}, 1, ""},
        {ex + QStringList{"--to", "zwanzig"}, 1, ""},
        {{"--export", dir.filePath(QStringLiteral("no/such/dir/x.png"))}, 1,
         "\\(Der Ordner existiert nicht\\.\\)"},
        {{"--export"}, 2, ""},
        {{"--export", dir.filePath("x.gif")}, 2, ""},
        {ex + QStringList{"--colour", "grün"}, 2, ""},
        {ex + QStringList{"--hilfe"}, 2, "^Unbekannte Option: --hilfe\nAufruf:"},
        {{"-export", dir.filePath("x.png")}, 2, "^Unbekannte Option: -export\nAufruf:"},
        // Families and bridges: what the questions would refuse draws nothing;
        // unusable forms are usage errors.
        {ex + QStringList{"--term", "x^2+@", "--family", "0", "1", "0"}, 1, "gültigen Schrittwert"},
        {ex + QStringList{"--term", "x^2", "--family", "0", "1", "1"}, 2, ""},
        {ex + QStringList{"--term", "x^2+@"}, 2, ""},
        {ex + QStringList{"--term", "@x", "--family", "0", "eins", "1"}, 2, ""},
        {ex + QStringList{"--bridge", "100", "30"}, 2, ""},
        {ex + QStringList{"--bridge", "100", "30", "5", "--term", "x"}, 2, ""},
        {{"--report", "bridge", "--bridge", "100", "3", "5"}, 1,
         "^Mit diesen Werten gibt es kein Trägerseil"},
        {{"--report", "bridge"}, 2, ""},
        {{"--report", "zeros", "--term", "x+@"}, 2, ""},
        {{"--report", "zeros", "--bridge", "100", "30", "5"}, 2, ""},
    };
    for (const auto& [args, code, says] : cases) {
        const Outcome r = kurvenwerk(args);
        EXPECT_EQ(r.exitCode, code) << args.join(' ').left(200).toStdString();
        EXPECT_FALSE(r.err.isEmpty()) << args.join(' ').left(200).toStdString();
        EXPECT_TRUE(r.err.contains(QRegularExpression(says))) << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(bad));
    EXPECT_FALSE(QFile::exists(dir.filePath("x.gif")));

    // Gaps where f is undefined are a warning: the picture is written.
    const Outcome r = kurvenwerk({"--export", bad, "--term", "x^0,5"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.err.contains(QStringLiteral("ungültige Zeichen")));
    EXPECT_TRUE(QFile::exists(bad));
}

// A name that is no UTF-8 text: a message and no file under any name.
TEST(BatchExport, RefusesANameThatIsNoText)
{
    QTemporaryDir dir;
    QProcess shell;
    shell.setWorkingDirectory(dir.path());
    shell.start(QStringLiteral("/bin/sh"),
                {"-c", "\"$0\" --export \"$(printf 'a\\377.png')\"; echo \" $?\"; ls", KURVENWERK_BIN});
    ASSERT_TRUE(shell.waitForFinished(30000));
    EXPECT_EQ(QString::fromUtf8(shell.readAllStandardError()),
              "Ein Argument ist kein gültiger UTF-8-Text; unter einem anderen Namen wird nicht "
              "geschrieben.\n");
    EXPECT_EQ(QString::fromUtf8(shell.readAllStandardOutput()), " 2\n");
}

// Options drawn directly and saved as a drawing, then drawn from the file,
// give the same picture; the file serves the reports too.
TEST(BatchExport, DrawingFilesRoundTrip)
{
    QTemporaryDir dir;
    const QStringList kOptions[] = {
        {"--term", "0,5*x^3-2*x^2-x+4", "--derivative", "1", "--derivative", "3", "--tangent",
         "2", "--inverse", "--shade", "0", "3", "--and", "2x", "--and", "x^2", "--colour", "Blau"},
        {"--term", "x^2+@", "--family", "-2", "5", "0,5", "--section", "-3", "+u", "--from",
         "-5", "--to", "30", "--quality", "20"},
        {"--bridge", "100", "30", "5"},
    };
    for (const QStringList& options : kOptions) {
        SCOPED_TRACE(options.join(' ').toStdString());
        const QString direct = dir.filePath("direkt.png"), opened = dir.filePath("datei.png");
        const QString file = dir.filePath(QString::number(&options - kOptions) + ".kurve");
        const Outcome r = kurvenwerk(QStringList{"--export", direct} + options);
        ASSERT_EQ(r.exitCode, 0);
        EXPECT_EQ(r.err + r.out, "");  // silent on success
        ASSERT_EQ(kurvenwerk(QStringList{"--export", file} + options).exitCode, 0);
        ASSERT_EQ(kurvenwerk({"--export", opened, "--open", file}).exitCode, 0);
        EXPECT_EQ(QImage(opened), QImage(direct));
    }
    const QString file = dir.filePath("0.kurve");
    const Outcome report = kurvenwerk({"--report", "intersections", "--open", file});
    EXPECT_EQ(report.exitCode, 0);
    EXPECT_EQ(report.out, kurvenwerk({"--report", "intersections", "--term", "0,5*x^3-2*x^2-x+4",
                                      "--and", "2x", "--and", "x^2"})
                              .out);

    QFile(dir.filePath("neu.kurve")).open(QIODevice::WriteOnly);
    const std::tuple<QStringList, int, QString> refused[] = {
        {{"--export", dir.filePath("x.png"), "--open", dir.filePath("neu.kurve")}, 1,
         "^Die Datei „neu.kurve\" ist keine Kurvenwerk-Zeichnung.\n$"},
        {{"--report", "zeros", "--open", dir.filePath("fehlt.kurve")}, 1, "fehlt.kurve"},
        {{"--export", dir.filePath("x.png"), "--open", file, "--term", "x"}, 2, "--term"},
    };
    for (const auto& [args, code, says] : refused) {
        const Outcome r = kurvenwerk(args);
        EXPECT_EQ(r.exitCode, code);
        EXPECT_TRUE(r.err.contains(QRegularExpression(says))) << r.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("x.png")));
}

TEST(CommandLine, HelpAndVersion)
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
}

// The worksheet: the discussion's text and the graph on an A4 page.
TEST(BatchExport, DiscussionWorksheetAsPdf)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("blatt.pdf"));
    const Outcome r = kurvenwerk({"--export", pdf, "--term", "0,5x^3-2x^2-x+4", "--discussion"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QImage page = kw::test::pdfPage(pdf);
    ASSERT_FALSE(page.isNull());
    EXPECT_NEAR(double(page.height()) / page.width(), 297.0 / 210, 0.01);  // A4
    // The red graph in the lower part of the page, black text in the upper.
    const int third = page.height() / 3;
    EXPECT_GT(test::redPixels(page.copy(0, third, page.width(), 2 * third)), 200);
    const QRect text(0, 0, page.width(), third);
    EXPECT_GT(test::countPixels(page, text, [](QColor c) { return c.lightness() < 60; }), 2000);
    EXPECT_EQ(kurvenwerk({"--export", dir.filePath("blatt.png"), "--discussion"}).exitCode, 2);
}

// The picture a batch run writes with these switches.
QImage exported(std::vector<std::string> args)
{
    QTemporaryDir dir;
    const std::string file = dir.filePath("bild.png").toStdString();
    args.insert(args.begin(), {"--export", file});
    std::ostringstream err;
    EXPECT_EQ(runBatch(parseCommandLine(args, err).value().exportOptions, err), kBatchOk)
        << err.str();
    return QImage(QString::fromStdString(file)).convertToFormat(QImage::Format_RGB32);
}

// What the windows show after the same clicks and "Zeichnen".
QImage drawn(const char* term, void (*clicks)(Context&, test::RecordingUi&))
{
    test::RecordingUi ui;
    Context c{ui};
    mainPanelLoad(c);
    c.state.main.Eingabe = term;
    clicks(c, ui);
    drawFromPanel(c);
    QImage image;
    renderPlane(c.plane, image);
    return image.convertToFormat(QImage::Format_RGB32);
}

TEST(BatchPicture, DrawsWhatTheWindowsDraw)
{
    const char* term = "0,5*x^3-2*x^2-x+4";
    const QImage batch = exported({"--term", term, "--derivative", "1", "--derivative", "3",
                                   "--derivative", "1", "--tangent", "2", "--inverse"});
    EXPECT_TRUE(batch == drawn(term, [](Context& c, test::RecordingUi&) {
        erste_Ableitung_click(c);
        dritte_Ableitung_click(c);
        tangente_click(c);
        c.state.overlays.x0_eingabe = "2";
        x0Changed(c.state);
        umkehrfunktion_click(c);
    }));

    const QImage section = exported({"--term", "sqr(x)", "--section", "0", "+u"});
    EXPECT_TRUE(section == drawn("sqr(x)", [](Context& c, test::RecordingUi&) {
        ad_funktion_click(c);
        c.state.overlays.Linker_Bereich = "0";
        sectionFromChanged(c.state);
    }));

    EXPECT_TRUE(exported({"--term", "x^2+@", "--family", "-2", "1", "1", "--from", "-10", "--to", "10"}) ==
                drawn("x^2+@", [](Context& c, test::RecordingUi& ui) {
                    ui.answers = {"-2", "1", "1"};
                    c.state.main.x_eingabe = "-10";
                    c.state.main.y_eingabe = "10";
                }));
    EXPECT_TRUE(exported({"--bridge", "100", "30", "5"}) == drawn("", [](Context& c, test::RecordingUi&) {
        BridgeFields r{"100", "30", "5", {}, {}, {}, {}};
        ASSERT_TRUE(Berechne_CMD_Click(c, r));
    }));
}

TEST(BatchPicture, ShadesAndDrawsFurtherFunctionsTheSameEveryTime)
{
    const QImage shaded = exported({"--term", "x^2", "--shade", "3", "0"});
    EXPECT_TRUE(shaded == drawn("x^2", [](Context& c, test::RecordingUi&) {
        AreaFields r;
        r.Funktion_eingabe = "x^2";
        r.Untergrenze_eingabe = "0";
        r.Obergrenze_eingabe = "3";
        Flaeche_einfaerben_click(c, r);
    }));

    const std::vector<std::string> args = {"--term", "x^2", "--colour", "Blau", "--and", "2x",
                                           "--and", "sin(x)"};
    const QImage further = exported(args);
    EXPECT_TRUE(further == exported(args));
    auto pixels = [&further](QRgb colour) {
        return test::countPixels(further, further.rect(), [colour](QColor c) { return c.rgb() == colour; });
    };
    // f keeps its blue; the others take the next colours that are not blue.
    EXPECT_GT(pixels(qRgb(0, 0, 139)), 500);
    EXPECT_GT(pixels(qRgb(0, 139, 0)), 500);
    EXPECT_GT(pixels(qRgb(139, 0, 139)), 500);
}

// Where no curve passes, the top-left corner names f and the further function
// in their colours; without further functions it stays empty.
TEST(BatchPicture, FurtherFunctionsAreNamedInALegend)
{
    for (const bool further : {true, false}) {
        std::vector<std::string> args = {"--term", "x^2", "--colour", "Blau"};
        if (further)
            args.insert(args.end(), {"--and", "2x"});
        const QImage picture = exported(args);
        for (const QRgb colour : {qRgb(0, 0, 139), qRgb(0, 139, 0)})
            EXPECT_EQ(test::countPixels(picture, QRect(0, 0, 200, 36),
                                        [colour](QColor c) { return c.rgb() == colour; }) > 20,
                      further);
    }
}

}  // namespace
