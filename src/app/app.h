#pragma once

#include <memory>

#include "app/qt_ui.h"
#include "panel/context.h"

namespace kw {

class MainPanelWindow;
class DrawingWindow;
class ValueTableWindow;

// The running program: the shared context and the windows around it.
class App {
public:
    // ui defaults to real message boxes; tests pass one that records them.
    explicit App(QtUi* ui = nullptr);
    ~App();

    // Start-up: both windows placed, the empty plane drawn, a random term chosen.
    void start();
    // "Ende": every window closes (value tables stay open).
    void end();

    // The analysis panel's reports; its buttons call these.
    void nullstellen();    // "Nullstellen von f(x) Anzeigen"
    void extrema();        // "Lokale Extremwerte von f(x)"
    void wendepunkte();    // "Terassen- und Wendepunkte "
    // "Wertetabelle": a new window for every press, showing the current term.
    ValueTableWindow* werteTabelle();

    Context& context() { return *context_; }
    MainPanelWindow& mainPanel() { return *mainPanel_; }
    DrawingWindow& drawingWindow() { return *drawing_; }

private:
    void placeMainPanel();
    template <class Search>
    void search(Search run);

    std::unique_ptr<QtUi> ownUi_;
    QtUi* ui_;
    std::unique_ptr<Context> context_;
    std::unique_ptr<DrawingWindow> drawing_;
    std::unique_ptr<MainPanelWindow> mainPanel_;
    int valueTables_ = 0;
};

}  // namespace kw
