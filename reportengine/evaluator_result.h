#pragma once

// The value every expression element yields. Faults in an expression are values too
// (Kind Error with its message), so a report with a broken expression still prints and
// shows what is wrong where the value would stand.

#include <QString>
#include <QtGlobal>
#include <stdexcept>

namespace reportengine {

enum class TVREvKind : quint8
{
    Integer = 0,
    Float = 1,
    String = 2,
    Boolean = 3,
    Error = 4,
};

// One tagged value. Only the field that belongs to Kind is meaningful.
struct TVREvResult
{
    TVREvKind Kind = TVREvKind::Error;
    QString Text; // a string's value or an error's message
    qint32 Integer = 0;
    double Float = 0.0;
    bool Boolean = false;

    static TVREvResult FromInteger(qint32 value)
    {
        TVREvResult r;
        r.Kind = TVREvKind::Integer;
        r.Integer = value;
        return r;
    }
    static TVREvResult FromFloat(double value)
    {
        TVREvResult r;
        r.Kind = TVREvKind::Float;
        r.Float = value;
        return r;
    }
    static TVREvResult FromString(const QString &value)
    {
        TVREvResult r;
        r.Kind = TVREvKind::String;
        r.Text = value;
        return r;
    }
    static TVREvResult FromBoolean(bool value)
    {
        TVREvResult r;
        r.Kind = TVREvKind::Boolean;
        r.Boolean = value;
        return r;
    }
    static TVREvResult MakeError(const QString &message)
    {
        TVREvResult r;
        r.Kind = TVREvKind::Error;
        r.Text = message;
        return r;
    }

    bool IsError() const { return Kind == TVREvKind::Error; }
    bool IsNumeric() const { return Kind == TVREvKind::Integer || Kind == TVREvKind::Float; }
    double AsDouble() const { return Kind == TVREvKind::Integer ? double(Integer) : Float; }
};

// An evaluated function argument is held by value.
using TVREvResultClass = TVREvResult;

// Raised only for "Evaluator not prepared" and when an error value is turned into text;
// the report's entry points catch it. Everything else travels as an error value.
class TVREvaluatorError : public std::runtime_error
{
public:
    explicit TVREvaluatorError(const QString &message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

// "INTEGER", "FLOAT", "STRING", "BOOLEAN" or "ERROR".
QString KindName(TVREvKind kind);

// The text of a value as operand conversion and printing use it: decimal digits, the
// general float form with up to 15 significant digits, the string itself, "True"/"False".
// An error value raises "Error in expression : <message>".
QString ResultToText(const TVREvResult &result);

// The general float form (15 significant digits, "." as the program's decimal point), so
// 0.1+0.2 reads 0.3.
QString FloatToGeneralText(double value);

// Order of two texts by the bytes of their Windows-1250 form, the order the stored data
// and the users' code page give (so "ó" sorts after "ż" as it always has). Returns <0, 0, >0.
int CompareTextBytes(const QString &a, const QString &b);

// Message texts of the evaluator and its functions.
namespace msg {
QString ErrorInExpression(const QString &text);     // "Error in expression : %s"
QString Missing(const QString &what);               // "Missing %s"
QString IllegalNumber(const QString &literal);      // "Illegal character in numeric contant "%s""
QString InvalidNot();                               // "Invalid use of NOT"
QString UnknownFunction(const QString &name);       // "Unknown function : %s"
QString UnknownFieldType(const QString &field);     // "Field %s is of unknown type"
QString NotCompatible(const QString &op, const QString &kind); // "Operator %s is not compatible with %s expressions"
QString CannotDo(const QString &verb, const QString &kind);    // "Cannot %s %s expressions"
QString DivideByZero();                             // "Cannot divide by 0"
QString NotPrepared();                              // "Evaluator not prepared"
QString IntegerOverflow();                          // "Integer overflow"
QString NestedTooDeeply();                          // "Expression nested too deeply"
QString WrongArguments(const QString &function);    // "Wrong arguments for %s"
QString MissingArgument(const QString &function);   // "Missing argument for %s"
QString TooManyArguments();                         // "Too many arguments"
QString RecursiveCall();                            // "Recursive calls not allowed"
} // namespace msg

} // namespace reportengine
