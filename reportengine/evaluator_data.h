#pragma once

// What an expression may read from a report's data: the data sets whose fields it names.
// The report component supplies the implementations; the evaluator only reads.

#include <QDateTime>
#include <QString>
#include <QtGlobal>

namespace reportengine {

// The classes of field an expression can read, and how it reads them.
enum class TVRFieldKind
{
    String,    // string
    Integer,   // integer (32 bits)
    SmallInt,  // integer
    Word,      // integer
    Float,     // float
    Currency,  // float
    BCD,       // float
    FMTBcd,    // float
    Boolean,   // boolean
    Date,      // display text
    Time,      // display text
    DateTime,  // display text
    TimeStamp, // display text
    Other,     // "Field %s is of unknown type"
};

class TVRField
{
public:
    virtual ~TVRField() = default;
    virtual QString FieldName() const = 0;
    virtual TVRFieldKind FieldKind() const = 0;
    virtual QString AsString() const = 0;
    virtual qint32 AsInteger() const = 0;
    virtual double AsFloat() const = 0;
    virtual bool AsBoolean() const = 0;
    virtual QString DisplayText() const = 0;
    // Date and time kinds: the value itself, for masks that format it.
    virtual QDateTime AsDateTime() const { return {}; }
    // A memo or blob field: its text prints as lines of its own.
    virtual bool IsMemo() const { return false; }
};

class TVRDataSet
{
public:
    virtual ~TVRDataSet() = default;
    // The name an expression uses before the dot ("ORDERS.AMOUNT"); compared ignoring case.
    virtual QString Name() const = 0;
    // Index of the field with this name (ignoring case), -1 when there is none.
    virtual int FieldIndex(const QString &fieldName) const = 0;
    // The field object at an index; may be null past the end.
    virtual TVRField *FieldAt(int index) = 0;
    // True when the data set makes its field objects itself each time it opens (no
    // persistent fields): a field object held from an earlier opening may be gone, so the
    // evaluator asks for it again by index before every read.
    virtual bool MakesOwnFields() const = 0;
};

} // namespace reportengine
