#pragma once

#include <QApplication>

#include <functional>

namespace kw {

// The window program's application object. An event whose handler runs out of
// memory (a redraw whose display list cannot grow, say) would otherwise leave
// through Qt's event loop and abort the program: here it ends in `lowMemory`,
// run once the event is over.
class Application : public QApplication {
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // The way down after running out of memory (App sets the drawing window's).
    std::function<void()> lowMemory;

private:
    bool pending_ = false;  // lowMemory is on its way
};

}  // namespace kw
