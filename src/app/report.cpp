#include "app/report.h"

#include <map>
#include <ostream>

#include "analysis/extrema.h"
#include "analysis/value_table.h"
#include "analysis/zeros.h"
#include "app/batch.h"
#include "core/axes.h"
#include "core/context.h"
#include "discussion/discussion.h"
#include "gui/drawing_file.h"
#include "panel/main_panel.h"
#include "scene/graph_pass.h"
#include "scene/redraw.h"
#include "scene/request.h"
#include "terms/normalize.h"
#include "terms/numtext.h"
#include "tools/area_calculator.h"
#include "tools/intersection_calculator.h"

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

// The lines of a result box, without the empty ones between them.
void writeLines(std::ostream& out, std::string_view text)
{
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        if (end > start)
            out << text.substr(start, end - start) << '\n';
        start = end + 2;
    }
}

// "Schnittpunkte berechnen" after the terms were entered one by one.
int intersections(Context& c, const ReportOptions& o, std::ostream& out)
{
    IntersectionFields r;
    std::vector<std::string> terms{c.state.main.Eingabe};
    terms.insert(terms.end(), o.und.begin(), o.und.end());
    for (const std::string& term : terms) {
        r.Eingabe_Term_txt = term;
        if (!Eingabe_button_Click(c, r))
            return kBatchFailed;
    }
    readRange(c);
    Schnittpunkte_butt_Click(c, r);
    writeLines(out, std::string_view(r.Schnittpunkte_txt).substr(kIntersectionsFound.size()));
    return kBatchOk;
}

// The lower calculator's "Berechnen" for f and g. Bounds given are kept as
// typed; without them a new pair offers its first and last crossing.
int area(Context& c, const ReportOptions& o, std::ostream& out)
{
    State& s = c.state;
    AreaFields r;
    s.areas.f_x_Eingabe_txt = s.main.Eingabe;
    s.areas.g_x_Eingabe_txt = o.und.front();
    if (o.lower && o.upper) {
        r.SP_Untergrenze_txt = *o.lower;
        r.SP_Obergrenze_txt = *o.upper;
        s.terms.Schnittstellen_Term_davor = s.areas.f_x_Eingabe_txt + "-(" + s.areas.g_x_Eingabe_txt + ")";
    }
    Integral_Berechnen_SP_butt_Click(c, r);
    // A report that fails says so on err alone.
    if (r.Schnitt_Flaeche_Ergebniss.empty())
        return kBatchFailed;
    writeLines(out, r.Laben_Schnitt_f_g);
    out << r.Schnitt_Flaeche_Ergebniss << '\n'
        << kAreaCaption << r.Flaecheninhalt_SP_Ergebnis << '\n';
    return kBatchOk;
}

// The options a saved drawing stands for: its term and range, the
// calculators' functions and bounds, the bridge's fields.
ReportOptions fromDrawing(ReportOptions o, const DrawingParts& d)
{
    using Kind = ReportOptions::Kind;
    o.term = d.main.Eingabe;
    o.from = d.main.x_eingabe;
    o.to = d.main.y_eingabe;
    o.und.clear();
    const AreaState& a = d.areas;
    if (o.kind == Kind::Intersections) {
        for (const std::string& g : d.intersections.Schnittstellen_Terme)
            if (g != d.main.Eingabe)
                o.und.push_back(g);
    } else if (o.kind == Kind::Area) {
        o.term = a.f_x_Eingabe_txt;
        o.und = {a.g_x_Eingabe_txt};
        if (!a.SP_Untergrenze_txt.empty() && !a.SP_Obergrenze_txt.empty()) {
            o.lower = a.SP_Untergrenze_txt;
            o.upper = a.SP_Obergrenze_txt;
        }
    } else if (o.kind == Kind::Integral) {
        if (!a.Untergrenze_eingabe.empty())
            o.lower = a.Untergrenze_eingabe;
        if (!a.Obergrenze_eingabe.empty())
            o.upper = a.Obergrenze_eingabe;
    }
    const BridgeState& b = d.bridge;
    o.bridge = ThreeTexts{b.Abstand_txt, b.Hoehe_txt, b.Tiefster_Punkt_txt};
    o.openFile.reset();
    return o;
}

}  // namespace

int runReport(const ReportOptions& options, std::ostream& out, std::ostream& err)
{
    if (options.openFile) {
        const DrawingRead read = readDrawingFile(QString::fromStdString(*options.openFile));
        if (!read.drawing) {
            err << read.error << '\n';
            return kBatchFailed;
        }
        return runReport(fromDrawing(options, *read.drawing), out, err);
    }
    const ReportOptions& o = options;
    StreamUi ui(err);
    Context c(ui);
    startWith(c, o);
    State& s = c.state;
    if (o.kind == ReportOptions::Kind::Bridge) {
        BridgeFields r;
        if (!calculateBridge(c, o.bridge.value(), r))
            return kBatchFailed;
        out << "a1 = " << r.a1_Ausgabe << "\na2 = " << r.a2_Ausgabe << "\nc1 = " << r.c1_Ausgabe
            << "\nc2 = " << r.c2_Ausgabe << "\nf(x) = " << s.main.Eingabe << '\n';
        return kBatchOk;
    }
    if (o.kind == ReportOptions::Kind::Intersections)
        return intersections(c, o, out);
    if (o.kind == ReportOptions::Kind::Area)
        return area(c, o, out);
    AreaFields integral;
    if (o.kind == ReportOptions::Kind::Integral) {
        // The upper calculator as loaded from the range fields, then "Berechnen",
        // which hands its term to the drawing.
        integral.Funktion_eingabe = s.main.Eingabe;
        integral.Untergrenze_eingabe = o.lower.value_or(s.main.x_eingabe);
        integral.Obergrenze_eingabe = o.upper.value_or(s.main.y_eingabe);
        if (!Integral_Berechnen_Butt_Click(c, integral))
            return kBatchFailed;
    }
    // The window draws only ranges a plane can show; the search itself takes
    // any range, so a wider one still gets its graph pass, which sets the range
    // and the term. What the pass says goes to err; the report follows, as the
    // button does after the message box, unless the term is not in the right form.
    if (rangeUsable(c))
        drawFromPanel(c);
    else
        berechnen(c, readRequest(c));
    if (c.drawing.termRefused)
        return kBatchFailed;

    switch (o.kind) {
    case ReportOptions::Kind::Zeros:
        writeText(out, zerosReport(c));
        break;
    case ReportOptions::Kind::Extrema:
        writeText(out, extremaReport(c));
        break;
    case ReportOptions::Kind::Inflections:
        writeText(out, inflectionsReport(c));
        break;
    case ReportOptions::Kind::Table:
        s.overlays.ableitungs_test = o.derivative;
        if (const auto table = Werte_Tabelle(c))
            writeTable(out, *table, o.derivative);
        break;
    case ReportOptions::Kind::Discussion:
        out << discussionText(discuss(s.main.Eingabe, c.drawing.xterm, s.picture.X, s.picture.Y, &c.ui));
        break;
    case ReportOptions::Kind::Integral:
        if (integral.Flaeche_Ergebnis.empty())
            return kBatchFailed;
        out << integral.Flaeche_Ergebnis << '\n'
            << kAreaCaption << integral.Flaecheninhalt_Ergebnis << '\n';
        break;
    case ReportOptions::Kind::Intersections:
    case ReportOptions::Kind::Area:
    case ReportOptions::Kind::Bridge:
        break;  // answered above, without the main drawing
    }
    return kBatchOk;
}

}  // namespace kw
