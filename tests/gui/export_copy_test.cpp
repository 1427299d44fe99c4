#include <gtest/gtest.h>

#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
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
    QTimer::singleShot(0, [step] { step(QApplication::activeModalWidget()); });
}

TEST_F(DrawnWindow, ExportWritesTheTypeOfTheExtensionAndCtrlCCopiesThePlane)
{
    QTemporaryDir dir;
    auto exportAs = [&](const QString& name) {
        w.setAskFileName([&dir, name](QWidget*, const QString& filter, const QString&) {
            EXPECT_EQ(filter, QString::fromUtf8(kPictureFilters));
            return name.isEmpty() ? name : dir.filePath(name);
        });
        w.menu().exportPicture->trigger();
        return readFile(dir.filePath(name)).left(5);
    };
    EXPECT_EQ(exportAs("bild.PDF"), QByteArray("%PDF-"));
    EXPECT_EQ(exportAs("bild.svg"), QByteArray("<?xml"));
    EXPECT_EQ(exportAs("bild.jpeg").left(3), QByteArray("\xff\xd8\xff"));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(exportAs("bild.gif").isEmpty());
    exportAs(QString());  // cancelled
    exportAs(QStringLiteral("fehlt/bild.svg"));
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_NE(ui.messages[0].find("muss auf .svg, .pdf, .png, .jpg oder .jpeg enden"),
              std::string::npos);
    EXPECT_NE(ui.messages[1].find("konnte nicht geschrieben werden"), std::string::npos);
    EXPECT_EQ(filesIn(dir.path()).size(), 3);

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

}  // namespace
