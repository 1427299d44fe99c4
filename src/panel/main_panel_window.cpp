#include "panel/main_panel_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "panel/colours.h"
#include "panel/context.h"
#include "panel/main_panel.h"

namespace kw {

namespace {

QString qs(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }
std::string str(const QString& s) { return s.toStdString(); }

template <class W>
W* named(W* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

constexpr int kProgressSteps = 1000;

}  // namespace

MainPanelWindow::MainPanelWindow(Context& c, QWidget* parent) : QMainWindow(parent), c_(c)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(qs(kTitle));

    auto* central = new QWidget(this);
    auto* grid = new QGridLayout(central);
    grid->setHorizontalSpacing(8);

    // Term row.
    eingabe_ = named(new QComboBox, "Eingabe");
    eingabe_->setEditable(true);
    eingabe_->setInsertPolicy(QComboBox::NoInsert);
    eingabe_->setMinimumContentsLength(28);
    eingabe_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    auto* zeichnen = named(new QPushButton(QStringLiteral("Zeichnen")), "Zeichnen_button");
    QFont bold = zeichnen->font();
    bold.setBold(true);
    zeichnen->setFont(bold);
    zeichnen->setDefault(true);
    auto* zufallButton = named(new QPushButton(QStringLiteral("Zufall f(x)")), "zufall_butt");
    grid->addWidget(named(new QLabel(QStringLiteral("f(x) =")), "Label7"), 0, 0);
    grid->addWidget(eingabe_, 0, 1, 1, 6);
    grid->addWidget(zeichnen, 0, 7);
    grid->addWidget(zufallButton, 0, 8);

    // Range and quality row.
    auto numberField = [](const char* name, const char* text) {
        auto* f = named(new QLineEdit(QString::fromLatin1(text)), name);
        f->setMaximumWidth(70);
        return f;
    };
    xEingabe_ = numberField("x_eingabe", "-20");
    yEingabe_ = numberField("y_eingabe", "20");
    qualitaet_ = numberField("qualitaet_eingabe", "50");
    grid->addWidget(named(new QLabel(QStringLiteral("Geben sie den x Bereich ein:")), "Label3"), 1, 0, 1, 2);
    grid->addWidget(named(new QLabel(QStringLiteral("x1")), "Label1"), 1, 2, Qt::AlignRight);
    grid->addWidget(xEingabe_, 1, 3);
    grid->addWidget(named(new QLabel(QStringLiteral("x2")), "Label2"), 1, 4, Qt::AlignRight);
    grid->addWidget(yEingabe_, 1, 5);
    grid->addWidget(named(new QLabel(QStringLiteral("Qualität")), "Label5"), 1, 6, Qt::AlignRight);
    grid->addWidget(qualitaet_, 1, 7);

    // Colour, width and the panel's buttons.
    farbe_ = named(new QComboBox, "FarbeBox");
    for (std::size_t i = 0; i < kSevenColours; ++i)
        farbe_->addItem(qs(kColours[i].name));
    staerke_ = named(new QComboBox, "f_x_linie_staerke");
    for (auto w : kWidths)
        staerke_->addItem(qs(w));
    auto* extras = named(new QPushButton(QStringLiteral("Extras")), "extras_button");
    extras->setEnabled(false);
    auto* resetButton = named(new QPushButton(QStringLiteral("Reset")), "leeren_butt_Click");
    auto* ende = named(new QPushButton(QStringLiteral("Ende")), "Ende_button");
    grid->addWidget(farbe_, 2, 0, 1, 2);
    grid->addWidget(named(new QLabel(QStringLiteral("Linien Stärke:")), "Label4"), 2, 2, 1, 2, Qt::AlignRight);
    grid->addWidget(staerke_, 2, 4);
    grid->addWidget(extras, 2, 6);
    grid->addWidget(resetButton, 2, 7);
    grid->addWidget(ende, 2, 8);

    vordergrund_ = named(new QCheckBox(QStringLiteral("Fenster immer im Vordergrund")), "Vordergrund_check");
    progress_ = named(new QProgressBar, "ProgressBar");
    progress_->setRange(0, kProgressSteps);
    progress_->setValue(0);
    progress_->setTextVisible(false);
    grid->addWidget(vordergrund_, 3, 0, 1, 3);
    grid->addWidget(progress_, 3, 3, 1, 6);
    setCentralWidget(central);

    auto* bar = named(new QStatusBar, "StatusBar");
    for (int i = 0; i < 3; ++i) {
        status_[i] = new QLabel;
        status_[i]->setObjectName(QStringLiteral("StatusPanel%1").arg(i + 1));
        status_[i]->setFrameShape(QFrame::Panel);
        status_[i]->setFrameShadow(QFrame::Sunken);
        bar->addWidget(status_[i], i == 1 ? 3 : 1);
    }
    setStatusBar(bar);

    connect(zeichnen, &QPushButton::clicked, this, &MainPanelWindow::onZeichnen);
    connect(eingabe_->lineEdit(), &QLineEdit::returnPressed, this, &MainPanelWindow::onZeichnen);
    for (QLineEdit* f : {xEingabe_, yEingabe_, qualitaet_})
        connect(f, &QLineEdit::returnPressed, this, &MainPanelWindow::onZeichnen);
    connect(zufallButton, &QPushButton::clicked, this, [this] {
        storeFields();
        zufall(c_);
    });
    connect(resetButton, &QPushButton::clicked, this, [this] {
        storeFields();
        reset(c_);
    });
    connect(ende, &QPushButton::clicked, this, &MainPanelWindow::endRequested);
    connect(staerke_, &QComboBox::activated, this, [this] {
        storeFields();
        linienStaerke(c_);
    });
    connect(vordergrund_, &QCheckBox::toggled, this, &MainPanelWindow::onTopmost);
}

void MainPanelWindow::storeFields()
{
    State& s = c_.s;
    s.Eingabe = str(eingabe_->currentText());
    s.x_eingabe = str(xEingabe_->text());
    s.y_eingabe = str(yEingabe_->text());
    s.qualitaet_eingabe = str(qualitaet_->text());
    s.FarbeBox = str(farbe_->currentText());
    s.f_x_linie_staerke = str(staerke_->currentText());
}

void MainPanelWindow::loadFields()
{
    const State& s = c_.s;
    QStringList list;
    for (const auto& t : s.EingabeListe)
        list << qs(t);
    QStringList shown;
    for (int i = 0; i < eingabe_->count(); ++i)
        shown << eingabe_->itemText(i);
    if (shown != list) {
        eingabe_->clear();
        eingabe_->addItems(list);
    }
    eingabe_->setEditText(qs(s.Eingabe));
    xEingabe_->setText(qs(s.x_eingabe));
    yEingabe_->setText(qs(s.y_eingabe));
    qualitaet_->setText(qs(s.qualitaet_eingabe));
    farbe_->setCurrentText(qs(s.FarbeBox));
    staerke_->setCurrentText(qs(s.f_x_linie_staerke));
}

void MainPanelWindow::onZeichnen()
{
    storeFields();
    zeichnen(c_);
    emit drawn();
}

void MainPanelWindow::onTopmost(bool on)
{
    const QRect frame = geometry();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    setGeometry(frame);
    show();
}

void MainPanelWindow::setStatus(int panel, const QString& text)
{
    if (panel >= 1 && panel <= 3)
        status_[panel - 1]->setText(text);
}

void MainPanelWindow::setProgressMaximum(double maximum)
{
    progressMaximum_ = maximum;
    progress_->setValue(0);
}

void MainPanelWindow::setProgressValue(double value)
{
    const int steps = progressMaximum_ > 0 ? int(value / progressMaximum_ * kProgressSteps) : 0;
    progress_->setValue(std::clamp(steps, 0, kProgressSteps));
}

}  // namespace kw
