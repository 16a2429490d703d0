#include "storage/catalogues.h"

#include <utility>

namespace storage {

TCzynChem::TCzynChem(int id, int typ, int typh, QString nazwa, QString nds, QString ndsch, QString ndsp, QString nrcas,
                     QString nrkarty, QString ver_pom, QString frm_dane, QString aktualny, QString ident,
                     QString zwroth)
    : TCzynnik(std::move(nazwa), std::move(ident), id, std::move(ver_pom), std::move(frm_dane), std::move(aktualny),
               QStringLiteral("T")),
      nds(std::move(nds)), ndsch(std::move(ndsch)), ndsp(std::move(ndsp)), typ(typ), nrcas(std::move(nrcas)),
      nrkarty(std::move(nrkarty)), typh(typh), zwroth(std::move(zwroth))
{
}

std::unique_ptr<TCzynnik> TCzynChem::Clone() const
{
    return std::unique_ptr<TCzynnik>(new TCzynChem(*this));
}

bool TCzynChem::SameAs(const TCzynChem &o) const
{
    return SameFactorAs(o) && nds == o.nds && ndsch == o.ndsch && ndsp == o.ndsp && typ == o.typ &&
           nrcas == o.nrcas && nrkarty == o.nrkarty && typh == o.typh && zwroth == o.zwroth;
}

TCzynBiol::TCzynBiol(int id, int typczyn, int grzagr, int uszgrzagr, QString nazwa, QString ozndod, QString ver_pom,
                     QString frm_dane, QString aktual, QString ident)
    : TCzynnik(std::move(nazwa), std::move(ident), id, std::move(ver_pom), std::move(frm_dane), std::move(aktual),
               QStringLiteral("N")),
      typczyn(typczyn), grzagr(grzagr), uszgrzagr(uszgrzagr), ozndod(std::move(ozndod))
{
}

std::unique_ptr<TCzynnik> TCzynBiol::Clone() const
{
    return std::unique_ptr<TCzynnik>(new TCzynBiol(*this));
}

bool TCzynBiol::SameAs(const TCzynBiol &o) const
{
    return SameFactorAs(o) && typczyn == o.typczyn && grzagr == o.grzagr && uszgrzagr == o.uszgrzagr &&
           ozndod == o.ozndod;
}

} // namespace storage
