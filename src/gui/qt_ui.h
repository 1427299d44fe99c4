#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <QRect>
#include <QString>

#include <memory>
#include <string_view>

#include "core/ui.h"

class QWidget;

namespace kw {

// A window with this property set to true may close while a search runs
// without stopping it (value tables); closing any other window stops it.
inline constexpr char kClosingKeepsSearch[] = "kwClosingKeepsSearch";

// Shown in status panel 2 when keys are typed during a search, which takes
// no input but Esc.
inline constexpr std::string_view kSearchKeysHint = "Suche läuft … mit Esc abbrechen";
inline constexpr int kSearchHintPanel = 2;

// The UI services on real windows: message boxes and input boxes itself; the
// progress and status bars, the plane and the fields through signals that the
// windows connect to.
class QtUi : public QObject, public Ui {
    Q_OBJECT
public:
    QtUi();
    ~QtUi() override;

    void message(std::string_view text, std::string_view title) override;
    using Ui::message;
    std::optional<std::string> input(std::string_view prompt, std::string_view title,
                                     std::string_view initial) override;
    void setProgressMaximum(double maximum) override;
    void setProgressValue(double value) override;
    void setStatus(int panel, std::string_view text) override;
    void planeChanged() override;
    void fieldsChanged() override;

    // While a search runs, the program's windows take no input but Esc, which
    // stops it, as does closing one of the panels. Events are handled every
    // 50 ms or so, enough to repaint the progress bar and to notice Esc.
    void searchStarted() override;
    void searchEnded() override;
    bool stopRequested() override;
    bool searching() const { return searches_ > 0; }

    // Input boxes open beside this window (the main panel), each at the same
    // place, whichever window is active; without one they centre as usual.
    void setQuestionsBeside(QWidget* window) { questionsBeside_ = window; }

    // The part of the screen that windows may cover (without task bars), on the
    // screen where `window` lies; empty when there is none.
    virtual QRect screenArea(const QWidget& window) const;

signals:
    void progressMaximumChanged(double maximum);
    void progressValueChanged(double value);
    void statusChanged(int panel, const QString& text);
    void planeUpdated();
    void fieldsUpdated();

private:
    std::unique_ptr<QObject> searchFilter_;
    int searches_ = 0;
    bool stop_ = false;
    QElapsedTimer polled_;
    QPointer<QWidget> questionsBeside_;
    bool keysHinted_ = false;  // kSearchKeysHint is shown
};

}  // namespace kw
