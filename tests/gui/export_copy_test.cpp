#include <gtest/gtest.h>

#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QTranslator>
#include <QTreeWidget>

#include "analysis/value_table.h"
#include "gui/picture_file.h"
#include "panel/value_table_window.h"
#include "support/files.h"
#include "support/gui_helpers.h"

using namespace kw;
using namespace kw::test;

namespace {

// Runs `step` on the modal dialog as soon as it is open.
void whenModal(std::function<void(QWidget*)> step)
{
    QTimer::singleShot(0, [step] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        step(dialog);
    });
}

class PictureExport : public DrawnWindow {
protected:
    QTemporaryDir dir;
    QStringList filters;

    // Exports as if `name` had been chosen in the file dialog; the file's first bytes.
    QByteArray exportAs(const QString& name)
    {
        const QString file = name.isEmpty() ? name : dir.filePath(name);
        w.setAskFileName([this, file](QWidget*, const QString& filter, const QString&) {
            filters << filter;
            return file;
        });
        w.menu().bildExportieren->trigger();
        QFile written(file);
        return written.open(QIODevice::ReadOnly) ? written.read(5) : QByteArray();
    }
};

TEST_F(PictureExport, WritesTheTypeOfTheExtensionAndRefusesOthers)
{
    EXPECT_EQ(w.menu().bildExportieren->text(), QStringLiteral("Als SVG/PDF/PNG exportieren…"));
    EXPECT_EQ(exportAs("bild.PDF"), QByteArray("%PDF-"));
    EXPECT_EQ(exportAs("bild.svg"), QByteArray("<?xml"));
    EXPECT_EQ(exportAs("bild.png"), QByteArray("\x89PNG\r"));
    EXPECT_EQ(exportAs("bild.jpeg").left(3), QByteArray("\xff\xd8\xff"));
    EXPECT_EQ(filters.first(), QString::fromUtf8(kPictureFilters));
    EXPECT_TRUE(ui.messages.empty());

    EXPECT_TRUE(exportAs("bild.gif").isEmpty());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_NE(ui.messages[0].find("muss auf .svg, .pdf, .png, .jpg oder .jpeg enden"),
              std::string::npos);
    exportAs(QString());  // cancelled
    exportAs(QStringLiteral("fehlt/bild.svg"));
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_NE(ui.messages[1].find("konnte nicht geschrieben werden"), std::string::npos);
    EXPECT_EQ(filesIn(dir.path()).size(), 4);
}

TEST(SaveDialog, ANameWithoutExtensionGetsTheChosenTypes)
{
    QTemporaryDir dir;
    for (const char* typed : {"bild", "bild.png"}) {
        whenModal([&](QWidget* dialog) {
            auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            ASSERT_NE(types, nullptr);
            QTest::keyClick(types, Qt::Key_Down);  // "PDF-Dokument (*.pdf)"
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                ->setText(dir.filePath(QString::fromLatin1(typed)));
            QMetaObject::invokeMethod(dialog, "accept");
        });
        const QString chosen = askSaveFileName(nullptr, QString::fromUtf8(kPictureFilters),
                                               QStringLiteral("svg"));
        EXPECT_EQ(chosen.toStdString(),
                  dir.filePath(QString::fromLatin1(typed)).toStdString() +
                      (QByteArray(typed).contains('.') ? "" : ".pdf"));
    }
}

TEST_F(DrawnWindow, CtrlCPutsTheWholePlaneOnTheClipboardAsPictureAndSvg)
{
    QGuiApplication::clipboard()->clear();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(w.plane(), Qt::Key_C, Qt::ControlModifier);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    const QImage image = qvariant_cast<QImage>(data->imageData());
    ASSERT_EQ(image.size(), QSize(1200, 1200));  // the whole plane, not what the frame shows
    const QColor parabola = image.pixelColor(660, 480);  // world (2, 4)
    EXPECT_GT(parabola.red(), 150);
    EXPECT_LT(parabola.green(), 90);
    EXPECT_TRUE(data->data(QStringLiteral("image/svg+xml")).contains("<svg"));
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
    w.listView(2)->setFocus();  // even where a list has the focus
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(w.listView(2), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QStringLiteral("Wertetabelle von f(x)\n"
                             "positive x Werte:\tx = 0\tx = 1\tx = 2\n"
                             "\t0,123456\t1,12\t4,12\n"
                             "Wertetabelle von f'(x)\n"
                             "negative x Werte:\tx = 0\tx = -1\n"
                             "\t0\t-2\n"
                             "positive x Werte:\tx = 0\tx = 1\n"
                             "\t0\t2\n"));
}

TEST(QtTexts, AreGermanAndMessagesCanBeSelected)
{
    ASSERT_TRUE(useGermanQtTexts());
    QDialogButtonBox buttons(QDialogButtonBox::Save | QDialogButtonBox::Cancel |
                             QDialogButtonBox::Open);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Save)->text(), QStringLiteral("Speichern"));
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Abbrechen"));
    EXPECT_EQ(buttons.button(QDialogButtonBox::Open)->text(), QStringLiteral("Öffnen"));

    QString ok;
    Qt::TextInteractionFlags flags;
    whenModal([&](QWidget* dialog) {
        auto* box = static_cast<QMessageBox*>(dialog);
        ok = box->button(QMessageBox::Ok)->text();
        flags = box->textInteractionFlags();
        box->accept();
    });
    QtUi().message("Nullstellen bei x = 1 und x = -1", "Kurvenwerk");
    EXPECT_EQ(ok, QStringLiteral("OK"));
    EXPECT_TRUE(flags.testFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard));

    for (QTranslator* german : qApp->findChildren<QTranslator*>())
        delete german;  // the other tests read Qt's English texts
}

}  // namespace
