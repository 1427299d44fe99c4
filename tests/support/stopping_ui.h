#pragma once

#include "support/plane_helpers.h"

namespace kw::test {

// The recording UI stops searches on request; the panel fixture presses their buttons.
using StoppingUi = RecordingUi;
using SearchTest = PanelFixture;

}  // namespace kw::test
