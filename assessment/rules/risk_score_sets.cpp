#include "assessment/rules/risk_score_sets.h"

#include <memory>
#include <vector>

namespace assessment {

namespace {

struct Kept
{
    std::vector<std::unique_ptr<storage::TRiskScore>> sets;
    quint16 current = 0;
};

Kept &kept()
{
    static Kept k;
    return k;
}

} // namespace

int GetRiskScoreIndex(quint16 wersja, QStringList *messages)
{
    auto &sets = kept().sets;
    for (std::size_t i = 0; i < sets.size(); ++i) {
        if (sets[i]->Wersja == wersja)
            return int(i);
    }
    storage::TRiskScoreReadResult read = storage::ReadRiskScore(wersja);
    if (messages) {
        for (const storage::TRiskScoreFileProblem &p : read.Problems)
            *messages << storage::RiskScoreProblemText(p);
    }
    auto set = std::make_unique<storage::TRiskScore>(std::move(read.Set));
    if (!read.BandsUsable) {
        set->Opis = {};
        set->Ryzyko = {};
        set->SterRyz = {};
    }
    sets.push_back(std::move(set));
    return int(sets.size()) - 1;
}

void SelectRiskScoreVersion(quint16 wersja, QStringList *messages)
{
    kept().current = wersja;
    GetRiskScoreIndex(wersja, messages);
}

quint16 CurrentRiskScoreVersion()
{
    return kept().current;
}

const storage::TRiskScore *KeptRiskScore(quint16 wersja)
{
    for (const auto &set : kept().sets) {
        if (set->Wersja == wersja)
            return set.get();
    }
    return nullptr;
}

void ReloadRiskScoreSets()
{
    kept().sets.clear();
}

} // namespace assessment
