// A prepared expression with arithmetic, a string function and an aggregate, evaluated a
// million times: once as a label prints it (Value) and once as the report accumulates a
// record (DoAggregate). Target: under 1 microsecond per evaluation.
#include "bench/bench_support.h"
#include "reportengine/evaluator.h"
#include "reportengine/expr_functions_library.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

namespace {

using namespace reportengine;

class BenchField : public TVRField
{
public:
    BenchField(QString name, TVRFieldKind kind) : m_name(std::move(name)), m_kind(kind) {}
    QString FieldName() const override { return m_name; }
    TVRFieldKind FieldKind() const override { return m_kind; }
    QString AsString() const override { return text; }
    qint32 AsInteger() const override { return integer; }
    double AsFloat() const override { return real; }
    bool AsBoolean() const override { return false; }
    QString DisplayText() const override { return text; }

    QString text;
    qint32 integer = 0;
    double real = 0.0;

private:
    QString m_name;
    TVRFieldKind m_kind;
};

class BenchDataSet : public TVRDataSet
{
public:
    BenchDataSet()
        : qty(QStringLiteral("QTY"), TVRFieldKind::Integer), price(QStringLiteral("PRICE"), TVRFieldKind::Float),
          name(QStringLiteral("NAME"), TVRFieldKind::String)
    {
        name.text = QStringLiteral("hałas");
    }
    QString Name() const override { return QStringLiteral("POMIARY"); }
    int FieldIndex(const QString &field) const override
    {
        if (field == QLatin1String("QTY"))
            return 0;
        if (field == QLatin1String("PRICE"))
            return 1;
        if (field == QLatin1String("NAME"))
            return 2;
        return -1;
    }
    TVRField *FieldAt(int index) override
    {
        switch (index) {
        case 0:
            return &qty;
        case 1:
            return &price;
        case 2:
            return &name;
        default:
            return nullptr;
        }
    }
    bool MakesOwnFields() const override { return false; }

    BenchField qty;
    BenchField price;
    BenchField name;
};

double measure(TVREvaluator &ev, BenchDataSet &ds, bool aggregate, int rounds, QString *last)
{
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < rounds; ++i) {
        ds.qty.integer = i & 1023;
        ds.price.real = (i & 255) * 0.25;
        if (aggregate)
            ev.DoAggregate();
        else
            *last = ev.Value().Text;
    }
    return double(t.nsecsElapsed()) / rounds;
}

} // namespace

int main(int argc, char **argv)
{
    bench::ReadMode(argc, argv);
    QCoreApplication app(argc, argv);
    RegisterExpressionFunctions();
    BenchDataSet ds;
    const int rounds = bench::Sized(1000000, 100);
    const QString expressions[] = {
        QStringLiteral("UPPER(NAME) + ': ' + STR(SUM(QTY * PRICE) / 2 + QTY - 1)"),
        QStringLiteral("IF(QTY * 2 + 1 > 100, UPPER(NAME), LOWER(NAME)) + STR(COUNT)"),
    };
    for (const QString &expression : expressions) {
        TVREvaluator ev;
        ev.SetDataSets({&ds});
        ev.Prepare(expression);
        ev.Reset();
        QString last;
        const double aggregateNs = measure(ev, ds, true, rounds, &last);
        const double valueNs = measure(ev, ds, false, rounds, &last);
        bench::Require(last.toLower().startsWith(QStringLiteral("hałas")), "the expression evaluated");
        std::printf("%s\n  DoAggregate: %.0f ns per evaluation\n  Value:       %.0f ns per evaluation (last: %s)\n",
                    qPrintable(expression), aggregateNs, valueNs, qPrintable(last));
    }
    return 0;
}
