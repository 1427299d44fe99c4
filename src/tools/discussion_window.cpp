#include "tools/discussion_window.h"

#include <QAction>
#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPrinter>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "gui/tool_keys.h"
#include "gui/worksheet.h"

namespace kw {

DiscussionWindow::DiscussionWindow(const Plane& plane, QWidget* parent) : QWidget(parent), plane_(plane)
{
    setObjectName(QStringLiteral("Kurvendiskussion"));
    setWindowTitle(QStringLiteral("Kurvendiskussion"));
    view_ = new QTextBrowser;
    view_->setObjectName(QStringLiteral("Diskussion_txt"));
    auto* save = new QPushButton(QStringLiteral("Als PDF speichern"));
    save->setObjectName(QStringLiteral("Als_PDF_butt"));
    auto* printButton = new QPushButton(QStringLiteral("Drucken"));
    printButton->setObjectName(QStringLiteral("Drucken_butt"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(save);
    buttons->addWidget(printButton);
    buttons->addStretch(1);
    auto* rows = new QVBoxLayout(this);
    rows->addWidget(view_, 1);
    rows->addLayout(buttons);
    resize(sizeHint());

    askFileName = [](QWidget* owner, const QString& filter, const QString&) {
        return QFileDialog::getSaveFileName(owner, QStringLiteral("Speichern unter"), QString(), filter);
    };
    openPrinter = [](QWidget*) {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        return printer;
    };
    tell = [this](const QString& text) { QMessageBox::warning(this, QStringLiteral("Kurvenwerk"), text); };
    connect(save, &QPushButton::clicked, this, [this] { savePdf(); });
    connect(printButton, &QPushButton::clicked, this, [this] { print(); });
    // Enter saves, or prints where that button has the focus; Esc closes.
    enterClicks({}, save);
    enterClicks({}, printButton);
    closeOnEscape(*this);

    // Ctrl+C: the whole discussion as text, whatever has the focus.
    auto* copy = new QAction(this);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WindowShortcut);
    addAction(copy);
    view_->setFocusPolicy(Qt::NoFocus);
    connect(copy, &QAction::triggered, this, [this] { QGuiApplication::clipboard()->setText(text()); });
}

void DiscussionWindow::present(const Discussion& d)
{
    discussion_ = d;
    view_->setHtml(discussionHtml(d));
}

QString DiscussionWindow::text() const { return QString::fromStdString(discussionText(discussion_)); }

void DiscussionWindow::savePdf()
{
    const QString file = askFileName(this, QStringLiteral("PDF-Dateien (*.pdf)"), QStringLiteral("pdf"));
    if (file.isEmpty())
        return;
    QString why;
    if (!writeWorksheet(file, discussion_, plane_, why))
        tell(QStringLiteral("Die Datei konnte nicht geschrieben werden: %1 (%2)").arg(file, why));
}

void DiscussionWindow::print()
{
    const auto printer = openPrinter(this);
    if (!printer)
        return;
    if (!paintWorksheet(*printer, discussion_, plane_))
        tell(QStringLiteral("Der Drucker konnte nicht gestartet werden."));
}

}  // namespace kw
