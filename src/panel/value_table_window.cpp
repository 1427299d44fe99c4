#include "panel/value_table_window.h"

#include <QAction>
#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QTreeWidget>

#include <algorithm>

#include "gui/tool_keys.h"
#include "analysis/value_table.h"
#include "gui/qt_ui.h"
#include "gui/widget_text.h"

namespace kw {

namespace {
// The widest header or cell of all tables: every column gets that width.
// Sizing each of up to thousands of columns on its own would take long, and
// columns of one width line up from table to table.
int columnWidth(const QFontMetrics& metrics, std::initializer_list<const ValueRow*> rows)
{
    int width = 0;
    for (const ValueRow* row : rows)
        for (std::size_t i = 0; i < row->xs.size(); ++i)
            width = std::max({width, metrics.horizontalAdvance(qs(columnHeader(row->xs[i]))),
                              metrics.horizontalAdvance(qs(row->cells[i]))});
    return width + 2 * metrics.averageCharWidth() + 8;
}

// A list view in report view with one row: a header per column, a cell per column.
void fillView(QTreeWidget* view, const ValueRow& row, int width)
{
    const int n = int(row.xs.size());
    if (n == 0) {
        view->setColumnCount(0);
        view->setHeaderHidden(true);
        return;
    }
    QStringList headers, cells;
    for (int i = 0; i < n; ++i) {
        headers << qs(columnHeader(row.xs[i]));
        cells << qs(row.cells[i]);
    }
    view->header()->setDefaultSectionSize(width);
    view->header()->setSectionResizeMode(QHeaderView::Interactive);
    view->header()->setStretchLastSection(false);
    // Filled before the view gets it: one update instead of one per column.
    auto* header = new QTreeWidgetItem(headers);
    for (int i = 0; i < n; ++i)
        header->setData(i, Qt::UserRole, QStringLiteral("COL%1").arg(row.xs[i]));
    view->setHeaderItem(header);
    view->header()->resizeSection(0, width);  // the view's first column predates the default
    view->addTopLevelItem(new QTreeWidgetItem(cells));
}

// One table for the clipboard: the headers after the side label, the cells
// below them, separated by tabs as a spreadsheet takes them.
QString tableText(const QString& side, const ValueRow& row)
{
    QString headers = side, cells;
    for (std::size_t i = 0; i < row.xs.size(); ++i) {
        headers += QLatin1Char('\t') + qs(columnHeader(row.xs[i]));
        cells += QLatin1Char('\t') + qs(row.cells[i]);
    }
    return headers + QLatin1Char('\n') + cells + QLatin1Char('\n');
}

}  // namespace

ValueTableWindow::ValueTableWindow(const ValueTable& table, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("WerteTabelle"));
    setWindowTitle(QStringLiteral("WerteTabelle"));
    setWindowFlag(Qt::Window);
    setAttribute(Qt::WA_DeleteOnClose);
    setProperty(kClosingKeepsSearch, true);  // a table may close while a search runs

    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(8);
    grid->setColumnStretch(1, 1);
    auto label = [this](const char* name, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    QFont bold = font();
    bold.setBold(true);

    const ValueRow* rows[4] = {&table.fNegative, &table.fPositive, &table.dNegative,
                               &table.dPositive};
    const char* headings[2] = {"Label1", "Label4"};
    const QString headingTexts[2] = {QStringLiteral("Wertetabelle von f(x)"),
                                     QStringLiteral("Wertetabelle von f'(x)")};
    const char* sideNames[4] = {"Label2", "Label3", "Label5", "Label6"};
    const int width = columnWidth(QFontMetrics(font()), {rows[0], rows[1], rows[2], rows[3]});
    int line = 0;
    for (int i = 0; i < 4; ++i) {
        if (i % 2 == 0) {
            QLabel* heading = label(headings[i / 2], headingTexts[i / 2]);
            heading->setFont(bold);
            if (i)
                grid->setRowMinimumHeight(line++, 8);
            grid->addWidget(heading, line++, 0, 1, 2);
        }
        const QString side =
            i % 2 ? QStringLiteral("positive x Werte:") : QStringLiteral("negative x Werte:");
        grid->addWidget(label(sideNames[i], side), line, 0, Qt::AlignTop);
        if (!rows[i]->xs.empty()) {
            if (i % 2 == 0 || rows[i - 1]->xs.empty())  // the heading once, over its first table
                copyText_ += headingTexts[i / 2] + QLatin1Char('\n');
            copyText_ += tableText(side, *rows[i]);
        }
        auto* view = new QTreeWidget(this);
        view->setObjectName(QStringLiteral("ListView%1").arg(i + 1));
        view->setRootIsDecorated(false);
        view->setUniformRowHeights(true);
        view->setSelectionMode(QAbstractItemView::NoSelection);
        view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        fillView(view, *rows[i], width);
        // Room for the header, the one row and the scroll bar.
        const int rowHeight = QFontMetrics(view->font()).height() + 8;
        view->setFixedHeight(view->header()->sizeHint().height() + rowHeight +
                             view->horizontalScrollBar()->sizeHint().height() +
                             2 * view->frameWidth());
        views_[i] = view;
        grid->addWidget(view, line++, 1);
    }
    grid->setRowStretch(line, 1);
    resize(760, sizeHint().height());

    auto* copy = new QAction(this);
    copy->setShortcut(QKeySequence::Copy);
    addAction(copy);
    connect(copy, &QAction::triggered, this,
            [this] { QGuiApplication::clipboard()->setText(copyText_); });
    closeOnEscape(*this);
}

}  // namespace kw
