#include "reportengine/expr_functions_format.h"

#include "reportengine/evaluator_result.h"

#include <QLocale>
#include <QStringList>
#include <cmath>
#include <vector>

namespace reportengine {

namespace {

struct Token
{
    enum Type
    {
        Literal,
        Digit,
        Point,
        Exponent,
    } type;
    QString text;       // literal text; for Exponent the letter as written
    bool integer = false; // a digit placeholder before the point
    int expDigits = 0;
    bool expPlus = false;
};

struct Section
{
    std::vector<Token> tokens;
    bool grouping = false;
    int intPlaceholders = 0;
    int minInt = 0;
    int fracPlaceholders = 0;
    int minFrac = 0;
    bool scientific = false;
    bool hasDigits = false;
};

// Splits at ";" outside quotes; false for a quote left open.
bool splitSections(const QString &mask, QStringList *sections)
{
    QString current;
    QChar quote;
    for (const QChar c : mask) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            current += c;
        } else if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            quote = c;
            current += c;
        } else if (c == QLatin1Char(';')) {
            *sections << current;
            current.clear();
        } else {
            current += c;
        }
    }
    if (!quote.isNull())
        return false;
    *sections << current;
    return true;
}

Section parseSection(const QString &s)
{
    Section sec;
    bool pointSeen = false;
    bool zeroSeen = false;
    const qsizetype n = s.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = s[i];
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            const qsizetype close = s.indexOf(c, i + 1); // always found: splitSections checked
            sec.tokens.push_back({Token::Literal, s.mid(i + 1, close - i - 1)});
            i = close;
        } else if ((c == QLatin1Char('0') || c == QLatin1Char('#')) && !sec.scientific) {
            sec.hasDigits = true;
            Token t{Token::Digit, QString()};
            if (!pointSeen) {
                t.integer = true;
                ++sec.intPlaceholders;
                if (c == QLatin1Char('0'))
                    zeroSeen = true;
                if (zeroSeen)
                    ++sec.minInt;
            } else {
                ++sec.fracPlaceholders;
                if (c == QLatin1Char('0'))
                    sec.minFrac = sec.fracPlaceholders;
            }
            sec.tokens.push_back(t);
        } else if (c == QLatin1Char('.')) {
            if (!pointSeen && !sec.scientific) {
                pointSeen = true;
                sec.tokens.push_back({Token::Point, QString()});
            }
        } else if (c == QLatin1Char(',')) {
            sec.grouping = true;
        } else if ((c == QLatin1Char('E') || c == QLatin1Char('e')) && !sec.scientific && i + 1 < n &&
                   (s[i + 1] == QLatin1Char('+') || s[i + 1] == QLatin1Char('-'))) {
            Token t{Token::Exponent, QString(c)};
            t.expPlus = s[i + 1] == QLatin1Char('+');
            qsizetype j = i + 2;
            while (j < n && s[j] == QLatin1Char('0') && t.expDigits < 4) {
                ++t.expDigits;
                ++j;
            }
            sec.scientific = true;
            sec.tokens.push_back(t);
            i = j - 1;
        } else {
            sec.tokens.push_back({Token::Literal, QString(c)});
        }
    }
    return sec;
}

void splitDigits(const QString &fixed, QString *intDigits, QString *fracDigits)
{
    const qsizetype point = fixed.indexOf(QLatin1Char('.'));
    *intDigits = point < 0 ? fixed : fixed.left(point);
    *fracDigits = point < 0 ? QString() : fixed.mid(point + 1);
}

bool roundsToZero(const Section &sec, double magnitude)
{
    if (magnitude == 0.0)
        return true;
    if (sec.scientific || !sec.hasDigits)
        return false;
    const QString fixed = QString::number(magnitude, 'f', sec.fracPlaceholders);
    for (const QChar c : fixed)
        if (c != QLatin1Char('0') && c != QLatin1Char('.'))
            return false;
    return true;
}

QString formatSection(const Section &sec, double magnitude)
{
    QString out;
    if (!sec.hasDigits) {
        for (const Token &t : sec.tokens)
            if (t.type == Token::Literal)
                out += t.text;
        return out;
    }
    QString intDigits;
    QString fracDigits;
    int exponent = 0;
    if (sec.scientific) {
        const int intCount = std::max(1, sec.intPlaceholders);
        if (magnitude != 0.0) {
            exponent = static_cast<int>(std::floor(std::log10(magnitude))) - (intCount - 1);
            QString fixed = QString::number(magnitude / std::pow(10.0, exponent), 'f', sec.fracPlaceholders);
            splitDigits(fixed, &intDigits, &fracDigits);
            if (intDigits.size() > intCount) { // rounding carried into a new digit
                ++exponent;
                fixed = QString::number(magnitude / std::pow(10.0, exponent), 'f', sec.fracPlaceholders);
                splitDigits(fixed, &intDigits, &fracDigits);
            }
        } else {
            splitDigits(QString::number(0.0, 'f', sec.fracPlaceholders), &intDigits, &fracDigits);
        }
    } else {
        splitDigits(QString::number(magnitude, 'f', sec.fracPlaceholders), &intDigits, &fracDigits);
    }
    // Leading zeros only as far as the 0 placeholders ask for them.
    qsizetype lead = 0;
    while (lead < intDigits.size() && intDigits[lead] == QLatin1Char('0'))
        ++lead;
    intDigits = intDigits.mid(lead);
    while (intDigits.size() < sec.minInt)
        intDigits.prepend(QLatin1Char('0'));
    while (fracDigits.size() > sec.minFrac && fracDigits.endsWith(QLatin1Char('0')))
        fracDigits.chop(1);

    const QLocale locale;
    const QString point = locale.decimalPoint();
    const QString group = locale.groupSeparator();
    const qsizetype m = intDigits.size();
    const qsizetype excess = m - sec.intPlaceholders;
    auto emitDigit = [&](qsizetype d) {
        out += intDigits[d];
        const qsizetype fromRight = m - 1 - d;
        if (sec.grouping && !sec.scientific && fromRight > 0 && fromRight % 3 == 0)
            out += group;
    };
    int intIndex = 0;
    int fracIndex = 0;
    for (const Token &t : sec.tokens) {
        switch (t.type) {
        case Token::Literal:
            out += t.text;
            break;
        case Token::Digit:
            if (t.integer) {
                if (intIndex == 0)
                    for (qsizetype d = 0; d < excess; ++d)
                        emitDigit(d);
                const qsizetype d = intIndex + excess;
                if (d >= 0)
                    emitDigit(d);
                ++intIndex;
            } else {
                if (fracIndex < fracDigits.size())
                    out += fracDigits[fracIndex];
                ++fracIndex;
            }
            break;
        case Token::Point:
            if (sec.intPlaceholders == 0)
                out += intDigits; // ".00": the integer part still shows
            if (!fracDigits.isEmpty())
                out += point;
            break;
        case Token::Exponent: {
            out += t.text;
            if (exponent < 0)
                out += QLatin1Char('-');
            else if (t.expPlus)
                out += QLatin1Char('+');
            out += QString::number(std::abs(exponent)).rightJustified(std::max(1, t.expDigits), QLatin1Char('0'));
            break;
        }
        }
    }
    return out;
}

} // namespace

bool FormatNumberWithMask(const QString &mask, double value, QString *result)
{
    if (!std::isfinite(value))
        return false;
    if (mask.isEmpty()) {
        *result = FloatToGeneralText(value);
        return true;
    }
    QStringList sections;
    if (!splitSections(mask, &sections))
        return false;
    const double magnitude = std::fabs(value);
    const Section first = parseSection(sections[0]);
    const bool zero = roundsToZero(first, magnitude);

    if (zero && sections.size() >= 3 && !sections[2].isEmpty()) {
        *result = formatSection(parseSection(sections[2]), 0.0);
        return true;
    }
    if (value < 0 && !zero && sections.size() >= 2 && !sections[1].isEmpty()) {
        *result = formatSection(parseSection(sections[1]), magnitude);
        return true;
    }
    if (sections[0].isEmpty()) {
        *result = FloatToGeneralText(value);
        return true;
    }
    QString text = formatSection(first, magnitude);
    if (value < 0 && !zero)
        text.prepend(QLatin1Char('-'));
    *result = text;
    return true;
}

} // namespace reportengine
