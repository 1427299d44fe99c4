#include "panel/analysis_panel_window.h"

#include "gui/colour_box.h"
#include "gui/field_text.h"
#include "gui/widget_text.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMetaMethod>
#include <QPushButton>
#include <QVBoxLayout>

#include "analysis/derivatives.h"
#include "analysis/inverse.h"
#include "analysis/tangent.h"
#include "core/colours.h"
#include "core/context.h"
#include "curves/piecewise.h"
#include "panel/analysis_panel.h"
#include "panel/main_panel.h"

namespace kw {

namespace {
QFrame* separator()
{
    auto* line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

constexpr const char* kStepNames[] = {"grosser_minus_button", "mittlerer_minus_button",
                                      "kleiner_minus_button", "kleiner_plus_button",
                                      "mittlerer_plus_button", "grosser_plus_button"};
constexpr const char* kStepCaptions[] = {"<<<", "<<", "<", ">", ">>", ">>>"};

}  // namespace

AnalysisPanelWindow::AnalysisPanelWindow(Context& c, QWidget* parent)
    : QWidget(parent, Qt::Window), c_(c)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Extras"));
    auto* rows = new QVBoxLayout(this);
    rows->setSpacing(6);

    rows->addLayout(curveRows());
    rows->addWidget(separator());

    addTangentRows(rows);
    rows->addWidget(separator());

    QLabel* hint = addSectionRows(rows);
    rows->addWidget(separator());

    auto* keepOld = keepCheck_ = named(new QCheckBox(QStringLiteral("Alten Graph nicht löschen")),
                           "loeschen_oder_nicht_check");
    rows->addWidget(keepOld);
    connect(keepOld, &QCheckBox::clicked, this, [this] { loeschen_graph_check(c_); });
    rows->addWidget(separator());

    rows->addLayout(toolButtons());
    rows->addStretch(1);

    loadFields();
    // As wide as the curve rows need; the hint wraps within that.
    hint->setMinimumWidth(1);
    const int width = rows->minimumSize().width();
    hint->setFixedWidth(width - rows->contentsMargins().left() - rows->contentsMargins().right());
    setFixedSize(width, rows->minimumSize().height());
}

// Curves with their colours and widths, one row each.
QGridLayout* AnalysisPanelWindow::curveRows()
{
    auto* curves = new QGridLayout;
    curves->setHorizontalSpacing(6);
    curves->setColumnStretch(1, 1);
    for (int i = 0; i < 4; ++i) {
        const Overlay o = kListedOverlays[i];
        const OverlayCurve& r = overlayCurve(o);
        auto* check = curveChecks_[i] = named(new QCheckBox(qs(r.caption)), r.check);
        auto* colourCombo = colourCombos_[i] = colourBox(r.colourList, r.colourRows);
        auto* widthCombo = widthCombos_[i] = named(new QComboBox, r.widthList);
        for (auto w : kWidths)
            widthCombo->addItem(qs(w));
        curves->addWidget(check, i, 0);
        curves->addWidget(colourCombo, i, 1);
        curves->addWidget(new QLabel(QStringLiteral("Stärke:")), i, 2);
        curves->addWidget(widthCombo, i, 3);

        connect(check, &QCheckBox::clicked, this, [this, o] {
            emit fieldsNeeded();
            toggleOverlay(c_, o);
        });
        // The list's text is kept as typed; the rule runs when a colour is chosen.
        connect(colourCombo, &QComboBox::editTextChanged, this, [this, o](const QString& t) {
            colourListText(c_.state, o) = str(t);
        });
        auto chooseColour = [this, colourCombo, i] { paintList(colourCombo, i); };
        connect(colourCombo, &QComboBox::activated, this, chooseColour);
        connect(colourCombo->lineEdit(), &QLineEdit::returnPressed, this, chooseColour);
        connect(widthCombo, &QComboBox::activated, this, [this, widthCombo, o] {
            widthListText(c_.state, o) = str(widthCombo->currentText());
            widthChosen(c_.state, o);
        });
    }
    return curves;
}

// The tangent and its position.
void AnalysisPanelWindow::addTangentRows(QVBoxLayout* rows)
{
    auto* tangente = tangentCheck_ = named(new QCheckBox(QStringLiteral("Tangente")), "Check1");
    x0_ = named(new QLineEdit, "x0_eingabe");
    x0_->setFixedWidth(80);
    auto* t0 = new QHBoxLayout;
    t0->addWidget(tangente);
    t0->addStretch(1);
    t0->addWidget(named(new QLabel(QStringLiteral("Tangente bei x=")), "Label4"));
    t0->addWidget(x0_);
    rows->addLayout(t0);
    auto* t1 = new QHBoxLayout;
    t1->setSpacing(4);
    for (int i = 0; i < 6; ++i) {
        auto* step = named(new QPushButton(QString::fromLatin1(kStepCaptions[i])), kStepNames[i]);
        step->setMinimumWidth(36);
        t1->addWidget(step);
        connect(step, &QPushButton::clicked, this, [this, i] {
            emit fieldsNeeded();
            stepTangent(c_, kTangentSteps[i]);
        });
    }
    rows->addLayout(t1);
    connect(tangente, &QCheckBox::clicked, this, [this] {
        emit fieldsNeeded();
        tangente_click(c_);
    });
    connect(x0_, &QLineEdit::textChanged, this, [this](const QString& t) {
        c_.state.overlays.x0_eingabe = str(t);
        x0Changed(c_.state);
    });
}

// A section of a piecewise-defined function; gives its hint, which wraps.
QLabel* AnalysisPanelWindow::addSectionRows(QVBoxLayout* rows)
{
    auto* drawSection = sectionCheck_ =
        named(new QCheckBox(QStringLiteral("Abschnittsweise Definierte Funktion")), "AD_Funktion");
    sectionFrom_ = named(new QLineEdit, "Linker_Bereich");
    sectionTo_ = named(new QLineEdit, "Rechter_Bereich");
    for (QLineEdit* f : {sectionFrom_, sectionTo_})
        f->setFixedWidth(64);
    QLabel* hint = named(new QLabel(QStringLiteral(
                              "Geben Sie hier den Bereich ein und dann drücken sie auf Zeichnen. "
                              "Für Unendlich bitte +u oder -u verwenden")),
                          "Label2");
    hint->setWordWrap(true);
    rows->addWidget(drawSection);
    auto* b0 = new QHBoxLayout;
    b0->addWidget(named(new QLabel(QStringLiteral("von")), "Label1"));
    b0->addWidget(sectionFrom_);
    b0->addSpacing(8);
    b0->addWidget(named(new QLabel(QStringLiteral("bis")), "Label3"));
    b0->addWidget(sectionTo_);
    b0->addStretch(1);
    rows->addLayout(b0);
    rows->addWidget(hint);
    connect(drawSection, &QCheckBox::clicked, this, [this] { ad_funktion_click(c_); });
    connect(sectionFrom_, &QLineEdit::textChanged, this, [this](const QString& t) {
        c_.state.overlays.Linker_Bereich = str(t);
        sectionFromChanged(c_.state);
    });
    connect(sectionTo_, &QLineEdit::textChanged, this, [this](const QString& t) {
        c_.state.overlays.Rechter_Bereich = str(t);
        sectionToChanged(c_.state);
    });
    return hint;
}

// The other tools; each stays disabled until something listens to its signal.
QVBoxLayout* AnalysisPanelWindow::toolButtons()
{
    struct Tool {
        const char* name;
        const char* caption;
        void (AnalysisPanelWindow::*signal)();
    } const tools[] = {
        {"Nullstellen_fx", "Nullstellen von f(x) Anzeigen", &AnalysisPanelWindow::zerosClicked},
        {"Extrema_butt", "Lokale Extremwerte von f(x)", &AnalysisPanelWindow::extremaClicked},
        {"S_and_W_punkte", "Terassen- und Wendepunkte ", &AnalysisPanelWindow::inflectionsClicked},
        {"Tabelle", "Wertetabelle", &AnalysisPanelWindow::valueTableClicked},
        {"Kurvendiskussion_butt", "Kurvendiskussion", &AnalysisPanelWindow::discussionClicked},
        {"Schnittpunkt_butt", "Schnittpunkte zwischen Funktionen",
         &AnalysisPanelWindow::intersectionsClicked},
        {"Integral_Rechner_butt", "Fläche (Integral)", &AnalysisPanelWindow::integralClicked},
        {"Bruecken_Rechner_butt", "Hängebrücken Rechner", &AnalysisPanelWindow::bridgeClicked},
        {"TaschenRechner_button", "Taschenrechner", &AnalysisPanelWindow::calculatorClicked},
    };
    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(4);
    for (const Tool& tool : tools) {
        auto* b = named(new QPushButton(QString::fromUtf8(tool.caption)), tool.name);
        b->setEnabled(false);
        tools_.push_back({QMetaMethod::fromSignal(tool.signal), b});
        buttons->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, s = tool.signal] {
            emit fieldsNeeded();
            emit (this->*s)();
        });
    }
    return buttons;
}

void AnalysisPanelWindow::loadFields()
{
    State& s = c_.state;
    setTextIfOther(x0_, s.overlays.x0_eingabe);
    setTextIfOther(sectionFrom_, s.overlays.Linker_Bereich);
    setTextIfOther(sectionTo_, s.overlays.Rechter_Bereich);
    const OverlayState& o = s.overlays;
    const bool on[] = {o.ableitungs_test, o.zweite_ableitungs_test, o.dritte_ableitungs_test,
                       o.Umkehrfunktion_test};
    for (int i = 0; i < 4; ++i)
        curveChecks_[i]->setChecked(on[i]);
    tangentCheck_->setChecked(o.tangente_test);
    sectionCheck_->setChecked(o.ad_funktion_test);
    keepCheck_->setChecked(s.main.Graphloeschen_check);
    for (int i = 0; i < 4; ++i) {
        const QString colour = qs(colourListText(s, kListedOverlays[i]));
        if (colourCombos_[i]->currentText() != colour)
            colourCombos_[i]->setEditText(colour);
        if (auto chosen = chosenColour(s, kListedOverlays[i]))
            paintColourBox(colourCombos_[i], *chosen);
        widthCombos_[i]->setCurrentText(qs(widthListText(s, kListedOverlays[i])));
    }
}

// The colour rule decides; a matching name paints the list in its colour.
void AnalysisPanelWindow::paintList(QComboBox* box, int list)
{
    if (auto colour = colourChosen(c_.state, kListedOverlays[list]))
        paintColourBox(box, *colour);
}

void AnalysisPanelWindow::connectNotify(const QMetaMethod& signal)
{
    for (const auto& [toolSignal, button] : tools_)
        if (signal == toolSignal)
            button->setEnabled(true);
}

void AnalysisPanelWindow::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    emit closed();
}

}  // namespace kw
