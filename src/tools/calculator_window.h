#pragma once

#include <QWidget>

#include "tools/calculator.h"

class QLineEdit;

namespace kw {

class Context;

// The pocket calculator "Taschenrechner": an input field filled by typing or by
// keys, "=" hands it to the engine, "DEL" empties both fields.
class CalculatorWindow : public QWidget {
    Q_OBJECT
public:
    explicit CalculatorWindow(Context& c, QWidget* parent = nullptr);

protected:
    // Closing ends the calculation: the fields start empty the next time.
    void closeEvent(QCloseEvent* event) override;

private:
    void storeFields();
    void loadFields();
    void onKey(const CalculatorKey& key);
    void onGleich();
    void onDel();

    Context& c_;
    CalculatorFields t_;
    QLineEdit* input_;
    QLineEdit* result_;
};

}  // namespace kw
