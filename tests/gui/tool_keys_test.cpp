#include <gtest/gtest.h>

#include <QPushButton>
#include <QSignalSpy>

#include <functional>

#include "plane/jpeg_window.h"
#include "support/gui_helpers.h"
#include "tools/area_window.h"
#include "tools/bridge_window.h"
#include "tools/calculator_window.h"
#include "tools/discussion_window.h"
#include "tools/intersection_window.h"

namespace kw {
namespace {

using namespace test;

using ToolKeys = test::RunningApp;

// Where Tab goes from w: the next control that takes the focus by Tab.
QWidget* nextByTab(QWidget* w)
{
    do
        w = w->nextInFocusChain();
    while (!(w->focusPolicy() & Qt::TabFocus));
    return w;
}

// Per tool window (by its title): Enter in each field clicks the action; Tab
// visits the controls in reading order; Esc closes it.
struct KeyRow {
    const char* title;
    std::function<QWidget*(App&)> open;
    std::vector<const char*> fields;
    const char* action;
    std::vector<const char*> tabs;
};

TEST_F(ToolKeys, EnterClicksTheActionTabReadsInOrderEscCloses)
{
    const KeyRow rows[] = {
        {"Taschenrechner", [](App& a) { a.openCalculator(); return (QWidget*)a.calculator(); },
         {"Eingabe"}, "Command1", {"Eingabe", "Ergebnis"}},
        {"Rechner für Verlauf des Trägerseils einer Hängerbrücke",
         [](App& a) { a.Haengebruecken_Rechner(); return (QWidget*)a.bridge(); },
         {"Abstand_txt", "Hoehe_txt", "Tiefster_Punkt_txt"}, "Berechne_CMD",
         {"Abstand_txt", "Hoehe_txt", "Tiefster_Punkt_txt", "Berechne_CMD"}},
        {"Schnittstellen Rechner", [](App& a) { a.Schnittstellen_Rechner(); return (QWidget*)a.intersectionCalculator(); },
         {"Eingabe_Term_txt"}, "Eingabe_button",
         {"Eingabe_Term_txt", "Eingabe_button", "Zeichnen_butt", "Schnittpunkte_butt"}},
        {"Integral_Rechner", [](App& a) { a.Integral_Rechner(); return (QWidget*)a.areaCalculator(); },
         {"Untergrenze_eingabe", "Obergrenze_eingabe", "Funktion_eingabe"}, "Integral_Berechnen_Butt",
         {"Untergrenze_eingabe", "Obergrenze_eingabe", "Funktion_eingabe", "Integral_Berechnen_Butt",
          "f_x_Eingabe_txt", "g_x_Eingabe_txt"}},
        {"Integral_Rechner", [](App& a) { a.Integral_Rechner(); return (QWidget*)a.areaCalculator(); },
         {"f_x_Eingabe_txt", "g_x_Eingabe_txt"}, "Integral_Berechnen_SP_butt", {}},
        {"Ebene Speichern Unter", [](App& a) { a.drawingWindow().menu().savePicture->trigger(); return (QWidget*)a.drawingWindow().saveWindow(); },
         {"HScroll1", "cmdSaveAsJpg"}, "cmdSaveAsJpg", {"HScroll1", "cmdSaveAsJpg"}},
        {"Kurvendiskussion", [](App& a) { a.kurvendiskussion(); return (QWidget*)a.discussionWindow(); },
         {"Als_PDF_butt"}, "Als_PDF_butt", {"Als_PDF_butt", "Drucken_butt"}},
    };
    // Esc leaves the main panel and the drawing window open.
    for (QWidget* w : {(QWidget*)&app.mainPanel(), (QWidget*)&app.drawingWindow()}) {
        QTest::keyClick(w, Qt::Key_Escape);
        EXPECT_TRUE(w->isVisible());
    }
    app.showAnalysisPanel(true);
    for (const KeyRow& row : rows) {
        SCOPED_TRACE(row.title);
        QWidget* w = row.open(app);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->windowTitle(), QString::fromUtf8(row.title));
        w->show();
        auto* action = child<QAbstractButton>(w, row.action);
        // Only the wiring counts here: the action itself does nothing.
        QObject::disconnect(action, &QAbstractButton::clicked, nullptr, nullptr);
        QSignalSpy clicked(action, &QAbstractButton::clicked);
        for (const char* field : row.fields)
            QTest::keyClick(child(w, field), Qt::Key_Return);
        EXPECT_EQ(clicked.size(), qsizetype(row.fields.size()));
        for (std::size_t k = 1; k < row.tabs.size(); ++k)
            EXPECT_EQ(nextByTab(child(w, row.tabs[k - 1])), child(w, row.tabs[k]))
                << row.tabs[k - 1];
        w->activateWindow();
        QTest::keyClick(w, Qt::Key_Escape);
        EXPECT_FALSE(w->isVisible());
    }
}

// No control of a tool window lies over another or beyond the window, also
// with seven functions, one of them longer than the screen is wide. The area
// window's width lists show the width the shading is drawn with.
TEST_F(ToolKeys, NoControlCoversAnotherWithTheLongestContent)
{
    app.context().state.areas.Fuel_Staerke_SP = 4;  // as an opened drawing gives it
    app.showAnalysisPanel(true);
    app.Schnittstellen_Rechner();
    QWidget* intersections = app.intersectionCalculator();
    std::string longTerm = "x";
    while (longTerm.size() < 1900)
        longTerm += "+sin(x)";
    for (const char* t : {"x^2", "2x+3", "sin(x)", "0,5x^3-2x", "x^4-10x^2+5", "1/x", longTerm.c_str()}) {
        test::child<QLineEdit>(intersections, "Eingabe_Term_txt")->setText(QString::fromUtf8(t));
        QTest::keyClick(test::child(intersections, "Eingabe_Term_txt"), Qt::Key_Return);
    }
    app.openCalculator();
    app.Haengebruecken_Rechner();
    app.Integral_Rechner();
    EXPECT_EQ(test::child<QComboBox>(app.areaCalculator(), "Flaeche_Linien_staerke")->currentText(), "1");
    EXPECT_EQ(test::child<QComboBox>(app.areaCalculator(), "Flaeche_Linien_staerke_SP")->currentText(), "4");
    for (QWidget* w : {intersections, (QWidget*)app.calculator(), (QWidget*)app.bridge(),
                       (QWidget*)app.areaCalculator()}) {
        SCOPED_TRACE(w->windowTitle().toStdString());
        w->show();
        test::settleLayouts();
        EXPECT_LE(w->width(), 1366);
        std::vector<std::pair<QWidget*, QRect>> controls;
        for (QWidget* child : w->findChildren<QWidget*>())
            if (child->isVisible() && child->parentWidget() == w && !child->objectName().isEmpty())
                controls.push_back({child, child->geometry()});
        for (std::size_t i = 0; i < controls.size(); ++i) {
            EXPECT_TRUE(w->rect().contains(controls[i].second)) << controls[i].first->objectName().toStdString();
            for (std::size_t j = 0; j < i; ++j)
                EXPECT_FALSE(controls[i].second.intersects(controls[j].second))
                    << controls[i].first->objectName().toStdString() << " over "
                    << controls[j].first->objectName().toStdString();
        }
    }
}

}  // namespace
}  // namespace kw
