#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMessageBox>
#include <QTimer>

#include "core/colours.h"
#include "core/overlays.h"
#include "gui/drawing_file.h"
#include "plane/drawing_document.h"
#include "support/files.h"
#include "support/gui_helpers.h"
#include "tools/area_window.h"
#include "tools/bridge_window.h"
#include "tools/intersection_window.h"

using namespace kw;
using namespace kw::test;

namespace {

// Drawings that together change every saved field from its initial value.
struct Row {
    const char* name;
    std::function<void(DrawingParts&)> make;
    QString shades = {};  // the area window's colour lists: text and paint
};

const Row kDrawings[] = {
    {"curves", [](DrawingParts& d) {
         d.main = {"0,5*x^3-2*x^2-x+4", {"x", "x^2", "0,5*x^3-2*x^2-x+4"}, "-10", "12", "80",
                   "Blau", "3", 3, false};
         OverlayState& o = d.overlays;
         o.x0_eingabe = o.x0_uebergabe = "2,5";
         // Every overlay switched on, with a colour and a width of its own.
         const char* colours[] = {"Violett", "Gelb", "Schwarz", "Grün"};
         int i = 0;
         for (const OverlayCurve& k : kOverlays) {
             if (k.flag)
                 o.*k.flag = true;
             if (!k.colourText)
                 continue;
             o.*k.colourText = colours[i];
             o.*k.colour = colourText(*colourByName(colours[i]));
             o.*k.colourChosen = true;
             o.*k.widthText = std::to_string(i + 2);
             o.*k.width = i + 2;
             ++i;
         }
         o.ad_funktion_test = false;
         d.picture = {-10, 12, 720, 864, 60, 300, 700};
         d.planeWidth = 900, d.planeHeight = 600;
     }},
    {"section, kept graph", [](DrawingParts& d) {
         d.main.Eingabe = "x^2";
         d.main.Graphloeschen_check = true;
         OverlayState& o = d.overlays;
         o.ad_funktion_test = true;
         o.Linker_Bereich = o.Linker_Bereich_wert = "-2";
         o.Rechter_Bereich = o.Rechter_Bereich_wert = "3";
     }},
    {"family", [](DrawingParts& d) {
         d.main.Eingabe = "x^2+@";
         d.family = {-2, 5, 0.5};
     }},
    {"calculators", [](DrawingParts& d) {
         d.main.Eingabe = "x^2";
         d.intersections = {{"x", "2x", "x^3"}, true, true};
         AreaState& a = d.areas;
         a.Flaeche_einferben_Check = a.Flaeche_einferben_SP_Check = true;
         a.Schnittstellen_integral_Zeichnen_Check = true;
         a.Untergrenze = 0.5, a.Obergrenze = 2;
         a.f_x_Eingabe_txt = "x^2", a.g_x_Eingabe_txt = "2x";
         a.Flaeche_farbe = colourText(*colourByName("Blau"));
         a.FarbeBox_Flaeche_SP = double(*colourByName("Orange"));
         a.Flaeche_Farbe_Test = a.Flaeche_Farbe_SP_Test = true;
         a.Fuel_Staerke = 2, a.Fuel_Staerke_SP = 4;
         a.Untergrenze_eingabe = "-1", a.Obergrenze_eingabe = "1";
         a.SP_Untergrenze_txt = "0", a.SP_Obergrenze_txt = "2";
     }, "Blau #00008b, Orange #ff8c00"},
    {"bridge", [](DrawingParts& d) {
         d.main = {"x^2/100", {}, "-50", "50", "50", "Rot", "2", 2, false};
         d.bridge.towersShown = true;
         d.bridge.Abstand_txt = "100", d.bridge.Hoehe_txt = "30", d.bridge.Tiefster_Punkt_txt = "5";
     }},
};

DrawingParts drawing(const Row& row)
{
    DrawingParts d;
    row.make(d);
    return d;
}

// Every value of a drawing's file under its dotted key.
QVariantMap values(const QJsonObject& o, const QString& prefix = {})
{
    QVariantMap map;
    for (auto i = o.begin(); i != o.end(); ++i)
        if (i->isObject())
            map.insert(values(i->toObject(), prefix + i.key() + '.'));
        else
            map[prefix + i.key()] = i->toVariant();
    return map;
}
QVariantMap values(const DrawingParts& d) { return values(QJsonDocument::fromJson(drawingJson(d)).object()); }

// The running program with its recent files in a folder of its own.
struct Program {
    QTemporaryDir dir;
    RecordingQtUi ui;
    App app{&ui, dir.filePath("settings.ini")};
    DrawingDocument& document = app.drawingWindow().document();

    explicit Program(bool areaWindow = true)
    {
        app.start();
        app.context().random.seed(7);  // the calculators' colours
        app.showAnalysisPanel(true);
        app.Schnittstellen_Rechner();
        if (areaWindow)
            app.Integral_Rechner();
        app.Haengebruecken_Rechner();
    }
    ~Program() { document.setAskSaveChanges([](QWidget*, const QString&) { return SaveChanges::Discard; }); app.end(); }

    // What the windows show of a drawing.
    std::string texts()
    {
        QStringList shown;
        for (QWidget* window : std::initializer_list<QWidget*>{&app.mainPanel(), app.analysisPanel(),
             app.intersectionCalculator(), app.areaCalculator(), app.bridge()})
            for (auto* f : window->findChildren<QWidget*>())
                if (auto* b = qobject_cast<QCheckBox*>(f))
                    shown << f->objectName() + '=' + QString::number(b->isChecked());
                else if (qobject_cast<QLineEdit*>(f) || qobject_cast<QLabel*>(f))
                    shown << f->objectName() + '=' + textOf(f);
        return shown.join('\n').toStdString();
    }
    DrawingParts now() { return drawingOf(app.context()); }
    QString shades()
    {
        QStringList shown;
        for (const char* list : {"FarbeBox_Flaeche", "FarbeBox_Flaeche_SP"}) {
            auto* box = child<QComboBox>(app.areaCalculator(), list);
            shown << box->currentText() + ' ' + box->palette().color(QPalette::Base).name();
        }
        return shown.join(", ");
    }
};

TEST(DrawingFile, TheTableUsesEverySavedFieldAndEachComesBackExactly)
{
    const QVariantMap initial = values(DrawingParts{});
    ASSERT_TRUE(initial.contains("overlays.derivative2.width")) << initial.size();
    QSet<QString> changed;
    for (const Row& row : kDrawings) {
        SCOPED_TRACE(row.name);
        const DrawingParts d = drawing(row);
        const QVariantMap v = values(d);
        for (auto i = v.begin(); i != v.end(); ++i)
            if (i.value() != initial.value(i.key()))
                changed << i.key();
        const DrawingRead read = parseDrawing(drawingJson(d), "z.kurve");
        ASSERT_TRUE(read.drawing) << read.error;
        EXPECT_EQ(*read.drawing, d);
    }
    for (const QString& key : initial.keys()) {
        if (key != "format" && key != "version") {
            EXPECT_TRUE(changed.contains(key)) << key.toStdString();
        }
    }
}

TEST(DrawingFile, SavedAndOpenedInTheWindowsGivesTheSameStateTextsAndPicture)
{
    for (const Row& row : kDrawings) {
        SCOPED_TRACE(row.name);
        QTemporaryDir dir;
        const QString first = dir.filePath("a.kurve"), second = dir.filePath("b.kurve");
        QString why;
        ASSERT_TRUE(writeDrawingFile(drawing(row), first, why)) << why.toStdString();

        Program one;
        ASSERT_TRUE(one.document.open(first)) << one.ui.messages.back();
        EXPECT_EQ(one.document.title(), "Ebene – a.kurve");
        one.document.setAskSaveName([&](QWidget*, const QString&, const QString&) { return second; });
        ASSERT_TRUE(one.document.saveAs());
        EXPECT_EQ(one.document.title(), "Ebene – b.kurve");

        // The area window opened after the drawing shows its bounds, not the main panel's range.
        Program two(false);
        two.app.context().random.seed(7);
        ASSERT_TRUE(two.document.open(second));
        two.app.Integral_Rechner();
        if (!row.shades.isEmpty()) {
            EXPECT_EQ(two.shades(), row.shades);
        }
        EXPECT_EQ(two.now(), one.now());
        EXPECT_EQ(two.texts(), one.texts());
        EXPECT_EQ(two.app.context().plane, one.app.context().plane);
        EXPECT_EQ(two.document.recentFiles().front(), QFileInfo(second).absoluteFilePath());
        EXPECT_TRUE(two.app.context().plane.items().size() > 100);
    }
}

TEST(DrawingFile, RefusesWhatTypedInputWouldRefuseAndKeepsTheDrawing)
{
    auto with = [](const char* key, QJsonValue value) {
        QJsonObject root = QJsonDocument::fromJson(drawingJson(drawing(kDrawings[0]))).object();
        const QStringList path = QString::fromLatin1(key).split('.');
        std::function<void(QJsonObject&, int)> put = [&](QJsonObject& o, int i) {
            if (i + 1 == path.size())
                return void(o[path[i]] = value);
            QJsonObject inner = o[path[i]].toObject();
            put(inner, i + 1);
            o[path[i]] = inner;
        };
        put(root, 0);
        return QJsonDocument(root).toJson();
    };
    const QString notOne = "Die Datei „z.kurve\" ist keine Kurvenwerk-Zeichnung.";
    const struct {
        QByteArray bytes;
        QString message;
    } kRows[] = {
        {"", notOne},
        {drawingJson(drawing(kDrawings[0])).left(300), notOne},
        {"[1, 2]", notOne},
        {with("format", "anderes"), notOne},
        {with("version", "1"), notOne},
        {QByteArray(1 << 21, ' ') + "{}", notOne},
        {with("version", 2), "Die Datei „z.kurve\" wurde mit einer neueren Version gespeichert."},
        {with("main.term", QString(2001, 'x')), "main.term"},
        {with("main.from", "-40000"), "main.from"},
        {with("main.to", 40000), "main.to"},
        {with("main.quality", "gut"), "main.quality"},
        {with("main.colour", "Lila"), "main.colour"},
        {with("main.width", -1), "main.width"},
        {with("overlays.derivative2.width", 2.5), "overlays.derivative2.width"},
        {with("overlays.inverse.colour", "Magenta"), "overlays.inverse.colour"},
        {with("overlays.tangent", 1), "overlays.tangent.on"},
        {with("picture.width", 0), "picture.width"},
        {with("main.history", QJsonArray{QJsonValue("x"), QJsonValue(1)}), "main.history"},
        {with("intersections.functions", QJsonArray{QJsonValue("x"), QJsonValue("x")}), "intersections.functions"},
        {with("main.term", "x^2+@"), "family"},  // the row's family has no values
    };
    Program p;
    QTemporaryDir dir;
    const QString good = dir.filePath("gut.kurve");
    QString why;
    ASSERT_TRUE(writeDrawingFile(drawing(kDrawings[2]), good, why));
    ASSERT_TRUE(p.document.open(good));
    const DrawingParts before = p.now();
    const Plane picture = p.app.context().plane;
    for (const auto& row : kRows) {
        SCOPED_TRACE(row.message.toStdString());
        const QString file = dir.filePath("z.kurve");
        writeFile(file, row.bytes);
        p.ui.messages.clear();
        EXPECT_FALSE(p.document.open(file));
        ASSERT_EQ(p.ui.messages.size(), 1u);
        const QString expected = row.message.startsWith("Die Datei")
                                     ? row.message
                                     : "Die Datei „z.kurve\" enthält einen ungültigen Wert bei „" +
                                           row.message + "\".";
        EXPECT_EQ(QString::fromStdString(p.ui.messages[0]), expected);
        EXPECT_EQ(p.now(), before);
        EXPECT_EQ(p.app.context().plane, picture);
        EXPECT_EQ(p.document.file(), good);
    }
    // Unknown keys of a later version are left alone.
    writeFile(dir.filePath("z.kurve"), with("future", QJsonObject{{"x", 1}}));
    EXPECT_TRUE(p.document.open(dir.filePath("z.kurve")));
    // A failed save says why and keeps the file it was to replace.
    p.document.setAskSaveName([&](QWidget*, const QString&, const QString&) {
        return dir.filePath("fehlt/z.kurve");
    });
    p.ui.messages.clear();
    EXPECT_FALSE(p.document.saveAs());
    ASSERT_EQ(p.ui.messages.size(), 1u);
    EXPECT_TRUE(p.ui.messages[0].starts_with("Die Zeichnung konnte nicht gespeichert werden: "));
}

// Answers the next message box with the button of that text.
void answerWith(const QString& button, bool& asked)
{
    QTimer::singleShot(0, [button, &asked] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), "Die Zeichnung „a.kurve\" wurde geändert. Änderungen speichern?");
        for (QAbstractButton* b : box->buttons())
            if (b->text() == button)
                asked = true, b->click();
    });
}

TEST(DrawingFile, AChangedDrawingAsksBeforeItGoes)
{
    QTemporaryDir dir;
    const QString file = dir.filePath("a.kurve");
    Program p;
    auto& window = p.app.drawingWindow();
    // Never saved: closes without a question, as ever.
    EXPECT_FALSE(p.document.changed());
    p.document.setAskSaveName([&](QWidget*, const QString&, const QString&) { return file; });
    ASSERT_TRUE(p.document.save());
    p.document.setAskSaveChanges(askSaveChanges);
    auto change = [&](const char* term) {
        child<QComboBox>(&p.app.mainPanel(), "Eingabe")->setEditText(term);
        click(&p.app.mainPanel(), "Zeichnen_button");
        EXPECT_EQ(window.windowTitle(), "Ebene – a.kurve*");
    };
    change("x^3");
    bool asked = false;
    answerWith("Abbrechen", asked);
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(asked && window.isVisible());
    answerWith("Speichern", asked = false);
    EXPECT_TRUE(p.document.mayLeave());
    EXPECT_TRUE(asked);
    EXPECT_EQ(parseDrawing(readFile(file), "a").drawing->main.Eingabe, "x^3");
    EXPECT_EQ(window.windowTitle(), "Ebene – a.kurve");
    change("x^4");
    // Opening asks only for a file that can be opened; "Abbrechen" keeps the drawing.
    int questions = 0;
    p.document.setAskSaveChanges([&](QWidget*, const QString&) {
        ++questions;
        return SaveChanges::Cancel;
    });
    writeFile(dir.filePath("kaputt.kurve"), "{");
    EXPECT_FALSE(p.document.open(dir.filePath("kaputt.kurve")));
    EXPECT_EQ(questions, 0);
    EXPECT_FALSE(p.document.open(file));
    EXPECT_EQ(questions, 1);
    EXPECT_EQ(p.app.context().state.main.Eingabe, "x^4");
    p.document.setAskSaveChanges(askSaveChanges);
    answerWith("Verwerfen", asked = false);
    EXPECT_TRUE(window.close());
    EXPECT_TRUE(asked);
    EXPECT_EQ(parseDrawing(readFile(file), "a").drawing->main.Eingabe, "x^3");
}

}  // namespace
