#pragma once

#include <QByteArray>
#include <QList>
#include <QWidget>

#include "plane/save_dialog.h"

class QImage;
class QLabel;
class QScrollBar;

namespace kw {

class Plane;
class Ui;

inline constexpr char kJpegFilter[] = "Images Files (*.jpg)";
inline constexpr int kJpegQualityStart = 85;

// Writes `image` as a JPEG file of the given quality (clamped to 0 … 100). The
// file is written beside the target and moved over it only when complete, so
// a failure leaves an existing file as it was. Failures are shown through `ui`
// ("Access Denied. GDI+ Error:12", title "GDI Error"); `mimeTypes` are the
// image types this system can write. True when the file was written.
bool saveJpeg(Ui& ui, const QImage& image, const QString& file, int quality,
              const QList<QByteArray>& mimeTypes);

// The save window "Ebene Speichern Unter": a picture of the plane, the JPEG
// quality and the button that asks for a file name and saves the whole plane.
class JpegWindow : public QWidget {
    Q_OBJECT
public:
    JpegWindow(Ui& ui, const Plane& plane, QWidget* parent = nullptr);

    // The plane was redrawn: `Picture1` shows it anew.
    void planeChanged();

    int quality() const;

    // "Als JPG Speichern".
    void cmdSaveAsJpg_Click();

    void setAskFileName(AskFileName ask) { askFileName_ = std::move(ask); }
    void setMimeTypes(QList<QByteArray> types) { mimeTypes_ = std::move(types); }

private:
    Ui& ui_;
    const Plane& plane_;
    QWidget* picture_;
    QScrollBar* quality_;
    QLabel* label_;
    AskFileName askFileName_ = askSaveFileName;
    QList<QByteArray> mimeTypes_;
};

}  // namespace kw
