#include "assessment/rules/biological.h"

#include "assessment/risk_ratings.h"
#include "assessment/rules/evaluation_dispatch.h"
#include "assessment/rules/rating_handover.h"
#include "assessment/rules/rule_numbers.h"
#include "assessment/rules/rule_registry.h"
#include "storage/form_definitions.h"
#include "storage/formatting.h"
#include "storage/measurements.h"

#include <cmath>

namespace assessment::rules {

namespace {

const QString FormName = QStringLiteral("biologiczny_Pomiar_01");
const QString Group = QStringLiteral("ed_GrZagr");
const QString Lowered = QStringLiteral("ch_UszGrZagr");

} // namespace

int BiologicalRisk(double group)
{
    if (!std::isfinite(group))
        return storage::RiskNotDetermined;
    const double g = std::nearbyint(group); // halves to even
    if (g == 1)
        return storage::RiskSmall;
    if (g == 2)
        return storage::RiskMedium;
    if (g == 3 || g == 4)
        return storage::RiskLarge;
    return storage::RiskNotDetermined;
}

void EvaluateBiologicalAgent(TFormAccess &form, const QString &fieldName)
{
    if (fieldName == Lowered) {
        double g = 0;
        // An unknown group cannot be moved; it stays for the user to correct.
        if (ReadNumber(form, Group, g)) {
            const bool lowered = form.GetFieldValue(Lowered) == QLatin1String("True");
            form.SetFieldValue(Group, GeneralText(lowered ? g - 1 : g + 1, 15));
        }
    }
    RateBiologicalAgent(form);
}

void RateBiologicalAgent(TFormAccess &form)
{
    double g = 0;
    const int r = ReadNumber(form, Group, g) ? BiologicalRisk(g) : storage::RiskNotDetermined;
    if (r == storage::RiskNotDetermined)
        form.ReportInvalidField(Group, QStringLiteral("grupa zagrożenia musi być liczbą od 1 do 4"));
    RateAllGroups(form, r);
}

void RateNewBiologicalMeasurement(storage::TPomiarCzynn &m)
{
    double g = 0;
    const storage::TPomiar *field = storage::FindField(m.Fields, QStringLiteral("GrZagr"));
    // The groups only: the combined rating is decided by the employment where the measurement
    // is made, the final one by the user.
    TRiskRatings ratings = StoredRatings(m);
    ratings.groups =
        TGroupRatings::All(field && ParseNumber(field->Value, g) ? BiologicalRisk(g) : storage::RiskNotDetermined);
    StoreRatings(m, ratings);
}

void RegisterBiologicalRules()
{
    RegisterRuleFamily(RuleFamily::Biological, EvaluateBiologicalAgent);
    RegisterNewBiologicalRating(
        [](storage::TPomiarCzynn &m, const storage::TCzynnik &) { RateNewBiologicalMeasurement(m); });
    TRuleFields fields;
    fields.Edited = {Group};
    fields.Other = {Lowered};
    RegisterRuleFields(FormName, fields);
}

} // namespace assessment::rules
