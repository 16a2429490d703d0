#include "storage/text_xml.h"

#include "platform/cp1250.h"
#include "platform/paths.h"
#include "platform/tarvelin_error.h"
#include "platform/text_file.h"
#include "storage/damaged_files.h"
#include "storage/file_cache.h"

#include <QLocale>
#include <cmath>

namespace storage {

QString XmlDeclaration()
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>");
}

bool ContainsText(const QString &haystack, const QString &needle)
{
    return !needle.isEmpty() && haystack.contains(needle);
}

qsizetype PositionOf(const QString &needle, const QString &haystack)
{
    return needle.isEmpty() ? -1 : haystack.indexOf(needle);
}

QString ReadAttributeValue(const QString &key, const QString &line)
{
    const qsizetype at = PositionOf(key, line);
    if (at < 0)
        return QString();
    const qsizetype quote = line.indexOf('"', at);
    if (quote < 0)
        return QString();
    const qsizetype start = quote + 1;
    const qsizetype end = line.indexOf('"', start);
    QString value = end < 0 ? line.mid(start) : line.mid(start, end - start);
    if (value.contains(QLatin1String("&quot;")))
        value.replace(QLatin1String("&quot;"), QLatin1String("\""));
    return value;
}

namespace {

template <typename Name>
QStringView rawNamedAttribute(Name name, QStringView line)
{
    if (name.isEmpty())
        return QStringView();
    // The first place where name is followed by =" is where the key name + "=\"" stands.
    const qsizetype n = line.size();
    for (qsizetype at = line.indexOf(name); at >= 0; at = line.indexOf(name, at + 1)) {
        const qsizetype after = at + name.size() + 1;
        if (after >= n || line[after - 1] != QLatin1Char('=') || line[after] != QLatin1Char('"'))
            continue;
        // The value begins after the first quote from the key on: a name holding a quote
        // (a field name can) begins it early, as the key search always has.
        const qsizetype quote = line.indexOf(QLatin1Char('"'), at);
        const qsizetype end = line.indexOf(QLatin1Char('"'), quote + 1);
        return end < 0 ? line.mid(quote + 1) : line.mid(quote + 1, end - quote - 1);
    }
    return QStringView();
}

} // namespace

QStringView RawNamedAttribute(QLatin1String name, QStringView line)
{
    return rawNamedAttribute(name, line);
}

QStringView RawNamedAttribute(QStringView name, QStringView line)
{
    return rawNamedAttribute(name, line);
}

QString DecodedAttributeText(QStringView raw)
{
    QString value = raw.toString();
    if (value.contains(QLatin1String("&quot;")))
        value.replace(QLatin1String("&quot;"), QLatin1String("\""));
    return value;
}

QString ReadNamedAttribute(QLatin1String name, const QString &line)
{
    return DecodedAttributeText(RawNamedAttribute(name, line));
}

QString StorableText(const QString &text, QString *warning)
{
    QString clean = text;
    QStringList removed;
    if (clean.contains(QLatin1String("</"))) {
        clean.replace(QLatin1String("</"), QLatin1String("<"));
        removed << QStringLiteral("\"/\" po \"<\"");
    }
    if (!platform::FitsCp1250(clean)) {
        QString odd, kept;
        for (const QChar c : clean) {
            if (platform::FitsCp1250(QString(c)))
                kept += c;
            else if (!odd.contains(c))
                odd += c;
        }
        clean = kept;
        removed << odd;
    }
    if (warning) {
        *warning = removed.isEmpty() ? QString()
                                     : QStringLiteral("Usunięto znaki, których nie można zapisać w pliku danych: %1")
                                           .arg(removed.join(QStringLiteral(", ")));
    }
    return clean;
}

QString AttributeText(const QString &value)
{
    if (!value.contains('"'))
        return value;
    QString v = value;
    v.replace(QLatin1String("\""), QLatin1String("&quot;"));
    return v;
}

QString ReadElementText(const QString &line)
{
    const qsizetype gt = line.indexOf('>');
    QString rest = line.mid(gt + 1); // no ">" keeps the whole line
    const qsizetype close = rest.indexOf(QLatin1String("</"));
    if (close >= 0)
        rest.truncate(close);
    return rest;
}

QString StripElementTags(const QString &line)
{
    QString s = line;
    const qsizetype gt = s.indexOf('>');
    if (s.startsWith('<') && gt > 0) {
        const QString tag = s.mid(1, gt - 1);
        const QString open = '<' + tag + '>';
        const qsizetype at = s.indexOf(open);
        if (at >= 0)
            s.remove(at, open.size());
    }
    const qsizetype close = s.indexOf(QLatin1String("</"));
    if (close >= 0)
        s.truncate(close);
    return s;
}

QString JoinContinuationLines(const QStringList &lines, const QString &firstLine, int &index)
{
    static const QLatin1String close("</");
    if (firstLine.contains(close))
        return firstLine;
    // Only the line just reached can bring the closing tag, so each line is looked at once
    // and the text is joined when the value is known to close: a value that never closes
    // costs one pass over the rest of the file, not a pass per line.
    int last = index;
    do {
        if (last + 1 >= lines.size()) {
            // The value never closes: keep only its first line, stand on the last line.
            if (!lines.isEmpty())
                index = int(lines.size()) - 1;
            return firstLine;
        }
        ++last;
    } while (!lines[last].contains(close));
    qsizetype total = firstLine.size();
    for (int k = index + 1; k <= last; ++k)
        total += 1 + lines[k].size();
    QString joined;
    joined.reserve(total);
    joined += firstLine;
    for (int k = index + 1; k <= last; ++k) {
        joined += QLatin1Char('\n');
        joined += lines[k];
    }
    index = last;
    return joined;
}

void ReadFirstElementValue(const QString &relPath, const QString &tag, QString &value)
{
    if (tag.isEmpty())
        return;
    if (const auto lines = platform::ReadLinesCp1250(platform::ToFilePath(relPath)))
        FirstElementValue(*lines, tag, value);
}

void FirstElementValue(const QStringList &lines, const QString &tag, QString &value)
{
    if (tag.isEmpty())
        return;
    for (const QString &line : lines) {
        const qsizetype at = line.indexOf(tag);
        if (at < 0)
            continue;
        QString v = line.mid(at + tag.size());
        const qsizetype close = v.indexOf(QLatin1String("</"));
        if (close >= 0)
            v.truncate(close);
        value = v;
        return;
    }
}

void DropTrailingBlankLines(QStringList &lines)
{
    while (!lines.isEmpty() && lines.constLast().trimmed().isEmpty())
        lines.removeLast();
}

QString ElementName(const QString &line)
{
    const QString t = line.trimmed();
    if (!t.startsWith('<'))
        return QString();
    qsizetype end = 1;
    while (end < t.size() && !t[end].isSpace() && t[end] != '>' && t[end] != '"' && t[end] != '/')
        ++end;
    return t.mid(1, end - 1);
}

bool EndsWithRootClose(const QStringList &lines)
{
    int last = int(lines.size()) - 1;
    while (last >= 0 && lines[last].trimmed().isEmpty())
        --last;
    if (last < 2)
        return false;
    const QString root = ElementName(lines[1]);
    return !root.isEmpty() && lines[last].trimmed().startsWith(QLatin1String("</") + root);
}

void CutLines(QStringList &lines)
{
    for (qsizetype i = 2; i <= lines.size() - 2; ++i) {
        const qsizetype lt = lines[i].indexOf('<');
        if (lt > 0)
            lines[i].remove(0, lt);
    }
}

void PrepareTextXmlLines(QStringList &lines, bool cut)
{
    DropTrailingBlankLines(lines);
    if (cut)
        CutLines(lines);
}

QStringList TextXmlLinesFromBytes(const QByteArray &bytes, bool cut)
{
    QStringList lines = platform::DecodeLinesCp1250(bytes);
    PrepareTextXmlLines(lines, cut);
    return lines;
}

QStringList ReadTextXmlLines(const QString &storedPath, bool cut)
{
    QStringList lines = platform::ReadLinesCp1250OrThrow(platform::ToFilePath(storedPath));
    PrepareTextXmlLines(lines, cut);
    return lines;
}

bool ReadTextXmlLinesIfExists(const QString &storedPath, QStringList &lines, bool cut)
{
    lines.clear();
    auto read = platform::ReadLinesCp1250(platform::ToFilePath(storedPath));
    if (!read)
        return false;
    lines = std::move(*read);
    PrepareTextXmlLines(lines, cut);
    return true;
}

namespace {

QStringList withDeclaration(const QStringList &linesAfterDeclaration)
{
    QStringList all;
    all.reserve(linesAfterDeclaration.size() + 1);
    all << XmlDeclaration();
    all << linesAfterDeclaration;
    return all;
}

} // namespace

StorageResult WriteTextXmlFile(const QString &storedPath, const QStringList &linesAfterDeclaration)
{
    return WriteStoredFiles({{storedPath, TextXmlFileBytes(linesAfterDeclaration)}});
}

StorageResult WriteStoredFiles(const std::vector<StoredFileWrite> &files)
{
    std::vector<platform::FileWrite> writes;
    writes.reserve(files.size());
    for (const StoredFileWrite &f : files) {
        if (StorageResult refused = RefuseDamagedFile(f.storedPath); !refused)
            return refused;
        writes.push_back({platform::ToFilePath(f.storedPath), f.bytes});
    }
    for (const StoredFileWrite &f : files)
        ForgetCachedFile(f.storedPath);
    QString failed;
    if (platform::WriteFilesAtomically(writes, &failed))
        return {};
    for (size_t i = 0; i < writes.size(); ++i)
        if (writes[i].filePath == failed)
            return StorageResult::FileAccessFailure(files[i].storedPath);
    return StorageResult::FileAccessFailure(failed);
}

QByteArray TextXmlFileBytes(const QStringList &linesAfterDeclaration)
{
    return platform::EncodeLinesCp1250(withDeclaration(linesAfterDeclaration));
}

namespace {

[[noreturn]] void throwNotNumber(const QString &text)
{
    throw platform::TarvelinError(QStringLiteral("'%1' nie jest poprawną liczbą").arg(text));
}

} // namespace

bool PlainInt(QStringView text, int &value)
{
    if (text.isEmpty() || text.size() > 10)
        return false;
    qsizetype i = 0;
    const bool negative = text[0].unicode() == u'-';
    if (negative && text.size() == 1)
        return false;
    if (negative)
        i = 1;
    if (text.size() - i > 9)
        return false;
    int v = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return false;
        v = v * 10 + (c - u'0');
    }
    value = negative ? -v : v;
    return true;
}

bool TryToInt(const QString &text, int &value)
{
    if (PlainInt(text, value))
        return true;
    bool ok = false;
    const int v = QLocale::c().toInt(text.trimmed(), &ok);
    if (ok)
        value = v;
    return ok;
}

int ToInt(const QString &text)
{
    int v = 0;
    if (!TryToInt(text, v))
        throwNotNumber(text);
    return v;
}

double ToDouble(const QString &text)
{
    double v = 0;
    if (!TryToDouble(text, v))
        throwNotNumber(text);
    return v;
}

int ToIntDef(const QString &text, int def)
{
    int v = 0;
    return TryToInt(text, v) ? v : def;
}

double ToDoubleDef(const QString &text, double def)
{
    double v = 0;
    return TryToDouble(text, v) ? v : def;
}

bool TryToDouble(const QString &text, double &value)
{
    bool ok = false;
    const double v = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(v))
        return false;
    value = v;
    return true;
}

QString NumberWithPoint(const QString &typed)
{
    if (typed.count(QLatin1Char(',')) != 1 || typed.contains(QLatin1Char('.')))
        return typed;
    QString withPoint = typed;
    withPoint.replace(QLatin1Char(','), QLatin1Char('.'));
    double v = 0;
    return TryToDouble(withPoint, v) ? withPoint : typed;
}

QString FloatToText(double value)
{
    return QString::number(value, 'g', 15);
}

} // namespace storage
