#include "app/app.h"

#include <QAction>
#include <QApplication>

#include <algorithm>

#include "panel/main_panel.h"
#include "panel/main_panel_window.h"
#include "plane/drawing_window.h"
#include "tools/about_window.h"
#include "tools/calculator_window.h"
#include "tools/help_dialog.h"
#include "tools/program_icon.h"

namespace kw {

App::App(QtUi* ui)
    : ownUi_(ui ? nullptr : std::make_unique<QtUi>()),
      ui_(ui ? ui : ownUi_.get()),
      context_(std::make_unique<Context>(*ui_)),
      drawing_(std::make_unique<DrawingWindow>(*context_)),
      mainPanel_(std::make_unique<MainPanelWindow>(*context_))
{
    QApplication::setWindowIcon(programIcon());
    ui_->attach(mainPanel_.get(), drawing_.get());
    QObject::connect(mainPanel_.get(), &MainPanelWindow::drawn, drawing_.get(), [this] {
        drawing_->show();
        drawing_->raise();
    });
    QObject::connect(mainPanel_.get(), &MainPanelWindow::endRequested, mainPanel_.get(),
                     [this] { end(); });

    const DrawingWindow::Menu& menu = drawing_->menu();
    menu.eingabeSyntax->setEnabled(true);
    menu.info->setEnabled(true);
    QObject::connect(menu.eingabeSyntax, &QAction::triggered, drawing_.get(),
                     [this] { Eingabe_Syntax_Butt_Click(); });
    QObject::connect(menu.info, &QAction::triggered, drawing_.get(),
                     [this] { Info_Butt_Click(); });
}

App::~App()
{
    ui_->attach(nullptr, nullptr);
}

void App::start()
{
    mainPanelLoad(*context_);
    mainPanel_->loadFields();
    drawing_->show();
    placeMainPanel();
    mainPanel_->show();
    drawing_->planeChanged();
}

// The main panel sits right below the drawing window, left edges aligned.
void App::placeMainPanel()
{
    const QRect outer = drawing_->frameGeometry();
    mainPanel_->adjustSize();
    mainPanel_->resize(std::max(drawing_->width(), mainPanel_->minimumSizeHint().width()),
                       mainPanel_->height());
    mainPanel_->move(outer.left(), outer.bottom() + 1);
}

namespace {
// Shows a window that may be hidden or behind others, in front.
void bringUp(QWidget& w)
{
    w.show();
    w.raise();
    w.activateWindow();
}
}  // namespace

void App::openTaschenrechner()
{
    if (!taschenrechner_)
        taschenrechner_ = std::make_unique<CalculatorWindow>(*context_);
    bringUp(*taschenrechner_);
}

void App::closeTaschenrechner()
{
    if (taschenrechner_)
        taschenrechner_->close();
}

void App::Eingabe_Syntax_Butt_Click()
{
    if (!hilfe_)
        hilfe_ = std::make_unique<HelpDialog>();
    bringUp(*hilfe_);
}

void App::Info_Butt_Click()
{
    if (!info_)
        info_ = std::make_unique<AboutWindow>(*ui_);
    bringUp(*info_);
}

void App::end()
{
    drawing_->close();
    closeTaschenrechner();
    // Help and about are not in the program's closing order; they must not keep it running.
    if (hilfe_)
        hilfe_->close();
    if (info_)
        info_->close();
    mainPanel_->close();
}

}  // namespace kw
