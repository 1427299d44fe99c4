#include "tools/calculator_window.h"

#include "gui/field_text.h"
#include "gui/tool_keys.h"
#include "gui/widget_text.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/context.h"
#include "core/ui.h"

namespace kw {

namespace {
// Key sizes in pixels; the window keeps the size its keys give it.
constexpr int kKey = 52;
constexpr int kKeyHeight = 30;
constexpr int kWide = 84;  // "=" and "DEL"
constexpr int kSpacing = 4;

// The key blocks, row by row: digits on the left, operators and functions in the middle.
constexpr const char* kZiffern[4][3] = {
    {"Button_1", "Button_2", "Button_3"},
    {"Button_4", "Button_5", "Button_6"},
    {"Button_7", "Button_8", "Button_9"},
    {"Button_0", "Button_Punkt", nullptr},
};
constexpr const char* kOperatorKeys[5][3] = {
    {"eula_button", "Pi_button", "button_exp"},
    {"Button_Klammer_links", "Button_Klammer_rechts", "button_tan"},
    {"Button_exponent", "Button_wurzel", "button_cos"},
    {"Button_Division", "Button_Mal", "button_sinus"},
    {"Button_Minus", "Button_Plus", "button_log"},
};

}  // namespace

CalculatorWindow::CalculatorWindow(Context& c, QWidget* parent) : QWidget(parent, Qt::Window), c_(c)
{
    setObjectName(QStringLiteral("Taschenrechner"));
    setWindowTitle(QStringLiteral("Taschenrechner"));

    auto* rows = new QVBoxLayout(this);
    rows->setSpacing(8);

    // The two fields side by side: the input wide, the result beside it.
    auto* fields = new QGridLayout;
    fields->setHorizontalSpacing(8);
    fields->setVerticalSpacing(2);
    input_ = named(new QLineEdit, "Eingabe");
    result_ = named(new ResultField, "Ergebnis");
    fields->addWidget(named(new QLabel(QStringLiteral("Eingabe")), "Label1"), 0, 0);
    fields->addWidget(named(new QLabel(QStringLiteral("Ergebnis")), "Label2"), 0, 1);
    fields->addWidget(input_, 1, 0);
    fields->addWidget(result_, 1, 1);
    fields->setColumnStretch(0, 3);
    fields->setColumnStretch(1, 2);
    rows->addLayout(fields);

    // The keys. They take no focus, so typing goes on in the input after a click.
    auto* keys = new QGridLayout;
    keys->setSpacing(kSpacing);
    auto key = [](const char* name, const QString& caption) {
        auto* b = named(new QPushButton(caption), name);
        b->setFocusPolicy(Qt::NoFocus);
        b->setFixedSize(kKey, kKeyHeight);
        return b;
    };
    auto appendKey = [&](const char* name) {
        const CalculatorKey* t = calculatorKey(name);
        QPushButton* b = key(name, qs(t->caption));
        connect(b, &QPushButton::clicked, this, [this, t] { onKey(*t); });
        return b;
    };
    for (int r = 0; r < 4; ++r)
        for (int col = 0; col < 3; ++col)
            if (const char* name = kZiffern[r][col])
                keys->addWidget(appendKey(name), r, col);
    constexpr int kMiddle = 4;  // first column of the middle block; column 3 keeps them apart
    for (int r = 0; r < 5; ++r)
        for (int col = 0; col < 3; ++col)
            keys->addWidget(appendKey(kOperatorKeys[r][col]), r, kMiddle + col);
    constexpr int kRight = kMiddle + 4;
    QPushButton* del = key("Command2", QStringLiteral("DEL"));
    QPushButton* gleich = key("Command1", QStringLiteral("="));
    del->setFixedWidth(kWide);
    gleich->setFixedSize(kWide, 2 * kKeyHeight + kSpacing);
    QFont bold = gleich->font();
    bold.setBold(true);
    gleich->setFont(bold);
    keys->addWidget(del, 0, kRight);
    keys->addWidget(gleich, 3, kRight, 2, 1);
    keys->setColumnMinimumWidth(3, 10);
    keys->setColumnMinimumWidth(kRight - 1, 10);

    auto* hinweis = named(new QLabel(qs(kAngleHint)), "Label3");
    hinweis->setWordWrap(true);
    hinweis->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A wrapping label does not tell a fixed-size window its height; give it.
    const int noteWidth = 3 * kKey + 2 * kSpacing;
    hinweis->setFixedWidth(noteWidth);
    hinweis->setMinimumHeight(hinweis->heightForWidth(noteWidth));
    // The note takes the room below "0 ." and, if it needs it, a row more.
    keys->addWidget(hinweis, 4, 0, 2, 3);
    rows->addLayout(keys);
    rows->setSizeConstraint(QLayout::SetFixedSize);

    connect(del, &QPushButton::clicked, this, &CalculatorWindow::onDel);
    connect(gleich, &QPushButton::clicked, this, &CalculatorWindow::onGleich);
    enterClicks({input_}, gleich);
    tabOrder({input_, result_});
    closeOnEscape(*this);
}

void CalculatorWindow::storeFields()
{
    t_.Eingabe = input_->text().toStdString();
    t_.Ergebnis = result_->text().toStdString();
}

void CalculatorWindow::loadFields()
{
    input_->setText(qs(t_.Eingabe));
    result_->showValue(t_.Ergebnis);
}

void CalculatorWindow::onKey(const CalculatorKey& key)
{
    storeFields();
    pressKey(t_, key);
    loadFields();
}

void CalculatorWindow::onGleich()
{
    storeFields();
    Command1_Click(c_, t_);
    loadFields();
}

void CalculatorWindow::onDel()
{
    Command2_Click(t_);
    loadFields();
}

void CalculatorWindow::closeEvent(QCloseEvent* event)
{
    onDel();
    QWidget::closeEvent(event);
}

}  // namespace kw
