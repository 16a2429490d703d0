#include "platform/text_file.h"

#include "platform/cp1250.h"
#include "platform/tarvelin_error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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
            if (c == '\r' && i + 1 < n && data[i + 1].unicode() == '\n')
                ++i;
            start = i + 1;
        }
    }
    if (start < n)
        lines.append(QString(data + start, n - start));
    return lines;
}

std::optional<QStringList> ReadLinesCp1250(const QString &filePath)
{
    QFile f(filePath);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = f.readAll();
    return SplitLines(DecodeCp1250(bytes));
}

QStringList ReadLinesCp1250OrThrow(const QString &filePath)
{
    auto lines = ReadLinesCp1250(filePath);
    if (!lines)
        throw TarvelinError(FileAccessErrorText() + QStringLiteral(" : ") + QDir::toNativeSeparators(filePath));
    return *lines;
}

bool WriteFileAtomically(const QString &filePath, const QByteArray &bytes)
{
    const QFileInfo info(filePath);
    if (!info.absoluteDir().exists())
        return false;
    // A file that is there but cannot be read was read as empty: replacing it would throw
    // away what it holds (the rename would succeed where a plain write would not).
    if (info.exists()) {
        QFile probe(filePath);
        if (!probe.open(QIODevice::ReadOnly))
            return false;
    }
    QSaveFile f(filePath);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    if (f.write(bytes) != bytes.size()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

bool WriteLinesCp1250(const QString &filePath, const QStringList &lines)
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
    return WriteFileAtomically(filePath, EncodeCp1250(text));
}

} // namespace platform
