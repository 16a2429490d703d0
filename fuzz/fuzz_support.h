#pragma once

// What the file readers' targets share: the input taken as a file's lines the way the
// readers read a file, the bytes a writer would put on disk read back the same way, and
// the test of texts that come back unchanged after a rewrite. Nothing touches the disk, so
// a target runs as fast as its parse step.

#include "storage/text_xml.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>

namespace fuzzsupport {

inline QByteArray Bytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
}

// The lines a reader gets from a file holding the input.
inline QStringList Lines(const uint8_t *data, size_t size, bool cut)
{
    return storage::TextXmlLinesFromBytes(Bytes(data, size), cut);
}

// The lines a reader gets from the file the shared writing procedure writes.
inline QStringList WrittenLines(const QStringList &linesAfterDeclaration, bool cut)
{
    return storage::TextXmlLinesFromBytes(storage::TextXmlFileBytes(linesAfterDeclaration), cut);
}

// Whether a text read from a file comes back unchanged after a write and a second read: no
// markup, no line breaks, and no "=", which could end a value with what reads as the next
// attribute's name.
inline bool Clean(const QString &s)
{
    for (QChar c : s)
        if (c == '<' || c == '>' || c == '&' || c == '"' || c == '=' || c == '\n' || c == '\r')
            return false;
    return true;
}

} // namespace fuzzsupport
