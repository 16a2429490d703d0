#pragma once

// What the document window tests share: the shipped folders and a definition field line.

#include <QString>

namespace documenttests {

inline const QString Forms = QStringLiteral("dokumenty\\frm\\");
inline const QString Attach = QStringLiteral("dokumenty\\zalaczn");
inline const QString Decl = QStringLiteral("<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\n");

// One field line of a document definition.
inline QString pole(const QString &nazwa, const QString &typ, int ile = 1, const QString &zal = QString())
{
    return QStringLiteral("    <pole nazwa=\"%1\" typ=\"%2\" druk=\"\" ppow=\"\" rozm=\"200\" szer=\"300\" wys=\"60\" "
                          "ile=\"%3\" etyk=\"%1\" zal=\"%4\"></pole>\n")
        .arg(nazwa, typ)
        .arg(ile)
        .arg(zal);
}

} // namespace documenttests
