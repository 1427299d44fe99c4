#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <sstream>

#include "analysis/derivatives.h"
#include "analysis/inverse.h"
#include "analysis/tangent.h"
#include "app/batch.h"
#include "panel/analysis_panel.h"
#include "panel/context.h"
#include "panel/main_panel.h"
#include "plane/render.h"
#include "special/piecewise.h"
#include "support/recording_ui.h"

using namespace kw;

namespace {

std::optional<BatchOptions> parse(std::vector<std::string> args, std::string* error = nullptr)
{
    std::ostringstream err;
    auto o = parseBatch(args, err);
    if (error)
        *error = err.str();
    return o;
}

TEST(BatchOptions, AnalysisSwitches)
{
    auto o = parse({"--export", "a.png", "--derivative", "1", "--inverse", "--derivative", "3",
                    "--tangent", "-0,5", "--section", "-u", "4"});
    ASSERT_TRUE(o);
    EXPECT_EQ(o->derivatives, (std::vector<int>{1, 3}));
    EXPECT_TRUE(o->inverse);
    EXPECT_EQ(o->tangent, "-0,5");
    EXPECT_EQ(o->section, (std::pair<std::string, std::string>{"-u", "4"}));

    o = parse({"--export", "a.png"});
    ASSERT_TRUE(o);
    EXPECT_TRUE(o->derivatives.empty());
    EXPECT_FALSE(o->inverse || o->tangent || o->section);

    std::string error;
    const std::vector<std::string> bad[] = {
        {"--export", "a.png", "--derivative", "4"},
        {"--export", "a.png", "--derivative"},
        {"--export", "a.png", "--tangent", "eins"},
        {"--export", "a.png", "--section", "0"},
        {"--export", "a.png", "--section", "+u", "3"},
        {"--export", "a.png", "--section", "0", "bis"},
        {"--export", "a.png", "--inverse", "ja"},
    };
    for (const auto& args : bad) {
        EXPECT_FALSE(parse(args, &error)) << args[2];
        EXPECT_FALSE(error.empty());
    }
}

class BatchPicture : public ::testing::Test {
protected:
    QTemporaryDir dir;

    QImage exported(std::vector<std::string> args)
    {
        const std::string file = QDir(dir.path()).filePath("bild.png").toStdString();
        args.insert(args.begin(), {"--export", file});
        std::ostringstream err;
        auto o = parseBatch(args, err);
        EXPECT_TRUE(o) << err.str();
        EXPECT_EQ(runBatch(*o, err), kBatchOk) << err.str();
        return QImage(QString::fromStdString(file)).convertToFormat(QImage::Format_RGB32);
    }

    // What the windows show after the same clicks and "Zeichnen".
    static QImage drawn(const std::function<void(Context&)>& clicks, const char* term)
    {
        test::RecordingUi ui;
        Context c{ui};
        mainPanelLoad(c);
        c.s.Eingabe = term;
        clicks(c);
        zeichnen(c);
        QImage image;
        renderPlane(c.ebene, image);
        return image.convertToFormat(QImage::Format_RGB32);
    }
};

TEST_F(BatchPicture, DrawsWhatTheWindowsDraw)
{
    const QImage batch = exported({"--term", "0,5*x^3-2*x^2-x+4", "--derivative", "1",
                                   "--derivative", "3", "--derivative", "1", "--tangent", "2",
                                   "--inverse"});
    const QImage window = drawn(
        [](Context& c) {
            erste_Ableitung_click(c);
            dritte_Ableitung_click(c);
            tangente_click(c);
            c.s.x0_eingabe = "2";
            x0Geaendert(c.s);
            umkehrfunktion_click(c);
        },
        "0,5*x^3-2*x^2-x+4");
    EXPECT_TRUE(batch == window);
    const QImage plain = drawn([](Context&) {}, "0,5*x^3-2*x^2-x+4");
    EXPECT_FALSE(batch == plain);
}

TEST_F(BatchPicture, DrawsASection)
{
    const QImage batch = exported({"--term", "sqr(x)", "--section", "0", "+u"});
    const QImage window = drawn(
        [](Context& c) {
            ad_funktion_click(c);
            c.s.Linker_Bereich = "0";
            linkerBereichGeaendert(c.s);
        },
        "sqr(x)");
    EXPECT_TRUE(batch == window);
    EXPECT_FALSE(batch == drawn([](Context&) {}, "sqr(x)"));
}

}  // namespace
