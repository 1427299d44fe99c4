#include "analysis/newton.h"

#include "analysis/grid_search.h"
#include "terms/difference_quotient.h"
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

}  // namespace

NewtonStep NewtonStep::forZeros(std::string_view xterm, bool fromText)
{
    NewtonStep step;
    step.fromText_ = fromText;
    enum { value, slope };
    step.terms_ = {Substitution(xterm, kValue), Substitution(firstQuotient(maskExp(xterm)), kQuotient)};
    step.literals_ = {"-((", ")/(", "))"};
    step.order_ = {value, slope};
    return step;
}

NewtonStep NewtonStep::forExtrema(std::string_view xterm, bool fromText)
{
    NewtonStep step;
    step.fromText_ = fromText;
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
    if (!compiled_.size())
        compiled_ = Compiled({pattern()}, fromText_);
    const Outcome o = compiled_.evaluate(at);
    if (!o)
        return std::nullopt;
    return round2(o.value);
}

std::string NewtonStep::statement(double at) const
{
    std::string s = engineText(at);
    for (std::size_t i = 0; i < order_.size(); ++i) {
        s += literals_[i];
        terms_[order_[i]].appendTo(s, at);
    }
    return s + literals_.back();
}

std::string NewtonStep::pattern() const
{
    std::string s(1, mark(0));
    for (std::size_t i = 0; i < order_.size(); ++i)
        s += literals_[i] + terms_[order_[i]].pattern();
    return s + literals_.back();
}

std::string NewtonStep::quotientPattern()
{
    return std::string{mark(0), '-', '(', '(', mark(1), ')', '/', mark(2), ')'};
}

}  // namespace kw
