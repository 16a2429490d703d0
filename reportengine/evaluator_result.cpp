#include "reportengine/evaluator_result.h"

#include "platform/cp1250.h"

#include <charconv>

namespace reportengine {

QString KindName(TVREvKind kind)
{
    switch (kind) {
    case TVREvKind::Integer:
        return QStringLiteral("INTEGER");
    case TVREvKind::Float:
        return QStringLiteral("FLOAT");
    case TVREvKind::String:
        return QStringLiteral("STRING");
    case TVREvKind::Boolean:
        return QStringLiteral("BOOLEAN");
    case TVREvKind::Error:
        return QStringLiteral("ERROR");
    }
    return QStringLiteral("ERROR");
}

QString FloatToGeneralText(double value)
{
    // The same digits as QString::number(value, 'g', 15), several times faster; printing
    // a float is the costliest step of a typical label's evaluation.
    if (value == 0.0)
        value = 0.0; // no "-0"
    char buffer[64];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    if (r.ec != std::errc())
        return QString::number(value, 'g', 15);
    return QString::fromLatin1(buffer, static_cast<qsizetype>(r.ptr - buffer));
}

QString ResultToText(const TVREvResult &result)
{
    switch (result.Kind) {
    case TVREvKind::Integer:
        return QString::number(result.Integer);
    case TVREvKind::Float:
        return FloatToGeneralText(result.Float);
    case TVREvKind::String:
        return result.Text;
    case TVREvKind::Boolean:
        return result.Boolean ? QStringLiteral("True") : QStringLiteral("False");
    case TVREvKind::Error:
        break;
    }
    throw TVREvaluatorError(msg::ErrorInExpression(result.Text));
}

namespace {

bool isAscii(const QString &s)
{
    for (const QChar c : s)
        if (c.unicode() >= 0x80)
            return false;
    return true;
}

} // namespace

int CompareTextBytes(const QString &a, const QString &b)
{
    // Below 0x80 the code page and UTF-16 agree, and that is nearly every comparison.
    if (isAscii(a) && isAscii(b))
        return a.compare(b, Qt::CaseSensitive);
    const QByteArray ea = platform::EncodeCp1250(a);
    const QByteArray eb = platform::EncodeCp1250(b);
    const int byBytes = ea.compare(eb);
    if (byBytes != 0)
        return byBytes;
    // Characters outside the code page encode alike; do not call different texts equal.
    return a.compare(b, Qt::CaseSensitive);
}

namespace msg {

QString ErrorInExpression(const QString &text)
{
    return QStringLiteral("Error in expression : ") + text;
}
QString Missing(const QString &what)
{
    return QStringLiteral("Missing ") + what;
}
QString IllegalNumber(const QString &literal)
{
    return QStringLiteral("Illegal character in numeric contant \"") + literal + QLatin1Char('"');
}
QString InvalidNot()
{
    return QStringLiteral("Invalid use of NOT");
}
QString UnknownFunction(const QString &name)
{
    return QStringLiteral("Unknown function : ") + name;
}
QString UnknownFieldType(const QString &field)
{
    return QStringLiteral("Field %1 is of unknown type").arg(field);
}
QString NotCompatible(const QString &op, const QString &kind)
{
    return QStringLiteral("Operator ") + op + QStringLiteral(" is not compatible with ") + kind +
           QStringLiteral(" expressions");
}
QString CannotDo(const QString &verb, const QString &kind)
{
    return QStringLiteral("Cannot ") + verb + QLatin1Char(' ') + kind + QStringLiteral(" expressions");
}
QString DivideByZero()
{
    return QStringLiteral("Cannot divide by 0");
}
QString NotPrepared()
{
    return QStringLiteral("Evaluator not prepared");
}
QString IntegerOverflow()
{
    return QStringLiteral("Integer overflow");
}
QString NestedTooDeeply()
{
    return QStringLiteral("Expression nested too deeply");
}
QString WrongArguments(const QString &function)
{
    return QStringLiteral("Wrong arguments for ") + function;
}
QString MissingArgument(const QString &function)
{
    return QStringLiteral("Missing argument for ") + function;
}
QString TooManyArguments()
{
    return QStringLiteral("Too many arguments");
}
QString RecursiveCall()
{
    return QStringLiteral("Recursive calls not allowed");
}

} // namespace msg

} // namespace reportengine
