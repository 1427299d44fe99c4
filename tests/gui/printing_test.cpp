#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "panel/context.h"
#include "panel/main_panel.h"
#include "plane/drawing_window.h"
#include "plane/plane_widget.h"
#include "support/files.h"
#include "support/gui_helpers.h"
#include "support/recording_ui.h"

using namespace kw;
using namespace kw::test;

namespace {

class PrintingTest : public ::testing::Test {
protected:
    RecordingUi ui;
    Context c{ui};
    DrawingWindow w{c};
    QTemporaryDir dir;
    QString pdf;
    QStringList filters;

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        pdf = dir.filePath(QStringLiteral("ebene.pdf"));
        mainPanelLoad(c);
        c.s.Eingabe = "x^2";
        zeichnen(c);
        w.planeChanged();
        w.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
        answer(pdf);
    }

    // No printer on this system; the save dialog answers with `file`.
    void answer(const QString& file)
    {
        PrintServices services;
        services.defaultPrinter = [] { return QPrinterInfo(); };
        services.askFileName = [this, file](QWidget*, const QString& filter, const QString&) {
            filters << filter;
            return file;
        };
        w.setPrintServices(services);
    }

    // The printed page as pdftoppm renders it at 96 dots per inch.
    QImage page()
    {
        const QString info = runTool(QStringLiteral("pdfinfo"), {pdf});
        EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("^Pages:\\s+1$"),
                                                     QRegularExpression::MultilineOption)))
            << info.toStdString();
        const QString png = dir.filePath(QStringLiteral("seite"));
        runTool(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("96"),
                                             QStringLiteral("-png"), QStringLiteral("-singlefile"),
                                             pdf, png});
        return QImage(png + QStringLiteral(".png"));
    }

    // Where the page is not white.
    static QRect inked(const QImage& image)
    {
        QRect box;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 235)
                    box |= QRect(x, y, 1, 1);
        return box;
    }
};

TEST_F(PrintingTest, VisibleAreaGoesIntoAPdfAtItsSizeOnScreen)
{
    move(w.plane(), QPoint(690, 480));  // trace lines are not printed
    w.menu().bereichDruck->trigger();
    EXPECT_EQ(filters, QStringList{QStringLiteral("PDF-Dateien (*.pdf)")});
    EXPECT_TRUE(ui.messages.empty());
    const QImage printed = page();
    ASSERT_FALSE(printed.isNull());
    const QRect box = inked(printed);
    // The grid fills what the frame shows, at one printed pixel per screen pixel.
    EXPECT_NEAR(box.width(), w.fenster()->width(), 16);
    EXPECT_NEAR(box.height(), w.fenster()->height(), 16);
    EXPECT_GT(redPixels(printed), 200);
    EXPECT_EQ(bluePixels(printed, printed.rect()), 0);
}

TEST_F(PrintingTest, WholePlaneFitsTheWindowsOuterSize)
{
    w.menu().ebeneDrucken->trigger();
    const QImage printed = page();
    ASSERT_FALSE(printed.isNull());
    const QRect box = inked(printed);
    const QSize outer = w.frameGeometry().size();
    const int side = std::min(outer.width(), outer.height());  // the plane is square
    EXPECT_NEAR(box.width(), side, 16);
    EXPECT_NEAR(box.height(), side, 16);
    EXPECT_GT(redPixels(printed), 100);
}

TEST_F(PrintingTest, CancellingPrintsNothing)
{
    answer(QString());
    w.menu().bereichDruck->trigger();
    w.menu().ebeneDrucken->trigger();
    EXPECT_EQ(filters.size(), 2);
    EXPECT_TRUE(filesIn(dir.path()).isEmpty());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(PrintingTest, AnUnwritableFileIsReported)
{
    answer(dir.filePath(QStringLiteral("fehlt/ebene.pdf")));
    w.menu().ebeneDrucken->trigger();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("konnte nicht geschrieben werden"), std::string::npos);
}

}  // namespace
