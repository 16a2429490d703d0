#pragma once

// Text that pdftotext reads from a printed report, as lines to compare.

#include <QRegularExpression>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <string>
#include <vector>

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

namespace pdfwords {

// A word as `pdftotext -bbox -raw` places it (points from the page's top left), as drawn.
struct Word
{
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    QString text;
};

inline std::vector<Word> Words(const QString &bbox)
{
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    std::vector<Word> words;
    for (auto it = word.globalMatch(bbox); it.hasNext();) {
        const auto m = it.next();
        words.push_back({m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                         m.captured(4).toDouble(), m.captured(5).replace(QLatin1String("&amp;"), QLatin1String("&"))});
    }
    return words;
}

// The boxes around each run of words that begins with the text's first word (a mark of
// its own) and spells as many characters as the text, blanks aside.
inline std::vector<Word> Occurrences(const std::vector<Word> &words, const QString &text)
{
    const QString mark = text.section(QLatin1Char(' '), 0, 0);
    const qsizetype length = QString(text).remove(QRegularExpression(QStringLiteral("\\s+"))).size();
    std::vector<Word> found;
    for (size_t i = 0; i < words.size(); ++i) {
        const qsizetype at = mark.isEmpty() ? -1 : words[i].text.indexOf(mark);
        if (at < 0)
            continue;
        Word box = words[i]; // and the words after it, up to the text's length
        for (auto n = words[i].text.size() - at; n < length && ++i < words.size(); n += words[i].text.size())
            box = {std::min(box.xMin, words[i].xMin), std::min(box.yMin, words[i].yMin),
                   std::max(box.xMax, words[i].xMax), std::max(box.yMax, words[i].yMax), box.text};
        found.push_back(box);
    }
    return found;
}

} // namespace pdfwords
