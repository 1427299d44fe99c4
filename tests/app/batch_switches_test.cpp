#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "analysis/derivatives.h"
#include "analysis/inverse.h"
#include "analysis/tangent.h"
#include "app/batch.h"
#include "app/options.h"
#include "curves/piecewise.h"
#include "gui/render.h"
#include "panel/analysis_panel.h"
#include "support/gui_helpers.h"
#include "tools/area_calculator.h"

using namespace kw;

namespace {

// A good set of switches is read right when its picture matches the windows' below.
TEST(BatchOptions, RefusesUnusableAnalysisSwitches)
{
    std::ostringstream why;
    EXPECT_FALSE(parseCommandLine({"--export", "a.png", "--derivative", "4"}, why));
    EXPECT_FALSE(parseCommandLine({"--export", "a.png", "--section", "+u", "3"}, why));
    EXPECT_EQ(std::ranges::count(why.str(), '\n'), 2) << why.str();  // one message each
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
QImage drawn(const char* term, void (*clicks)(Context&))
{
    test::RecordingUi ui;
    Context c{ui};
    mainPanelLoad(c);
    c.state.main.Eingabe = term;
    clicks(c);
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
    EXPECT_TRUE(batch == drawn(term, [](Context& c) {
        erste_Ableitung_click(c);
        dritte_Ableitung_click(c);
        tangente_click(c);
        c.state.overlays.x0_eingabe = "2";
        x0Changed(c.state);
        umkehrfunktion_click(c);
    }));

    const QImage section = exported({"--term", "sqr(x)", "--section", "0", "+u"});
    EXPECT_TRUE(section == drawn("sqr(x)", [](Context& c) {
        ad_funktion_click(c);
        c.state.overlays.Linker_Bereich = "0";
        sectionFromChanged(c.state);
    }));
}

TEST(BatchPicture, ShadesAndDrawsFurtherFunctionsTheSameEveryTime)
{
    const QImage shaded = exported({"--term", "x^2", "--shade", "3", "0"});
    EXPECT_TRUE(shaded == drawn("x^2", [](Context& c) {
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

}  // namespace

namespace {

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
