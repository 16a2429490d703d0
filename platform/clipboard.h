#pragma once

#include <QString>

namespace platform {

// Plain-text clipboard; tests install an in-memory one.
class Clipboard
{
public:
    virtual ~Clipboard() = default;
    virtual QString Text() = 0;
    virtual void SetText(const QString &text) = 0;
};

Clipboard &CurrentClipboard();
Clipboard *SetClipboard(Clipboard *c); // not owned; nullptr restores the system one

} // namespace platform
