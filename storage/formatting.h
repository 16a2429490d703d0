#pragma once

#include <QString>

namespace storage {

// Risk level codes shared by the measurement window, the panel and the printouts.
enum RiskLevel : short {
    RiskNotDetermined = 0,
    RiskSmall = 10,
    RiskMedium = 20,
    RiskLarge = 30,
    RiskForbidden = 40,
    RiskNotApplicable = 99,
};

// "Małe", "Średnie", "Duże", "Praca wzbroniona"; empty for any other code.
QString RiskLevelName(int code);

// Number of decimals that shows x with about digits + 1 significant digits; x is taken
// in single precision, as the ratings have always been computed.
int DecimalsFor(int maxDecimals, int digits, float x);

// A measured or computed value as the user sees it: at most about three significant
// digits, trailing zeros trimmed, exponent form ("1.2E+6", "5.0E-4") from 1e6 up and for
// positive values of 0.001 and below. Ties round away from zero.
QString FormatMeasuredValue(double x);

// Fixed notation with DecimalsFor(10, digits, x) decimals; trailing zeros stay.
QString FormatSignificant(int digits, float x);

QString TrimTrailingZeros(const QString &s);

// Building blocks, exposed for the formats above and their tests.
// Fixed notation rounded first to `precision` significant digits, then to `decimals`.
QString FormatFixed(double x, int precision, int decimals);
// Exponent notation: `precision` significant digits, exponent with sign and at least
// `expDigits` digits.
QString FormatExponent(double x, int precision, int expDigits);

} // namespace storage
