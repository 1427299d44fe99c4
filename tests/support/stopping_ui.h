#pragma once

#include <gtest/gtest.h>

#include <string>

#include "core/context.h"
#include "panel/main_panel.h"
#include "support/recording_ui.h"

namespace kw::test {

// Records like RecordingUi and asks a search to stop once it has asked
// `stopAfter` times whether to stop (never when negative).
class StoppingUi : public RecordingUi {
public:
    int stopAfter = -1;
    int asked = 0;
    int ended = 0;

    void searchEnded() override { ++ended; }
    bool stopRequested() override { return stopAfter >= 0 && ++asked > stopAfter; }
};

// The main panel with a search button: draws a term over a range, presses the
// button and gives the one message it shows.
class SearchTest : public ::testing::Test {
protected:
    StoppingUi ui;
    Context c{ui};

    void SetUp() override { mainPanelLoad(c); }

    std::string press(void (*button)(Context&), const std::string& term,
                      const char* from = "-20", const char* to = "20")
    {
        c.state.main.Eingabe = term;
        c.state.main.x_eingabe = from;
        c.state.main.y_eingabe = to;
        drawFromPanel(c);
        ui.messages.clear();
        button(c);
        EXPECT_EQ(ui.messages.size(), 1u) << term;
        return ui.messages.empty() ? "" : ui.messages.back();
    }
};

}  // namespace kw::test
