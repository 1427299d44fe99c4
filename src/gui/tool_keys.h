#pragma once

#include <initializer_list>

class QAbstractButton;
class QWidget;

namespace kw {

// Esc closes a tool window (never a panel or the drawing window, which do not
// call this). During a search Esc stops the search instead.
void closeOnEscape(QWidget& window);

// Enter in any of `fields` (line edits, editable combo boxes, or any other
// control such as a slider), or on `action` itself, clicks `action`, the
// button that belongs to them.
void enterClicks(std::initializer_list<QWidget*> fields, QAbstractButton* action);

// Tab visits `widgets` in this order.
void tabOrder(std::initializer_list<QWidget*> widgets);

}  // namespace kw
