#include "core/examples.h"

#include <random>

#include "core/context.h"

namespace kw {

void randomExample(Context& c)
{
    std::uniform_int_distribution<std::size_t> pick(0, kExamples.size() - 1);
    c.state.main.Eingabe = kExamples[pick(c.random)];
    c.ui.fieldsChanged();
}

}  // namespace kw
