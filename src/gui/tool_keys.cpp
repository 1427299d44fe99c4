#include "gui/tool_keys.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

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
}  // namespace

void closeOnEscape(QWidget& window) { window.installEventFilter(new EscapeCloses(&window)); }

void enterClicks(std::initializer_list<QWidget*> fields, QAbstractButton* action)
{
    for (QWidget* field : fields) {
        auto* edit = qobject_cast<QLineEdit*>(field);
        if (auto* box = qobject_cast<QComboBox*>(field))
            edit = box->lineEdit();
        if (edit && action)
            QObject::connect(edit, &QLineEdit::returnPressed, action, &QAbstractButton::click);
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
