#pragma once

#include <QWidget>

#include <functional>
#include <memory>

#include "discussion/discussion.h"

class QPrinter;
class QPushButton;
class QTextBrowser;

namespace kw {

class Plane;

// The window "Kurvendiskussion": the discussion of the drawn term as
// formatted text, saved as an A4 worksheet ("Als PDF speichern") or printed
// ("Drucken"); Ctrl+C copies it as text. It shows what it is given; the
// program computes the discussion and hands it over.
class DiscussionWindow : public QWidget {
    Q_OBJECT
public:
    explicit DiscussionWindow(const Plane& plane, QWidget* parent = nullptr);

    // Shows this discussion.
    void present(const Discussion& d);
    const Discussion& discussion() const { return discussion_; }
    QString text() const;

    // Asks for the PDF file's name (empty: cancelled), and opens the printer
    // (nothing: cancelled). The program sets its own dialogs; tests answer.
    std::function<QString(QWidget*, const QString& filter, const QString& suffix)> askFileName;
    std::function<std::unique_ptr<QPrinter>(QWidget*)> openPrinter;
    // A message box for what went wrong.
    std::function<void(const QString&)> tell;

    QSize sizeHint() const override { return {560, 640}; }

    // "Als PDF speichern" and "Drucken".
    void savePdf();
    void print();

private:
    const Plane& plane_;
    Discussion discussion_;
    QTextBrowser* view_;
};

}  // namespace kw
