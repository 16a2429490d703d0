#pragma once

// An in-memory data set for expression tests: fields with a kind and a current value that
// the test changes between "records".

#include "reportengine/evaluator.h"
#include "reportengine/expr_functions_library.h"

#include <QVariant>
#include <memory>
#include <vector>

namespace evaluatortest {

using namespace reportengine;

class FakeField : public TVRField
{
public:
    FakeField(QString name, TVRFieldKind kind, QVariant value = {})
        : name(std::move(name)), kind(kind), value(std::move(value))
    {
    }
    QString FieldName() const override { return name; }
    TVRFieldKind FieldKind() const override { return kind; }
    QString AsString() const override { return value.toString(); }
    qint32 AsInteger() const override { return value.toInt(); }
    double AsFloat() const override { return value.toDouble(); }
    bool AsBoolean() const override { return value.toBool(); }
    QString DisplayText() const override { return value.toString(); }

    QString name;
    TVRFieldKind kind;
    QVariant value;
};

class FakeDataSet : public TVRDataSet
{
public:
    explicit FakeDataSet(QString name) : name(std::move(name)) {}
    QString Name() const override { return name; }
    int FieldIndex(const QString &fieldName) const override
    {
        for (size_t i = 0; i < fields.size(); ++i)
            if (fields[i]->name.compare(fieldName, Qt::CaseInsensitive) == 0)
                return static_cast<int>(i);
        return -1;
    }
    TVRField *FieldAt(int index) override
    {
        ++fieldRequests;
        if (index < 0 || index >= static_cast<int>(fields.size()))
            return nullptr;
        return fields[static_cast<size_t>(index)].get();
    }
    bool MakesOwnFields() const override { return ownFields; }

    FakeField *Add(const QString &fieldName, TVRFieldKind kind, const QVariant &value = {})
    {
        fields.push_back(std::make_unique<FakeField>(fieldName, kind, value));
        return fields.back().get();
    }
    void Set(const QString &fieldName, const QVariant &value)
    {
        fields[static_cast<size_t>(FieldIndex(fieldName))]->value = value;
    }

    QString name;
    std::vector<std::unique_ptr<FakeField>> fields;
    bool ownFields = false;
    int fieldRequests = 0;
};

// "KIND<TAB>text" of a value: what a table row expects.
inline QString Describe(const TVREvResult &r)
{
    QString text;
    switch (r.Kind) {
    case TVREvKind::Integer:
        text = QString::number(r.Integer);
        break;
    case TVREvKind::Float:
        text = QString::number(r.Float, 'g', 15);
        break;
    case TVREvKind::Boolean:
        text = r.Boolean ? QStringLiteral("True") : QStringLiteral("False");
        break;
    default:
        text = r.Text;
        break;
    }
    return KindName(r.Kind) + QLatin1Char('\t') + text;
}

inline TVREvResult Evaluate(const QString &expression, TVREvEnvironment *environment = nullptr,
                            const QList<TVRDataSet *> &dataSets = {})
{
    TVREvaluator ev;
    ev.SetEnvironment(environment);
    ev.SetDataSets(dataSets);
    ev.Prepare(expression);
    return ev.Value();
}

} // namespace evaluatortest
