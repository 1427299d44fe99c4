#pragma once

// The recording Qt UI lives with the other widget helpers.
#include "support/gui_helpers.h"
