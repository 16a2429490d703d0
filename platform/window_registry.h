#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <utility>

namespace platform {

// Windows live from their first use until exit. Each is registered on creation, and at
// exit they are destroyed in reverse order of creation while the application object
// still exists, so that their destruction handlers (geometry saving) can run.
void RegisterWindow(QWidget *window);
void DestroyAllWindows();
// Windows registered so far, in their order: of creation, or the place reserved for them
// (destroyed ones skipped).
QList<QWidget *> RegisteredWindows();

// A window known by name before it exists: create makes it (and registers it, as the
// accessors below do) when it is first asked for by name. With KeepPlace it takes the
// place in the order of windows reserved for it now, so the windows are destroyed at exit
// in the same order whenever each was made; with PlaceWhenMade it goes after the windows
// made before it. The window's objectName must be name.
enum class WindowPlace { KeepPlace, PlaceWhenMade };
void RegisterWindowFactory(const QString &name, std::function<QWidget *()> create, WindowPlace place);
// The registered window of that name; one reserved and not made yet is made now. nullptr
// when neither.
QWidget *WindowByName(const QString &name);

// The accessor pattern every window singleton uses: created on first use (with args, what
// its maker hands it), registered, kept until exit.
template <typename T, typename... Args>
T *WindowSingleton(QPointer<T> &slot, Args &&...args)
{
    if (!slot) {
        slot = new T(std::forward<Args>(args)...);
        RegisterWindow(slot);
    }
    return slot.data();
}

} // namespace platform
