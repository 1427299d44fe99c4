#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

#include "panel/context.h"
#include "panel/main_panel.h"
#include "plane/drawing_window.h"
#include "plane/jpeg_window.h"
#include "plane/plane_widget.h"
#include "plane/save_status.h"
#include "support/files.h"
#include "support/gui_helpers.h"
#include "support/recording_ui.h"

using namespace kw;
using namespace kw::test;

namespace {

class JpegWindowTest : public ::testing::Test {
protected:
    RecordingUi ui;
    Context c{ui};
    DrawingWindow w{c};
    QTemporaryDir dir;
    QString target;
    QStringList filters;  // what the save dialog was asked to offer

    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        target = dir.filePath(QStringLiteral("ebene.jpg"));
        mainPanelLoad(c);
        c.s.Eingabe = "x^2";
        zeichnen(c);
        w.planeChanged();
        w.show();
        w.Bild_Speichern_Click();
        ASSERT_NE(w.saveWindow(), nullptr);
        answer(target);
    }

    JpegWindow& save() { return *w.saveWindow(); }
    QScrollBar* slider() { return save().findChild<QScrollBar*>(QStringLiteral("HScroll1")); }

    // The save dialog answers with `file` ("" = cancelled).
    void answer(const QString& file)
    {
        save().setAskFileName([this, file](QWidget*, const QString& filter, const QString&) {
            filters << filter;
            return file;
        });
    }

    void clickSave()
    {
        save().findChild<QPushButton*>(QStringLiteral("cmdSaveAsJpg"))->click();
    }

    // Width, height, format and quality as ImageMagick reads the file.
    QString identify(const QString& file)
    {
        return runTool(QStringLiteral("identify"),
                       {QStringLiteral("-format"), QStringLiteral("%w %h %m %Q"), file});
    }
};

TEST_F(JpegWindowTest, OpensWithThePlaneAndQuality85)
{
    EXPECT_TRUE(save().isVisible());
    EXPECT_EQ(save().windowTitle(), QStringLiteral("Ebene Speichern Unter"));
    auto* label = save().findChild<QLabel*>(QStringLiteral("Label1"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("JPG Kompression: 85"));
    EXPECT_EQ(slider()->minimum(), 0);
    EXPECT_EQ(slider()->maximum(), 100);
    slider()->setValue(40);
    EXPECT_EQ(label->text(), QStringLiteral("JPG Kompression: 40"));

    // Picture1 shows the plane: the red parabola is in it.
    auto* picture = save().findChild<QWidget*>(QStringLiteral("Picture1"));
    ASSERT_NE(picture, nullptr);
    EXPECT_GT(redPixels(picture->grab().toImage()), 50);

    // The window is made once and kept.
    JpegWindow* first = w.saveWindow();
    save().close();
    w.Bild_Speichern_Click();
    EXPECT_EQ(w.saveWindow(), first);
    EXPECT_EQ(slider()->value(), 40);
}

TEST_F(JpegWindowTest, SavesTheWholePlaneWithoutTraceLines)
{
    move(w.plane(), QPoint(690, 480));  // trace lines through (3, 4)
    clickSave();
    EXPECT_EQ(filters, QStringList{QStringLiteral("Images Files (*.jpg)")});
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(identify(target), QStringLiteral("1200 1200 JPEG 85"));

    const QImage saved(target);
    ASSERT_EQ(saved.size(), QSize(1200, 1200));
    EXPECT_GT(redPixels(saved), 500);
    EXPECT_EQ(bluePixels(saved, QRect(0, 480, 1200, 1)), 0);
    EXPECT_EQ(bluePixels(saved, QRect(690, 0, 1, 1200)), 0);
    EXPECT_EQ(filesIn(dir.path()), QStringList{QStringLiteral("ebene.jpg")});
}

TEST_F(JpegWindowTest, SavesTheCurrentSizeAndQuality)
{
    w.MouseWheel(120);
    slider()->setValue(40);
    clickSave();
    EXPECT_EQ(identify(target), QStringLiteral("1320 1320 JPEG 40"));

    // Anything beyond the slider's range is clamped.
    QImage small(20, 10, QImage::Format_RGB32);
    small.fill(Qt::white);
    const QString other = dir.filePath(QStringLiteral("klein.jpg"));
    ASSERT_TRUE(saveJpeg(ui, small, other, 150, {"image/jpeg"}));
    EXPECT_EQ(identify(other), QStringLiteral("20 10 JPEG 100"));
}

TEST_F(JpegWindowTest, CancellingWritesNothingAndSaysNothing)
{
    answer(QString());
    clickSave();
    EXPECT_TRUE(filesIn(dir.path()).isEmpty());
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(JpegWindowTest, AFailedSaveKeepsTheOldFile)
{
    {
        QFile old(target);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("altes Bild");
    }
    // A disk that fills up after a few kilobytes.
    rlimit limit{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &limit), 0);
    const rlimit full{4096, limit.rlim_max};
    auto* previous = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &full), 0);
    clickSave();
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, previous);

    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "Win32 Error. GDI+ Error:7");
    EXPECT_EQ(ui.titles[0], "GDI Error");
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("altes Bild"));
    EXPECT_EQ(filesIn(dir.path()), QStringList{QStringLiteral("ebene.jpg")});  // no leftovers
}

TEST_F(JpegWindowTest, AFolderThatIsNotThereIsReported)
{
    answer(dir.filePath(QStringLiteral("fehlt/ebene.jpg")));
    clickSave();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.titles[0], "GDI Error");
    EXPECT_NE(ui.messages[0].find(" GDI+ Error:"), std::string::npos);
    EXPECT_TRUE(filesIn(dir.path()).isEmpty());
}

TEST_F(JpegWindowTest, WithoutAJpegWriterNothingIsSaved)
{
    save().setMimeTypes({"image/png", "image/bmp"});
    clickSave();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "Konnte keinen passenden Encoder ermitteln.");
    EXPECT_EQ(ui.titles[0], "Encoder Error");
    EXPECT_TRUE(filesIn(dir.path()).isEmpty());
}

TEST_F(JpegWindowTest, APictureWithoutMemoryIsReported)
{
    EXPECT_FALSE(saveJpeg(ui, QImage(), target, 85, {"image/jpeg"}));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], "Out Of Memory. GDI+ Error:3");
    EXPECT_FALSE(QFile::exists(target));
}

}  // namespace
