#include <gtest/gtest.h>

#include <QClipboard>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QTranslator>
#include <QTreeWidget>

#include "analysis/value_table.h"
#include "gui/picture_file.h"
#include "plane/jpeg_window.h"
#include "support/files.h"
#include "support/gui_helpers.h"

using namespace kw;
using namespace kw::test;

namespace {

// Runs `step` on the modal dialog as soon as it is open.
void whenModal(std::function<void(QWidget*)> step)
{
    QTimer::singleShot(0, [step] { step(QApplication::activeModalWidget()); });
}

// The type by the extension in any case; a cancelled dialog writes nothing, other
// extensions and unwritable places say why.
TEST_F(DrawnWindow, ExportWritesTheTypeOfTheExtensionAndCtrlCCopiesThePlane)
{
    QTemporaryDir dir;
    const std::pair<QString, const char*> rows[] = {
        {"bild.PDF", "%PDF-"}, {"bild.svg", "<?xml"}, {"bild.jpeg", "\xff\xd8\xff"}, {"", ""},
        {"bild.jpg", "\xff\xd8\xff"}, {"bild.gif", "muss auf .svg, .pdf, .png, .jpg oder .jpeg enden"},
        {"fehlt/bild.svg", "konnte nicht geschrieben werden"}};
    for (const auto& [name, says] : rows) {
        w.setAskFileName([&dir, name = name](QWidget*, const QString&, const QString&) {
            return name.isEmpty() ? name : dir.filePath(name);
        });
        ui.messages.clear();
        w.menu().exportPicture->trigger();
        const QByteArray start = readFile(dir.filePath(name)).left(5);
        if (!name.isEmpty() && start.isEmpty())
            EXPECT_NE(ui.messages.at(0).find(says), std::string::npos) << ui.messages[0];
        else
            EXPECT_TRUE(start.startsWith(says) && ui.messages.empty()) << name.toStdString();
    }
    EXPECT_EQ(filesIn(dir.path()).size(), 4);

    // Ctrl+C: the whole plane, not what the frame shows, as picture and as SVG.
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(w.plane(), Qt::Key_C, Qt::ControlModifier);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    const QImage image = qvariant_cast<QImage>(data->imageData());
    ASSERT_EQ(image.size(), QSize(1200, 1200));
    EXPECT_GT(redPixels(image.copy(658, 478, 5, 5)), 0);  // world (2, 4)
    EXPECT_TRUE(data->data(QStringLiteral("image/svg+xml")).contains("<svg"));
}

TEST(SaveDialog, ANameWithoutExtensionGetsTheChosenTypes)
{
    QTemporaryDir dir;
    for (QString typed : {dir.filePath("bild"), dir.filePath("bild.png")}) {
        whenModal([&](QWidget* dialog) {
            QTest::keyClick(dialog->findChild<QComboBox*>("fileTypeCombo"), Qt::Key_Down);  // PDF
            dialog->findChild<QLineEdit*>("fileNameEdit")->setText(typed);
            QMetaObject::invokeMethod(dialog, "accept");
        });
        const QString chosen = askSaveFileName(nullptr, kPictureFilters, QStringLiteral("svg"));
        const QString expected = typed.contains('.') ? typed : typed + ".pdf";
        EXPECT_EQ(chosen.toStdString(), expected.toStdString());
    }
}

TEST(ValueTableWindow, CtrlCCopiesTheTablesAsTabSeparatedText)
{
    ValueTable t;
    t.fPositive = {{0, 1, 2}, {"0,123456", "1,12", "4,12"}};
    t.dNegative = {{0, -1}, {"0", "-2"}};
    t.dPositive = {{0, 1}, {"0", "2"}};
    kw::ValueTableWindow w(t);
    w.setAttribute(Qt::WA_DeleteOnClose, false);
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    w.listView(2)->setFocus();  // a list with the focus copies all the same
    QTest::keyClick(w.listView(2), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(),
              "Wertetabelle von f(x)\n"
              "positive x Werte:\tx = 0\tx = 1\tx = 2\n\t0,123456\t1,12\t4,12\n"
              "Wertetabelle von f'(x)\n"
              "negative x Werte:\tx = 0\tx = -1\n\t0\t-2\n"
              "positive x Werte:\tx = 0\tx = 1\n\t0\t2\n");
}

TEST(QtTexts, AreGermanAndMessagesCanBeSelected)
{
    ASSERT_TRUE(useGermanQtTexts());
    QDialogButtonBox buttons(QDialogButtonBox::Save | QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Save)->text(), QStringLiteral("Speichern"));
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Abbrechen"));
    Qt::TextInteractionFlags flags;
    whenModal([&](QWidget* dialog) {
        flags = static_cast<QMessageBox*>(dialog)->textInteractionFlags();
        QMetaObject::invokeMethod(dialog, "accept");
    });
    QtUi().message("Nullstellen bei x = 1 und x = -1", "Kurvenwerk");
    EXPECT_TRUE(flags.testFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard));
    qDeleteAll(qApp->findChildren<QTranslator*>());  // the other tests read Qt's English texts
}

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

    answer(jpeg, pdf);
    clickSave();  // for the size of a whole file
    const qint64 size = QFileInfo(jpeg).size();
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
