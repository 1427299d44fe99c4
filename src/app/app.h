#pragma once

#include <QPointer>
#include <QWidget>

#include <array>
#include <memory>
#include <span>

#include "core/context.h"
#include "gui/qt_ui.h"
#include "plane/frame.h"

namespace kw {

class MainPanelWindow;
class DrawingWindow;
class AnalysisPanelWindow;
class ValueTableWindow;
class CalculatorWindow;
class IntersectionWindow;
class AreaWindow;
class BridgeWindow;
class HelpDialog;
class AboutWindow;
class DiscussionWindow;

// Qt's own texts (the buttons of message boxes, file and print dialogs) in
// German, whatever the system's language. False when the catalogue is missing.
bool useGermanQtTexts();

// The running program: the shared context and the windows around it.
class App {
public:
    // The windows that close together with the program. Windows created later
    // join with `join`; value-table windows never join, they stay open.
    enum class Role {
        MainPanel,
        Analysis,
        Drawing,
        Calculator,
        Bridge,
        Area,
        Intersections,
        SavePicture,
        Help,
        About,
        Discussion,
        Count
    };

    // "Ende" on the main panel closes them in this order…
    // Help and about are not part of either order of old; they close just before
    // the last window so that they never keep the program running alone.
    static constexpr Role kCloseOrder[] = {
        Role::Analysis,      Role::Drawing, Role::Calculator, Role::Bridge,
        Role::Area,       Role::Intersections, Role::SavePicture, Role::Discussion,
        Role::Help,         Role::About,          Role::MainPanel};
    // …closing the drawing window or its "&Ende" in this one.
    static constexpr Role kPlaneOrder[] = {
        Role::MainPanel,     Role::Analysis, Role::Calculator, Role::Bridge,
        Role::Area,       Role::Intersections, Role::SavePicture, Role::Discussion,
        Role::Help,         Role::About,          Role::Drawing};

    // ui defaults to real message boxes; tests pass one that records them.
    // Recent drawings are kept in the program's settings, or in settingsFile.
    explicit App(QtUi* ui = nullptr, const QString& settingsFile = {});
    ~App();

    // Start-up: both windows placed, the empty plane drawn, a random term chosen.
    void start();
    // "Ende": every window closes (after the question about unsaved changes).
    void end();
    // Opens a saved drawing: every window shows it, the plane is drawn once.
    bool openDrawing(const QString& file);

    // A window that closes with the program; the analysis panel also docks to
    // the right of the drawing window.
    void join(Role role, QWidget* window);
    QWidget* window(Role role) const;

    // The analysis panel's reports; its buttons call these. A search runs once
    // at a time.
    void zeros();    // "Nullstellen von f(x) Anzeigen"
    void extrema();        // "Lokale Extremwerte von f(x)"
    void inflections();    // "Terassen- und Wendepunkte "
    // "Wertetabelle": a new window for every press, showing the current term.
    // Value tables never join the program's windows: they stay open.
    ValueTableWindow* valueTable();

    // "Kurvendiskussion": the discussion of the drawn term over its range in
    // its window, created on first use. While the window is open it follows
    // every new drawing of another term or range.
    void kurvendiskussion();
    DiscussionWindow* discussionWindow() { return discussion_.get(); }

    // The analysis panel's "Taschenrechner": shows the pocket calculator,
    // creating it on first use.
    void openCalculator();
    // The analysis panel closes: the pocket calculator closes with it.
    void closeCalculator();

    // "Schnittpunkte zwischen Funktionen" and "Fläche (Integral)": show the
    // intersection and the area calculator, creating them on first use.
    void Schnittstellen_Rechner();
    void Integral_Rechner();

    // The analysis panel's "Hängebrücken Rechner": shows the bridge calculator,
    // creating it on first use. It closes with the analysis panel.
    void Haengebruecken_Rechner();

    // The drawing window's menu "Hilfe": each shows its single window.
    void Eingabe_Syntax_Butt_Click();
    void Info_Butt_Click();

    Context& context() { return *context_; }
    MainPanelWindow& mainPanel() { return *mainPanel_; }
    DrawingWindow& drawingWindow() { return *drawing_; }
    // Secondary windows; null until first used.
    CalculatorWindow* calculator() { return calculator_.get(); }
    IntersectionWindow* intersectionCalculator() { return intersections_.get(); }
    AreaWindow* areaCalculator() { return integral_.get(); }
    BridgeWindow* bridge() { return bridge_.get(); }
    HelpDialog* help() { return help_.get(); }
    AboutWindow* info() { return info_.get(); }
    // The analysis panel once "Extras" has created it.
    AnalysisPanelWindow* analysisPanel() { return analysis_.get(); }

    // "Extras": shows (creating it on first use) or hides the analysis panel.
    void showAnalysisPanel(bool show);

private:
    template <class Window, class... Args>
    bool openOnce(std::unique_ptr<Window>& window, Role role, Args&&... args);
    void closeInOrder(std::span<const Role> order);
    // The windows' fields into the shared state, and an opened drawing back.
    void collectFields();
    void showDrawing();
    void placeMainPanel();
    // The drawing window, the main panel and the analysis panel (when shown)
    // move together onto the screen where they would reach beyond it.
    void fitOnScreen();
    // How far the windows of a group must move to lie on the screen of `where`.
    Offset shiftOntoScreen(std::span<const Box> group, const QWidget& where) const;
    // `FormMove`: the main panel and the analysis panel follow the drawing window.
    void drawingMoved();
    // The main panel was dragged by its background: the others follow it.
    void mainPanelDragged();
    void placeAnalysisPanel();
    void openBesideAnalysisPanel(QWidget& window);
    template <class Search>
    void search(Search run);
    void refreshDiscussion();

    std::unique_ptr<QtUi> ownUi_;
    QtUi* ui_;
    std::unique_ptr<Context> context_;
    std::unique_ptr<DrawingWindow> drawing_;
    std::unique_ptr<MainPanelWindow> mainPanel_;
    std::unique_ptr<AnalysisPanelWindow> analysis_;
    std::unique_ptr<CalculatorWindow> calculator_;
    std::unique_ptr<IntersectionWindow> intersections_;
    std::unique_ptr<AreaWindow> integral_;
    std::unique_ptr<BridgeWindow> bridge_;
    std::unique_ptr<HelpDialog> help_;
    std::unique_ptr<AboutWindow> info_;
    std::unique_ptr<DiscussionWindow> discussion_;
    std::string discussed_;  // term and range the discussion window shows
    std::array<QPointer<QWidget>, std::size_t(Role::Count)> windows_;
    bool closing_ = false;
    bool drawingOpened_ = false;  // a drawing was opened in this run
};

}  // namespace kw
