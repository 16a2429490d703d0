#include "appstate/view_registry.h"

#include <QHash>

namespace appstate {

namespace {

struct Entry
{
    ViewFactory factory;
    bool created = false;
};

QHash<QString, Entry> &registry()
{
    static QHash<QString, Entry> r;
    return r;
}

} // namespace

void RegisterView(const QString &name, ViewFactory factory)
{
    registry()[name] = Entry{std::move(factory), false};
}

void UnregisterView(const QString &name)
{
    registry().remove(name);
}

bool IsViewRegistered(const QString &name)
{
    return registry().contains(name);
}

QStringList RegisteredViewNames()
{
    QStringList names = registry().keys();
    names.sort();
    return names;
}

TView *GetView(const QString &name)
{
    auto it = registry().find(name);
    if (it == registry().end() || !it->factory)
        return nullptr;
    TView *view = it->factory();
    it = registry().find(name); // the factory may have registered other views
    if (it != registry().end() && view)
        it->created = true;
    return view;
}

namespace {
QHash<QString, CommandDialog> &dialogs()
{
    static QHash<QString, CommandDialog> d;
    return d;
}
} // namespace

void RegisterCommandDialog(const QString &name, CommandDialog run)
{
    dialogs()[name] = std::move(run);
}

void UnregisterCommandDialog(const QString &name)
{
    dialogs().remove(name);
}

bool RunCommandDialog(const QString &name, const TPrintSelection &selection)
{
    const auto it = dialogs().constFind(name);
    if (it == dialogs().constEnd() || !*it)
        return false;
    const CommandDialog run = *it; // a dialog may register others while it runs
    run(selection);
    return true;
}

TView *CreatedView(const QString &name)
{
    auto it = registry().find(name);
    if (it == registry().end() || !it->created)
        return nullptr;
    return it->factory();
}

} // namespace appstate
