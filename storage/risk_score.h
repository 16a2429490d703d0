#pragma once

// The Risk Score parameter set: R = S x P x E, the product of three values chosen from the
// consequences, probability and exposure tables, read against five risk bands. Its files
// are read and written in risk_score_files.h.

#include <QString>
#include <QtGlobal>
#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace storage {

// The table a row belongs to (`Typ`).
enum RiskScoreTable : quint16 {
    RiskScoreProbability = 1,  // P, "metRiskScore_Prawd_1.xml"
    RiskScoreExposure = 2,     // E, "metRiskScore_Eksp_1.xml"
    RiskScoreConsequences = 3, // S, "metRiskScore_Skutki_1.xml"
};

// One row of a table.
class TRiskScoreParam
{
public:
    TRiskScoreParam() = default;
    TRiskScoreParam(quint16 typ, quint16 nrPoz, QString opisPodst, QString opisUszcz1, QString opisUszcz2,
                    float wartosc)
        : Typ(typ), NrPoz(nrPoz), OpisPodst(std::move(opisPodst)), OpisUszcz1(std::move(opisUszcz1)),
          OpisUszcz2(std::move(opisUszcz2)), Wartosc(wartosc)
    {
    }

    quint16 Typ = 0;    // RiskScoreTable; 0 for a row left empty, which is never written
    quint16 NrPoz = 0;  // position within its table, from 1
    QString OpisPodst;  // description
    QString OpisUszcz1; // P: chance, E: frequency, S: human losses
    QString OpisUszcz2; // S only: material losses
    float Wartosc = 0;  // the table value

    bool operator==(const TRiskScoreParam &other) const = default;
};

class TRiskScore
{
public:
    static constexpr int BandCount = 5;

    // An empty set (empty texts, zero numbers) with count empty rows.
    explicit TRiskScore(quint16 wersja = 0, int count = 0) : Wersja(wersja), Params(std::size_t(std::max(count, 0))) {}

    quint16 Wersja = 0; // 0: the current parameters
    // Band i (1 to 5) at index i - 1: Opis1..Opis5, Ryzyko1..Ryzyko5, SterRyz1..SterRyz5.
    std::array<QString, BandCount> Opis;
    std::array<float, BandCount> Ryzyko{};    // the band's minimum of R
    std::array<quint16, BandCount> SterRyz{}; // the band's risk code: 10, 20, 30 or 40
    std::vector<TRiskScoreParam> Params;      // rows of the three tables, each with its Typ

    bool operator==(const TRiskScore &other) const = default;
};

} // namespace storage
