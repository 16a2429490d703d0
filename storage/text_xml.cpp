#include "storage/text_xml.h"

#include "platform/cp1250.h"
#include "platform/paths.h"
#include "platform/tarvelin_error.h"
#include "platform/text_file.h"

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
    QString joined = firstLine;
    const int start = index;
    while (!joined.contains(QLatin1String("</"))) {
        if (index + 1 >= lines.size()) {
            // The value never closes: keep only its first line, stand on the last line.
            index = lines.isEmpty() ? start : int(lines.size()) - 1;
            return firstLine;
        }
        ++index;
        joined += QLatin1String("\n") + lines[index];
    }
    return joined;
}

void ReadFirstElementValue(const QString &relPath, const QString &tag, QString &value)
{
    if (tag.isEmpty())
        return;
    auto lines = platform::ReadLinesCp1250(platform::ToFilePath(relPath));
    if (!lines)
        return;
    for (const QString &line : *lines) {
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

void CutLines(QStringList &lines)
{
    for (qsizetype i = 2; i <= lines.size() - 2; ++i) {
        const qsizetype lt = lines[i].indexOf('<');
        if (lt > 0)
            lines[i].remove(0, lt);
    }
}

QStringList ReadTextXmlLines(const QString &storedPath, bool cut)
{
    QStringList lines = platform::ReadLinesCp1250OrThrow(platform::ToFilePath(storedPath));
    DropTrailingBlankLines(lines);
    if (cut)
        CutLines(lines);
    return lines;
}

bool ReadTextXmlLinesIfExists(const QString &storedPath, QStringList &lines, bool cut)
{
    lines.clear();
    auto read = platform::ReadLinesCp1250(platform::ToFilePath(storedPath));
    if (!read)
        return false;
    lines = std::move(*read);
    DropTrailingBlankLines(lines);
    if (cut)
        CutLines(lines);
    return true;
}

StorageResult WriteTextXmlFile(const QString &storedPath, const QStringList &linesAfterDeclaration)
{
    QStringList all;
    all.reserve(linesAfterDeclaration.size() + 1);
    all << XmlDeclaration();
    all << linesAfterDeclaration;
    if (platform::WriteLinesCp1250(platform::ToFilePath(storedPath), all))
        return {};
    return StorageResult::FileAccessFailure();
}

namespace {

[[noreturn]] void throwNotNumber(const QString &text)
{
    throw platform::TarvelinError(QStringLiteral("'%1' nie jest poprawną liczbą").arg(text));
}

} // namespace

int ToInt(const QString &text)
{
    bool ok = false;
    const int v = QLocale::c().toInt(text.trimmed(), &ok);
    if (!ok)
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
    bool ok = false;
    const int v = QLocale::c().toInt(text.trimmed(), &ok);
    return ok ? v : def;
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
