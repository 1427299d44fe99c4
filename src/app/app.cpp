#include "app/app.h"
#include "app/application.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QLibraryInfo>
#include <QTranslator>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <functional>
#include <utility>

#include "analysis/extrema.h"
#include "analysis/value_table.h"
#include "analysis/zeros.h"
#include "discussion/discussion.h"
#include "plane/printing.h"
#include "plane/save_dialog.h"
#include "scene/redraw.h"
#include "terms/normalize.h"
#include "terms/numtext.h"
#include "panel/analysis_panel_window.h"
#include "panel/main_panel.h"
#include "panel/main_panel_window.h"
#include "panel/value_table_window.h"
#include "plane/drawing_document.h"
#include "plane/drawing_window.h"
#include "tools/about_window.h"
#include "tools/area_window.h"
#include "tools/bridge_window.h"
#include "tools/calculator_window.h"
#include "tools/discussion_window.h"
#include "tools/help_dialog.h"
#include "tools/intersection_window.h"
#include "tools/program_icon.h"

namespace kw {

namespace {
Box outerBox(const QWidget& w)
{
    const QRect r = w.frameGeometry();
    return {r.x(), r.y(), r.width(), r.height()};
}

bool moveBy(QWidget& w, Offset by)
{
    if (by.left == 0 && by.top == 0)
        return false;
    w.move(w.pos() + QPoint(by.left, by.top));
    return true;
}

// Runs once, when the window system first shows a window: only then is the
// frame it puts around the window known, and with it the window's outer size.
class FirstExposed : public QObject {
public:
    FirstExposed(QWindow& window, std::function<void()> then)
        : QObject(&window), then_(std::move(then))
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
            watched->removeEventFilter(this);
            deleteLater();
            then_();
        }
        return false;
    }

private:
    std::function<void()> then_;
};

// For a window just shown. (Creating the native window before the first show
// would make the window system take a frame position for the inner one.)
void whenFirstExposed(QWidget& w, std::function<void()> then)
{
    if (QWindow* window = w.windowHandle())
        new FirstExposed(*window, std::move(then));
}
}  // namespace

App::App(QtUi* ui, const QString& settingsFile)
    : ownUi_(ui ? nullptr : std::make_unique<QtUi>()),
      ui_(ui ? ui : ownUi_.get()),
      context_(std::make_unique<Context>(*ui_)),
      drawing_(std::make_unique<DrawingWindow>(*context_, nullptr, settingsFile)),
      mainPanel_(std::make_unique<MainPanelWindow>(*context_))
{
    QApplication::setWindowIcon(programIcon());
    ui_->setQuestionsBeside(mainPanel_.get());
    QObject::connect(ui_, &QtUi::progressMaximumChanged, mainPanel_.get(),
                     &MainPanelWindow::setProgressMaximum);
    QObject::connect(ui_, &QtUi::progressValueChanged, mainPanel_.get(),
                     &MainPanelWindow::setProgressValue);
    QObject::connect(ui_, &QtUi::statusChanged, mainPanel_.get(), &MainPanelWindow::setStatus);
    QObject::connect(ui_, &QtUi::fieldsUpdated, mainPanel_.get(), &MainPanelWindow::loadFields);
    QObject::connect(ui_, &QtUi::planeUpdated, drawing_.get(), &DrawingWindow::planeChanged);
    join(Role::MainPanel, mainPanel_.get());
    join(Role::Drawing, drawing_.get());

    QObject::connect(mainPanel_.get(), &MainPanelWindow::drawn, drawing_.get(), [this] {
        // A calculator that drew stays in front of the drawing it may lie over.
        QWidget* active = QApplication::activeWindow();
        drawing_->show();
        drawing_->raise();
        if (active && active != drawing_.get() && active != mainPanel_.get())
            active->raise();
    });
    QObject::connect(mainPanel_.get(), &MainPanelWindow::endRequested, mainPanel_.get(),
                     [this] { end(); });
    QObject::connect(mainPanel_.get(), &MainPanelWindow::backgroundDragged, mainPanel_.get(),
                     [this] { mainPanelDragged(); });
    QObject::connect(mainPanel_.get(), &MainPanelWindow::analysisPanelToggled, mainPanel_.get(),
                     [this](bool show) { showAnalysisPanel(show); });
    QObject::connect(drawing_.get(), &DrawingWindow::moved, drawing_.get(),
                     [this] { drawingMoved(); });
    QObject::connect(drawing_.get(), &DrawingWindow::closing, drawing_.get(),
                     [this] { closeInOrder(kPlaneOrder); });
    QObject::connect(drawing_.get(), &DrawingWindow::saveWindowCreated, drawing_.get(),
                     [this](QWidget* w) {
                         join(Role::SavePicture, w);
                         openBesideAnalysisPanel(*w);
                     });
    QObject::connect(drawing_.get(), &DrawingWindow::endProgram, drawing_.get(), [this] {
        closeInOrder(kPlaneOrder);
        QCoreApplication::exit(0);
    });

    DrawingDocument& document = drawing_->document();
    document.collect = [this] { collectFields(); };
    document.show = [this] { showDrawing(); };
    // Whatever redraws or changes fields may have changed the drawing.
    QObject::connect(ui_, &QtUi::planeUpdated, &document, &DrawingDocument::refreshTitle);
    QObject::connect(ui_, &QtUi::fieldsUpdated, &document, &DrawingDocument::refreshTitle);

    const DrawingWindow::Menu& menu = drawing_->menu();
    menu.inputSyntax->setEnabled(true);
    menu.info->setEnabled(true);
    QObject::connect(menu.inputSyntax, &QAction::triggered, drawing_.get(),
                     [this] { Eingabe_Syntax_Butt_Click(); });
    QObject::connect(menu.info, &QAction::triggered, drawing_.get(),
                     [this] { Info_Butt_Click(); });
    if (auto* application = dynamic_cast<Application*>(QCoreApplication::instance()))
        application->lowMemory = [this] { drawing_->lowMemory(); };
}

App::~App()
{
    if (auto* application = dynamic_cast<Application*>(QCoreApplication::instance()))
        application->lowMemory = nullptr;
    // The UI may outlive the windows (tests bring their own).
    for (QObject* window : {static_cast<QObject*>(mainPanel_.get()),
                            static_cast<QObject*>(drawing_.get()),
                            static_cast<QObject*>(analysis_.get())})
        if (window)
            QObject::disconnect(ui_, nullptr, window, nullptr);
}

bool useGermanQtTexts()
{
    auto* german = new QTranslator(QCoreApplication::instance());
    if (german->load(QStringLiteral("qtbase_de"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(german))
        return true;
    delete german;
    return false;
}

void App::join(Role role, QWidget* window) { windows_[std::size_t(role)] = window; }

QWidget* App::window(Role role) const { return windows_[std::size_t(role)]; }

void App::start()
{
    mainPanelLoad(*context_);
    mainPanel_->loadFields();
    drawing_->show();
    placeMainPanel();
    mainPanel_->show();
    drawing_->planeChanged();
    fitOnScreen();
    // Framed by the window system, the windows are taller: the panel docks
    // again below the drawing window's frame, and the group is fitted anew.
    auto dockAndFit = [this] {
        drawingMoved();
        fitOnScreen();
    };
    whenFirstExposed(*drawing_, dockAndFit);
    whenFirstExposed(*mainPanel_, dockAndFit);
}

// The main panel is as wide as the drawing window (or as its controls need).
void App::placeMainPanel()
{
    mainPanel_->adjustSize();
    mainPanel_->resize(std::max(drawing_->width(), mainPanel_->minimumSizeHint().width()),
                       mainPanel_->height());
    drawingMoved();
}

void App::end()
{
    if (drawing_->document().mayLeave())
        closeInOrder(kCloseOrder);
}

bool App::openDrawing(const QString& file) { return drawing_->document().open(file); }

void App::collectFields()
{
    mainPanel_->storeFields();
    if (integral_)
        integral_->storeFields();
    if (bridge_)
        bridge_->storeFields();
}

void App::showDrawing()
{
    drawingOpened_ = true;
    mainPanel_->loadFields();
    if (analysis_)
        analysis_->loadFields();
    if (intersections_)
        intersections_->showDrawing();
    if (integral_)
        integral_->showDrawing();
    if (bridge_)
        bridge_->loadFields();
    drawing_->showOpened();
}

Offset App::shiftOntoScreen(std::span<const Box> group, const QWidget& where) const
{
    const QRect area = ui_->screenArea(where);
    return shiftInto(group, {area.x(), area.y(), area.width(), area.height()});
}

void App::fitOnScreen()
{
    std::vector<Box> group{outerBox(*drawing_), outerBox(*mainPanel_)};
    if (analysis_ && analysis_->isVisible())
        group.push_back(outerBox(*analysis_));
    if (moveBy(*drawing_, shiftOntoScreen(group, *drawing_)))
        drawingMoved();  // the panels follow
}

// The analysis panel sits right of the drawing window, top edges aligned.
void App::placeAnalysisPanel()
{
    const Offset beside = analysisBeside(outerBox(*drawing_));
    analysis_->move(beside.left, beside.top);
}

void App::showAnalysisPanel(bool show)
{
    if (!show) {
        if (analysis_)
            analysis_->hide();
        return;
    }
    const bool created = !analysis_;
    if (created) {
        analysis_ = std::make_unique<AnalysisPanelWindow>(*context_);
        join(Role::Analysis, analysis_.get());
        QObject::connect(ui_, &QtUi::fieldsUpdated, analysis_.get(),
                         &AnalysisPanelWindow::loadFields);
        QObject::connect(analysis_.get(), &AnalysisPanelWindow::fieldsNeeded, mainPanel_.get(),
                         &MainPanelWindow::storeFields);
        AnalysisPanelWindow* panel = analysis_.get();
        QObject::connect(panel, &AnalysisPanelWindow::zerosClicked, panel,
                         [this] { zeros(); });
        QObject::connect(panel, &AnalysisPanelWindow::extremaClicked, panel, [this] { extrema(); });
        QObject::connect(panel, &AnalysisPanelWindow::inflectionsClicked, panel,
                         [this] { inflections(); });
        QObject::connect(panel, &AnalysisPanelWindow::valueTableClicked, panel,
                         [this] { valueTable(); });
        QObject::connect(panel, &AnalysisPanelWindow::calculatorClicked, panel,
                         [this] { openCalculator(); });
        QObject::connect(panel, &AnalysisPanelWindow::intersectionsClicked, panel,
                         [this] { Schnittstellen_Rechner(); });
        QObject::connect(panel, &AnalysisPanelWindow::integralClicked, panel,
                         [this] { Integral_Rechner(); });
        QObject::connect(panel, &AnalysisPanelWindow::bridgeClicked, panel,
                         [this] { Haengebruecken_Rechner(); });
        QObject::connect(panel, &AnalysisPanelWindow::discussionClicked, panel,
                         [this] { kurvendiskussion(); });
        // The pocket calculator and the bridge calculator close with the panel.
        QObject::connect(analysis_.get(), &AnalysisPanelWindow::closed, analysis_.get(), [this] {
            analysisPanelClosed(*context_);
            closeCalculator();
            if (bridge_)
                bridge_->close();
        });
    }
    placeAnalysisPanel();
    analysis_->show();
    analysis_->raise();
    if (created)  // framed by the window system only now: fitted again then
        whenFirstExposed(*analysis_, [this] { fitOnScreen(); });
    fitOnScreen();
}

// A search runs once at a time: while one runs, the windows take no input.
template <class Search>
void App::search(Search run)
{
    if (ui_->searching())
        return;
    run(*context_);
}

void App::zeros() { search(Nullstellen_fx_Click); }

void App::extrema() { search(Extrema_butt_Click); }

void App::inflections() { search(S_and_W_punkte_Click); }

namespace {
// Shows a window that may be hidden or behind others, in front.
void bringUp(QWidget& w)
{
    w.show();
    w.raise();
    w.activateWindow();
}
}  // namespace

void App::kurvendiskussion()
{
    if (ui_->searching())
        return;
    Context& c = *context_;
    if (c.drawing.xterm.empty())
        drawFromPanel(c);  // nothing drawn yet: the term in the field
    if (c.drawing.xterm.empty() || c.drawing.termRefused)
        return;
    if (!discussion_) {
        discussion_ = std::make_unique<DiscussionWindow>(c.plane);
        join(Role::Discussion, discussion_.get());
        discussion_->askFileName = askSaveFileName;
        discussion_->openPrinter = [](QWidget* parent) { return kw::openPrinter(parent, PrintServices{}); };
        discussion_->tell = [this](const QString& text) { ui_->message(text.toStdString()); };
        QObject::connect(ui_, &QtUi::planeUpdated, discussion_.get(), [this] {
            QTimer::singleShot(0, discussion_.get(), [this] { refreshDiscussion(); });
        });
    }
    const bool first = !discussion_->isVisible() && discussed_.empty();
    discussed_.clear();
    refreshDiscussion();
    if (first)
        openBesideAnalysisPanel(*discussion_);
    else
        bringUp(*discussion_);
}

// The term and range of the last drawing, once per change.
void App::refreshDiscussion()
{
    Context& c = *context_;
    const std::string key = c.drawing.xterm + '\n' + engineText(c.state.picture.X) + '\n' + engineText(c.state.picture.Y);
    if (key == discussed_ || c.drawing.xterm.empty() || c.drawing.termRefused || ui_->searching() ||
        (!discussion_->isVisible() && !discussed_.empty()))
        return;
    discussed_ = key;
    // The term as typed, where the field still holds the drawn one.
    std::string typed = c.drawing.xterm;
    if (string_richten(c.state.main.Eingabe) == c.drawing.xterm)
        typed = c.state.main.Eingabe;
    else if (!c.state.main.EingabeListe.empty() && string_richten(c.state.main.EingabeListe.back()) == c.drawing.xterm)
        typed = c.state.main.EingabeListe.back();
    discussion_->present(discuss(typed, c.drawing.xterm, c.state.picture.X, c.state.picture.Y, &c.ui));
}

ValueTableWindow* App::valueTable()
{
    if (ui_->searching())
        return nullptr;
    mainPanel_->storeFields();  // the table shows the term as it stands in the field
    const auto table = Werte_Tabelle(*context_);
    if (!table)
        return nullptr;
    auto* window = new ValueTableWindow(*table);
    // Where the calculators go: never over the panels, nor over the tables before.
    openBesideAnalysisPanel(*window);
    return window;
}


// A window that exists once: the first call creates it and lets it close with
// the program (true); later calls bring it to the front where the user left it.
template <class Window, class... Args>
bool App::openOnce(std::unique_ptr<Window>& window, Role role, Args&&... args)
{
    if (window) {
        bringUp(*window);
        return false;
    }
    window = std::make_unique<Window>(std::forward<Args>(args)...);
    join(role, window.get());
    return true;
}

void App::openCalculator()
{
    if (openOnce(calculator_, Role::Calculator, *context_))
        openBesideAnalysisPanel(*calculator_);
}

// A calculator opened for the first time: beside the analysis panel that
// opened it where that is free, covering neither panel nor another open tool,
// on the screen; over the drawing window only where nothing else is free.
void App::openBesideAnalysisPanel(QWidget& window)
{
    auto fit = [this, &window] {
        std::vector<Box> panels{outerBox(*mainPanel_)}, tools;
        if (analysis_ && analysis_->isVisible())
            panels.push_back(outerBox(*analysis_));
        for (QWidget* tool : {this->window(Role::Calculator), this->window(Role::Intersections),
                              this->window(Role::Area), this->window(Role::Bridge),
                              this->window(Role::SavePicture), this->window(Role::Discussion)})
            if (tool && tool != &window && tool->isVisible())
                tools.push_back(outerBox(*tool));
        for (QWidget* top : QApplication::topLevelWidgets())
            if (qobject_cast<ValueTableWindow*>(top) && top != &window && top->isVisible())
                tools.push_back(outerBox(*top));
        const Box own = outerBox(window);
        const Offset wanted =
            analysis_ ? analysisBeside(outerBox(*analysis_)) : Offset{own.left, own.top};
        const QRect screen = ui_->screenArea(window);
        const Box area{screen.x(), screen.y(), screen.width(), screen.height()};
        Offset at = freePlace({own.width, own.height}, wanted, panels, tools, outerBox(*drawing_), area);
        // Over the drawing window, its title and menu stay free where the
        // tool fits below them without covering a panel.
        const Box drawing = outerBox(*drawing_);
        const int menuBottom =
            drawing_->menuBar()->mapToGlobal(QPoint(0, drawing_->menuBar()->height())).y();
        const Box menu{drawing.left, drawing.top, drawing.width, std::max(0, menuBottom - drawing.top)};
        auto covers = [&own](Offset o, const Box& b) {
            return o.left < b.left + b.width && b.left < o.left + own.width && o.top < b.top + b.height &&
                   b.top < o.top + own.height;
        };
        if (covers(at, menu)) {
            std::vector<Box> withMenu = panels;
            withMenu.push_back(menu);
            const Offset below = freePlace({own.width, own.height}, wanted, withMenu, tools, drawing, area);
            auto coversAny = [&covers](Offset o, const std::vector<Box>& boxes) {
                return std::ranges::any_of(boxes, [&](const Box& b) { return covers(o, b); });
            };
            if (!coversAny(below, panels) && (!coversAny(below, tools) || coversAny(at, tools)))
                at = below;
        }
        moveBy(window, {at.left - own.left, at.top - own.top});
    };
    window.adjustSize();
    fit();
    bringUp(window);
    whenFirstExposed(window, fit);
}

void App::closeCalculator()
{
    if (calculator_)
        calculator_->close();
}

void App::Haengebruecken_Rechner()
{
    if (!openOnce(bridge_, Role::Bridge, *context_))
        return;
    const BridgeState& saved = context_->state.bridge;  // from an opened drawing
    if (!saved.Abstand_txt.empty() || !saved.Hoehe_txt.empty() || !saved.Tiefster_Punkt_txt.empty())
        bridge_->loadFields();
    QObject::connect(bridge_.get(), &BridgeWindow::drawRequested, bridge_.get(), [this] {
        mainPanel_->Zeichnen_button_Click();
        // The whole bridge in view: towers, cable and hangers.
        if (context_->state.bridge.towersShown)
            drawing_->showAll();
        // Drawn or not (a range the plane cannot show draws nothing), the next
        // redraw shows the cable alone.
        context_->state.bridge.Brueck_zeichnen = false;
    });
    openBesideAnalysisPanel(*bridge_);
}

void App::Schnittstellen_Rechner()
{
    if (!openOnce(intersections_, Role::Intersections, *context_))
        return;
    QObject::connect(intersections_.get(), &IntersectionWindow::fieldsNeeded, mainPanel_.get(),
                     &MainPanelWindow::storeFields);
    openBesideAnalysisPanel(*intersections_);
}

void App::Integral_Rechner()
{
    if (!openOnce(integral_, Role::Area, *context_))
        return;
    QObject::connect(integral_.get(), &AreaWindow::fieldsNeeded, mainPanel_.get(),
                     &MainPanelWindow::storeFields);
    QObject::connect(integral_.get(), &AreaWindow::drawRequested, mainPanel_.get(),
                     &MainPanelWindow::Zeichnen_button_Click);
    if (drawingOpened_)
        integral_->showDrawing();  // first shown after opening: the drawing's bounds
    openBesideAnalysisPanel(*integral_);
}

void App::Eingabe_Syntax_Butt_Click()
{
    if (openOnce(help_, Role::Help))
        bringUp(*help_);
}

void App::Info_Butt_Click()
{
    if (openOnce(info_, Role::About, *ui_))
        bringUp(*info_);
}

void App::closeInOrder(std::span<const Role> order)
{
    // Closing the drawing window from here must not start its own round.
    if (closing_)
        return;
    closing_ = true;
    for (Role role : order)
        if (QWidget* w = window(role))
            w->close();
    closing_ = false;
}

void App::drawingMoved()
{
    if (drawing_->isMaximized())
        return;
    const Box drawing = outerBox(*drawing_);
    const Offset below = mainPanelBelow(drawing);
    mainPanel_->move(below.left, below.top);
    QWidget* analysis = window(Role::Analysis);
    if (analysis && context_->state.session.form3_test) {
        const Offset beside = analysisBeside(drawing);
        analysis->move(beside.left, beside.top);
    }
}

void App::mainPanelDragged()
{
    const DockAfterDrag dock = dockToMainPanel(outerBox(*mainPanel_), outerBox(*drawing_),
                                               drawing_->width(), context_->plane.width());
    if (dock.moveDrawing)
        drawing_->move(dock.drawing.left, dock.drawing.top);
    if (QWidget* analysis = window(Role::Analysis))
        analysis->move(dock.analysis.left, dock.analysis.top);
}

}  // namespace kw
