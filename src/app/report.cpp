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

// Keeps the messages of the drawing; a report has nothing to ask or show.
class ReportUi : public Ui {
public:
    std::vector<std::string> messages;
    void message(std::string_view text, std::string_view) override { messages.emplace_back(text); }
    using Ui::message;
};

const char* usage =
    "Aufruf: kurvenwerk --report zeros|extrema|inflections|table [--term T] [--from A] "
    "[--to B] [--derivative 1]\n";

// Message boxes break lines with CR LF; a terminal wants LF.
void writeText(std::ostream& out, std::string_view text)
{
    std::string s(text);
    replaceAll(s, "\r\n", "\n");
    out << s;
    if (!s.ends_with('\n'))
        out << '\n';
}

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

bool isReport(const std::vector<std::string>& args)
{
    for (const auto& a : args)
        if (a == "--report")
            return true;
    return false;
}

std::optional<ReportOptions> parseReport(const std::vector<std::string>& args, std::ostream& err)
{
    ReportOptions o;
    std::optional<std::string> kind, derivative;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        std::optional<std::string>* slot = nullptr;
        if (name == "--report")
            slot = &kind;
        else if (name == "--term")
            slot = &o.term;
        else if (name == "--from")
            slot = &o.from;
        else if (name == "--to")
            slot = &o.to;
        else if (name == "--derivative")
            slot = &derivative;
        else {
            err << "Unbekannte Option: " << name << '\n' << usage;
            return std::nullopt;
        }
        if (i + 1 == args.size()) {
            err << "Zur Option " << name << " fehlt der Wert.\n" << usage;
            return std::nullopt;
        }
        *slot = args[++i];
    }
    static const std::map<std::string, ReportOptions::Kind> kinds{
        {"zeros", ReportOptions::Kind::Zeros},
        {"extrema", ReportOptions::Kind::Extrema},
        {"inflections", ReportOptions::Kind::Inflections},
        {"table", ReportOptions::Kind::Table},
    };
    auto k = kinds.find(*kind);
    if (k == kinds.end()) {
        err << "Unbekannter Bericht: " << *kind << '\n' << usage;
        return std::nullopt;
    }
    o.kind = k->second;
    for (const auto* bound : {&o.from, &o.to}) {
        if (*bound && !readNumber(**bound)) {
            err << "Das ist keine Zahl: " << **bound << '\n';
            return std::nullopt;
        }
    }
    if (derivative && *derivative != "0" && *derivative != "1") {
        err << "--derivative erwartet 0 oder 1.\n" << usage;
        return std::nullopt;
    }
    o.derivative = derivative == "1";
    return o;
}

int runReport(const ReportOptions& o, std::ostream& out, std::ostream& err)
{
    ReportUi ui;
    Context c(ui);
    startWith(c, o);
    State& s = c.s;
    // The window draws only ranges a plane can show; the search itself takes
    // any range, so a wider one still gets its graph pass, which sets the range
    // and the term and reports a term it cannot use.
    ui.messages.clear();
    if (rangeUsable(c))
        zeichnen(c);
    else
        berechnen(c);
    if (!ui.messages.empty()) {
        for (const auto& m : ui.messages)
            writeText(err, m);
        return kBatchFailed;
    }

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
        writeTable(out, Werte_Tabelle(c), o.derivative);
        break;
    }
    return kBatchOk;
}

}  // namespace kw
