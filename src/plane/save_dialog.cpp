#include "plane/save_dialog.h"

#include <QFileDialog>
#include <QRegularExpression>

namespace kw {

QString askSaveFileName(QWidget* parent, const QString& filter, const QString& suffix)
{
    QFileDialog dialog(parent, QStringLiteral("Speichern unter"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(filter);
    dialog.setDefaultSuffix(suffix);
    // A name typed without extension gets the one of the chosen file type.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& f) {
        static const QRegularExpression firstPattern(QStringLiteral("\\*\\.(\\w+)"));
        const QRegularExpressionMatch m = firstPattern.match(f);
        if (m.hasMatch())
            dialog.setDefaultSuffix(m.captured(1));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

}  // namespace kw
