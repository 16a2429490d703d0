#include "storage/text_xml.h"

#include "platform/cp1250.h"
#include "platform/paths.h"
#include "platform/tarvelin_error.h"
#include "platform/text_file.h"
#include "storage/damaged_files.h"
#include "storage/file_cache.h"
#include "storage/storage_errors.h"

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

namespace {

// What ends the element's name or an attribute's name.
bool endsName(QChar c)
{
    const char16_t u = c.unicode();
    return u == u'=' || u == u'>' || u == u'"' || u == u'\'' || u == u'/' || c.isSpace();
}

bool isQuote(QChar c)
{
    return c.unicode() == u'"' || c.unicode() == u'\'';
}

} // namespace

ElementTag::ElementTag(QStringView text) : m_text(text)
{
    const qsizetype n = text.size();
    qsizetype at = text.indexOf(u'<');
    if (at < 0)
        return; // no tag: After() is the whole text
    ++at;
    if (at < n && text[at].unicode() == u'/') {
        m_closing = true;
        ++at;
    }
    const qsizetype nameStart = at;
    while (at < n && !endsName(text[at]))
        ++at;
    m_name = text.sliced(nameStart, at - nameStart);
    // The element's name followed straight by "=" names a value too (`<idczynn="5">`).
    bool valueNext = at < n && text[at].unicode() == u'=';
    QStringView name = m_name;
    while (at < n) {
        if (!valueNext) {
            const QChar c = text[at];
            if (c.isSpace()) {
                ++at;
                continue;
            }
            if (c.unicode() == u'>') {
                m_end = at + 1;
                m_closed = true;
                return;
            }
            const qsizetype start = at;
            while (at < n && !endsName(text[at]))
                ++at;
            name = text.sliced(start, at - start);
            qsizetype look = at;
            while (look < n && text[look].isSpace())
                ++look;
            if (look < n && text[look].unicode() == u'=') {
                at = look;
                valueNext = true;
            } else {
                if (name.isEmpty())
                    ++at; // a stray quote or "/": passed over
                continue; // a word without a value
            }
        }
        // at stands on "=".
        valueNext = false;
        ++at;
        while (at < n && text[at].isSpace())
            ++at;
        QStringView raw;
        if (at < n && isQuote(text[at])) {
            const QChar quote = text[at];
            const qsizetype start = at + 1;
            const qsizetype close = text.indexOf(quote, start);
            raw = close < 0 ? text.sliced(start) : text.sliced(start, close - start);
            at = close < 0 ? n : close + 1;
        } else {
            const qsizetype start = at;
            while (at < n && text[at].unicode() != u'>' && !text[at].isSpace())
                ++at;
            raw = text.sliced(start, at - start);
        }
        if (!name.isEmpty() && find(name) < 0)
            m_attributes.append(Attribute{name, raw});
    }
    m_end = n; // still open
}

QString ElementTag::Text() const
{
    QStringView rest = After();
    const qsizetype close = rest.indexOf(u"</");
    return (close < 0 ? rest : rest.first(close)).toString();
}

QString ElementTag::DecodedAttributeText(QStringView raw)
{
    if (!raw.contains(u'&'))
        return raw.toString();
    QString value;
    value.reserve(raw.size());
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw[i].unicode() == u'&') {
            const QStringView rest = raw.sliced(i);
            if (rest.startsWith(u"&quot;")) {
                value += QLatin1Char('"');
                i += 5;
                continue;
            }
            if (rest.startsWith(u"&amp;")) {
                value += QLatin1Char('&');
                i += 4;
                continue;
            }
        }
        value += raw[i];
    }
    return value;
}

bool TagEndScan::Feed(QStringView text)
{
    // The states follow ElementTag's reading: a quote opens a value only after "=", and a
    // ">" ends the tag only outside a value.
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        switch (m_state) {
        case State::BeforeTag:
            if (u == u'<')
                m_state = State::Outside;
            break;
        case State::AfterEquals:
            if (c.isSpace())
                break;
            if (isQuote(c)) {
                m_quote = c;
                m_state = State::QuotedValue;
                break;
            }
            m_state = State::BareValue;
            [[fallthrough]];
        case State::BareValue:
            if (u == u'>')
                m_state = State::Closed;
            else if (c.isSpace())
                m_state = State::Outside;
            break;
        case State::Outside:
            if (u == u'=')
                m_state = State::AfterEquals;
            else if (u == u'>')
                m_state = State::Closed;
            break;
        case State::QuotedValue:
            if (c == m_quote)
                m_state = State::Outside;
            break;
        case State::Closed:
            return true;
        }
    }
    return m_state == State::Closed;
}

QString ReadAttributeValue(const QString &key, const QString &line)
{
    // The key is the name followed by =" (as the readers have always named it).
    QStringView name(key);
    if (name.endsWith(u"=\""))
        name.chop(2);
    else if (name.endsWith(u'='))
        name.chop(1);
    if (name.isEmpty())
        return QString();
    return ElementTag(line).Value(name);
}

QString UnstorablePart(const QString &text, TextPlace place)
{
    // Nearly every text is plain: one look at each character tells.
    bool plain = true;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= 0x80 || u == u'\n' || u == u'\r' || u == u'<') {
            plain = false;
            break;
        }
    }
    if (plain)
        return QString();
    QStringList parts;
    const bool oneLine = place == TextPlace::Attribute || place == TextPlace::LineText;
    if (oneLine && text.contains(u'\n'))
        parts << QStringLiteral("podział wiersza");
    if (text.contains(u'\r'))
        parts << QStringLiteral("znak CR");
    if ((place == TextPlace::LineText || place == TextPlace::LinesText) && text.contains(QLatin1String("</")))
        parts << QStringLiteral("\"</\"");
    if (!platform::FitsCp1250(text)) {
        QString odd;
        for (const QChar c : text)
            if (!platform::FitsCp1250(QString(c)) && !odd.contains(c))
                odd += c;
        parts << QStringLiteral("znaki spoza strony kodowej Windows-1250 (%1)").arg(odd);
    }
    return parts.join(QStringLiteral(", "));
}

void StorableTexts::Check(const QString &what, const QString &text, TextPlace place)
{
    if (m_refused)
        return; // the first one is named
    const QString part = UnstorablePart(text, place);
    if (part.isEmpty())
        return;
    m_refused = true;
    m_what = what;
    m_text = text;
    m_part = part;
}

StorageResult StorableTexts::Result(const QString &storedPath) const
{
    if (Ok())
        return {};
    return StorageResult::Failure(
        QStringLiteral("Nie zapisano pliku %1: tekst \"%2\" (%3) zawiera %4, czego plik danych nie przechowa bez "
                       "zmian. Popraw ten tekst i zapisz ponownie.")
            .arg(storedPath, m_text, m_what, m_part));
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
    if (!value.contains(u'"') && !value.contains(u'&'))
        return value;
    QString v;
    v.reserve(value.size() + 8);
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c.unicode() == u'"') {
            v += QLatin1String("&quot;");
        } else if (c.unicode() == u'&') {
            const QStringView rest = QStringView(value).sliced(i);
            v += rest.startsWith(u"&quot;") || rest.startsWith(u"&amp;") ? QLatin1String("&amp;") : QLatin1String("&");
        } else {
            v += c;
        }
    }
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
    while (!lines.isEmpty() && IsBlankLine(lines.constLast()))
        lines.removeLast();
}

QString ElementName(const QString &line)
{
    const ElementTag tag(line);
    if (tag.IsClosing() || !QStringView(line).trimmed().startsWith(u'<'))
        return QString();
    return tag.Name().toString();
}

QString StoredBaseName(const QString &storedPath)
{
    const qsizetype slash = std::max(storedPath.lastIndexOf('\\'), storedPath.lastIndexOf('/'));
    QString name = storedPath.mid(slash + 1);
    const qsizetype dot = name.indexOf('.');
    if (dot >= 0)
        name.truncate(dot);
    return name;
}

bool IsBlankLine(QStringView line)
{
    for (const QChar c : line)
        if (!c.isSpace() && c.unicode() != 0 && c.unicode() != 0x1a)
            return false;
    return true;
}

namespace {

// A line without the blanks, NULs and Ctrl-Z at either end.
QStringView stripped(QStringView line)
{
    auto blank = [](QChar c) { return c.isSpace() || c.unicode() == 0 || c.unicode() == 0x1a; };
    qsizetype a = 0, b = line.size();
    while (a < b && blank(line[a]))
        ++a;
    while (b > a && blank(line[b - 1]))
        --b;
    return line.sliced(a, b - a);
}

} // namespace

int RootLineIndex(const QStringList &lines)
{
    for (int i = 0; i < lines.size(); ++i) {
        const QStringView line = stripped(lines[i]);
        if (!line.isEmpty() && !line.startsWith(u"<?") && !line.startsWith(u"<!"))
            return i;
    }
    return -1;
}

QString RootElementName(const QStringList &lines)
{
    const int root = RootLineIndex(lines);
    return root < 0 ? QString() : ElementName(lines[root]);
}

FileShape CheckWholeFile(const QStringList &lines, const QString &expectedRoot)
{
    const int root = RootLineIndex(lines);
    if (root < 0)
        return FileShape::Empty;
    const QString name = ElementName(lines[root]);
    if (!expectedRoot.isEmpty() && !name.isEmpty() && name != expectedRoot)
        return FileShape::WrongRoot;
    int last = int(lines.size()) - 1;
    while (last > root && IsBlankLine(lines[last]))
        --last;
    if (last <= root || name.isEmpty())
        return FileShape::Cut;
    const QStringView closing = stripped(lines[last]);
    return closing.startsWith(u"</") && ElementTag(closing).Closes(name) ? FileShape::Whole : FileShape::Cut;
}

bool EndsWithRootClose(const QStringList &lines)
{
    return CheckWholeFile(lines) == FileShape::Whole;
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
    if (platform::FolderExists(storedPath))
        throw platform::TarvelinError(FolderInPlaceOfFileText(storedPath));
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
    for (size_t i = 0; i < writes.size(); ++i) {
        if (writes[i].filePath != failed)
            continue;
        if (platform::FolderExists(files[i].storedPath))
            return StorageResult::Failure(FolderInPlaceOfFileText(files[i].storedPath));
        return StorageResult::FileAccessFailure(files[i].storedPath);
    }
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
