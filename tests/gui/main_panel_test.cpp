#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QPushButton>

#include <chrono>

#include "core/colours.h"
#include "curves/graph.h"
#include "curves/sampling.h"
#include "support/gui_helpers.h"
#include "support/plane_helpers.h"

using namespace kw;
using namespace kw::test;

namespace {

class MainPanelWindowTest : public RunningApp {
protected:
    MainPanelWindow& panel = app.mainPanel();

    void type(const char* field, const char* text)
    {
        QLineEdit* edit = std::string_view(field) == "Eingabe"
                              ? child<QComboBox>(&panel, "Eingabe")->lineEdit()
                              : child<QLineEdit>(&panel, field);
        edit->selectAll();
        QTest::keyClicks(edit, QString::fromUtf8(text));
    }
    std::vector<WorldLine> graph(Rgb colour = rgb(200, 0, 0))
    {
        return worldLines(app.context().ebene, colour);
    }
};

TEST_F(MainPanelWindowTest, OpensBothWindowsInPlace)
{
    EXPECT_EQ(panel.windowTitle(), "Kurvenwerk");
    DrawingWindow& drawing = app.drawingWindow();
    EXPECT_EQ(drawing.windowTitle(), "Ebene");
    EXPECT_EQ(drawing.geometry().topLeft(), QPoint(341, 126));
    EXPECT_EQ(drawing.centralWidget()->size(), QSize(541, 458));
    EXPECT_EQ(panel.frameGeometry().topLeft(), drawing.frameGeometry().bottomLeft() + QPoint(0, 1));
    EXPECT_EQ(child<QLabel>(&panel, "StatusPanel3")->text(), "Zoom: 100%");
}

TEST_F(MainPanelWindowTest, DrawsTheTypedTermOrSaysWhatIsWrong)
{
    // Term, and the x range its graph may cover.
    const std::tuple<const char*, double, double> cases[] = {
        {"sin(x)+1/x", -20, 20}, {"sqr(x)", 0, 20}, {"sqr(4-x^2)", -2.05, 2.05}};
    bool enter = false;
    for (auto [term, from, to] : cases) {
        type("Eingabe", term);
        if ((enter = !enter))
            QTest::keyClick(child<QComboBox>(&panel, "Eingabe")->lineEdit(), Qt::Key_Return);
        else
            click(&panel, "Zeichnen_button");
        const auto lines = graph();
        ASSERT_FALSE(lines.empty()) << term;
        for (const auto& l : lines)
            EXPECT_TRUE(std::min(l.x1, l.x2) >= from && std::max(l.x1, l.x2) <= to) << term;
    }
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(app.context().s.EingabeListe.size(), 3u);  // Return draws once

    type("Eingabe", "X^2");
    click(&panel, "Zeichnen_button");
    type("Eingabe", "x^2");
    type("qualitaet_eingabe", "0");
    click(&panel, "Zeichnen_button");
    EXPECT_EQ(ui.messages, (std::vector<std::string>{std::string(kMeldungSyntax),
                                                     std::string(kMeldungDivision)}));
}

TEST_F(MainPanelWindowTest, RangeWidthColourAndReset)
{
    type("Eingabe", "x");
    type("x_eingabe", "-10");
    type("y_eingabe", "10");
    auto* staerke = child<QComboBox>(&panel, "f_x_linie_staerke");
    staerke->setCurrentIndex(4);
    emit staerke->activated(4);
    child<QComboBox>(&panel, "FarbeBox")->setCurrentText("Violett");
    click(&panel, "Zeichnen_button");
    EXPECT_EQ(app.context().ebene.width(), 600);
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
    EXPECT_EQ(child<QLabel>(&panel, "StatusPanel1")->text().toStdString(), kZeichnenAbgebrochen);

    c.pacer.setProgressAfter(std::chrono::hours(1));
    child<QPushButton>(&panel, "Zeichnen_button")->click();
    EXPECT_EQ(graph().size(), 1999u);
    EXPECT_EQ(child<QLabel>(&panel, "StatusPanel1")->text(), "");
}

TEST_F(MainPanelWindowTest, RandomExampleOnTopAndEnde)
{
    click(&panel, "zufall_butt");
    const std::string term = child<QComboBox>(&panel, "Eingabe")->currentText().toStdString();
    EXPECT_NE(std::find(kBeispiele.begin(), kBeispiele.end(), term), kBeispiele.end()) << term;
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
