#include "tools/bridge_window.h"

#include "gui/field_text.h"
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

constexpr const char* kUeberschrift = "Rechner für Verlauf des Trägerseils einer Hängerbrücke";
constexpr int kRand = 8;  // around the formula

QFont formelSchrift(const QWidget& w)
{
    QFont f = w.font();
    f.setFamily(QStringLiteral("Serif"));
    f.setStyleHint(QFont::Serif);
    f.setPointSizeF(f.pointSizeF() * 1.4);
    return f;
}

QFont kleiner(QFont f)
{
    f.setPointSizeF(f.pointSizeF() * 0.7);
    return f;
}

}  // namespace

FormelBild::FormelBild(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Picture1"));
    setFont(formelSchrift(*this));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

int FormelBild::setzen(QPainter* painter, int x, int y) const
{
    const QFont normal = font(), klein = kleiner(normal);
    const QFontMetrics fm(normal), km(klein);
    const int x0 = x;
    // A piece of text in a font, moved up (superscript) or down (subscript).
    auto stueck = [&](const QString& t, bool gross, int hoch = 0) {
        const QFontMetrics& m = gross ? fm : km;
        if (painter) {
            painter->setFont(gross ? normal : klein);
            painter->drawText(x, y - hoch, t);
        }
        x += m.horizontalAdvance(t);
    };
    const int sub = fm.ascent() / 4, sup = fm.ascent() / 2;
    stueck(QStringLiteral("f"), true);
    stueck(QStringLiteral("a,c"), false, -sub);
    stueck(QStringLiteral("(x) = "), true);

    // a over 2c: the bar at the height of the minus sign.
    const QString zaehler = QStringLiteral("a"), nenner = QStringLiteral("2c");
    const int breite = std::max(fm.horizontalAdvance(zaehler), fm.horizontalAdvance(nenner)) + 6;
    const int bar = y - fm.xHeight() / 2 - 1;
    if (painter) {
        painter->setFont(normal);
        painter->drawText(x + (breite - fm.horizontalAdvance(zaehler)) / 2, bar - fm.descent() - 2,
                          zaehler);
        painter->drawText(x + (breite - fm.horizontalAdvance(nenner)) / 2, bar + fm.ascent() + 1,
                          nenner);
        painter->drawLine(x, bar, x + breite, bar);
    }
    x += breite;

    stueck(QStringLiteral(" · (e"), true);
    stueck(QStringLiteral("cx"), false, sup);
    stueck(QStringLiteral(" + e"), true);
    stueck(QStringLiteral("\u2212cx"), false, sup);
    stueck(QStringLiteral(")"), true);
    return x - x0;
}

QSize FormelBild::sizeHint() const
{
    const QFontMetrics fm(font());
    const int hoehe = 2 * (fm.ascent() + fm.descent()) + 4;
    return {setzen(nullptr, 0, 0) + 2 * kRand, hoehe + 2 * kRand};
}

void FormelBild::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(Qt::black);
    const QFontMetrics fm(font());
    // The base line a little below the middle, so the fraction sits centred.
    setzen(&painter, kRand, height() / 2 + fm.xHeight() / 2);
}

BridgeWindow::BridgeWindow(Context& c, QWidget* parent) : QWidget(parent, Qt::Window), c_(c)
{
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QString::fromUtf8(kUeberschrift));

    auto* rows = new QVBoxLayout(this);
    rows->setSpacing(8);
    auto* titel = named(new QLabel(QString::fromUtf8(kUeberschrift)), "Label1");
    QFont bold = titel->font();
    bold.setBold(true);
    titel->setFont(bold);
    rows->addWidget(titel);

    auto* eingaben = new QGridLayout;
    auto feld = [](const char* name) {
        auto* f = named(new QLineEdit, name);
        f->setFixedWidth(90);
        return f;
    };
    abstand_ = feld("Abstand_txt");
    hoehe_ = feld("Hoehe_txt");
    tiefster_ = feld("Tiefster_Punkt_txt");
    const struct {
        const char* label;
        const char* text;
        QLineEdit* field;
    } zeilen[] = {
        {"Label2", "Abstand der Aufhängepunkte", abstand_},
        {"Label3", "Höhe der Aufhängepunkte", hoehe_},
        {"Label4", "Tiefster Punkt über der Fahrban", tiefster_},
    };
    for (int i = 0; i < 3; ++i) {
        eingaben->addWidget(named(new QLabel(QString::fromUtf8(zeilen[i].text)), zeilen[i].label), i, 0);
        eingaben->addWidget(zeilen[i].field, i, 1);
        connect(zeilen[i].field, &QLineEdit::returnPressed, this, &BridgeWindow::onBerechne);
    }
    eingaben->setColumnStretch(2, 1);
    rows->addLayout(eingaben);

    auto* formel = new FormelBild;
    auto* berechne =
        named(new QPushButton(QStringLiteral("Berechne und Zeichne")), "Berechne_CMD");
    auto* mitte = new QHBoxLayout;
    mitte->addWidget(formel);
    mitte->addStretch(1);
    mitte->addWidget(berechne, 0, Qt::AlignVCenter);
    rows->addLayout(mitte);

    // The results: a1 and a2 on the left, c1 and c2 on the right.
    auto* ergebnisse = new QGridLayout;
    auto ausgabe = [](const char* name) {
        auto* f = named(new ResultField, name);
        f->setMinimumWidth(120);
        return f;
    };
    a1_ = ausgabe("a1_Ausgabe");
    a2_ = ausgabe("a2_Ausgabe");
    c1_ = ausgabe("c1_Ausgabe");
    c2_ = ausgabe("c2_Ausgabe");
    const struct {
        const char* label;
        const char* text;
        QLineEdit* field;
        int row, column;
    } felder[] = {
        {"Label5", "a1 =", a1_, 0, 0},
        {"Label8", "a2 =", a2_, 1, 0},
        {"Label6", "c1 =", c1_, 0, 2},
        {"Label7", "c2 =", c2_, 1, 2},
    };
    for (const auto& f : felder) {
        ergebnisse->addWidget(named(new QLabel(QString::fromUtf8(f.text)), f.label), f.row,
                              f.column);
        ergebnisse->addWidget(f.field, f.row, f.column + 1);
    }
    ergebnisse->setColumnMinimumWidth(2, 40);
    ergebnisse->setColumnStretch(4, 1);
    rows->addLayout(ergebnisse);
    rows->setSizeConstraint(QLayout::SetFixedSize);

    connect(berechne, &QPushButton::clicked, this, &BridgeWindow::onBerechne);
}

void BridgeWindow::onBerechne()
{
    r_.Abstand_txt = str(abstand_->text());
    r_.Hoehe_txt = str(hoehe_->text());
    r_.Tiefster_Punkt_txt = str(tiefster_->text());
    const bool zeichnen = Berechne_CMD_Click(c_, r_);
    a1_->showValue(r_.a1_Ausgabe);
    a2_->showValue(r_.a2_Ausgabe);
    c1_->showValue(r_.c1_Ausgabe);
    c2_->showValue(r_.c2_Ausgabe);
    if (zeichnen)
        emit zeichnenAngefordert();
}

}  // namespace kw
