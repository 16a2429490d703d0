#include "platform/clipboard.h"

#include <QClipboard>
#include <QGuiApplication>

namespace platform {

namespace {

class SystemClipboard : public Clipboard
{
public:
    QString Text() override
    {
        return qobject_cast<QGuiApplication *>(QCoreApplication::instance()) ? QGuiApplication::clipboard()->text()
                                                                               : m_fallback;
    }
    void SetText(const QString &text) override
    {
        if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
            QGuiApplication::clipboard()->setText(text);
        else
            m_fallback = text;
    }

private:
    QString m_fallback;
};

Clipboard *installed = nullptr;

} // namespace

Clipboard &CurrentClipboard()
{
    static SystemClipboard system;
    return installed ? *installed : system;
}

Clipboard *SetClipboard(Clipboard *c)
{
    Clipboard *old = installed;
    installed = c;
    return old;
}

} // namespace platform
