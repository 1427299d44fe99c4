#include "tools/about_window.h"

#include "gui/widget_text.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/ui.h"
#include "tools/about.h"
#include "tools/program_icon.h"

namespace kw {

namespace {
QLabel* label(const QString& text, const char* name)
{
    auto* l = new QLabel(text);
    l->setObjectName(QString::fromLatin1(name));
    l->setWordWrap(true);
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return l;
}

constexpr int kTextWidth = 380;
constexpr int kIcon = 64;
constexpr int kGap = 16;

}  // namespace

AboutWindow::AboutWindow(Ui& ui, QWidget* parent) : QDialog(parent), ui_(ui)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(qs(kInfoZu) + qs(kTitle));

    auto* icon = new QLabel;
    icon->setObjectName(QStringLiteral("picIcon"));
    icon->setPixmap(programPixmap(kIcon, devicePixelRatioF()));
    icon->setFixedSize(kIcon, kIcon);

    auto* title = label(qs(kTitle), "lblTitle");
    QFont big = title->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.6);
    title->setFont(big);
    auto* version = label(qs(kVersion), "Label1");
    auto* description = label(qs(kDescription), "lblDescription");
    auto* disclaimer = label(qs(kDisclaimer), "lblDisclaimer");
    // Wrapping labels in a window of fixed size need their height given.
    auto fixWidth = [](QLabel* l, int width) {
        l->setFixedWidth(width);
        l->setMinimumHeight(l->heightForWidth(width));
    };
    fixWidth(description, kTextWidth);
    fixWidth(disclaimer, kIcon + kGap + kTextWidth);

    auto* line = new QFrame;
    line->setObjectName(QStringLiteral("Line1"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);  // the two lines of an etched rule

    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    auto* sysInfo = new QPushButton(QStringLiteral("&Systeminfo..."));
    sysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    connect(ok, &QPushButton::clicked, this, &QDialog::close);
    connect(sysInfo, &QPushButton::clicked, this, &AboutWindow::StartSysInfo);

    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(kGap);
    grid->setVerticalSpacing(8);
    grid->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    grid->addWidget(title, 0, 1);
    grid->addWidget(version, 1, 1);
    grid->addWidget(description, 2, 1);
    grid->addWidget(line, 3, 0, 1, 3);
    grid->addWidget(disclaimer, 4, 0, 1, 2);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(sysInfo);
    buttons->addStretch();
    grid->addLayout(buttons, 4, 2);
    grid->setRowMinimumHeight(2, description->minimumHeight());
    grid->setSizeConstraint(QLayout::SetFixedSize);
}

void AboutWindow::StartSysInfo()
{
    kw::StartSysInfo(ui_, qgetenv("PATH").toStdString(), [](const std::string& program) {
        return QProcess::startDetached(QString::fromStdString(program), {});
    });
}

}  // namespace kw
