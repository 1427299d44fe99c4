#pragma once

#include <QMainWindow>

class QAction;
class QScrollArea;

namespace kw {

class Context;
class PlaneWidget;

// The drawing window "Ebene": the plane in a scrolling frame.
class DrawingWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit DrawingWindow(Context& c, QWidget* parent = nullptr);

    // The plane changed its size or content.
    void planeChanged();

    PlaneWidget* plane() const { return plane_; }

    // The menu entries, named after their controls. Entries whose tool is not
    // built yet stay disabled.
    struct Menu {
        QAction* groesse[8];      // "&300*300 Punkte" … "&2400*2400", item 4 checked
        QAction* ende;            // "&Ende"
        QAction* bereichDruck;    // "Angezeigten Bereich Drucken"
        QAction* ebeneDrucken;    // "gesammte Ebene Drucken"
        QAction* bildSpeichern;   // "Als Bild Speichern"
        QAction* eingabeSyntax;   // "Eingabe_Syntax"
        QAction* info;            // "Info"
    };
    const Menu& menu() const { return menu_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildMenu();
    void centre();

    Context& c_;
    QScrollArea* frame_;
    PlaneWidget* plane_;
    bool shown_ = false;
    Menu menu_{};
};

}  // namespace kw
