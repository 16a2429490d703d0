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

// A word as pdftotext -bbox places it: page (from 1) and its box in points from the
// page's top left corner.
struct Word
{
    int page = 0;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    QString text;
};

// The words of `pdftotext -bbox -raw` output, in the order they were drawn.
inline std::vector<Word> Words(const QString &bbox)
{
    static const QRegularExpression word(QStringLiteral(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">([^<]*)</word>"));
    std::vector<Word> words;
    int page = 0;
    for (const QString &line : bbox.split(QLatin1Char('\n'))) {
        if (line.contains(QLatin1String("<page ")))
            ++page;
        const auto m = word.match(line);
        if (m.hasMatch())
            words.push_back({page, m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                             m.captured(4).toDouble(),
                             m.captured(5)
                                 .replace(QLatin1String("&amp;"), QLatin1String("&"))
                                 .replace(QLatin1String("&lt;"), QLatin1String("<"))
                                 .replace(QLatin1String("&gt;"), QLatin1String(">"))
                                 .replace(QLatin1String("&quot;"), QLatin1String("\""))});
    }
    return words;
}

// Where a text was printed: the boxes around each run of words that spells it (blanks
// aside), a run that begins and ends at word boundaries or at a bracket.
inline std::vector<Word> Occurrences(const std::vector<Word> &words, QString text)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    text.remove(blanks);
    std::vector<Word> found;
    if (text.isEmpty())
        return found;
    QString stream;
    std::vector<size_t> owner; // the word of each character of the stream
    for (size_t i = 0; i < words.size(); ++i) {
        stream += words[i].text;
        owner.insert(owner.end(), size_t(words[i].text.size()), i);
    }
    // Only brackets and such may stand between a word's edge and the text.
    auto onlyPunctuation = [&](qsizetype from, qsizetype to) {
        for (qsizetype i = from; i < to; ++i)
            if (!stream[i].isPunct())
                return false;
        return true;
    };
    for (qsizetype at = stream.indexOf(text); at >= 0; at = stream.indexOf(text, at + 1)) {
        const qsizetype end = at + text.size(); // one past the text
        qsizetype wordStart = at, wordEnd = end;
        while (wordStart > 0 && owner[size_t(wordStart - 1)] == owner[size_t(at)])
            --wordStart;
        while (wordEnd < stream.size() && owner[size_t(wordEnd)] == owner[size_t(end - 1)])
            ++wordEnd;
        if (!onlyPunctuation(wordStart, at) || !onlyPunctuation(end, wordEnd))
            continue;
        Word box = words[owner[size_t(at)]];
        for (size_t i = owner[size_t(at)]; i <= owner[size_t(end - 1)]; ++i) {
            box.xMin = std::min(box.xMin, words[i].xMin);
            box.yMin = std::min(box.yMin, words[i].yMin);
            box.xMax = std::max(box.xMax, words[i].xMax);
            box.yMax = std::max(box.yMax, words[i].yMax);
        }
        found.push_back(box);
    }
    return found;
}

} // namespace pdfwords
