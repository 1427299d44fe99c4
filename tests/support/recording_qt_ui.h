#pragma once

#include <functional>
#include <string>
#include <vector>

#include "gui/qt_ui.h"

namespace kw::test {

// The real UI services, except that message boxes are recorded instead of shown,
// so that a widget test never waits for a click, and that the screen is one the
// test chooses (at first one where every window has its place).
class RecordingQtUi : public QtUi {
public:
    std::vector<std::string> messages;
    QRect screen{0, 0, 1920, 1080};
    std::function<void()> onMessage;  // sees the windows as the message box would

    void message(std::string_view text, std::string_view) override
    {
        messages.emplace_back(text);
        if (onMessage)
            onMessage();
    }
    using Ui::message;
    QRect screenArea(const QWidget&) const override { return screen; }
};

}  // namespace kw::test
