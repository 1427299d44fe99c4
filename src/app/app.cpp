#include "app/app.h"

#include <QApplication>

#include <algorithm>

#include "panel/analysis_panel_window.h"
#include "panel/main_panel.h"
#include "panel/main_panel_window.h"
#include "plane/drawing_window.h"

namespace kw {

App::App(QtUi* ui)
    : ownUi_(ui ? nullptr : std::make_unique<QtUi>()),
      ui_(ui ? ui : ownUi_.get()),
      context_(std::make_unique<Context>(*ui_)),
      drawing_(std::make_unique<DrawingWindow>(*context_)),
      mainPanel_(std::make_unique<MainPanelWindow>(*context_))
{
    ui_->attach(mainPanel_.get(), drawing_.get());
    QObject::connect(mainPanel_.get(), &MainPanelWindow::drawn, drawing_.get(), [this] {
        drawing_->show();
        drawing_->raise();
    });
    QObject::connect(mainPanel_.get(), &MainPanelWindow::endRequested, mainPanel_.get(),
                     [this] { end(); });
    QObject::connect(mainPanel_.get(), &MainPanelWindow::analysisPanelToggled, mainPanel_.get(),
                     [this](bool show) { showAnalysisPanel(show); });
}

App::~App()
{
    ui_->attach(nullptr, nullptr);
    ui_->attachAnalysisPanel(nullptr);
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

// The analysis panel sits right of the drawing window, top edges aligned.
void App::placeAnalysisPanel()
{
    const QRect outer = drawing_->frameGeometry();
    analysis_->move(outer.x() + outer.width(), outer.y());
}

void App::showAnalysisPanel(bool show)
{
    if (!show) {
        if (analysis_)
            analysis_->hide();
        return;
    }
    if (!analysis_) {
        analysis_ = std::make_unique<AnalysisPanelWindow>(*context_);
        ui_->attachAnalysisPanel(analysis_.get());
        QObject::connect(analysis_.get(), &AnalysisPanelWindow::fieldsNeeded, mainPanel_.get(),
                         &MainPanelWindow::storeFields);
        QObject::connect(analysis_.get(), &AnalysisPanelWindow::closed, analysis_.get(),
                         [this] { analysisPanelClosed(*context_); });
    }
    placeAnalysisPanel();
    analysis_->show();
    analysis_->raise();
}

void App::end()
{
    if (analysis_)
        analysis_->close();
    drawing_->close();
    mainPanel_->close();
}

}  // namespace kw
