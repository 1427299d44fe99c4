#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

#include "core/document.h"
#include "plane/save_dialog.h"

class QAction;
class QMenu;
class QWidget;

namespace kw {

class Context;

// The answer to "Änderungen speichern?".
enum class SaveChanges { Save, Discard, Cancel };

// The drawing window's file: which file the drawing belongs to, whether it
// changed since it was saved or opened, the menu "Datei" and its dialogs. The
// windows tell it how to copy their fields into the shared state (`collect`)
// and how to show an opened drawing (`show`).
class DrawingDocument : public QObject {
    Q_OBJECT
public:
    // Dialogs that tests answer instead.
    using AskOpenName = std::function<QString(QWidget* parent, const QString& filter)>;
    using AskSaveChanges = std::function<SaveChanges(QWidget* parent, const QString& name)>;

    static constexpr int kRecentMax = 8;

    // Builds the menu "Datei" into `menu`. Recent files are kept in the
    // program's settings, or in `settingsFile` when one is given.
    DrawingDocument(Context& c, QWidget& window, QMenu& menu, QString settingsFile = {});

    std::function<void()> collect;  // the windows' fields into the state
    std::function<void()> show;     // after opening: the windows show the state

    // "Öffnen…", "Speichern", "Speichern unter…".
    bool openAsked();
    bool save();
    bool saveAs();
    // Opens a file, after the question about unsaved changes; a file that
    // cannot be read leaves the drawing as it was and says why.
    bool open(const QString& file);
    // The question before the drawing goes away (closing, opening another):
    // false when the user cancelled or saving failed.
    bool mayLeave();

    QString file() const { return file_; }
    bool changed() const;
    QStringList recentFiles() const;
    // The title of the drawing window: "Ebene", with the file's name, "*" while changed.
    QString title() const;
    // Shows the title anew (after anything that may have changed the drawing).
    void refreshTitle();

    void setAskOpenName(AskOpenName ask) { askOpen_ = std::move(ask); }
    void setAskSaveName(AskFileName ask) { askSave_ = std::move(ask); }
    void setAskSaveChanges(AskSaveChanges ask) { askChanges_ = std::move(ask); }

    QAction* openAction() const { return open_; }
    QAction* saveAction() const { return save_; }
    QAction* saveAsAction() const { return saveAs_; }
    QMenu* recentMenu() const { return recent_; }

private:
    bool writeTo(const QString& file);
    void remember(const QString& file);
    void fillRecentMenu();
    void gather();

    Context& c_;
    QWidget& window_;
    QString settingsFile_;
    QString file_;
    DrawingParts saved_;
    QAction* open_;
    QAction* save_;
    QAction* saveAs_;
    QMenu* recent_;
    AskOpenName askOpen_;
    AskFileName askSave_ = askSaveFileName;
    AskSaveChanges askChanges_;
};

// The real dialogs.
QString askOpenFileName(QWidget* parent, const QString& filter);
SaveChanges askSaveChanges(QWidget* parent, const QString& name);

}  // namespace kw
