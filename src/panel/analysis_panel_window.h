#pragma once

#include <QMetaMethod>
#include <QWidget>

#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QVBoxLayout;
class QLineEdit;
class QPushButton;

namespace kw {

class Context;

// The analysis panel "Extras": switches for the curves laid over the graph,
// their colour and width lists, the tangent position with its step buttons,
// the section bounds and the buttons that open the other tools. It copies its
// texts into the shared state and calls the logic; it draws nothing itself.
class AnalysisPanelWindow : public QWidget {
    Q_OBJECT
public:
    explicit AnalysisPanelWindow(Context& c, QWidget* parent = nullptr);

    // Shows the field texts of the shared state.
    void loadFields();

signals:
    // An action is about to read the main panel's fields: store them first.
    void fieldsNeeded();
    // Closed by its window frame.
    void closed();

    // The tool buttons; their windows are opened elsewhere.
    void zerosClicked();
    void extremaClicked();
    void inflectionsClicked();
    void valueTableClicked();
    void intersectionsClicked();
    void integralClicked();
    void bridgeClicked();
    void calculatorClicked();
    void discussionClicked();

protected:
    void closeEvent(QCloseEvent* event) override;
    // A tool button is enabled once its signal is connected: its window exists.
    void connectNotify(const QMetaMethod& signal) override;

private:
    // Row builders of the constructor.
    QGridLayout* curveRows();
    void addTangentRows(QVBoxLayout* rows);
    QLabel* addSectionRows(QVBoxLayout* rows);
    QVBoxLayout* toolButtons();
    void paintList(QComboBox* box, int list);

    Context& c_;
    QCheckBox* curveChecks_[4];
    QCheckBox* tangentCheck_;
    QCheckBox* sectionCheck_;
    QCheckBox* keepCheck_;
    QComboBox* colourCombos_[4];
    QComboBox* widthCombos_[4];
    QLineEdit* x0_;
    QLineEdit* sectionFrom_;
    QLineEdit* sectionTo_;
    std::vector<std::pair<QMetaMethod, QPushButton*>> tools_;
};

}  // namespace kw
