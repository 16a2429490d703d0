#pragma once

#include "storage/storage_result.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace storage {

// The declaration line every written file begins with.
QString XmlDeclaration();

// Substring tests where an empty needle never matches (QString::contains("") would).
bool ContainsText(const QString &haystack, const QString &needle);
qsizetype PositionOf(const QString &needle, const QString &haystack); // 0-based, -1 when absent or empty

// Value of the first attribute whose key (for example `nazwa="`) stands in Line: from the
// character after the quote that ends Key up to the next quote; empty when Key is absent.
// A value without its closing quote runs to the end of the line. "&quot;" reads back as a
// double quote, the one escape this program writes.
QString ReadAttributeValue(const QString &key, const QString &line);
// The same for the attribute called name (the key is name + "=\"") without building the
// key, which the readers ask for on every line.
QString ReadNamedAttribute(QLatin1String name, const QString &line);
// Its value as it stands in the line, "&quot;" not decoded; empty when it is absent.
QStringView RawNamedAttribute(QLatin1String name, QStringView line);
QStringView RawNamedAttribute(QStringView name, QStringView line);
// A value as it stands in a line, "&quot;" read back as a double quote.
QString DecodedAttributeText(QStringView raw);

// The text a data file can hold back unchanged: "</" would end a stored value early when
// it is read again, and a character outside Windows-1250 would come back as "?". When
// something is removed, warning (if given) gets the Polish text saying what, for the caller
// to show, so a name typed in another alphabet is not lost without a word.
QString StorableText(const QString &text, QString *warning = nullptr);

// Escapes an attribute value for writing: a double quote becomes "&quot;".
QString AttributeText(const QString &value);

// Text after the first ">", cut at the first "</" when there is one.
QString ReadElementText(const QString &line);

// Removes the opening tag "<Tag>" (attributes included) and everything from the first "</".
QString StripElementTags(const QString &line);

// Joins FirstLine and the lines after index with line breaks until the joined text holds
// "</". When the list ends first, the result is FirstLine alone and index stands on the
// last line.
QString JoinContinuationLines(const QStringList &lines, const QString &firstLine, int &index);

// Reads the file (program folder + relPath) and, on the first line holding tag, sets value
// to the text after tag up to the first "</" of that line. A missing file or an empty tag
// leaves value as it was.
void ReadFirstElementValue(const QString &relPath, const QString &tag, QString &value);
// The same on the file's lines.
void FirstElementValue(const QStringList &lines, const QString &tag, QString &value);

// The shared reading procedure: reads a stored path (relative to the program folder or
// absolute) into lines and, when cut is true, cuts indexes 2..Count-2 to begin at their
// first "<". Blank lines at the end are dropped. Throws platform::TarvelinError when the
// file cannot be opened.
QStringList ReadTextXmlLines(const QString &storedPath, bool cut = true);
// Same, but returns false (lines empty) when the file is missing instead of throwing.
bool ReadTextXmlLinesIfExists(const QString &storedPath, QStringList &lines, bool cut = true);
// Blank lines after the closing root line (an editor leaves them) are no part of the file:
// with them the closing line would be scanned as content. Every read drops them.
void DropTrailingBlankLines(QStringList &lines);
// The cutting step on its own.
void CutLines(QStringList &lines);
// The shared reading procedure on a file's bytes, for the parse steps of the readers: the
// lines a read of a file holding these bytes gives.
QStringList TextXmlLinesFromBytes(const QByteArray &bytes, bool cut = true);
// What the reading procedure does to the lines of a file once it is decoded.
void PrepareTextXmlLines(QStringList &lines, bool cut);

// The name of the element a line opens ("<czynfiz ver_pom=..." gives "czynfiz"); empty when
// the line opens none.
QString ElementName(const QString &line);
// Whether a file was written to its end: its last line (blank ones after it aside) closes
// the element the line after the declaration opens.
bool EndsWithRootClose(const QStringList &lines);

// Tests that end a block: the closing tag at the first position of the cut line.
inline bool StartsBlockClose(const QString &line, const QString &closingTag)
{
    return line.startsWith(closingTag);
}

// The shared writing procedure: declaration, then the given lines (root line, content,
// closing root line). Atomic; on failure "Błąd dostępu do pliku" naming the file, and the
// old file stays. A file a reader found damaged is refused (damaged_files.h).
StorageResult WriteTextXmlFile(const QString &storedPath, const QStringList &linesAfterDeclaration);
// The bytes it writes.
QByteArray TextXmlFileBytes(const QStringList &linesAfterDeclaration);

// One file of a save that replaces several: its stored path and its bytes.
struct StoredFileWrite
{
    QString storedPath;
    QByteArray bytes;
};
// The one way a data file is replaced, alone (WriteTextXmlFile) or with others: all of them
// whole, or none (platform::WriteFilesAtomically). A file a reader found damaged refuses the
// whole save before anything is written; a failed write names its file. What is kept of the
// files read (file_cache.h) is dropped.
StorageResult WriteStoredFiles(const std::vector<StoredFileWrite> &files);

// Plain decimal text (an optional minus and up to nine digits), read without the locale's
// conversion; false for anything else, which the conversions below then take in full.
bool PlainInt(QStringView text, int &value);

// An integer, plain or as the C locale reads it (blanks around it allowed); false when the
// text is none.
bool TryToInt(const QString &text, int &value);
// Strict number conversions with "." as separator. They throw TarvelinError with a clear
// text when the text is not a number (the conversion error of the run-time library).
int ToInt(const QString &text);
double ToDouble(const QString &text);
// Lenient ones for places that name a default.
int ToIntDef(const QString &text, int def);
double ToDoubleDef(const QString &text, double def);
bool TryToDouble(const QString &text, double &value);
// A number as the user types it: with a decimal comma ("87,5") it is taken as "87.5" - one
// comma, no point, and a number once the comma is a point. Any other text comes back as
// typed. What is stored and shown keeps the point.
QString NumberWithPoint(const QString &typed);
// Numbers as stored: "." separator, shortest text that reads back to the same value.
QString FloatToText(double value);

} // namespace storage
