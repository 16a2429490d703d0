#include "assessment/rules/noise.h"

#include "assessment/rules/evaluation_dispatch.h"
#include "assessment/rules/rating_handover.h"
#include "assessment/rules/rule_numbers.h"
#include "assessment/rules/rule_registry.h"
#include "storage/formatting.h"

#include <QList>

#include <algorithm>
#include <cmath>

namespace assessment::rules {

namespace {

enum class Kind { Energy, Pressure };

// One multiple of a form: where it is written, from which measured and permitted level.
struct MultipleDef
{
    QString multiple;
    QString measured;
    QString permitted;
    Kind kind;
};

// A form: its multiples and the multiples each group is rated on (women as men).
struct NoiseFormDef
{
    QList<MultipleDef> multiples;
    QStringList men;
    QStringList pregnantWomen;
    QStringList juveniles;
};

const QString NuisanceCombo = QStringLiteral("cb_cWartDop");
const QString ConcentrationBox = QStringLiteral("ch_Koncentr");

// The fields the concentration check box switches on and off.
const QStringList &concentrationFields()
{
    static const QStringList names = {
        QStringLiteral("lb_lPCCzasWartZm"), QStringLiteral("lb_lPCCzasWartDp"), QStringLiteral("lb_lPCCzasKrotn"),
        QStringLiteral("lb_pPozCisnCzas"),  QStringLiteral("ed_PCCzasWartZm"),  QStringLiteral("ed_PCCzasWartDp"),
        QStringLiteral("ed_PCCzasKrotn"),
    };
    return names;
}

QStringList withPrefix(const QStringList &names)
{
    QStringList out;
    for (const QString &n : names)
        out << QStringLiteral("ed_") + n;
    return out;
}

const NoiseFormDef &audibleForm()
{
    static const NoiseFormDef def = [] {
        NoiseFormDef d;
        d.multiples = {
            {"ed_PEKrotn", "ed_PEWartZm", "ed_PEWartDop", Kind::Energy},
            {"ed_PEKrotnMl", "ed_PEWartZm", "ed_PEWartDopMl", Kind::Energy},
            {"ed_PEKrotnKc", "ed_PEWartZm", "ed_PEWartDopKc", Kind::Energy},
            {"ed_SzKrotn", "ed_SzWartZm", "ed_SzWartDop", Kind::Pressure},
            {"ed_SzKrotnMlKc", "ed_SzWartZm", "ed_SzWartDopMlKc", Kind::Pressure},
            {"ed_MaksKrotn", "ed_MaksWartZm", "ed_MaksWartDop", Kind::Pressure},
            {"ed_MaksKrotnMlKc", "ed_MaksWartZm", "ed_MaksWartDopMlKc", Kind::Pressure},
        };
        d.men = withPrefix({"PEKrotn", "MaksKrotn", "SzKrotn"});
        d.pregnantWomen = withPrefix({"PEKrotnKc", "MaksKrotnMlKc", "SzKrotnMlKc"});
        d.juveniles = withPrefix({"PEKrotnMl", "MaksKrotnMlKc", "SzKrotnMlKc"});
        return d;
    }();
    return def;
}

const NoiseFormDef &nuisanceForm()
{
    static const NoiseFormDef def = [] {
        NoiseFormDef d;
        d.multiples = {
            {"ed_PEKrotn", "ed_PEWartZm", NuisanceCombo, Kind::Energy},
            {"ed_SzKrotn", "ed_SzWartZm", "ed_SzWartDop", Kind::Pressure},
            {"ed_SzKrotnMlKc", "ed_SzWartZm", "ed_SzWartDopMlKc", Kind::Pressure},
            {"ed_MaksKrotn", "ed_MaksWartZm", "ed_MaksWartDop", Kind::Pressure},
            {"ed_MaksKrotnMlKc", "ed_MaksWartZm", "ed_MaksWartDopMlKc", Kind::Pressure},
        };
        d.men = withPrefix({"PEKrotn", "SzKrotn", "MaksKrotn"});
        d.pregnantWomen = withPrefix({"PEKrotn", "SzKrotn", "MaksKrotn", "SzKrotnMlKc", "MaksKrotnMlKc"});
        d.juveniles = d.pregnantWomen;
        return d;
    }();
    return def;
}

const NoiseFormDef &infrasonicForm()
{
    static const NoiseFormDef def = [] {
        NoiseFormDef d;
        d.multiples = {
            {"ed_PCKrotn", "ed_PCWartZm", "ed_PCWartDop", Kind::Energy},
            {"ed_PCKrotnMlKc", "ed_PCWartZm", "ed_PCWartDopMlKc", Kind::Energy},
            {"ed_SzKrotn", "ed_SzWartZm", "ed_SzWartDop", Kind::Pressure},
            {"ed_SzKrotnMlKc", "ed_SzWartZm", "ed_SzWartDopMlKc", Kind::Pressure},
        };
        d.men = withPrefix({"PCKrotn", "SzKrotn"});
        d.pregnantWomen = withPrefix({"PCKrotnMlKc", "SzKrotnMlKc"});
        d.juveniles = d.pregnantWomen;
        return d;
    }();
    return def;
}

const NoiseFormDef &infrasonicNuisanceForm()
{
    static const NoiseFormDef def = [] {
        NoiseFormDef d;
        d.multiples = {
            {"ed_PCKrotn", "ed_PCWartZm", "ed_PCWartDop", Kind::Energy},
            {"ed_PCKrotnMlKc", "ed_PCWartZm", "ed_PCWartDopMlKc", Kind::Energy},
            {"ed_PCCzasKrotn", "ed_PCCzasWartZm", "ed_PCCzasWartDp", Kind::Energy},
        };
        d.men = withPrefix({"PCKrotn", "PCCzasKrotn"});
        d.pregnantWomen = withPrefix({"PCKrotnMlKc", "PCCzasKrotn"});
        d.juveniles = d.pregnantWomen;
        return d;
    }();
    return def;
}

const NoiseFormDef &ultrasonicForm(int version)
{
    auto build = [](int version) {
        NoiseFormDef d;
        for (const QString &b : UltrasonicBands()) {
            auto n = [&b](const char *stem) { return QLatin1String("ed_") + QLatin1String(stem) + b; };
            if (version == 1) {
                d.multiples << MultipleDef{n("PCKrotn"), n("PCWartZm"), n("PCWartDop"), Kind::Energy}
                            << MultipleDef{n("PCKrotnMl"), n("PCWartZm"), n("PCWartDopMl"), Kind::Energy}
                            << MultipleDef{n("PCKrotnKc"), n("PCWartZm"), n("PCWartDopKc"), Kind::Energy}
                            << MultipleDef{n("PMKrotn"), n("PMWartZm"), n("PMWartDop"), Kind::Pressure};
                d.men << n("PCKrotn") << n("PMKrotn");
                d.pregnantWomen << n("PCKrotnKc") << n("PMKrotn");
                d.juveniles << n("PCKrotnMl") << n("PMKrotn");
            } else {
                d.multiples << MultipleDef{n("PCKrotn"), n("PCWartZm"), n("PCWartDop"), Kind::Energy}
                            << MultipleDef{n("PCKrotnKcMl"), n("PCWartZm"), n("PCWartDopKcMl"), Kind::Energy}
                            << MultipleDef{n("PMKrotn"), n("PMWartZm"), n("PMWartDop"), Kind::Pressure}
                            << MultipleDef{n("PMKrotnKc"), n("PMWartZm"), n("PMWartDopKc"), Kind::Pressure};
                d.men << n("PCKrotn") << n("PMKrotn");
                d.pregnantWomen << n("PCKrotnKcMl") << n("PMKrotnKc");
                // Juveniles have no maximum level of their own in this form: the adults' one.
                d.juveniles << n("PCKrotnKcMl") << n("PMKrotn");
            }
        }
        return d;
    };
    static const NoiseFormDef form1 = build(1);
    static const NoiseFormDef form2 = build(2);
    return version == 1 ? form1 : form2;
}

// The permitted level a field stands for: its number, or for the nuisance combo the level
// of the chosen item.
bool readPermittedLevel(TFormAccess &form, const QString &field, double &level)
{
    if (field == NuisanceCombo) {
        const QString item = form.GetFieldValue(field).trimmed();
        if (item == QLatin1String("0"))
            level = 75;
        else if (item == QLatin1String("1"))
            level = 65;
        else if (item == QLatin1String("2"))
            level = 55;
        else
            return false;
        return true;
    }
    return ReadNumber(form, field, level);
}

// A level read from the form that a multiple can be computed from.
bool levelsOf(TFormAccess &form, const QString &measuredField, const QString &permittedField, double &measured,
              double &permitted)
{
    return ReadNumber(form, measuredField, measured) && readPermittedLevel(form, permittedField, permitted);
}

// Recomputes the multiples the field left feeds: those of its measured level and - so that
// a corrected permitted level does not leave a multiple computed against the old one - those
// of its permitted level, when a level has been measured.
void recomputeMultiples(TFormAccess &form, const NoiseFormDef &def, const QString &fieldName)
{
    for (const MultipleDef &m : def.multiples) {
        if (fieldName == m.measured) {
            // fall through to the computation
        } else if (fieldName == m.permitted) {
            if (form.GetFieldValue(m.measured).trimmed().isEmpty())
                continue; // nothing measured yet: the multiple keeps its value
        } else {
            continue;
        }
        const QString text = m.kind == Kind::Energy ? NoiseEnergyMultiple(form, m.measured, m.permitted)
                                                    : NoisePressureMultiple(form, m.measured, m.permitted);
        form.SetFieldValue(m.multiple, text);
    }
}

// The largest of the multiples read from the form; false when one of them is not a
// non-negative number.
bool largestMultiple(TFormAccess &form, const QStringList &names, double &largest)
{
    largest = 0;
    for (const QString &name : names) {
        double v = 0;
        if (!ReadNonNegativeNumber(form, name, v))
            return false;
        largest = std::max(largest, v);
    }
    return true;
}

// Names the level a multiple of names could not be computed from: the measured one when it
// is no number or below 0, else the permitted one when it is no number or not above 0.
void reportUndeterminedMultiple(TFormAccess &form, const NoiseFormDef &def, const QStringList &names)
{
    for (const QString &name : names) {
        double v = 0;
        if (ReadNonNegativeNumber(form, name, v))
            continue;
        for (const MultipleDef &m : def.multiples) {
            if (m.multiple != name)
                continue;
            double level = 0;
            if (!ReadNonNegativeOrReport(form, m.measured, level,
                                         QStringLiteral("poziom zmierzony musi być liczbą nie mniejszą od 0")))
                return;
            if (!readPermittedLevel(form, m.permitted, level) || level <= 0) {
                form.ReportInvalidField(m.permitted,
                                        m.permitted == NuisanceCombo ? reason::Choice() : reason::Permitted());
                return;
            }
        }
    }
}

void rate(TFormAccess &form, const NoiseFormDef &def)
{
    double men = 0;
    if (!largestMultiple(form, def.men, men)) {
        // Without the adults' values no group is rated on part of its values; the user is
        // told which value to mend.
        reportUndeterminedMultiple(form, def, def.men);
        RateNotDetermined(form);
        return;
    }
    // A group whose own limit is missing stays not determined, the others are rated.
    const QStringList *unrated = nullptr;
    auto groupCode = [&](const QStringList &names) {
        double largest = 0;
        if (largestMultiple(form, names, largest))
            return RiskClassFromMultiple(Single(largest));
        if (!unrated)
            unrated = &names;
        return int(storage::RiskNotDetermined);
    };
    const int pregnant = groupCode(def.pregnantWomen);
    const int juveniles = groupCode(def.juveniles);
    if (unrated)
        reportUndeterminedMultiple(form, def, *unrated);
    const int m = RiskClassFromMultiple(Single(men));
    form.SetRiskAssessment({m, m, pregnant, juveniles});
}

void evaluate(TFormAccess &form, const NoiseFormDef &def, const QString &fieldName)
{
    recomputeMultiples(form, def, fieldName);
    rate(form, def);
}

TRuleFields fieldsOf(const NoiseFormDef &def, const QStringList &other = {})
{
    TRuleFields f;
    for (const MultipleDef &m : def.multiples) {
        for (const QString &n : {m.measured, m.permitted})
            if (n.startsWith(QLatin1String("ed_")) && !f.Edited.contains(n))
                f.Edited << n;
        if (!f.Computed.contains(m.multiple))
            f.Computed << m.multiple;
    }
    for (const QStringList *group : {&def.men, &def.pregnantWomen, &def.juveniles})
        for (const QString &n : *group)
            if (!f.Computed.contains(n))
                f.Computed << n;
    for (const MultipleDef &m : def.multiples)
        if (!m.permitted.startsWith(QLatin1String("ed_")) && !f.Other.contains(m.permitted))
            f.Other << m.permitted;
    for (const QString &n : other)
        if (!f.Other.contains(n) && !f.Edited.contains(n) && !f.Computed.contains(n))
            f.Other << n;
    return f;
}

} // namespace

// ---- Shared ------------------------------------------------------------------------------

QString NoiseEnergyMultipleOf(double measured, double permitted)
{
    if (!MultipleDeterminable(measured, permitted))
        return QString();
    // In extended precision, as the levels' powers have always been taken.
    const long double q = std::pow(10.0L, 0.1L * measured) / std::pow(10.0L, 0.1L * permitted);
    const double v = static_cast<double>(q);
    if (!std::isfinite(v))
        return QString();
    return FixedText(v, 10, 2);
}

QString NoisePressureMultipleOf(double measured, double permitted)
{
    if (!MultipleDeterminable(measured, permitted))
        return QString();
    const long double q = std::pow(10.0L, (static_cast<long double>(measured) - permitted) / 20.0L);
    const double v = static_cast<double>(q);
    if (!std::isfinite(v))
        return QString();
    return FixedText(v, 15, 2);
}

QString NoiseEnergyMultiple(TFormAccess &form, const QString &measuredField, const QString &permittedField)
{
    double l = 0, d = 0;
    if (!levelsOf(form, measuredField, permittedField, l, d))
        return QString();
    return NoiseEnergyMultipleOf(l, d);
}

QString NoisePressureMultiple(TFormAccess &form, const QString &measuredField, const QString &permittedField)
{
    double l = 0, d = 0;
    if (!levelsOf(form, measuredField, permittedField, l, d))
        return QString();
    return NoisePressureMultipleOf(l, d);
}

int RiskClassFromMultiple(float multiple)
{
    if (multiple < 0.5f)
        return storage::RiskSmall;
    if (multiple <= 1.0f)
        return storage::RiskMedium;
    return storage::RiskLarge;
}

const QStringList &UltrasonicBands()
{
    static const QStringList bands = {
        QStringLiteral("_10"), QStringLiteral("_12"), QStringLiteral("_16"), QStringLiteral("_20"),
        QStringLiteral("_25"), QStringLiteral("_31"), QStringLiteral("_40"),
    };
    return bands;
}

// ---- The forms -----------------------------------------------------------------------------

void EvaluateAudibleNoise(TFormAccess &form, const QString &fieldName)
{
    evaluate(form, audibleForm(), fieldName);
}

void RateAudibleNoise(TFormAccess &form)
{
    rate(form, audibleForm());
}

void EvaluateInfrasonicNoise(TFormAccess &form, const QString &fieldName)
{
    evaluate(form, infrasonicForm(), fieldName);
}

void RateInfrasonicNoise(TFormAccess &form)
{
    rate(form, infrasonicForm());
}

void EvaluateUltrasonicNoise1(TFormAccess &form, const QString &fieldName)
{
    evaluate(form, ultrasonicForm(1), fieldName);
}

void RateUltrasonicNoise1(TFormAccess &form)
{
    rate(form, ultrasonicForm(1));
}

void EvaluateUltrasonicNoise2(TFormAccess &form, const QString &fieldName)
{
    evaluate(form, ultrasonicForm(2), fieldName);
}

void RateUltrasonicNoise2(TFormAccess &form)
{
    rate(form, ultrasonicForm(2));
}

void EvaluateNuisanceNoise(TFormAccess &form, const QString &fieldName)
{
    evaluate(form, nuisanceForm(), fieldName);
}

void RateNuisanceNoise(TFormAccess &form)
{
    rate(form, nuisanceForm());
}

void EvaluateInfrasonicNuisance(TFormAccess &form, const QString &fieldName)
{
    if (fieldName == ConcentrationBox) {
        if (form.GetFieldValue(ConcentrationBox) != QLatin1String("True")) {
            // No concentrated work: its level counts for nothing and cannot be typed.
            form.SetFieldValue(QStringLiteral("ed_PCCzasWartZm"), QStringLiteral("0"));
            form.SetFieldValue(QStringLiteral("ed_PCCzasKrotn"), QStringLiteral("0"));
            SetFieldsEnabled(form, concentrationFields(), false);
        } else {
            SetFieldsEnabled(form, concentrationFields(), true);
        }
    }
    evaluate(form, infrasonicNuisanceForm(), fieldName);
}

void RateInfrasonicNuisance(TFormAccess &form)
{
    rate(form, infrasonicNuisanceForm());
}

namespace {

const QString AudibleName = QStringLiteral("halas_fizyczny_Pomiar_01");
const QString InfrasonicName = QStringLiteral("halas_infra_Pomiar_01");
const QString NuisanceName = QStringLiteral("halas_uciazliwy_Pomiar_01");
const QString Ultrasonic1Name = QStringLiteral("halas_ultra_Pomiar_01");
const QString Ultrasonic2Name = QStringLiteral("halas_ultra_Pomiar_02");
const QString InfrasonicNuisanceName = QStringLiteral("halas_infra_uc_Pomiar_01");

} // namespace

void EvaluateNoiseForm(TFormAccess &form, const QString &fieldName)
{
    const QString name = form.FormName();
    if (name == AudibleName)
        EvaluateAudibleNoise(form, fieldName);
    else if (name == InfrasonicName)
        EvaluateInfrasonicNoise(form, fieldName);
    else if (name == NuisanceName)
        EvaluateNuisanceNoise(form, fieldName);
    else if (name == Ultrasonic1Name)
        EvaluateUltrasonicNoise1(form, fieldName);
    else if (name == Ultrasonic2Name)
        EvaluateUltrasonicNoise2(form, fieldName);
    else if (name == InfrasonicNuisanceName)
        EvaluateInfrasonicNuisance(form, fieldName);
}

void RegisterNoiseRules()
{
    RegisterRuleFamily(RuleFamily::Noise, EvaluateNoiseForm);
    RegisterRuleFields(AudibleName, fieldsOf(audibleForm()));
    RegisterRuleFields(InfrasonicName, fieldsOf(infrasonicForm()));
    RegisterRuleFields(NuisanceName, fieldsOf(nuisanceForm()));
    RegisterRuleFields(Ultrasonic1Name, fieldsOf(ultrasonicForm(1)));
    RegisterRuleFields(Ultrasonic2Name, fieldsOf(ultrasonicForm(2)));
    RegisterRuleFields(InfrasonicNuisanceName,
                       fieldsOf(infrasonicNuisanceForm(), QStringList{ConcentrationBox} + concentrationFields()));
}

} // namespace assessment::rules
