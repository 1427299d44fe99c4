#include <gtest/gtest.h>

#include <QClipboard>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QTranslator>
#include <QTreeWidget>

#include "analysis/value_table.h"
#include "gui/picture_file.h"
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
        {"bild.gif", "muss auf .svg, .pdf, .png, .jpg oder .jpeg enden"},
        {"fehlt/bild.svg", "konnte nicht geschrieben werden"}};
    for (const auto& [name, says] : rows) {
        w.setAskFileName([&dir, name](QWidget*, const QString& filter, const QString&) {
            EXPECT_EQ(filter, QString::fromUtf8(kPictureFilters));
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
