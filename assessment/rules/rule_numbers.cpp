#include "assessment/rules/rule_numbers.h"

#include "assessment/form_access.h"
#include "storage/formatting.h"
#include "storage/text_xml.h"

#include <cmath>

namespace assessment::rules {

bool ParseNumber(const QString &text, double &value)
{
    return storage::TryToDouble(text, value);
}

bool ReadNumber(TFormAccess &form, const QString &name, double &value)
{
    return ParseNumber(form.GetFieldValue(name), value);
}

bool ReadNumberZeroPrefixed(TFormAccess &form, const QString &name, double &value)
{
    return ParseNumber(QLatin1Char('0') + form.GetFieldValue(name), value);
}

int ReadChoice(TFormAccess &form, const QString &name)
{
    bool ok = false;
    const int index = form.GetFieldValue(name).trimmed().toInt(&ok);
    return ok && index >= 0 ? index : -1;
}

bool ReadNonNegativeNumber(TFormAccess &form, const QString &name, double &value)
{
    double v = 0;
    if (!ReadNumber(form, name, v) || v < 0)
        return false;
    value = v;
    return true;
}

bool ReadNonNegativeNumberOrEmpty(TFormAccess &form, const QString &name, double &value)
{
    if (form.GetFieldValue(name).trimmed().isEmpty()) {
        value = 0;
        return true;
    }
    return ReadNonNegativeNumber(form, name, value);
}

bool ReadPositiveNumber(TFormAccess &form, const QString &name, double &value)
{
    double v = 0;
    if (!ReadNumber(form, name, v) || v <= 0)
        return false;
    value = v;
    return true;
}

QString FixedText(double x, int precision, int decimals)
{
    return storage::FormatFixed(x, precision, decimals);
}

QString GeneralText(double x, int precision)
{
    if (!std::isfinite(x))
        return storage::FormatFixed(x, precision, 0); // the library's words for these
    if (precision < 1)
        precision = 1;
    if (x == 0)
        return QStringLiteral("0");
    // The digits the value is shown with, and the power of ten of its first digit.
    const QString e = storage::FormatExponent(x, precision, 1); // "-d.dddE+x"
    const qsizetype ePos = e.indexOf(QLatin1Char('E'));
    const int exponent = e.mid(ePos + 1).toInt();
    const bool negative = e.startsWith(QLatin1Char('-'));
    QString digits = e.left(ePos);
    digits.remove(QLatin1Char('-'));
    digits.remove(QLatin1Char('.'));
    while (digits.size() > 1 && digits.endsWith(QLatin1Char('0')))
        digits.chop(1);

    QString out;
    if (exponent >= precision || std::fabs(x) < 0.00001) {
        out = digits.left(1);
        if (digits.size() > 1)
            out += QLatin1Char('.') + digits.mid(1);
        out += QLatin1Char('E') + QString::number(exponent);
    } else if (exponent < 0) {
        out = QStringLiteral("0.") + QString(-exponent - 1, QLatin1Char('0')) + digits;
    } else {
        const int intDigits = exponent + 1;
        if (digits.size() <= intDigits) {
            out = digits + QString(intDigits - digits.size(), QLatin1Char('0'));
        } else {
            out = digits.left(intDigits) + QLatin1Char('.') + digits.mid(intDigits);
        }
    }
    return negative ? QLatin1Char('-') + out : out;
}

bool MultipleDeterminable(double measured, double permitted)
{
    return std::isfinite(measured) && std::isfinite(permitted) && measured >= 0 && permitted > 0;
}

QString QuotientMultipleOrEmpty(double measured, double permitted)
{
    if (!MultipleDeterminable(measured, permitted))
        return QString();
    const double q = measured / permitted;
    return std::isfinite(q) ? FixedText(q, 6, 2) : QString();
}

QString QuotientMultipleOrEmpty(TFormAccess &form, const QString &measuredField, const QString &permittedField)
{
    double measured = 0, permitted = 0;
    if (!ReadNumber(form, measuredField, measured) || !ReadNumber(form, permittedField, permitted))
        return QString();
    return QuotientMultipleOrEmpty(measured, permitted);
}

QString QuotientMultipleOrZero(TFormAccess &form, const QString &measuredField, const QString &permittedField)
{
    double measured = 0, permitted = 0;
    if (!ReadNumberZeroPrefixed(form, measuredField, measured) ||
        !ReadNumberZeroPrefixed(form, permittedField, permitted) || permitted <= 0)
        return QStringLiteral("0");
    const double q = measured / permitted;
    if (!std::isfinite(q))
        return QStringLiteral("0");
    return storage::FormatMeasuredValue(q);
}

void RecomputeQuotientMultiples(TFormAccess &form, const QList<TQuotientDef> &defs, const QString &fieldName)
{
    for (const TQuotientDef &d : defs) {
        if (fieldName == d.permitted) {
            if (form.GetFieldValue(d.measured).trimmed().isEmpty())
                continue; // nothing measured yet: the multiple keeps its value
        } else if (fieldName != d.measured) {
            continue;
        }
        form.SetFieldValue(d.multiple, QuotientMultipleOrEmpty(form, d.measured, d.permitted));
    }
}

} // namespace assessment::rules
