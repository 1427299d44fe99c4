#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/app.h"
#include "panel/colours.h"
#include "panel/main_panel.h"
#include "panel/main_panel_window.h"
#include "plane/drawing_window.h"
#include "support/plane_helpers.h"
#include "support/recording_qt_ui.h"
#include "terms/graph.h"

using namespace kw;

namespace {

constexpr Rgb kRot = rgb(200, 0, 0);

class MainPanelWindowTest : public ::testing::Test {
protected:
    test::RecordingQtUi ui;
    App app{&ui};
    MainPanelWindow& panel = app.mainPanel();

    void SetUp() override { app.start(); }

    template <class W>
    W* child(const char* name)
    {
        auto* w = panel.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }

    void type(const char* field, const QString& text)
    {
        QLineEdit* edit = std::string_view(field) == "Eingabe"
                              ? child<QComboBox>("Eingabe")->lineEdit()
                              : child<QLineEdit>(field);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

    void zeichnen() { QTest::mouseClick(child<QPushButton>("Zeichnen_button"), Qt::LeftButton); }

    std::vector<test::WorldLine> graph() { return test::worldLines(app.context().ebene, kRot); }
};

TEST_F(MainPanelWindowTest, OpensBothWindowsInPlace)
{
    EXPECT_EQ(panel.windowTitle(), QStringLiteral("Kurvenwerk"));
    DrawingWindow& drawing = app.drawingWindow();
    EXPECT_EQ(drawing.windowTitle(), QStringLiteral("Ebene"));
    EXPECT_EQ(drawing.geometry().topLeft(), QPoint(341, 126));
    EXPECT_EQ(drawing.centralWidget()->size(), QSize(541, 458));
    EXPECT_EQ(panel.frameGeometry().top(), drawing.frameGeometry().bottom() + 1);
    EXPECT_EQ(panel.frameGeometry().left(), drawing.frameGeometry().left());
    EXPECT_EQ(child<QLabel>("StatusPanel3")->text(), QStringLiteral("Zoom: 100%"));
    // The start-up term is one of the examples.
    const std::string term = child<QComboBox>("Eingabe")->currentText().toStdString();
    EXPECT_NE(std::find(kBeispiele.begin(), kBeispiele.end(), term), kBeispiele.end());
    EXPECT_TRUE(graph().empty());
}

TEST_F(MainPanelWindowTest, DrawsTheTypedTermWithButtonOrEnter)
{
    type("Eingabe", QStringLiteral("sin(x)+1/x"));
    zeichnen();
    EXPECT_FALSE(graph().empty());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(child<QComboBox>("Eingabe")->count(), 1);

    type("Eingabe", QStringLiteral("sqr(4-x^2)"));
    QTest::keyClick(child<QComboBox>("Eingabe")->lineEdit(), Qt::Key_Return);
    auto arc = graph();
    ASSERT_FALSE(arc.empty());
    for (const auto& l : arc)
        EXPECT_LE(std::max(std::abs(l.x1), std::abs(l.x2)), 2.05);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(child<QComboBox>("Eingabe")->itemText(1), QStringLiteral("sqr(4-x^2)"));
}

TEST_F(MainPanelWindowTest, ShowsTheMessagesOfBadInput)
{
    type("Eingabe", QStringLiteral("X^2"));
    zeichnen();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], kMeldungSyntax);

    type("Eingabe", QStringLiteral("x^2"));
    type("qualitaet_eingabe", QStringLiteral("0"));
    zeichnen();
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1], kMeldungDivision);
}

TEST_F(MainPanelWindowTest, RangeWidthColourAndReset)
{
    type("Eingabe", QStringLiteral("x"));
    type("x_eingabe", QStringLiteral("-10"));
    type("y_eingabe", QStringLiteral("10"));
    auto* staerke = child<QComboBox>("f_x_linie_staerke");
    staerke->setCurrentIndex(4);
    emit staerke->activated(4);
    child<QComboBox>("FarbeBox")->setCurrentText(QStringLiteral("Violett"));
    zeichnen();
    EXPECT_EQ(app.context().ebene.width(), 600);
    auto lines = test::worldLines(app.context().ebene, rgb(139, 0, 139));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front().width, 5);

    QTest::mouseClick(child<QPushButton>("leeren_butt_Click"), Qt::LeftButton);
    EXPECT_TRUE(test::worldLines(app.context().ebene, rgb(139, 0, 139)).empty());
    EXPECT_FALSE(app.context().ebene.items().empty());
}

TEST_F(MainPanelWindowTest, RandomExampleIsPutIntoTheTermField)
{
    for (int i = 0; i < 5; ++i) {
        QTest::mouseClick(child<QPushButton>("zufall_butt"), Qt::LeftButton);
        const std::string term = child<QComboBox>("Eingabe")->currentText().toStdString();
        EXPECT_NE(std::find(kBeispiele.begin(), kBeispiele.end(), term), kBeispiele.end()) << term;
    }
    EXPECT_TRUE(graph().empty());  // nothing is drawn
}

TEST_F(MainPanelWindowTest, StaysOnTopWithoutMoving)
{
    const QRect before = panel.geometry();
    child<QCheckBox>("Vordergrund_check")->setChecked(true);
    EXPECT_TRUE(panel.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(panel.geometry(), before);
    child<QCheckBox>("Vordergrund_check")->setChecked(false);
    EXPECT_FALSE(panel.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(panel.isVisible());
}

TEST_F(MainPanelWindowTest, EndeClosesEveryWindow)
{
    QTest::mouseClick(child<QPushButton>("Ende_button"), Qt::LeftButton);
    EXPECT_FALSE(panel.isVisible());
    EXPECT_FALSE(app.drawingWindow().isVisible());
}

}  // namespace
