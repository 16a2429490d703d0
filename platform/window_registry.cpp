#include "platform/window_registry.h"

#include <QHash>
#include <QList>

namespace platform {

namespace {

struct Slot
{
    QPointer<QWidget> window;
    QString reservedFor; // empty: the window took its place when it was made
};

QList<Slot> &windows()
{
    static QList<Slot> list;
    return list;
}

QHash<QString, std::function<QWidget *()>> &factories()
{
    static QHash<QString, std::function<QWidget *()>> map;
    return map;
}

} // namespace

void RegisterWindow(QWidget *window)
{
    if (!window)
        return;
    for (Slot &s : windows()) {
        if (!s.window && !s.reservedFor.isEmpty() && s.reservedFor == window->objectName()) {
            s.window = window;
            return;
        }
    }
    windows().append(Slot{window, QString()});
}

void DestroyAllWindows()
{
    auto &list = windows();
    while (!list.isEmpty()) {
        QPointer<QWidget> w = list.takeLast().window;
        delete w.data();
    }
}

QList<QWidget *> RegisteredWindows()
{
    QList<QWidget *> out;
    for (const Slot &s : windows()) {
        if (s.window)
            out.append(s.window.data());
    }
    return out;
}

void RegisterWindowFactory(const QString &name, std::function<QWidget *()> create, WindowPlace place)
{
    factories().insert(name, std::move(create));
    if (place != WindowPlace::KeepPlace)
        return;
    for (const Slot &s : windows())
        if (s.reservedFor == name)
            return;
    windows().append(Slot{nullptr, name});
}

QWidget *WindowByName(const QString &name)
{
    for (const Slot &s : windows())
        if (s.window && s.window->objectName() == name)
            return s.window.data();
    const auto create = factories().value(name);
    return create ? create() : nullptr;
}

} // namespace platform
