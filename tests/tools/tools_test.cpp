#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "core/context.h"
#include "support/recording_ui.h"
#include "tools/about.h"
#include "tools/calculator.h"

namespace kw {
namespace {

namespace fs = std::filesystem;

class CalculatorTest : public ::testing::Test {
protected:
    test::RecordingUi ui;
    Context c{ui};
    CalculatorFields t;

    void press(std::initializer_list<std::string_view> names)
    {
        for (auto name : names) {
            const CalculatorKey* key = calculatorKey(name);
            ASSERT_NE(key, nullptr) << name;
            pressKey(t, *key);
        }
    }
};

// Keys append engine syntax; the input reaches the engine as typed, and the
// result comes in German notation.
TEST_F(CalculatorTest, KeysAndTypedInputGiveResults)
{
    press({"Button_wurzel", "eula_button", "Button_Klammer_rechts", "Button_exponent", "Button_2",
           "Button_Mal", "button_cos", "Button_0", "Button_Klammer_rechts"});
    const std::pair<std::string, const char*> cases[] = {
        {t.Eingabe, "2,71828182845904"},
        {"1/100000", "1E-05"},
        {"sin(90)", "0,893996663600558"},  // radians: not 1
        {"  2 * SIN( 0 ) + 2^10 ", "1024"},
    };
    EXPECT_EQ(cases[0].first, "sqr(2.71828182845904)^2*cos(0)");
    for (const auto& [input, result] : cases) {
        t.Eingabe = input;
        EXPECT_TRUE(Command1_Click(c, t)) << input;
        EXPECT_EQ(t.Ergebnis, result) << input;
        EXPECT_EQ(t.Eingabe, input);  // kept for the next step
    }
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(CalculatorTest, EveryErrorGivesTheOneMessageAndKeepsTheResult)
{
    t.Eingabe = "3*3";
    ASSERT_TRUE(Command1_Click(c, t));
    // No decimal comma and no implicit multiplication as in the main term; a
    // second statement must not reach another variable.
    for (const char* input : {"2,5*2", "", "1/0", "sqr(-1)", "sin(", "2(3)", "1 : Form.Zahl = 5"}) {
        ui.messages.clear();
        t.Eingabe = input;
        EXPECT_FALSE(Command1_Click(c, t)) << input;
        EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(kInputErrorMessage)}) << input;
        EXPECT_EQ(t.Ergebnis, "9") << input;
    }
    EXPECT_EQ(c.state.results.Zahl, 0.0);
    EXPECT_EQ(ui.titles.back(), kTitle);
    EXPECT_EQ(c.engine.lastError(), 0);  // the next caller starts clean
}

TEST(SysInfo, FindsTheFirstViewerThatCanRunInAnAbsoluteFolder)
{
    const fs::path dir = fs::temp_directory_path() / ("kw_sysinfo_" + std::to_string(::getpid()));
    fs::create_directories(dir / "a");
    fs::create_directories(dir / "b");
    const std::string ab = (dir / "a").string() + ":" + (dir / "b").string();
    auto program = [](const fs::path& file, fs::perms perms = fs::perms::owner_all) {
        std::ofstream(file) << "#!/bin/sh\n";
        fs::permissions(file, perms);
        return file.string();
    };
    EXPECT_EQ(findSysInfoViewer(ab), std::nullopt);
    const std::string monitor = program(dir / "a" / "gnome-system-monitor");
    EXPECT_EQ(findSysInfoViewer(ab), monitor);
    // A better viewer wins wherever it is; one that cannot run does not count,
    // nor does a folder of a viewer's name.
    const std::string hardinfo = program(dir / "b" / "hardinfo");
    program(dir / "a" / "kinfocenter", fs::perms::owner_read);
    fs::create_directories(dir / "a" / "hardinfo2");
    EXPECT_EQ(findSysInfoViewer(ab), hardinfo);
    EXPECT_EQ(findSysInfoViewer((dir / "b").string() + "/"), hardinfo);

    // Empty and relative entries would run whatever lies in the current folder.
    const fs::path old = fs::current_path();
    fs::current_path(dir / "b");
    EXPECT_EQ(findSysInfoViewer(":.:b"), std::nullopt);
    fs::current_path(old);

    // Found but failed to start: the message that there is none.
    test::RecordingUi ui;
    StartSysInfo(ui, ab, [](const std::string&) { return false; });
    EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(kSysInfoFehlt)});
    fs::remove_all(dir);
}

}  // namespace
}  // namespace kw
