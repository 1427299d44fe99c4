#include "app/app.h"

#include <QApplication>

#include <algorithm>

#include "analysis/extrema.h"
#include "analysis/value_table.h"
#include "analysis/value_table_window.h"
#include "analysis/zeros.h"
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

void App::end()
{
    drawing_->close();
    mainPanel_->close();
}

// A search runs once at a time: while one runs, the windows take no input.
template <class Search>
void App::search(Search run)
{
    if (ui_->searching())
        return;
    run(*context_);
}

void App::nullstellen() { search(Nullstellen_fx_Click); }

void App::extrema() { search(Extrema_butt_Click); }

void App::wendepunkte() { search(S_and_W_punkte_Click); }

ValueTableWindow* App::werteTabelle()
{
    if (ui_->searching())
        return nullptr;
    mainPanel_->storeFields();  // the table shows the term as it stands in the field
    auto* window = new ValueTableWindow(Werte_Tabelle(*context_));
    // Each new table a little below and to the right of the one before.
    const QPoint origin = mainPanel_->frameGeometry().topLeft();
    const int step = 24 * (valueTables_++ % 10);
    window->move(origin.x() + 40 + step, std::max(0, origin.y() - window->height() - 40) + step);
    window->show();
    window->raise();
    return window;
}

}  // namespace kw
