// Risk Score files: band descriptions and table rows with texts of the input's choosing,
// written by the program's writer and read back equal, or refused by it with its reason.
// LIBS: tarvelin_storage tarvelin_platform_core
#include "fuzz/roundtrip_support.h"
#include "storage/risk_score_files.h"

using roundtrip::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    roundtrip::Input in(data, size,
                        {QStringLiteral("RiskScore"), QStringLiteral("RiskScore_Prawd"), QStringLiteral("poz")});
    storage::TRiskScore set(1);
    const float minima[] = {0, 20, 70, 200, 400};
    const quint16 codes[] = {10, 20, 30, 40, 40};
    for (int i = 0; i < storage::TRiskScore::BandCount; ++i) {
        set.Opis[i] = in.Text();
        set.Ryzyko[i] = minima[i];
        set.SterRyz[i] = codes[i];
    }
    for (int n = in.Number(0, 6); n > 0; --n) {
        storage::TRiskScoreParam p;
        p.Typ = quint16(in.Number(1, 3));
        p.NrPoz = quint16(in.Number(0, 99));
        p.OpisPodst = in.Text();
        p.OpisUszcz1 = in.Text();
        p.OpisUszcz2 = in.Text();
        p.Wartosc = float(in.Number(0, 1000)) / 10;
        set.Params.push_back(p);
    }
    if (!storage::StorableRiskScore(set))
        return 0;
    storage::TRiskScoreReadResult r;
    r.Set = storage::TRiskScore(1);
    Require(storage::ParseRiskScoreBands(fuzzsupport::WrittenLines(storage::RiskScoreMainLines(set), true),
                                         storage::RiskScoreMainPath(), r));
    for (quint16 typ : storage::RiskScoreTableReadOrder)
        storage::ParseRiskScoreTable(fuzzsupport::WrittenLines(storage::RiskScoreTableLines(set, typ), true),
                                     storage::RiskScoreTablePath(typ), typ, r);
    Require(r.Problems.empty() && r.Set.Opis == set.Opis);
    // Rows come back grouped by table, in their order within each.
    for (quint16 typ : storage::RiskScoreTableReadOrder) {
        std::vector<storage::TRiskScoreParam> a, b;
        for (const auto &p : set.Params)
            if (p.Typ == typ)
                a.push_back(p);
        for (const auto &p : r.Set.Params)
            if (p.Typ == typ)
                b.push_back(p);
        Require(a == b);
    }
    return 0;
}
