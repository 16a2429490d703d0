#pragma once

#include "storage/storage_result.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <QVarLengthArray>
#include <vector>

namespace storage {

// The declaration line every written file begins with.
QString XmlDeclaration();

// Substring tests where an empty needle never matches (QString::contains("") would).
bool ContainsText(const QString &haystack, const QString &needle);
qsizetype PositionOf(const QString &needle, const QString &haystack); // 0-based, -1 when absent or empty

// The one attribute scanner of every reader: the opening tag of the element a text holds
// (from its first "<"), read as the files are written - the element name, then
// name="value" pairs one after another. An attribute is found only where one begins, after
// the element name or after the closing quote of the value before it, never by searching
// the text for its name: a value holding kat_dane=", id=, "</stanowisko>" or ">" reads
// back as the text it is. What stored files hold besides is read as it always was: blanks
// and line breaks around "=", a value in single quotes, a value without its closing quote
// (it runs to the end of the text), a value without quotes (up to a blank or ">"), a word
// without a value and a stray quote between attributes (both passed over), an element
// name followed straight by its value (`<idczynn="5">` holds idczynn). The first attribute
// of a name counts. The text must outlive the tag, which keeps views into it.
class ElementTag
{
public:
    explicit ElementTag(QStringView text);

    // "stanowisko" for `<stanowisko id="1">` and for `</stanowisko>`; empty when the text
    // holds no "<".
    QStringView Name() const { return m_name; }
    bool IsClosing() const { return m_closing; }
    // Whether the tag opens (closes) the element called name.
    template <typename N> bool Opens(N name) const { return !m_closing && !m_name.isEmpty() && m_name == name; }
    template <typename N> bool Closes(N name) const { return m_closing && !m_name.isEmpty() && m_name == name; }

    template <typename N> bool Has(N name) const { return find(name) >= 0; }
    // The value as it stands in the text, "&quot;" and "&amp;" not decoded; empty when the
    // tag has no such attribute.
    template <typename N> QStringView Raw(N name) const
    {
        const qsizetype i = find(name);
        return i < 0 ? QStringView() : m_attributes[i].raw;
    }
    // The value as it was stored (DecodedAttributeText).
    template <typename N> QString Value(N name) const { return DecodedAttributeText(Raw(name)); }

    // Whether a ">" ends the tag: a tag whose value runs on to the next line is still open.
    bool Closed() const { return m_closed; }
    // The text after the tag (after its ">"); all of it when there is no "<", nothing when
    // the tag is still open.
    QStringView After() const { return m_text.sliced(m_end); }
    // The element's text: what follows the tag up to the first "</" (ReadElementText, but
    // a ">" inside a value is no end of the tag).
    QString Text() const;

    // The text in a value's place: "&quot;" is a double quote and "&amp;" an ampersand, the
    // two escapes this program writes (AttributeText).
    static QString DecodedAttributeText(QStringView raw);

private:
    struct Attribute
    {
        QStringView name;
        QStringView raw;
    };
    template <typename N> qsizetype find(N name) const
    {
        for (qsizetype i = 0; i < m_attributes.size(); ++i)
            if (m_attributes[i].name == name)
                return i;
        return -1;
    }

    QStringView m_text;
    QStringView m_name;
    QVarLengthArray<Attribute, 24> m_attributes;
    qsizetype m_end = 0;
    bool m_closing = false;
    bool m_closed = false;
};

// Follows a tag written over several lines (a measurement's header, whose values may hold
// line breaks) to its end by the rules of ElementTag, each line looked at once.
class TagEndScan
{
public:
    // The next piece of the tag's text (the first one from the tag's "<" on); true once the
    // tag's ">" has been met.
    bool Feed(QStringView text);

private:
    enum class State { BeforeTag, Outside, AfterEquals, BareValue, QuotedValue, Closed };
    State m_state = State::BeforeTag;
    QChar m_quote;
};

// The value of the attribute Key names (the attribute name followed by "=\"", as in
// `nazwa="`) in the tag of Line, read by ElementTag; empty when it has none.
QString ReadAttributeValue(const QString &key, const QString &line);
// Where a writer puts a text; it decides what the text may hold and still read back as it
// is.
enum class TextPlace {
    Attribute,      // an attribute value on one line
    LinesAttribute, // an attribute value that may run over several lines (a measurement's header)
    LineText,       // an element's text on one line
    LinesText,      // an element's text that may run over several lines (a memo)
};
// What in text would not read back as it is from that place, in Polish words ("" when
// nothing): a line break on one line, "</" in an element's text (it ends the text), a CR
// (line breaks are kept as "\n"), a character outside Windows-1250 (it would come back as
// "?").
QString UnstorablePart(const QString &text, TextPlace place);
// The texts one save writes, each checked for its place: the save is refused, naming the
// file, the text and what it holds, before anything is written, so that nothing is ever
// stored other than as it was typed.
class StorableTexts
{
public:
    void Check(const QString &what, const QString &text, TextPlace place);
    bool Ok() const { return !m_refused; }
    // Success, or the refusal naming storedPath and the first text that cannot be stored.
    StorageResult Result(const QString &storedPath) const;

private:
    bool m_refused = false;
    QString m_what, m_text, m_part;
};

// The text a data file can hold back unchanged: "</" would end a stored value early when
// it is read again, and a character outside Windows-1250 would come back as "?". When
// something is removed, warning (if given) gets the Polish text saying what, for the caller
// to show, so a name typed in another alphabet is not lost without a word.
QString StorableText(const QString &text, QString *warning = nullptr);

// Escapes an attribute value for writing: a double quote becomes "&quot;", and an "&" that
// would be read as one of the two escapes ("&quot;", "&amp;") becomes "&amp;". Any other
// "&" stays as it is, as the files have always held it.
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

// The name of a stored path's file up to its first "." ("dokum\dane\x_lista.xml" -> "x_lista"):
// the root element of a file named after its kind.
QString StoredBaseName(const QString &storedPath);

// Whether a line holds nothing: blanks, and the NULs and Ctrl-Z a file may be padded with
// after its end.
bool IsBlankLine(QStringView line);
// The root line of a file's lines: the first line that is neither blank nor the
// declaration ("<?xml ...?>"); -1 when there is none.
int RootLineIndex(const QStringList &lines);
// What a file's lines are, by the one check every reader makes that a file was written to
// its end: the element the root line opens is closed by the last line that is not blank.
// Every shape a whole file written by this program or the earlier one has passes: blank
// lines after the declaration or after the closing line, LF, CR LF or CR CR LF line ends
// (the line reader takes each as one), a Ctrl-Z or NULs at the end. With expectedRoot
// given, a file whose root is another element is WrongRoot (a file of another kind, or of
// another document, under this name).
enum class FileShape {
    Whole,
    Empty,     // no root line
    WrongRoot, // the root is another element than expectedRoot
    Cut,       // the root is never closed (the file was cut short), or is no element
};
FileShape CheckWholeFile(const QStringList &lines, const QString &expectedRoot = QString());
// The root element's name ("" when there is no root line).
QString RootElementName(const QStringList &lines);
// Whether CheckWholeFile finds the file whole, whatever its root.
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
