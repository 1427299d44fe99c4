#include "tools/bridge_window.h"

#include "gui/field_text.h"
#include "gui/tool_keys.h"
#include "gui/widget_text.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "core/context.h"

namespace kw {

namespace {

constexpr const char* kHeading = "Rechner für Verlauf des Trägerseils einer Hängerbrücke";
constexpr int kMargin = 8;  // around the formula

QFont formulaFont(const QWidget& w)
{
    QFont f = w.font();
    f.setFamily(QStringLiteral("Serif"));
    f.setStyleHint(QFont::Serif);
    f.setPointSizeF(f.pointSizeF() * 1.4);
    return f;
}

QFont smaller(QFont f)
{
    f.setPointSizeF(f.pointSizeF() * 0.7);
    return f;
}

}  // namespace

FormulaPicture::FormulaPicture(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Picture1"));
    setFont(formulaFont(*this));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

int FormulaPicture::place(QPainter* painter, int x, int y) const
{
    const QFont normal = font(), smallFont = smaller(normal);
    const QFontMetrics fm(normal), km(smallFont);
    const int x0 = x;
    // A piece of text in a font, moved up (superscript) or down (subscript).
    auto piece = [&](const QString& t, bool large, int lift = 0) {
        const QFontMetrics& m = large ? fm : km;
        if (painter) {
            painter->setFont(large ? normal : smallFont);
            painter->drawText(x, y - lift, t);
        }
        x += m.horizontalAdvance(t);
    };
    const int sub = fm.ascent() / 4, sup = fm.ascent() / 2;
    piece(QStringLiteral("f"), true);
    piece(QStringLiteral("a,c"), false, -sub);
    piece(QStringLiteral("(x) = "), true);

    // a over 2c: the bar at the height of the minus sign.
    const QString numerator = QStringLiteral("a"), denominator = QStringLiteral("2c");
    const int barWidth = std::max(fm.horizontalAdvance(numerator), fm.horizontalAdvance(denominator)) + 6;
    const int bar = y - fm.xHeight() / 2 - 1;
    if (painter) {
        painter->setFont(normal);
        painter->drawText(x + (barWidth - fm.horizontalAdvance(numerator)) / 2, bar - fm.descent() - 2,
                          numerator);
        painter->drawText(x + (barWidth - fm.horizontalAdvance(denominator)) / 2, bar + fm.ascent() + 1,
                          denominator);
        painter->drawLine(x, bar, x + barWidth, bar);
    }
    x += barWidth;

    piece(QStringLiteral(" · (e"), true);
    piece(QStringLiteral("cx"), false, sup);
    piece(QStringLiteral(" + e"), true);
    piece(QStringLiteral("\u2212cx"), false, sup);
    piece(QStringLiteral(")"), true);
    return x - x0;
}

QSize FormulaPicture::sizeHint() const
{
    const QFontMetrics fm(font());
    const int heightAt = 2 * (fm.ascent() + fm.descent()) + 4;
    return {place(nullptr, 0, 0) + 2 * kMargin, heightAt + 2 * kMargin};
}

void FormulaPicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(Qt::black);
    const QFontMetrics fm(font());
    // The base line a little below the middle, so the fraction sits centred.
    place(&painter, kMargin, height() / 2 + fm.xHeight() / 2);
}

BridgeWindow::BridgeWindow(Context& c, QWidget* parent) : QWidget(parent, Qt::Window), c_(c)
{
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QString::fromUtf8(kHeading));

    auto* rows = new QVBoxLayout(this);
    rows->setSpacing(8);
    auto* title = named(new QLabel(QString::fromUtf8(kHeading)), "Label1");
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    rows->addWidget(title);

    auto* inputs = new QGridLayout;
    auto field = [](const char* name) {
        auto* f = named(new QLineEdit, name);
        f->setFixedWidth(90);
        return f;
    };
    spanField_ = field("Abstand_txt");
    heightField_ = field("Hoehe_txt");
    lowestField_ = field("Tiefster_Punkt_txt");
    const struct {
        const char* label;
        const char* text;
        QLineEdit* field;
    } inputRows[] = {
        {"Label2", "Abstand der Aufhängepunkte", spanField_},
        {"Label3", "Höhe der Aufhängepunkte", heightField_},
        {"Label4", "Tiefster Punkt über der Fahrban", lowestField_},
    };
    for (int i = 0; i < 3; ++i) {
        inputs->addWidget(named(new QLabel(QString::fromUtf8(inputRows[i].text)), inputRows[i].label), i, 0);
        inputs->addWidget(inputRows[i].field, i, 1);
    }
    inputs->setColumnStretch(2, 1);
    rows->addLayout(inputs);

    auto* formula = new FormulaPicture;
    auto* calculate =
        named(new QPushButton(QStringLiteral("Berechne und Zeichne")), "Berechne_CMD");
    auto* centre = new QHBoxLayout;
    centre->addWidget(formula);
    centre->addStretch(1);
    centre->addWidget(calculate, 0, Qt::AlignVCenter);
    rows->addLayout(centre);

    rows->addLayout(resultRows());
    rows->setSizeConstraint(QLayout::SetFixedSize);

    connect(calculate, &QPushButton::clicked, this, &BridgeWindow::onCalculate);
    enterClicks({spanField_, heightField_, lowestField_}, calculate);
    tabOrder({spanField_, heightField_, lowestField_, calculate, a1_, c1_, a2_, c2_});
    closeOnEscape(*this);
}

// The results: a1 and a2 on the left, c1 and c2 on the right.
QGridLayout* BridgeWindow::resultRows()
{
    auto* results = new QGridLayout;
    auto output = [](const char* name) {
        auto* f = named(new ResultField, name);
        f->setMinimumWidth(120);
        return f;
    };
    a1_ = output("a1_Ausgabe");
    a2_ = output("a2_Ausgabe");
    c1_ = output("c1_Ausgabe");
    c2_ = output("c2_Ausgabe");
    const struct {
        const char* label;
        const char* text;
        QLineEdit* field;
        int row, column;
    } fields[] = {
        {"Label5", "a1 =", a1_, 0, 0},
        {"Label8", "a2 =", a2_, 1, 0},
        {"Label6", "c1 =", c1_, 0, 2},
        {"Label7", "c2 =", c2_, 1, 2},
    };
    for (const auto& f : fields) {
        results->addWidget(named(new QLabel(QString::fromUtf8(f.text)), f.label), f.row,
                              f.column);
        results->addWidget(f.field, f.row, f.column + 1);
    }
    results->setColumnMinimumWidth(2, 40);
    results->setColumnStretch(4, 1);
    return results;
}

void BridgeWindow::storeFields()
{
    BridgeState& b = c_.state.bridge;
    b.Abstand_txt = str(spanField_->text());
    b.Hoehe_txt = str(heightField_->text());
    b.Tiefster_Punkt_txt = str(lowestField_->text());
}

void BridgeWindow::loadFields()
{
    const BridgeState& b = c_.state.bridge;
    spanField_->setText(qs(b.Abstand_txt));
    heightField_->setText(qs(b.Hoehe_txt));
    lowestField_->setText(qs(b.Tiefster_Punkt_txt));
}

void BridgeWindow::onCalculate()
{
    r_.Abstand_txt = str(spanField_->text());
    r_.Hoehe_txt = str(heightField_->text());
    r_.Tiefster_Punkt_txt = str(lowestField_->text());
    const bool drawFromPanel = Berechne_CMD_Click(c_, r_);
    a1_->showValue(r_.a1_Ausgabe);
    a2_->showValue(r_.a2_Ausgabe);
    c1_->showValue(r_.c1_Ausgabe);
    c2_->showValue(r_.c2_Ausgabe);
    if (drawFromPanel)
        emit drawRequested();
}

}  // namespace kw
