#include "assessment/rules/fields_current.h"

#include "assessment/rules/evaluation_dispatch.h"
#include "assessment/rules/rating_handover.h"
#include "assessment/rules/rule_numbers.h"
#include "assessment/rules/rule_registry.h"
#include "storage/formatting.h"

namespace assessment::rules {

namespace {

const QString ElectromagneticFieldName = QStringLiteral("pole_Pomiar_01");
const QString LowVoltageName = QStringLiteral("prad_NN_Pomiar_01");
const QString HighVoltageName = QStringLiteral("prad_WN_Pomiar_01");
const QString ExplosionFireName = QStringLiteral("wybuch_pozar_Pomiar_01");

const QString BodyZone = QStringLiteral("cb_EkspPrac");
const QString LimbZone = QStringLiteral("cb_EkspPracKon");
const QString Exceedances = QStringLiteral("ed_Przekr");
const QString BodyIndex = QStringLiteral("ed_WcCialo");
const QString LimbIndex = QStringLiteral("ed_WkKon");
const QString Value = QStringLiteral("ed_WartWyl");

// The exposure index of a zone: empty when no exposure was assessed, which counts as 0; one
// that is no number or negative is named.
bool readIndex(TFormAccess &form, const QString &name, double &value)
{
    if (ReadNonNegativeNumberOrEmpty(form, name, value))
        return true;
    form.ReportInvalidField(name, reason::NotNegative());
    return false;
}

// A rule on the one value of its form: not determined while it is no number or negative.
void evaluateValue(TFormAccess &form, int (*riskClass)(double))
{
    double w = 0;
    RateAllGroups(form, ReadNonNegativeOrReport(form, Value, w, reason::NotNegative()) ? riskClass(w)
                                                                                       : storage::RiskNotDetermined);
}

// Below medium small, below large medium, from large on large; in the precision of T.
template <typename T> int classBetween(T w, T medium, T large)
{
    if (w < medium)
        return storage::RiskSmall;
    if (w < large)
        return storage::RiskMedium;
    return storage::RiskLarge;
}

} // namespace

int LowVoltageRiskClass(double w)
{
    return classBetween(w, 0.00001, 0.0001);
}

int HighVoltageRiskClass(double w)
{
    return classBetween(w, 0.4, 0.6);
}

int ExplosionFireRiskClass(double w)
{
    return classBetween(Single(w), 0.4f, 0.6f);
}

void EvaluateElectromagneticField(TFormAccess &form, const QString & /*fieldName*/)
{
    // Men and women get one code, pregnant women and juveniles a stricter one. Each later
    // rule that applies overrides the earlier ones; when none applies the form is not rated.
    int adults = storage::RiskNotDetermined;
    int protectedGroups = storage::RiskNotDetermined;
    const int a = ReadChoice(form, BodyZone);
    const int b = ReadChoice(form, LimbZone);
    auto either = [&](int zone) { return a == zone || b == zone; };
    if (either(0)) {
        adults = storage::RiskSmall;
        protectedGroups = storage::RiskSmall;
    }
    if (either(1)) {
        adults = storage::RiskMedium;
        protectedGroups = storage::RiskLarge;
    }
    if (either(2) || either(3)) {
        adults = storage::RiskLarge;
        protectedGroups = storage::RiskLarge;
    }
    const QString exceedances = form.GetFieldValue(Exceedances).trimmed();
    if (!exceedances.isEmpty() && exceedances != QLatin1String("nie dotyczy")) {
        adults = storage::RiskLarge;
        protectedGroups = storage::RiskLarge;
    }
    double body = 0, limbs = 0;
    if (!readIndex(form, BodyIndex, body) || !readIndex(form, LimbIndex, limbs)) {
        RateNotDetermined(form);
        return;
    }
    if (body > 1 || limbs > 1) {
        adults = storage::RiskLarge;
        protectedGroups = storage::RiskLarge;
    }
    if (adults == storage::RiskNotDetermined)
        form.ReportInvalidField(BodyZone, reason::Choice()); // no zone chosen, nothing exceeded
    form.SetRiskAssessment({adults, adults, protectedGroups, protectedGroups});
}

void EvaluateLowVoltageCurrent(TFormAccess &form, const QString & /*fieldName*/)
{
    evaluateValue(form, LowVoltageRiskClass);
}

void EvaluateHighVoltageCurrent(TFormAccess &form, const QString & /*fieldName*/)
{
    evaluateValue(form, HighVoltageRiskClass);
}

void EvaluateExplosionFire(TFormAccess &form, const QString & /*fieldName*/)
{
    evaluateValue(form, ExplosionFireRiskClass);
}

void EvaluateFieldsAndCurrentForm(TFormAccess &form, const QString &fieldName)
{
    const QString name = form.FormName();
    if (name == ElectromagneticFieldName)
        EvaluateElectromagneticField(form, fieldName);
    else if (name == LowVoltageName)
        EvaluateLowVoltageCurrent(form, fieldName);
    else if (name == HighVoltageName)
        EvaluateHighVoltageCurrent(form, fieldName);
    else if (name == ExplosionFireName)
        EvaluateExplosionFire(form, fieldName);
}

void RegisterFieldsAndCurrentRules()
{
    RegisterRuleFamily(RuleFamily::FieldsAndCurrent, EvaluateFieldsAndCurrentForm);
    TRuleFields field;
    field.Edited = {Exceedances, BodyIndex, LimbIndex};
    field.Other = {BodyZone, LimbZone};
    RegisterRuleFields(ElectromagneticFieldName, field);
    TRuleFields value;
    value.Edited = {Value};
    for (const QString &name : {LowVoltageName, HighVoltageName, ExplosionFireName})
        RegisterRuleFields(name, value);
}

} // namespace assessment::rules
