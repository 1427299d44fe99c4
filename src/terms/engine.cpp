#include "terms/engine.h"

#include "terms/grammar.h"

namespace kw {
namespace {

using grammar::isBlank;
using grammar::isLetter;
using grammar::isNameChar;
using grammar::lower;

int evaluateText(std::string_view expression, double& value)
{
    grammar::Arithmetic arithmetic;
    double v = 0.0;
    grammar::Parser parser(expression.data(), expression.data() + expression.size(), arithmetic);
    if (!parser.run(v))
        return err::Syntax;
    if (arithmetic.runtime != err::None)
        return arithmetic.runtime;
    value = v;
    return err::None;
}

bool sameName(std::string_view lowerName, std::string_view name)
{
    if (lowerName.size() != name.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i)
        if (lowerName[i] != lower(name[i]))
            return false;
    return true;
}

}  // namespace

void Engine::bind(std::string_view name, double* target)
{
    for (Binding& b : bindings_) {
        if (sameName(b.name, name)) {
            b.target = target;
            return;
        }
    }
    std::string lowered(name);
    for (char& c : lowered)
        c = lower(c);
    bindings_.push_back({std::move(lowered), target});
}

Engine::Statement Engine::split(std::string_view statement) const
{
    const char* p = statement.data();
    const char* const end = p + statement.size();
    const Statement none{nullptr, {}};

    while (p < end && isBlank(*p))
        ++p;
    if (end - p < 5 || !sameName("form", std::string_view(p, 4)) || p[4] != '.')
        return none;
    p += 5;
    const char* const name = p;
    if (p == end || !isLetter(*p))
        return none;
    while (p < end && isNameChar(*p))
        ++p;
    const std::string_view targetName(name, std::size_t(p - name));
    while (p < end && isBlank(*p))
        ++p;
    if (p == end || *p != '=')
        return none;
    ++p;
    for (const Binding& b : bindings_)
        if (sameName(b.name, targetName))
            return {b.target, std::string_view(p, std::size_t(end - p))};
    return none;
}

int Engine::execute(std::string_view statement)
{
    const Statement s = split(statement);
    double value = 0.0;
    const int error = s.target ? evaluateText(s.expression, value) : err::Syntax;
    return finish(s.target, error, value);
}

int Engine::finish(double* target, int error, double value)
{
    lastError_ = target ? error : err::Syntax;
    if (lastError_ == err::None)
        *target = value;
    return lastError_;
}

int Engine::evaluate(std::string_view expression, double& value)
{
    return evaluateText(expression, value);
}

}  // namespace kw
