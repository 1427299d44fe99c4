#pragma once

#include "panel/ui.h"

class QWidget;

namespace kw {

class MainPanelWindow;
class DrawingWindow;
class AnalysisPanelWindow;

// The UI services on real windows: message boxes, input boxes, the main panel's
// progress and status bars, and repainting the drawing window.
class QtUi : public Ui {
public:
    void attach(MainPanelWindow* panel, DrawingWindow* drawing);
    void attachAnalysisPanel(AnalysisPanelWindow* panel);

    void message(std::string_view text, std::string_view title) override;
    using Ui::message;
    std::optional<std::string> input(std::string_view prompt, std::string_view title,
                                     std::string_view initial) override;
    void setProgressMaximum(double maximum) override;
    void setProgressValue(double value) override;
    void setStatus(int panel, std::string_view text) override;
    void planeChanged() override;
    void fieldsChanged() override;

private:
    MainPanelWindow* panel_ = nullptr;
    DrawingWindow* drawing_ = nullptr;
    AnalysisPanelWindow* analysis_ = nullptr;
};

}  // namespace kw
