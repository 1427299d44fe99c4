#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace kw {

// Asks for the name of a file to write; empty when cancelled. Windows keep one
// of these so that tests can answer instead of a dialog.
using AskFileName =
    std::function<QString(QWidget* parent, const QString& filter, const QString& suffix)>;

// The save dialog "Speichern unter" with its filters ("Images Files (*.jpg)",
// or several separated by ";;"), an overwrite prompt, and an extension added to
// a name typed without one: `suffix` at first, then the chosen filter's.
QString askSaveFileName(QWidget* parent, const QString& filter, const QString& suffix);

}  // namespace kw
