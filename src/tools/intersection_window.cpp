#include "tools/intersection_window.h"

#include "gui/tool_keys.h"
#include "gui/topmost.h"
#include "gui/widget_text.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "core/context.h"

#include <algorithm>

namespace kw {

namespace {
// The title and how to use the calculator.
void addHeading(QVBoxLayout* rows)
{
    auto* title = named(new QLabel(QStringLiteral(" Rechner für Schnittstellen")), "Label3");
    QFont big = title->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.3);
    title->setFont(big);
    rows->addWidget(title);
    auto* hint = named(
        new QLabel(QStringLiteral("Geben Sie die Funktionen nacheinander mit dem Button "
                                  "\"Eingabe\" ein. Dann drücken Sie auf den Button \"Zeichnen\" "
                                  "oder \"Schnittpunkte berechnen\"")),
        "Label1");
    hint->setWordWrap(true);
    rows->addWidget(hint);
}
}  // namespace

IntersectionWindow::IntersectionWindow(Context& c, QWidget* parent)
    : QWidget(parent, Qt::Window), c_(c)
{
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("Schnittstellen Rechner"));
    auto* rows = new QVBoxLayout(this);
    rows->setSpacing(8);

    addHeading(rows);

    // "f1(x)= [term] [Eingabe]": the number of the next function sits after the f.
    nextNumber_ = named(new QLabel, "Eingabe_Zahl_Label");
    term_ = named(new QLineEdit, "Eingabe_Term_txt");
    auto* input = named(new QPushButton(QStringLiteral("Eingabe")), "Eingabe_button");
    auto* termRow = new QHBoxLayout;
    termRow->setSpacing(0);
    termRow->addWidget(named(new QLabel(QStringLiteral("f")), "Label2"));
    termRow->addWidget(nextNumber_);
    termRow->addWidget(new QLabel(QStringLiteral("(x)= ")));
    termRow->addWidget(term_, 1);
    termRow->addSpacing(6);
    termRow->addWidget(input);
    rows->addLayout(termRow);

    entered_ = named(new QLabel, "Eingegebene_Label");
    entered_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    entered_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    rows->addWidget(entered_);

    auto* drawButton = named(new QPushButton(QStringLiteral("Zeichnen")), "Zeichnen_butt");
    auto* calculate =
        named(new QPushButton(QStringLiteral("Schnittpunkte berechnen")), "Schnittpunkte_butt");
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(drawButton);
    buttons->addWidget(calculate);
    buttons->addStretch(1);
    rows->addLayout(buttons);
    auto* markBox = named(new QCheckBox(QStringLiteral("Schnittpunkte farbig hervorheben")),
                         "Schnittstellen_farbig_check");
    rows->addWidget(markBox);

    result_ = named(new QPlainTextEdit, "Schnittpunkte_txt");
    result_->setReadOnly(true);
    result_->setMinimumHeight(100);
    rows->addWidget(result_, 1);

    auto* reset = named(new QPushButton(QStringLiteral("reset")), "Command1");
    auto* onTop = named(new QCheckBox(QStringLiteral("Fenster immer im Vordergrund")),
                              "Vordergrund_check");
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(reset);
    bottom->addStretch(1);
    bottom->addWidget(onTop);
    rows->addLayout(bottom);

    connect(input, &QPushButton::clicked, this,
            [this] {
                act([this] { Eingabe_button_Click(c_, r_); });
                // The term stays in the box, selected: typing the next one replaces it.
                term_->setFocus();
                term_->selectAll();
            });
    connect(drawButton, &QPushButton::clicked, this,
            [this] { act([this] { Zeichnen_butt_Click(c_); }); });
    connect(calculate, &QPushButton::clicked, this,
            [this] { act([this] { Schnittpunkte_butt_Click(c_, r_); }); });
    connect(markBox, &QCheckBox::clicked, this,
            [this] { act([this] { Schnittstellen_farbig_check_Click(c_); }); });
    connect(reset, &QPushButton::clicked, this, [this] { act([this] { Command1_Click(c_, r_); }); });
    connect(onTop, &QCheckBox::toggled, this,
            [this](bool on) { keepOnTop(this, on); });

    showDrawing();  // functions of an opened drawing are there before the window
    resize(420, 560);
    enterClicks({term_}, input);
    tabOrder({term_, input, drawButton, calculate, markBox, result_, reset, onTop});
    closeOnEscape(*this);
}

template <class Action>
void IntersectionWindow::act(Action action)
{
    emit fieldsNeeded();
    r_.Eingabe_Term_txt = str(term_->text());
    action();
    loadFields();
}

void IntersectionWindow::showDrawing()
{
    r_ = {};
    const auto& terms = c_.state.intersections.Schnittstellen_Terme;
    for (std::size_t i = 0; i < terms.size(); ++i)
        r_.Eingegebene_Label += "\r\nf" + std::to_string(i + 1) + "(x) = " + terms[i];
    r_.Eingabe_Zahl_Label = std::to_string(terms.size() + 1);
    findChild<QCheckBox*>(QStringLiteral("Schnittstellen_farbig_check"))
        ->setChecked(c_.state.intersections.Schnittpunkte_farbig_test);
    loadFields();
}

void IntersectionWindow::loadFields()
{
    nextNumber_->setText(qs(r_.Eingabe_Zahl_Label));
    // A long term ends in "…" rather than widening the window beyond the
    // screen; the whole list is in the tool tip.
    const QString entered = qsLines(r_.Eingegebene_Label);
    QStringList lines = entered.split(QLatin1Char('\n'));
    for (QString& line : lines)
        line = entered_->fontMetrics().elidedText(line, Qt::ElideRight, kEnteredWidth);
    entered_->setText(lines.join(QLatin1Char('\n')));
    entered_->setToolTip(entered);
    growToContent();
    const QString result = qsLines(r_.Schnittpunkte_txt);
    if (result_->toPlainText() != result)
        result_->setPlainText(result);
}

// Seven functions need more room than one: the window grows, within the
// screen, so that no control is laid over another; the results scroll in their box.
void IntersectionWindow::growToContent()
{
    if (QLayout* l = layout())
        l->activate();
    const QSize needed = size().expandedTo(minimumSizeHint());
    if (needed == size())
        return;
    resize(needed);
    if (!isVisible())
        return;
    const QRect area = screen()->availableGeometry();
    const QRect outer = frameGeometry();
    move(pos() - QPoint(std::max(0, outer.right() - area.right()), std::max(0, outer.bottom() - area.bottom())));
}

}  // namespace kw
