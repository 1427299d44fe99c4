// Every text field of every window gets every kind of bad input a pupil can
// produce, pasted as a user would paste it, and is then used as the user would
// use it. Afterwards the program is still there, the term history and the
// other fields are as they were (but for what the use hands on by design), and
// once the fields hold their old texts again the next "Zeichnen" draws exactly
// what it drew before. A new window adds its fields to kFelder.

#include <gtest/gtest.h>

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>

#include <algorithm>
#include <map>

#include "plane/jpeg_window.h"
#include "support/gui_helpers.h"

using namespace kw;
using namespace kw::test;

namespace {

// A control as "window/control", by object names: "Form1/Zeichnen_button".
// A use step ending in ":Return" presses Return in that field instead of a click.
struct Field {
    const char* name;                // the test's name
    std::vector<const char*> setup;  // pressed once before the inputs (switches)
    const char* field;               // the text field; "Datei" is the save dialog's file name
    std::vector<const char*> use;    // what the user does with the text
    std::vector<const char*> handsOn = {};  // other fields the use may fill
};

// The calculators hand their term (the bridge also its range) to the main panel;
// the area between two graphs offers their crossings as its bounds and puts
// the bounds in order. The colour lists share one handler: one of them stands
// for all four of the analysis panel.
using Steps = std::vector<const char*>;
const Steps kTerm = {"Form1/Eingabe"};
const Steps kGrenzen = {"Form7/SP_Untergrenze_txt", "Form7/SP_Obergrenze_txt"};
const Steps kTermUndBereich = {"Form1/Eingabe", "Form1/x_eingabe", "Form1/y_eingabe"};
const Steps kFlaeche = {"Form3/Integral_Rechner_butt"}, kBruecke = {"Form3/Bruecken_Rechner_butt"};
const Steps kZeichnen = {"Form1/Zeichnen_button"}, kIntegral = {"Form7/Integral_Berechnen_Butt"};
const Steps kZwischen = {"Form7/Integral_Berechnen_SP_butt"};

const Field kFelder[] = {
    {"Term", {}, "Form1/Eingabe", kZeichnen},
    {"x1", {}, "Form1/x_eingabe", kZeichnen},
    {"x2", {}, "Form1/y_eingabe", {"Form1/Eingabe:Return", "Form3/Nullstellen_fx"}},
    {"Qualitaet", {"Form3/erste_Ableitung"}, "Form1/qualitaet_eingabe", kZeichnen},
    {"Reset", {}, "Form1/x_eingabe", {"Form1/leeren_butt_Click"}},
    {"TangenteX0", {"Form3/Check1"}, "Form3/x0_eingabe", kZeichnen},
    {"TangentenSchritt", {"Form3/Check1"}, "Form3/x0_eingabe", {"Form3/kleiner_plus_button"}},
    {"AbschnittVon", {"Form3/AD_Funktion"}, "Form3/Linker_Bereich", kZeichnen},
    {"AbschnittBis", {"Form3/AD_Funktion"}, "Form3/Rechter_Bereich", kZeichnen},
    {"FarbeAbleitung", {"Form3/erste_Ableitung"}, "Form3/FarbeBox_ableitung",
     {"Form3/FarbeBox_ableitung:Return", "Form1/Zeichnen_button"}},
    {"Taschenrechner", {"Form3/TaschenRechner_button"}, "Taschenrechner/Eingabe", {"Taschenrechner/Command1"}},
    {"WertetabelleTerm", {"Form3/erste_Ableitung"}, "Form1/Eingabe", {"Form3/Tabelle"}},
    {"WertetabelleBereich", {}, "Form1/x_eingabe", {"Form1/Zeichnen_button", "Form3/Tabelle"}},
    {"BildSpeichern", {}, "Datei", {"frmGDIPlusSaveJPG/cmdSaveAsJpg"}},
    {"SchnittstellenTerm", {"Form3/Schnittpunkt_butt"}, "Form8/Eingabe_Term_txt",
     {"Form8/Eingabe_button", "Form8/Zeichnen_butt", "Form8/Schnittpunkte_butt"}},
    {"FlaecheTerm", kFlaeche, "Form7/Funktion_eingabe", kIntegral, kTerm},
    {"FlaecheUntergrenze", kFlaeche, "Form7/Untergrenze_eingabe", kIntegral, kTerm},
    {"FlaecheObergrenze", kFlaeche, "Form7/Obergrenze_eingabe", kIntegral, kTerm},
    {"FlaecheFarbe", {kFlaeche[0], "Form7/Flaeche_einfaerben_click"}, "Form7/FarbeBox_Flaeche",
     {"Form7/FarbeBox_Flaeche:Return", "Form1/Zeichnen_button"}},
    {"ZwischenF", kFlaeche, "Form7/f_x_Eingabe_txt", kZwischen, kGrenzen},
    {"ZwischenG", kFlaeche, "Form7/g_x_Eingabe_txt", kZwischen, kGrenzen},
    {"ZwischenUntergrenze", kFlaeche, "Form7/SP_Untergrenze_txt", kZwischen, {"Form7/SP_Obergrenze_txt"}},
    {"ZwischenObergrenze", kFlaeche, "Form7/SP_Obergrenze_txt", kZwischen, {"Form7/SP_Untergrenze_txt"}},
    {"ZwischenFarbe", kFlaeche, "Form7/FarbeBox_Flaeche_SP",
     {"Form7/FarbeBox_Flaeche_SP:Return", kZwischen[0]}, kGrenzen},
    {"BrueckeAbstand", kBruecke, "Form6/Abstand_txt", {"Form6/Berechne_CMD"}, kTermUndBereich},
    {"BrueckeHoehe", kBruecke, "Form6/Hoehe_txt", {"Form6/Berechne_CMD"}, kTermUndBereich},
    {"BrueckeTiefster", kBruecke, "Form6/Tiefster_Punkt_txt", {"Form6/Berechne_CMD"}, kTermUndBereich},
};

QStringList schlechteEingaben()
{
    QString lang;  // a term of 100 000 characters
    while (lang.size() < 100000)
        lang += "sin(x)+";
    QStringList bad = {lang, QString(10000, '(') + "x" + QString(10000, ')')};
    for (const char* text : {"", "   ", "-", ",", "1,2,3", "1e999", "-1e999", "NaN", "inf", "0x10",
                             "1e-320", "x\x01^2\x1b\t\x7f", "Größe 😀 x² ä", "x^2\nsin(x)\r\n1/x\n"})
        bad << QString::fromUtf8(text);
    return bad;
}

QLineEdit* lineEdit(const char* path) { return editOf(control(QString::fromUtf8(path))); }

// The texts of every editable field of the shown windows but some.
std::map<std::string, std::string> otherFields(const std::vector<QLineEdit*>& except)
{
    std::map<std::string, std::string> texts;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible())
            continue;
        for (QLineEdit* e : w->findChildren<QLineEdit*>()) {
            if (std::ranges::find(except, e) != except.end() || e->isReadOnly())
                continue;
            const QObject* named = e->objectName().isEmpty() ? e->parent() : e;
            texts[(w->objectName() + QLatin1Char('/') + named->objectName()).toStdString()] =
                e->text().left(40).toStdString();
        }
    }
    return texts;
}

class SchlechteEingabe : public RunningApp, public ::testing::WithParamInterface<Field> {
protected:
    QTemporaryDir dir;
    QString oldDir = QDir::currentPath();

    void SetUp() override
    {
        RunningApp::SetUp();
        QDir::setCurrent(dir.path());  // pictures saved under odd names land here
        app.showAnalysisPanel(true);
        app.drawingWindow().Bild_Speichern_Click();
        child<QComboBox>(&app.mainPanel(), "Eingabe")->setEditText(QStringLiteral("x^3/8-x"));
        for (const char* step : GetParam().setup)
            press(step);
    }
    void TearDown() override
    {
        RunningApp::TearDown();
        QDir::setCurrent(oldDir);
    }

    void press(const char* path)
    {
        const QString step = QString::fromUtf8(path);
        const bool enter = step.endsWith(QLatin1String(":Return"));
        QWidget* target = control(enter ? step.chopped(7) : step);
        ASSERT_NE(target, nullptr) << path;
        if (enter)  // to the control, as the keyboard sends it (a list box passes it on)
            return QTest::keyClick(target, Qt::Key_Return);
        auto* button = qobject_cast<QAbstractButton*>(target);
        ASSERT_TRUE(button && button->isEnabled()) << path;
        button->click();
    }

    // Puts the text where the user would: pasted over the field's text, or
    // as the answer of the save dialog.
    void enter(const QString& text)
    {
        if (std::string_view(GetParam().field) == "Datei") {
            const QString file = text.isEmpty() ? QString() : dir.filePath(text);
            app.drawingWindow().saveWindow()->setAskFileName(
                [file](QWidget*, const QString&, const QString&) { return file; });
            return;
        }
        QLineEdit* edit = lineEdit(GetParam().field);
        ASSERT_NE(edit, nullptr) << GetParam().field;
        QGuiApplication::clipboard()->setText(text);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        if (text.isEmpty())
            edit->clear();  // an empty clipboard pastes nothing
    }
    void drawFromPanel() { press("Form1/Zeichnen_button"); }
};

TEST_P(SchlechteEingabe, GetsAnAnswerAndLosesNothing)
{
    const QString good = textOf(control(QString::fromUtf8(GetParam().field)));
    std::vector<QLineEdit*> ownFields = {lineEdit(GetParam().field)};
    for (const char* path : GetParam().handsOn)
        ownFields.push_back(lineEdit(path));
    drawFromPanel();
    Plane before = app.context().plane;
    ui.messages.clear();
    for (const QString& bad : schlechteEingaben()) {
        SCOPED_TRACE(bad.left(40).toStdString());
        const std::vector<std::string> history = app.context().state.main.EingabeListe;
        const auto others = otherFields(ownFields);
        std::vector<QString> handedOn;
        for (std::size_t i = 1; i < ownFields.size(); ++i)
            handedOn.push_back(ownFields[i]->text());
        enter(bad);
        for (const char* step : GetParam().use)
            press(step);
        EXPECT_FALSE(ui.searching());

        // Drawing appends the term to the history; nothing in it gets lost.
        const auto& after = app.context().state.main.EingabeListe;
        auto grown = history;
        grown.push_back(after.empty() ? std::string() : after.back());
        if (grown.size() > kHistoryMax)
            grown.erase(grown.begin());
        EXPECT_TRUE(after == history || after == grown);
        EXPECT_EQ(otherFields(ownFields), others);

        enter(good);
        for (std::size_t i = 1; i < ownFields.size(); ++i)
            ownFields[i]->setText(handedOn[i - 1]);
        drawFromPanel();
        EXPECT_TRUE(app.context().plane == before);
    }
}

void PrintTo(const Field& feld, std::ostream* out) { *out << feld.name; }

INSTANTIATE_TEST_SUITE_P(JedesFeld, SchlechteEingabe, ::testing::ValuesIn(kFelder),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
