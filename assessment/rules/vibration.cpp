#include "assessment/rules/vibration.h"

#include "assessment/rules/evaluation_dispatch.h"
#include "assessment/rules/rating_handover.h"
#include "assessment/rules/rule_numbers.h"
#include "assessment/rules/rule_registry.h"
#include "storage/formatting.h"

#include <QStringList>

#include <algorithm>
#include <cmath>

namespace assessment::rules {

namespace {

const QString LocalName = QStringLiteral("drgania_msc_Pomiar_01");
const QString GeneralName = QStringLiteral("drgania_ogln_Pomiar_01");
const QString MechanicalName = QStringLiteral("mechaniczne_Pomiar_01");

const QString ShortExposureBox = QStringLiteral("ch_cbCzasEksp");

// A vibration form: the suffix of its second group and whether pregnant women are
// forbidden the work outright.
struct VibrationFormDef
{
    QString group;
    bool pregnantForbidden;
};

const VibrationFormDef LocalForm{QStringLiteral("MlKc"), false};
const VibrationFormDef GeneralForm{QStringLiteral("Ml"), true};

QList<TQuotientDef> multiplesOf(const VibrationFormDef &def)
{
    const QString &g = def.group;
    return {
        {"ed_RownKrotn", "ed_RownWartZm", "ed_RownWartDop"},
        {"ed_RownKrotn" + g, "ed_RownWartZm", "ed_RownWartDop" + g},
        {"ed_MaksKrotn", "ed_MaksWartZm", "ed_MaksWartDop"},
        {"ed_MaksKrotn" + g, "ed_MaksWartZm", "ed_MaksWartDop" + g},
    };
}

// The fields of the short exposure, switched off with its check box.
QStringList shortExposureFields(const VibrationFormDef &def)
{
    const QString &g = def.group;
    return {"lb_pMaksSW",     "lb_lMaksWartZm", "lb_lMaksWartDp",      "lb_lMaksKrotn",      "ed_MaksWartZm",
            "ed_MaksWartDop", "ed_MaksKrotn",   "lb_lMaksWartDop" + g, "ed_MaksWartDop" + g, "ed_MaksKrotn" + g};
}

// The higher class of two multiples; false when one of them is not a number of 0 or more.
bool higherClass(TFormAccess &form, const QString &a, const QString &b, int &code)
{
    double x = 0, y = 0;
    if (!ReadNonNegativeNumber(form, a, x) || !ReadNonNegativeNumber(form, b, y))
        return false;
    code = std::max(VibrationClass(x), VibrationClass(y));
    return true;
}

void evaluateVibration(TFormAccess &form, const VibrationFormDef &def, const QString &fieldName)
{
    if (fieldName == ShortExposureBox) {
        const bool shortExposure = form.GetFieldValue(ShortExposureBox) == QLatin1String("True");
        if (!shortExposure) {
            // No short exposure: it counts for nothing and cannot be typed.
            form.SetFieldValue(QStringLiteral("ed_MaksWartZm"), QStringLiteral("0"));
            form.SetFieldValue(QStringLiteral("ed_MaksKrotn"), QStringLiteral("0"));
            form.SetFieldValue(QStringLiteral("ed_MaksKrotn") + def.group, QStringLiteral("0"));
        }
        SetFieldsEnabled(form, shortExposureFields(def), shortExposure);
    }
    RecomputeQuotientMultiples(form, multiplesOf(def), fieldName);

    const QString &g = def.group;
    const QList<TQuotientDef> multiples = multiplesOf(def);
    int adults = 0, group = 0;
    if (!higherClass(form, QStringLiteral("ed_RownKrotn"), QStringLiteral("ed_MaksKrotn"), adults)) {
        // Without the adults' values no group is rated.
        ReportFirstUndeterminedQuotient(form, {multiples[0], multiples[2]});
        adults = group = storage::RiskNotDetermined;
    } else if (!higherClass(form, "ed_RownKrotn" + g, "ed_MaksKrotn" + g, group)) {
        // The second group's own limits missing leave only that group not determined.
        ReportFirstUndeterminedQuotient(form, {multiples[1], multiples[3]});
        group = storage::RiskNotDetermined;
    }
    const int pregnant = def.pregnantForbidden ? int(storage::RiskForbidden) : group;
    form.SetRiskAssessment({adults, adults, pregnant, group});
}

TRuleFields vibrationFields(const VibrationFormDef &def)
{
    TRuleFields f;
    for (const TQuotientDef &m : multiplesOf(def)) {
        for (const QString &n : {m.measured, m.permitted})
            if (!f.Edited.contains(n))
                f.Edited << n;
        f.Computed << m.multiple;
    }
    f.Other << ShortExposureBox;
    for (const QString &n : shortExposureFields(def))
        if (n.startsWith(QLatin1String("lb_")))
            f.Other << n;
    return f;
}

// ---- Mechanical hazards ----------------------------------------------------------------------

const QString ExposureTime = QStringLiteral("ed_CzasEksp");
const QString WorkingTime = QStringLiteral("ed_CzasPracy");
const QString Result = QStringLiteral("ed_WartWyl");
const QString ConsequenceClass = QStringLiteral("cb_cCNast");
const QString ItemBox = QStringLiteral("ch_cbIstotne");

} // namespace

int VibrationClass(double multiple)
{
    if (multiple < 0.5)
        return storage::RiskSmall;
    if (multiple < 1.0)
        return storage::RiskMedium;
    return storage::RiskLarge;
}

int MechanicalHazardCode(int consequenceIndex, double w)
{
    // Rows: the consequence class; columns: W below 0.4, from 0.4 to below 0.6, 0.6 and above.
    static const int table[3][3] = {{10, 10, 20}, {10, 20, 30}, {20, 30, 30}};
    if (consequenceIndex < 0 || consequenceIndex > 2 || !std::isfinite(w))
        return storage::RiskNotDetermined;
    const int column = w < 0.4 ? 0 : w < 0.6 ? 1 : 2;
    return table[consequenceIndex][column];
}

void EvaluateLocalVibration(TFormAccess &form, const QString &fieldName)
{
    evaluateVibration(form, LocalForm, fieldName);
}

void EvaluateGeneralVibration(TFormAccess &form, const QString &fieldName)
{
    evaluateVibration(form, GeneralForm, fieldName);
}

void EvaluateMechanicalHazard(TFormAccess &form, const QString &fieldName)
{
    // The first field that leaves the rating not determined, named if it stays so.
    QString fault, why;
    auto blame = [&fault, &why](const QString &name, const QString &text) {
        if (fault.isEmpty()) {
            fault = name;
            why = text;
        }
    };

    // The share of the working time spent exposed; a working time of 0 counts as none.
    double exposure = 0, working = 0;
    bool determined = false;
    if (!ReadPositiveNumber(form, ExposureTime, exposure))
        blame(ExposureTime, reason::AboveZero());
    else if (!ReadNonNegativeNumber(form, WorkingTime, working))
        blame(WorkingTime, reason::NotNegative());
    else
        determined = true;
    const double x = determined && working > 0 ? exposure / working : 0;

    // The requirements that apply, numbered from 1 without gaps: their weights (item index
    // + 1) and their assessments weighted, each assessment counting half its item index.
    double weights = 0, values = 0;
    bool anyApplies = false;
    for (int i = 1;; ++i) {
        const QString box = form.GetFieldValue(ItemBox + QString::number(i));
        if (box != QLatin1String("True") && box != QLatin1String("False"))
            break;
        if (box != QLatin1String("True"))
            continue;
        anyApplies = true;
        const int w = ReadChoice(form, QStringLiteral("cb_cWaga") + QString::number(i));
        const int v = ReadChoice(form, QStringLiteral("cb_cWartosc") + QString::number(i));
        if (w < 0 || v < 0) {
            determined = false; // a requirement that applies must be weighed and assessed
            blame(QStringLiteral("cb_c") + (w < 0 ? QStringLiteral("Waga") : QStringLiteral("Wartosc")) +
                      QString::number(i),
                  reason::Choice());
            continue;
        }
        weights += w + 1;
        values += (w + 1) * v / 2.0;
    }
    const double mean = weights >= 1 ? values / weights : 0;
    // Every requirement fully met - or none applying - leaves no hazard to speak of.
    const double w = weights == values ? 0 : 1 - std::pow(1.3, -x) * mean;

    if (anyApplies || fieldName.contains(ItemBox))
        form.SetFieldValue(Result, determined ? FixedText(w, 6, 3) : QString());

    // Rated on the result as shown, as the user reads it.
    double shown = 0;
    int code = storage::RiskNotDetermined;
    if (determined && ReadNumber(form, Result, shown)) {
        const int consequences = ReadChoice(form, ConsequenceClass);
        if (consequences < 0)
            blame(ConsequenceClass, reason::Choice());
        code = MechanicalHazardCode(consequences, shown);
    }
    if (code == storage::RiskNotDetermined && !fault.isEmpty())
        form.ReportInvalidField(fault, why);
    RateAllGroups(form, code);
}

void EvaluateVibrationForm(TFormAccess &form, const QString &fieldName)
{
    const QString name = form.FormName();
    if (name == LocalName)
        EvaluateLocalVibration(form, fieldName);
    else if (name == GeneralName)
        EvaluateGeneralVibration(form, fieldName);
    else if (name == MechanicalName)
        EvaluateMechanicalHazard(form, fieldName);
}

void RegisterVibrationRules()
{
    RegisterRuleFamily(RuleFamily::Vibration, EvaluateVibrationForm);
    RegisterRuleFields(LocalName, vibrationFields(LocalForm));
    RegisterRuleFields(GeneralName, vibrationFields(GeneralForm));
    // The requirements come per factor from the form's included part; the fields every
    // mechanical form has are these.
    TRuleFields mechanical;
    mechanical.Edited = QStringList{ExposureTime, WorkingTime};
    mechanical.Computed = QStringList{Result};
    mechanical.Other = QStringList{ConsequenceClass};
    RegisterRuleFields(MechanicalName, mechanical);
}

} // namespace assessment::rules
