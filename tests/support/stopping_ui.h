#pragma once

#include "support/recording_ui.h"

namespace kw::test {

// Records like RecordingUi and asks a search to stop once it has asked
// `stopAfter` times whether to stop (never when negative).
class StoppingUi : public RecordingUi {
public:
    int stopAfter = -1;
    int asked = 0;
    int started = 0, ended = 0;

    void searchStarted() override { ++started; }
    void searchEnded() override { ++ended; }
    bool stopRequested() override { return stopAfter >= 0 && ++asked > stopAfter; }
};

}  // namespace kw::test
