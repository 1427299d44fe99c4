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

signals:
    // An action is about to read the main panel's fields: store them first.
    void fieldsNeeded();
    // The upper calculator has put its term into the main panel: draw it there.
    void zeichnenAngefordert();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // A calculator's row under its formula: "Berechnen", "Fläche einfärben" and
    // the shading's colour and width lists.
    struct Actions {
        const char* berechnen;
        const char* einfaerben;
        const char* farbe;
        const char* staerkeLabel;
        const char* staerke;
        std::function<void()> onBerechnen, onEinfaerben;
        std::optional<Rgb> (*farbeGewaehlt)(State&, std::string_view);
        void (*breiteGewaehlt)(State&, std::string_view);
    };
    QHBoxLayout* actionRow(const Actions& a);
    void storeFields();
    QMetaObject::Connection showFieldsFirst();
    void loadFields();
    void upper(bool (*action)(Context&, IntegralRechner&));
    void lower(void (*action)(Context&, IntegralRechner&));

    Context& c_;
    IntegralRechner r_;
    bool loaded_ = false;
    QLineEdit* funktion_;
    QLineEdit* oben_;
    QLineEdit* unten_;
    ResultField* ergebnis_;
    ResultField* inhalt_;
    QLineEdit* f_;
    QLineEdit* g_;
    QPlainTextEdit* schnitt_;
    QComboBox* obenSP_;
    QComboBox* untenSP_;
    ResultField* funktionSP_;
    ResultField* ergebnisSP_;
    ResultField* inhaltSP_;
};

}  // namespace kw
