#include "panel/main_panel_window.h"

#include "gui/field_text.h"
#include "gui/topmost.h"
#include "gui/widget_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include <utility>

#include "core/colours.h"
#include "core/context.h"
#include "panel/main_panel.h"

namespace kw {

namespace {
constexpr int kProgressSteps = 1000;
// Shares of the status bar: panel 1 (nothing shows there), the coordinates
// or a search's note, the zoom.
constexpr int kStatusStretch[3] = {1, 5, 2};
}  // namespace

// A panel of the status bar keeps the width the bar gives it, whatever it
// shows: a text too long for it ends in "…" and shows whole as tool tip.
// Otherwise a long text would widen the main panel beyond its place below
// the drawing window.
class StatusPanel : public QLabel {
public:
    explicit StatusPanel(int number)
    {
        setObjectName(QStringLiteral("StatusPanel%1").arg(number));
        setFrameShape(QFrame::Panel);
        setFrameShadow(QFrame::Sunken);
        setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    }

    void setFullText(const QString& text)
    {
        full_ = text;
        fit();
    }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QLabel::resizeEvent(event);
        fit();
    }

private:
    void fit()
    {
        // A framed label indents its text by half an "x".
        const int room =
            contentsRect().width() - fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2;
        const QString shown = fontMetrics().elidedText(full_, Qt::ElideRight, std::max(room, 0));
        setText(shown);
        setToolTip(shown == full_ ? QString() : full_);
    }

    QString full_;
};

namespace {
QHBoxLayout* newRow()
{
    auto* r = new QHBoxLayout;
    r->setSpacing(6);
    return r;
}
}  // namespace

MainPanelWindow::MainPanelWindow(Context& c, QWidget* parent) : QMainWindow(parent), c_(c)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(qs(kTitle));

    auto* central = new QWidget(this);
    auto* rows = new QVBoxLayout(central);
    rows->setSpacing(6);
    rows->addLayout(termRow());
    rows->addLayout(rangeRow());
    rows->addLayout(colourRow());
    rows->addLayout(progressRow());
    setCentralWidget(central);

    auto* bar = named(new QStatusBar, "StatusBar");
    for (int i = 0; i < 3; ++i) {
        status_[i] = new StatusPanel(i + 1);
        bar->addWidget(status_[i], kStatusStretch[i]);
    }
    setStatusBar(bar);
}

// The term, "Zeichnen" and "Zufall f(x)".
QHBoxLayout* MainPanelWindow::termRow()
{
    input_ = named(new QComboBox, "Eingabe");
    input_->setEditable(true);
    input_->setInsertPolicy(QComboBox::NoInsert);
    // Qt's completer would complete inline from the list and match it without
    // regard to case: "x" would become "x^2", "X^2" turn into "x^2". What is
    // typed is what is drawn; the list stays in the drop-down.
    input_->setCompleter(nullptr);
    input_->setMinimumContentsLength(12);
    input_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    input_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    auto* drawButton = named(new QPushButton(QStringLiteral("Zeichnen")), "Zeichnen_button");
    QFont bold = drawButton->font();
    bold.setBold(true);
    drawButton->setFont(bold);
    auto* randomButton = named(new QPushButton(QStringLiteral("Zufall f(x)")), "zufall_butt");
    auto* r0 = newRow();
    r0->addWidget(named(new QLabel(QStringLiteral("f(x) =")), "Label7"));
    r0->addWidget(input_, 1);
    r0->addWidget(drawButton);
    r0->addWidget(randomButton);

    connect(drawButton, &QPushButton::clicked, this, &MainPanelWindow::Zeichnen_button_Click);
    connect(input_->lineEdit(), &QLineEdit::returnPressed, this,
            &MainPanelWindow::Zeichnen_button_Click);
    connect(randomButton, &QPushButton::clicked, this, [this] {
        storeFields();
        randomExample(c_);
    });
    return r0;
}

// Range and quality.
QHBoxLayout* MainPanelWindow::rangeRow()
{
    auto numberField = [](const char* name, const char* text) {
        auto* f = named(new QLineEdit(QString::fromLatin1(text)), name);
        f->setFixedWidth(56);
        return f;
    };
    from_ = numberField("x_eingabe", "-20");
    to_ = numberField("y_eingabe", "20");
    quality_ = numberField("qualitaet_eingabe", "50");
    auto* r1 = newRow();
    r1->addWidget(named(new QLabel(QStringLiteral("Geben sie den x Bereich ein:")), "Label3"));
    r1->addSpacing(4);
    r1->addWidget(named(new QLabel(QStringLiteral("x1")), "Label1"));
    r1->addWidget(from_);
    r1->addSpacing(4);
    r1->addWidget(named(new QLabel(QStringLiteral("x2")), "Label2"));
    r1->addWidget(to_);
    r1->addStretch(1);
    r1->addWidget(named(new QLabel(QStringLiteral("Qualität")), "Label5"));
    r1->addWidget(quality_);
    for (QLineEdit* f : {from_, to_, quality_})
        connect(f, &QLineEdit::returnPressed, this, &MainPanelWindow::Zeichnen_button_Click);
    return r1;
}

// Colour, width and the panel's buttons.
QHBoxLayout* MainPanelWindow::colourRow()
{
    colourCombo_ = named(new QComboBox, "FarbeBox");
    for (std::size_t i = 0; i < kSevenColours; ++i)
        colourCombo_->addItem(qs(kColours[i].name));
    widthCombo_ = named(new QComboBox, "f_x_linie_staerke");
    for (auto w : kWidths)
        widthCombo_->addItem(qs(w));
    auto* extras = named(new QPushButton(QStringLiteral("Extras")), "extras_button");
    auto* resetButton = named(new QPushButton(QStringLiteral("Reset")), "leeren_butt_Click");
    auto* endButton = named(new QPushButton(QStringLiteral("Ende")), "Ende_button");
    auto* r2 = newRow();
    r2->addWidget(colourCombo_);
    r2->addSpacing(4);
    r2->addWidget(named(new QLabel(QStringLiteral("Linien Stärke:")), "Label4"));
    r2->addWidget(widthCombo_);
    r2->addStretch(1);
    r2->addWidget(extras);
    r2->addWidget(resetButton);
    r2->addWidget(endButton);

    connect(resetButton, &QPushButton::clicked, this, [this] {
        storeFields();
        reset(c_);
    });
    connect(endButton, &QPushButton::clicked, this, &MainPanelWindow::endRequested);
    connect(extras, &QPushButton::clicked, this,
            [this] { emit analysisPanelToggled(kw::extras(c_)); });
    connect(widthCombo_, &QComboBox::activated, this, [this] {
        storeFields();
        applyGraphWidth(c_);
    });
    return r2;
}

// "Fenster immer im Vordergrund" and the progress bar.
QHBoxLayout* MainPanelWindow::progressRow()
{
    onTop_ = named(new QCheckBox(QStringLiteral("Fenster immer im Vordergrund")), "Vordergrund_check");
    progress_ = named(new QProgressBar, "ProgressBar");
    progress_->setRange(0, kProgressSteps);
    progress_->setValue(0);
    progress_->setTextVisible(false);
    auto* r3 = newRow();
    r3->addWidget(onTop_);
    r3->addWidget(progress_, 1);
    connect(onTop_, &QCheckBox::toggled, this, [this](bool on) { keepOnTop(this, on); });
    return r3;
}

void MainPanelWindow::storeFields()
{
    State& s = c_.state;
    s.main.Eingabe = str(input_->currentText());
    s.main.x_eingabe = str(from_->text());
    s.main.y_eingabe = str(to_->text());
    s.main.qualitaet_eingabe = str(quality_->text());
    s.main.FarbeBox = str(colourCombo_->currentText());
    s.main.f_x_linie_staerke = str(widthCombo_->currentText());
}

void MainPanelWindow::loadFields()
{
    const State& s = c_.state;
    setListAndText(input_, s.main.EingabeListe, s.main.Eingabe);
    from_->setText(qs(s.main.x_eingabe));
    to_->setText(qs(s.main.y_eingabe));
    quality_->setText(qs(s.main.qualitaet_eingabe));
    colourCombo_->setCurrentText(qs(s.main.FarbeBox));
    widthCombo_->setCurrentText(qs(s.main.f_x_linie_staerke));
}

void MainPanelWindow::Zeichnen_button_Click()
{
    storeFields();
    drawFromPanel(c_);
    emit drawn();
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
        status_[panel - 1]->setFullText(text);
}

void MainPanelWindow::setProgressMaximum(double maximum)
{
    progressMaximum_ = maximum;
    progressWanted_ = 0;
    progress_->setValue(0);
}

void MainPanelWindow::setProgressValue(double value)
{
    const int steps = progressMaximum_ > 0 ? int(value / progressMaximum_ * kProgressSteps) : 0;
    progressWanted_ = std::clamp(steps, 0, kProgressSteps);
    // A progress bar repaints at once for every step it can show, which for
    // a family of many members costs far more than drawing them: the newest
    // value is shown when events are next handled (while drawing, every
    // few hundredths of a second).
    if (std::exchange(progressPending_, true))
        return;
    QTimer::singleShot(0, this, [this] {
        progressPending_ = false;
        progress_->setValue(progressWanted_);
    });
}

}  // namespace kw
