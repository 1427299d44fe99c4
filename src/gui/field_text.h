#pragma once

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QStringList>

#include <algorithm>
#include <string>
#include <vector>

#include "gui/widget_text.h"

namespace kw {

// Shows a text from the logic; a field that already shows it is left alone, so
// that its cursor stays where the user put it.
inline void setTextIfOther(QLineEdit* field, const std::string& text)
{
    if (field->text() != qs(text))
        field->setText(qs(text));
}

// A read-only field for a computed value. It shows the start of the value and
// grows to hold all of it (a long term up to a limit); the tool tip and Ctrl+C
// (without a selection) give the whole value.
class ResultField : public QLineEdit {
public:
    ResultField() { setReadOnly(true); }

    void showValue(const std::string& value)
    {
        const QString text = qs(value);
        if (text == this->text())
            return;
        setText(text);
        setToolTip(text);
        setCursorPosition(0);
        constexpr int kWidest = 360;
        const QFontMetrics metrics = fontMetrics();
        const int room = metrics.horizontalAdvance(text) + 2 * metrics.averageCharWidth() + 12;
        setMinimumWidth(std::clamp(room, minimumSizeHint().width(), kWidest));
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->matches(QKeySequence::Copy) && !hasSelectedText()) {
            QGuiApplication::clipboard()->setText(text());
            return;
        }
        QLineEdit::keyPressEvent(event);
    }
};

// A list with typed text: the entries (replaced only when they changed, so an
// open list stays as it is) and the text.
inline void setListAndText(QComboBox* box, const std::vector<std::string>& entries,
                           const std::string& text)
{
    QStringList list;
    for (const auto& entry : entries)
        list << qs(entry);
    QStringList shown;
    for (int i = 0; i < box->count(); ++i)
        shown << box->itemText(i);
    if (shown != list) {
        box->clear();
        box->addItems(list);
    }
    box->setEditText(qs(text));
}

}  // namespace kw
