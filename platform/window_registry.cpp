#include "platform/window_registry.h"

#include <QList>

namespace platform {

namespace {

QList<QPointer<QWidget>> &windows()
{
    static QList<QPointer<QWidget>> list;
    return list;
}

} // namespace

void RegisterWindow(QWidget *window)
{
    if (window)
        windows().append(window);
}

void DestroyAllWindows()
{
    auto &list = windows();
    while (!list.isEmpty()) {
        QPointer<QWidget> w = list.takeLast();
        delete w.data();
    }
}

QList<QWidget *> RegisteredWindows()
{
    QList<QWidget *> out;
    for (const auto &w : windows()) {
        if (w)
            out.append(w.data());
    }
    return out;
}

} // namespace platform
