#include "plane/jpeg_window.h"

#include <QImage>
#include <QImageWriter>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollBar>
#include <QVBoxLayout>

#include <algorithm>

#include "gui/tool_keys.h"
#include "core/plane.h"
#include "core/ui.h"
#include "gui/render.h"
#include "plane/save_status.h"

namespace kw {

namespace {

int fileStatus(QFileDevice::FileError error)
{
    return error == QFileDevice::PermissionsError ? kAccessDenied : kWin32Error;
}

int writerStatus(QImageWriter::ImageWriterError error)
{
    switch (error) {
    case QImageWriter::DeviceError:
        return kWin32Error;
    case QImageWriter::UnsupportedFormatError:
        return kUnknownImageFormat;
    case QImageWriter::InvalidImageError:
        return kInvalidParameter;
    default:
        return kGenericError;
    }
}

bool writesJpeg(const QList<QByteArray>& mimeTypes)
{
    return std::any_of(mimeTypes.begin(), mimeTypes.end(), [](const QByteArray& type) {
        return type.toLower() == "image/jpeg";
    });
}

// `Picture1`: the plane scaled into the box with its proportions kept. The
// scaled picture is kept until the plane or the box changes.
class Picture : public QWidget {
public:
    explicit Picture(const Plane& plane) : plane_(plane)
    {
        setObjectName(QStringLiteral("Picture1"));
        setMinimumSize(160, 160);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
    QSize sizeHint() const override { return {300, 300}; }
    void invalidate()
    {
        cache_ = QImage();
        update();
    }

protected:
    void resizeEvent(QResizeEvent*) override { cache_ = QImage(); }
    void paintEvent(QPaintEvent*) override
    {
        if (cache_.size() != size() * devicePixelRatioF())
            render();
        QPainter painter(this);
        painter.drawImage(0, 0, cache_);
    }

private:
    void render()
    {
        const qreal ratio = devicePixelRatioF();
        cache_ = QImage(size() * ratio, QImage::Format_RGB32);
        cache_.setDevicePixelRatio(ratio);
        cache_.fill(palette().color(QPalette::Window));
        const QSizeF whole(plane_.width(), plane_.height());
        const QSizeF fitted = whole.scaled(QSizeF(size()), Qt::KeepAspectRatio);
        QPainter painter(&cache_);
        painter.translate((width() - fitted.width()) / 2, (height() - fitted.height()) / 2);
        painter.scale(fitted.width() / whole.width(), fitted.height() / whole.height());
        paintPlane(painter, plane_, QRectF(QPointF(0, 0), whole));
    }

    const Plane& plane_;
    QImage cache_;
};

}  // namespace

bool saveJpeg(Ui& ui, const QImage& image, const QString& file, int quality,
              const QList<QByteArray>& mimeTypes)
{
    // A null image is one that could not be allocated.
    if (statusCheck(ui, image.isNull() ? kOutOfMemory : kStatusOk) != kStatusOk)
        return false;
    if (!writesJpeg(mimeTypes)) {
        ui.message(kNoEncoderMessage, kEncoderErrorTitle);
        return false;
    }
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return statusCheck(ui, fileStatus(out.error())) == kStatusOk;
    QImageWriter writer(&out, "jpeg");
    writer.setQuality(std::clamp(quality, 0, 100));
    if (!writer.write(image)) {
        // A full disk shows as the file's error; the writer then knows no better.
        const int status = out.error() != QFileDevice::NoError ? fileStatus(out.error())
                                                               : writerStatus(writer.error());
        out.cancelWriting();
        statusCheck(ui, status);
        return false;
    }
    // The commit would not notice a failure to write the last buffered bytes.
    if (!out.flush() || !out.commit())
        return statusCheck(ui, fileStatus(out.error())) == kStatusOk;
    return true;
}

JpegWindow::JpegWindow(Ui& ui, const Plane& plane, QWidget* parent)
    : QWidget(parent, Qt::Window), ui_(ui), plane_(plane),
      mimeTypes_(QImageWriter::supportedMimeTypes())
{
    setObjectName(QStringLiteral("frmGDIPlusSaveJPG"));
    setWindowTitle(QStringLiteral("Ebene Speichern Unter"));

    picture_ = new Picture(plane_);
    label_ = new QLabel;
    label_->setObjectName(QStringLiteral("Label1"));
    quality_ = new QScrollBar(Qt::Horizontal);
    quality_->setObjectName(QStringLiteral("HScroll1"));
    quality_->setRange(0, 100);
    quality_->setPageStep(10);
    quality_->setValue(kJpegQualityStart);
    auto* save = new QPushButton(QStringLiteral("Als JPG Speichern"));
    save->setObjectName(QStringLiteral("cmdSaveAsJpg"));

    auto* rows = new QVBoxLayout(this);
    rows->addWidget(picture_, 1);
    rows->addWidget(label_);
    rows->addWidget(quality_);
    rows->addWidget(save);

    auto showQuality = [this](int value) {
        label_->setText(QStringLiteral("JPG Kompression: %1").arg(value));
    };
    showQuality(quality_->value());
    connect(quality_, &QScrollBar::valueChanged, this, showQuality);
    connect(save, &QPushButton::clicked, this, &JpegWindow::cmdSaveAsJpg_Click);
    enterClicks({quality_}, save);
    tabOrder({quality_, save});
    closeOnEscape(*this);
}

void JpegWindow::planeChanged() { static_cast<Picture*>(picture_)->invalidate(); }

int JpegWindow::quality() const { return quality_->value(); }

void JpegWindow::cmdSaveAsJpg_Click()
{
    const QString file = askFileName_(this, QString::fromUtf8(kJpegFilter), QStringLiteral("jpg"));
    if (file.isEmpty())
        return;
    QImage image;
    renderPlane(plane_, image);
    saveJpeg(ui_, image, file, quality(), mimeTypes_);
}

}  // namespace kw
