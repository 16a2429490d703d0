#include "storage/polish_collation.h"

#include <QChar>
#include <QString>
#include <QVarLengthArray>
#include <array>
#include <cstdint>

namespace storage {

namespace {

// A character becomes one or more elements, each with a primary weight (which letter,
// digit or sign it is; 0 for an element that only marks an accent) and a secondary weight
// (which accent; 0 for an element that counts only at the first level). Two texts are
// compared by their primary weights first and, only where these are all equal, by their
// secondary weights, as the collation does.
struct Element
{
    std::uint32_t primary = 0;
    std::uint8_t secondary = 0;
};

using Elements = QVarLengthArray<Element, 64>;

// Blanks, punctuation and symbols, each its own primary weight in the collation's order.
// The no-break space, the ellipsis and the trade mark sign are not here: they count as
// the space, "..." and "TM".
constexpr char16_t kSymbols[] = u"\t\n\v\f\r _-\u2013\u2014,;:!?.\u00B7'\u2018\u2019\u201A\u2039\u203A\"\u201C"
                                u"\u201D\u201E\u00AB\u00BB()[]{}\u00A7\u00B6@*/\\&#%\u2030\u2020\u2021\u2022`"
                                u"\u00B4^\u02D8\u02D9\u00A8\u02DD\u00B8\u02DB\u02C7\u00B0\u00A9\u00AE+\u00B1"
                                u"\u00F7\u00D7<=>\u00AC|\u00A6~\u00A4$\u20AC";
// The Polish alphabet; every other Latin letter is one of these with an accent.
constexpr char16_t kAlphabet[] = u"a\u0105bc\u0107de\u0119fghijkl\u0142mn\u0144o\u00F3pqrs\u015Btuvwxyz\u017A\u017C";

// Primary weights by kind: symbols of the table, other symbols by code, digits, letters of
// the alphabet, other letters (Greek, Cyrillic, ...) by code.
constexpr std::uint32_t kOtherSymbols = 0x100;
constexpr std::uint32_t kDigits = 0x20000;
constexpr std::uint32_t kLetters = 0x30000;
constexpr std::uint32_t kOtherLetters = 0x40000;

// Secondary weights: no accent lowest, then the accents in the collation's order.
constexpr std::uint8_t kNoAccent = 1;
constexpr std::uint8_t kMiddleDot = 80; // "l·": "l" with a dot, not "l" and the sign
constexpr std::uint8_t kStroke = 90;  // "đ": "d" with a stroke, after every other accent
constexpr std::uint8_t kSharpS = 100; // "ß": "ss", after every accented "ss"

std::uint8_t accentWeight(char16_t mark)
{
    constexpr char16_t order[] = {0x0301, 0x0300, 0x0306, 0x0302, 0x030C, 0x030A, 0x0308,
                                  0x030B, 0x0303, 0x0307, 0x0327, 0x0328};
    for (std::size_t i = 0; i < std::size(order); ++i)
        if (order[i] == mark)
            return std::uint8_t(2 + i);
    return std::uint8_t(20 + (mark & 0x3F)); // other combining marks, after these
}

int indexIn(const char16_t *table, std::size_t size, char16_t c)
{
    for (std::size_t i = 0; i + 1 < size; ++i) // the terminating 0 is no entry
        if (table[i] == c)
            return int(i);
    return -1;
}

void classify(char16_t c, Elements &out, int depth = 0)
{
    if (const int i = indexIn(kSymbols, std::size(kSymbols), c); i >= 0) {
        out.append({std::uint32_t(1 + i), kNoAccent});
        return;
    }
    if (c >= u'0' && c <= u'9') {
        out.append({kDigits + (c - u'0'), kNoAccent});
        return;
    }
    const char16_t lower = QChar::toLower(c);
    if (const int i = indexIn(kAlphabet, std::size(kAlphabet), lower); i >= 0) {
        out.append({kLetters + std::uint32_t(i), kNoAccent});
        return;
    }
    if (lower == u'\u00DF') {
        classify(u's', out);
        out.append({0, kSharpS});
        classify(u's', out);
        return;
    }
    if (lower == u'\u0111') {
        classify(u'd', out);
        out.append({0, kStroke});
        return;
    }
    const QChar ch(c);
    if (ch.category() == QChar::Other_Control || ch.category() == QChar::Other_Format)
        return; // ignored, as the soft hyphen and the control characters are
    const QString parts = ch.decomposition();
    if (!parts.isEmpty() && depth < 4) {
        if (ch.decompositionTag() == QChar::Canonical) {
            // A letter with accents: the letter, then each accent.
            classify(parts.front().unicode(), out, depth + 1);
            for (qsizetype i = 1; i < parts.size(); ++i)
                out.append({0, accentWeight(parts[i].unicode())});
        } else {
            // A compatibility form ("TM", "...", a no-break space) counts as what it stands for.
            for (const QChar part : parts)
                classify(part.unicode(), out, depth + 1);
        }
        return;
    }
    out.append({(ch.isLetterOrNumber() ? kOtherLetters : kOtherSymbols) + c, kNoAccent});
}

// The elements of the characters of Latin-1 and Latin Extended-A, each worked out the
// first time it is met (a table per thread, since it is written as it is read).
constexpr char16_t kCachedBelow = 0x180;
constexpr std::uint8_t kNotYet = 0xFF;

struct Cached
{
    std::uint8_t count = kNotYet;
    std::array<Element, 3> elements;
};

const Cached &cachedOf(char16_t c)
{
    thread_local std::array<Cached, kCachedBelow> table;
    Cached &k = table[c];
    if (k.count == kNotYet) {
        Elements e;
        classify(c, e);
        for (qsizetype i = 0; i < e.size(); ++i)
            k.elements[std::size_t(i)] = e[i];
        k.count = std::uint8_t(e.size());
    }
    return k;
}

void elementsOf(QStringView text, Elements &out)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if ((c == u'l' || c == u'L') && i + 1 < text.size() && text[i + 1] == QChar(0x00B7)) {
            classify(c, out);
            out.append({0, kMiddleDot});
            ++i;
        } else if (c < kCachedBelow) {
            const Cached &k = cachedOf(c);
            out.append(k.elements.data(), k.count);
        } else {
            classify(c, out);
        }
    }
}

template <typename Weight>
int compareLevel(const Elements &a, const Elements &b, Weight weight)
{
    qsizetype i = 0, j = 0;
    for (;;) {
        while (i < a.size() && weight(a[i]) == 0)
            ++i;
        while (j < b.size() && weight(b[j]) == 0)
            ++j;
        if (i == a.size() || j == b.size())
            return (i == a.size() ? 0 : 1) - (j == b.size() ? 0 : 1);
        if (weight(a[i]) != weight(b[j]))
            return weight(a[i]) < weight(b[j]) ? -1 : 1;
        ++i;
        ++j;
    }
}

} // namespace

int ComparePolish(QStringView a, QStringView b)
{
    // An empty text sorts first, even before one of ignored characters only.
    if (a.isEmpty() || b.isEmpty())
        return (a.isEmpty() ? 0 : 1) - (b.isEmpty() ? 0 : 1);
    Elements ea, eb;
    elementsOf(a, ea);
    elementsOf(b, eb);
    if (const int c = compareLevel(ea, eb, [](const Element &e) { return e.primary; }))
        return c;
    return compareLevel(ea, eb, [](const Element &e) { return std::uint32_t(e.secondary); });
}

QByteArray PolishSortKey(QStringView text)
{
    QByteArray key;
    if (text.isEmpty())
        return key; // before everything, as ComparePolish has it
    Elements e;
    elementsOf(text, e);
    key.reserve(3 * e.size() + 3 + e.size());
    // The primary weights (all below 2^24) as three bytes each, high byte first, so that
    // byte order is number order; three zero bytes end them, which sorts a text whose
    // letters begin another's before it. The secondary weights follow, a byte each.
    for (const Element &x : e) {
        if (x.primary == 0)
            continue;
        key.append(char((x.primary >> 16) & 0xFF));
        key.append(char((x.primary >> 8) & 0xFF));
        key.append(char(x.primary & 0xFF));
    }
    key.append(3, '\0');
    for (const Element &x : e)
        if (x.secondary != 0)
            key.append(char(x.secondary));
    return key;
}

} // namespace storage
