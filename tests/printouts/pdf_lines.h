#pragma once

// Text that pdftotext reads from a printed report, as lines to compare.

#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <string>

namespace pdflines {

// The lines of a text with their blanks run together, so rows read "a b c" (pdftotext
// drops some blanks around a "/": they read " / "); empty lines left out.
inline QStringList Lines(const QString &text)
{
    static const QRegularExpression slash(QStringLiteral("\\s*/\\s*"));
    QStringList lines;
    for (QString line : text.split(QLatin1Char('\n'))) {
        line = line.simplified().replace(slash, QStringLiteral(" / "));
        if (!line.isEmpty())
            lines << line;
    }
    return lines;
}

// Lines as one text, for comparisons whose failures show the lines.
inline std::string Joined(const QStringList &lines)
{
    return lines.join(QLatin1Char('\n')).toStdString();
}

} // namespace pdflines
