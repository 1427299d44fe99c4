#pragma once

#include <QElapsedTimer>
#include <QRect>

#include <memory>

#include "panel/ui.h"

class QObject;
class QWidget;

namespace kw {

class MainPanelWindow;
class DrawingWindow;
class AnalysisPanelWindow;

// The UI services on real windows: message boxes, input boxes, the main panel's
// progress and status bars, and repainting the drawing window.
class QtUi : public Ui {
public:
    QtUi();
    ~QtUi() override;

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

    // While a search runs, the program's windows take no input but Esc, which
    // stops it, as does closing one of the panels. Events are handled every
    // 50 ms or so, enough to repaint the progress bar and to notice Esc.
    void searchStarted() override;
    void searchEnded() override;
    bool stopRequested() override;
    bool searching() const { return searches_ > 0; }

    // The part of the screen that windows may cover (without task bars), on the
    // screen where `window` lies; empty when there is none.
    virtual QRect screenArea(const QWidget& window) const;

private:
    MainPanelWindow* panel_ = nullptr;
    DrawingWindow* drawing_ = nullptr;
    AnalysisPanelWindow* analysis_ = nullptr;
    std::unique_ptr<QObject> searchFilter_;
    int searches_ = 0;
    bool stop_ = false;
    QElapsedTimer polled_;
};

}  // namespace kw
