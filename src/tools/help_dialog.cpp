#include "tools/help_dialog.h"

#include "gui/widget_text.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "tools/help.h"

namespace kw {

namespace {
constexpr int kTextWidth = 560;  // wide enough that the long lines wrap into few rows
}  // namespace

HelpDialog::HelpDialog(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Dialog"));
    setWindowTitle(qs(kHelpCaption));

    auto* titel = new QLabel(qs(kHelpTitle));
    titel->setObjectName(QStringLiteral("Titel_lab"));
    QFont bold = titel->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    titel->setFont(bold);

    auto* text = new QLabel(QString::fromStdString(helpText()));
    text->setObjectName(QStringLiteral("Text_lab"));
    text->setTextFormat(Qt::PlainText);
    text->setWordWrap(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont small = text->font();
    small.setPointSizeF(9.5);
    text->setFont(small);
    // A label that wraps does not tell a top-level window its height; fix both.
    text->setFixedWidth(kTextWidth);
    text->setMinimumHeight(text->heightForWidth(kTextWidth));

    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::close);

    auto* rows = new QVBoxLayout(this);
    rows->setSpacing(10);
    rows->addWidget(titel);
    rows->addWidget(text);
    rows->addWidget(ok, 0, Qt::AlignRight);
    rows->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace kw
