#include "reportengine/vr_data_set.h"

#include "reportengine/evaluator_result.h"

namespace reportengine {

namespace {

bool IsDateKind(TVRFieldKind kind)
{
    return kind == TVRFieldKind::Date || kind == TVRFieldKind::Time || kind == TVRFieldKind::DateTime ||
           kind == TVRFieldKind::TimeStamp;
}

} // namespace

class TVRRowDataSet::Field : public TVRField
{
public:
    Field(TVRRowDataSet &owner, QString name, TVRFieldKind kind, Getter getter, bool memo)
        : m_owner(owner), m_name(std::move(name)), m_kind(kind), m_getter(std::move(getter)), m_memo(memo)
    {
    }

    QString FieldName() const override { return m_name; }
    TVRFieldKind FieldKind() const override { return m_kind; }
    bool IsMemo() const override { return m_memo; }
    QString AsString() const override { return m_kind == TVRFieldKind::String ? Value().toString() : DisplayText(); }
    qint32 AsInteger() const override { return Value().toInt(); }
    double AsFloat() const override { return Value().toDouble(); }
    bool AsBoolean() const override { return Value().toBool(); }
    QDateTime AsDateTime() const override
    {
        const QVariant v = Value();
        if (v.typeId() == QMetaType::QDate)
            return v.toDate().startOfDay();
        if (v.typeId() == QMetaType::QTime)
            return QDateTime(QDate(1899, 12, 30), v.toTime());
        return v.toDateTime();
    }
    QString DisplayText() const override
    {
        const QVariant v = Value();
        if (!v.isValid())
            return {};
        switch (m_kind) {
        case TVRFieldKind::Integer:
        case TVRFieldKind::SmallInt:
        case TVRFieldKind::Word:
            return QString::number(v.toInt());
        case TVRFieldKind::Float:
        case TVRFieldKind::Currency:
        case TVRFieldKind::BCD:
        case TVRFieldKind::FMTBcd:
            return FloatToGeneralText(v.toDouble());
        case TVRFieldKind::Boolean:
            return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
        default:
            break;
        }
        if (IsDateKind(m_kind)) {
            if (m_kind == TVRFieldKind::Date || v.typeId() == QMetaType::QDate)
                return AsDateTime().date().toString(QStringLiteral("yyyy-MM-dd"));
            if (m_kind == TVRFieldKind::Time || v.typeId() == QMetaType::QTime)
                return AsDateTime().time().toString(QStringLiteral("HH:mm:ss"));
            return AsDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        }
        return v.toString();
    }

private:
    // The current row's value; nothing past the end (a vector that shrank meanwhile).
    QVariant Value() const
    {
        const int row = m_owner.Row();
        if (row < 0 || row >= m_owner.RecordCount())
            return {};
        return m_getter(row);
    }

    TVRRowDataSet &m_owner;
    QString m_name;
    TVRFieldKind m_kind;
    Getter m_getter;
    bool m_memo;
};

TVRRowDataSet::TVRRowDataSet(QString name, std::function<int()> rowCount)
    : m_name(std::move(name)), m_rowCount(std::move(rowCount))
{
}

TVRRowDataSet::~TVRRowDataSet() = default;

void TVRRowDataSet::AddField(const QString &name, TVRFieldKind kind, Getter getter, bool memo)
{
    m_fields.push_back(std::make_unique<Field>(*this, name, kind, std::move(getter), memo));
}

int TVRRowDataSet::FieldIndex(const QString &fieldName) const
{
    for (size_t i = 0; i < m_fields.size(); ++i)
        if (m_fields[i]->FieldName().compare(fieldName, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}

TVRField *TVRRowDataSet::FieldAt(int index)
{
    if (index < 0 || index >= static_cast<int>(m_fields.size()))
        return nullptr;
    return m_fields[static_cast<size_t>(index)].get();
}

void TVRRowDataSet::Next()
{
    if (!Eof())
        ++m_row;
}

void TVRRowDataSet::Prior()
{
    if (m_row > 0)
        --m_row;
}

} // namespace reportengine
