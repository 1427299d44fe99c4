#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace kw {

// Asks for the name of a file to write; empty when cancelled. Windows keep one
// of these so that tests can answer instead of a dialog.
using AskFileName =
    std::function<QString(QWidget* parent, const QString& filter, const QString& suffix)>;

// The save dialog "Speichern unter" with one filter ("Images Files (*.jpg)"),
// an overwrite prompt, and `suffix` added to a name typed without one.
QString askSaveFileName(QWidget* parent, const QString& filter, const QString& suffix);

}  // namespace kw
