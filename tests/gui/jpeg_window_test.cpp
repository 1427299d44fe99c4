#include <gtest/gtest.h>

#include <QFileInfo>
#include <QRegularExpression>

#include "plane/jpeg_window.h"
#include "support/files.h"
#include "support/gui_helpers.h"

using namespace kw;
using namespace kw::test;

namespace {

// The plane sent out of the program: as JPEG, or printed without a printer
// into a PDF. The file dialogs answer with `file` ("" = cancelled).
class Export : public DrawnWindow {
protected:
    QTemporaryDir dir;
    const QString jpeg = dir.filePath(QStringLiteral("ebene.jpg"));
    const QString pdf = dir.filePath(QStringLiteral("ebene.pdf"));
    QStringList filters;  // what the file dialogs were asked to offer

    void SetUp() override
    {
        DrawnWindow::SetUp();
        w.Bild_Speichern_Click();
        answer(jpeg, pdf);
    }
    void answer(const QString& jpegAnswer, const QString& pdfAnswer)
    {
        auto ask = [this](QString file) {
            return [this, file](QWidget*, const QString& filter, const QString&) {
                filters << filter;
                return file;
            };
        };
        w.saveWindow()->setAskFileName(ask(jpegAnswer));
        w.setPrintServices({[] { return QPrinterInfo(); }, ask(pdfAnswer)});
    }
    JpegWindow& save() { return *w.saveWindow(); }
    void clickSave() { click(&save(), "cmdSaveAsJpg"); }

    // Width, height, format and quality as ImageMagick reads the file.
    QString identify() { return runTool("identify", {"-format", "%w %h %m %Q", jpeg}); }
    // The one printed page as pdftoppm renders it at 96 dots per inch, and the
    // box of what is not white on it.
    QRect printed(QImage& page)
    {
        EXPECT_TRUE(runTool("pdfinfo", {pdf}).contains(
            QRegularExpression("^Pages:\\s+1$", QRegularExpression::MultilineOption)));
        page = pdfPage(pdf);
        QRect box;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x)
                if (qGray(page.pixel(x, y)) < 235)
                    box |= QRect(x, y, 1, 1);
        return box;
    }
    void expectOnlyMessage(const char* title, const char* text)
    {
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.titles[0], title);
        EXPECT_NE(ui.messages[0].find(text), std::string::npos) << ui.messages[0];
        ui.messages.clear();
        ui.titles.clear();
    }
};

TEST_F(Export, SavesTheWholePlaneWithoutTraceLinesAtTheCurrentSizeAndQuality)
{
    auto* label = child<QLabel>(&save(), "Label1");
    EXPECT_EQ(label->text(), QStringLiteral("JPG Kompression: 85"));
    EXPECT_GT(redPixels(child(&save(), "Picture1")->grab().toImage()), 50);
    move(w.plane(), QPoint(690, 480));  // trace lines through (3, 4)
    clickSave();
    EXPECT_EQ(filters, QStringList{QStringLiteral("Images Files (*.jpg)")});
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(identify(), QStringLiteral("1200 1200 JPEG 85"));
    const QImage saved(jpeg);
    EXPECT_GT(redPixels(saved), 500);
    EXPECT_EQ(bluePixels(saved, QRect(0, 480, 1200, 1)), 0);
    EXPECT_EQ(bluePixels(saved, QRect(690, 0, 1, 1200)), 0);

    w.MouseWheel(120);
    child<QScrollBar>(&save(), "HScroll1")->setValue(40);
    EXPECT_EQ(label->text(), QStringLiteral("JPG Kompression: 40"));
    clickSave();
    EXPECT_EQ(identify(), QStringLiteral("1320 1320 JPEG 40"));
}

// Cancelled, unwritable, without an encoder or on a disk that fills up after a
// few kilobytes or only at the last bytes: no file, an old one kept, no leftovers.
TEST_F(Export, FailedOrCancelledSavesKeepTheOldFile)
{
    answer(QString(), QString());
    clickSave();
    w.menu().printShown->trigger();
    w.menu().printPlane->trigger();
    EXPECT_EQ(filters.size(), 3);
    EXPECT_TRUE(ui.messages.empty());

    answer(dir.filePath(QStringLiteral("fehlt/ebene.jpg")), dir.filePath("fehlt/ebene.pdf"));
    clickSave();
    expectOnlyMessage("GDI Error", " GDI+ Error:");
    w.menu().printPlane->trigger();
    expectOnlyMessage("Kurvenwerk", "konnte nicht geschrieben werden");

    const QString probe = dir.filePath(QStringLiteral("probe.jpg"));
    answer(probe, pdf);
    clickSave();
    const qint64 size = QFileInfo(probe).size();
    ASSERT_TRUE(QFile::remove(probe));
    answer(jpeg, pdf);
    writeFile(jpeg, "altes Bild");
    for (rlim_t room : {rlim_t(4096), rlim_t(size - 10)}) {
        onAFullDisk(room, [this] { clickSave(); });
        expectOnlyMessage("GDI Error", "Win32 Error. GDI+ Error:7");
    }
    save().setMimeTypes({"image/png", "image/bmp"});
    clickSave();
    expectOnlyMessage("Encoder Error", "Konnte keinen passenden Encoder ermitteln.");
    EXPECT_EQ(readFile(jpeg), QByteArray("altes Bild"));
    EXPECT_EQ(filesIn(dir.path()), QStringList{QStringLiteral("ebene.jpg")});
}

TEST_F(Export, BothPrintCommandsPrintThePlaneIntoAOnePagePdf)
{
    move(w.plane(), QPoint(690, 480));  // trace lines are not printed
    w.menu().printShown->trigger();
    EXPECT_EQ(filters, QStringList{QStringLiteral("PDF-Dateien (*.pdf)")});
    EXPECT_TRUE(ui.messages.empty());
    QImage page;
    QRect box = printed(page);
    // The visible area at one printed pixel per screen pixel.
    EXPECT_NEAR(box.width(), w.viewport()->width(), 16);
    EXPECT_NEAR(box.height(), w.viewport()->height(), 16);
    EXPECT_GT(redPixels(page), 200);
    EXPECT_EQ(bluePixels(page, page.rect()), 0);

    // The whole plane, square, fitted into the window's outer size.
    w.menu().printPlane->trigger();
    box = printed(page);
    const QSize outer = w.frameGeometry().size();
    EXPECT_NEAR(box.width(), std::min(outer.width(), outer.height()), 16);
    EXPECT_NEAR(box.height(), box.width(), 16);
}

}  // namespace
