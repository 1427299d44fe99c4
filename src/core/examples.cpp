#include "core/examples.h"

#include <random>

#include "core/context.h"

namespace kw {

void zufall(Context& c)
{
    std::uniform_int_distribution<std::size_t> pick(0, kBeispiele.size() - 1);
    c.s.Eingabe = kBeispiele[pick(c.random)];
    c.ui.fieldsChanged();
}

}  // namespace kw
