#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/recording_ui.h"
#include "tools/about.h"
#include "tools/help.h"

namespace kw {
namespace {

namespace fs = std::filesystem;

TEST(HelpText, NineteenLinesJoinedWithCrLf)
{
    const std::string text = hilfeText();
    std::vector<std::string> lines;
    std::size_t begin = 0;
    for (std::size_t at; (at = text.find("\r\n", begin)) != std::string::npos; begin = at + 2)
        lines.push_back(text.substr(begin, at - begin));
    lines.push_back(text.substr(begin));
    ASSERT_EQ(lines.size(), 19u);
    for (const auto& line : lines) {
        EXPECT_EQ(line.find('\n'), std::string::npos);
        EXPECT_EQ(line.find('\r'), std::string::npos);
    }
    // Blanks inside and at the ends are kept as written.
    EXPECT_EQ(lines[0], "Die Funktionsterme können weitgehend nach den normalen "
                        "Schreibgewohnheiten angegeben werden.");
    EXPECT_EQ(lines[1], "* Die vereinfachte Multiplikationsschreibweise (ohne Punkt, z.B.: "
                        "2x+1  oder (x-2)(4+2x)) wird verstanden. ");
    EXPECT_EQ(lines[9], "Weitere Operatoren:");
    EXPECT_EQ(lines[15], "* sin: Sinus* ");
    EXPECT_EQ(lines[18], " *) Die trigonometrischen Funktionen verwenden nicht das Gradsystem, "
                         "sondern das Bogenmaßsystem, wobei 360°=2pi ist.");
}

// A folder of its own with stand-in programs.
class SysInfoTest : public ::testing::Test {
protected:
    fs::path dir;
    test::RecordingUi ui;

    void SetUp() override
    {
        dir = fs::temp_directory_path() /
              ("kw_sysinfo_" + std::to_string(::getpid()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir / "a");
        fs::create_directories(dir / "b");
    }
    void TearDown() override { fs::remove_all(dir); }

    fs::path program(const fs::path& file, bool executable = true)
    {
        std::ofstream(file) << "#!/bin/sh\n";
        fs::permissions(file, executable ? fs::perms::owner_all : fs::perms::owner_read);
        return file;
    }
    std::string path(std::initializer_list<fs::path> folders)
    {
        std::string p;
        for (const auto& f : folders)
            p += (p.empty() ? "" : ":") + f.string();
        return p;
    }
};

TEST_F(SysInfoTest, FindsTheFirstViewerThatCanRun)
{
    EXPECT_EQ(findSysInfoViewer(path({dir / "a", dir / "b"})), std::nullopt);
    EXPECT_EQ(findSysInfoViewer(""), std::nullopt);

    program(dir / "a" / "gnome-system-monitor");
    EXPECT_EQ(findSysInfoViewer(path({dir / "a", dir / "b"})),
              (dir / "a" / "gnome-system-monitor").string());

    // A better viewer wins wherever it is; one that cannot run does not count.
    program(dir / "b" / "hardinfo");
    program(dir / "a" / "kinfocenter", false);
    fs::create_directories(dir / "a" / "hardinfo2");  // a folder of that name is no program
    EXPECT_EQ(findSysInfoViewer(path({dir / "a", dir / "b"})), (dir / "b" / "hardinfo").string());
    // Folders may end with a slash.
    EXPECT_EQ(findSysInfoViewer((dir / "b").string() + "/"), (dir / "b" / "hardinfo").string());
}

TEST_F(SysInfoTest, RelativeFoldersAreNotSearched)
{
    program(dir / "a" / "kinfocenter");
    const fs::path old = fs::current_path();
    fs::current_path(dir / "a");
    EXPECT_EQ(findSysInfoViewer(":.:a"), std::nullopt);
    fs::current_path(old);
}

TEST_F(SysInfoTest, StartsTheViewerOrShowsTheMessage)
{
    std::vector<std::string> started;
    auto start = [&](const std::string& p) {
        started.push_back(p);
        return true;
    };
    StartSysInfo(ui, path({dir / "a"}), start);
    EXPECT_TRUE(started.empty());
    ASSERT_EQ(ui.messages, std::vector<std::string>{std::string(kSysInfoFehlt)});
    EXPECT_EQ(ui.titles[0], kTitle);

    program(dir / "a" / "hardinfo");
    StartSysInfo(ui, path({dir / "a"}), start);
    EXPECT_EQ(started, std::vector<std::string>{(dir / "a" / "hardinfo").string()});
    EXPECT_EQ(ui.messages.size(), 1u);

    // Found but failed to start: the same message.
    StartSysInfo(ui, path({dir / "a"}), [](const std::string&) { return false; });
    EXPECT_EQ(ui.messages.size(), 2u);
}

}  // namespace
}  // namespace kw
