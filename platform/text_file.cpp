#include "platform/text_file.h"

#include "platform/cp1250.h"
#include "platform/tarvelin_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstring>

namespace platform {

QStringList SplitLines(const QString &text)
{
    QStringList lines;
    const QChar *data = text.constData();
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = data[i].unicode();
        if (c == '\n' || c == '\r') {
            lines.append(QString(data + start, i - start));
            if (c == '\r' && i + 2 < n && data[i + 1].unicode() == '\r' && data[i + 2].unicode() == '\n')
                ++i; // CR CR LF: a line end that passed twice through a conversion to CR LF
            if (c == '\r' && i + 1 < n && data[i + 1].unicode() == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(QString(data + start, n - start));
    return lines;
}

QStringList DecodeLinesCp1250(const QByteArray &bytes)
{
    // Line by line, so that each line is decoded straight into its own string (the same
    // lines as SplitLines(DecodeCp1250(bytes)): CR and LF are the same bytes in both).
    QStringList lines;
    const char *const begin = bytes.constData();
    const char *const end = begin + bytes.size();
    auto next = [end](const char *from, char c) {
        const void *at = std::memchr(from, c, size_t(end - from));
        return at ? static_cast<const char *>(at) : end;
    };
    const char *lf = next(begin, '\n');
    const char *cr = next(begin, '\r');
    const char *start = begin;
    while (start < end) {
        if (lf < start)
            lf = next(start, '\n');
        if (cr < start)
            cr = next(start, '\r');
        const char *stop = std::min(lf, cr);
        lines.append(DecodeCp1250(QByteArray::fromRawData(start, stop - start)));
        if (stop == end)
            break;
        if (stop == cr && end - stop > 2 && stop[1] == '\r' && stop[2] == '\n')
            start = stop + 3; // CR CR LF, as SplitLines
        else
            start = stop + (stop == cr && stop + 1 < end && stop[1] == '\n' ? 2 : 1);
    }
    return lines;
}

std::optional<QStringList> ReadLinesCp1250(const QString &filePath)
{
    QFile f(filePath);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return DecodeLinesCp1250(f.readAll());
}

QStringList ReadLinesCp1250OrThrow(const QString &filePath)
{
    auto lines = ReadLinesCp1250(filePath);
    if (!lines)
        throw TarvelinError(FileAccessErrorText(QDir::toNativeSeparators(filePath)));
    return *lines;
}

QByteArray EncodeLinesCp1250(const QStringList &lines)
{
    QString text;
    qsizetype total = 0;
    for (const QString &l : lines)
        total += l.size() + 2;
    text.reserve(total);
    for (const QString &l : lines) {
        if (l.contains('\n') || l.contains('\r')) {
            QString fixed = l;
            fixed.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            fixed.replace('\r', '\n');
            fixed.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
            text += fixed;
        } else {
            text += l;
        }
        text += QStringLiteral("\r\n");
    }
    return EncodeCp1250(text);
}

bool WriteLinesCp1250(const QString &filePath, const QStringList &lines)
{
    return WriteFileAtomically(filePath, EncodeLinesCp1250(lines));
}

} // namespace platform
