#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QStringList>

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
