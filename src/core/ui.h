#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kw {

// The application's title: caption of the main panel and of every message box.
inline constexpr std::string_view kTitle = "Kurvenwerk";

// Everything a person sees outside the plane. The logic calls it; the windows
// implement it with Qt, tests with a scripted fake. The base shows nothing and
// answers nothing, which is what a run without windows needs.
class Ui {
public:
    virtual ~Ui() = default;

    // A message box with an OK button; waits until it is closed.
    virtual void message(std::string_view /*text*/, std::string_view /*title*/) {}
    void message(std::string_view text) { message(text, kTitle); }

    // An input box; nothing when cancelled.
    virtual std::optional<std::string> input(std::string_view /*prompt*/,
                                             std::string_view /*title*/,
                                             std::string_view /*initial*/)
    {
        return std::nullopt;
    }

    // The main panel's progress bar (minimum 0).
    virtual void setProgressMaximum(double /*maximum*/) {}
    virtual void setProgressValue(double /*value*/) {}

    // A panel of the main panel's status bar (numbered from 1).
    virtual void setStatus(int /*panel*/, std::string_view /*text*/) {}

    // The plane's size or content changed.
    virtual void planeChanged() {}

    // Field texts in the shared state were changed by the logic.
    virtual void fieldsChanged() {}

    // A search over a grid begins or ends (calls may nest). In between the
    // windows take no other input, and the search asks now and then whether the
    // user wants it stopped (Esc or closing a panel).
    virtual void searchStarted() {}
    virtual void searchEnded() {}
    virtual bool stopRequested() { return false; }
};

}  // namespace kw
