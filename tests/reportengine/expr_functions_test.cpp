// Aggregates over records, environments (the report's page number and title among them),
// data-set fields, the function library and number masks.

#include "tests/reportengine/evaluator_fakes.h"

#include "reportengine/expr_functions_environment.h"
#include "reportengine/expr_functions_format.h"
#include "reportengine/expr_functions_library.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace reportengine;
using namespace evaluatortest;

namespace {

// A field whose kind follows the value given: integer, float, text or boolean.
class MixedField : public FakeField
{
public:
    MixedField() : FakeField(QStringLiteral("X"), TVRFieldKind::Integer) {}
    TVRFieldKind FieldKind() const override
    {
        switch (value.typeId()) {
        case QMetaType::Double:
            return TVRFieldKind::Float;
        case QMetaType::QString:
            return TVRFieldKind::String;
        case QMetaType::Bool:
            return TVRFieldKind::Boolean;
        default:
            return TVRFieldKind::Integer;
        }
    }
};

// Runs an aggregate expression over the values of one field, as a report does: Reset at
// the start of the run, DoAggregate per record, Value at the end.
QString aggregate(const QString &expression, const QVariantList &values)
{
    FakeDataSet ds(QStringLiteral("DANE"));
    ds.fields.push_back(std::make_unique<MixedField>());
    TVREvaluator ev;
    ev.SetDataSets({&ds});
    ev.Prepare(expression);
    ev.Reset();
    for (const QVariant &v : values) {
        ds.fields[0]->value = v;
        ev.DoAggregate();
    }
    return Describe(ev.Value());
}

} // namespace

TEST(ExprAggregates, SumAverageCountMaxMinOverRecords)
{
    const struct
    {
        const char *expression;
        QVariantList values;
        const char *expected;
    } cases[] = {
        {"SUM(X)", {1, 2, 3}, "INTEGER\t6"},
        {"SUM(X)", {0.5, 0.25}, "FLOAT\t0.75"},
        {"SUM(X*2)+1", {1, 2, 3}, "INTEGER\t13"},
        {"AVERAGE(X)", {1, 2, 3, 4}, "FLOAT\t2.5"},
        {"COUNT", {1, 2, 3, 4}, "INTEGER\t4"},
        {"SUM(X)", {}, "INTEGER\t0"},
        {"AVERAGE(X)", {}, "FLOAT\t0"},
        // The integers and the float all count; the sum is a float from the first float on.
        {"SUM(X)", {1, 2.5, 3}, "FLOAT\t6.5"},
        {"SUM(X)", {2.5, 1, 3}, "FLOAT\t6.5"},
        {"AVERAGE(X)", {1, 2.5, 3}, "FLOAT\t2.16666666666667"},
        // A boolean is passed over; a text makes the sum an error.
        {"SUM(X)", {1, true, 3}, "INTEGER\t4"},
        {"SUM(X)", {1, "a", 3}, "ERROR\tCannot add string expressions"},
        {"SUM(X)", {"a", 3}, "ERROR\tCannot add string expressions"},
        {"AVERAGE(X)", {1, "a"}, "ERROR\tCannot add string expressions"},
        {"SUM(X)", {2147483647, 1}, "ERROR\tInteger overflow"},
        {"SUM(X)", {-2147483647, -1}, "INTEGER\t-2147483648"},
        {"SUM(10/X)", {1, 0, 2}, "ERROR\tCannot divide by 0"}, // an error in the argument stays
        {"MAX(X)", {3, 9, 5}, "INTEGER\t9"},
        {"MIN(X)", {3, 9, -5}, "INTEGER\t-5"},
        {"MIN(X)", {true, false}, "BOOLEAN\tFalse"},
        {"MAX(X)", {true, false}, "BOOLEAN\tTrue"},
        {"MAX(X)", {"b", "ż", "ó"}, "STRING\tó"},
        {"MIN(X)", {"b", "a", "c"}, "STRING\ta"},
        // Integers and floats compare by value; the value keeps its own kind.
        {"MAX(X)", {3, 7.5, 5}, "FLOAT\t7.5"},
        {"MIN(X)", {3.5, 7, 3}, "INTEGER\t3"},
        // Values of a kind that does not compare with the first leave it.
        {"MAX(X)", {3, "zzz", true}, "INTEGER\t3"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(aggregate(QString::fromUtf8(c.expression), c.values), QString::fromUtf8(c.expected))
            << c.expression << " over " << QVariant(c.values).toStringList().join(',').toStdString();
}

TEST(ExprAggregates, ResetStartsAgainAndValueAloneDoesNotCount)
{
    FakeDataSet ds(QStringLiteral("DANE"));
    ds.Add(QStringLiteral("X"), TVRFieldKind::Integer, 5);
    TVREvaluator ev;
    ev.SetDataSets({&ds});
    ev.Prepare(QStringLiteral("STR(SUM(X))+'/'+STR(COUNT)"));
    EXPECT_TRUE(ev.IsAggreg());
    ev.DoAggregate();
    ev.DoAggregate();
    EXPECT_EQ(ev.Value().Text, QStringLiteral("10/2"));
    EXPECT_EQ(ev.Value().Text, QStringLiteral("10/2")); // printing does not count
    ev.Reset();
    EXPECT_EQ(ev.Value().Text, QStringLiteral("0/0"));
    ev.DoAggregate();
    EXPECT_EQ(ev.Value().Text, QStringLiteral("5/1"));
}

TEST(ExprAggregates, RecordCountedOnceWhenNotifiedTwice)
{
    // A report runs twice (Prepare, then Preview); each run prepares the label again and
    // may have it registered a second time. A repeated notification for one record must
    // not count it twice, and the second run starts from nothing.
    FakeDataSet ds(QStringLiteral("DANE"));
    ds.Add(QStringLiteral("X"), TVRFieldKind::Integer);
    TVREvaluator ev;
    ev.SetDataSets({&ds});
    for (int run = 0; run < 2; ++run) {
        ev.Prepare(QStringLiteral("STR(SUM(X))+'/'+STR(COUNT)"));
        ev.Reset();
        quint64 serial = 0;
        for (int value : {10, 20, 30}) {
            ds.Set(QStringLiteral("X"), value);
            ++serial;
            ev.DoAggregate(serial); // as the report's client
            ev.DoAggregate(serial); // as a second registration of the same control
        }
        EXPECT_EQ(ev.Value().Text, QStringLiteral("60/3")) << "run " << run;
    }
    // Reset forgets the last record, so a new run's first record counts.
    ev.Reset();
    ds.Set(QStringLiteral("X"), 7);
    ev.DoAggregate(3);
    EXPECT_EQ(ev.Value().Text, QStringLiteral("7/1"));
}

// ---------------------------------------------------------------------------------------

TEST(ExprEnvironment, ReportEntriesChangeWithoutParsingAgain)
{
    TVREvEnvironment report;
    report.AddFunction(QStringLiteral("PAGENUMBER"), QStringLiteral("0"));
    report.AddFunction(QStringLiteral("COLUMNNUMBER"), QStringLiteral("0"));
    report.AddFunction(QStringLiteral("REPORTTITLE"), QStringLiteral("''"));
    report.Prepare();
    TVREvaluator footer;
    footer.SetEnvironment(&report);
    footer.Prepare(QStringLiteral("'Strona ' + STR(PAGENUMBER) + ' ' + REPORTTITLE"));
    for (int page = 1; page <= 3; ++page) {
        report.SetIntegerValue(QStringLiteral("PAGENUMBER"), page);
        report.SetStringValue(QStringLiteral("ReportTitle"), QStringLiteral("Rejestr"));
        EXPECT_EQ(footer.Value().Text, QStringLiteral("Strona %1 Rejestr").arg(page));
    }
    report.SetValue(QStringLiteral("PAGENUMBER"), TVREvResult::FromFloat(2.5));
    EXPECT_EQ(report.Value(QStringLiteral("pagenumber")).Float, 2.5);
    // A string element takes only a string; a constant is not turned into a text by it.
    report.SetStringValue(QStringLiteral("PAGENUMBER"), QStringLiteral("x"));
    EXPECT_EQ(report.Value(QStringLiteral("PAGENUMBER")).Kind, TVREvKind::Float);
    report.SetValue(QStringLiteral("REPORTTITLE"), TVREvResult::FromInteger(4));
    EXPECT_EQ(report.Value(QStringLiteral("REPORTTITLE")).Text, QStringLiteral("Rejestr"));
    footer.UnPrepare();
    report.UnPrepare();
    EXPECT_EQ(report.GetConstant(QStringLiteral("PAGENUMBER")), nullptr); // unprepared
}

TEST(ExprEnvironment, RecursionIsAnErrorNotACrash)
{
    TVREvEnvironment env;
    env.AddFunction(QStringLiteral("A"), QStringLiteral("A+1"));
    env.AddFunction(QStringLiteral("B"), QStringLiteral("C*2"));
    env.AddFunction(QStringLiteral("C"), QStringLiteral("B+1"));
    env.Prepare();
    EXPECT_EQ(Describe(env.Value(QStringLiteral("A"))), QStringLiteral("ERROR\tRecursive calls not allowed"));
    EXPECT_EQ(Describe(Evaluate(QStringLiteral("B"), &env)), QStringLiteral("ERROR\tRecursive calls not allowed"));
    // The entry is not left "busy" by the failed evaluation.
    EXPECT_EQ(Describe(env.Value(QStringLiteral("A"))), QStringLiteral("ERROR\tRecursive calls not allowed"));
    env.UnPrepare();
}

TEST(ExprEnvironment, AddKeepsTheFirstExpressionAndDeleteUnbinds)
{
    TVREvEnvironment env;
    env.AddFunction(QStringLiteral("rate"), QStringLiteral("2"));
    env.AddFunction(QStringLiteral("RATE"), QStringLiteral("3"));
    EXPECT_EQ(env.Names(), QStringList{QStringLiteral("RATE")});
    env.Prepare();
    EXPECT_EQ(Describe(env.Value(QStringLiteral("Rate"))), QStringLiteral("INTEGER\t2"));
    // Added to a prepared environment: usable at once.
    env.AddFunction(QStringLiteral("DOUBLE"), QStringLiteral("RATE*2"));
    EXPECT_EQ(Describe(env.Value(QStringLiteral("DOUBLE"))), QStringLiteral("INTEGER\t4"));
    TVREvaluator ev;
    ev.SetEnvironment(&env);
    ev.Prepare(QStringLiteral("RATE+1"));
    EXPECT_EQ(Describe(ev.Value()), QStringLiteral("INTEGER\t3"));
    env.DeleteFunction(QStringLiteral("rate"));
    EXPECT_EQ(Describe(ev.Value()), QStringLiteral("ERROR\tUnknown function : RATE"));
    EXPECT_EQ(Describe(env.Value(QStringLiteral("RATE"))), QStringLiteral("ERROR\tUnknown function : RATE"));
    ev.UnPrepare();
    env.UnPrepare();
}

TEST(ExprEnvironment, LocalEntriesComeBeforeGlobalOnes)
{
    RegisterExpressionFunctions();
    TVREvEnvironment local;
    local.AddFunction(QStringLiteral("AppName"), QStringLiteral("'Lokalna'"));
    local.Prepare();
    EXPECT_EQ(Evaluate(QStringLiteral("AppName"), &local).Text, QStringLiteral("Lokalna"));
    EXPECT_EQ(Evaluate(QStringLiteral("AppName")).Text, QCoreApplication::applicationName());
    // A local entry may use the global ones.
    local.AddFunction(QStringLiteral("TITLE"), QStringLiteral("'Raport ' + AppStartDate"));
    EXPECT_EQ(local.Value(QStringLiteral("TITLE")).Kind, TVREvKind::String);
    local.UnPrepare();
    EXPECT_FALSE(GlobalEnvironment()->Prepared());
}

TEST(ExprEnvironment, UnpreparedEntryIsAnErrorValue)
{
    TVREvEnvironment env;
    env.AddFunction(QStringLiteral("X"), QStringLiteral("1"));
    EXPECT_EQ(Describe(env.Value(QStringLiteral("X"))), QStringLiteral("ERROR\tEvaluator not prepared"));
    EXPECT_EQ(Describe(env.Value(QStringLiteral("Y"))), QStringLiteral("ERROR\tUnknown function : Y"));
    env.UnPrepare(); // more unprepares than prepares are harmless
    EXPECT_FALSE(env.Prepared());
    env.Prepare();
    env.Prepare();
    env.UnPrepare();
    EXPECT_TRUE(env.Prepared());
    EXPECT_EQ(Describe(env.Value(QStringLiteral("X"))), QStringLiteral("INTEGER\t1"));
    env.UnPrepare();
}

TEST(ExprEnvironment, StoredExpressionList)
{
    TVREvEnvironment env;
    env.AddFunction(QStringLiteral("A"), QStringLiteral("1"));
    env.AddFunction(QStringLiteral("B"), QStringLiteral("'x'"));
    EXPECT_EQ(env.Data(), (QStringList{QStringLiteral("1"), QStringLiteral("'x'")}));
    env.SetData({QStringLiteral("5*5")});
    env.Prepare();
    EXPECT_EQ(Describe(env.Value(QStringLiteral("A"))), QStringLiteral("INTEGER\t25"));
    EXPECT_EQ(Describe(env.Value(QStringLiteral("B"))), QStringLiteral("STRING\tx"));
    env.UnPrepare();
}

// ---------------------------------------------------------------------------------------

TEST(ExprDataFields, FieldsByKindAndName)
{
    FakeDataSet orders(QStringLiteral("Orders"));
    orders.Add(QStringLiteral("QTY"), TVRFieldKind::Integer, 3);
    orders.Add(QStringLiteral("PRICE"), TVRFieldKind::Currency, 2.5);
    orders.Add(QStringLiteral("NAME"), TVRFieldKind::String, QStringLiteral("Hałas"));
    orders.Add(QStringLiteral("PAID"), TVRFieldKind::Boolean, true);
    orders.Add(QStringLiteral("DAY"), TVRFieldKind::Date, QStringLiteral("2009-03-05"));
    orders.Add(QStringLiteral("BLOB"), TVRFieldKind::Other, QStringLiteral("?"));
    orders.Add(QStringLiteral("Unit Price"), TVRFieldKind::Float, 1.25);
    FakeDataSet other(QStringLiteral("Other"));
    other.Add(QStringLiteral("QTY"), TVRFieldKind::Integer, 100);
    const QList<TVRDataSet *> sets{&orders, &other};

    EXPECT_EQ(Describe(Evaluate(QStringLiteral("QTY*PRICE"), nullptr, sets)), QStringLiteral("FLOAT\t7.5"));
    EXPECT_EQ(Describe(Evaluate(QStringLiteral("qty"), nullptr, sets)), QStringLiteral("INTEGER\t3"));
    EXPECT_EQ(Describe(Evaluate(QStringLiteral("other.qty"), nullptr, sets)), QStringLiteral("INTEGER\t100"));
    EXPECT_EQ(Describe(Evaluate(QStringLiteral("[Other.QTY]+1"), nullptr, sets)), QStringLiteral("INTEGER\t101"));
    EXPECT_EQ(Describe(Evaluate(QStringLiteral("UPPER(NAME)"), nullptr, sets)), QStringLiteral("STRING\tHAŁAS"));
    EXPECT_EQ(Describe(Evaluate(QStringLiteral("not PAID"), nullptr, sets)), QStringLiteral("BOOLEAN\tFalse"));
    EXPECT_EQ(Describe(Evaluate(QStringLiteral("DAY"), nullptr, sets)), QStringLiteral("STRING\t2009-03-05"));
    EXPECT_EQ(Describe(Evaluate(QStringLiteral("[Unit Price]*2"), nullptr, sets)), QStringLiteral("FLOAT\t2.5"));
    EXPECT_EQ(Describe(Evaluate(QStringLiteral("BLOB"), nullptr, sets)), QStringLiteral("ERROR\tField BLOB is of unknown type"));
    // A data set that does not exist: the whole dotted name is looked up as an entry.
    EXPECT_EQ(Describe(Evaluate(QStringLiteral("NONE.QTY"), nullptr, sets)), QStringLiteral("ERROR\tUnknown function : NONE.QTY"));
    EXPECT_EQ(Describe(Evaluate(QStringLiteral("Orders.NOPE"), nullptr, sets)),
              QStringLiteral("ERROR\tUnknown function : ORDERS.NOPE"));
    // Entries are still found when data sets are there.
    EXPECT_EQ(Evaluate(QStringLiteral("AppName"), nullptr, sets).Kind, TVREvKind::String);
}

TEST(ExprDataFields, ValuesAreReadPerRecordAndRefetchedWhenTheSetMakesItsFields)
{
    FakeDataSet ds(QStringLiteral("D"));
    ds.Add(QStringLiteral("X"), TVRFieldKind::Integer, 1);
    TVREvaluator ev;
    ev.SetDataSets({&ds});
    ev.Prepare(QStringLiteral("X+1"));
    EXPECT_EQ(ev.Value().Integer, 2);
    ds.Set(QStringLiteral("X"), 41);
    EXPECT_EQ(ev.Value().Integer, 42);

    // The set reopened with fields of its own making: the old field object is gone.
    ds.ownFields = true;
    ds.fields[0] = std::make_unique<FakeField>(QStringLiteral("X"), TVRFieldKind::Float, 0.5);
    EXPECT_EQ(Describe(ev.Value()), QStringLiteral("FLOAT\t1.5"));
}

// ---------------------------------------------------------------------------------------

TEST(ExprLibrary, BuiltinsRegisteredInOrderOnce)
{
    RegisterExpressionFunctions();
    RegisterExpressionFunctions();
    TVRFunctionLibrary *lib = GlobalFunctionLibrary();
    ASSERT_NE(lib, nullptr);
    EXPECT_EQ(lib->Names().join(QLatin1Char(',')),
              QStringLiteral("IF,STR,UPPER,LOWER,PRETTY,TIME,DATE,COPY,SUM,COUNT,MAX,MIN,AVERAGE,TRUE,FALSE,INT,"
                             "FRAC,SQRT,DIV,TYPEOF,FORMATNUMERIC"));
    EXPECT_EQ(lib->Entry(21), nullptr);
    const TVRLibraryEntry *ifEntry = lib->Find(QStringLiteral("IF"));
    ASSERT_NE(ifEntry, nullptr);
    EXPECT_EQ(ifEntry->ArgumentCode, QStringLiteral("5BVV"));
    EXPECT_EQ(FunctionCategories().at(lib->Find(QStringLiteral("SUM"))->ArgumentCode.left(1).toInt()),
              QStringLiteral("Statistical"));
    EXPECT_EQ(ArgumentSeparator(), QLatin1Char(','));
    EXPECT_EQ(GlobalEnvironment()->Names(),
              (QStringList{QStringLiteral("APPSTARTTIME"), QStringLiteral("APPSTARTDATE"), QStringLiteral("APPNAME")}));
}

TEST(ExprLibrary, ReleaseAndRegisterAgain)
{
    {
        TVREvaluator ev;
        ev.Prepare(QStringLiteral("UPPER(AppName)"));
        ReleaseExpressionFunctions();
        EXPECT_EQ(GlobalFunctionLibrary(), nullptr);
        // The call site keeps its element; the entry it referred to is gone.
        EXPECT_EQ(ev.Value().Kind, TVREvKind::Error);
    }
    RegisterExpressionFunctions();
    EXPECT_EQ(Evaluate(QStringLiteral("UPPER('a')")).Text, QStringLiteral("A"));
}

// ---------------------------------------------------------------------------------------

namespace {
QString masked(const char *mask, double value)
{
    QString out;
    if (!FormatNumberWithMask(QString::fromUtf8(mask), value, &out))
        return QStringLiteral("<failed>");
    return out;
}
} // namespace

TEST(ExprNumberMask, PlaceholdersGroupingSectionsAndExponents)
{
    EXPECT_EQ(masked("0.00", 2), QStringLiteral("2.00"));
    EXPECT_EQ(masked("0.00", -0.001), QStringLiteral("0.00"));
    EXPECT_EQ(masked("0", 2.5), QStringLiteral("3"));
    EXPECT_EQ(masked("0", 123456), QStringLiteral("123456"));
    EXPECT_EQ(masked("000", 7), QStringLiteral("007"));
    EXPECT_EQ(masked("#.##", 0.5), QStringLiteral(".5"));
    EXPECT_EQ(masked("0.##", 1), QStringLiteral("1"));
    EXPECT_EQ(masked("0.0#", 1.256), QStringLiteral("1.26"));
    EXPECT_EQ(masked("#", 0), QStringLiteral(""));
    EXPECT_EQ(masked(".00", 12.5), QStringLiteral("12.50"));
    EXPECT_EQ(masked("#,##0", 1234567), QStringLiteral("1,234,567"));
    EXPECT_EQ(masked("#,##0.00", -1234.5), QStringLiteral("-1,234.50"));
    EXPECT_EQ(masked("00-00", 1234), QStringLiteral("12-34"));
    EXPECT_EQ(masked("0.00E+00", 12345), QStringLiteral("1.23E+04"));
    EXPECT_EQ(masked("0.0E-0", 0.00012), QStringLiteral("1.2E-4"));
    EXPECT_EQ(masked("0.0E-0", 99.99), QStringLiteral("1.0E2"));
    EXPECT_EQ(masked("0;(0);zero", -5), QStringLiteral("(5)"));
    EXPECT_EQ(masked("0;(0);zero", 0), QStringLiteral("zero"));
    EXPECT_EQ(masked("0;(0);zero", 0.2), QStringLiteral("zero"));
    EXPECT_EQ(masked("0;;zero", -5), QStringLiteral("-5"));
    EXPECT_EQ(masked("\"Razem: \"0 'zł'", 5), QStringLiteral("Razem: 5 zł"));
    EXPECT_EQ(masked("0.0", -3.14), QStringLiteral("-3.1"));
    EXPECT_EQ(masked("", 2.5), QStringLiteral("2.5"));
    EXPECT_EQ(masked("'x", 1), QStringLiteral("<failed>"));
    EXPECT_EQ(masked("0", std::numeric_limits<double>::infinity()), QStringLiteral("<failed>"));
    EXPECT_EQ(masked("0", std::nan("")), QStringLiteral("<failed>"));
}

TEST(ExprEnvironment, LongChainOfEntriesIsRefusedNotOverflowed)
{
    TVREvEnvironment env;
    const int n = 500;
    for (int i = 0; i < n; ++i)
        env.AddFunction(QStringLiteral("E%1").arg(i), i + 1 < n ? QStringLiteral("E%1+1").arg(i + 1) : QStringLiteral("0"));
    env.Prepare();
    EXPECT_EQ(Describe(env.Value(QStringLiteral("E0"))), QStringLiteral("ERROR\tExpression nested too deeply"));
    EXPECT_EQ(Describe(env.Value(QStringLiteral("E%1").arg(n - 50))), QStringLiteral("INTEGER\t49"));
    env.UnPrepare();
}
