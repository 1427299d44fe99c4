#include "terms/difference_quotient.h"

#include "terms/normalize.h"
#include "terms/numtext.h"

namespace kw {

namespace {
const std::string& hText()
{
    static const std::string h = text(kH);
    return h;
}
}  // namespace

std::string maskExp(std::string_view xterm)
{
    std::string s(xterm);
    replaceAll(s, "exp", "eyp");
    return s;
}

std::string shift(std::string_view term)
{
    std::string s(term);
    replaceAll(s, "x", "*(1x+" + hText() + ")");
    return s;
}

std::string shiftBack(std::string_view term)
{
    std::string s(term);
    replaceAll(s, "x", "*(1x-" + hText() + ")");
    return s;
}

std::string firstQuotient(std::string_view maskedTerm)
{
    std::string q = "(";
    q += shift(maskedTerm);
    q += " - (";
    q += maskedTerm;
    q += ")) /";
    q += hText();
    return q;
}

std::string centralQuotient(std::string_view maskedTerm)
{
    return "((" + shift(maskedTerm) + ")-(" + shiftBack(maskedTerm) + "))/" + text(2 * kH);
}

std::string nextQuotient(std::string_view d)
{
    std::string q = "(";
    q += shift(d);
    q += '-';
    q += d;
    q += ")/";
    q += hText();
    return q;
}

}  // namespace kw
