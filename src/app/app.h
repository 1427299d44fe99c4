#pragma once

#include <memory>

#include "app/qt_ui.h"
#include "panel/context.h"

namespace kw {

class MainPanelWindow;
class DrawingWindow;
class AnalysisPanelWindow;

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
    // The analysis panel once "Extras" has created it.
    AnalysisPanelWindow* analysisPanel() { return analysis_.get(); }

    // "Extras": shows (creating it on first use) or hides the analysis panel.
    void showAnalysisPanel(bool show);

private:
    void placeMainPanel();
    void placeAnalysisPanel();

    std::unique_ptr<QtUi> ownUi_;
    QtUi* ui_;
    std::unique_ptr<Context> context_;
    std::unique_ptr<DrawingWindow> drawing_;
    std::unique_ptr<MainPanelWindow> mainPanel_;
    std::unique_ptr<AnalysisPanelWindow> analysis_;
};

}  // namespace kw
