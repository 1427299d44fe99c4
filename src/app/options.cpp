#include "app/options.h"

#include <QCommandLineParser>
#include <QStringList>

#include <algorithm>
#include <map>
#include <ostream>

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
    {"report", 1, Report, "zeros|extrema|inflections|table|intersections|integral|area|bridge",
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
    "[--section VON BIS] [--family START ENDE SCHRITT] [--shade A B] [--and G]...\n"
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

bool reportUsable(const QCommandLineParser& p, ReportOptions& o, std::ostream& err)
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
    };
    const std::string kind = p.value(QStringLiteral("report")).toStdString();
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
    if (p.isSet(QStringLiteral("derivative"))) {
        const QString d = p.value(QStringLiteral("derivative"));
        if (d != QLatin1String("0") && d != QLatin1String("1")) {
            err << "--derivative erwartet 0 oder 1.\n" << kReportUsage;
            return false;
        }
        o.derivative = d == QLatin1String("1");
    }
    return true;
}

}  // namespace

std::optional<CommandLine> parseCommandLine(const std::vector<std::string>& args,
                                            std::ostream& err)
{
    CommandLine line;
    const bool report = std::ranges::find(args, "--report") != args.end();
    if (!report && (args.empty() || !args.front().starts_with("--")))
        return line;  // the windows
    const Modes mode = report ? Report : Export;
    const char* usage = report ? kReportUsage : kExportUsage;

    // Every value is handed on as "--name=value": a value such as "-u" or "-5"
    // is then never taken for an option, and an option with two values is
    // simply given twice.
    QStringList normalized{QStringLiteral("kurvenwerk")};
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
            normalized << QString::fromStdString(arg);
        for (int v = 0; v < o->values; ++v)
            normalized << QString::fromStdString(arg + "=" + args[++i]);
    }

    QCommandLineParser p;
    for (const Option& o : kOptions)
        p.addOption(o.values ? QCommandLineOption(QString::fromLatin1(o.name), QString(),
                                                  QStringLiteral("wert"))
                             : QCommandLineOption(QString::fromLatin1(o.name)));
    if (!p.parse(normalized)) {  // cannot happen after the checks above, but never guess
        err << p.errorText().toStdString() << '\n' << usage;
        return std::nullopt;
    }
    auto text = [&p](const char* name) -> std::optional<std::string> {
        const QString option = QString::fromLatin1(name);
        if (!p.isSet(option))
            return std::nullopt;
        return p.value(option).toStdString();  // the last one given
    };
    auto three = [&p](const char* name) -> std::optional<ThreeTexts> {
        const QStringList v = p.values(QString::fromLatin1(name));
        if (v.isEmpty())
            return std::nullopt;
        const qsizetype n = v.size();  // the last three given
        return ThreeTexts{v[n - 3].toStdString(), v[n - 2].toStdString(), v[n - 1].toStdString()};
    };

    // A saved drawing brings everything the other options would set.
    if (p.isSet(QStringLiteral("open"))) {
        for (const QString& name : p.optionNames()) {
            if (name != QLatin1String("open") && name != QLatin1String("export") &&
                name != QLatin1String("report")) {
                err << "--open bringt die ganze Zeichnung mit: --" << name.toStdString()
                    << " passt nicht dazu.\n"
                    << usage;
                return std::nullopt;
            }
        }
    }
    FieldTexts fields;
    fields.openFile = text("open");
    fields.term = text("term");
    fields.from = text("from");
    fields.to = text("to");
    std::vector<std::string> und;
    for (const QString& g : p.values(QStringLiteral("and")))
        und.push_back(g.toStdString());
    if (report) {
        line.mode = CommandLine::Mode::Report;
        static_cast<FieldTexts&>(line.report) = fields;
        line.report.und = und;
        line.report.lower = text("lower");
        line.report.upper = text("upper");
        line.report.bridge = three("bridge");
        if (!reportUsable(p, line.report, err))
            return std::nullopt;
        return line;
    }

    line.mode = CommandLine::Mode::Export;
    BatchOptions& o = line.exportOptions;
    static_cast<FieldTexts&>(o) = fields;
    o.quality = text("quality");
    o.colour = text("colour");
    o.exportFile = text("export").value_or("");
    o.tangent = text("tangent");
    o.inverse = p.isSet(QStringLiteral("inverse"));
    for (const QString& d : p.values(QStringLiteral("derivative"))) {
        if (d != QLatin1String("1") && d != QLatin1String("2") && d != QLatin1String("3")) {
            err << "Ableitung " << d.toStdString() << " gibt es nicht (möglich: 1, 2, 3).\n";
            return std::nullopt;
        }
        o.derivatives.push_back(d.front().digitValue());
    }
    const QStringList section = p.values(QStringLiteral("section"));
    if (!section.isEmpty())
        o.section = {section[section.size() - 2].toStdString(), section.back().toStdString()};
    const QStringList shade = p.values(QStringLiteral("shade"));
    if (!shade.isEmpty())
        o.shade = {shade[shade.size() - 2].toStdString(), shade.back().toStdString()};
    o.und = und;
    o.family = three("family");
    o.bridge = three("bridge");
    if (!exportUsable(o, err))
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
