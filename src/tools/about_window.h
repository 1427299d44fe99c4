#pragma once

#include <QDialog>

namespace kw {

class Ui;

// The about window "Info zu Kurvenwerk": icon, title, version, the two texts,
// OK and "&Systeminfo...".
class AboutWindow : public QDialog {
    Q_OBJECT
public:
    explicit AboutWindow(Ui& ui, QWidget* parent = nullptr);

private:
    void StartSysInfo();

    Ui& ui_;
};

}  // namespace kw
