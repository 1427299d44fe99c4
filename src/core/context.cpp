#include "core/context.h"

#include <chrono>

namespace kw {

Context::Context(Ui& ui_)
    : ui(ui_),
      random(static_cast<std::mt19937::result_type>(
          std::chrono::steady_clock::now().time_since_epoch().count()))
{
    // The variables statements may assign to ("Form.<name> = …").
    struct {
        const char* name;
        double* target;
    } const targets[] = {
        {"Zahl", &s.Zahl},
        {"Zahl2", &s.Zahl2},
        {"Zahl3", &s.Zahl3},
        {"Zahl4", &s.Zahl4},
        {"zahl5", &s.zahl5},
        {"zahl6", &s.zahl6},
        {"zahl7", &s.zahl7},
        {"Zahl8", &s.Zahl8},
        {"zahl9", &s.zahl9},
        {"zahl11", &s.zahl11},
        {"Umkehrfunktionswert", &s.Umkehrfunktionswert},
        {"untersumme", &s.untersumme},
        {"obersumme", &s.obersumme},
    };
    for (auto [name, target] : targets)
        engine.bind(name, target);
    ebene.resize(w.sizex, w.sizey);
}

}  // namespace kw
