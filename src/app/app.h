#pragma once

#include <memory>

#include "app/qt_ui.h"
#include "panel/context.h"

namespace kw {

class MainPanelWindow;
class DrawingWindow;

// The running program: the shared context and the windows around it.
class App {
public:
    // ui defaults to real message boxes; tests pass one that records them.
    explicit App(QtUi* ui = nullptr);
    ~App();

    // Start-up: both windows placed, the empty plane drawn, a random term chosen.
    void start();
    // "Ende": every window closes.
    void end();

    Context& context() { return *context_; }
    MainPanelWindow& mainPanel() { return *mainPanel_; }
    DrawingWindow& drawingWindow() { return *drawing_; }

private:
    void placeMainPanel();

    std::unique_ptr<QtUi> ownUi_;
    QtUi* ui_;
    std::unique_ptr<Context> context_;
    std::unique_ptr<DrawingWindow> drawing_;
    std::unique_ptr<MainPanelWindow> mainPanel_;
};

}  // namespace kw
