#include "analysis/newton.h"

#include "analysis/grid_search.h"
#include "terms/difference_quotient.h"
#include "terms/engine.h"
#include "terms/normalize.h"
#include "terms/numtext.h"

namespace kw {

namespace {

// Difference quotients arrive with exp masked already; their "**" collapse.
constexpr Substitution::Options kQuotient{.maskExp = false, .collapseStars = true};
constexpr Substitution::Options kValue{.maskExp = true, .collapseStars = false};

// The masked term with every "x" moved by -h: the term of f(x-h).
std::string shiftBack(std::string_view masked)
{
    std::string s(masked);
    replaceAll(s, "x", "*(1x-" + text(kH) + ")");
    return s;
}

std::optional<double> evaluated(const std::string& statement)
{
    double v = 0;
    if (Engine::evaluate(statement, v) != err::None)
        return std::nullopt;
    return v;
}

}  // namespace

std::optional<double> valueAt(const Substitution& term, double x, std::string& buffer)
{
    buffer.clear();
    term.appendTo(buffer, x);
    return evaluated(buffer);
}

NewtonStep NewtonStep::forZeros(std::string_view xterm)
{
    NewtonStep step;
    enum { value, slope };
    step.terms_ = {Substitution(xterm, kValue), Substitution(firstQuotient(maskExp(xterm)), kQuotient)};
    step.literals_ = {"-((", ")/(", "))"};
    step.order_ = {value, slope};
    return step;
}

NewtonStep NewtonStep::forExtrema(std::string_view xterm)
{
    NewtonStep step;
    const std::string masked = maskExp(xterm);
    enum { plus, minus, value };
    step.terms_ = {Substitution(shift(masked), kQuotient), Substitution(shiftBack(masked), kQuotient),
                   Substitution(xterm, kValue)};
    step.literals_ = {"-0.5*" + engineText(kH) + "*(((", ")-(", "))/((", ")-2*(", ")+(", ")))"};
    step.order_ = {plus, minus, minus, value, plus};
    return step;
}

std::optional<double> NewtonStep::at(double at)
{
    buffer_.assign(engineText(at));
    for (std::size_t i = 0; i < order_.size(); ++i) {
        buffer_ += literals_[i];
        terms_[order_[i]].appendTo(buffer_, at);
    }
    buffer_ += literals_.back();
    auto v = evaluated(buffer_);
    if (v)
        *v = round2(*v);
    return v;
}

std::optional<double> NewtonStep::fromValues(double x, double a, double b, std::string& buffer)
{
    buffer.assign(engineText(x));
    buffer += "-((";
    buffer += engineText(a);
    buffer += ")/";
    buffer += engineText(b);
    buffer += ')';
    auto v = evaluated(buffer);
    if (v)
        *v = round2(*v);
    return v;
}

}  // namespace kw
