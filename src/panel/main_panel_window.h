#pragma once

#include <QMainWindow>
#include <QPoint>

#include <optional>

class QCheckBox;
class QComboBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace kw {

class Context;
class StatusPanel;

// The main panel "Kurvenwerk": term, range, quality, colour and width of the
// graph, and the buttons that draw. It copies its field texts into the shared
// state before every action and shows the state's texts after it.
class MainPanelWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainPanelWindow(Context& c, QWidget* parent = nullptr);

    // Shows the field texts of the shared state.
    void loadFields();
    // Copies the field texts into the shared state.
    void storeFields();

    // "Zeichnen": the fields into the shared state, then the term list and the redraw.
    void Zeichnen_button_Click();

    void setStatus(int panel, const QString& text);
    void setProgressMaximum(double maximum);
    void setProgressValue(double value);

signals:
    void drawn();          // "Zeichnen" has redrawn: show the drawing window
    void endRequested();   // "Ende"
    void backgroundDragged();  // dragged by its background and let go
    void analysisPanelToggled(bool show);  // "Extras": show or hide the analysis panel

protected:
    // A press on the panel's background drags the panel, as its title bar would.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Row builders of the constructor.
    QHBoxLayout* termRow();
    QHBoxLayout* rangeRow();
    QHBoxLayout* colourRow();
    QHBoxLayout* progressRow();

    Context& c_;
    QComboBox* input_;
    QLineEdit* from_;
    QLineEdit* to_;
    QLineEdit* quality_;
    QComboBox* colourCombo_;
    QComboBox* widthCombo_;
    QCheckBox* onTop_;
    QProgressBar* progress_;
    StatusPanel* status_[3];
    double progressMaximum_ = 0;
    int progressWanted_ = 0;  // the value to show once events are handled
    bool progressPending_ = false;
    std::optional<QPoint> dragFrom_;  // the pointer on the screen when the drag began
    QPoint dragStart_;                // and the panel's position then
};

}  // namespace kw
