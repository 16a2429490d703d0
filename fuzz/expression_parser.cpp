// Feeds the expression parser and evaluator (and the number-mask formatter) with arbitrary
// text: every input must give a value or an error value, never a crash, a hang or an
// exception other than the documented ones.
// LIBS: tarvelin_reportengine_core tarvelin_platform_core
#include "reportengine/evaluator.h"
#include "reportengine/expr_functions_environment.h"
#include "reportengine/expr_functions_format.h"
#include "reportengine/expr_functions_library.h"

#include <cstddef>
#include <cstdint>

namespace {

using namespace reportengine;

class FuzzField : public TVRField
{
public:
    FuzzField(QString name, TVRFieldKind kind) : m_name(std::move(name)), m_kind(kind) {}
    QString FieldName() const override { return m_name; }
    TVRFieldKind FieldKind() const override { return m_kind; }
    QString AsString() const override { return QStringLiteral("tekst"); }
    qint32 AsInteger() const override { return 2147483647; }
    double AsFloat() const override { return 0.5; }
    bool AsBoolean() const override { return true; }
    QString DisplayText() const override { return QStringLiteral("2009-03-05"); }

private:
    QString m_name;
    TVRFieldKind m_kind;
};

class FuzzDataSet : public TVRDataSet
{
public:
    FuzzDataSet()
    {
        m_fields.push_back(std::make_unique<FuzzField>(QStringLiteral("QTY"), TVRFieldKind::Integer));
        m_fields.push_back(std::make_unique<FuzzField>(QStringLiteral("NAME"), TVRFieldKind::String));
        m_fields.push_back(std::make_unique<FuzzField>(QStringLiteral("PAID"), TVRFieldKind::Boolean));
        m_fields.push_back(std::make_unique<FuzzField>(QStringLiteral("DAY"), TVRFieldKind::Date));
        m_fields.push_back(std::make_unique<FuzzField>(QStringLiteral("BLOB"), TVRFieldKind::Other));
    }
    QString Name() const override { return QStringLiteral("ORDERS"); }
    int FieldIndex(const QString &name) const override
    {
        for (size_t i = 0; i < m_fields.size(); ++i)
            if (m_fields[i]->FieldName().compare(name, Qt::CaseInsensitive) == 0)
                return static_cast<int>(i);
        return -1;
    }
    TVRField *FieldAt(int index) override
    {
        return index >= 0 && index < static_cast<int>(m_fields.size()) ? m_fields[size_t(index)].get() : nullptr;
    }
    bool MakesOwnFields() const override { return true; }

private:
    std::vector<std::unique_ptr<FuzzField>> m_fields;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static FuzzDataSet dataSet;
    static TVREvEnvironment *environment = [] {
        RegisterExpressionFunctions();
        auto *env = new TVREvEnvironment;
        env->AddFunction(QStringLiteral("A"), QStringLiteral("A+1"));
        env->AddFunction(QStringLiteral("PAGENUMBER"), QStringLiteral("0"));
        env->AddFunction(QStringLiteral("TITLE"), QStringLiteral("'Rejestr ' + STR(PAGENUMBER)"));
        env->Prepare();
        return env;
    }();

    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    TVREvaluator ev;
    ev.SetDataSets({&dataSet});
    ev.SetEnvironment(environment);
    ev.Prepare(text);
    if (!ev.Prepared())
        __builtin_trap();
    ev.Reset();
    for (quint64 record = 1; record <= 3; ++record) {
        environment->SetIntegerValue(QStringLiteral("PAGENUMBER"), static_cast<qint32>(record));
        ev.DoAggregate(record);
        ev.DoAggregate(record);
        const TVREvResult r = ev.Value();
        if (static_cast<int>(r.Kind) > 4)
            __builtin_trap();
        if (!r.IsError())
            (void)ResultToText(r); // an error value is the only one that may raise here
    }
    ev.UnPrepare();

    QString masked;
    (void)FormatNumberWithMask(text, -1234.5678, &masked);
    (void)FormatNumberWithMask(text, 0.0, &masked);
    (void)FormatNumberWithMask(text, 1e300, &masked);
    return 0;
}
