// Any bytes as a drawing file. What is refused must come with its message;
// what is accepted must come back the same through writing and reading again,
// and be drawn as the windows draw an opened drawing (with Esc held, as in
// redraw_fuzz, so that no input keeps the redraw busy).
#include <QByteArray>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "core/context.h"
#include "gui/drawing_file.h"
#include "scene/redraw.h"

using namespace kw;

namespace {
struct HoldingEsc : Ui {
    bool stopRequested() override { return true; }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const DrawingRead read = parseDrawing(bytes, QStringLiteral("f.kurve"));
    if (!read.drawing) {
        if (read.error.empty())
            std::abort();
        return 0;
    }
    const DrawingRead again = parseDrawing(drawingJson(*read.drawing), QStringLiteral("f.kurve"));
    if (!again.drawing || !(*again.drawing == *read.drawing))
        std::abort();
    HoldingEsc ui;
    Context c(ui);
    setDrawing(c, *read.drawing);
    drawOpened(c);
    return 0;
}
