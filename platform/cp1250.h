#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// Windows-1250 by a fixed table rather than ICU, so that every byte of the code page,
// the five undefined ones included, comes back unchanged after a read and a write.
QString DecodeCp1250(const QByteArray &bytes);
QByteArray EncodeCp1250(const QString &text);
// True when every character of text has a byte in the code page.
bool FitsCp1250(const QString &text);

} // namespace platform
