#pragma once

// Entries of the chemical and biological catalogues ("poradn/czynchem.xml",
// "poradn/czynbiol.xml"). The catalogue readers and lookups are in catalogue_files.h.

#include "storage/factors.h"

#include <QString>
#include <memory>
#include <vector>

namespace storage {

// A chemical substance: `ident` "chem", `szkod` "T", `aktual` its `aktualny`.
class TCzynChem : public TCzynnik
{
public:
    TCzynChem() = default;
    TCzynChem(int id, int typ, int typh, QString nazwa, QString nds, QString ndsch, QString ndsp, QString nrcas,
              QString nrkarty, QString ver_pom, QString frm_dane, QString aktualny, QString ident, QString zwroth);

    QString nds;     // time-weighted limit value; "-1" = none
    QString ndsch;   // short-term limit value; "-1" = none
    QString ndsp;    // ceiling value; "-1" = none
    int typ = 0;     // bit mask of hazard classes, older classification
    QString nrcas;   // CAS number
    QString nrkarty; // number of the substance's card
    int typh = 0;    // bit mask of hazard classes under CLP; may be negative
    QString zwroth;  // hazard statements

    std::unique_ptr<TCzynnik> Clone() const override;
    bool SameAs(const TCzynChem &other) const;

protected:
    TCzynChem(const TCzynChem &other) = default;
};

// A biological agent: `ident` "biol", `szkod` "N", `aktual` empty.
class TCzynBiol : public TCzynnik
{
public:
    TCzynBiol() = default;
    TCzynBiol(int id, int typczyn, int grzagr, int uszgrzagr, QString nazwa, QString ozndod, QString ver_pom,
              QString frm_dane, QString aktual, QString ident);

    int typczyn = 0;   // kind of agent, one decimal digit
    int grzagr = 0;    // hazard group
    int uszgrzagr = 0; // second hazard-group code
    QString ozndod;    // additional marking

    std::unique_ptr<TCzynnik> Clone() const override;
    bool SameAs(const TCzynBiol &other) const;

protected:
    TCzynBiol(const TCzynBiol &other) = default;
};

using TCzynChemList = std::vector<std::unique_ptr<TCzynChem>>;
using TCzynBiolList = std::vector<std::unique_ptr<TCzynBiol>>;

} // namespace storage
