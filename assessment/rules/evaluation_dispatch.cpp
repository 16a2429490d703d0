#include "assessment/rules/evaluation_dispatch.h"

#include "assessment/risk_ratings.h"
#include "storage/factors.h"
#include "storage/measurements.h"

#include <QHash>
#include <map>
#include <utility>

namespace assessment {

namespace {

QHash<QString, EvaluationRule> &formRules()
{
    static QHash<QString, EvaluationRule> table;
    return table;
}

std::map<RuleFamily, EvaluationRule> &familyRules()
{
    static std::map<RuleFamily, EvaluationRule> table;
    return table;
}

std::vector<std::pair<QString, RuleFamily>> buildTable()
{
    std::vector<std::pair<QString, RuleFamily>> t;
    auto add = [&t](RuleFamily family, std::initializer_list<const char *> names) {
        for (const char *n : names)
            t.emplace_back(QString::fromLatin1(n), family);
    };
    add(RuleFamily::Chemical, {"chemiczny_Pomiar_01"});
    add(RuleFamily::Biological, {"biologiczny_Pomiar_01"});
    add(RuleFamily::Vibration, {"drgania_msc_Pomiar_01", "drgania_ogln_Pomiar_01", "mechaniczne_Pomiar_01"});
    add(RuleFamily::Noise, {"halas_fizyczny_Pomiar_01", "halas_infra_Pomiar_01", "halas_uciazliwy_Pomiar_01",
                            "halas_ultra_Pomiar_01", "halas_ultra_Pomiar_02", "halas_infra_uc_Pomiar_01"});
    add(RuleFamily::Microclimate,
        {"mikroklimat_goracy_Pomiar_01", "mikroklimat_um_Pomiar_01", "mikroklimat_zimny_Pomiar_01",
         "mikroklimat_zimny_Pomiar_02", "mikroklimat_zimny_Pomiar_03"});
    add(RuleFamily::WorkLoad, {"monotypia_Pomiar_01", "obc_psych_Pomiar_01", "obc_stat_Pomiar_01",
                               "wysilek_fizyczny_Pomiar_01", "wysilek_fizyczny_Pomiar_02"});
    add(RuleFamily::Lighting, {"osw_natezenie_Pomiar_01", "osw_natezenie_Pomiar_02", "osw_olsnienie_Pomiar_01",
                               "osw_rownomiernosc_Pomiar_01", "osw_rownomiernosc_Pomiar_02",
                               "osw_rozroznaniebarw_Pomiar_01", "osw_rozroznaniebarw_Pomiar_02", "osw_tetn_Pomiar_01"});
    add(RuleFamily::FieldsAndCurrent,
        {"pole_Pomiar_01", "prad_NN_Pomiar_01", "prad_WN_Pomiar_01", "wybuch_pozar_Pomiar_01"});
    add(RuleFamily::OpticalRadiation,
        {"prm_nadfioletowe_Pomiar_01", "prm_podczerwone_Pomiar_01", "prm_podczerwone_Pomiar_02",
         "prm_widzialne_Pomiar_01", "prm_widzialne_Pomiar_02"});
    add(RuleFamily::Laser, {"prm_laser_Pomiar_01", "prm_laser_Pomiar_02"});
    add(RuleFamily::Dust,
        {"pyly_apatytow_Pomiar_01", "pyly_azbestu_Pomiar_01", "pyly_cementow_Pomiar_01", "pyly_drewna_Pomiar_01",
         "pyly_grafitu_Pomiar_01", "pyly_krystkrzem_Pomiar_01", "pyly_krzembespost_Pomiar_01",
         "pyly_organiczne_Pomiar_01", "pyly_sztuczwlok_Pomiar_01", "pyly_talku_Pomiar_01", "pyly_wegla_Pomiar_01",
         "pyly_pozostale_Pomiar_01", "pyly_Pomiar_01"});
    add(RuleFamily::OwnMethods, {"met5Krok_Pomiar_01", "metRiskScore_Pomiar_01"});
    return t;
}

QHash<QString, WorkstationSum> &sums()
{
    static QHash<QString, WorkstationSum> table;
    return table;
}

NewMeasurementRating &biologicalRating()
{
    static NewMeasurementRating rating;
    return rating;
}

std::function<void()> &pendingRegistration()
{
    static std::function<void()> registration;
    return registration;
}

} // namespace

void RegisterRulesOnFirstUse(std::function<void()> registerRules)
{
    pendingRegistration() = std::move(registerRules);
}

void EnsureRulesRegistered()
{
    // Taken out first: the registration registers through the functions below.
    if (const std::function<void()> registration = std::exchange(pendingRegistration(), {}))
        registration();
}

const std::vector<std::pair<QString, RuleFamily>> &EvaluationTable()
{
    static const std::vector<std::pair<QString, RuleFamily>> table = buildTable();
    return table;
}

bool FamilyOfForm(const QString &formName, RuleFamily &family)
{
    for (const auto &[name, f] : EvaluationTable()) {
        if (name == formName) {
            family = f;
            return true;
        }
    }
    return false;
}

void RegisterRuleFamily(RuleFamily family, EvaluationRule rule)
{
    EnsureRulesRegistered();
    if (rule)
        familyRules()[family] = std::move(rule);
    else
        familyRules().erase(family);
}

EvaluationRule FindEvaluationRule(const QString &formName)
{
    EnsureRulesRegistered();
    if (formName.isEmpty())
        return {};
    if (EvaluationRule rule = formRules().value(formName))
        return rule;
    RuleFamily family;
    if (!FamilyOfForm(formName, family))
        return {};
    const auto it = familyRules().find(family);
    return it == familyRules().end() ? EvaluationRule() : it->second;
}

void RegisterEvaluationRule(const QString &formName, EvaluationRule rule)
{
    EnsureRulesRegistered();
    if (rule)
        formRules().insert(formName, std::move(rule));
    else
        formRules().remove(formName);
}

void RegisterWorkstationSum(const QString &ident, WorkstationSum sum)
{
    EnsureRulesRegistered();
    if (sum)
        sums().insert(ident, std::move(sum));
    else
        sums().remove(ident);
}

void RunWorkstationSum(const QString &ident, TFormAccess &form, bool includeCurrent)
{
    EnsureRulesRegistered();
    const WorkstationSum sum = sums().value(ident);
    if (sum)
        sum(form, includeCurrent);
}

bool TakesPartInSums(const storage::TPomiarCzynn &m)
{
    for (const std::unique_ptr<storage::TPomiar> &f : m.Fields) {
        if (f->nazwa().contains(QLatin1String("cbSumNDS")) && f->Value == QLatin1String("True"))
            return true;
    }
    return false;
}

void RegisterNewBiologicalRating(NewMeasurementRating rating)
{
    EnsureRulesRegistered();
    biologicalRating() = std::move(rating);
}

void RateNewBiologicalMeasurement(storage::TPomiarCzynn &m, const storage::TCzynnik &factor)
{
    EnsureRulesRegistered();
    if (biologicalRating())
        biologicalRating()(m, factor);
}

void RateNewMeasurement(storage::TPomiarCzynn &m, const storage::TCzynnik &factor,
                        const storage::TStanowisko *workstation)
{
    if (factor.ident == QLatin1String("biol"))
        RateNewBiologicalMeasurement(m, factor);
    TRiskRatings ratings = StoredRatings(m);
    ratings.combined = CombineRatings(ratings.groups, workstation, m.data).combined;
    StoreRatings(m, ratings);
}

} // namespace assessment
