#pragma once

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "core/colours.h"
#include "core/pacer.h"
#include "core/plane.h"
#include "core/state.h"
#include "core/ui.h"
#include "terms/engine.h"

namespace kw {

// What the last graph pass left for the curves after it (transient).
struct Drawing {
    std::string xterm;            // the normalized term of f
    std::string term;             // the last expression handed to the engine by a curve
    std::optional<Rgb> Graph_Farbe;  // colour of the graph; none until the first pass
    bool noArea = false;             // the area calculator found no area between its bounds:
                                     // nothing to shade
    bool termRefused = false;     // the last graph pass refused the term: not in the right form,
                                  // too long, or a family without usable answers to its questions
    bool legendShown = true;      // several functions drawn are named in a legend
    int legendLines = 0;          // lines of the legend on this picture so far
    int legendAhead = 0;          // lines that functions drawn after the graph will add (--and)
    // The members the last family pass drew: the value and the plane's runs
    // [firstRun, endRun) of each.
    struct Member {
        double value;
        std::uint32_t firstRun, endRun;
    };
    std::vector<Member> familyDrawn;
    std::uint32_t colourSeed = 0; // the calculators' functions are drawn in colours of this seed
};

// How often the main panel's range and term were read and normalized: a
// redraw reads them once, into its request.
struct FieldReads {
    int ranges = 0;
    int normalizations = 0;
};

// The variables statements may assign to ("Form.<name> = …").
struct Target {
    std::string_view name;
    double EngineResults::*variable;
};
inline constexpr Target kTargets[] = {
    {"Zahl", &EngineResults::Zahl},
    {"Zahl2", &EngineResults::Zahl2},
    {"Zahl3", &EngineResults::Zahl3},
    {"Zahl4", &EngineResults::Zahl4},
    {"zahl5", &EngineResults::zahl5},
    {"zahl6", &EngineResults::zahl6},
    {"zahl7", &EngineResults::zahl7},
    {"Zahl8", &EngineResults::Zahl8},
    {"zahl9", &EngineResults::zahl9},
    {"zahl11", &EngineResults::zahl11},
    {"Umkehrfunktionswert", &EngineResults::Umkehrfunktionswert},
    {"untersumme", &EngineResults::untersumme},
    {"obersumme", &EngineResults::obersumme},
};

// Everything a procedure works on: the shared state, the engine bound to its
// Double variables, the drawing window's variables and plane, the UI and the
// pacer that keeps long redraws answerable. Procedures take it by reference;
// there is no other shared store.
class Context {
public:
    explicit Context(Ui& ui);
    Context(const Context&) = delete;
    Context& operator=(const Context&) = delete;

    State state;
    Engine engine;
    Drawing drawing;
    FieldReads reads;
    Plane plane;
    Ui& ui;
    std::mt19937 random;
    Pacer pacer;
};

}  // namespace kw
