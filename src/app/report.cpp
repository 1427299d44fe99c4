#include "app/report.h"

#include <map>
#include <ostream>

#include "analysis/extrema.h"
#include "analysis/value_table.h"
#include "analysis/zeros.h"
#include "app/batch.h"
#include "core/context.h"
#include "panel/main_panel.h"
#include "scene/graph_pass.h"
#include "scene/redraw.h"
#include "terms/normalize.h"
#include "terms/numtext.h"

namespace kw {

namespace {

void writeTable(std::ostream& out, const ValueTable& t, bool derivative)
{
    // Both f tables start with x = 0: one line per x, from left to right.
    struct Line {
        std::string f, d;
    };
    std::map<int, Line> lines;
    for (const ValueRow* row : {&t.fNegative, &t.fPositive})
        for (std::size_t i = 0; i < row->xs.size(); ++i)
            lines[row->xs[i]].f = row->cells[i];
    for (const ValueRow* row : {&t.dNegative, &t.dPositive})
        for (std::size_t i = 0; i < row->xs.size(); ++i)
            lines[row->xs[i]].d = row->cells[i];
    for (const auto& [x, line] : lines) {
        out << x << '\t' << line.f;
        if (derivative)
            out << '\t' << line.d;
        out << '\n';
    }
}

}  // namespace

int runReport(const ReportOptions& o, std::ostream& out, std::ostream& err)
{
    StreamUi ui(err);
    Context c(ui);
    startWith(c, o);
    State& s = c.s;
    // The window draws only ranges a plane can show; the search itself takes
    // any range, so a wider one still gets its graph pass, which sets the range
    // and the term. What the pass says goes to err; the report follows, as the
    // button does after the message box, unless the term is not in the right form.
    if (rangeUsable(c))
        zeichnen(c);
    else
        berechnen(c);
    if (c.w.termRefused)
        return kBatchFailed;

    switch (o.kind) {
    case ReportOptions::Kind::Zeros:
        writeText(out, nullstellenBericht(c));
        break;
    case ReportOptions::Kind::Extrema:
        writeText(out, extremaBericht(c));
        break;
    case ReportOptions::Kind::Inflections:
        writeText(out, wendepunkteBericht(c));
        break;
    case ReportOptions::Kind::Table:
        s.ableitungs_test = o.derivative;
        if (const auto table = Werte_Tabelle(c))
            writeTable(out, *table, o.derivative);
        break;
    }
    return kBatchOk;
}

}  // namespace kw
