#pragma once

#include <QDialog>

namespace kw {

// The term-syntax help "Eingabe Syntax": a title, the help text and OK.
class HelpDialog : public QDialog {
    Q_OBJECT
public:
    explicit HelpDialog(QWidget* parent = nullptr);
};

}  // namespace kw
