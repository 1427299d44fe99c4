#include "app/batch.h"

#include <QString>

#include <algorithm>
#include <cmath>
#include <new>
#include <ostream>

#include "areas/intersections.h"
#include "core/colours.h"
#include "core/context.h"
#include "core/document.h"
#include "curves/graph.h"
#include "discussion/discussion.h"
#include "gui/drawing_file.h"
#include "gui/worksheet.h"
#include "panel/analysis_panel.h"
#include "panel/main_panel.h"
#include "scene/redraw.h"
#include "scene/request.h"
#include "terms/normalize.h"
#include "terms/numtext.h"

namespace kw {

void writeText(std::ostream& out, std::string_view text)
{
    std::string s(text);
    replaceAll(s, "\r\n", "\n");
    out << s;
    if (!s.ends_with('\n'))
        out << '\n';
}

void StreamUi::message(std::string_view text, std::string_view) { writeText(err_, text); }

std::optional<std::string> StreamUi::input(std::string_view, std::string_view, std::string_view)
{
    if (answers_.empty())
        return std::nullopt;
    std::string answer = std::move(answers_.front());
    answers_.pop_front();
    return answer;
}

std::optional<PictureFormat> pictureFormat(const std::string& file)
{
    return pictureFormatOf(QString::fromStdString(file));
}

void startWith(Context& c, const FieldTexts& f)
{
    State& s = c.state;
    if (f.from)
        s.main.x_eingabe = *f.from;
    if (f.to)
        s.main.y_eingabe = *f.to;
    if (f.quality)
        s.main.qualitaet_eingabe = *f.quality;
    if (f.colour)
        s.main.FarbeBox = *f.colour;
    mainPanelLoad(c);
    s.main.Eingabe = f.term.value_or("x^2");
}

bool calculateBridge(Context& c, const ThreeTexts& fields, BridgeFields& r)
{
    r.Abstand_txt = fields[0];
    r.Hoehe_txt = fields[1];
    r.Tiefster_Punkt_txt = fields[2];
    return Berechne_CMD_Click(c, r);
}

namespace {

// The further functions of a picture: the same clearly distinct colours every
// time, none that f itself has.
ColourPicker furtherColours(const std::string& graphColour)
{
    static constexpr const char* kSequence[] = {"Blau", "Grün", "Violett", "Orange", "Schwarz",
                                             "Magenta", "Rot"};
    std::vector<Rgb> colours;
    const auto own = colourByName(graphColour, kSevenColours).value_or(rgb(200, 0, 0));
    for (const char* name : kSequence)
        if (const Rgb colour = *colourByName(name); colour != own)
            colours.push_back(colour);
    return [colours](std::size_t k) { return colours[k % colours.size()]; };
}

// The intersection calculator's functions (the options' --and) over the
// picture, while they are shown.
// The legend names them f2, f3, … after f1, the graph (see labelMain).
void drawFurther(Context& c)
{
    const IntersectionState& i = c.state.intersections;
    if (!i.Schnittstellen_Zeichnen_test)
        return;
    drawNamedFunctions(c, readRequest(c), i.Schnittstellen_Terme, furtherColours(c.state.main.FarbeBox), 2);
}

// The picture, the worksheet of the curve discussion or, for a .kurve file,
// the drawing.
int writeResult(Context& c, const BatchOptions& o, std::ostream& err)
{
    QString why;
    const std::string& file = o.exportFile;
    const QString name = QString::fromStdString(file);
    const State& s = c.state;
    const bool written =
        isDrawingFile(name) ? writeDrawingFile(drawingOf(c), name, why)
        : o.discussion      ? writeWorksheet(name,
                                             discuss(s.main.Eingabe, c.drawing.xterm, s.picture.X,
                                                     s.picture.Y, &c.ui),
                                             c.plane, why)
                            : writePicture(c.plane, name, *pictureFormat(file), why);
    if (written)
        return kBatchOk;
    err << "Die Datei konnte nicht geschrieben werden: " << file << " (" << why.toStdString()
        << ")\n";
    return kBatchFailed;
}

// A saved drawing, drawn as the windows draw it after opening it; its further
// functions in the colours the options give them.
int runOpened(const BatchOptions& o, std::ostream& err)
{
    StreamUi ui(err);
    Context c(ui);
    if (!openDrawing(c, *o.openFile, err))
        return kBatchFailed;
    IntersectionState& i = c.state.intersections;
    const bool further = i.Schnittstellen_Zeichnen_test;
    i.Schnittstellen_Zeichnen_test = false;  // not in the windows' random colours
    c.drawing.legendAhead = further ? int(i.Schnittstellen_Terme.size()) : 0;
    drawOpened(c);
    if (c.drawing.termRefused)
        return kBatchFailed;
    i.Schnittstellen_Zeichnen_test = further;
    drawFurther(c);
    return writeResult(c, o, err);
}

}  // namespace

bool openDrawing(Context& c, const std::string& file, std::ostream& err)
{
    const DrawingRead read = readDrawingFile(QString::fromStdString(file));
    if (!read.drawing) {
        err << read.error << '\n';
        return false;
    }
    setDrawing(c, *read.drawing);
    return true;
}

namespace {

int drawAndExport(const BatchOptions& o, std::ostream& err)
{
    if (o.openFile)
        return runOpened(o, err);
    StreamUi ui(err, o.family ? std::deque<std::string>(o.family->begin(), o.family->end())
                              : std::deque<std::string>{});
    Context c(ui);
    startWith(c, o);
    State& s = c.state;
    BridgeFields bridge;
    if (o.bridge && !calculateBridge(c, *o.bridge, bridge))
        return kBatchFailed;
    // The switches as a first click on the analysis panel leaves them.
    auto switchOn = [](State::Int& counter, bool& flag) {
        if (!flag)
            flag = countClick(counter);
    };
    for (int n : o.derivatives) {
        if (n == 1)
            switchOn(s.clicks.form3_click_Zaehler_Ableitung, s.overlays.ableitungs_test);
        else if (n == 2)
            switchOn(s.clicks.form3_click_Zaehler_Ableitung_zwei, s.overlays.zweite_ableitungs_test);
        else
            switchOn(s.clicks.form3_click_Zaehler_Ableitung_drei, s.overlays.dritte_ableitungs_test);
    }
    if (o.tangent) {
        switchOn(s.clicks.form3_click_Zaehler_tangente, s.overlays.tangente_test);
        s.overlays.x0_eingabe = *o.tangent;
        x0Changed(s);
    }
    if (o.inverse)
        switchOn(s.clicks.form3_click_Zaehler_Umkehrfunktion, s.overlays.Umkehrfunktion_test);
    if (o.section) {
        switchOn(s.clicks.form3_click_Zaehler_AD, s.overlays.ad_funktion_test);
        s.overlays.Linker_Bereich = o.section->first;
        s.overlays.Rechter_Bereich = o.section->second;
        sectionFromChanged(s);
        sectionToChanged(s);
    }
    // The further functions are checked as the term is.
    for (const std::string& g : o.und) {
        if (termTooLong(g) || !inRightForm(string_richten(g))) {
            err << "--and " << (termTooLong(g) ? g.substr(0, 40) + "…" : g) << ":\n";
            ui.message(termTooLong(g) ? kTermTooLongMessage : kSyntaxMessage);
            return kBatchFailed;
        }
    }
    // What the window would refuse to draw is no picture either; a quality so
    // small that its step 1/Q is infinite neither.
    const auto quality = readNumber(s.main.qualitaet_eingabe);
    if (!quality || !(*quality > 0)) {
        err << "Die Qualität muss eine Zahl größer als 0 sein: " << s.main.qualitaet_eingabe << '\n';
        return kBatchFailed;
    }
    if (!std::isfinite(1 / *quality)) {
        err << "Die Qualität ist zu klein, ihr Schritt 1/Q wäre unendlich: "
            << s.main.qualitaet_eingabe << '\n';
        return kBatchFailed;
    }
    if (!rangeUsable(c)) {
        ui.message(kRangeMessage);
        return kBatchFailed;
    }
    if (o.shade) {
        // Either order: the area lies between the two. (The list form of minmax
        // returns values, the other form references to the temporaries.)
        const auto [a, b] =
            std::minmax({*readNumber(o.shade->first), *readNumber(o.shade->second)});
        s.areas.Untergrenze = a;
        s.areas.Obergrenze = b;
        s.areas.Flaeche_einferben_Check = true;
    }
    c.drawing.legendAhead = int(o.und.size());
    drawFromPanel(c);
    if (c.drawing.termRefused)
        return kBatchFailed;
    if (c.plane.width() < 2 || c.plane.height() < 2) {
        err << "Dieser Bereich ergibt eine Ebene von " << c.plane.width() << " × "
            << c.plane.height() << " Pixeln; ein Bild braucht mindestens 2 × 2.\n";
        return kBatchFailed;
    }
    // The further functions are the intersection calculator's, shown.
    s.intersections.Schnittstellen_Terme = o.und;
    s.intersections.Schnittstellen_Zeichnen_test = !o.und.empty();
    drawFurther(c);
    return writeResult(c, o, err);
}

}  // namespace

int runBatch(const BatchOptions& o, std::ostream& err)
{
    // A drawing or picture too large for this machine's memory ends with a
    // message and no file instead of an abort.
    try {
        return drawAndExport(o, err);
    } catch (const std::bad_alloc&) {
        err << "Zu wenig Speicher, die Datei wurde nicht geschrieben: " << o.exportFile << '\n';
        return kBatchFailed;
    }
}

}  // namespace kw
