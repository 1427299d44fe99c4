// The largest plane and the picture-size fallback with the real allocator, in a
// process whose address space is limited (CTest runs this under ulimit -v
// 1048576): what cannot be had falls back with its message, and the program goes on.

#include <gtest/gtest.h>

#include <fstream>
#include <malloc.h>
#include <sstream>
#include <sys/mman.h>
#include <sys/resource.h>
#include <unistd.h>

#include "app/batch.h"
#include "plane/jpeg_window.h"
#include "plane/picture_size.h"
#include "support/gui_helpers.h"

using namespace kw;
using namespace kw::test;

namespace {

std::size_t addressSpaceLimit()
{
    rlimit limit{};
    getrlimit(RLIMIT_AS, &limit);
    return limit.rlim_cur == RLIM_INFINITY ? 0 : std::size_t(limit.rlim_cur);
}

std::size_t addressSpaceUsed()
{
    std::size_t pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    return pages * std::size_t(sysconf(_SC_PAGESIZE));
}

// Takes all of the address space but `left` bytes while it exists.
struct Crowding {
    std::size_t size = 0;
    void* block = MAP_FAILED;

    explicit Crowding(std::size_t left)
    {
        if (const std::size_t free = addressSpaceLimit() - addressSpaceUsed(); free > left)
            block = mmap(nullptr, size = free - left, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    }
    ~Crowding()
    {
        if (block != MAP_FAILED)
            munmap(block, size);
    }
};

class UnderTheLimit : public DrawnWindow {
protected:
    void SetUp() override
    {
        if (!addressSpaceLimit())
            GTEST_SKIP() << "needs a limited address space (ulimit -v)";
        // One heap for all threads: a painting thread's own heap would keep
        // address space that Crowding cannot see as taken.
        mallopt(M_ARENA_MAX, 1);
        DrawnWindow::SetUp();
    }
};

TEST_F(UnderTheLimit, TheLargestPlaneIsDrawnAndSavedOrSaysItCannotBe)
{
    c.state.overlays.ableitungs_test = c.state.overlays.zweite_ableitungs_test = c.state.overlays.dritte_ableitungs_test = true;
    draw("sin(x/50)*400", "-800", "800");
    ASSERT_EQ(c.plane.width(), Plane::kMaxSide);
    EXPECT_FALSE(w.grab().isNull());

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("ebene.jpg"));
    w.Bild_Speichern_Click();
    w.saveWindow()->setAskFileName([file](QWidget*, const QString&, const QString&) { return file; });
    w.saveWindow()->cmdSaveAsJpg_Click();
    EXPECT_TRUE(QFile::exists(file) || ui.messages == std::vector<std::string>{"Out Of Memory. GDI+ Error:3"});

    // And on it goes.
    ui.messages.clear();
    draw("sin(x/50)*400");
    QFile::remove(file);
    w.saveWindow()->cmdSaveAsJpg_Click();
    EXPECT_TRUE(QFile::exists(file));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(UnderTheLimit, APictureSizeThatCannotBeHadFallsBackWithTheMessage)
{
    {
        const Crowding crowding(20 << 20);  // room for 2100 × 2100, not for 2400 × 2400
        ASSERT_NE(crowding.block, MAP_FAILED);
        w.MenuGroesse_Click(8);
    }
    EXPECT_EQ(ui.messages.at(0), kMemoryReducedMessage);
    EXPECT_TRUE(c.plane.width() > 0 && c.plane.width() < 2400) << c.plane.width();
    EXPECT_TRUE(w.menu().sizeItems[c.plane.width() / kSizeStep - 1]->isChecked());

    ui.messages.clear();
    w.MenuGroesse_Click(8);
    EXPECT_EQ(c.plane.width(), 2400);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(w.grab().isNull());
}

// A picture without windows whose drawing does not fit ends with a message
// and exit status 1, not with an abort.
TEST_F(UnderTheLimit, ABatchPictureTooLargeForMemorySaysSo)
{
    QTemporaryDir dir;
    BatchOptions o;
    o.exportFile = dir.filePath(QStringLiteral("schar.svg")).toStdString();
    o.term = "sin(@*x)+@";
    o.family = ThreeTexts{"0", "199", "1"};  // 200 curves of 32768 samples
    o.from = "-32768";
    o.to = "32767";
    std::ostringstream err;
    int status = 0;
    {
        const Crowding crowding(24 << 20);
        ASSERT_NE(crowding.block, MAP_FAILED);
        status = runBatch(o, err);
    }
    EXPECT_EQ(status, kBatchFailed);
    EXPECT_NE(err.str().find("Zu wenig Speicher"), std::string::npos) << err.str();
    EXPECT_FALSE(QFile::exists(QString::fromStdString(o.exportFile)));
}

}  // namespace
