#include "app/qt_ui.h"

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>

#include "panel/analysis_panel_window.h"
#include "panel/main_panel_window.h"
#include "plane/drawing_window.h"

namespace kw {

namespace {
QString qs(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }
}  // namespace

void QtUi::attach(MainPanelWindow* panel, DrawingWindow* drawing)
{
    panel_ = panel;
    drawing_ = drawing;
}

void QtUi::attachAnalysisPanel(AnalysisPanelWindow* panel) { analysis_ = panel; }

void QtUi::message(std::string_view text, std::string_view title)
{
    QMessageBox box(QMessageBox::NoIcon, qs(title), qs(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

std::optional<std::string> QtUi::input(std::string_view prompt, std::string_view title,
                                       std::string_view initial)
{
    bool ok = false;
    QString answer = QInputDialog::getText(QApplication::activeWindow(), qs(title), qs(prompt),
                                           QLineEdit::Normal, qs(initial), &ok);
    if (!ok)
        return std::nullopt;
    return answer.toStdString();
}

void QtUi::setProgressMaximum(double maximum)
{
    if (panel_)
        panel_->setProgressMaximum(maximum);
}

void QtUi::setProgressValue(double value)
{
    if (panel_)
        panel_->setProgressValue(value);
}

void QtUi::setStatus(int panel, std::string_view text)
{
    if (panel_)
        panel_->setStatus(panel, qs(text));
}

void QtUi::planeChanged()
{
    if (drawing_)
        drawing_->planeChanged();
}

void QtUi::fieldsChanged()
{
    if (panel_)
        panel_->loadFields();
    if (analysis_)
        analysis_->loadFields();
}

}  // namespace kw
