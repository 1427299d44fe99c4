#include <gtest/gtest.h>

#include <QInputDialog>
#include <QPushButton>
#include <QTimer>

#include "curves/bridge.h"
#include "support/gui_helpers.h"
#include "tools/bridge_window.h"

namespace kw {
namespace {

using namespace test;

using FamilyAndBridgeWindows = test::RunningApp;

// Confirms every input box that opens, as it stands, and notes its buttons.
struct Answerer {
    QTimer timer;
    int dialogs = 0;
    QStringList buttons;

    Answerer()
    {
        QObject::connect(&timer, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            if (!box)
                return;
            ++dialogs;
            buttons.clear();
            for (auto* b : box->findChildren<QPushButton*>())
                buttons << b->text();
            buttons.sort();
            box->accept();
        });
        timer.start(20);
    }
};

TEST_F(FamilyAndBridgeWindows, AFamilyAsksInGermanAndDrawsEveryMember)
{
    Answerer answerer;
    child<QComboBox>(&app.mainPanel(), "Eingabe")->setEditText(QStringLiteral("x^2+@"));
    click(&app.mainPanel(), "Zeichnen_button");
    EXPECT_EQ(answerer.dialogs, 3);
    EXPECT_EQ(answerer.buttons, (QStringList{"Abbrechen", "OK"}));
    EXPECT_TRUE(ui.messages.empty());
    // The defaults: eight members, each with its sample at x = 1.
    int members = 0;
    for (const auto& l : worldLines(app.context().plane, rgb(200, 0, 0)))
        members += std::fabs(l.x2 - 1) < 1e-3;
    EXPECT_EQ(members, 8);
}

TEST_F(FamilyAndBridgeWindows, BridgeCalculatorDrawsTheCableAndClosesWithTheAnalysisPanel)
{
    app.showAnalysisPanel(true);
    click(app.analysisPanel(), "Bruecken_Rechner_butt");
    BridgeWindow* w = app.bridge();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(visibleWindowsNamed("Form6"), 1);
    EXPECT_EQ(w->windowTitle(), "Rechner für Verlauf des Trägerseils einer Hängerbrücke");
    run(w, {{{{"Abstand_txt", "100"}, {"Hoehe_txt", "30"}, {"Tiefster_Punkt_txt", "5"}}, "Berechne_CMD",
             {{"a1_Ausgabe", "0,247788873"}, {"Form1/y_eingabe", "50"}}}});
    const Context& c = app.context();
    EXPECT_EQ(textOf(control("Form1/Eingabe")).toStdString(), c.state.main.Eingabe);
    EXPECT_EQ(worldLines(c.plane, kHangerColour).size(), 98u);
    EXPECT_FALSE(c.state.bridge.Brueck_zeichnen);

    // The formula is drawn by the window itself: ink on white, wider than high.
    auto* formel = child<QWidget>(w, "Picture1");
    const QImage bild = formel->grab().toImage();
    EXPECT_GT(bild.width(), 2 * bild.height());
    EXPECT_GT(countPixels(bild, bild.rect(), [](QColor p) { return p.lightness() < 100; }), 200);

    app.analysisPanel()->close();
    EXPECT_FALSE(w->isVisible());
    app.showAnalysisPanel(true);
    click(app.analysisPanel(), "Bruecken_Rechner_butt");
    EXPECT_EQ(child<QLineEdit>(w, "Abstand_txt")->text(), "100");  // kept while hidden
}

}  // namespace
}  // namespace kw
