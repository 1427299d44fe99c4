#pragma once

#include <random>
#include <string>
#include <string_view>

#include "core/pacer.h"
#include "core/plane.h"
#include "core/state.h"
#include "core/ui.h"
#include "terms/engine.h"

namespace kw {

// Variables of the drawing window that the drawing procedures share.
struct Drawing {
    int sizex = 1200;             // plane width and height in pixels as last decided
    int sizey = 1200;
    std::string xterm;            // the normalized term of f
    std::string term;             // the last expression handed to the engine by a curve
    std::string Graph_Farbe;      // colour of the graph as decimal text; empty until the first pass
    double Zoom_Prozent = 100;    // zoom percentage last shown
    bool termRefused = false;     // the last graph pass refused the term: not in the right form,
                                  // too long, or a family without usable answers to its questions
};

// The variables statements may assign to ("Form.<name> = …").
struct Target {
    std::string_view name;
    double State::*variable;
};
inline constexpr Target kTargets[] = {
    {"Zahl", &State::Zahl},
    {"Zahl2", &State::Zahl2},
    {"Zahl3", &State::Zahl3},
    {"Zahl4", &State::Zahl4},
    {"zahl5", &State::zahl5},
    {"zahl6", &State::zahl6},
    {"zahl7", &State::zahl7},
    {"Zahl8", &State::Zahl8},
    {"zahl9", &State::zahl9},
    {"zahl11", &State::zahl11},
    {"Umkehrfunktionswert", &State::Umkehrfunktionswert},
    {"untersumme", &State::untersumme},
    {"obersumme", &State::obersumme},
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
    Plane plane;
    Ui& ui;
    std::mt19937 random;
    Pacer pacer;
};

}  // namespace kw
