#pragma once

#include <QWidget>

#include "tools/area_calculator.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;

namespace kw {

class Context;

// The area window "Integral_Rechner": above, the integral of a function between
// two bounds; below, the area between two functions. Closing hides it; the next
// showing loads it afresh from the main panel (term and range).
class AreaWindow : public QWidget {
    Q_OBJECT
public:
    explicit AreaWindow(Context& c, QWidget* parent = nullptr);

signals:
    // An action is about to read the main panel's fields: store them first.
    void fieldsNeeded();
    // The upper calculator has put its term into the main panel: draw it there.
    void zeichnenRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void storeFields();
    void loadFields();
    void upper(bool (*action)(Context&, IntegralRechner&));
    void lower(void (*action)(Context&, IntegralRechner&));

    Context& c_;
    IntegralRechner r_;
    bool loaded_ = false;
    QLineEdit* funktion_;
    QLineEdit* oben_;
    QLineEdit* unten_;
    QLineEdit* ergebnis_;
    QLineEdit* f_;
    QLineEdit* g_;
    QPlainTextEdit* schnitt_;
    QComboBox* obenSP_;
    QComboBox* untenSP_;
    QLineEdit* funktionSP_;
    QLineEdit* ergebnisSP_;
};

}  // namespace kw
