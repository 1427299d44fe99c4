#pragma once

#include <string>
#include <vector>

#include "gui/qt_ui.h"

namespace kw::test {

// The real UI services, except that message boxes are recorded instead of shown,
// so that a widget test never waits for a click.
class RecordingQtUi : public QtUi {
public:
    std::vector<std::string> messages;

    void message(std::string_view text, std::string_view) override { messages.emplace_back(text); }
    using Ui::message;
};

}  // namespace kw::test
