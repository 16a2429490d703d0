#include "assessment/rules/own_methods.h"

#include "assessment/rules/evaluation_dispatch.h"
#include "assessment/rules/risk_score_sets.h"
#include "assessment/rules/rule_numbers.h"
#include "assessment/rules/rule_registry.h"
#include "storage/formatting.h"

namespace assessment::rules {

namespace {

const QString FiveStepsName = QStringLiteral("met5Krok_Pomiar_01");
const QString RiskScoreName = QStringLiteral("metRiskScore_Pomiar_01");

const QString Consequences = QStringLiteral("cb_cCNast");
const QString Probability = QStringLiteral("cb_cPrawd");
const QString Severity = QStringLiteral("cb_cSkutki");
const QString Exposure = QStringLiteral("cb_cEksp");
const QString RiskIndex = QStringLiteral("ed_WskRyzyka");
const QString InfoLabel = QStringLiteral("lb_lInfo");

} // namespace

float ValueInBrackets(const QString &comboText)
{
    const qsizetype open = comboText.lastIndexOf(QLatin1Char('('));
    if (open < 0)
        return 0;
    QString inside = comboText.mid(open + 1);
    const qsizetype close = inside.indexOf(QLatin1Char(')'));
    if (close >= 0)
        inside.truncate(close);
    inside = inside.trimmed().replace(QLatin1Char(','), QLatin1Char('.'));
    double value = 0;
    if (!ParseNumber(QLatin1Char('0') + inside, value))
        return 0;
    return Single(value);
}

int RiskBand(QString &description, float r)
{
    description.clear();
    const storage::TRiskScore *set = KeptRiskScore(CurrentRiskScoreVersion());
    if (!set)
        return storage::RiskSmall;
    int band = storage::TRiskScore::BandCount - 1;
    for (int i = 1; i < storage::TRiskScore::BandCount; ++i) {
        if (set->Ryzyko[i] >= r) {
            band = i - 1;
            break;
        }
    }
    description = set->Opis[band];
    return set->SterRyz[band];
}

void EvaluateFiveSteps(TFormAccess &form, const QString &)
{
    const int consequences = ReadChoice(form, Consequences);
    const int probability = ReadChoice(form, Probability);
    int risk = storage::RiskSmall;
    // An unchosen item reads as -1; added in, it would pass for a lower score.
    if (consequences >= 0 && probability >= 0) {
        const int sum = consequences + probability;
        if (sum == 2)
            risk = storage::RiskMedium;
        else if (sum == 3 || sum == 4)
            risk = storage::RiskLarge;
    }
    form.SetRiskAssessment(TGroupRatings::All(risk));
}

void EvaluateRiskScore(TFormAccess &form, const QString &)
{
    QStringList messages;
    SelectRiskScoreVersion(0, &messages);
    for (const QString &m : messages)
        form.ShowWarning(m);
    const double s = ValueInBrackets(form.ComboText(Severity));
    const double p = ValueInBrackets(form.ComboText(Probability));
    const double e = ValueInBrackets(form.ComboText(Exposure));
    // One rounding of the product, so that R equal to a band's minimum compares equal.
    const float r = Single(s * p * e);
    QString description;
    const int code = RiskBand(description, r);
    form.SetFieldText(RiskIndex,
                      description + QStringLiteral(" (") + storage::FormatMeasuredValue(r) + QLatin1Char(')'));
    form.SetRiskAssessment(TGroupRatings::All(code));
}

void EvaluateOwnMethodForm(TFormAccess &form, const QString &fieldName)
{
    const QString name = form.FormName();
    if (name == FiveStepsName)
        EvaluateFiveSteps(form, fieldName);
    else if (name == RiskScoreName)
        EvaluateRiskScore(form, fieldName);
}

void RegisterOwnMethodRules()
{
    RegisterRuleFamily(RuleFamily::OwnMethods, EvaluateOwnMethodForm);
    RegisterRuleFields(FiveStepsName, {{}, {}, {Consequences, Probability}});
    RegisterRuleFields(RiskScoreName, {{}, {}, {Severity, Probability, Exposure, RiskIndex, InfoLabel}});
}

} // namespace assessment::rules
