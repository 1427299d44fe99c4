#pragma once

#include <QWidget>

#include "curves/bridge.h"

class QGridLayout;
class QLineEdit;

namespace kw {

class ResultField;

class Context;

// The cable's formula f_{a,c}(x) = a/(2c)·(e^{cx} + e^{−cx}), set as an
// equation with a fraction bar, sub- and superscripts.
class FormulaPicture : public QWidget {
public:
    explicit FormulaPicture(QWidget* parent = nullptr);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Sets the formula with its left end at x and its base line at y; without
    // a painter only measures. Returns the width.
    int place(QPainter* painter, int x, int y) const;
};

// The suspension-bridge calculator "Rechner für Verlauf des Trägerseils einer
// Hängerbrücke": span, tower height and lowest point in, a and c out; the
// cable goes to the main panel as its function.
class BridgeWindow : public QWidget {
    Q_OBJECT
public:
    explicit BridgeWindow(Context& c, QWidget* parent = nullptr);

    // The fields into the shared state, and back (an opened drawing).
    void storeFields();
    void loadFields();

signals:
    // The cable stands in the main panel's fields: start its drawing.
    void drawRequested();

private:
    QGridLayout* resultRows();
    void onCalculate();

    Context& c_;
    BridgeFields r_;
    QLineEdit* spanField_;
    QLineEdit* heightField_;
    QLineEdit* lowestField_;
    ResultField* a1_;
    ResultField* a2_;
    ResultField* c1_;
    ResultField* c2_;
};

}  // namespace kw
