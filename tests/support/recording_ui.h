#pragma once

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/ui.h"

namespace kw::test {

// A UI that records what the program shows, answers questions from a script
// and asks a search to stop once it has asked `stopAfter` times whether to stop
// (never when negative).
class RecordingUi : public Ui {
public:
    std::vector<std::string> messages;
    std::vector<std::string> titles;
    std::deque<std::optional<std::string>> answers;  // for input(); nothing when empty
    std::vector<std::string> questions;  // "prompt|title|initial" of every input()
    double progressMaximum = -1, progressHigh = -1e300;  // the largest value reported
    std::map<int, std::string> status;
    int planeChanges = 0;
    int stopAfter = -1, asked = 0, ended = 0;

    void message(std::string_view text, std::string_view title) override
    {
        messages.emplace_back(text);
        titles.emplace_back(title);
    }
    using Ui::message;
    std::optional<std::string> input(std::string_view prompt, std::string_view title,
                                     std::string_view initial) override
    {
        questions.push_back(std::string(prompt) + "|" + std::string(title) + "|" +
                            std::string(initial));
        if (answers.empty())
            return std::nullopt;
        auto a = answers.front();
        answers.pop_front();
        return a;
    }
    void setProgressMaximum(double m) override { progressMaximum = m; }
    void setProgressValue(double v) override { progressHigh = std::max(progressHigh, v); }
    void setStatus(int panel, std::string_view text) override { status[panel] = std::string(text); }
    void planeChanged() override { ++planeChanges; }
    void searchEnded() override { ++ended; }
    bool stopRequested() override { return stopAfter >= 0 && ++asked > stopAfter; }
};

}  // namespace kw::test
