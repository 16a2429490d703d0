#pragma once

// What a click on a link area of a previewed page does. A link "EXT:..." opens the rest
// with the desktop's program for it; "INT:..." goes only to the registered handlers;
// any other link goes to the handlers first and is opened with the desktop when none
// takes it. The program registers no handlers.

#include <QString>

#include <functional>

namespace reportengine {

using TVRHyperlinkHandler = std::function<void(const QString &rest)>;

// Handlers are tried in the order they were registered; the first whose prefix begins
// the link takes it, with the link after the prefix.
void RegisterHyperlinkHandler(const QString &prefix, TVRHyperlinkHandler handler);
void UnregisterHyperlinkHandlers();

void DispatchHyperlink(const QString &link);
bool HandleInternalLink(const QString &link);
// Opens the link through the desktop (never by starting a program named by it).
void OpenExternalLink(const QString &link);

} // namespace reportengine
