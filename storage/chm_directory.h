#pragma once

// The directory of a compiled HTML Help file (".chm"): the names of the pages and of the
// help system's own files that it holds. The program's help reads it before it starts the
// help viewer, so that a missing, damaged or foreign help file, or one without the page of
// a topic, is reported in the program's words instead of the viewer's silence.
//
// Only the container is read (its header and the listing chunks, which are stored
// uncompressed); the compressed contents are left to the viewer.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace storage {

struct ChmEntry
{
    QString name;        // "/okno_glowne.html", "/#IVB", "::DataSpace/NameList", ...
    quint64 section = 0; // 0 stored as is, 1 compressed
    quint64 offset = 0;  // within its section
    quint64 length = 0;
};

struct ChmDirectory
{
    std::vector<ChmEntry> entries;
    bool Contains(const QString &name) const; // names compare without regard to case
    QStringList Names() const;
};

// The directory of the file's bytes; nothing when they are not a sound help file
// (wrong signature, a header or listing that points outside the file, a name that runs
// past its chunk). Never reads outside bytes.
std::optional<ChmDirectory> ParseChmDirectory(const QByteArray &bytes);

// The same for a file; nothing when it cannot be read or is not sound.
std::optional<ChmDirectory> ReadChmDirectory(const QString &filePath);

} // namespace storage
