#include "tools/area_window.h"

#include "gui/tool_keys.h"
#include "gui/colour_box.h"
#include "gui/field_text.h"
#include "gui/qt_ui.h"
#include "gui/topmost.h"
#include "gui/widget_text.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "core/colours.h"
#include "core/context.h"

namespace kw {

namespace {

// What the colour lists show before a colour is chosen.
constexpr char kShadeColour[] = "Orange";

// The integral sign between the bounds: black on white, 53 × 91 pixels.
class IntegralSign : public QWidget {
public:
    explicit IntegralSign(const char* name)
    {
        setObjectName(QString::fromLatin1(name));
        setFixedSize(53, 91);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.fillRect(rect(), Qt::white);
        // A long S: the hook at the top bends right, the one at the bottom left.
        QPainterPath stroke;
        stroke.moveTo(38, 13);
        stroke.cubicTo(37, 5, 27, 5, 27, 19);
        stroke.lineTo(26, 72);
        stroke.cubicTo(26, 86, 16, 86, 15, 78);
        p.setPen(QPen(Qt::black, 4.5, Qt::SolidLine, Qt::RoundCap));
        p.drawPath(stroke);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawEllipse(QPointF(38.5, 13.5), 3.2, 3.2);
        p.drawEllipse(QPointF(14.5, 77.5), 3.2, 3.2);
    }
};

QLineEdit* field(const char* name, int width = 0)
{
    auto* f = named(new QLineEdit, name);
    if (width)
        f->setFixedWidth(width);
    return f;
}

QLabel* title(const char* name, const char* text)
{
    auto* t = named(new QLabel(QString::fromUtf8(text)), name);
    QFont bold = t->font();
    bold.setBold(true);
    t->setFont(bold);
    return t;
}

ResultField* resultField(const char* name) { return named(new ResultField, name); }

// ∫ with the bounds at its top and bottom end, then "integrand dx = result",
// and the area enclosed below the result.
QGridLayout* formula(IntegralSign* sign, QWidget* high, QWidget* low, QLineEdit* integrand,
                     const char* dx, const char* gleich, QLineEdit* result, const char* inhaltLabel,
                     QLineEdit* inhalt)
{
    auto* g = new QGridLayout;
    g->setHorizontalSpacing(6);
    g->setVerticalSpacing(2);
    g->addWidget(sign, 0, 0, 3, 1);
    g->addWidget(high, 0, 1, Qt::AlignTop);
    g->addWidget(integrand, 1, 2);
    g->addWidget(named(new QLabel(QStringLiteral("dx")), dx), 1, 3);
    g->addWidget(named(new QLabel(QStringLiteral("=")), gleich), 1, 4);
    g->addWidget(result, 1, 5);
    g->addWidget(named(new QLabel(QStringLiteral("Flächeninhalt =")), inhaltLabel), 2, 2, 1, 3,
                 Qt::AlignRight | Qt::AlignVCenter);
    g->addWidget(inhalt, 2, 5);
    g->addWidget(low, 2, 1, Qt::AlignBottom);
    g->setColumnStretch(2, 3);
    g->setColumnStretch(5, 2);
    return g;
}

QComboBox* boundBox(const char* name)
{
    auto* box = named(new QComboBox, name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setFixedWidth(90);
    return box;
}

}  // namespace

AreaWindow::AreaWindow(Context& c, QWidget* parent) : QWidget(parent, Qt::Window), c_(c)
{
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("Integral_Rechner"));
    auto* rows = new QVBoxLayout(this);
    rows->setSpacing(8);

    // The area between a graph and the x-axis.
    rows->addWidget(
        title("Label3", "Rechner für die Fläche zwischen dem Graphen und der x-Achse"));
    term_ = field("Funktion_eingabe");
    upper_ = field("Obergrenze_eingabe", 90);
    lower_ = field("Untergrenze_eingabe", 90);
    result_ = resultField("Flaeche_Ergebnis");
    area_ = resultField("Flaecheninhalt_Ergebnis");
    rows->addLayout(formula(new IntegralSign("Picture1"), upper_, lower_, term_, "Label2",
                            "Label1", result_, "Label_Flaecheninhalt", area_));
    rows->addLayout(actionRow({"Integral_Berechnen_Butt", "Flaeche_einfaerben_click",
                               "FarbeBox_Flaeche", "Label6", "Flaeche_Linien_staerke",
                               [this] { upper(&Integral_Berechnen_Butt_Click); },
                               [this] { upper(&Flaeche_einfaerben_click); },
                               &FarbeBox_Flaeche_Click, &Flaeche_Linien_staerke_Click}));

    auto* line = named(new QFrame, "Line1");
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    rows->addWidget(line);

    // The area between two graphs.
    rows->addWidget(title("Label4", "Rechner für die Fläche zwischen zwei Funktionen"));
    f_ = field("f_x_Eingabe_txt");
    g_ = field("g_x_Eingabe_txt");
    auto* terms = new QHBoxLayout;
    terms->addWidget(named(new QLabel(QStringLiteral("f(x) =")), "Label7"));
    terms->addWidget(f_, 1);
    terms->addSpacing(12);
    terms->addWidget(named(new QLabel(QStringLiteral("g(x) =")), "Label5"));
    terms->addWidget(g_, 1);
    rows->addLayout(terms);
    rows->addWidget(named(new QLabel(QStringLiteral("Schnittpunkte zwischen f(x) und g(x) =")),
                          "Label8"));
    crossings_ = named(new QPlainTextEdit, "Laben_Schnitt_f_g");
    crossings_->setReadOnly(true);
    crossings_->setFixedHeight(90);
    rows->addWidget(crossings_);
    upperBetween_ = boundBox("SP_Obergrenze_txt");
    lowerBetween_ = boundBox("SP_Untergrenze_txt");
    termBetween_ = resultField("Funktion_eingabe_SP");
    resultBetween_ = resultField("Schnitt_Flaeche_Ergebniss");
    areaBetween_ = resultField("Flaecheninhalt_SP_Ergebnis");
    rows->addLayout(formula(new IntegralSign("Picture2"), upperBetween_, lowerBetween_, termBetween_,
                            "Label9", "Label11", resultBetween_, "Label_Flaecheninhalt_SP",
                            areaBetween_));
    rows->addLayout(actionRow({"Integral_Berechnen_SP_butt", "Flaeche_einfaerben2_click",
                               "FarbeBox_Flaeche_SP", "Label10", "Flaeche_Linien_staerke_SP",
                               [this] { lower(&Integral_Berechnen_SP_butt_Click); },
                               [this] { lower(&Flaeche_einfaerben2_click); },
                               &FarbeBox_Flaeche_SP_Click, &Flaeche_Linien_staerke_SP_Click}));

    auto* vordergrund = named(new QCheckBox(QStringLiteral("Fenster immer im Vordergrund")),
                              "Vordergrund_check");
    rows->addWidget(vordergrund);

    connect(vordergrund, &QCheckBox::toggled, this,
            [this](bool on) { keepOnTop(this, on); });

    // Enter computes the part being typed in; Tab reads ∫ from the lower bound
    // to the upper one, then the integrand; results are skipped.
    auto* upperButton = findChild<QPushButton*>(QStringLiteral("Integral_Berechnen_Butt"));
    auto* lowerButton = findChild<QPushButton*>(QStringLiteral("Integral_Berechnen_SP_butt"));
    enterClicks({lower_, upper_, term_}, upperButton);
    enterClicks({f_, g_, lowerBetween_, upperBetween_}, lowerButton);
    for (QWidget* result : {static_cast<QWidget*>(result_), static_cast<QWidget*>(resultBetween_),
                            static_cast<QWidget*>(termBetween_)})
        result->setFocusPolicy(Qt::ClickFocus);
    tabOrder({lower_, upper_, term_, upperButton, f_, g_, lowerBetween_, upperBetween_, lowerButton});
    closeOnEscape(*this);
    showWidths();
    resize(560, sizeHint().height());
}

QHBoxLayout* AreaWindow::actionRow(const Actions& a)
{
    auto* berechnen = named(new QPushButton(QStringLiteral("Berechnen")), a.berechnen);
    auto* shadeBox = named(new QCheckBox(QStringLiteral("Fläche einfärben")), a.shadeBox);
    QComboBox* colourCombo = colourBox(a.colourCombo, kColours.size());
    colourCombo->setEditText(QLatin1String(kShadeColour));
    auto* widthCombo = named(new QComboBox, a.widthCombo);
    for (auto w : kWidths)
        widthCombo->addItem(qs(w));
    auto* row = new QHBoxLayout;
    row->addWidget(berechnen);
    row->addWidget(shadeBox);
    row->addStretch(1);
    row->addWidget(colourCombo);
    row->addWidget(named(new QLabel(QStringLiteral("Stärke:")), a.widthLabel));
    row->addWidget(widthCombo);

    connect(berechnen, &QPushButton::clicked, this, a.onCalculate);
    connect(shadeBox, &QCheckBox::clicked, this, a.onShade);
    // A colour counts when chosen from the list or confirmed with Enter.
    auto chosen = [this, colourCombo, choose = a.colourChosen] {
        if (auto colour = choose(c_.state, str(colourCombo->currentText())))
            paintColourBox(colourCombo, *colour);
    };
    connect(colourCombo, &QComboBox::activated, this, chosen);
    connect(colourCombo->lineEdit(), &QLineEdit::returnPressed, this, chosen);
    connect(widthCombo, &QComboBox::activated, this, [this, widthCombo, width = a.widthChosen] {
        width(c_.state, str(widthCombo->currentText()));
    });
    return row;
}

void AreaWindow::showEvent(QShowEvent* event)
{
    // Loaded anew after every close: the main panel's term and range of now.
    if (!loaded_) {
        emit fieldsNeeded();
        loadAreaFields(c_, r_);
        loadFields();
        loaded_ = true;
    }
    QWidget::showEvent(event);
}

void AreaWindow::closeEvent(QCloseEvent* event)
{
    loaded_ = false;
    QWidget::closeEvent(event);
}

void AreaWindow::storeFields()
{
    r_.Funktion_eingabe = str(term_->text());
    r_.Obergrenze_eingabe = str(upper_->text());
    r_.Untergrenze_eingabe = str(lower_->text());
    c_.state.areas.f_x_Eingabe_txt = str(f_->text());
    c_.state.areas.g_x_Eingabe_txt = str(g_->text());
    r_.SP_Obergrenze_txt = str(upperBetween_->currentText());
    r_.SP_Untergrenze_txt = str(lowerBetween_->currentText());
    AreaState& kept = c_.state.areas;  // a saved drawing keeps the bounds as typed
    kept.Untergrenze_eingabe = r_.Untergrenze_eingabe;
    kept.Obergrenze_eingabe = r_.Obergrenze_eingabe;
    kept.SP_Untergrenze_txt = r_.SP_Untergrenze_txt;
    kept.SP_Obergrenze_txt = r_.SP_Obergrenze_txt;
}

void AreaWindow::showDrawing()
{
    const AreaState& a = c_.state.areas;
    r_.Funktion_eingabe = c_.state.main.Eingabe;  // as the window loads it
    r_.Untergrenze_eingabe = a.Untergrenze_eingabe;
    r_.Obergrenze_eingabe = a.Obergrenze_eingabe;
    r_.SP_Untergrenze_txt = a.SP_Untergrenze_txt;
    r_.SP_Obergrenze_txt = a.SP_Obergrenze_txt;
    // The shading switches go on alternating from their saved state.
    r_.click_Zaehler = State::Int(a.Flaeche_einferben_Check ? 1 : 0);
    r_.click_Zaehler_SP = State::Int(a.Flaeche_einferben_SP_Check ? 1 : 0);
    findChild<QCheckBox*>(QStringLiteral("Flaeche_einfaerben_click"))
        ->setChecked(a.Flaeche_einferben_Check);
    findChild<QCheckBox*>(QStringLiteral("Flaeche_einfaerben2_click"))
        ->setChecked(a.Flaeche_einferben_SP_Check);
    showColour("FarbeBox_Flaeche", a.Flaeche_Farbe_Test ? colourFromText(a.Flaeche_farbe)
                                                         : std::nullopt);
    showColour("FarbeBox_Flaeche_SP",
               a.Flaeche_Farbe_SP_Test ? std::optional(Rgb(a.FarbeBox_Flaeche_SP)) : std::nullopt);
    showWidths();
    loadFields();
    // A closed window shows these when opened next, not the main panel's range.
    loaded_ = true;
}

// A colour list as after choosing the drawing's colour; untouched when it has none.
void AreaWindow::showColour(const char* list, std::optional<Rgb> colour)
{
    auto* box = findChild<QComboBox*>(QString::fromLatin1(list));
    const auto named = std::ranges::find(kColours, colour, &NamedColour::value);
    if (!colour || named == kColours.end()) {
        box->setEditText(QLatin1String(kShadeColour));
        box->setPalette(QPalette());
        return;
    }
    box->setEditText(qs(named->name));
    paintColourBox(box, *colour);
}

// The widths the shading is drawn with; 1 until one is chosen.
void AreaWindow::showWidths()
{
    const std::pair<const char*, int> lists[] = {{"Flaeche_Linien_staerke", c_.state.areas.Fuel_Staerke},
                                                 {"Flaeche_Linien_staerke_SP", c_.state.areas.Fuel_Staerke_SP}};
    for (const auto& [list, width] : lists)
        findChild<QComboBox*>(QString::fromLatin1(list))
            ->setCurrentIndex(std::clamp(width, 1, int(kWidths.size())) - 1);
}

void AreaWindow::loadFields()
{
    setTextIfOther(term_, r_.Funktion_eingabe);
    setTextIfOther(upper_, r_.Obergrenze_eingabe);
    setTextIfOther(lower_, r_.Untergrenze_eingabe);
    result_->showValue(r_.Flaeche_Ergebnis);
    area_->showValue(r_.Flaecheninhalt_Ergebnis);
    setTextIfOther(f_, c_.state.areas.f_x_Eingabe_txt);
    setTextIfOther(g_, c_.state.areas.g_x_Eingabe_txt);
    const QString schnitt = qsLines(r_.Laben_Schnitt_f_g);
    if (crossings_->toPlainText() != schnitt)
        crossings_->setPlainText(schnitt);
    setListAndText(upperBetween_, r_.SP_Grenzen, r_.SP_Obergrenze_txt);
    setListAndText(lowerBetween_, r_.SP_Grenzen, r_.SP_Untergrenze_txt);
    termBetween_->showValue(r_.Funktion_eingabe_SP);
    resultBetween_->showValue(r_.Schnitt_Flaeche_Ergebniss);
    areaBetween_->showValue(r_.Flaecheninhalt_SP_Ergebnis);
}

// While an action runs, its messages find the fields already showing what it
// computed.
QMetaObject::Connection AreaWindow::showFieldsFirst()
{
    auto* ui = dynamic_cast<QtUi*>(&c_.ui);
    return ui ? connect(ui, &QtUi::fieldsUpdated, this, &AreaWindow::loadFields)
              : QMetaObject::Connection();
}

void AreaWindow::upper(bool (*action)(Context&, AreaFields&))
{
    emit fieldsNeeded();
    storeFields();
    const auto connection = showFieldsFirst();
    const bool draw = action(c_, r_);
    disconnect(connection);
    loadFields();
    if (draw)
        emit drawRequested();
}

void AreaWindow::lower(void (*action)(Context&, AreaFields&))
{
    emit fieldsNeeded();
    storeFields();
    const auto connection = showFieldsFirst();
    action(c_, r_);
    disconnect(connection);
    loadFields();
}

}  // namespace kw
