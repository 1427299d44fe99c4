#include "gui/qt_ui.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

#include "gui/widget_text.h"


namespace kw {

namespace {
// Input to any window during a search: Esc asks to stop, everything else is
// swallowed, so that no second search (or a redraw) starts meanwhile.
class SearchFilter : public QObject {
public:
    SearchFilter(bool& stop, std::function<void()> keyTyped)
        : stop_(stop), keyTyped_(std::move(keyTyped))
    {
    }

protected:
    bool eventFilter(QObject* target, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
            if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
                stop_ = true;
            else if (keyTyped_)
                keyTyped_();  // not lost without a word
            return true;
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::Drop:
            return true;
        case QEvent::Close: {
            // A closed panel ends the search; a value table may close in peace.
            auto* widget = qobject_cast<QWidget*>(target);
            if (widget && widget->isWindow() && !widget->property(kClosingKeepsSearch).toBool())
                stop_ = true;
            return false;
        }
        default:
            return false;
        }
    }

private:
    bool& stop_;
    std::function<void()> keyTyped_;
};

constexpr int kPollMilliseconds = 50;

// Right of `window`, or left of it where the screen ends, top edges level;
// always within `area` (when there is one).
QPoint besidePlace(const QRect& window, const QSize& size, const QRect& area)
{
    constexpr int kGap = 8;
    int x = window.right() + 1 + kGap;
    if (area.isValid() && x + size.width() > area.right() + 1)
        x = window.left() - kGap - size.width();
    int y = window.top();
    if (area.isValid()) {
        x = std::clamp(x, area.left(), std::max(area.left(), area.right() + 1 - size.width()));
        y = std::clamp(y, area.top(), std::max(area.top(), area.bottom() + 1 - size.height()));
    }
    return {x, y};
}

// Longer messages scroll.
constexpr int kLongMessageLines = 30;

}  // namespace

QtUi::QtUi() = default;

QtUi::~QtUi()
{
    if (searchFilter_)
        qApp->removeEventFilter(searchFilter_.get());
}

void QtUi::message(std::string_view text, std::string_view title)
{
    const QString shown = qsLines(text);
    if (shown.count(QLatin1Char('\n')) < kLongMessageLines) {
        QMessageBox box(QMessageBox::NoIcon, qs(title), shown, QMessageBox::Ok,
                        QApplication::activeWindow());
        // Results can be copied into a worksheet.
        box.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        box.exec();
        return;
    }
    // A long list (hundreds of zeros of a fast oscillation) would push a
    // message box's OK button off the screen: it scrolls instead.
    QDialog box(QApplication::activeWindow());
    box.setObjectName(QStringLiteral("LangeMeldung"));
    box.setWindowTitle(qs(title));
    auto* layout = new QVBoxLayout(&box);
    auto* view = new QPlainTextEdit(shown, &box);
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    const QFontMetrics metrics(view->font());
    int width = 0;
    for (const QString& line : shown.split(QLatin1Char('\n')))
        width = std::max(width, metrics.horizontalAdvance(line));
    view->setMinimumWidth(std::min(width + 40, 900));
    view->setMinimumHeight(metrics.lineSpacing() * kLongMessageLines);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, &box);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
    layout->addWidget(view);
    layout->addWidget(buttons);
    buttons->button(QDialogButtonBox::Ok)->setFocus();
    box.exec();
}

std::optional<std::string> QtUi::input(std::string_view prompt, std::string_view title,
                                       std::string_view initial)
{
    QInputDialog box(QApplication::activeWindow());
    box.setObjectName(QStringLiteral("Eingabefeld"));
    box.setWindowTitle(qs(title));
    box.setLabelText(qs(prompt));
    box.setTextValue(qs(initial));
    // German buttons, whether or not Qt's own translations are loaded.
    box.setOkButtonText(QStringLiteral("OK"));
    box.setCancelButtonText(QStringLiteral("Abbrechen"));
    if (questionsBeside_ && questionsBeside_->isVisible()) {
        box.adjustSize();
        box.move(besidePlace(questionsBeside_->frameGeometry(), box.frameGeometry().size(),
                             screenArea(*questionsBeside_)));
    }
    if (box.exec() != QDialog::Accepted)
        return std::nullopt;
    return str(box.textValue());
}

void QtUi::setProgressMaximum(double maximum) { emit progressMaximumChanged(maximum); }

void QtUi::setProgressValue(double value) { emit progressValueChanged(value); }

void QtUi::setStatus(int panel, std::string_view text) { emit statusChanged(panel, qs(text)); }

void QtUi::planeChanged() { emit planeUpdated(); }

void QtUi::fieldsChanged() { emit fieldsUpdated(); }

void QtUi::searchStarted()
{
    if (searches_++ > 0)
        return;
    stop_ = false;
    polled_.invalidate();
    keysHinted_ = false;
    searchFilter_ = std::make_unique<SearchFilter>(stop_, [this] {
        if (!keysHinted_)
            setStatus(kSearchHintPanel, kSearchKeysHint);
        keysHinted_ = true;
    });
    qApp->installEventFilter(searchFilter_.get());
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtUi::searchEnded()
{
    if (searches_ == 0 || --searches_ > 0)
        return;
    qApp->removeEventFilter(searchFilter_.get());
    searchFilter_.reset();
    if (keysHinted_)
        setStatus(kSearchHintPanel, "");
    QApplication::restoreOverrideCursor();
}

QRect QtUi::screenArea(const QWidget& window) const
{
    const QScreen* screen = window.screen();
    return screen ? screen->availableGeometry() : QRect();
}

bool QtUi::stopRequested()
{
    if (!polled_.isValid() || polled_.elapsed() >= kPollMilliseconds) {
        QCoreApplication::processEvents();
        polled_.restart();
    }
    return stop_;
}

}  // namespace kw
