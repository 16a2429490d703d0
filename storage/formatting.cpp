#include "storage/formatting.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace storage {

QString RiskLevelName(int code)
{
    switch (code) {
    case RiskSmall: return QStringLiteral("Małe");
    case RiskMedium: return QStringLiteral("Średnie");
    case RiskLarge: return QStringLiteral("Duże");
    case RiskForbidden: return QStringLiteral("Praca wzbroniona");
    default: return QString();
    }
}

int DecimalsFor(int maxDecimals, int digits, float x)
{
    if (!(x > 0.0f))
        return 1;
    float e = std::log10(x);
    if (e < 0)
        e = e - 1;
    int n = static_cast<int>(std::trunc(e)) - digits;
    if (n > 0)
        n = 0;
    n = std::abs(n);
    if (n > maxDecimals - 1)
        n = maxDecimals - 1;
    return n;
}

namespace {

// A decimal number as digits and the power of ten of its first digit:
// value = 0.d1d2d3... * 10^exponent.
struct Decimal
{
    bool negative = false;
    std::string digits; // without leading zeros; "" is zero
    int exponent = 0;
};

Decimal toDecimal(double x)
{
    Decimal d;
    d.negative = std::signbit(x);
    const double a = std::fabs(x);
    if (a == 0)
        return d;
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.16e", a); // 17 significant digits: the double exactly enough
    // buf: D.DDDDDDDDDDDDDDDDe+XX
    std::string s(buf);
    const auto epos = s.find('e');
    std::string mant = s.substr(0, epos);
    const int exp10 = std::stoi(s.substr(epos + 1));
    mant.erase(1, 1); // drop the point
    d.digits = mant;
    d.exponent = exp10 + 1;
    return d;
}

// Keeps `keep` digits, rounding half away from zero.
void roundDigits(Decimal &d, int keep)
{
    if (keep < 0) {
        d.digits.clear();
        return;
    }
    if (static_cast<int>(d.digits.size()) <= keep)
        return;
    const bool up = d.digits[keep] >= '5';
    d.digits.resize(keep);
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[i] == '9') {
            d.digits[i] = '0';
            --i;
        }
        if (i < 0) {
            d.digits.insert(d.digits.begin(), '1');
            d.exponent += 1;
            d.digits.pop_back();
            if (keep == 0) // everything rounded into a new leading digit
                d.digits = "1";
        } else {
            d.digits[i] = static_cast<char>(d.digits[i] + 1);
        }
    }
    // Rounding that left only a leading digit from nothing (keep 0, up) handled above.
    while (!d.digits.empty() && d.digits.back() == '0')
        d.digits.pop_back();
    if (d.digits.empty())
        d.exponent = 0;
}

char digitAt(const Decimal &d, int pos) // pos 0 = first digit
{
    return pos >= 0 && pos < static_cast<int>(d.digits.size()) ? d.digits[pos] : '0';
}

} // namespace

QString FormatFixed(double x, int precision, int decimals)
{
    if (std::isnan(x))
        return QStringLiteral("NAN");
    if (std::isinf(x))
        return x > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    Decimal d = toDecimal(x);
    if (!d.digits.empty() && d.exponent > precision)
        return FormatExponent(x, precision, 1); // too many integer digits for the precision
    roundDigits(d, precision);
    if (!d.digits.empty()) {
        // Rounding to `decimals` after the point keeps exponent + decimals digits.
        const int keep = d.exponent + decimals;
        if (keep < 0) {
            d.digits.clear();
        } else if (keep == 0) {
            // Only the rounding digit is left: 0.5 and above round to one unit.
            if (d.digits[0] >= '5') {
                d.digits = "1";
                d.exponent += 1;
            } else {
                d.digits.clear();
            }
        } else {
            roundDigits(d, keep);
        }
    }
    std::string out;
    if (d.negative && !d.digits.empty())
        out += '-';
    else if (d.negative)
        out += '-'; // negative zero keeps its sign, as the run-time library prints it
    const int intDigits = d.digits.empty() ? 0 : d.exponent;
    if (intDigits <= 0) {
        out += '0';
    } else {
        for (int i = 0; i < intDigits; ++i)
            out += digitAt(d, i);
    }
    if (decimals > 0) {
        out += '.';
        for (int i = 0; i < decimals; ++i)
            out += d.digits.empty() ? '0' : digitAt(d, intDigits + i);
    }
    return QString::fromStdString(out);
}

QString FormatExponent(double x, int precision, int expDigits)
{
    if (std::isnan(x))
        return QStringLiteral("NAN");
    if (std::isinf(x))
        return x > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (precision < 1)
        precision = 1;
    Decimal d = toDecimal(x);
    roundDigits(d, precision);
    std::string out;
    if (d.negative)
        out += '-';
    int exp = d.digits.empty() ? 0 : d.exponent - 1;
    out += digitAt(d, 0);
    if (precision > 1) {
        out += '.';
        for (int i = 1; i < precision; ++i)
            out += digitAt(d, i);
    }
    out += 'E';
    out += exp < 0 ? '-' : '+';
    std::string e = std::to_string(std::abs(exp));
    while (static_cast<int>(e.size()) < expDigits)
        e.insert(e.begin(), '0');
    out += e;
    return QString::fromStdString(out);
}

QString TrimTrailingZeros(const QString &s)
{
    if (!s.contains('.') && !s.contains(','))
        return s.trimmed();
    QString r = s;
    qsizetype i = r.size() - 1;
    while (i >= 0 && r[i] == '0') {
        r[i] = ' ';
        --i;
    }
    if (i >= 0 && (r[i] == '.' || r[i] == ','))
        r[i] = ' ';
    return r.trimmed();
}

QString FormatMeasuredValue(double x)
{
    if (x >= 1000000.0)
        return FormatExponent(x, 2, 1);
    const int d = DecimalsFor(12, 2, static_cast<float>(x));
    if (d >= 6)
        return FormatExponent(x, 2, 1);
    QString s = TrimTrailingZeros(FormatFixed(x, 12, d));
    // A small negative value rounds to zero; show it as zero, not "-0".
    if (s == QLatin1String("-0"))
        s = QStringLiteral("0");
    return s;
}

QString FormatSignificant(int digits, float x)
{
    return FormatFixed(static_cast<double>(x), 10, DecimalsFor(10, digits, x));
}

} // namespace storage
