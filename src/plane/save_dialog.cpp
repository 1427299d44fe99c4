#include "plane/save_dialog.h"

#include <QFileDialog>

namespace kw {

QString askSaveFileName(QWidget* parent, const QString& filter, const QString& suffix)
{
    QFileDialog dialog(parent, QStringLiteral("Speichern unter"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace kw
