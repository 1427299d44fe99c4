#include "panel/main_panel_window.h"

#include "gui/widget_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "core/colours.h"
#include "core/context.h"
#include "panel/main_panel.h"

namespace kw {

namespace {
constexpr int kProgressSteps = 1000;

}  // namespace

MainPanelWindow::MainPanelWindow(Context& c, QWidget* parent) : QMainWindow(parent), c_(c)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(qs(kTitle));

    auto* central = new QWidget(this);
    auto* rows = new QVBoxLayout(central);
    rows->setSpacing(6);
    auto row = [rows] {
        auto* r = new QHBoxLayout;
        r->setSpacing(6);
        rows->addLayout(r);
        return r;
    };

    // The term.
    eingabe_ = named(new QComboBox, "Eingabe");
    eingabe_->setEditable(true);
    eingabe_->setInsertPolicy(QComboBox::NoInsert);
    eingabe_->setMinimumContentsLength(12);
    eingabe_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    eingabe_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    auto* zeichnen = named(new QPushButton(QStringLiteral("Zeichnen")), "Zeichnen_button");
    QFont bold = zeichnen->font();
    bold.setBold(true);
    zeichnen->setFont(bold);
    auto* zufallButton = named(new QPushButton(QStringLiteral("Zufall f(x)")), "zufall_butt");
    auto* r0 = row();
    r0->addWidget(named(new QLabel(QStringLiteral("f(x) =")), "Label7"));
    r0->addWidget(eingabe_, 1);
    r0->addWidget(zeichnen);
    r0->addWidget(zufallButton);

    // Range and quality.
    auto numberField = [](const char* name, const char* text) {
        auto* f = named(new QLineEdit(QString::fromLatin1(text)), name);
        f->setFixedWidth(56);
        return f;
    };
    xEingabe_ = numberField("x_eingabe", "-20");
    yEingabe_ = numberField("y_eingabe", "20");
    qualitaet_ = numberField("qualitaet_eingabe", "50");
    auto* r1 = row();
    r1->addWidget(named(new QLabel(QStringLiteral("Geben sie den x Bereich ein:")), "Label3"));
    r1->addSpacing(4);
    r1->addWidget(named(new QLabel(QStringLiteral("x1")), "Label1"));
    r1->addWidget(xEingabe_);
    r1->addSpacing(4);
    r1->addWidget(named(new QLabel(QStringLiteral("x2")), "Label2"));
    r1->addWidget(yEingabe_);
    r1->addStretch(1);
    r1->addWidget(named(new QLabel(QStringLiteral("Qualität")), "Label5"));
    r1->addWidget(qualitaet_);

    // Colour, width and the panel's buttons.
    farbe_ = named(new QComboBox, "FarbeBox");
    for (std::size_t i = 0; i < kSevenColours; ++i)
        farbe_->addItem(qs(kColours[i].name));
    staerke_ = named(new QComboBox, "f_x_linie_staerke");
    for (auto w : kWidths)
        staerke_->addItem(qs(w));
    auto* extras = named(new QPushButton(QStringLiteral("Extras")), "extras_button");
    auto* resetButton = named(new QPushButton(QStringLiteral("Reset")), "leeren_butt_Click");
    auto* ende = named(new QPushButton(QStringLiteral("Ende")), "Ende_button");
    auto* r2 = row();
    r2->addWidget(farbe_);
    r2->addSpacing(4);
    r2->addWidget(named(new QLabel(QStringLiteral("Linien Stärke:")), "Label4"));
    r2->addWidget(staerke_);
    r2->addStretch(1);
    r2->addWidget(extras);
    r2->addWidget(resetButton);
    r2->addWidget(ende);

    vordergrund_ = named(new QCheckBox(QStringLiteral("Fenster immer im Vordergrund")), "Vordergrund_check");
    progress_ = named(new QProgressBar, "ProgressBar");
    progress_->setRange(0, kProgressSteps);
    progress_->setValue(0);
    progress_->setTextVisible(false);
    auto* r3 = row();
    r3->addWidget(vordergrund_);
    r3->addWidget(progress_, 1);
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

    eingabe_->installEventFilter(this);
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
    connect(extras, &QPushButton::clicked, this,
            [this] { emit analysisPanelToggled(kw::extras(c_)); });
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

bool MainPanelWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The term box hands a Return that its line edit has already handled back
    // to the line edit, and one Return would draw twice: it ends at the box.
    if (watched == eingabe_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter)
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainPanelWindow::onTopmost(bool on)
{
    const QRect frame = geometry();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    setGeometry(frame);
    show();
}

void MainPanelWindow::mousePressEvent(QMouseEvent* event)
{
    dragFrom_ = event->globalPosition().toPoint();
    dragStart_ = pos();
    event->accept();
}

void MainPanelWindow::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragFrom_)
        return QMainWindow::mouseMoveEvent(event);
    move(dragStart_ + event->globalPosition().toPoint() - *dragFrom_);
    event->accept();
}

void MainPanelWindow::mouseReleaseEvent(QMouseEvent* event)
{
    if (!dragFrom_)
        return QMainWindow::mouseReleaseEvent(event);
    dragFrom_.reset();
    event->accept();
    emit backgroundDragged();
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
