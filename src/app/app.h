#pragma once

#include <QPointer>
#include <QWidget>

#include <array>
#include <memory>
#include <span>

#include "app/qt_ui.h"
#include "panel/context.h"

namespace kw {

class MainPanelWindow;
class DrawingWindow;

// The running program: the shared context and the windows around it.
class App {
public:
    // The windows that close together with the program. Windows created later
    // join with `join`; value-table windows never join, they stay open.
    enum class Role {
        MainPanel,
        Analysis,
        Drawing,
        Taschenrechner,
        Bruecke,
        Flaeche,
        Schnittstellen,
        BildSpeichern,
        Count
    };

    // "Ende" on the main panel closes them in this order…
    static constexpr Role kEndeReihenfolge[] = {
        Role::Analysis, Role::Drawing,        Role::Taschenrechner, Role::Bruecke,
        Role::Flaeche,  Role::Schnittstellen, Role::BildSpeichern,  Role::MainPanel};
    // …closing the drawing window or its "&Ende" in this one.
    static constexpr Role kEbeneReihenfolge[] = {
        Role::MainPanel, Role::Analysis,       Role::Taschenrechner, Role::Bruecke,
        Role::Flaeche,   Role::Schnittstellen, Role::BildSpeichern,  Role::Drawing};

    // ui defaults to real message boxes; tests pass one that records them.
    explicit App(QtUi* ui = nullptr);
    ~App();

    // Start-up: both windows placed, the empty plane drawn, a random term chosen.
    void start();
    // "Ende": every window closes.
    void end();

    // A window that closes with the program; the analysis panel also docks to
    // the right of the drawing window.
    void join(Role role, QWidget* window);
    QWidget* window(Role role) const;

    Context& context() { return *context_; }
    MainPanelWindow& mainPanel() { return *mainPanel_; }
    DrawingWindow& drawingWindow() { return *drawing_; }

private:
    void closeInOrder(std::span<const Role> order);
    void placeMainPanel();
    // `FormMove`: the main panel and the analysis panel follow the drawing window.
    void drawingMoved();
    // The main panel was dragged by its background: the others follow it.
    void mainPanelDragged();

    std::unique_ptr<QtUi> ownUi_;
    QtUi* ui_;
    std::unique_ptr<Context> context_;
    std::unique_ptr<DrawingWindow> drawing_;
    std::unique_ptr<MainPanelWindow> mainPanel_;
    std::array<QPointer<QWidget>, std::size_t(Role::Count)> windows_;
    bool closing_ = false;
};

}  // namespace kw
