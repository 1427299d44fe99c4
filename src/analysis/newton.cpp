#include "analysis/newton.h"

#include "terms/compiled.h"
#include "terms/difference_quotient.h"
#include "terms/numtext.h"

namespace kw {

namespace {

// Difference quotients arrive with exp masked already; their "**" collapse.
constexpr Substitution::Options kQuotient{.maskExp = false, .collapseStars = true};
constexpr Substitution::Options kValue{.maskExp = true, .collapseStars = false};

}  // namespace

NewtonStep NewtonStep::forZeros(std::string_view xterm)
{
    NewtonStep step;
    enum { value, slope };
    step.terms_ = {Substitution(xterm, kValue), Substitution(firstQuotient(maskExp(xterm)), kQuotient)};
    step.literals_ = {"-((", ")/(", "))"};
    step.order_ = {value, slope};
    return step;
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

}  // namespace kw
