#include "gui/drawing_file.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/colours.h"
#include "curves/family.h"
#include "gui/picture_file.h"
#include "terms/normalize.h"
#include "terms/numtext.h"

namespace kw {

namespace {

constexpr char kFormat[] = "kurvenwerk";
// A drawing is a few kilobytes; anything far larger is not one.
constexpr qint64 kMaxFileSize = 1 << 20;
// The term list keeps nine terms, the intersection calculator seven.
constexpr std::size_t kMaxHistory = 9;
constexpr std::size_t kMaxFunctions = 7;
constexpr int kScrollMax = 1000;

// What a value must be to be opened: the checks typed input gets.
enum class Rule {
    Text,         // any text up to the length of a term
    Term,         // a term: up to kTermMax characters
    Range,        // a range field: a number within −32768 … 32767
    Quality,      // a number greater than 0
    GraphColour,  // one of the main panel's seven colour names
    WidthText,    // one of the width lists' entries
    ColourText,   // a stored colour value as decimal text, or nothing
    Width,        // a pen width: 0 or more
    ColourValue,  // a colour value as number
    Finite,
    Side,         // a plane side: 1 … Plane::kMaxSide
    Scroll,       // a scroll bar's value: 0 … 1000
    History,      // at most nine terms
    Functions,    // at most seven different terms
    Any,
};

bool valid(const std::string& v, Rule rule)
{
    switch (rule) {
    case Rule::Range:
        return readInt16(v).has_value();
    case Rule::Quality: {
        const auto q = readNumber(v);
        return q && *q > 0;
    }
    case Rule::GraphColour:
        return colourByName(v, kSevenColours).has_value();
    case Rule::WidthText:
        return std::ranges::find(kWidths, v) != kWidths.end();
    case Rule::ColourText:
        return v.empty() || colourFromText(v).has_value();
    default:
        return !termTooLong(v);
    }
}

bool valid(double v, Rule rule)
{
    switch (rule) {
    case Rule::Finite:
        return std::isfinite(v);
    case Rule::ColourValue:
        return v >= 0 && v <= 0xFFFFFF && v == std::floor(v);
    default:
        return true;
    }
}

bool valid(int v, Rule rule)
{
    switch (rule) {
    case Rule::Width:
        return v >= 0;
    case Rule::Side:
        return v >= 1 && v <= Plane::kMaxSide;
    case Rule::Scroll:
        return v >= 0 && v <= kScrollMax;
    default:
        return true;
    }
}

bool valid(const std::vector<std::string>& v, Rule rule)
{
    if (v.size() > (rule == Rule::History ? kMaxHistory : kMaxFunctions))
        return false;
    for (auto i = v.begin(); i != v.end(); ++i)
        if (termTooLong(*i) || (rule == Rule::Functions && std::find(v.begin(), i, *i) != i))
            return false;
    return true;
}

bool valid(bool, Rule) { return true; }

// A field that holds a number (range, quality): written as a JSON number, read
// from a number or from the text as typed.
struct NumberText {
    std::string& text;
};

bool valid(const NumberText& n, Rule rule) { return valid(n.text, rule); }

// Every saved field once: its section, its key, where it lives and its rule.
// Writing, reading and checking all walk this one list.
template <class Visit>
void eachField(DrawingParts& d, Visit&& f)
{
    MainPanelState& m = d.main;
    f("main", "term", m.Eingabe, Rule::Term);
    f("main", "history", m.EingabeListe, Rule::History);
    f("main", "from", NumberText{m.x_eingabe}, Rule::Range);
    f("main", "to", NumberText{m.y_eingabe}, Rule::Range);
    f("main", "quality", NumberText{m.qualitaet_eingabe}, Rule::Quality);
    f("main", "colour", m.FarbeBox, Rule::GraphColour);
    f("main", "widthText", m.f_x_linie_staerke, Rule::WidthText);
    f("main", "width", m.f_Linie_staerke, Rule::Width);
    f("main", "keepOldGraph", m.Graphloeschen_check, Rule::Any);

    PictureState& p = d.picture;
    f("picture", "from", p.X, Rule::Finite);
    f("picture", "to", p.Y, Rule::Finite);
    f("picture", "width", d.planeWidth, Rule::Side);
    f("picture", "height", d.planeHeight, Rule::Side);
    f("picture", "sizeX", p.sizex, Rule::Side);
    f("picture", "sizeY", p.sizey, Rule::Side);
    f("picture", "zoom", p.Zoom_Prozent, Rule::Finite);
    f("picture", "scrollH", p.hScroll, Rule::Scroll);
    f("picture", "scrollV", p.vScroll, Rule::Scroll);

    OverlayState& o = d.overlays;
    struct Curve {
        const char* section;
        bool* on;
        std::string *list, *colour, *widthList;
        bool* chosen;
        State::Int* width;
    } const curves[] = {
        {"overlays.derivative1", &o.ableitungs_test, &o.FarbeBox_ableitung, &o.Ffarbe_ableitung,
         &o.f_a1_linie_staerke_text, &o.Ffarbe_ableitung_test, &o.f_a1_linie_staerke},
        {"overlays.derivative2", &o.zweite_ableitungs_test, &o.FarbeBox_zweite_ableitung,
         &o.Ffarbe_zweite_ableitung, &o.f_a2_linie_staerke_text,
         &o.Ffarbe_zweite_ableitung_test, &o.f_a2_linie_staerke},
        {"overlays.derivative3", &o.dritte_ableitungs_test, &o.FarbeBox_dritte_ableitung,
         &o.Ffarbe_dritte_ableitung, &o.f_a3_linie_staerke_text,
         &o.Ffarbe_dritte_ableitung_test, &o.f_a3_linie_staerke},
        {"overlays.inverse", &o.Umkehrfunktion_test, &o.FarbeBox_Umkehrfunktion,
         &o.Umkehrfunktion_Farbe, &o.Umkehrfunktion_Linien_staerke,
         &o.umkehrfunktion_Farbe_test, &o.umkehrfunktion_f_staerke},
    };
    for (const Curve& c : curves) {
        f(c.section, "on", *c.on, Rule::Any);
        f(c.section, "colourList", *c.list, Rule::Text);  // editable: kept as typed
        f(c.section, "colourChosen", *c.chosen, Rule::Any);
        f(c.section, "colour", *c.colour, Rule::ColourText);
        f(c.section, "widthList", *c.widthList, Rule::WidthText);
        f(c.section, "width", *c.width, Rule::Width);
    }
    f("overlays.tangent", "on", o.tangente_test, Rule::Any);
    f("overlays.tangent", "x0Field", o.x0_eingabe, Rule::Text);
    f("overlays.tangent", "x0", o.x0_uebergabe, Rule::Text);
    f("overlays.section", "on", o.ad_funktion_test, Rule::Any);
    f("overlays.section", "fromField", o.Linker_Bereich, Rule::Text);
    f("overlays.section", "toField", o.Rechter_Bereich, Rule::Text);
    f("overlays.section", "from", o.Linker_Bereich_wert, Rule::Text);
    f("overlays.section", "to", o.Rechter_Bereich_wert, Rule::Text);

    f("family", "start", d.family.start, Rule::Finite);
    f("family", "end", d.family.Ende, Rule::Finite);
    f("family", "step", d.family.Step, Rule::Finite);

    IntersectionState& i = d.intersections;
    f("intersections", "functions", i.Schnittstellen_Terme, Rule::Functions);
    f("intersections", "shown", i.Schnittstellen_Zeichnen_test, Rule::Any);
    f("intersections", "markPoints", i.Schnittpunkte_farbig_test, Rule::Any);

    AreaState& a = d.areas;
    f("areas.underGraph", "shade", a.Flaeche_einferben_Check, Rule::Any);
    f("areas.underGraph", "lowerField", a.Untergrenze_eingabe, Rule::Text);
    f("areas.underGraph", "upperField", a.Obergrenze_eingabe, Rule::Text);
    f("areas.underGraph", "colourChosen", a.Flaeche_Farbe_Test, Rule::Any);
    f("areas.underGraph", "colour", a.Flaeche_farbe, Rule::ColourText);
    f("areas.underGraph", "width", a.Fuel_Staerke, Rule::Width);
    f("areas.betweenGraphs", "shade", a.Flaeche_einferben_SP_Check, Rule::Any);
    f("areas.betweenGraphs", "shown", a.Schnittstellen_integral_Zeichnen_Check, Rule::Any);
    f("areas.betweenGraphs", "f", a.f_x_Eingabe_txt, Rule::Term);
    f("areas.betweenGraphs", "g", a.g_x_Eingabe_txt, Rule::Term);
    f("areas.betweenGraphs", "lowerField", a.SP_Untergrenze_txt, Rule::Text);
    f("areas.betweenGraphs", "upperField", a.SP_Obergrenze_txt, Rule::Text);
    f("areas.betweenGraphs", "colourChosen", a.Flaeche_Farbe_SP_Test, Rule::Any);
    f("areas.betweenGraphs", "colour", a.FarbeBox_Flaeche_SP, Rule::ColourValue);
    f("areas.betweenGraphs", "width", a.Fuel_Staerke_SP, Rule::Width);
    f("areas", "lower", a.Untergrenze, Rule::Finite);
    f("areas", "upper", a.Obergrenze, Rule::Finite);

    BridgeState& b = d.bridge;
    f("bridge", "span", b.Abstand_txt, Rule::Text);
    f("bridge", "height", b.Hoehe_txt, Rule::Text);
    f("bridge", "lowest", b.Tiefster_Punkt_txt, Rule::Text);
    f("bridge", "towersShown", b.towersShown, Rule::Any);
}

QString key(const char* section, const char* name)
{
    return QString::fromLatin1(section) + QLatin1Char('.') + QString::fromLatin1(name);
}

// The object at a dotted section path below the root; null when a part is missing
// or not an object.
std::optional<QJsonObject> sectionOf(const QJsonObject& root, const char* section)
{
    QJsonObject at = root;
    for (const QString& part : QString::fromLatin1(section).split(QLatin1Char('.'))) {
        const QJsonValue v = at.value(part);
        if (v.isUndefined())
            return QJsonObject{};
        if (!v.isObject())
            return std::nullopt;
        at = v.toObject();
    }
    return at;
}

void putValue(QJsonObject& root, const QStringList& path, const QString& name, QJsonValue v)
{
    if (path.isEmpty()) {
        root.insert(name, v);
        return;
    }
    QJsonObject inner = root.value(path.front()).toObject();
    putValue(inner, path.mid(1), name, std::move(v));
    root.insert(path.front(), inner);
}

QJsonValue toJson(const std::string& v) { return QString::fromStdString(v); }
QJsonValue toJson(double v) { return v; }
QJsonValue toJson(int v) { return v; }
QJsonValue toJson(State::Int v) { return int(v); }
QJsonValue toJson(bool v) { return v; }
QJsonValue toJson(const NumberText& n)
{
    const auto v = readNumber(n.text);
    return v ? QJsonValue(*v) : QJsonValue(QString::fromStdString(n.text));
}
QJsonValue toJson(const std::vector<std::string>& v)
{
    QJsonArray list;
    for (const std::string& s : v)
        list.append(QString::fromStdString(s));
    return list;
}

// A JSON value into a field of its type; false when the type does not fit.
bool fromJson(const QJsonValue& v, std::string& out)
{
    if (!v.isString())
        return false;
    out = v.toString().toStdString();
    return true;
}
bool fromJson(const QJsonValue& v, bool& out)
{
    if (!v.isBool())
        return false;
    out = v.toBool();
    return true;
}
bool fromJson(const QJsonValue& v, double& out)
{
    if (!v.isDouble())
        return false;
    out = v.toDouble();
    return true;
}
template <class Int>
bool integer(const QJsonValue& v, Int& out)
{
    if (!v.isDouble())
        return false;
    const double d = v.toDouble();
    if (!(d == std::floor(d) && d >= std::numeric_limits<Int>::min() &&
          d <= std::numeric_limits<Int>::max()))
        return false;
    out = Int(d);
    return true;
}
bool fromJson(const QJsonValue& v, int& out) { return integer(v, out); }
bool fromJson(const QJsonValue& v, const NumberText& out)
{
    if (v.isDouble()) {
        out.text = text(v.toDouble());
        return true;
    }
    return fromJson(v, out.text);
}
bool fromJson(const QJsonValue& v, State::Int& out) { return integer(v, out); }
bool fromJson(const QJsonValue& v, std::vector<std::string>& out)
{
    if (!v.isArray())
        return false;
    const QJsonArray list = v.toArray();
    // Counted before anything is copied: the rule checks the length afterwards.
    if (std::size_t(list.size()) > std::max(kMaxHistory, kMaxFunctions))
        return false;
    out.clear();
    for (const QJsonValue& item : list) {
        if (!item.isString())
            return false;
        out.push_back(item.toString().toStdString());
    }
    return true;
}

std::string notADrawing(const QString& name)
{
    return (QStringLiteral("Die Datei ") + quoted(name) +
            QStringLiteral(" ist keine Kurvenwerk-Zeichnung."))
        .toStdString();
}

std::string invalidAt(const QString& name, const std::string& key)
{
    return (QStringLiteral("Die Datei ") + quoted(name) +
            QStringLiteral(" enthält einen ungültigen Wert bei ") +
            quoted(QString::fromStdString(key)) + QLatin1Char('.'))
        .toStdString();
}

// The checks that span fields: a family term needs values it can be drawn with.
std::string invalidFamily(const DrawingParts& d)
{
    if (d.main.Eingabe.find('@') == std::string::npos)
        return {};
    const auto members = familySize(d.family.start, d.family.Ende, d.family.Step);
    return members && d.family.Step != 0 ? std::string() : std::string("family");
}

}  // namespace

QString quoted(const QString& name) { return QStringLiteral("„") + name + QLatin1Char('"'); }

QByteArray drawingJson(const DrawingParts& drawing)
{
    QJsonObject root;
    DrawingParts d = drawing;
    eachField(d, [&root](const char* section, const char* name, auto&& value, Rule) {
        putValue(root, QString::fromLatin1(section).split(QLatin1Char('.')),
                 QString::fromLatin1(name), toJson(value));
    });
    // Qt writes keys in alphabetical order; format and version go first, so
    // that a person sees at once what the file is.
    const QByteArray body = QJsonDocument(root).toJson(QJsonDocument::Indented);
    return QByteArray("{\n    \"format\": \"") + kFormat + "\",\n    \"version\": " +
           QByteArray::number(kDrawingVersion) + ",\n" + body.mid(2);
}

std::string invalidKey(const DrawingParts& drawing)
{
    DrawingParts d = drawing;
    std::string bad;
    eachField(d, [&bad](const char* section, const char* name, auto&& value, Rule rule) {
        if (bad.empty() && !valid(value, rule))
            bad = key(section, name).toStdString();
    });
    return bad.empty() ? invalidFamily(d) : bad;
}

DrawingRead parseDrawing(const QByteArray& bytes, const QString& name)
{
    QJsonParseError error;
    const QJsonDocument doc = bytes.size() > kMaxFileSize ? QJsonDocument()
                                                          : QJsonDocument::fromJson(bytes, &error);
    const QJsonObject root = doc.object();
    const QJsonValue version = root.value(QStringLiteral("version"));
    if (!doc.isObject() || root.value(QStringLiteral("format")) != QLatin1String(kFormat) ||
        !version.isDouble() || version.toDouble() < 1 || version.toDouble() != std::floor(version.toDouble()))
        return {std::nullopt, notADrawing(name)};
    if (version.toDouble() > kDrawingVersion)
        return {std::nullopt,
                (QStringLiteral("Die Datei ") + quoted(name) +
                 QStringLiteral(" wurde mit einer neueren Version gespeichert."))
                    .toStdString()};

    DrawingParts d;
    std::string bad;
    eachField(d, [&](const char* section, const char* field, auto&& value, Rule rule) {
        if (!bad.empty())
            return;
        const auto object = sectionOf(root, section);
        const QJsonValue v = object ? object->value(QString::fromLatin1(field)) : QJsonValue();
        if (!object || (!v.isUndefined() && !(fromJson(v, value) && valid(value, rule))))
            bad = key(section, field).toStdString();
    });
    if (bad.empty())
        bad = invalidFamily(d);
    if (!bad.empty())
        return {std::nullopt, invalidAt(name, bad)};
    return {d, {}};
}

DrawingRead readDrawingFile(const QString& file)
{
    const QString name = QFileInfo(file).fileName();
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return {std::nullopt, (QStringLiteral("Die Datei ") + quoted(name) +
                               QStringLiteral(" konnte nicht geöffnet werden (") +
                               in.errorString() + QStringLiteral(")."))
                                  .toStdString()};
    // One byte more than a drawing may have is enough to refuse it.
    return parseDrawing(in.read(kMaxFileSize + 1), name);
}

bool writeDrawingFile(const DrawingParts& d, const QString& file, QString& why)
{
    if (const std::string bad = invalidKey(d); !bad.empty()) {
        why = QStringLiteral("ungültiger Wert bei ") + quoted(QString::fromStdString(bad));
        return false;
    }
    const QByteArray bytes = drawingJson(d);
    return writeFileAtomically(bytes, file, why);
}

bool isDrawingFile(const QString& file)
{
    return QFileInfo(file).suffix().compare(QLatin1String(kDrawingSuffix), Qt::CaseInsensitive) == 0;
}

}  // namespace kw
