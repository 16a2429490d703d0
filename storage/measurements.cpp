#include "storage/measurements.h"

#include <algorithm>
#include <utility>

namespace storage {

std::unique_ptr<TPomiarCzynn> TPomiarCzynn::Clone() const
{
    auto c = std::make_unique<TPomiarCzynn>(Attributes());
    c->Fields = CloneFields(Fields);
    return c;
}

bool TPomiarCzynn::SameAs(const TPomiarCzynn &o) const
{
    return Attributes() == o.Attributes() && SameFields(Fields, o.Fields);
}

namespace {

bool dateLess(const QString &a, const QString &b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

} // namespace

TPomiarCzynn *AddMeasurement(TMeasurementList &list, std::unique_ptr<TPomiarCzynn> m)
{
    if (!m)
        return nullptr;
    // Measurements are nearly always appended in date order: test the end first.
    auto at = list.end();
    if (!list.empty() && !dateLess(list.back()->data, m->data))
        at = std::lower_bound(list.begin(), list.end(), m->data,
                              [](const std::unique_ptr<TPomiarCzynn> &e, const QString &d) { return dateLess(e->data, d); });
    if (at != list.end() && QString::compare((*at)->data, m->data, Qt::CaseInsensitive) == 0)
        return nullptr;
    TPomiarCzynn *raw = m.get();
    list.insert(at, std::move(m));
    return raw;
}

int FindMeasurementByDate(const TMeasurementList &list, const QString &data)
{
    for (size_t i = 0; i < list.size(); ++i)
        if (QString::compare(list[i]->data, data, Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

int FindMeasurementById(const TMeasurementList &list, int id)
{
    for (size_t i = 0; i < list.size(); ++i)
        if (list[i]->id == id)
            return int(i);
    return -1;
}

void SortMeasurements(TMeasurementList &list)
{
    std::stable_sort(list.begin(), list.end(),
                     [](const auto &a, const auto &b) { return dateLess(a->data, b->data); });
}

TMeasurementList CloneMeasurements(const TMeasurementList &list)
{
    TMeasurementList out;
    out.reserve(list.size());
    for (const auto &m : list)
        out.push_back(m->Clone());
    return out;
}

namespace {

// The day a yyyy-MM-dd text begins with (a time of day after it still names its day);
// invalid when it begins with no such day. Read by hand: the lists read thousands.
QDate dayOf(const QString &data)
{
    if (data.size() < 10 || data[4] != QLatin1Char('-') || data[7] != QLatin1Char('-'))
        return QDate();
    int parts[3] = {0, 0, 0};
    const int from[3] = {0, 5, 8}, to[3] = {4, 7, 10};
    for (int p = 0; p < 3; ++p) {
        for (int i = from[p]; i < to[p]; ++i) {
            const QChar c = data[i];
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return QDate();
            parts[p] = parts[p] * 10 + (c.unicode() - '0');
        }
    }
    return QDate(parts[0], parts[1], parts[2]);
}

} // namespace

QString MeasurementDay(const QString &data)
{
    const QDate d = dayOf(data);
    return d.isValid() ? data.left(10) : data;
}

bool MeasurementInRange(const QString &data, const QDate &from, const QDate &to)
{
    const QDate d = dayOf(data);
    if (d.isValid())
        return d >= from && d <= to;
    // A text that is no date compares as yyyy-MM-dd texts do, in the order of the days.
    return data >= from.toString(QStringLiteral("yyyy-MM-dd")) && data <= to.toString(QStringLiteral("yyyy-MM-dd"));
}

std::vector<TPomiarCzynn *> MeasurementsInRange(const TMeasurementList &measurements, const QDate &from,
                                                const QDate &to, bool latestOnly)
{
    std::vector<TPomiarCzynn *> taken;
    QString latestDay;
    for (const auto &m : measurements) {
        if (!MeasurementInRange(m->data, from, to))
            continue;
        if (!latestOnly) {
            taken.push_back(m.get());
            continue;
        }
        // The first of the latest day, in list order.
        const QString day = MeasurementDay(m->data);
        if (taken.empty() || day > latestDay) {
            taken.assign(1, m.get());
            latestDay = day;
        }
    }
    return taken;
}

} // namespace storage
