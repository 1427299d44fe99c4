#include "gui/tool_keys.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace kw {

namespace {
// Esc that no control of the window took (an open list closes itself first)
// reaches the window and closes it.
class EscapeCloses : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* target, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
            static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier) {
            static_cast<QWidget*>(target)->close();
            return true;
        }
        return false;
    }
};
// Enter on a control that has no Enter of its own (a slider, say) clicks the action.
class EnterClicks : public QObject {
public:
    EnterClicks(QObject* parent, QAbstractButton* action) : QObject(parent), action_(action) {}

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        action_->click();
        return true;
    }

private:
    QAbstractButton* action_;
};
}  // namespace

void closeOnEscape(QWidget& window) { window.installEventFilter(new EscapeCloses(&window)); }

void enterClicks(std::initializer_list<QWidget*> fields, QAbstractButton* action)
{
    if (!action)
        return;
    // A push button outside a dialog ignores Enter unless told otherwise.
    if (auto* push = qobject_cast<QPushButton*>(action))
        push->setAutoDefault(true);
    for (QWidget* field : fields) {
        auto* edit = qobject_cast<QLineEdit*>(field);
        if (auto* box = qobject_cast<QComboBox*>(field))
            edit = box->lineEdit();
        if (edit)
            QObject::connect(edit, &QLineEdit::returnPressed, action, &QAbstractButton::click);
        else if (field)
            field->installEventFilter(new EnterClicks(field, action));
    }
}

void tabOrder(std::initializer_list<QWidget*> widgets)
{
    QWidget* before = nullptr;
    for (QWidget* w : widgets) {
        if (before)
            QWidget::setTabOrder(before, w);
        before = w;
    }
}

}  // namespace kw
