#pragma once

// Data sets a report walks record by record, and an adapter that makes one out of a
// std::vector of rows.
//
// A report (or a sub-detail) with a data set prints its detail band once per record,
// from the first to the last; expressions and data labels read the current record's
// fields by name. The adapter reads the vector live: rows added or removed between
// runs are seen by the next run, and a vector that shrinks while a report walks it
// simply ends the walk (fields past the end read as empty).
//
//   std::vector<Stanowisko> rows = ...;
//   TVRVectorDataSet<Stanowisko> data(QStringLiteral("STAN"), rows);
//   data.AddField(QStringLiteral("NAZWA"), TVRFieldKind::String, [](const Stanowisko &s) { return s.nazwa; });
//   report.SetDataSet(&data);

#include "reportengine/evaluator_data.h"

#include <QString>
#include <QVariant>

#include <functional>
#include <memory>
#include <vector>

namespace reportengine {

class TVRReportDataSet : public TVRDataSet
{
public:
    // An inactive data set is walked as if the report had none.
    virtual bool Active() const = 0;
    virtual void First() = 0;
    virtual void Next() = 0;
    // One record back (the report steps back to close groups on the last record of
    // the old value); nothing on the first record.
    virtual void Prior() = 0;
    virtual bool Eof() const = 0;
    virtual int RecordCount() const = 0;
};

// Records numbered by their index, fields read through getters of the index.
class TVRRowDataSet : public TVRReportDataSet
{
public:
    using Getter = std::function<QVariant(int row)>;

    TVRRowDataSet(QString name, std::function<int()> rowCount);
    ~TVRRowDataSet() override;

    // A field of this kind read from the row by the getter. Memo fields print their
    // text as lines of their own.
    void AddField(const QString &name, TVRFieldKind kind, Getter getter, bool memo = false);

    QString Name() const override { return m_name; }
    int FieldIndex(const QString &fieldName) const override;
    TVRField *FieldAt(int index) override;
    bool MakesOwnFields() const override { return false; }

    bool Active() const override { return m_active; }
    void SetActive(bool active) { m_active = active; }
    void First() override { m_row = 0; }
    void Next() override;
    void Prior() override;
    bool Eof() const override { return m_row >= m_rowCount(); }
    int RecordCount() const override { return m_rowCount(); }
    // Index of the current row (the row count at the end).
    int Row() const { return m_row; }

private:
    class Field;

    QString m_name;
    std::function<int()> m_rowCount;
    std::vector<std::unique_ptr<Field>> m_fields;
    int m_row = 0;
    bool m_active = true;
};

template <class RowT> class TVRVectorDataSet : public TVRRowDataSet
{
public:
    // The vector is read, not copied: it must outlive the data set.
    TVRVectorDataSet(const QString &name, const std::vector<RowT> &rows)
        : TVRRowDataSet(name, [&rows] { return static_cast<int>(rows.size()); }), m_rows(&rows)
    {
    }

    // getter(const RowT &) returns anything a QVariant holds (QString, int, double,
    // bool, QDate, QDateTime).
    template <class F> void AddField(const QString &name, TVRFieldKind kind, F getter, bool memo = false)
    {
        const std::vector<RowT> *rows = m_rows;
        TVRRowDataSet::AddField(
            name, kind, [rows, getter](int i) { return QVariant::fromValue(getter((*rows)[static_cast<size_t>(i)])); },
            memo);
    }

    // The current row; nullptr at the end.
    const RowT *Current() const
    {
        return TVRRowDataSet::Row() < static_cast<int>(m_rows->size())
                   ? &(*m_rows)[static_cast<size_t>(TVRRowDataSet::Row())]
                   : nullptr;
    }

private:
    const std::vector<RowT> *m_rows;
};

} // namespace reportengine
