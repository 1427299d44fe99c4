#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace kw {

// Error numbers the engine reports; callers test them by value.
namespace err {
inline constexpr int None = 0;
inline constexpr int InvalidArgument = 5;   // sqr(-1), log(0), (-8)^0.5, any NaN
inline constexpr int Overflow = 6;          // a finite statement with an infinite result
inline constexpr int DivisionByZero = 11;   // x/0, 0/0, 0^-1
inline constexpr int Syntax = 1002;         // does not parse, unknown name, unknown target
}  // namespace err

// Evaluates assignment statements "Form.<name> = <expression>" straight from the
// text, in one pass and without allocating. The targets are Double variables bound
// by name (matched without regard to case). The engine holds no global state:
// several engines may run side by side on different threads.
class Engine {
public:
    // Binds a target variable. The pointer must stay valid while the engine is used.
    void bind(std::string_view name, double* target);

    // Executes one statement. On success the bound variable receives the value;
    // on failure it is left unchanged. Returns the error number (0 = success) and
    // keeps it readable through lastError() until clearError() or the next call.
    int execute(std::string_view statement);

    // A statement split at its "=": the bound variable it assigns (nullptr when
    // the start names none, a syntax error) and the expression behind it.
    struct Statement {
        double* target;
        std::string_view expression;
    };
    Statement split(std::string_view statement) const;

    // Ends a statement whose expression was evaluated elsewhere (compiled) the
    // way execute() ends it: assigns on success and keeps the error number.
    int finish(double* target, int error, double value);

    // Whether the curves compile their statements (the default) or hand the
    // engine each statement's text: the reference, for comparisons.
    bool compiles() const { return compiles_; }
    void setCompiles(bool on) { compiles_ = on; }

    int lastError() const { return lastError_; }
    void clearError() { lastError_ = err::None; }

    // Evaluates a bare expression. Returns the error number; value is written
    // only on success.
    static int evaluate(std::string_view expression, double& value);

private:
    struct Binding {
        std::string name;
        double* target;
    };
    std::vector<Binding> bindings_;
    int lastError_ = err::None;
    bool compiles_ = true;
};

}  // namespace kw
