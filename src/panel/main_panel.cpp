#include "panel/main_panel.h"

#include <cmath>
#include <cstdint>
#include <random>

#include "core/axes.h"
#include "core/context.h"
#include "scene/redraw.h"
#include "terms/numtext.h"

namespace kw {

void mainPanelLoad(Context& c)
{
    zufall(c);
    readRange(c);
    c.s.f_Linie_staerke = 2;
    drawingWindowLoad(c);
}

void zeichnen(Context& c)
{
    // A range the plane cannot show draws nothing (Zeichnen_click says why);
    // a term that was not drawn does not join the list.
    if (rangeUsable(c)) {
        auto& list = c.s.EingabeListe;
        list.push_back(c.s.Eingabe);
        if (list.size() > kVerlaufMax)
            list.erase(list.begin());
        c.ui.fieldsChanged();
    }
    Zeichnen_click(c);
}

void reset(Context& c)
{
    if (!checkRange(c))
        return;  // X and Y keep the range of the picture
    readRange(c);
    reset_click(c);
    c.ui.setProgressMaximum(std::fabs(c.s.Y) + std::fabs(c.s.X));
    c.ui.setProgressValue(0);
}

void loeschen_graph_check(Context& c)
{
    c.s.Graphloeschen_check = countClick(c.s.Graphloeschen_check_click);
}

bool extras(Context& c)
{
    const bool show = countClick(c.s.miCounter);
    if (c.s.miCounter == 1)
        c.s.form3_test = true;
    return show;
}

void analysisPanelClosed(Context& c)
{
    if (c.s.miCounter % 2 != 0)
        extras(c);
}

void linienStaerke(Context& c)
{
    if (auto w = readInt16(c.s.f_x_linie_staerke))
        c.s.f_Linie_staerke = *w;
}

}  // namespace kw
