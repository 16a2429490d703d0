#include "reportengine/evaluator.h"

#include "reportengine/expr_functions_environment.h"
#include "reportengine/expr_functions_library.h"

#include <cmath>
#include <limits>

namespace reportengine {

// ---------------------------------------------------------------------------------------
// Operators

namespace {

QString operatorName(int code)
{
    static const char *const names[] = {"<", "<=", ">", ">=", "=", "<>", "+", "-", "OR", "*", "/", "AND"};
    if (code < 0 || code > 11)
        return QString();
    return QString::fromLatin1(names[code]);
}

const char *verbOf(int code)
{
    switch (code) {
    case opAdd:
        return "add";
    case opSubtract:
        return "subtract";
    case opMultiply:
        return "multiply";
    default:
        return "divide";
    }
}

template <typename T> TVREvResult compareResult(int code, const T &a, const T &b)
{
    switch (code) {
    case opLess:
        return TVREvResult::FromBoolean(a < b);
    case opLessEqual:
        return TVREvResult::FromBoolean(a <= b);
    case opGreater:
        return TVREvResult::FromBoolean(a > b);
    case opGreaterEqual:
        return TVREvResult::FromBoolean(a >= b);
    case opEqual:
        return TVREvResult::FromBoolean(a == b);
    default:
        return TVREvResult::FromBoolean(a != b);
    }
}

TVREvResult applyInteger(int code, qint32 a, qint32 b)
{
    qint32 r = 0;
    switch (code) {
    case opAdd:
        if (__builtin_add_overflow(a, b, &r))
            return TVREvResult::MakeError(msg::IntegerOverflow());
        return TVREvResult::FromInteger(r);
    case opSubtract:
        if (__builtin_sub_overflow(a, b, &r))
            return TVREvResult::MakeError(msg::IntegerOverflow());
        return TVREvResult::FromInteger(r);
    case opMultiply:
        if (__builtin_mul_overflow(a, b, &r))
            return TVREvResult::MakeError(msg::IntegerOverflow());
        return TVREvResult::FromInteger(r);
    case opDivide:
        if (b == 0)
            return TVREvResult::MakeError(msg::DivideByZero());
        return TVREvResult::FromFloat(double(a) / double(b));
    case opOr:
        return TVREvResult::FromInteger(a | b);
    case opAnd:
        return TVREvResult::FromInteger(a & b);
    default:
        return compareResult(code, a, b);
    }
}

TVREvResult applyFloat(int code, double a, double b)
{
    switch (code) {
    case opAdd:
        return TVREvResult::FromFloat(a + b);
    case opSubtract:
        return TVREvResult::FromFloat(a - b);
    case opMultiply:
        return TVREvResult::FromFloat(a * b);
    case opDivide:
        if (b == 0.0)
            return TVREvResult::MakeError(msg::DivideByZero());
        return TVREvResult::FromFloat(a / b);
    case opOr:
    case opAnd:
        return TVREvResult::MakeError(msg::NotCompatible(operatorName(code), QStringLiteral("numeric")));
    default:
        return compareResult(code, a, b);
    }
}

TVREvResult applyString(int code, TVREvResult &a, const TVREvResult &b)
{
    switch (code) {
    case opAdd:
        a.Text += b.Text;
        return std::move(a);
    case opSubtract:
    case opMultiply:
    case opDivide:
        return TVREvResult::MakeError(msg::CannotDo(QString::fromLatin1(verbOf(code)), QStringLiteral("string")));
    case opOr:
    case opAnd:
        return TVREvResult::MakeError(msg::NotCompatible(operatorName(code), QStringLiteral("string")));
    case opEqual:
        return TVREvResult::FromBoolean(a.Text == b.Text);
    case opNotEqual:
        return TVREvResult::FromBoolean(a.Text != b.Text);
    default:
        return compareResult(code, CompareTextBytes(a.Text, b.Text), 0);
    }
}

TVREvResult applyBoolean(int code, bool a, bool b)
{
    switch (code) {
    case opEqual:
        return TVREvResult::FromBoolean(a == b);
    case opNotEqual:
        return TVREvResult::FromBoolean(a != b);
    case opOr:
        return TVREvResult::FromBoolean(a || b);
    case opAnd:
        return TVREvResult::FromBoolean(a && b);
    case opAdd:
    case opSubtract:
    case opMultiply:
    case opDivide:
        return TVREvResult::MakeError(msg::CannotDo(QString::fromLatin1(verbOf(code)), QStringLiteral("boolean")));
    default:
        return TVREvResult::MakeError(msg::NotCompatible(operatorName(code), QStringLiteral("boolean")));
    }
}

} // namespace

TVREvResult ApplyOperator(int code, TVREvResult left, TVREvResult right)
{
    if (left.IsError())
        return left;
    if (right.IsError())
        return right;
    if (left.Kind != right.Kind) {
        if (left.IsNumeric() && right.IsNumeric()) {
            left = TVREvResult::FromFloat(left.AsDouble());
            right = TVREvResult::FromFloat(right.AsDouble());
        } else {
            left = TVREvResult::FromString(ResultToText(left));
            right = TVREvResult::FromString(ResultToText(right));
        }
    }
    switch (left.Kind) {
    case TVREvKind::Integer:
        return applyInteger(code, left.Integer, right.Integer);
    case TVREvKind::Float:
        return applyFloat(code, left.Float, right.Float);
    case TVREvKind::String:
        return applyString(code, left, right);
    case TVREvKind::Boolean:
        return applyBoolean(code, left.Boolean, right.Boolean);
    case TVREvKind::Error:
        break;
    }
    return left;
}

namespace {

TVREvResult nextValue(TVRFiFo &queue)
{
    TVREvElement *e = queue.Get();
    if (!e)
        return TVREvResult::MakeError(QString());
    return e->Value(queue);
}

} // namespace

TVREvResult TVREvElementOperator::Value(TVRFiFo &queue)
{
    // Every operand is read even after an error, so the queue stays in step for the
    // elements that follow.
    TVREvResult acc = nextValue(queue);
    for (const quint8 code : Codes) {
        TVREvResult right = nextValue(queue);
        acc = ApplyOperator(code, std::move(acc), std::move(right));
    }
    return acc;
}

TVREvResult TVREvElementNot::Value(TVRFiFo &queue)
{
    TVREvResult v = nextValue(queue);
    if (v.Kind == TVREvKind::Boolean)
        return TVREvResult::FromBoolean(!v.Boolean);
    // A fault in the operand is the fault to show; the operand being of the wrong kind is
    // this element's own.
    if (v.IsError())
        return v;
    return TVREvResult::MakeError(msg::InvalidNot());
}

// ---------------------------------------------------------------------------------------
// Data fields

TVREvElementDataField::TVREvElementDataField(TVRDataSet *dataSet, int fieldIndex)
    : DataSet(dataSet), FieldIndex(fieldIndex), Field(dataSet ? dataSet->FieldAt(fieldIndex) : nullptr)
{
}

TVREvResult TVREvElementDataField::Value(TVRFiFo &)
{
    if (DataSet && DataSet->MakesOwnFields())
        Field = DataSet->FieldAt(FieldIndex);
    if (!Field)
        return TVREvResult::MakeError(msg::UnknownFieldType(QString()));
    switch (Field->FieldKind()) {
    case TVRFieldKind::String:
        return TVREvResult::FromString(Field->AsString());
    case TVRFieldKind::Integer:
    case TVRFieldKind::SmallInt:
    case TVRFieldKind::Word:
        return TVREvResult::FromInteger(Field->AsInteger());
    case TVRFieldKind::Float:
    case TVRFieldKind::Currency:
    case TVRFieldKind::BCD:
    case TVRFieldKind::FMTBcd:
        return TVREvResult::FromFloat(Field->AsFloat());
    case TVRFieldKind::Boolean:
        return TVREvResult::FromBoolean(Field->AsBoolean());
    case TVRFieldKind::Date:
    case TVRFieldKind::Time:
    case TVRFieldKind::DateTime:
    case TVRFieldKind::TimeStamp:
        return TVREvResult::FromString(Field->DisplayText());
    case TVRFieldKind::Other:
        break;
    }
    return TVREvResult::MakeError(msg::UnknownFieldType(Field->FieldName()));
}

// ---------------------------------------------------------------------------------------
// Functions

void TVREvElementFunction::ReadArguments(TVRFiFo &queue)
{
    Arguments.clear();
    for (;;) {
        TVREvElement *e = queue.Get();
        if (!e || e->IsArgumentEnd())
            break;
        Arguments.push_back(e->Value(queue));
    }
}

TVREvResult TVREvElementFunction::Value(TVRFiFo &queue)
{
    ReadArguments(queue);
    if (queue.Aggregate)
        Aggregate();
    TVREvResult r = Calculate();
    Arguments.clear();
    return r;
}

TVREvResult TVREvElementFunction::Calculate()
{
    return TVREvResult::MakeError(QString());
}

// ---------------------------------------------------------------------------------------
// Evaluator

QStringView StripBlanks(QStringView text)
{
    qsizetype b = 0;
    qsizetype e = text.size();
    while (b < e && text[b].unicode() <= ' ')
        ++b;
    while (e > b && text[e - 1].unicode() <= ' ')
        --e;
    return text.mid(b, e - b);
}

TVREvaluator::TVREvaluator() = default;

TVREvaluator::~TVREvaluator()
{
    if (m_prepared)
        UnPrepare();
}

void TVREvaluator::Put(std::unique_ptr<TVREvElement> element)
{
    m_queue->Put(std::move(element));
}

void TVREvaluator::Prepare(const QString &expression)
{
    if (m_prepared)
        UnPrepare();
    if (!m_entryEvaluator) {
        RegisterExpressionFunctions(); // nothing when start-up has registered them
        if (TVREvEnvironment *global = GlobalEnvironment()) {
            global->Prepare();
            m_holdsGlobalEnvironment = true;
        }
    }
    m_queue = std::make_unique<TVRFiFo>();
    m_nesting = 0;
    // An empty expression is a string of one blank, so a label with nothing to show
    // prints nothing rather than an error.
    if (StripBlanks(expression).isEmpty())
        Put(std::make_unique<TVREvElementString>(QStringLiteral(" ")));
    else
        parse(expression, Level::Relational);
    m_serialValid = false;
    m_prepared = true;
}

void TVREvaluator::UnPrepare()
{
    m_queue.reset();
    m_prepared = false;
    m_serialValid = false;
    if (m_holdsGlobalEnvironment) {
        m_holdsGlobalEnvironment = false;
        if (TVREvEnvironment *global = GlobalEnvironment())
            global->UnPrepare();
    }
}

TVREvResult TVREvaluator::Value()
{
    if (!m_prepared || !m_queue)
        throw TVREvaluatorError(msg::NotPrepared());
    m_queue->Start();
    TVREvElement *first = m_queue->Get();
    if (!first)
        return TVREvResult::MakeError(QString());
    return first->Value(*m_queue);
}

void TVREvaluator::Reset()
{
    m_serialValid = false;
    if (!m_queue)
        return;
    for (auto &e : m_queue->Elements)
        e->Reset();
}

void TVREvaluator::DoAggregate()
{
    if (!m_prepared || !m_queue)
        throw TVREvaluatorError(msg::NotPrepared());
    struct FlagGuard
    {
        TVRFiFo &q;
        ~FlagGuard() { q.Aggregate = false; }
    } guard{*m_queue};
    m_queue->Aggregate = true;
    (void)Value();
}

void TVREvaluator::DoAggregate(quint64 recordSerial)
{
    if (m_serialValid && m_lastSerial == recordSerial)
        return;
    DoAggregate();
    m_serialValid = true;
    m_lastSerial = recordSerial;
}

bool TVREvaluator::IsAggreg() const
{
    if (!m_queue)
        return false;
    for (const auto &e : m_queue->Elements)
        if (e->IsAggreg)
            return true;
    return false;
}

void TVREvaluator::ParseText(QStringView text)
{
    parse(text, Level::Relational);
}

// ---------------------------------------------------------------------------------------
// Parsing

namespace {

// Quote, bracket and parenthesis state while a level scans its text.
struct Scan
{
    int depth = 0;
    bool inQuote = false;
    bool inBracket = false;

    bool top() const { return depth == 0 && !inQuote && !inBracket; }
    void step(QChar c)
    {
        switch (c.unicode()) {
        case '\'':
            if (!inBracket)
                inQuote = !inQuote;
            break;
        case '[':
            if (!inQuote && !inBracket)
                inBracket = true;
            break;
        case ']':
            if (inBracket && !inQuote)
                inBracket = false;
            break;
        case '(':
            if (!inQuote && !inBracket)
                ++depth;
            break;
        case ')':
            if (!inQuote && !inBracket)
                --depth;
            break;
        default:
            break;
        }
    }
};

bool isBlank(QChar c)
{
    return c.unicode() <= ' ';
}

bool isDigit(QChar c)
{
    return c.unicode() >= '0' && c.unicode() <= '9';
}

bool isAsciiLetter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
}

// " or " / " and " at position i (the blank), in any case.
bool wordAt(QStringView text, qsizetype i, QLatin1StringView word)
{
    if (text[i] != QLatin1Char(' '))
        return false;
    const qsizetype n = word.size();
    if (i + 1 + n + 1 > text.size())
        return false;
    if (text.mid(i + 1, n).compare(word, Qt::CaseInsensitive) != 0)
        return false;
    return text[i + 1 + n] == QLatin1Char(' ');
}

// What an operator matcher answers for a position: the operator's code and length there,
// a length of 0 when none stands there.
struct OperatorMatch
{
    int code = -1;
    qsizetype length = 0;
};

OperatorMatch relationalAt(QStringView text, qsizetype i)
{
    const QChar c = text[i];
    const QChar next = text[i + 1];
    if (c == QLatin1Char('<')) {
        if (next == QLatin1Char('>'))
            return {opNotEqual, 2};
        if (next == QLatin1Char('='))
            return {opLessEqual, 2};
        return {opLess, 1};
    }
    if (c == QLatin1Char('='))
        return {opEqual, 1};
    if (c == QLatin1Char('>'))
        return next == QLatin1Char('=') ? OperatorMatch{opGreaterEqual, 2} : OperatorMatch{opGreater, 1};
    return {};
}

OperatorMatch multiplicativeAt(QStringView text, qsizetype i)
{
    if (text[i] == QLatin1Char('*'))
        return {opMultiply, 1};
    if (text[i] == QLatin1Char('/'))
        return {opDivide, 1};
    return {};
}

} // namespace

// The operators of one level in a text, as `match(text, i)` recognises them: only outside
// quotes, brackets and parentheses, and only after something other than blanks since the
// text's start or the last operator (so a leading sign or word belongs to its operand);
// the last character is never one. At most `limit` are looked for.
template <typename Match>
std::vector<TVREvaluator::FoundOperator> TVREvaluator::scanOperators(QStringView text, Match match, size_t limit)
{
    std::vector<FoundOperator> found;
    Scan s;
    bool content = false;
    const qsizetype last = text.size() - 1;
    for (qsizetype i = 0; i < last && found.size() < limit; ++i) {
        const QChar c = text[i];
        if (s.top() && content) {
            if (const OperatorMatch m = match(text, i); m.length > 0) {
                found.push_back({i, m.length, m.code});
                i += m.length - 1;
                content = false;
                continue;
            }
        }
        if (!isBlank(c))
            content = true;
        s.step(c);
    }
    return found;
}

void TVREvaluator::parse(QStringView text, Level level)
{
    switch (level) {
    case Level::Relational:
        parseRelational(text);
        return;
    case Level::Or:
    case Level::And:
        parseWordLevel(text, level);
        return;
    case Level::Additive:
        parseAdditive(text);
        return;
    case Level::Multiplicative:
        parseMultiplicative(text);
        return;
    case Level::Factor:
        parseFactor(text);
        return;
    }
}

void TVREvaluator::parseRelational(QStringView text)
{
    // One comparison at most: the first operator splits the text.
    const std::vector<FoundOperator> ops = scanOperators(text, relationalAt, 1);
    if (ops.empty()) {
        parse(text, Level::Or);
        return;
    }
    const FoundOperator &op = ops.front();
    Put(std::make_unique<TVREvElementOperator>(op.code));
    parse(text.left(op.at), Level::Or);
    parse(text.mid(op.at + op.length), Level::Or);
}

void TVREvaluator::putChain(QStringView text, const std::vector<FoundOperator> &operators, Level next)
{
    if (operators.empty()) {
        parse(text, next);
        return;
    }
    auto chain = std::make_unique<TVREvElementOperator>(operators.front().code);
    chain->Codes.clear();
    for (const FoundOperator &op : operators)
        chain->Codes.push_back(static_cast<quint8>(op.code));
    Put(std::move(chain));
    qsizetype begin = 0;
    for (const FoundOperator &op : operators) {
        parse(text.mid(begin, op.at - begin), next);
        begin = op.at + op.length;
    }
    parse(text.mid(begin), next);
}

void TVREvaluator::parseWordLevel(QStringView text, Level level)
{
    const QLatin1StringView word = level == Level::Or ? QLatin1StringView("or") : QLatin1StringView("and");
    const int code = level == Level::Or ? opOr : opAnd;
    const Level next = level == Level::Or ? Level::And : Level::Additive;
    // The operator is the blank before the word and the word: the blank after it stays
    // with the right operand.
    const auto wordOperatorAt = [word, code](QStringView t, qsizetype i) {
        return wordAt(t, i, word) ? OperatorMatch{code, 1 + word.size()} : OperatorMatch{};
    };
    const std::vector<FoundOperator> ops = scanOperators(text, wordOperatorAt);
    putChain(text, ops, next);
}

void TVREvaluator::parseAdditive(QStringView text)
{
    std::vector<FoundOperator> ops;
    Scan s;
    // Not scanOperators: a + or - may be a sign rather than an operator. What the operand
    // so far looks like decides: nothing but blanks and signs (a + or - there is the
    // operand's sign), a number up to its exponent letter (a + or - there is the
    // exponent's sign), or anything else (a + or - there is an operator).
    enum class Operand
    {
        Empty,
        Digits,
        Point,
        Exponent,
        Other,
    } operand = Operand::Empty;
    const qsizetype last = text.size() - 1;
    for (qsizetype i = 0; i < last; ++i) {
        const QChar c = text[i];
        const bool sign = c == QLatin1Char('+') || c == QLatin1Char('-');
        if (s.top() && sign && operand != Operand::Empty && operand != Operand::Exponent) {
            ops.push_back({i, 1, c == QLatin1Char('+') ? opAdd : opSubtract});
            operand = Operand::Empty;
            continue;
        }
        switch (operand) {
        case Operand::Empty:
            if (isDigit(c))
                operand = Operand::Digits;
            else if (!isBlank(c) && !sign)
                operand = Operand::Other;
            break;
        case Operand::Digits:
            if (c == QLatin1Char('.'))
                operand = Operand::Point;
            else if (c == QLatin1Char('E') || c == QLatin1Char('e'))
                operand = Operand::Exponent;
            else if (!isDigit(c))
                operand = Operand::Other;
            break;
        case Operand::Point:
            if (c == QLatin1Char('E') || c == QLatin1Char('e'))
                operand = Operand::Exponent;
            else if (!isDigit(c))
                operand = Operand::Other;
            break;
        case Operand::Exponent:
            // The exponent's sign, or its first digit: from here on a sign is an operator.
            operand = Operand::Other;
            break;
        case Operand::Other:
            break;
        }
        s.step(c);
    }
    putChain(text, ops, Level::Multiplicative);
}

void TVREvaluator::parseMultiplicative(QStringView text)
{
    const std::vector<FoundOperator> ops = scanOperators(text, multiplicativeAt);
    putChain(text, ops, Level::Factor);
}

void TVREvaluator::parseFactor(QStringView raw)
{
    const QStringView text = StripBlanks(raw);
    if (text.isEmpty()) {
        // An operand left out ("1+", "not", an empty argument).
        Put(std::make_unique<TVREvElementError>(msg::ErrorInExpression(QString())));
        return;
    }
    if (m_nesting >= MaxNesting) {
        Put(std::make_unique<TVREvElementError>(msg::NestedTooDeeply()));
        return;
    }
    struct NestingGuard
    {
        int &n;
        explicit NestingGuard(int &counter) : n(counter) { ++n; }
        ~NestingGuard() { --n; }
    } guard(m_nesting);

    const qsizetype n = text.size();
    // `not` is the word alone: a name that merely begins with the letters (NOTE, NOTATKA)
    // is a name.
    if (n >= 3 && text.left(3).compare(QLatin1StringView("not"), Qt::CaseInsensitive) == 0 &&
        (n == 3 || isBlank(text[3]) || text[3] == QLatin1Char('('))) {
        Put(std::make_unique<TVREvElementNot>());
        parse(text.mid(3), Level::Or);
        return;
    }
    const QChar c = text[0];
    if (isDigit(c)) {
        parseNumber(text);
        return;
    }
    if (isAsciiLetter(c)) {
        parseCall(text);
        return;
    }
    switch (c.unicode()) {
    case '[':
        if (n >= 2 && text[n - 1] == QLatin1Char(']'))
            EvalVariable(text.mid(1, n - 2).toString());
        else
            Put(std::make_unique<TVREvElementError>(msg::Missing(QStringLiteral("]"))));
        return;
    case '\'':
        if (n >= 2 && text[n - 1] == QLatin1Char('\''))
            Put(std::make_unique<TVREvElementString>(text.mid(1, n - 2).toString()));
        else
            Put(std::make_unique<TVREvElementError>(msg::Missing(QStringLiteral("'"))));
        return;
    case '(':
        if (n >= 2 && text[n - 1] == QLatin1Char(')'))
            parse(text.mid(1, n - 2), Level::Relational);
        else
            Put(std::make_unique<TVREvElementError>(msg::Missing(QStringLiteral(")"))));
        return;
    case '+':
        parse(text.mid(1), Level::Factor);
        return;
    case '-': {
        // 0 minus the rest.
        Put(std::make_unique<TVREvElementOperator>(opSubtract));
        Put(std::make_unique<TVREvElementConstant>(TVREvResult::FromInteger(0)));
        parse(text.mid(1), Level::Additive);
        return;
    }
    default:
        Put(std::make_unique<TVREvElementError>(msg::ErrorInExpression(text.toString())));
        return;
    }
}

void TVREvaluator::parseNumber(QStringView text)
{
    qsizetype digits = 0;
    while (digits < text.size() && isDigit(text[digits]))
        ++digits;
    if (digits == text.size()) {
        bool ok = false;
        const qlonglong v = text.toLongLong(&ok);
        if (ok && v >= std::numeric_limits<qint32>::min() && v <= std::numeric_limits<qint32>::max()) {
            Put(std::make_unique<TVREvElementConstant>(TVREvResult::FromInteger(static_cast<qint32>(v))));
            return;
        }
        // Too large for 32 bits: a float.
    } else {
        for (qsizetype i = digits; i < text.size(); ++i) {
            const QChar c = text[i];
            if (!(isDigit(c) || c == QLatin1Char('+') || c == QLatin1Char('-') || c == QLatin1Char('.') ||
                  c == QLatin1Char('E') || c == QLatin1Char('e'))) {
                Put(std::make_unique<TVREvElementError>(msg::IllegalNumber(text.toString())));
                return;
            }
        }
    }
    // The program's decimal point is "." whatever the desktop's locale says, and
    // QString's conversion is the C one.
    bool ok = false;
    const double v = text.toDouble(&ok);
    if (!ok || !std::isfinite(v)) {
        Put(std::make_unique<TVREvElementError>(msg::IllegalNumber(text.toString())));
        return;
    }
    Put(std::make_unique<TVREvElementConstant>(TVREvResult::FromFloat(v)));
}

void TVREvaluator::parseCall(QStringView text)
{
    const qsizetype open = text.indexOf(QLatin1Char('('));
    if (open < 0) {
        EvalFunction(text.toString(), QString());
        return;
    }
    if (text.back() != QLatin1Char(')')) {
        EvalFunction(QString(), QString());
        return;
    }
    // "IF (a, b, c)": the blank before the bracket is not part of the name.
    const QStringView name = StripBlanks(text.left(open));
    EvalFunction(name.toString(), text.mid(open + 1, text.size() - open - 2).toString());
}

void TVREvaluator::parseArguments(QStringView arguments)
{
    // Separators stand outside quotes at depth 0; the text's last character is never one.
    bool inQuote = false;
    int depth = 0;
    qsizetype begin = 0;
    const qsizetype last = arguments.size() - 1;
    for (qsizetype i = 0; i < last; ++i) {
        const QChar c = arguments[i];
        if (c == QLatin1Char('\'')) {
            inQuote = !inQuote;
        } else if (!inQuote && c == QLatin1Char('(')) {
            ++depth;
        } else if (!inQuote && c == QLatin1Char(')')) {
            --depth;
        } else if (!inQuote && depth == 0 && c == QLatin1Char(',')) {
            parse(arguments.mid(begin, i - begin), Level::Relational);
            begin = i + 1;
        }
    }
    if (begin < arguments.size())
        parse(arguments.mid(begin), Level::Relational);
}

void TVREvaluator::EvalFunction(const QString &name, const QString &arguments)
{
    const QString upper = name.toUpper();
    const TVRLibraryEntry *entry = nullptr;
    if (TVRFunctionLibrary *library = GlobalFunctionLibrary())
        entry = library->Find(upper);
    if (!entry) {
        if (arguments.isEmpty())
            EvalVariable(upper);
        else
            Put(std::make_unique<TVREvElementError>(msg::UnknownFunction(upper)));
        return;
    }
    Put(entry->Create());
    parseArguments(arguments);
    Put(std::make_unique<TVREvElementArgumentEnd>());
}

void TVREvaluator::EvalVariable(const QString &name)
{
    if (!m_dataSets.isEmpty()) {
        const qsizetype dot = name.indexOf(QLatin1Char('.'));
        if (dot < 0) {
            const QString field = name.toUpper();
            for (TVRDataSet *ds : std::as_const(m_dataSets)) {
                if (!ds)
                    continue;
                const int index = ds->FieldIndex(field);
                if (index >= 0) {
                    Put(std::make_unique<TVREvElementDataField>(ds, index));
                    return;
                }
            }
        } else {
            const QString setName = name.left(dot).toUpper();
            const QString field = name.mid(dot + 1).toUpper();
            for (TVRDataSet *ds : std::as_const(m_dataSets)) {
                if (!ds || ds->Name().compare(setName, Qt::CaseInsensitive) != 0)
                    continue;
                const int index = ds->FieldIndex(field);
                if (index >= 0) {
                    Put(std::make_unique<TVREvElementDataField>(ds, index));
                    return;
                }
                break;
            }
        }
    }
    if (m_environment && m_environment->Contains(name)) {
        Put(m_environment->GetElement(name));
        return;
    }
    if (TVREvEnvironment *global = GlobalEnvironment()) {
        Put(global->GetElement(name));
        return;
    }
    Put(std::make_unique<TVREvElementError>(msg::UnknownFunction(name)));
}

} // namespace reportengine
