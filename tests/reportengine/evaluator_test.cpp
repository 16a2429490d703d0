// Expressions with their exact results: value, kind and error text, by operator, parsing
// rule and function. Aggregates, environments and data fields are in the files beside.

#include "tests/reportengine/evaluator_fakes.h"

#include "reportengine/expr_functions_environment.h"

#include <QCoreApplication>
#include <QDate>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace reportengine;
using namespace evaluatortest;

namespace {

struct Row
{
    const char *expression;
    const char *kind;
    const char *text;
};

void checkTable(const std::vector<Row> &rows, TVREvEnvironment *environment = nullptr)
{
    for (const Row &row : rows) {
        const QString expression = QString::fromUtf8(row.expression);
        const QString expected = QString::fromUtf8(row.kind) + QLatin1Char('\t') + QString::fromUtf8(row.text);
        EXPECT_EQ(Describe(Evaluate(expression, environment)).toStdString(), expected.toStdString())
            << "expression: " << row.expression;
    }
}

} // namespace

TEST(EvaluatorArithmetic, OperatorsGiveExactValuesAndKinds)
{
    checkTable({
        {"1+2", "INTEGER", "3"},
        {"1+2.5", "FLOAT", "3.5"},
        {"2+3*4", "INTEGER", "14"},
        {"2*3+4", "INTEGER", "10"},
        {"(2+3)*4", "INTEGER", "20"},
        {"1 - 2", "INTEGER", "-1"},
        {"-5", "INTEGER", "-5"},
        {"+5", "INTEGER", "5"},
        {"- -3", "INTEGER", "3"},
        {"2*(-3)", "INTEGER", "-6"},
        {"7/2", "FLOAT", "3.5"},
        {"6/3", "FLOAT", "2"},
        {"0.1+0.2", "FLOAT", "0.3"},
        {"2.5*2", "FLOAT", "5"},
        {"-2147483647-1", "INTEGER", "-2147483648"},
    });
}

TEST(EvaluatorArithmetic, ChainsAreEvaluatedLeftToRight)
{
    checkTable({
        {"10-2-3", "INTEGER", "5"},
        {"10-2+3", "INTEGER", "11"},
        {"2-3*4+1", "INTEGER", "-9"},
        {"8/4/2", "FLOAT", "1"},
        {"100/10*2", "FLOAT", "20"},
        {"2--3", "INTEGER", "5"},
        {"2- -3", "INTEGER", "5"},
        {"2+-3", "INTEGER", "-1"},
        // The old right-hand rewrite turned this into 1/(65536*65536), an overflow.
        {"1/65536/65536", "FLOAT", "2.3283064365387e-10"},
    });
}

TEST(EvaluatorArithmetic, FaultsAreErrorValues)
{
    checkTable({
        {"7/0", "ERROR", "Cannot divide by 0"},
        {"7.5/0.0", "ERROR", "Cannot divide by 0"},
        {"2*-3", "ERROR", "Illegal character in numeric contant \"2*\""},
        {"2147483647+1", "ERROR", "Integer overflow"},
        {"-2147483647-2", "ERROR", "Integer overflow"},
        {"65536*65536", "ERROR", "Integer overflow"},
        {"'a'-'b'", "ERROR", "Cannot subtract string expressions"},
        {"'a'*'b'", "ERROR", "Cannot multiply string expressions"},
        {"'a'/'b'", "ERROR", "Cannot divide string expressions"},
        {"TRUE+FALSE", "ERROR", "Cannot add boolean expressions"},
        {"TRUE-FALSE", "ERROR", "Cannot subtract boolean expressions"},
        {"TRUE*FALSE", "ERROR", "Cannot multiply boolean expressions"},
        {"TRUE/FALSE", "ERROR", "Cannot divide boolean expressions"},
        // The first operand that carries a fault gives the value.
        {"(1/0)+('a'-'b')", "ERROR", "Cannot divide by 0"},
        {"1+2+(3/0)+4", "ERROR", "Cannot divide by 0"},
    });
}

TEST(EvaluatorStrings, ConcatenationAndMixedKinds)
{
    checkTable({
        {"'abc'+1", "STRING", "abc1"},
        {"'abc'+'def'", "STRING", "abcdef"},
        {"1+'x'", "STRING", "1x"},
        {"2.5+'x'", "STRING", "2.5x"},
        {"TRUE+1", "STRING", "True1"},
        {"''", "STRING", ""},
        {"'a b'", "STRING", "a b"},
        {"'zażółć gęślą jaźń'", "STRING", "zażółć gęślą jaźń"},
        {"", "STRING", " "},
        {"   ", "STRING", " "},
    });
}

TEST(EvaluatorRelational, ComparisonsGiveBooleans)
{
    checkTable({
        {"1<2", "BOOLEAN", "True"},
        {"2<=2", "BOOLEAN", "True"},
        {"3>2", "BOOLEAN", "True"},
        {"2>=3", "BOOLEAN", "False"},
        {"2=2.0", "BOOLEAN", "True"},
        {"1<>1", "BOOLEAN", "False"},
        {"1+1=2", "BOOLEAN", "True"},
        {"'a'<'b'", "BOOLEAN", "True"},
        {"'B'<'a'", "BOOLEAN", "True"},
        {"'abc'='abc'", "BOOLEAN", "True"},
        {"'abc'='ABC'", "BOOLEAN", "False"},
        {"'abc'<>'ab'", "BOOLEAN", "True"},
        // Windows-1250 byte order: ż is BF, ó is F3.
        {"'ó'>'ż'", "BOOLEAN", "True"},
        {"'ś'<'ł'", "BOOLEAN", "True"},
        // A number against a text compares the texts.
        {"1<'a'", "BOOLEAN", "True"},
        {"10<'9'", "BOOLEAN", "True"},
        {"TRUE=TRUE", "BOOLEAN", "True"},
        {"TRUE<>FALSE", "BOOLEAN", "True"},
        {"TRUE<FALSE", "ERROR", "Operator < is not compatible with boolean expressions"},
        {"TRUE>=FALSE", "ERROR", "Operator >= is not compatible with boolean expressions"},
        // One relational operator per level.
        {"1<2<3", "ERROR", "Illegal character in numeric contant \"2<3\""},
        {"(1<2)=(3<4)", "BOOLEAN", "True"},
    });
}

TEST(EvaluatorLogical, OrAndNotAndTheirPrecedence)
{
    TVREvEnvironment env;
    env.AddFunction(QStringLiteral("a"), QStringLiteral("TRUE"));
    env.AddFunction(QStringLiteral("b"), QStringLiteral("FALSE"));
    env.AddFunction(QStringLiteral("NOTE"), QStringLiteral("'notatka'"));
    env.AddFunction(QStringLiteral("NOTATKA"), QStringLiteral("12"));
    env.Prepare();
    checkTable(
        {
            {"TRUE or FALSE", "BOOLEAN", "True"},
            {"TRUE and FALSE", "BOOLEAN", "False"},
            {"TRUE OR FALSE", "BOOLEAN", "True"},
            {"a or b", "BOOLEAN", "True"},
            {"a and b", "BOOLEAN", "False"},
            {"aorb", "ERROR", "Unknown function : AORB"},
            {"6 and 3", "INTEGER", "2"},
            {"4 or 2", "INTEGER", "6"},
            // Logical operators bind looser than arithmetic: (5-1) or 2.
            {"5-1 or 2", "INTEGER", "6"},
            {"5*2 and 3", "INTEGER", "2"},
            {"FALSE and TRUE or TRUE", "BOOLEAN", "True"},
            {"TRUE or TRUE and FALSE", "BOOLEAN", "True"},
            {"(1=1) and (2=2)", "BOOLEAN", "True"},
            {"1.5 or 2", "ERROR", "Operator OR is not compatible with numeric expressions"},
            {"'a' and 'b'", "ERROR", "Operator AND is not compatible with string expressions"},
            {"not (1=1)", "BOOLEAN", "False"},
            {"NOT(1=2)", "BOOLEAN", "True"},
            {"not a", "BOOLEAN", "False"},
            {"not b and a", "BOOLEAN", "True"},
            {"not not a", "BOOLEAN", "True"},
            {"not 5", "ERROR", "Invalid use of NOT"},
            {"not", "ERROR", "Error in expression : "},
            // A name that begins with the letters is a name.
            {"NOTE", "STRING", "notatka"},
            {"notatka+1", "INTEGER", "13"},
        },
        &env);
    env.UnPrepare();
}

TEST(EvaluatorParsing, LiteralsAndBrackets)
{
    checkTable({
        {"1.5E3", "FLOAT", "1500"},
        {"1.5e3", "FLOAT", "1500"},
        {"1.5E-3", "FLOAT", "0.0015"},
        {"2E+2*2", "FLOAT", "400"},
        {"2e-3*1000", "FLOAT", "2"},
        {"2147483647", "INTEGER", "2147483647"},
        {"2147483648", "FLOAT", "2147483648"},
        {"007", "INTEGER", "7"},
        {"12a", "ERROR", "Illegal character in numeric contant \"12a\""},
        {"1.2.3", "ERROR", "Illegal character in numeric contant \"1.2.3\""},
        {"1e", "ERROR", "Illegal character in numeric contant \"1e\""},
        {"1+", "ERROR", "Illegal character in numeric contant \"1+\""},
        {"1+ ", "ERROR", "Error in expression : "},
        {"[abc", "ERROR", "Missing ]"},
        {"'abc", "ERROR", "Missing '"},
        {"'", "ERROR", "Missing '"},
        {"(1+2", "ERROR", "Missing )"},
        {"((1+2)", "ERROR", "Missing )"},
        {"_x", "ERROR", "Error in expression : _x"},
        {"*5", "ERROR", "Error in expression : *5"},
        {"1,5", "ERROR", "Illegal character in numeric contant \"1,5\""},
        {"łączna", "ERROR", "Error in expression : łączna"},
        {"((((7))))", "INTEGER", "7"},
        {"'a+b'+'(c'", "STRING", "a+b(c"},
        {"'x or y'", "STRING", "x or y"},
    });
}

TEST(EvaluatorParsing, NamesAndCalls)
{
    checkTable({
        {"foo", "ERROR", "Unknown function : FOO"},
        {"FOO(1)", "ERROR", "Unknown function : FOO"},
        {"foo(1,2)+1", "ERROR", "Unknown function : FOO"},
        {"[foo]", "ERROR", "Unknown function : foo"},
        {"foo bar", "ERROR", "Unknown function : FOO BAR"},
        {"UPPER('a'", "ERROR", "Unknown function : "},
        {"IF (1=1, 'a', 'b')", "STRING", "a"},
        {"upper('x')", "STRING", "X"},
        // Both branches are evaluated; only the chosen one gives the value.
        {"IF(1=1, 2, )", "INTEGER", "2"},
        {"IF(1=2, 2, )", "ERROR", "Error in expression : "},
        {"IF(1=1,,2)", "ERROR", "Error in expression : "},
        {"AppName", "STRING", qPrintable(QCoreApplication::applicationName())},
        {"[AppName]", "STRING", qPrintable(QCoreApplication::applicationName())},
    });
}

TEST(EvaluatorFunctions, LogicalAndInformation)
{
    checkTable({
        {"IF(1=1, 'a', 'b')", "STRING", "a"},
        {"IF(1=2, 'a', 'b')", "STRING", "b"},
        {"IF(1=2, 1, 2.5)", "FLOAT", "2.5"},
        {"IF(1, 'a', 'b')", "ERROR", "Wrong arguments for IF"},
        {"IF(1=1, 'a')", "ERROR", "Wrong arguments for IF"},
        {"IF(1=1, IF(2=2, 'x', 'y'), 'z')", "STRING", "x"},
        {"TRUE", "BOOLEAN", "True"},
        {"false", "BOOLEAN", "False"},
        {"TRUE()", "BOOLEAN", "True"},
        {"TRUE(1)", "ERROR", "Too many arguments"},
        {"TYPEOF(1.5)", "STRING", "FLOAT"},
        {"TYPEOF('x')", "STRING", "STRING"},
        {"TYPEOF(1)", "STRING", "INTEGER"},
        {"TYPEOF(1=1)", "STRING", "BOOLEAN"},
        {"TYPEOF(1/0)", "STRING", "ERROR"},
        {"TYPEOF(1,2)", "ERROR", "Wrong arguments for TypeOf"},
    });
}

TEST(EvaluatorFunctions, Mathematics)
{
    checkTable({
        {"INT(-2.7)", "INTEGER", "-2"},
        {"INT(2.7)", "INTEGER", "2"},
        {"INT(5)", "INTEGER", "5"},
        {"INT('a')", "ERROR", "Wrong arguments for INT"},
        {"INT(3e10)", "ERROR", "Integer overflow"},
        {"FRAC(3)", "FLOAT", "0"},
        {"FRAC(2.25)", "FLOAT", "0.25"},
        {"FRAC(-2.5)", "FLOAT", "-0.5"},
        {"FRAC('a')", "ERROR", "Wrong arguments for FRAC"},
        {"SQRT(16)", "FLOAT", "4"},
        {"SQRT(2.25)", "FLOAT", "1.5"},
        {"SQRT(-1)", "ERROR", "Invalid argument to SQRT function"},
        {"SQRT('x')", "ERROR", "Invalid argument to SQRT function"},
        {"DIV(7, 2)", "INTEGER", "3"},
        {"DIV(-7, 2)", "INTEGER", "-3"},
        {"DIV(7.5, 2)", "INTEGER", "4"},
        {"DIV(6.5, 2)", "INTEGER", "3"},
        {"DIV(1, 0)", "ERROR", "Division by Zero"},
        {"DIV(1, 0.4)", "ERROR", "Division by Zero"},
        {"DIV('a', 1)", "ERROR", "Wrong arguments for DIV"},
        {"DIV(1)", "ERROR", "Wrong arguments for DIV"},
        {"DIV(-2147483647-1, -1)", "ERROR", "Integer overflow"},
    });
}

TEST(EvaluatorFunctions, Texts)
{
    checkTable({
        {"STR(12)", "STRING", "12"},
        {"STR(2.5)", "STRING", "2.5"},
        {"STR(1=1)", "STRING", "True"},
        {"STR('a')", "ERROR", "Conversion error"},
        {"STR(1/0)", "ERROR", "Conversion error"},
        {"UPPER('zażółć gęślą jaźń')", "STRING", "ZAŻÓŁĆ GĘŚLĄ JAŹŃ"},
        {"LOWER('ĄBŻ')", "STRING", "ąbż"},
        {"PRETTY('jAN kOWALSKI')", "STRING", "Jan kowalski"},
        {"PRETTY('łódź')", "STRING", "Łódź"},
        {"PRETTY('')", "STRING", ""},
        {"UPPER", "ERROR", "Missing argument for UPPER"},
        {"LOWER('a','b')", "ERROR", "Missing argument for LOWER"},
        {"UPPER(1)", "ERROR", "Wrong arguments for UPPER"},
        {"PRETTY(1/0)", "ERROR", "Cannot divide by 0"},
        {"COPY('abcdef', 0, 3)", "STRING", "abc"},
        {"COPY('abcdef', 3, 2)", "STRING", "cd"},
        {"COPY('abcdef', 5, 10)", "STRING", "ef"},
        {"COPY('abc', 9, 1)", "STRING", ""},
        {"COPY('abc', 2, -1)", "STRING", ""},
        {"COPY('a,b', 2, 1)", "STRING", ","},
        {"COPY('abc', 1)", "ERROR", "Wrong arguments for COPY"},
        {"COPY('abc', 1.5, 1)", "ERROR", "Wrong arguments for COPY"},
        {"FORMATNUMERIC('0.00', 2)", "STRING", "2.00"},
        {"FORMATNUMERIC('#,##0.00', 1234567.891)", "STRING", "1,234,567.89"},
        {"FORMATNUMERIC('0.00', 'x')", "ERROR", "Wrong arguments for FORMATNUMERIC"},
        {"FORMATNUMERIC('\"0', 1)", "ERROR", "Invalid format or value specified"},
        {"FORMATNUMERIC('0', 1e300*1e300)", "ERROR", "Invalid format or value specified"},
    });
}

TEST(EvaluatorFunctions, DateAndTimeUseTheProgramsForms)
{
    EXPECT_EQ(Describe(Evaluate(QStringLiteral("DATE"))),
              QStringLiteral("STRING\t") + QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")));
    const TVREvResult time = Evaluate(QStringLiteral("TIME"));
    EXPECT_EQ(time.Kind, TVREvKind::String);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d$")).match(time.Text).hasMatch()) << time.Text.toStdString();
    EXPECT_EQ(Describe(Evaluate(QStringLiteral("DATE(1)"))), QStringLiteral("ERROR\tToo many arguments"));
    EXPECT_EQ(Evaluate(QStringLiteral("AppStartDate")).Kind, TVREvKind::String);
    EXPECT_EQ(Evaluate(QStringLiteral("AppStartTime")).Kind, TVREvKind::String);
}

TEST(EvaluatorFunctions, AggregatesBeforeAnyRecord)
{
    checkTable({
        {"SUM(1)", "INTEGER", "0"},
        {"AVERAGE(1)", "FLOAT", "0"},
        {"MAX(1)", "INTEGER", "0"},
        {"MIN('a')", "INTEGER", "0"},
        {"COUNT", "INTEGER", "0"},
        {"COUNT(1)", "ERROR", "COUNT - Too many arguments"},
        {"SUM(1,2)", "ERROR", "Wrong arguments for SUM"},
        {"MAX()", "ERROR", "Wrong arguments for MAX"},
    });
}

// ---------------------------------------------------------------------------------------

TEST(EvaluatorLifecycle, UnpreparedEvaluatorRaises)
{
    TVREvaluator ev;
    try {
        ev.Value();
        FAIL() << "no exception";
    } catch (const TVREvaluatorError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Evaluator not prepared"));
    }
    ev.Prepare(QStringLiteral("1"));
    ev.UnPrepare();
    EXPECT_THROW(ev.Value(), TVREvaluatorError);
}

TEST(EvaluatorLifecycle, ErrorValueTurnedIntoTextRaises)
{
    try {
        (void)ResultToText(TVREvResult::MakeError(QStringLiteral("Cannot divide by 0")));
        FAIL() << "no exception";
    } catch (const TVREvaluatorError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Error in expression : Cannot divide by 0"));
    }
    EXPECT_EQ(ResultToText(TVREvResult::FromFloat(0.1 + 0.2)), QStringLiteral("0.3"));
    EXPECT_EQ(ResultToText(TVREvResult::FromBoolean(false)), QStringLiteral("False"));
}

TEST(EvaluatorLifecycle, PreparedOnceEvaluatedManyTimes)
{
    TVREvaluator ev;
    ev.Prepare(QStringLiteral("UPPER('a') + STR(1+2)"));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Describe(ev.Value()), QStringLiteral("STRING\tA3"));
    // Preparing again replaces the queue.
    ev.Prepare(QStringLiteral("2*3"));
    EXPECT_EQ(Describe(ev.Value()), QStringLiteral("INTEGER\t6"));
    EXPECT_FALSE(ev.IsAggreg());
    ev.Prepare(QStringLiteral("1+SUM(2)"));
    EXPECT_TRUE(ev.IsAggreg());
}

TEST(EvaluatorLifecycle, GlobalEnvironmentIsPreparedWhileAnEvaluatorIs)
{
    RegisterExpressionFunctions();
    TVREvEnvironment *global = GlobalEnvironment();
    ASSERT_NE(global, nullptr);
    ASSERT_FALSE(global->Prepared());
    {
        TVREvaluator a;
        TVREvaluator b;
        a.Prepare(QStringLiteral("AppName"));
        b.Prepare(QStringLiteral("1"));
        EXPECT_TRUE(global->Prepared());
        a.UnPrepare();
        EXPECT_TRUE(global->Prepared());
        a.Prepare(QStringLiteral("2")); // preparing a prepared evaluator does not count twice
        a.Prepare(QStringLiteral("3"));
    }
    EXPECT_FALSE(global->Prepared());
}

// ---------------------------------------------------------------------------------------
// Bad input: never a crash or a hang.

TEST(EvaluatorBadInput, DeepNestingIsRefused)
{
    const QString deep = QString(10000, QLatin1Char('(')) + QStringLiteral("1") + QString(10000, QLatin1Char(')'));
    EXPECT_EQ(Describe(Evaluate(deep)), QStringLiteral("ERROR\tExpression nested too deeply"));
    QString calls;
    for (int i = 0; i < 5000; ++i)
        calls += QStringLiteral("UPPER(");
    calls += QStringLiteral("'a'") + QString(5000, QLatin1Char(')'));
    EXPECT_EQ(Describe(Evaluate(calls)), QStringLiteral("ERROR\tExpression nested too deeply"));
    EXPECT_EQ(Describe(Evaluate(QString(100000, QLatin1Char('-')) + QStringLiteral("1"))),
              QStringLiteral("ERROR\tExpression nested too deeply"));
    QString nots;
    for (int i = 0; i < 5000; ++i)
        nots += QStringLiteral("not ");
    EXPECT_EQ(Describe(Evaluate(nots + QStringLiteral("TRUE"))), QStringLiteral("ERROR\tExpression nested too deeply"));
    // Moderate nesting still works.
    const QString fifty = QString(50, QLatin1Char('(')) + QStringLiteral("1+1") + QString(50, QLatin1Char(')'));
    EXPECT_EQ(Describe(Evaluate(fifty)), QStringLiteral("INTEGER\t2"));
}

TEST(EvaluatorBadInput, LongExpressionsAndTexts)
{
    QStringList terms;
    for (int i = 0; i < 100000; ++i)
        terms << QStringLiteral("1");
    EXPECT_EQ(Describe(Evaluate(terms.join(QLatin1Char('+')))), QStringLiteral("INTEGER\t100000"));
    EXPECT_EQ(Describe(Evaluate(terms.join(QLatin1Char('-')))), QStringLiteral("INTEGER\t-99998"));
    // No cap on the length of a text.
    const QString longText(100000, QLatin1Char('x'));
    const TVREvResult r = Evaluate(QLatin1Char('\'') + longText + QStringLiteral("'+'y'"));
    ASSERT_EQ(r.Kind, TVREvKind::String);
    EXPECT_EQ(r.Text.size(), 100001);
}

TEST(EvaluatorBadInput, UnbalancedAndStrayCharacters)
{
    for (const char *text : {")", "(", "]", "[", ")))(((", "(()", "'''", "[[]]", "1)+(2", "=", "<>", "<=1",
                             "1<=", ",", "IF(", "IF)", "()", "( )", "+", "-", "* /", "1 or", "or 1", " and ",
                             "\t", "\n1\n", "TRUE(,)", "COPY(,,,)", "1..2", "9e99999", "'\\'", "[']", "'['"}) {
        TVREvaluator ev;
        ev.Prepare(QString::fromUtf8(text));
        EXPECT_NO_THROW((void)ev.Value()) << text;
        EXPECT_NO_THROW(ev.DoAggregate()) << text;
    }
    checkTable({
        {")))(((", "ERROR", "Error in expression : )))((("},
        {"()", "ERROR", "Error in expression : "},
        {"9e99999", "ERROR", "Illegal character in numeric contant \"9e99999\""},
        {"\n1\n", "INTEGER", "1"},
    });
}
