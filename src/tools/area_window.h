#pragma once

#include <QWidget>

#include <functional>
#include <optional>
#include <string_view>

#include "tools/area_calculator.h"

class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QLineEdit;
class QPlainTextEdit;

namespace kw {

class Context;
class ResultField;

// The area window "Integral_Rechner": above, the integral of a function between
// two bounds; below, the area between two functions. Closing hides it; the next
// showing loads it afresh from the main panel (term and range).
class AreaWindow : public QWidget {
    Q_OBJECT
public:
    explicit AreaWindow(Context& c, QWidget* parent = nullptr);

    // Copies the fields into the calculator and the shared state.
    void storeFields();
    // An opened drawing: its bound fields, shading switches and colours, also
    // for the next showing of a closed window.
    void showDrawing();

signals:
    // An action is about to read the main panel's fields: store them first.
    void fieldsNeeded();
    // The upper calculator has put its term into the main panel: draw it there.
    void drawRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // A calculator's row under its formula: "Berechnen", "Fläche einfärben" and
    // the shading's colour and width lists.
    struct Actions {
        const char* berechnen;
        const char* shadeBox;
        const char* colourCombo;
        const char* widthLabel;
        const char* widthCombo;
        std::function<void()> onCalculate, onShade;
        std::optional<Rgb> (*colourChosen)(State&, std::string_view);
        void (*widthChosen)(State&, std::string_view);
    };
    QHBoxLayout* actionRow(const Actions& a);
    QMetaObject::Connection showFieldsFirst();
    void loadFields();
    void showColour(const char* list, std::optional<Rgb> colour);
    void showWidths();
    void upper(bool (*action)(Context&, AreaFields&));
    void lower(void (*action)(Context&, AreaFields&));

    Context& c_;
    AreaFields r_;
    bool loaded_ = false;
    QLineEdit* term_;
    QLineEdit* upper_;
    QLineEdit* lower_;
    ResultField* result_;
    ResultField* area_;
    QLineEdit* f_;
    QLineEdit* g_;
    QPlainTextEdit* crossings_;
    QComboBox* upperBetween_;
    QComboBox* lowerBetween_;
    ResultField* termBetween_;
    ResultField* resultBetween_;
    ResultField* areaBetween_;
};

}  // namespace kw
