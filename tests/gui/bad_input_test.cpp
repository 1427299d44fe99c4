// Every text field of every window gets every kind of bad input a pupil can
// produce, pasted as a user would paste it, and is then used as the user would
// use it. Afterwards the program is still there, the term history and the
// other fields are as they were, and once the field holds its old text again
// the next "Zeichnen" draws exactly what it drew before. A new window adds
// its fields to kFelder.

#include <gtest/gtest.h>

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>

#include <functional>
#include <map>

#include "panel/value_table_window.h"
#include "plane/jpeg_window.h"
#include "support/gui_helpers.h"

using namespace kw;
using namespace kw::test;

namespace {

// A control as "window/control", by object names: "Form1/Zeichnen_button".
// A use step ending in ":Return" presses Return in that field instead of a click.
struct Feld {
    const char* name;                // the test's name
    std::vector<const char*> setup;  // pressed once before the inputs (switches)
    const char* field;               // the text field; "Datei" is the save dialog's file name
    std::vector<const char*> use;    // what the user does with the text
};

const Feld kFelder[] = {
    {"Term", {}, "Form1/Eingabe", {"Form1/Zeichnen_button"}},
    {"x1", {}, "Form1/x_eingabe", {"Form1/Zeichnen_button"}},
    {"x2", {}, "Form1/y_eingabe", {"Form1/Eingabe:Return", "Form3/Nullstellen_fx"}},
    {"Qualitaet", {"Form3/erste_Ableitung"}, "Form1/qualitaet_eingabe", {"Form1/Zeichnen_button"}},
    {"Reset", {}, "Form1/x_eingabe", {"Form1/leeren_butt_Click"}},
    {"TangenteX0", {"Form3/Check1"}, "Form3/x0_eingabe", {"Form1/Zeichnen_button"}},
    {"TangentenSchritt", {"Form3/Check1"}, "Form3/x0_eingabe", {"Form3/kleiner_plus_button"}},
    {"AbschnittVon", {"Form3/AD_Funktion"}, "Form3/Linker_Bereich", {"Form1/Zeichnen_button"}},
    {"AbschnittBis", {"Form3/AD_Funktion"}, "Form3/Rechter_Bereich", {"Form1/Zeichnen_button"}},
    {"FarbeAbleitung", {"Form3/erste_Ableitung"}, "Form3/FarbeBox_ableitung",
     {"Form3/FarbeBox_ableitung:Return", "Form1/Zeichnen_button"}},
    {"FarbeZweite", {"Form3/zweite_ableitung_butt"}, "Form3/FarbeBox_zweite_ableitung",
     {"Form3/FarbeBox_zweite_ableitung:Return", "Form1/Zeichnen_button"}},
    {"FarbeDritte", {"Form3/dritte_ableitung_butt"}, "Form3/FarbeBox_dritte_ableitung",
     {"Form3/FarbeBox_dritte_ableitung:Return", "Form1/Zeichnen_button"}},
    {"FarbeUmkehrfunktion", {"Form3/Umkehrfunktion_butt"}, "Form3/FarbeBox_Umkehrfunktion",
     {"Form3/FarbeBox_Umkehrfunktion:Return", "Form1/Zeichnen_button"}},
    {"Taschenrechner", {"Form3/TaschenRechner_button"}, "Taschenrechner/Eingabe",
     {"Taschenrechner/Command1"}},
    {"WertetabelleTerm", {"Form3/erste_Ableitung"}, "Form1/Eingabe", {"Form3/Tabelle"}},
    {"WertetabelleBereich", {}, "Form1/x_eingabe", {"Form1/Zeichnen_button", "Form3/Tabelle"}},
    {"BildSpeichern", {}, "Datei", {"frmGDIPlusSaveJPG/cmdSaveAsJpg"}},
};

QStringList schlechteEingaben()
{
    QString lang;  // a term of 100 000 characters
    while (lang.size() < 100000)
        lang += QStringLiteral("sin(x)+");
    return {QString(), QStringLiteral("   "), QStringLiteral("-"), QStringLiteral(","),
            QStringLiteral("1,2,3"), QStringLiteral("1e999"), QStringLiteral("-1e999"),
            QStringLiteral("NaN"), QStringLiteral("inf"), QStringLiteral("0x10"),
            QStringLiteral("1e-320"), lang,
            QString(10000, QLatin1Char('(')) + QStringLiteral("x") + QString(10000, QLatin1Char(')')),
            QStringLiteral("x\x01^2\x1b\t\x7f"), QString::fromUtf8("Größe 😀 x² ä"),
            QStringLiteral("x^2\nsin(x)\r\n1/x\n")};
}

QWidget* window(const QString& name)
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == name && w->isVisible())
            return w;
    return nullptr;
}

// "window/control" split at the slash.
std::pair<QString, QString> parts(const char* path)
{
    const QString p = QString::fromUtf8(path);
    return {p.section(QLatin1Char('/'), 0, 0), p.section(QLatin1Char('/'), 1)};
}

QLineEdit* lineEdit(const char* path)
{
    auto [win, name] = parts(path);
    QWidget* w = window(win);
    if (!w)
        return nullptr;
    if (auto* box = w->findChild<QComboBox*>(name))
        return box->lineEdit();
    return w->findChild<QLineEdit*>(name);
}

// The texts of every editable field of the shown windows but one.
std::map<QString, QString> otherFields(const QLineEdit* except)
{
    std::map<QString, QString> texts;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible())
            continue;
        for (QLineEdit* e : w->findChildren<QLineEdit*>()) {
            if (e == except || e->isReadOnly())
                continue;
            const QObject* named = e->objectName().isEmpty() ? e->parent() : e;
            texts[w->objectName() + QLatin1Char('/') + named->objectName()] = e->text();
        }
    }
    return texts;
}

bool samePicture(const Plane& a, const Plane& b)
{
    if (a.width() != b.width() || a.height() != b.height() || a.texts() != b.texts() ||
        a.items().size() != b.items().size())
        return false;
    for (std::size_t i = 0; i < a.items().size(); ++i) {
        const Plane::Item &p = a.items()[i], &q = b.items()[i];
        if (p.kind != q.kind || p.width != q.width || p.colour != q.colour || p.x1 != q.x1 ||
            p.y1 != q.y1 || p.x2 != q.x2 || p.y2 != q.y2 || p.text != q.text)
            return false;
    }
    return true;
}

class SchlechteEingabe : public RunningApp, public ::testing::WithParamInterface<Feld> {
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
        for (QWidget* w : QApplication::topLevelWidgets())
            if (qobject_cast<ValueTableWindow*>(w))
                w->close();
        RunningApp::TearDown();
        QDir::setCurrent(oldDir);
    }

    void press(const char* path)
    {
        const QString step = QString::fromUtf8(path);
        if (step.endsWith(QLatin1String(":Return"))) {
            QTest::keyClick(lineEdit(step.chopped(7).toUtf8().constData()), Qt::Key_Return);
            return;
        }
        auto [win, name] = parts(path);
        QWidget* w = window(win);
        ASSERT_NE(w, nullptr) << path;
        auto* button = w->findChild<QAbstractButton*>(name);
        ASSERT_NE(button, nullptr) << path;
        ASSERT_TRUE(button->isEnabled()) << path;
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
    QString fieldText() const
    {
        const QLineEdit* edit = lineEdit(GetParam().field);
        return edit ? edit->text() : QString();
    }
    void zeichnen() { press("Form1/Zeichnen_button"); }
};

TEST_P(SchlechteEingabe, GetsAnAnswerAndLosesNothing)
{
    const QString good = fieldText();
    zeichnen();
    Plane before = app.context().ebene;
    ui.messages.clear();
    for (const QString& bad : schlechteEingaben()) {
        SCOPED_TRACE(bad.left(40).toStdString());
        const std::vector<std::string> history = app.context().s.EingabeListe;
        const auto others = otherFields(lineEdit(GetParam().field));
        enter(bad);
        for (const char* step : GetParam().use)
            press(step);
        EXPECT_FALSE(ui.searching());

        // Drawing appends the term to the history; nothing in it gets lost.
        const auto& after = app.context().s.EingabeListe;
        EXPECT_LE(after.size(), history.size() + 1);
        const std::size_t dropped = history.size() == kVerlaufMax && after.size() == kVerlaufMax;
        EXPECT_TRUE(std::equal(history.begin() + dropped, history.end(), after.begin()));
        EXPECT_EQ(otherFields(lineEdit(GetParam().field)), others);

        enter(good);
        zeichnen();
        EXPECT_TRUE(samePicture(app.context().ebene, before));
    }
}

INSTANTIATE_TEST_SUITE_P(JedesFeld, SchlechteEingabe, ::testing::ValuesIn(kFelder),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
