#include "reportengine/vr_hyperlinks.h"

#include "platform/launcher.h"

#include <vector>

namespace reportengine {

namespace {

struct Entry
{
    QString Prefix;
    TVRHyperlinkHandler Handler;
};

std::vector<Entry> &Handlers()
{
    static std::vector<Entry> handlers;
    return handlers;
}

} // namespace

void RegisterHyperlinkHandler(const QString &prefix, TVRHyperlinkHandler handler)
{
    Handlers().push_back({prefix, std::move(handler)});
}

void UnregisterHyperlinkHandlers()
{
    Handlers().clear();
}

bool HandleInternalLink(const QString &link)
{
    for (const Entry &e : Handlers()) {
        if (link.startsWith(e.Prefix)) {
            if (e.Handler)
                e.Handler(link.mid(e.Prefix.size()));
            return true;
        }
    }
    return false;
}

void OpenExternalLink(const QString &link)
{
    if (!link.isEmpty())
        platform::CurrentLauncher().OpenWithDesktop(link);
}

void DispatchHyperlink(const QString &link)
{
    const QString prefix = link.left(4).toUpper();
    if (prefix == QLatin1String("EXT:")) {
        OpenExternalLink(link.mid(4));
    } else if (prefix == QLatin1String("INT:")) {
        HandleInternalLink(link.mid(4));
    } else if (!HandleInternalLink(link)) {
        OpenExternalLink(link);
    }
}

} // namespace reportengine
