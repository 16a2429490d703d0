#pragma once

// "czynniki_grupy.xml", the factor list of each group and the own-factor files, and the
// lookup of a factor's current form version.

#include "storage/factors.h"
#include "storage/storage_result.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace storage {

// Reads the factor groups (stored path of "czynniki_grupy.xml"). A missing file reads
// nothing, without a message.
TGrupaCzynnikList ReadFactorGroups(const QString &path);
// The same on the file's lines (cut).
TGrupaCzynnikList ParseFactorGroups(const QStringList &lines);

// Reads a factor list or an own-factor file. ident is the group key given to every
// factor. In the dust list (after a line holding "<pyly") currentOnly drops entries whose
// `aktualny` is not "1"; other lists take every entry. A missing file reads nothing. A
// file that is there but not whole (cut short, emptied, a number that is none, unreadable)
// is marked damaged, so the own-factor writer refuses it; with damage given, the factors
// read before the fault are returned and damage gets the message naming the file,
// otherwise TarvelinError is thrown with it.
TCzynnikList ReadFactorList(const QString &path, const QString &ident, bool currentOnly, QString *damage = nullptr);
// The same on the file's lines (cut); path names the file in messages. Whole: the line
// that closes the root element stands last.
TCzynnikList ParseFactorList(const QStringList &lines, const QString &path, const QString &ident, bool currentOnly,
                             QString *damage = nullptr);

// The lines of an own-factor file after the declaration; prefix is "czyn" + ident.
QStringList OwnFactorListLines(const QString &prefix, const std::vector<const TCzynnik *> &factors);
// Success, or the refusal of a list holding a text the file cannot hold as it is (a name
// with "</" or a line break, a character outside Windows-1250); the writer asks first.
StorageResult StorableOwnFactorList(const QString &path, const std::vector<const TCzynnik *> &factors);
// Writes an own-factor file. On failure "Błąd dostępu do pliku" naming it; the old file
// stays. A file found damaged is refused.
StorageResult WriteOwnFactorList(const QString &path, const QString &prefix,
                                 const std::vector<const TCzynnik *> &factors);
StorageResult WriteOwnFactorList(const QString &path, const QString &prefix, const TCzynnikList &factors);

enum class FormVersionLookup {
    Found,    // ver holds the factor's current form version
    NotFound, // the file names the factor nowhere; ver is left as it was
    FileError // the file could not be read; ver left as it was
};

// The current form version of factor id (decimal text) of group ident: from the list
// catalogueFolder + "czyn" + ident + ".xml", or "czyn" + ident + "Wl.xml" for own factors
// (id above 99999). The root's `ver_pom` answers for the whole group; else the first
// `<czynnik` whose `id` is id. Read line by line, so an own factor named with "&" does not
// spoil the lookup for its group. Callers pass the version stored with the factor in ver,
// which stays when the lists cannot answer.
FormVersionLookup ReadFactorFormVersion(const QString &catalogueFolder, const QString &ident, const QString &id,
                                        QString &ver);

// The lookup in the lines (cut) of the list at path, whose file name gives the root element.
FormVersionLookup FindFactorFormVersion(const QStringList &lines, const QString &path, const QString &id, QString &ver);

// Path of the list the lookup reads.
QString FactorFormVersionListPath(const QString &catalogueFolder, const QString &ident, const QString &id);

// The smallest own-factor number above every factor number in the lists given
// (OwnFactorIdBase + 1 when none is above it).
int NextOwnFactorId(const std::vector<const TCzynnik *> &allFactors);

} // namespace storage
