#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QProgressBar>
#include <QPushButton>

#include <chrono>

#include "core/colours.h"
#include "curves/graph.h"
#include "curves/sampling.h"
#include "scene/redraw.h"
#include "support/gui_helpers.h"

using namespace kw;
using namespace kw::test;

namespace {

class MainPanelWindowTest : public RunningApp {
protected:
    MainPanelWindow& panel = app.mainPanel();

    void type(const char* field, const char* text) { test::type(&panel, {{field, text}}); }
    std::vector<WorldLine> graph(Rgb colour = rgb(200, 0, 0))
    {
        return worldLines(app.context().plane, colour);
    }
};

// Their places are checked with the others'.
TEST_F(MainPanelWindowTest, OpensBothWindows)
{
    EXPECT_EQ(panel.windowTitle(), "Kurvenwerk");
    EXPECT_EQ(app.drawingWindow().windowTitle(), "Ebene");
    EXPECT_EQ(app.drawingWindow().centralWidget()->size(), QSize(541, 458));
    EXPECT_EQ(child<QLabel>(&panel, "StatusPanel3")->text(), "Zoom: 100%");
}

// The term box neither completes from its list nor changes case: what the
// user typed is what is drawn.
TEST_F(MainPanelWindowTest, WhatIsTypedIsDrawn)
{
    auto* input = child<QComboBox>(&panel, "Eingabe");
    // Return goes to the box, as the keyboard sends it, so that it arrives once.
    auto drawBy = [&](bool enter) {
        enter ? QTest::keyClick(input, Qt::Key_Return) : click(&panel, "Zeichnen_button");
    };
    // The completer works only while the field has the focus.
    QApplication::setActiveWindow(&panel);
    input->setFocus();
    for (bool enter : {true, false}) {
        type("Eingabe", "x^2");
        drawBy(enter);
        type("Eingabe", "x");
        drawBy(enter);
        EXPECT_EQ(input->currentText(), "x");
        const auto lines = graph();
        ASSERT_FALSE(lines.empty());
        for (const auto& l : lines)
            ASSERT_NEAR(l.y2, l.x2, 1e-3) << "not the line y = x";

        type("Eingabe", "X^2");
        drawBy(enter);
        EXPECT_EQ(input->currentText(), "X^2");
        EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(kSyntaxMessage)});
        ui.messages.clear();
    }
    // The list still offers the terms drawn before.
    EXPECT_EQ(input->itemText(0), "x^2");
    EXPECT_EQ(input->count(), 6);
    // The quality is read from its field.
    type("Eingabe", "x^2");
    type("qualitaet_eingabe", "0");
    click(&panel, "Zeichnen_button");
    EXPECT_EQ(ui.messages, std::vector<std::string>{std::string(kDivisionMessage)});
}

// Long status texts, as a search over a wide range shows them, neither widen
// the panel nor push its buttons out of it: they end in "…", whole as tool tip.
// What fits shows as it is, without a tool tip.
TEST_F(MainPanelWindowTest, LongStatusTextsKeepThePanelsSize)
{
    settleLayouts();
    const QSize size = panel.size();
    // The three status panels are one kind of label. Text, whether it is cut.
    const std::pair<std::string, bool> texts[] = {
        {"Koordinaten: X= -29999,99, Y= 29999,99, Radius= 42425,41", true},
        {"Koordinaten: X= -12,34, Y= 5,67, Radius= 13,57", false},
        {"Suche läuft … mit Esc abbrechen", false}};  // no tool tip can be had while it runs
    const auto* label = child<QLabel>(&panel, "StatusPanel2");
    for (const auto& [text, mustCut] : texts) {
        ui.setStatus(2, text);
        settleLayouts();
        EXPECT_EQ(panel.size(), size);
        EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->contentsRect().width());
        const bool cut = label->text() != QString::fromStdString(text);
        EXPECT_EQ(cut, mustCut) << text;
        EXPECT_EQ(label->toolTip().toStdString(), cut ? text : "");
        EXPECT_TRUE(!cut || label->text().endsWith(QChar(0x2026)));
    }
    for (const char* name : {"Zeichnen_button", "zufall_butt", "Ende_button"}) {
        const QWidget* button = child<QWidget>(&panel, name);
        EXPECT_TRUE(panel.rect().contains(QRect(button->mapTo(&panel, QPoint()), button->size())))
            << name;
    }
}

// A range the plane cannot show: one message per action in the windows too.
TEST_F(MainPanelWindowTest, AnUnusableRangeIsRefusedOncePerAction)
{
    type("x_eingabe", "-1000000");
    click(&panel, "Zeichnen_button");
    // A quick turn of three notches is one action.
    DrawingWindow& drawing = app.drawingWindow();
    wheel(drawing.plane(), QPoint(10, 10), 3 * 120);
    const std::string refused(kRangeMessage);
    EXPECT_EQ(ui.messages, std::vector<std::string>(2, refused));
    EXPECT_EQ(drawing.plane()->width(), 1200);
    // The picture-size menu keeps its check where the picture is.
    drawing.menu().sizeItems[1]->trigger();
    EXPECT_EQ(ui.messages, std::vector<std::string>(3, refused));
    EXPECT_TRUE(drawing.menu().sizeItems[kSizeStart - 1]->isChecked());
    EXPECT_FALSE(drawing.menu().sizeItems[1]->isChecked());
}

TEST_F(MainPanelWindowTest, RangeWidthColourAndReset)
{
    test::type(&panel, {{"Eingabe", "x"}, {"x_eingabe", "-10"}, {"y_eingabe", "10"}});
    auto* widthCombo = child<QComboBox>(&panel, "f_x_linie_staerke");
    widthCombo->setCurrentIndex(4);
    emit widthCombo->activated(4);
    child<QComboBox>(&panel, "FarbeBox")->setCurrentText("Violett");
    click(&panel, "Zeichnen_button");
    EXPECT_EQ(app.context().plane.width(), 600);
    const auto lines = graph(rgb(139, 0, 139));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front().width, 5);

    click(&panel, "leeren_butt_Click");
    EXPECT_TRUE(graph(rgb(139, 0, 139)).empty());
}

TEST_F(MainPanelWindowTest, EscStopsADrawingThatTakesLong)
{
    Context& c = app.context();
    c.pacer.setProgressAfter({});  // takes long from the first sample on
    type("Eingabe", "x/10");
    QCoreApplication::postEvent(&panel, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
    child<QPushButton>(&panel, "Zeichnen_button")->click();
    EXPECT_TRUE(graph().empty());
    EXPECT_EQ(child<QLabel>(&panel, "StatusPanel2")->text().toStdString(), kDrawingCancelled);

    c.pacer.setProgressAfter(std::chrono::hours(1));
    child<QPushButton>(&panel, "Zeichnen_button")->click();
    EXPECT_EQ(graph().size(), 1999u);
    EXPECT_EQ(child<QLabel>(&panel, "StatusPanel2")->text(), "");
}

// The progress bar follows a drawing as events are handled, not step by step
// (on a screen each step is a repaint: hundreds per curve, for each member of
// a family), and ends at the end.
TEST_F(MainPanelWindowTest, ProgressIsShownAsEventsAreHandled)
{
    auto* bar = child<QProgressBar>(&panel, "ProgressBar");
    int shown = 0;
    QObject::connect(bar, &QProgressBar::valueChanged, [&shown] { ++shown; });
    type("Eingabe", "x/10");
    child<QPushButton>(&panel, "Zeichnen_button")->click();
    QCoreApplication::processEvents();
    EXPECT_LT(shown, 10);
    EXPECT_GE(bar->value(), bar->maximum() - 1);
}

TEST_F(MainPanelWindowTest, RandomExampleOnTopAndEnde)
{
    click(&panel, "zufall_butt");
    const std::string term = child<QComboBox>(&panel, "Eingabe")->currentText().toStdString();
    EXPECT_NE(std::find(kExamples.begin(), kExamples.end(), term), kExamples.end()) << term;
    EXPECT_TRUE(graph().empty());  // nothing is drawn

    // Changing the window flags must neither move nor hide the panel.
    const QRect before = panel.geometry();
    child<QCheckBox>(&panel, "Vordergrund_check")->setChecked(true);
    EXPECT_TRUE(panel.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(panel.geometry(), before);

    click(&panel, "Ende_button");
    EXPECT_FALSE(app.drawingWindow().isVisible());
}

}  // namespace
