#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "terms/engine.h"

namespace kw {

// A number as a statement holds it: written as its text (15 significant digits)
// and read back by the engine. A text that reads beyond the double range gives
// an overflow; a number without a text (NaN, Inf) makes the statement a syntax error.
struct Written {
    double value = 0;
    int error = err::None;
};
Written written(double v);

// What evaluating a statement gave: an error number, or the value.
struct Outcome {
    int error = err::None;
    double value = 0;  // only when error is None
    explicit operator bool() const { return error == err::None; }
};

// Where number i goes into a statement pattern (see Compiled).
constexpr char mark(int i) { return char(1 + i); }

// Whether every mark of a pattern reads as the whole number written in its
// place; where not, only the text with the numbers in tells what it means.
bool marksFit(std::string_view pattern);

// Statements compiled once and evaluated at many numbers, with the very value
// and error number the engine gives for their text. A statement is given as a
// pattern: its text with mark(i) wherever number i is to be written. The
// engine's own grammar reads the pattern and writes its operations, in the
// order the engine would do them, into one instruction list for all the
// statements; an operation that occurs several times on the same inputs (f at
// x + h in every copy of f(x + h)) runs once.
//
// A pattern whose marks would not read as whole numbers once the texts are in
// (a digit right behind a mark, say) is evaluated through its text instead.
//
// Copies share the instructions but not their working space: each thread
// evaluates its own copy.
class Compiled {
public:
    Compiled() = default;
    // fromText: every statement is evaluated through its text (the reference).
    explicit Compiled(std::vector<std::string> patterns, bool fromText = false);

    std::size_t size() const;

    // How many operations one evaluation of all statements runs.
    std::size_t operations() const;

    // Every statement, with numbers[i] in place of mark i.
    void evaluate(std::span<const double> numbers, std::span<Outcome> outcomes);

    // The first statement with x in place of mark 0.
    Outcome evaluate(double x);

    // The text of statement s with the numbers in place of the marks: what the
    // engine would read.
    std::string text(std::size_t s, std::span<const double> numbers) const;

    struct Program;

private:
    std::shared_ptr<const Program> program_;
    // The numbers written last, per mark: a search puts the same step or the
    // same x into many evaluations one after the other.
    static constexpr int kKeptMarks = 8;
    std::uint64_t lastBits_[kKeptMarks] = {};
    Written lastWritten_[kKeptMarks] = {};
    std::uint32_t lastKnown_ = 0;  // bit i: mark i was written before
    std::vector<double> registers_;
    std::vector<std::pair<std::uint32_t, int>> raised_;  // instruction, error
};

// A statement "Form.<name> =" + expression, compiled once and executed like
// Engine::execute: on success the bound variable receives the value, and the
// engine keeps the error number. Whether it is compiled or goes to the engine
// as text is the engine's choice (Engine::compiles).
class CompiledStatement {
public:
    // pattern: the expression with mark(0) where x goes.
    CompiledStatement(Engine& engine, std::string_view prefix, const std::string& pattern);

    // The statement at x; the error number (0 = success).
    int execute(double x);

private:
    Engine& engine_;
    Engine::Statement target_;
    Compiled compiled_;
};

}  // namespace kw
