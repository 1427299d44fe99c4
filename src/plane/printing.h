#pragma once

#include <QPrinterInfo>
#include <QRect>
#include <QSize>

#include <functional>
#include <memory>

#include "plane/save_dialog.h"

class QPrinter;
class QWidget;

namespace kw {

class Plane;

inline constexpr char kPdfFilter[] = "PDF-Dateien (*.pdf)";

// Where printed pages go. Windows keep one so that tests choose the printer
// and the file name instead of the system and the user.
struct PrintServices {
    std::function<QPrinterInfo()> defaultPrinter = [] { return QPrinterInfo::defaultPrinter(); };
    AskFileName askFileName = askSaveFileName;
};

// The system's default printer, or, where there is none, a PDF file the user
// names. Nothing when the user cancels.
std::unique_ptr<QPrinter> openPrinter(QWidget* parent, const PrintServices& services);

// `bereich_Drucken`: what the frame shows, `visible` being the frame's area in
// plane pixels (it may reach beyond the plane, which leaves white), printed at
// its size on screen. False when the printer could not be started.
bool bereich_Drucken(QPrinter& printer, const Plane& plane, const QRect& visible);

// `Ebene_Drucken`: the whole plane, scaled to fit the drawing window's outer
// size on screen with its proportions kept.
bool Ebene_Drucken(QPrinter& printer, const Plane& plane, const QSize& outer);

}  // namespace kw
