#pragma once

// Text expressions of the report engine: an expression label's text, a group's break
// expression, the named entries of an environment. An expression is parsed once (Prepare)
// into a queue of elements in prefix order and evaluated as often as needed (Value);
// aggregate functions take the records' values while DoAggregate runs.
//
// Parsing never fails: a fault becomes an error element whose message is the value.
//
// Grammar, loosest first (each level splits its text at top level only: outside quotes,
// outside [brackets], at parenthesis depth 0, never at the text's last character and
// never before the first non-blank character of an operand):
//   relational  one of < <= > >= = <> (only the first one counts)
//   or          " or "   (a blank, then "or " in any case)
//   and         " and "
//   additive    + -      (a sign right after another operator is the next operand's sign)
//   multiplicative * /
//   factor      not x, number, name, name(arguments), [name], 'text', (expression), +x, -x
// A chain on one level is evaluated left to right: 10-2-3 is 5, 8/4/2 is 1.

#include "reportengine/evaluator_data.h"
#include "reportengine/evaluator_result.h"

#include <QList>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace reportengine {

class TVRFiFo;
class TVREvEnvironment;

// Base of every queue element.
class TVREvElement
{
public:
    virtual ~TVREvElement() = default;
    // The element's value; an element with operands reads them from the queue.
    virtual TVREvResult Value(TVRFiFo &queue) = 0;
    // Starts an aggregate again; nothing for other elements.
    virtual void Reset() {}
    virtual bool IsArgumentEnd() const { return false; }

    bool IsAggreg = false;
};

// The element queue of one prepared expression. Owns its elements.
class TVRFiFo
{
public:
    void Put(std::unique_ptr<TVREvElement> element) { Elements.push_back(std::move(element)); }
    void Start() { Position = 0; }
    // The element at Position, advancing it; null at the end.
    TVREvElement *Get()
    {
        if (Position >= static_cast<int>(Elements.size()))
            return nullptr;
        return Elements[static_cast<size_t>(Position++)].get();
    }

    bool Aggregate = false; // on only while aggregates are being accumulated
    std::vector<std::unique_ptr<TVREvElement>> Elements;
    int Position = 0;
};

// Operator codes.
enum TVREvOperator : quint8
{
    opLess = 0,
    opLessEqual = 1,
    opGreater = 2,
    opGreaterEqual = 3,
    opEqual = 4,
    opNotEqual = 5,
    opAdd = 6,
    opSubtract = 7,
    opOr = 8,
    opMultiply = 9,
    opDivide = 10,
    opAnd = 11,
};

// Applies one operator to two operand values (the conversions and messages of the
// evaluator). Exposed for the functions and for tests.
TVREvResult ApplyOperator(int code, TVREvResult left, TVREvResult right);

// An operator with its operands following it in the queue. A chain of operators of one
// level (a - b + c) is one element holding the codes in order; it reads the first
// operand, then applies each code with the next operand, left to right. Reading the
// chain in a loop keeps a long sum from nesting one call per term.
class TVREvElementOperator : public TVREvElement
{
public:
    explicit TVREvElementOperator(int code) { Codes.push_back(static_cast<quint8>(code)); }
    TVREvResult Value(TVRFiFo &queue) override;

    std::vector<quint8> Codes;
};

// `not`: the negation of the boolean that follows.
class TVREvElementNot : public TVREvElement
{
public:
    TVREvResult Value(TVRFiFo &queue) override;
};

class TVREvElementConstant : public TVREvElement
{
public:
    explicit TVREvElementConstant(TVREvResult value) : Result(std::move(value)) {}
    TVREvResult Value(TVRFiFo &) override { return Result; }

    TVREvResult Result;
};

class TVREvElementString : public TVREvElement
{
public:
    explicit TVREvElementString(QString text) : Text(std::move(text)) {}
    TVREvResult Value(TVRFiFo &) override { return TVREvResult::FromString(Text); }

    QString Text;
};

class TVREvElementDataField : public TVREvElement
{
public:
    TVREvElementDataField(TVRDataSet *dataSet, int fieldIndex);
    TVREvResult Value(TVRFiFo &queue) override;

    TVRDataSet *DataSet;
    int FieldIndex;
    TVRField *Field;
};

class TVREvElementError : public TVREvElement
{
public:
    explicit TVREvElementError(QString message) : Message(std::move(message)) {}
    TVREvResult Value(TVRFiFo &) override { return TVREvResult::MakeError(Message); }

    QString Message;
};

// Ends a function's arguments in the queue.
class TVREvElementArgumentEnd : public TVREvElement
{
public:
    TVREvResult Value(TVRFiFo &) override { return TVREvResult::MakeError(QString()); }
    bool IsArgumentEnd() const override { return true; }
};

// A function call: the arguments follow it in the queue up to an argument end.
class TVREvElementFunction : public TVREvElement
{
public:
    // Reads the arguments, takes them into the running value while the queue aggregates,
    // and yields Calculate.
    TVREvResult Value(TVRFiFo &queue) override;
    virtual void Aggregate() {}
    virtual TVREvResult Calculate();

protected:
    // Evaluates the following elements up to the argument end into Arguments.
    void ReadArguments(TVRFiFo &queue);

    std::vector<TVREvResultClass> Arguments;
};

class TVREvaluator
{
public:
    TVREvaluator();
    virtual ~TVREvaluator();
    TVREvaluator(const TVREvaluator &) = delete;
    TVREvaluator &operator=(const TVREvaluator &) = delete;

    // The data sets whose fields the expression may name (not owned). Set before Prepare:
    // names are bound while parsing.
    const QList<TVRDataSet *> &DataSets() const { return m_dataSets; }
    void SetDataSets(const QList<TVRDataSet *> &dataSets) { m_dataSets = dataSets; }
    // A local environment looked up before the global one (not owned).
    TVREvEnvironment *Environment() const { return m_environment; }
    void SetEnvironment(TVREvEnvironment *environment) { m_environment = environment; }

    bool Prepared() const { return m_prepared; }
    void Prepare(const QString &expression);
    void UnPrepare();
    // Raises "Evaluator not prepared" when unprepared.
    TVREvResult Value();
    // Every element's Reset, in queue order: aggregates start again.
    void Reset();
    // Evaluates once with the queue's Aggregate flag on (the value is dropped).
    void DoAggregate();
    // The same, once per record: a repeated notification for the record already taken
    // (the same serial, for example from a client registered twice) is ignored. Reset
    // forgets the serial, so the next run counts from its first record.
    void DoAggregate(quint64 recordSerial);
    bool IsAggreg() const;

    // The prepared queue (null when unprepared).
    TVRFiFo *Queue() const { return m_queue.get(); }

    // How deep brackets, calls, signs and `not` may nest before the expression is refused.
    static constexpr int MaxNesting = 100;

protected:
    // A call or bare name: a registered function with its argument text, else (with no
    // arguments) a variable.
    virtual void EvalFunction(const QString &name, const QString &arguments);
    // A data-set field, else a local environment entry, else a global one.
    virtual void EvalVariable(const QString &name);
    // For descendants that queue elements of their own.
    void Put(std::unique_ptr<TVREvElement> element);
    // Parses a text at the relational level into the queue being built.
    void ParseText(QStringView text);

private:
    enum class Level
    {
        Relational,
        Or,
        And,
        Additive,
        Multiplicative,
        Factor,
    };
    void parse(QStringView text, Level level);
    void parseRelational(QStringView text);
    void parseWordLevel(QStringView text, Level level);
    void parseAdditive(QStringView text);
    void parseMultiplicative(QStringView text);
    void parseFactor(QStringView text);
    // An operator of one level, found in a text.
    struct FoundOperator
    {
        qsizetype at;
        qsizetype length;
        int code;
    };
    // The operators of one level in a text, as `match` finds them (see evaluator.cpp).
    template <typename Match>
    static std::vector<FoundOperator> scanOperators(QStringView text, Match match, size_t limit = SIZE_MAX);
    // One level's chain: the operands of text around the operators, each parsed at the
    // next level; a text without operators goes to the next level whole.
    void putChain(QStringView text, const std::vector<FoundOperator> &operators, Level next);
    void parseNumber(QStringView text);
    void parseCall(QStringView text);
    void parseArguments(QStringView arguments);

    friend class TVREvEmbeddedFunction;

    QList<TVRDataSet *> m_dataSets;
    std::unique_ptr<TVRFiFo> m_queue;
    bool m_prepared = false;
    TVREvEnvironment *m_environment = nullptr;
    // The evaluator of an environment entry: the environment prepares it, so it does not
    // hold the global environment prepared itself.
    bool m_entryEvaluator = false;
    bool m_holdsGlobalEnvironment = false;
    int m_nesting = 0;
    bool m_serialValid = false;
    quint64 m_lastSerial = 0;
};

// Leading and trailing characters up to the blank removed.
QStringView StripBlanks(QStringView text);

} // namespace reportengine
