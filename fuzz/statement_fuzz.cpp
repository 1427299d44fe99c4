// A raw statement, as the pocket calculator hands its input over, executed
// against the program's own variables.
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "core/context.h"

using namespace kw;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Ui ui;
    static Context c(ui);
    double before[std::size(kTargets)];
    for (std::size_t i = 0; i < std::size(kTargets); ++i)
        before[i] = c.state.results.*kTargets[i].variable;

    const int error =
        c.engine.execute(std::string_view(reinterpret_cast<const char*>(data), size));

    // A failure changes nothing; a success puts a finite number into at most one variable.
    int changed = 0;
    for (std::size_t i = 0; i < std::size(kTargets); ++i) {
        const double now = c.state.results.*kTargets[i].variable;
        if (now != before[i] || std::signbit(now) != std::signbit(before[i])) {
            if (error != err::None || !std::isfinite(now))
                __builtin_trap();
            ++changed;
        }
    }
    if (changed > 1 || c.engine.lastError() != error)
        __builtin_trap();
    return 0;
}
