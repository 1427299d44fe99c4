#pragma once

#include "core/request.h"

namespace kw {

class Context;

// Reads the main panel's term, range, quality and colour into one request
// (counted in Context::reads).
DrawRequest readRequest(Context& c);

}  // namespace kw
