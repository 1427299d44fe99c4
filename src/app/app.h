#pragma once

#include <memory>

#include "app/qt_ui.h"
#include "panel/context.h"

namespace kw {

class MainPanelWindow;
class DrawingWindow;
class CalculatorWindow;
class HelpDialog;
class AboutWindow;

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

    // The analysis panel's "Taschenrechner": shows the pocket calculator,
    // creating it on first use.
    void openTaschenrechner();
    // The analysis panel closes: the pocket calculator closes with it.
    void closeTaschenrechner();

    // The drawing window's menu "Hilfe": each shows its single window.
    void Eingabe_Syntax_Butt_Click();
    void Info_Butt_Click();

    Context& context() { return *context_; }
    MainPanelWindow& mainPanel() { return *mainPanel_; }
    DrawingWindow& drawingWindow() { return *drawing_; }
    // Secondary windows; null until first used.
    CalculatorWindow* taschenrechner() { return taschenrechner_.get(); }
    HelpDialog* hilfe() { return hilfe_.get(); }
    AboutWindow* info() { return info_.get(); }

private:
    void placeMainPanel();

    std::unique_ptr<QtUi> ownUi_;
    QtUi* ui_;
    std::unique_ptr<Context> context_;
    std::unique_ptr<DrawingWindow> drawing_;
    std::unique_ptr<MainPanelWindow> mainPanel_;
    std::unique_ptr<CalculatorWindow> taschenrechner_;
    std::unique_ptr<HelpDialog> hilfe_;
    std::unique_ptr<AboutWindow> info_;
};

}  // namespace kw
