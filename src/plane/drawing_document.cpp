#include "plane/drawing_document.h"

#include <QAction>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QWidget>

#include <memory>

#include "core/context.h"
#include "gui/drawing_file.h"
#include "scene/redraw.h"

namespace kw {

namespace {

const QString kRecentKey = QStringLiteral("recentFiles");

std::unique_ptr<QSettings> settings(const QString& file)
{
    return file.isEmpty() ? std::make_unique<QSettings>()
                          : std::make_unique<QSettings>(file, QSettings::IniFormat);
}

}  // namespace

QString askOpenFileName(QWidget* parent, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Öffnen"), QString(), filter);
}

SaveChanges askSaveChanges(QWidget* parent, const QString& name)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Kurvenwerk"),
                    QStringLiteral("Die Zeichnung ") + quoted(name) +
                        QStringLiteral(" wurde geändert. Änderungen speichern?"),
                    QMessageBox::NoButton, parent);
    QPushButton* save = box.addButton(QStringLiteral("Speichern"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QStringLiteral("Verwerfen"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save)
        return SaveChanges::Save;
    return box.clickedButton() == discard ? SaveChanges::Discard : SaveChanges::Cancel;
}

DrawingDocument::DrawingDocument(Context& c, QWidget& window, QMenu& menu, QString settingsFile)
    : QObject(&window),
      c_(c),
      window_(window),
      settingsFile_(std::move(settingsFile)),
      askOpen_(askOpenFileName),
      askChanges_(askSaveChanges)
{
    auto add = [&menu](const QString& text, const char* name, QKeySequence keys) {
        QAction* a = menu.addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        a->setShortcut(keys);
        return a;
    };
    open_ = add(QStringLiteral("Öffnen…"), "Datei_Oeffnen", QKeySequence(Qt::CTRL | Qt::Key_O));
    save_ = add(QStringLiteral("Speichern"), "Datei_Speichern", QKeySequence(Qt::CTRL | Qt::Key_S));
    saveAs_ = add(QStringLiteral("Speichern unter…"), "Datei_Speichern_unter",
                  QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    recent_ = menu.addMenu(QStringLiteral("Zuletzt geöffnet"));
    recent_->setObjectName(QStringLiteral("Zuletzt_geoeffnet"));
    connect(open_, &QAction::triggered, this, &DrawingDocument::openAsked);
    connect(save_, &QAction::triggered, this, &DrawingDocument::save);
    connect(saveAs_, &QAction::triggered, this, &DrawingDocument::saveAs);
    fillRecentMenu();
    saved_ = drawingOf(c_);
}

void DrawingDocument::gather()
{
    if (collect)
        collect();
}

bool DrawingDocument::changed() const { return !file_.isEmpty() && drawingOf(c_) != saved_; }

QString DrawingDocument::title() const
{
    if (file_.isEmpty())
        return QStringLiteral("Ebene");
    return QStringLiteral("Ebene – ") + QFileInfo(file_).fileName() +
           (changed() ? QStringLiteral("*") : QString());
}

void DrawingDocument::refreshTitle() { window_.setWindowTitle(title()); }

bool DrawingDocument::openAsked()
{
    const QString file = askOpen_(&window_, QString::fromUtf8(kDrawingFilter));
    return !file.isEmpty() && open(file);
}

bool DrawingDocument::open(const QString& file)
{
    // A file that cannot be opened needs no question about the drawing it
    // would have replaced.
    const DrawingRead read = readDrawingFile(file);
    if (!read.drawing) {
        c_.ui.message(read.error);
        return false;
    }
    if (!mayLeave())
        return false;
    setDrawing(c_, *read.drawing);
    drawOpened(c_);
    if (show)
        show();
    file_ = file;
    saved_ = drawingOf(c_);
    remember(file);
    refreshTitle();
    return true;
}

bool DrawingDocument::save() { return file_.isEmpty() ? saveAs() : writeTo(file_); }

bool DrawingDocument::saveAs()
{
    QString file = askSave_(&window_, QString::fromUtf8(kDrawingFilter),
                            QString::fromLatin1(kDrawingSuffix));
    if (file.isEmpty())
        return false;
    if (!isDrawingFile(file))
        file += QStringLiteral(".") + QString::fromLatin1(kDrawingSuffix);
    return writeTo(file);
}

bool DrawingDocument::writeTo(const QString& file)
{
    gather();
    QString why;
    if (!writeDrawingFile(drawingOf(c_), file, why)) {
        c_.ui.message("Die Zeichnung konnte nicht gespeichert werden: " + file.toStdString() +
                      " (" + why.toStdString() + ").");
        refreshTitle();
        return false;
    }
    file_ = file;
    saved_ = drawingOf(c_);
    remember(file);
    refreshTitle();
    return true;
}

bool DrawingDocument::mayLeave()
{
    gather();
    refreshTitle();
    if (!changed())
        return true;
    switch (askChanges_(&window_, QFileInfo(file_).fileName())) {
    case SaveChanges::Save:
        return save();
    case SaveChanges::Discard:
        saved_ = drawingOf(c_);  // let go: not asked again on the way out
        return true;
    case SaveChanges::Cancel:
        break;
    }
    return false;
}

QStringList DrawingDocument::recentFiles() const
{
    return settings(settingsFile_)->value(kRecentKey).toStringList();
}

void DrawingDocument::remember(const QString& file)
{
    QStringList files = recentFiles();
    const QString path = QFileInfo(file).absoluteFilePath();
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > kRecentMax)
        files.removeLast();
    settings(settingsFile_)->setValue(kRecentKey, files);
    fillRecentMenu();
}

void DrawingDocument::fillRecentMenu()
{
    // An entry may be the one whose click runs this: deleted once it returned.
    for (QAction* a : recent_->actions()) {
        recent_->removeAction(a);
        a->deleteLater();
    }
    const QStringList files = recentFiles();
    for (int i = 0; i < files.size(); ++i) {
        QAction* a = recent_->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(
            QFileInfo(files[i]).fileName()));
        a->setToolTip(files[i]);
        connect(a, &QAction::triggered, this, [this, file = files[i]] { open(file); });
    }
    recent_->setEnabled(!files.isEmpty());
}

}  // namespace kw
