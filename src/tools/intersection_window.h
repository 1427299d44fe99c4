#pragma once

#include <QWidget>

#include "tools/intersection_calculator.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace kw {

class Context;

// The intersection calculator "Schnittstellen Rechner": up to seven functions
// entered one after the other, drawn together and searched for the points
// where any two of them cross. Closing only hides it: entries and texts stay.
class IntersectionWindow : public QWidget {
    Q_OBJECT
public:
    explicit IntersectionWindow(Context& c, QWidget* parent = nullptr);

    // An opened drawing: its functions as if entered one by one.
    void showDrawing();

signals:
    // An action is about to read the main panel's fields: store them first.
    void fieldsNeeded();

private:
    // Copies the term field into the calculator, runs the action, shows the texts.
    template <class Action>
    void act(Action action);
    void loadFields();
    void growToContent();

    static constexpr int kEnteredWidth = 380;  // pixels of one entered function

    Context& c_;
    IntersectionFields r_;
    QLabel* nextNumber_;
    QLineEdit* term_;
    QLabel* entered_;
    QPlainTextEdit* result_;
};

}  // namespace kw
