#include "assessment/rules/work_load.h"

#include "assessment/rules/evaluation_dispatch.h"
#include "assessment/rules/rating_handover.h"
#include "assessment/rules/rule_numbers.h"
#include "assessment/rules/rule_registry.h"
#include "storage/formatting.h"

#include <QStringList>

#include <algorithm>
#include <array>

namespace assessment::rules {

namespace {

const QString MonotonyName = QStringLiteral("monotypia_Pomiar_01");
const QString PsychologicalName = QStringLiteral("obc_psych_Pomiar_01");
const QString StaticName = QStringLiteral("obc_stat_Pomiar_01");
const QString Effort1Name = QStringLiteral("wysilek_fizyczny_Pomiar_01");
const QString Effort2Name = QStringLiteral("wysilek_fizyczny_Pomiar_02");

const QString OperationType = QStringLiteral("cb_TypOper");
const QString MonotonyValue = QStringLiteral("ed_WartWyzn");
const QString PsychologicalScore = QStringLiteral("ed_PWartZm");

// ---- Static load -----------------------------------------------------------------------------

// The blocks of the form: men, women and juveniles, juveniles.
const std::array<QString, 3> StaticBlocks = {QStringLiteral("M"), QStringLiteral("KMl"), QStringLiteral("Ml")};

QString positionOf(const QString &block)
{
    return QStringLiteral("cb_Pozycja") + block;
}

QString angleOf(const QString &block)
{
    return QStringLiteral("cb_Kat") + block;
}

QString staticValueOf(const QString &block)
{
    return QStringLiteral("ed_WartWyzn") + block;
}

// ---- Physical effort -------------------------------------------------------------------------

const QString Shift = QStringLiteral("ed_PracWartZm");
const QString PerMinute = QStringLiteral("ed_PracMinWartZm");
const QString SixHours = QStringLiteral("ed_Prac6WartZm");

QList<TQuotientDef> effortMultiples(int version)
{
    QList<TQuotientDef> d = {
        {"ed_PracKrotn", Shift, "ed_PracWartDop"},
        {"ed_PracKrotnK", Shift, "ed_PracWartDopK"},
        {"ed_PracKrotnKc", Shift, "ed_PracWartDopKc"},
    };
    if (version == 2)
        d << TQuotientDef{"ed_PracMinKrotnM", PerMinute, "ed_PracMinWartDopM"};
    d << TQuotientDef{"ed_PracMinKrotnK", PerMinute, "ed_PracMinWartDopK"}
      << TQuotientDef{"ed_PracMinKrotnCh18", PerMinute, "ed_PracMinDopCh18"}
      << TQuotientDef{"ed_PracMinKrotnDz18", PerMinute, "ed_PracMinDopDz18"}
      << TQuotientDef{"ed_Prac6KrotnCh18", SixHours, "ed_Prac6DopCh18"}
      << TQuotientDef{"ed_Prac6KrotnDz18", SixHours, "ed_Prac6DopDz18"};
    return d;
}

// A measured value a rating compares: a number not below 0; the field is named when not.
bool readMeasured(TFormAccess &form, const QString &name, double &value)
{
    return ReadNonNegativeOrReport(form, name, value, reason::Measured());
}

// A permitted value a rating compares with: a number above 0; the field is named when not.
bool readLimit(TFormAccess &form, const QString &name, double &value)
{
    return ReadPositiveOrReport(form, name, value, reason::Permitted());
}

void evaluateEffort(TFormAccess &form, int version, const QString &fieldName)
{
    RecomputeQuotientMultiples(form, effortMultiples(version), fieldName);

    // Men and women are rated on their own values; a missing one leaves every group
    // not determined.
    double s = 0, mi = 0, dop = 0, dopK = 0, minDopM = 0, minDopK = 0;
    const bool adults = readMeasured(form, Shift, s) && readMeasured(form, PerMinute, mi) &&
                        readLimit(form, QStringLiteral("ed_PracWartDop"), dop) &&
                        readLimit(form, QStringLiteral("ed_PracWartDopK"), dopK) &&
                        (version != 2 || readLimit(form, QStringLiteral("ed_PracMinWartDopM"), minDopM)) &&
                        readLimit(form, QStringLiteral("ed_PracMinWartDopK"), minDopK);
    if (!adults) {
        RateNotDetermined(form);
        return;
    }
    // Above the permitted value large; above the bound of heavy work medium.
    const int men = s > dop || (version == 2 && mi > minDopM) ? 30 : s > 6300 ? 20 : 10;
    const int women = s > dopK || mi > minDopK ? 30 : s > 4200 ? 20 : 10;
    // Pregnant women and juveniles on their own values: one missing leaves that group not
    // determined, and the first such field is named.
    bool named = false;
    auto own = [&form, &named](const QString &name, double &value, bool limit) {
        const bool usable = limit ? ReadPositiveNumber(form, name, value) : ReadNonNegativeNumber(form, name, value);
        if (!usable && !named) {
            form.ReportInvalidField(name, limit ? reason::Permitted() : reason::Measured());
            named = true;
        }
        return usable;
    };
    double dopKc = 0;
    int pregnant = storage::RiskNotDetermined;
    if (own(QStringLiteral("ed_PracWartDopKc"), dopKc, true))
        pregnant = s > dopKc ? 30 : s > 2500 ? 20 : 10;
    double s6 = 0, minCh18 = 0, minDz18 = 0, ch18 = 0, dz18 = 0;
    const bool juvenileValues = own(SixHours, s6, false) && own(QStringLiteral("ed_PracMinDopCh18"), minCh18, true) &&
                                own(QStringLiteral("ed_PracMinDopDz18"), minDz18, true) &&
                                own(QStringLiteral("ed_Prac6DopCh18"), ch18, true) &&
                                own(QStringLiteral("ed_Prac6DopDz18"), dz18, true);
    // Juveniles may not do work beyond their limits at all.
    int juveniles = storage::RiskNotDetermined;
    if (juvenileValues)
        juveniles = s6 > ch18 || s6 > dz18 || mi > minCh18 || mi > minDz18 ? 40 : 10;
    form.SetRiskAssessment({men, women, pregnant, juveniles});
}

TRuleFields effortFields(int version)
{
    TRuleFields f;
    for (const TQuotientDef &m : effortMultiples(version)) {
        for (const QString &n : {m.measured, m.permitted})
            if (!f.Edited.contains(n))
                f.Edited << n;
        f.Computed << m.multiple;
    }
    return f;
}

} // namespace

int MonotonyCode(int operationType, double w)
{
    // Per operation type: below the first bound small, up to and including the second medium.
    static const double bounds[3][2] = {{150, 3000}, {800, 1600}, {300, 800}};
    if (operationType < 0 || operationType > 2)
        return storage::RiskNotDetermined;
    const double *b = bounds[operationType];
    return w < b[0] ? 10 : w <= b[1] ? 20 : 30;
}

int PsychologicalLoadCode(double p)
{
    // The scale has no gap between 3 and 4: a score in between is medium, not large.
    return p <= 3 ? 10 : p <= 11 ? 20 : 30;
}

int StaticLoadClassOf(int angleIndex, int positionIndex, double v)
{
    switch (angleIndex) {
    case 0:
        if (positionIndex == 1)
            return v <= 70 ? 10 : 20;
        return v <= 50 ? 10 : v <= 70 ? 20 : 30;
    case 1:
        if (positionIndex == 1)
            return v <= 50 ? 10 : v <= 70 ? 20 : 30;
        return v <= 30 ? 10 : v <= 50 ? 20 : 30;
    case 2:
    case 3:
        if (positionIndex == 0)
            return v == 0 ? 10 : v < 30 ? 20 : 30;
        return 10;
    default:
        return 10;
    }
}

int StaticLoadClass(TFormAccess &form, int angleIndex, int positionIndex, const QString &valueField)
{
    double v = 0;
    if (angleIndex < 0 || positionIndex < 0 || !ReadNonNegativeNumber(form, valueField, v))
        return storage::RiskNotDetermined;
    return StaticLoadClassOf(angleIndex, positionIndex, v);
}

void EvaluateMonotony(TFormAccess &form, const QString &)
{
    double w = 0;
    if (!ReadNonNegativeOrReport(form, MonotonyValue, w, reason::NotNegative())) {
        RateNotDetermined(form);
        return;
    }
    RateAllGroups(form, MonotonyCode(ReadChoiceOrReport(form, OperationType), w));
}

void EvaluatePsychologicalLoad(TFormAccess &form, const QString &)
{
    double p = 0;
    RateAllGroups(form, ReadNonNegativeOrReport(form, PsychologicalScore, p, reason::NotNegative())
                            ? PsychologicalLoadCode(p)
                            : int(storage::RiskNotDetermined));
}

void EvaluateStaticLoad(TFormAccess &form, const QString &fieldName)
{
    // A new body position offers the angles of that position.
    for (const QString &block : StaticBlocks) {
        if (fieldName != positionOf(block))
            continue;
        const int position = ReadChoice(form, positionOf(block));
        if (position >= 0)
            form.SetComboChoice(QStringLiteral("Kat") + block, position + 1);
    }
    std::array<int, 3> codes{};
    for (size_t i = 0; i < StaticBlocks.size(); ++i) {
        const QString &block = StaticBlocks[i];
        codes[i] = StaticLoadClass(form, ReadChoice(form, angleOf(block)), ReadChoice(form, positionOf(block)),
                                   staticValueOf(block));
        if (codes[i] == storage::RiskNotDetermined) {
            // The position offers the angles, so it is the first to choose.
            double v = 0;
            if (ReadChoiceOrReport(form, positionOf(block)) >= 0 && ReadChoiceOrReport(form, angleOf(block)) >= 0)
                ReadNonNegativeOrReport(form, staticValueOf(block), v, reason::NotNegative());
            // Without the juveniles' own block only they stay not determined.
            if (i + 1 < StaticBlocks.size()) {
                RateNotDetermined(form);
                return;
            }
        }
    }
    const int men = codes[0], womenAndJuveniles = codes[1], juveniles = codes[2];
    const int juvenilesAll =
        juveniles == storage::RiskNotDetermined ? juveniles : std::max(womenAndJuveniles, juveniles);
    form.SetRiskAssessment({men, womenAndJuveniles, womenAndJuveniles, juvenilesAll});
}

void EvaluatePhysicalEffort1(TFormAccess &form, const QString &fieldName)
{
    evaluateEffort(form, 1, fieldName);
}

void EvaluatePhysicalEffort2(TFormAccess &form, const QString &fieldName)
{
    evaluateEffort(form, 2, fieldName);
}

void EvaluateWorkLoadForm(TFormAccess &form, const QString &fieldName)
{
    const QString name = form.FormName();
    if (name == MonotonyName)
        EvaluateMonotony(form, fieldName);
    else if (name == PsychologicalName)
        EvaluatePsychologicalLoad(form, fieldName);
    else if (name == StaticName)
        EvaluateStaticLoad(form, fieldName);
    else if (name == Effort1Name)
        EvaluatePhysicalEffort1(form, fieldName);
    else if (name == Effort2Name)
        EvaluatePhysicalEffort2(form, fieldName);
}

void RegisterWorkLoadRules()
{
    RegisterRuleFamily(RuleFamily::WorkLoad, EvaluateWorkLoadForm);
    TRuleFields monotony;
    monotony.Edited = QStringList{MonotonyValue};
    monotony.Other = QStringList{OperationType};
    RegisterRuleFields(MonotonyName, monotony);
    TRuleFields psychological;
    psychological.Edited = QStringList{PsychologicalScore};
    RegisterRuleFields(PsychologicalName, psychological);
    TRuleFields statics;
    for (const QString &block : StaticBlocks) {
        statics.Edited << staticValueOf(block);
        statics.Other << positionOf(block) << angleOf(block);
    }
    RegisterRuleFields(StaticName, statics);
    RegisterRuleFields(Effort1Name, effortFields(1));
    RegisterRuleFields(Effort2Name, effortFields(2));
}

} // namespace assessment::rules
