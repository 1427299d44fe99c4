#pragma once

#include <QMainWindow>

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

private:
    Context& c_;
    QScrollArea* frame_;
    PlaneWidget* plane_;
};

}  // namespace kw
