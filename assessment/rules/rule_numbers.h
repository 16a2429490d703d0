#pragma once

// Number helpers shared by every evaluation rule: reading a field as a number the way the
// rules always have, the texts the multiples are handed over as, and the single-precision
// values the rating thresholds are compared in.
//
// A rule hands a number to the form as text; the form shows it as FormatMeasuredValue makes
// it, and later reads take that shown text. So a rule rounds a number with the helpers here
// and never relies on more digits than the form keeps.

#include <QList>
#include <QString>

namespace assessment {
class TFormAccess;
}

namespace assessment::rules {

// ---- Reading -----------------------------------------------------------------------------

// The number in text: "." separator, blanks around it allowed, nothing else. False for an
// empty text, a text that is no number, and infinities or NaN.
bool ParseNumber(const QString &text, double &value);
// The value of a field read as a number (see ParseNumber). A field that is not on the page
// reads as empty text and so gives false.
bool ReadNumber(TFormAccess &form, const QString &name, double &value);
// The way a rule reads a field that may be empty: "0" is put in front of the text first, so
// an empty field reads as 0 and ".5" as 0.5; a sign then makes the text no number.
bool ReadNumberZeroPrefixed(TFormAccess &form, const QString &name, double &value);
// The item index a combo holds; -1 when no item is chosen or the field is not on the page.
int ReadChoice(TFormAccess &form, const QString &name);
// A field that must hold a measured or computed amount: a number not below 0. False for an
// empty field, a text that is no number and a negative number.
bool ReadNonNegativeNumber(TFormAccess &form, const QString &name, double &value);
// The same for a field that may be left empty: an empty field reads as 0.
bool ReadNonNegativeNumberOrEmpty(TFormAccess &form, const QString &name, double &value);
// A field that must hold a number above 0, such as a permitted value a rating compares with.
bool ReadPositiveNumber(TFormAccess &form, const QString &name, double &value);

// ---- Texts -------------------------------------------------------------------------------

// Fixed notation: rounded to `precision` significant digits and to `decimals` decimals,
// ties away from zero, trailing zeros kept ("2.00"); exponent notation when the integer
// part has more digits than the precision.
QString FixedText(double x, int precision, int decimals);
// General notation: `precision` significant digits, trailing zeros and a trailing point
// dropped; exponent notation ("1E20", "1.5E-7") when the integer part has more digits than
// the precision or the value is below 0.00001.
QString GeneralText(double x, int precision);

// ---- Multiples -----------------------------------------------------------------------------
//
// Two ways a quotient multiple is written, kept apart on purpose: QuotientMultipleOrEmpty
// leaves a multiple that cannot be determined empty, so the rating reads it as not
// determined; QuotientMultipleOrZero writes "0" for it, as the lighting forms always have,
// whose ratings take 0 for "nothing measured yet".

// Whether a multiple can be computed from the two values: both numbers, the measured value
// not below 0 and the permitted value above 0.
bool MultipleDeterminable(double measured, double permitted);

// A measured value over its permitted value, as fixed text with 2 decimals (precision 6);
// empty text when it cannot be determined (see MultipleDeterminable).
QString QuotientMultipleOrEmpty(double measured, double permitted);
// The same from two fields of the form; a field that holds no number gives empty text.
QString QuotientMultipleOrEmpty(TFormAccess &form, const QString &measuredField, const QString &permittedField);

// The multiple of two fields of the form, the way the lighting forms (and the dusts) have
// always computed it: both texts read with "0" put in front, measured / permitted, as
// FormatMeasuredValue shows it. "0" - a multiple not determined yet - when the permitted
// value is 0 or less, or when either text is no number; never a division by zero.
QString QuotientMultipleOrZero(TFormAccess &form, const QString &measuredField, const QString &permittedField);

// One quotient multiple of a form: the field it is written to, from which measured and
// permitted fields.
struct TQuotientDef
{
    QString multiple;
    QString measured;
    QString permitted;
};
// Writes the quotient multiples the field left feeds: those of its measured value and -
// so that a corrected permitted value does not leave a multiple computed against the old
// one - those of its permitted value, once a value has been measured.
void RecomputeQuotientMultiples(TFormAccess &form, const QList<TQuotientDef> &defs, const QString &fieldName);

// ---- Single precision ----------------------------------------------------------------------

// The value as a single-precision number, in which the rating thresholds compare.
inline float Single(double x)
{
    return static_cast<float>(x);
}

} // namespace assessment::rules
