#include "core/context.h"

#include <chrono>

namespace kw {

Context::Context(Ui& ui_)
    : ui(ui_),
      random(static_cast<std::mt19937::result_type>(
          std::chrono::steady_clock::now().time_since_epoch().count())),
      pacer(&ui_)
{
    for (auto [name, variable] : kTargets)
        engine.bind(name, &(state.results.*variable));
    plane.resize(state.picture.sizex, state.picture.sizey);
}

}  // namespace kw
