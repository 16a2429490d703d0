#include "storage/measurements.h"

#include <algorithm>
#include <utility>

namespace storage {

TPomiarCzynn::TPomiarCzynn(int id, QString data, QString mscPom, QString wykpom, QString metpom, QString interwyn,
                           QString srodogrryz, QString ver, short ocenam, short ocenak, short ocenakc, short ocenaml,
                           short ocenamax, short ocenakon)
    : id(id), data(std::move(data)), mscPom(std::move(mscPom)), wykpom(std::move(wykpom)), metpom(std::move(metpom)),
      interwyn(std::move(interwyn)), srodogrryz(std::move(srodogrryz)), ver(std::move(ver)), ocenam(ocenam),
      ocenak(ocenak), ocenakc(ocenakc), ocenaml(ocenaml), ocenamax(ocenamax), ocenakon(ocenakon)
{
}

std::unique_ptr<TPomiarCzynn> TPomiarCzynn::Clone() const
{
    auto c = std::make_unique<TPomiarCzynn>(id, data, mscPom, wykpom, metpom, interwyn, srodogrryz, ver, ocenam, ocenak,
                                            ocenakc, ocenaml, ocenamax, ocenakon);
    c->Fields = CloneFields(Fields);
    return c;
}

bool TPomiarCzynn::SameAs(const TPomiarCzynn &o) const
{
    return id == o.id && data == o.data && mscPom == o.mscPom && wykpom == o.wykpom && metpom == o.metpom &&
           interwyn == o.interwyn && srodogrryz == o.srodogrryz && ver == o.ver && ocenam == o.ocenam &&
           ocenak == o.ocenak && ocenakc == o.ocenakc && ocenaml == o.ocenaml && ocenamax == o.ocenamax &&
           ocenakon == o.ocenakon && SameFields(Fields, o.Fields);
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

} // namespace storage
