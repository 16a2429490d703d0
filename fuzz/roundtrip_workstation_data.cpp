// Workstation data: general data, years and factors with texts of the input's choosing
// are written by the program's writer and read back equal, or refused by it with its
// reason.
// LIBS: tarvelin_storage tarvelin_platform_core
#include "fuzz/roundtrip_support.h"
#include "storage/workstation_files.h"

using roundtrip::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    roundtrip::Input in(data, size,
                        {QStringLiteral("stanowisko_dane"), QStringLiteral("daneogl"), QStringLiteral("dane"),
                         QStringLiteral("zatrudnienie"), QStringLiteral("rok"), QStringLiteral("czynniki")});
    storage::TStanowisko w(in.Text(), in.Text(), QStringLiteral("stan_1"));
    for (QString *v : {&w.Kod, &w.DataRej, &w.Lokalizacja, &w.NrRegon, &w.NrRej, &w.Opis})
        *v = in.Text();
    for (int n = in.Number(0, 3); n > 0; --n)
        w.AddEmployment(storage::TZatrudn(in.Text(), in.Text(), in.Text(), in.Text(), in.Text(), in.Text(), in.Text()));
    for (int n = in.Number(0, 3); n > 0; --n) {
        const bool own = in.Flag();
        const QString frmDane = own ? QStringLiteral("met5Krok") : in.Text();
        w.AddFactor(std::make_unique<storage::TCzynnik>(in.Text(), in.Text(), in.Number(1, 200000), in.Text(), frmDane,
                                                        in.Text(), in.Text()));
    }
    if (!storage::StorableWorkstationData(QStringLiteral("stanowisko_dane.xml"), w))
        return 0;

    storage::TStanowisko back(w.id, w.nazwa, w.kat_dane);
    storage::ParseWorkstationData(fuzzsupport::WrittenLines(storage::WorkstationDataLines(w), false),
                                  QStringLiteral("dane\\stan_1\\stanowisko_dane.xml"), back,
                                  storage::WorkstationReadOptions::AllFactors());
    Require(back.Loaded && back.Kod == w.Kod && back.DataRej == w.DataRej && back.Lokalizacja == w.Lokalizacja &&
            back.NrRegon == w.NrRegon && back.NrRej == w.NrRej && back.Opis == w.Opis);
    // Years whose figures are all empty or all "0" are not written.
    std::vector<QStringList> years;
    for (const storage::TZatrudn &z : w.Employment)
        if (storage::EmploymentYearWritten(z))
            years.push_back(z.Columns());
    Require(back.Employment.size() == years.size());
    for (size_t i = 0; i < years.size(); ++i)
        Require(back.Employment[i].Columns() == years[i]);
    Require(back.Factors.size() == w.Factors.size());
    for (size_t i = 0; i < w.Factors.size(); ++i) {
        const storage::TCzynnik &a = *w.Factors[i].factor;
        const storage::TCzynnik &b = *back.Factors[i].factor;
        // The harm flag is stored for the two own-factor methods only.
        const QString szkod = storage::FactorHasSzkod(a.frm_dane) ? a.szkod : QString();
        Require(b.nazwa == a.nazwa && b.id == a.id && b.ident == a.ident && b.ver_pom == a.ver_pom &&
                b.frm_dane == a.frm_dane && b.aktual == a.aktual && b.szkod == szkod &&
                back.Factors[i].text == w.Factors[i].text);
    }
    return 0;
}
