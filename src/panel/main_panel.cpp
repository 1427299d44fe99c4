#include "panel/main_panel.h"

#include <cmath>
#include <cstdint>
#include <random>

#include "core/axes.h"
#include "core/context.h"
#include "scene/redraw.h"
#include "scene/request.h"
#include "terms/numtext.h"

namespace kw {

void mainPanelLoad(Context& c)
{
    randomExample(c);
    readRange(c);
    c.state.main.f_Linie_staerke = 2;
    drawingWindowLoad(c);
}

void drawFromPanel(Context& c)
{
    // A range the plane cannot show draws nothing (Zeichnen_click says why);
    // a term that was not drawn does not join the list.
    const DrawRequest r = readRequest(c);
    if (r.rangeFits()) {
        auto& list = c.state.main.EingabeListe;
        list.push_back(c.state.main.Eingabe);
        if (list.size() > kHistoryMax)
            list.erase(list.begin());
        c.ui.fieldsChanged();
    }
    Zeichnen_click(c, r);
}

void reset(Context& c)
{
    const DrawRequest r = readRequest(c);
    if (!checkRange(c, r))
        return;  // X and Y keep the range of the picture
    applyRange(c.state.picture, r);
    redrawAll(c, r, {});  // reset_click with this request
    c.ui.setProgressMaximum(std::fabs(c.state.picture.Y) + std::fabs(c.state.picture.X));
    c.ui.setProgressValue(0);
}

void loeschen_graph_check(Context& c)
{
    c.state.main.Graphloeschen_check = countClick(c.state.clicks.Graphloeschen_check_click);
}

bool extras(Context& c)
{
    const bool show = countClick(c.state.clicks.miCounter);
    if (c.state.clicks.miCounter == 1)
        c.state.session.form3_test = true;
    return show;
}

void analysisPanelClosed(Context& c)
{
    if (c.state.clicks.miCounter % 2 != 0)
        extras(c);
}

void applyGraphWidth(Context& c)
{
    if (auto w = readInt16(c.state.main.f_x_linie_staerke))
        c.state.main.f_Linie_staerke = *w;
}

}  // namespace kw
