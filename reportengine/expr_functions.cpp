#include "reportengine/expr_functions.h"

#include "reportengine/expr_functions_format.h"

#include <QDate>
#include <QTime>
#include <cmath>
#include <limits>

namespace reportengine {

namespace {

bool fitsInt32(double v)
{
    return std::isfinite(v) && v >= double(std::numeric_limits<qint32>::min()) &&
           v <= double(std::numeric_limits<qint32>::max());
}

QString kindWord(TVREvKind kind)
{
    switch (kind) {
    case TVREvKind::Boolean:
        return QStringLiteral("boolean");
    case TVREvKind::String:
        return QStringLiteral("string");
    default:
        return QStringLiteral("numeric");
    }
}

// UPPER, LOWER, PRETTY: one string argument.
template <typename Convert>
TVREvResult caseFunction(const std::vector<TVREvResultClass> &args, const char *name, Convert convert)
{
    if (args.size() != 1)
        return TVREvResult::MakeError(msg::MissingArgument(QString::fromLatin1(name)));
    const TVREvResult &a = args.front();
    if (a.Kind == TVREvKind::String)
        return TVREvResult::FromString(convert(a.Text));
    if (a.IsError())
        return a;
    return TVREvResult::MakeError(msg::WrongArguments(QString::fromLatin1(name)));
}

} // namespace

TVREvResult TVREvIfFunction::Calculate()
{
    if (Arguments.size() != 3 || Arguments[0].Kind != TVREvKind::Boolean)
        return TVREvResult::MakeError(msg::WrongArguments(QStringLiteral("IF")));
    return Arguments[0].Boolean ? std::move(Arguments[1]) : std::move(Arguments[2]);
}

TVREvResult TVREvStrFunction::Calculate()
{
    if (Arguments.size() == 1) {
        const TVREvResult &a = Arguments.front();
        if (a.IsNumeric() || a.Kind == TVREvKind::Boolean)
            return TVREvResult::FromString(ResultToText(a));
    }
    return TVREvResult::MakeError(QStringLiteral("Conversion error"));
}

TVREvResult TVREvUpperFunction::Calculate()
{
    return caseFunction(Arguments, "UPPER", [](const QString &s) { return s.toUpper(); });
}

TVREvResult TVREvLowerFunction::Calculate()
{
    return caseFunction(Arguments, "LOWER", [](const QString &s) { return s.toLower(); });
}

TVREvResult TVREvPrettyFunction::Calculate()
{
    return caseFunction(Arguments, "PRETTY", [](const QString &s) {
        if (s.isEmpty())
            return s;
        // A character outside the basic plane is two code units; keep them together.
        const qsizetype first = s.at(0).isHighSurrogate() && s.size() > 1 ? 2 : 1;
        return s.left(first).toUpper() + s.mid(first).toLower();
    });
}

TVREvResult TVREvTimeFunction::Calculate()
{
    if (!Arguments.empty())
        return TVREvResult::MakeError(msg::TooManyArguments());
    // The program's own time form, not the desktop's.
    return TVREvResult::FromString(QTime::currentTime().toString(QStringLiteral("HH:mm:ss")));
}

TVREvResult TVREvDateFunction::Calculate()
{
    if (!Arguments.empty())
        return TVREvResult::MakeError(msg::TooManyArguments());
    return TVREvResult::FromString(QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
}

TVREvResult TVREvCopyFunction::Calculate()
{
    if (Arguments.size() != 3 || Arguments[0].Kind != TVREvKind::String ||
        Arguments[1].Kind != TVREvKind::Integer || Arguments[2].Kind != TVREvKind::Integer)
        return TVREvResult::MakeError(msg::WrongArguments(QStringLiteral("COPY")));
    const QString &s = Arguments[0].Text;
    const qint64 start = std::max<qint64>(Arguments[1].Integer, 1); // 0 or less counts as 1
    const qint64 length = Arguments[2].Integer;
    if (length <= 0 || start > s.size())
        return TVREvResult::FromString(QString());
    return TVREvResult::FromString(s.mid(static_cast<qsizetype>(start - 1), static_cast<qsizetype>(length)));
}

// ---------------------------------------------------------------------------------------
// Aggregates

TVREvSumFunction::TVREvSumFunction()
{
    IsAggreg = true;
    TVREvSumFunction::Reset();
}

void TVREvSumFunction::Reset()
{
    Started = false;
    Sum = TVREvResult::FromInteger(0);
}

void TVREvSumFunction::AddValue(const TVREvResult &value)
{
    if (!Started) {
        Started = true;
        if (value.IsNumeric() || value.IsError())
            Sum = value;
        else
            Sum = TVREvResult::MakeError(msg::CannotDo(QStringLiteral("add"), kindWord(value.Kind)));
        return;
    }
    if (Sum.IsError())
        return;
    switch (value.Kind) {
    case TVREvKind::Integer:
        if (Sum.Kind == TVREvKind::Integer) {
            qint32 r = 0;
            if (__builtin_add_overflow(Sum.Integer, value.Integer, &r))
                Sum = TVREvResult::MakeError(msg::IntegerOverflow());
            else
                Sum.Integer = r;
        } else {
            Sum.Float += value.Integer;
        }
        break;
    case TVREvKind::Float:
        // From the first float on the sum is a float, the integers so far included.
        if (Sum.Kind == TVREvKind::Integer)
            Sum = TVREvResult::FromFloat(double(Sum.Integer) + value.Float);
        else
            Sum.Float += value.Float;
        break;
    case TVREvKind::String:
        Sum = TVREvResult::MakeError(msg::CannotDo(QStringLiteral("add"), QStringLiteral("string")));
        break;
    case TVREvKind::Boolean:
        break;
    case TVREvKind::Error:
        Sum = value;
        break;
    }
}

void TVREvSumFunction::Aggregate()
{
    if (Arguments.size() != 1) {
        Started = true;
        Sum = TVREvResult::MakeError(msg::WrongArguments(QStringLiteral("SUM")));
        return;
    }
    AddValue(Arguments.front());
}

TVREvResult TVREvSumFunction::Calculate()
{
    if (Arguments.size() != 1)
        return TVREvResult::MakeError(msg::WrongArguments(QStringLiteral("SUM")));
    return Started ? Sum : TVREvResult::FromInteger(0);
}

TVREvAverageFunction::TVREvAverageFunction()
{
    TVREvAverageFunction::Reset();
}

void TVREvAverageFunction::Reset()
{
    TVREvSumFunction::Reset();
    Count = 0;
    Average = TVREvResult::FromFloat(0.0);
}

void TVREvAverageFunction::Aggregate()
{
    if (Arguments.size() != 1) {
        Average = TVREvResult::MakeError(msg::WrongArguments(QStringLiteral("AVERAGE")));
        return;
    }
    TVREvSumFunction::Aggregate();
    ++Count;
    if (Sum.IsError())
        Average = Sum;
    else
        Average = TVREvResult::FromFloat(Sum.AsDouble() / Count);
}

TVREvResult TVREvAverageFunction::Calculate()
{
    if (Arguments.size() != 1)
        return TVREvResult::MakeError(msg::WrongArguments(QStringLiteral("AVERAGE")));
    return Average;
}

TVREvCountFunction::TVREvCountFunction()
{
    IsAggreg = true;
}

TVREvResult TVREvCountFunction::Value(TVRFiFo &queue)
{
    ReadArguments(queue);
    if (!Arguments.empty()) {
        Arguments.clear();
        return TVREvResult::MakeError(QStringLiteral("COUNT - ") + msg::TooManyArguments());
    }
    if (queue.Aggregate)
        ++Count;
    return TVREvResult::FromInteger(Count);
}

TVREvExtremeFunction::TVREvExtremeFunction(bool maximum, const char *name)
    : m_maximum(maximum), m_name(name)
{
    IsAggreg = true;
    TVREvExtremeFunction::Reset();
}

void TVREvExtremeFunction::Reset()
{
    Started = false;
    Stored = TVREvResult::FromInteger(0);
}

void TVREvExtremeFunction::Aggregate()
{
    if (Arguments.size() != 1) {
        Started = true;
        Stored = TVREvResult::MakeError(msg::WrongArguments(QString::fromLatin1(m_name)));
        return;
    }
    const TVREvResult &v = Arguments.front();
    if (!Started) {
        Started = true;
        Stored = v;
        return;
    }
    if (Stored.IsError())
        return;
    if (v.IsError()) {
        Stored = v;
        return;
    }
    int order = 0; // the new value against the stored one
    if (v.IsNumeric() && Stored.IsNumeric()) {
        if (v.Kind == TVREvKind::Integer && Stored.Kind == TVREvKind::Integer)
            order = v.Integer < Stored.Integer ? -1 : (v.Integer > Stored.Integer ? 1 : 0);
        else
            order = v.AsDouble() < Stored.AsDouble() ? -1 : (v.AsDouble() > Stored.AsDouble() ? 1 : 0);
    } else if (v.Kind == TVREvKind::String && Stored.Kind == TVREvKind::String) {
        order = CompareTextBytes(v.Text, Stored.Text);
    } else if (v.Kind == TVREvKind::Boolean && Stored.Kind == TVREvKind::Boolean) {
        order = int(v.Boolean) - int(Stored.Boolean);
    } else {
        return; // kinds that do not compare: the stored value stays
    }
    if ((m_maximum && order > 0) || (!m_maximum && order < 0))
        Stored = v;
}

TVREvResult TVREvExtremeFunction::Calculate()
{
    if (Arguments.size() != 1)
        return TVREvResult::MakeError(msg::WrongArguments(QString::fromLatin1(m_name)));
    return Started ? Stored : TVREvResult::FromInteger(0);
}

// ---------------------------------------------------------------------------------------

TVREvResult TVREvTrue::Calculate()
{
    if (!Arguments.empty())
        return TVREvResult::MakeError(msg::TooManyArguments());
    return TVREvResult::FromBoolean(true);
}

TVREvResult TVREvFalse::Calculate()
{
    if (!Arguments.empty())
        return TVREvResult::MakeError(msg::TooManyArguments());
    return TVREvResult::FromBoolean(false);
}

TVREvResult TVREvIntFunction::Calculate()
{
    if (Arguments.size() == 1) {
        const TVREvResult &a = Arguments.front();
        if (a.Kind == TVREvKind::Integer)
            return a;
        if (a.Kind == TVREvKind::Float) {
            const double t = std::trunc(a.Float);
            if (!fitsInt32(t))
                return TVREvResult::MakeError(msg::IntegerOverflow());
            return TVREvResult::FromInteger(static_cast<qint32>(t));
        }
    }
    return TVREvResult::MakeError(msg::WrongArguments(QStringLiteral("INT")));
}

TVREvResult TVREvFracFunction::Calculate()
{
    if (Arguments.size() == 1) {
        const TVREvResult &a = Arguments.front();
        if (a.Kind == TVREvKind::Integer)
            return TVREvResult::FromFloat(0.0);
        if (a.Kind == TVREvKind::Float)
            return TVREvResult::FromFloat(a.Float - std::trunc(a.Float));
    }
    return TVREvResult::MakeError(msg::WrongArguments(QStringLiteral("FRAC")));
}

TVREvResult TVREvSQRTFunction::Calculate()
{
    if (Arguments.size() == 1 && Arguments.front().IsNumeric()) {
        const double v = Arguments.front().AsDouble();
        if (v >= 0.0)
            return TVREvResult::FromFloat(std::sqrt(v));
    }
    return TVREvResult::MakeError(QStringLiteral("Invalid argument to SQRT function"));
}

TVREvResult TVREvDivFunction::Calculate()
{
    if (Arguments.size() != 2 || !Arguments[0].IsNumeric() || !Arguments[1].IsNumeric())
        return TVREvResult::MakeError(msg::WrongArguments(QStringLiteral("DIV")));
    // Floats are rounded to the nearest integer first, halves to even.
    double operand[2];
    for (int i = 0; i < 2; ++i)
        operand[i] = Arguments[size_t(i)].Kind == TVREvKind::Integer ? double(Arguments[size_t(i)].Integer)
                                                                     : std::nearbyint(Arguments[size_t(i)].Float);
    // The divisor is tested after rounding: DIV(1, 0.4) divides by 0.
    if (operand[1] == 0.0)
        return TVREvResult::MakeError(QStringLiteral("Division by Zero"));
    if (!fitsInt32(operand[0]) || !fitsInt32(operand[1]))
        return TVREvResult::MakeError(msg::IntegerOverflow());
    const qint32 a = static_cast<qint32>(operand[0]);
    const qint32 b = static_cast<qint32>(operand[1]);
    if (a == std::numeric_limits<qint32>::min() && b == -1)
        return TVREvResult::MakeError(msg::IntegerOverflow());
    return TVREvResult::FromInteger(a / b);
}

TVREvResult TVREvTypeOfFunction::Calculate()
{
    if (Arguments.size() != 1)
        return TVREvResult::MakeError(msg::WrongArguments(QStringLiteral("TypeOf")));
    return TVREvResult::FromString(KindName(Arguments.front().Kind));
}

TVREvResult TVREvFormatNumericFunction::Calculate()
{
    if (Arguments.size() != 2 || Arguments[0].Kind != TVREvKind::String || !Arguments[1].IsNumeric())
        return TVREvResult::MakeError(msg::WrongArguments(QStringLiteral("FORMATNUMERIC")));
    QString text;
    if (!FormatNumberWithMask(Arguments[0].Text, Arguments[1].AsDouble(), &text))
        return TVREvResult::MakeError(QStringLiteral("Invalid format or value specified"));
    return TVREvResult::FromString(text);
}

} // namespace reportengine
