#include "app/application.h"

#include <new>

namespace kw {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc&) {
        // The memory the handler held is free again once it has unwound.
        if (!pending_ && lowMemory) {
            pending_ = true;
            QMetaObject::invokeMethod(
                this,
                [this] {
                    pending_ = false;
                    if (lowMemory)
                        lowMemory();
                },
                Qt::QueuedConnection);
        }
        return false;
    }
}

}  // namespace kw
