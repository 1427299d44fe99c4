#include "gui/colour_box.h"

#include <QComboBox>
#include <QCompleter>

#include "core/colours.h"
#include "gui/widget_text.h"

namespace kw {

QComboBox* colourBox(const char* name, std::size_t rows)
{
    auto* box = named(new QComboBox, name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    for (std::size_t k = 0; k < rows; ++k)
        box->addItem(qs(kColours[k].name));
    box->setMinimumContentsLength(8);
    // Names count only as written ("grün" is no colour): no case-blind completion.
    box->completer()->setCaseSensitivity(Qt::CaseSensitive);
    return box;
}

void paintColourBox(QComboBox* box, Rgb colour)
{
    const QColor paint(red(colour), green(colour), blue(colour));
    const QColor ink = paint.lightnessF() < 0.45 ? Qt::white : Qt::black;
    QPalette p = box->palette();
    for (auto role : {QPalette::Base, QPalette::Button, QPalette::Window})
        p.setColor(role, paint);
    for (auto role : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText})
        p.setColor(role, ink);
    box->setPalette(p);
}

}  // namespace kw
