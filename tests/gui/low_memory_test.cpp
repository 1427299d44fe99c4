// Running out of memory while drawing in the windows, with the allocator made
// to refuse every request of at least a chosen size: a redraw whose display
// list cannot grow and a paint whose picture cannot be made both end in the
// picture size's way down, never in an abort.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "app/application.h"
#include "plane/picture_size.h"
#include "support/gui_helpers.h"

static std::atomic<std::size_t> refuseFrom{0};  // 0: nothing is refused

void* operator new(std::size_t n)
{
    const std::size_t limit = refuseFrom.load(std::memory_order_relaxed);
    if (limit && n >= limit)
        throw std::bad_alloc();
    if (void* p = std::malloc(n ? n : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

using namespace kw;
using namespace kw::test;

namespace {

// The allocator refuses large requests while this exists.
struct Refusing {
    explicit Refusing(std::size_t from) { refuseFrom = from; }
    ~Refusing() { refuseFrom = 0; }
};

// "sin(x)" from -r to r at quality 500: "Zeichnen" clicked.
void drawSine(App& app, int r)
{
    child<QComboBox>(&app.mainPanel(), "Eingabe")->setCurrentText(QStringLiteral("sin(x)"));
    child<QLineEdit>(&app.mainPanel(), "x_eingabe")->setText(QString::number(-r));
    child<QLineEdit>(&app.mainPanel(), "y_eingabe")->setText(QString::number(r));
    child<QLineEdit>(&app.mainPanel(), "qualitaet_eingabe")->setText(QStringLiteral("500"));
    click(&app.mainPanel(), "Zeichnen_button");
}

using LowMemory = RunningApp;

// Where the memory runs out: in the redraw ("Zeichnen", whose display list
// grows) or in painting the plane's picture afterwards. A plane of 2400
// pixels comes back at 2100, drawn again; one of 300 ends the program.
TEST_F(LowMemory, ADrawingOrPictureTooLargeComesBackSmallerOrEndsTheProgram)
{
    const struct {
        bool inPaint;
        int range;
        std::size_t refused;  // requests from this size fail
        std::string_view message;
        int side;  // after the way down; 0: the program ended
    } cases[] = {
        {false, 40, 16 << 10, kMemoryReducedMessage, 2100},
        {true, 40, 16 << 10, kMemoryReducedMessage, 2100},
        {false, 5, 1 << 10, kMemoryEndMessage, 0},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(std::string(k.inPaint ? "painting " : "drawing ") + std::to_string(k.range));
        ui.messages.clear();
        app.drawingWindow().show();
        if (k.inPaint)
            drawSine(app, k.range);
        {
            const Refusing refusing(k.refused);
            PlaneWidget& plane = *app.drawingWindow().plane();
            if (k.inPaint) {
                plane.refresh();
                plane.repaint();
            } else {
                drawSine(app, k.range);
            }
        }
        settleLayouts();
        EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(k.message)});
        if (k.side) {
            EXPECT_EQ(app.context().plane.width(), k.side);
            EXPECT_TRUE(app.drawingWindow().menu().sizeItems[k.side / kSizeStep - 1]->isChecked());
            EXPECT_GT(app.context().plane.runs().size(), 0u);  // drawn again
        } else {
            EXPECT_FALSE(app.drawingWindow().isVisible());
        }
    }
}

}  // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
