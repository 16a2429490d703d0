#include "storage/factors.h"

#include <utility>

namespace storage {

TGrupaCzynnik::TGrupaCzynnik(QString nazwa, QString ident, QString plik, QString katfrm, QString katzal,
                             QString plikWl)
    : nazwa(std::move(nazwa)), ident(std::move(ident)), plik(std::move(plik)), katfrm(std::move(katfrm)),
      katzal(std::move(katzal)), plikWl(std::move(plikWl))
{
}

TCzynnik::TCzynnik(QString nazwa, QString ident, int id, QString ver_pom, QString frm_dane, QString aktual,
                   QString szkod)
    : nazwa(std::move(nazwa)), id(id), ident(std::move(ident)), ver_pom(std::move(ver_pom)),
      frm_dane(std::move(frm_dane)), aktual(std::move(aktual)), szkod(std::move(szkod))
{
}

TCzynnik::TCzynnik(const TCzynnik &o)
    : nazwa(o.nazwa), id(o.id), ident(o.ident), ver_pom(o.ver_pom), frm_dane(o.frm_dane), aktual(o.aktual),
      Measurements(CloneMeasurements(o.Measurements)), szkod(o.szkod), MeasurementsIncomplete(o.MeasurementsIncomplete)
{
}

std::unique_ptr<TCzynnik> TCzynnik::Clone() const
{
    return std::unique_ptr<TCzynnik>(new TCzynnik(*this));
}

bool TCzynnik::SameFactorAs(const TCzynnik &o) const
{
    if (!(nazwa == o.nazwa && id == o.id && ident == o.ident && ver_pom == o.ver_pom && frm_dane == o.frm_dane &&
          aktual == o.aktual && szkod == o.szkod && Measurements.size() == o.Measurements.size()))
        return false;
    for (size_t i = 0; i < Measurements.size(); ++i)
        if (!Measurements[i]->SameAs(*o.Measurements[i]))
            return false;
    return true;
}

} // namespace storage
