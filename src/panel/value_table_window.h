#pragma once

#include <QWidget>

class QTreeWidget;

namespace kw {

struct ValueRow;
struct ValueTable;

// The window "WerteTabelle": f and f' at the integers of the range, each table
// one row under column headers 'x = 0', 'x = -1', …. It shows the values of the
// moment it was opened; every request opens another one, and it stays open when
// the program's other windows close. Ctrl+C copies all its tables as
// tab-separated text with their column headers.
class ValueTableWindow : public QWidget {
    Q_OBJECT
public:
    explicit ValueTableWindow(const ValueTable& table, QWidget* parent = nullptr);

    // ListView1 … ListView4, top to bottom.
    QTreeWidget* listView(int n) const { return views_[n - 1]; }

private:
    QTreeWidget* views_[4];
    QString copyText_;
};

}  // namespace kw
