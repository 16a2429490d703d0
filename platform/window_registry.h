#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

namespace platform {

// Windows live from their first use until exit. Each is registered on creation, and at
// exit they are destroyed in reverse order of creation while the application object
// still exists, so that their destruction handlers (geometry saving) can run.
void RegisterWindow(QWidget *window);
void DestroyAllWindows();
// Windows registered so far, in order of creation (destroyed ones skipped).
QList<QWidget *> RegisteredWindows();

// The accessor pattern every window singleton uses: created on first use, registered,
// kept until exit.
template <typename T>
T *WindowSingleton(QPointer<T> &slot)
{
    if (!slot) {
        slot = new T();
        RegisterWindow(slot);
    }
    return slot.data();
}

} // namespace platform
