#include "app/options.h"

#include <algorithm>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/colours.h"
#include "gui/drawing_file.h"
#include "terms/numtext.h"
#include "tools/intersection_calculator.h"

namespace kw {

namespace {

enum Modes : unsigned { Export = 1, Report = 2, Both = Export | Report };

// Every option of the command line: how many values it takes, where it may
// stand, and its line of the usage text.
struct Option {
    const char* name;
    int values;
    Modes modes;
    const char* valueNames;
    const char* help;
};

constexpr Option kOptions[] = {
    {"export", 1, Export, "DATEI",
     "schreibt die ganze Ebene als PNG, JPEG, SVG oder PDF (nach der Endung), "
     "als .kurve die Zeichnung"},
    {"report", 1, Report, "zeros|extrema|inflections|table|intersections|integral|area|bridge|discussion",
     "schreibt, was der Knopf der Analyse oder ein Rechner zeigen würde"},
    {"open", 1, Both, "DATEI.kurve",
     "eine gespeicherte Zeichnung statt der Optionen für Term, Bereich und Kurven"},
    {"term", 1, Both, "T", "der Term f(x) (sonst x^2)"},
    {"and", 1, Both, "G",
     "eine weitere Funktion (mehrfach, bis zu sechs): Bild und Schnittpunkte; area: g(x)"},
    {"from", 1, Both, "A", "linkes Ende des x-Bereichs (sonst -20)"},
    {"to", 1, Both, "B", "rechtes Ende des x-Bereichs (sonst 20)"},
    {"quality", 1, Export, "Q", "Stützstellen je Einheit (sonst 50)"},
    {"colour", 1, Export, "NAME", "Farbe des Graphen: Rot, Grün, Blau, Schwarz, Gelb, Orange, Violett"},
    {"derivative", 1, Both, "N",
     "Bild: erste, zweite oder dritte Ableitung (1, 2, 3; mehrfach); Wertetabelle: 1 zeigt f'(x)"},
    {"tangent", 1, Export, "X0", "die Tangente an der Stelle X0"},
    {"inverse", 0, Export, "", "die Umkehrfunktion"},
    {"discussion", 0, Export, "",
     "statt der Ebene das Arbeitsblatt der Kurvendiskussion als PDF (Discussion, Wertetabelle, Graph)"},
    {"section", 2, Export, "VON BIS", "nur der Abschnitt von VON bis BIS (-u und +u: ohne Grenze)"},
    {"shade", 2, Export, "A B", "die Fläche zwischen f(x) und der x-Achse von A bis B eingefärbt"},
    {"lower", 1, Report, "A",
     "integral, area: Untergrenze (sonst das linke Ende des Bereichs bzw. der erste Schnittpunkt)"},
    {"upper", 1, Report, "B",
     "integral, area: Obergrenze (sonst das rechte Ende des Bereichs bzw. der letzte Schnittpunkt)"},
    {"family", 3, Export, "START ENDE SCHRITT",
     "eine Funktionenschar: der Parameter @ des Terms von START bis ENDE, je um SCHRITT"},
    {"bridge", 3, Both, "ABSTAND HOEHE TIEFSTER",
     "die Hängebrücke: Abstand und Höhe der Aufhängepunkte, tiefster Punkt des Seils; "
     "sie setzt Term und Bereich"},
    {"help", 0, Both, "", "zeigt diese Hilfe"},
    {"version", 0, Both, "", "zeigt die Version"},
};

const Option* find(std::string_view name)
{
    for (const Option& o : kOptions)
        if (name == o.name)
            return &o;
    return nullptr;
}

constexpr const char* kExportUsage =
    "Aufruf: kurvenwerk --export DATEI [--term T] [--from A] [--to B] [--quality Q] "
    "[--colour NAME] [--derivative 1|2|3]... [--tangent X0] [--inverse] "
    "[--section VON BIS] [--family START ENDE SCHRITT] [--shade A B] [--and G]... "
    "[--discussion]\n"
    "       kurvenwerk --export DATEI --bridge ABSTAND HOEHE TIEFSTER [--quality Q] "
    "[--colour NAME] ...\n"
    "       kurvenwerk --export DATEI --open DATEI.kurve\n";
constexpr const char* kReportUsage =
    "Aufruf: kurvenwerk --report zeros|extrema|inflections|table [--term T] [--from A] "
    "[--to B] [--derivative 1]\n"
    "       kurvenwerk --report intersections [--term F1] --and F2 [--and F3]... [--from A] "
    "[--to B]\n"
    "       kurvenwerk --report integral|area [--term F] [--and G] [--lower A --upper B] "
    "[--from A] [--to B]\n"
    "       kurvenwerk --report bridge --bridge ABSTAND HOEHE TIEFSTER\n"
    "       kurvenwerk --report discussion [--term T] [--from A] [--to B]\n"
    "       kurvenwerk --report BERICHT --open DATEI.kurve\n";

// The three values of --family or --bridge are numbers.
bool numbers(const ThreeTexts& values, std::ostream& err)
{
    for (const std::string& v : values) {
        if (!readNumber(v)) {
            err << "Das ist keine Zahl: " << v << '\n';
            return false;
        }
    }
    return true;
}

// Further functions: with f at most as many as the intersection calculator
// takes, none twice.
bool furtherUsable(const std::string& term, const std::vector<std::string>& und,
                   std::ostream& err)
{
    if (und.size() >= kMaxIntersectionTerms) {
        err << kSevenFunctionsMessage << '\n';
        return false;
    }
    for (std::size_t i = 0; i < und.size(); ++i) {
        const auto before = und.begin() + std::ptrdiff_t(i);
        if (und[i] == term || std::find(und.begin(), before, und[i]) != before) {
            err << kAlreadyEnteredMessage << ": " << und[i] << '\n';
            return false;
        }
    }
    return true;
}

// The bridge sets the term and the range itself.
bool bridgeAlone(const FieldTexts& o, std::ostream& err, const char* usage)
{
    if (o.term || o.from || o.to) {
        err << "--bridge setzt Term und Bereich selbst: --term, --from und --to passen nicht "
               "dazu.\n"
            << usage;
        return false;
    }
    return true;
}

// The checks of a picture's options beyond their form.
bool exportUsable(const BatchOptions& o, std::ostream& err)
{
    if (o.exportFile.empty()) {
        err << kExportUsage;
        return false;
    }
    if (o.discussion && pictureFormat(o.exportFile) != PictureFormat::Pdf) {
        err << "Das Arbeitsblatt (--discussion) gibt es nur als PDF: " << o.exportFile << '\n';
        return false;
    }
    if (!pictureFormat(o.exportFile) && !isDrawingFile(QString::fromStdString(o.exportFile))) {
        err << "Die Datei muss auf " << kPictureEndings << " oder .kurve enden: " << o.exportFile
            << '\n';
        return false;
    }
    if (o.colour && !colourByName(*o.colour, kSevenColours)) {
        err << "Unbekannte Farbe: " << *o.colour << " (möglich:";
        for (std::size_t i = 0; i < kSevenColours; ++i)
            err << ' ' << kColours[i].name;
        err << ")\n";
        return false;
    }
    if (o.tangent && !readNumber(*o.tangent)) {
        err << "Die Stelle der Tangente ist keine Zahl: " << *o.tangent << '\n';
        return false;
    }
    const bool parameter = o.term && o.term->find('@') != std::string::npos;
    if (o.family && !parameter) {
        err << "--family braucht einen Term mit dem Parameter @.\n" << kExportUsage;
        return false;
    }
    if (parameter && !o.family) {
        err << "Ein Term mit dem Parameter @ braucht --family START ENDE SCHRITT.\n"
            << kExportUsage;
        return false;
    }
    if ((o.family && !numbers(*o.family, err)) || (o.bridge && !numbers(*o.bridge, err)))
        return false;
    if (o.bridge && !bridgeAlone(o, err, kExportUsage))
        return false;
    if (o.shade && (!readNumber(o.shade->first) || !readNumber(o.shade->second))) {
        err << "Die Grenzen der Fläche sind keine Zahlen: " << o.shade->first << ' '
            << o.shade->second << '\n';
        return false;
    }
    if (!furtherUsable(o.term.value_or("x^2"), o.und, err))
        return false;
    if (o.section) {
        for (auto [bound, unbounded] : {std::pair{o.section->first, "-u"},
                                        std::pair{o.section->second, "+u"}}) {
            if (bound != unbounded && !readNumber(bound)) {
                err << "Die Abschnittsgrenze ist weder eine Zahl noch " << unbounded << ": "
                    << bound << '\n';
                return false;
            }
        }
    }
    return true;
}

// The options as given, each with its values in order (an option without a
// value has one empty value per time it was given).
class Given {
public:
    void add(std::string_view name, std::string value) { values_[name].push_back(std::move(value)); }
    bool isSet(std::string_view name) const { return values_.contains(name); }
    std::vector<std::string_view> names() const
    {
        std::vector<std::string_view> out;
        for (const auto& [name, values] : values_)
            out.push_back(name);
        return out;
    }
    const std::vector<std::string>& values(std::string_view name) const
    {
        static const std::vector<std::string> none;
        const auto v = values_.find(name);
        return v == values_.end() ? none : v->second;
    }
    // The last one given.
    std::optional<std::string> text(std::string_view name) const
    {
        const auto& v = values(name);
        return v.empty() ? std::nullopt : std::optional<std::string>(v.back());
    }
    // The last three given.
    std::optional<ThreeTexts> three(std::string_view name) const
    {
        const auto& v = values(name);
        if (v.empty())
            return std::nullopt;
        const std::size_t n = v.size();
        return ThreeTexts{v[n - 3], v[n - 2], v[n - 1]};
    }

private:
    std::map<std::string_view, std::vector<std::string>> values_;
};

bool reportUsable(const Given& p, ReportOptions& o, std::ostream& err)
{
    static const std::map<std::string, ReportOptions::Kind> kinds{
        {"zeros", ReportOptions::Kind::Zeros},
        {"extrema", ReportOptions::Kind::Extrema},
        {"inflections", ReportOptions::Kind::Inflections},
        {"table", ReportOptions::Kind::Table},
        {"intersections", ReportOptions::Kind::Intersections},
        {"integral", ReportOptions::Kind::Integral},
        {"area", ReportOptions::Kind::Area},
        {"bridge", ReportOptions::Kind::Bridge},
        {"discussion", ReportOptions::Kind::Discussion},
    };
    const std::string kind = p.text("report").value_or("");
    auto k = kinds.find(kind);
    if (k == kinds.end()) {
        err << "Unbekannter Bericht: " << kind << '\n' << kReportUsage;
        return false;
    }
    o.kind = k->second;
    if (o.openFile)
        return true;  // the drawing brings the terms and bounds
    using Kind = ReportOptions::Kind;
    const bool withBounds = o.kind == Kind::Integral || o.kind == Kind::Area;
    const bool takesFurther = o.kind == Kind::Intersections || o.kind == Kind::Area;
    if (takesFurther == o.und.empty() || (o.kind == Kind::Area && o.und.size() > 1)) {
        err << "--and gehört zu intersections (eine bis sechs weitere Funktionen) und zu area "
               "(genau eine: g(x)).\n"
            << kReportUsage;
        return false;
    }
    if ((o.lower || o.upper) && !withBounds) {
        err << "--lower und --upper gehören zu integral und area.\n" << kReportUsage;
        return false;
    }
    if (o.kind == Kind::Area && o.lower.has_value() != o.upper.has_value()) {
        err << "area braucht beide Grenzen, --lower und --upper, oder keine.\n" << kReportUsage;
        return false;
    }
    if ((o.kind == ReportOptions::Kind::Bridge) != o.bridge.has_value()) {
        err << "--report bridge und --bridge gehören zusammen.\n" << kReportUsage;
        return false;
    }
    if (o.bridge)
        return numbers(*o.bridge, err) && bridgeAlone(o, err, kReportUsage);
    if (o.term && o.term->find('@') != std::string::npos) {
        err << "Berichte gibt es nur für Terme ohne den Parameter @.\n";
        return false;
    }
    if (!furtherUsable(o.term.value_or("x^2"), o.und, err))
        return false;
    for (const auto* bound : {&o.from, &o.to, &o.lower, &o.upper}) {
        if (*bound && !readNumber(**bound)) {
            err << "Das ist keine Zahl: " << **bound << '\n';
            return false;
        }
    }
    if (const auto d = p.text("derivative")) {
        if (*d != "0" && *d != "1") {
            err << "--derivative erwartet 0 oder 1.\n" << kReportUsage;
            return false;
        }
        o.derivative = *d == "1";
    }
    return true;
}

}  // namespace

namespace {

// The export's options from what was given; nothing when they are unusable.
bool exportFrom(const Given& p, BatchOptions& o, std::ostream& err)
{
    o.quality = p.text("quality");
    o.colour = p.text("colour");
    o.exportFile = p.text("export").value_or("");
    o.tangent = p.text("tangent");
    o.inverse = p.isSet("inverse");
    o.discussion = p.isSet("discussion");
    for (const std::string& d : p.values("derivative")) {
        if (d != "1" && d != "2" && d != "3") {
            err << "Ableitung " << d << " gibt es nicht (möglich: 1, 2, 3).\n";
            return false;
        }
        o.derivatives.push_back(d[0] - '0');
    }
    const auto& section = p.values("section");
    if (!section.empty())
        o.section = {section[section.size() - 2], section.back()};
    const auto& shade = p.values("shade");
    if (!shade.empty())
        o.shade = {shade[shade.size() - 2], shade.back()};
    o.family = p.three("family");
    o.bridge = p.three("bridge");
    return exportUsable(o, err);
}

}  // namespace

std::optional<CommandLine> parseCommandLine(const std::vector<std::string>& args,
                                            std::ostream& err)
{
    CommandLine line;
    const bool report = std::ranges::find(args, "--report") != args.end();
    if (!report) {
        if (args.empty() || (args.size() == 1 && !args.front().starts_with('-')))
            return line;  // the windows, perhaps with a drawing to open
        if (!args.front().starts_with("--")) {
            // "-export a.png" is a typing slip, not a request for the windows.
            err << "Unbekannte Option: " << args.front() << '\n' << kExportUsage;
            return std::nullopt;
        }
    }
    const Modes mode = report ? Report : Export;
    const char* usage = report ? kReportUsage : kExportUsage;

    // One pass: each option takes as many of the following arguments as it has
    // values, so a value such as "-u" or "-5" is never taken for an option, and
    // an option with two values is simply given twice.
    Given p;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const Option* o = arg.starts_with("--") ? find(std::string_view(arg).substr(2)) : nullptr;
        if (o && (o->name == std::string_view("help") || o->name == std::string_view("version"))) {
            line.mode = o->name[0] == 'h' ? CommandLine::Mode::Help : CommandLine::Mode::Version;
            return line;
        }
        if (!o || !(o->modes & mode)) {
            err << "Unbekannte Option: " << arg << '\n' << usage;
            return std::nullopt;
        }
        if (args.size() - i - 1 < std::size_t(o->values)) {
            err << "Zur Option " << arg << " fehlt der Wert.\n" << usage;
            return std::nullopt;
        }
        if (o->values == 0)
            p.add(o->name, "");
        for (int v = 0; v < o->values; ++v)
            p.add(o->name, args[++i]);
    }

    // A saved drawing brings everything the other options would set.
    if (p.isSet("open")) {
        for (const std::string_view name : p.names()) {
            if (name != "open" && name != "export" && name != "report") {
                err << "--open bringt die ganze Zeichnung mit: --" << name
                    << " passt nicht dazu.\n"
                    << usage;
                return std::nullopt;
            }
        }
    }
    FieldTexts fields;
    fields.openFile = p.text("open");
    fields.term = p.text("term");
    fields.from = p.text("from");
    fields.to = p.text("to");
    if (report) {
        line.mode = CommandLine::Mode::Report;
        static_cast<FieldTexts&>(line.report) = fields;
        line.report.und = p.values("and");
        line.report.lower = p.text("lower");
        line.report.upper = p.text("upper");
        line.report.bridge = p.three("bridge");
        if (!reportUsable(p, line.report, err))
            return std::nullopt;
        return line;
    }
    line.mode = CommandLine::Mode::Export;
    static_cast<FieldTexts&>(line.exportOptions) = fields;
    line.exportOptions.und = p.values("and");
    if (!exportFrom(p, line.exportOptions, err))
        return std::nullopt;
    return line;
}

std::string usageText()
{
    std::string text = "Kurvenwerk zeichnet Funktionen und untersucht sie. Ohne Optionen öffnet "
                       "es seine Fenster.\n\n";
    text += kExportUsage;
    text += kReportUsage;
    text += "\nOptionen:\n";
    for (const Option& o : kOptions) {
        std::string left = std::string("  --") + o.name;
        if (o.values)
            left += std::string(" ") + o.valueNames;
        text += left;
        text += left.size() < 24 ? std::string(24 - left.size(), ' ') : "\n" + std::string(24, ' ');
        text += o.help;
        text += '\n';
    }
    text += "\nExit-Status: 0 geschrieben, 1 nicht zu zeichnen oder nicht zu schreiben, "
            "2 unbrauchbare Optionen.\n";
    return text;
}

std::string versionText() { return "Kurvenwerk " KURVENWERK_VERSION "\n"; }

}  // namespace kw
