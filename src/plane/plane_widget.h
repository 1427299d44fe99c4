#pragma once

#include <QWidget>

namespace kw {

class Plane;

// Shows the plane at its pixel size; paints only the part that is exposed.
class PlaneWidget : public QWidget {
    Q_OBJECT
public:
    explicit PlaneWidget(const Plane& plane, QWidget* parent = nullptr);

    // Takes over the plane's current size and repaints.
    void refresh();

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const Plane& plane_;
};

}  // namespace kw
