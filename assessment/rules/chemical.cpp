#include "assessment/rules/chemical.h"

#include "assessment/rules/evaluation_dispatch.h"
#include "assessment/rules/rule_numbers.h"
#include "assessment/rules/rule_registry.h"
#include "storage/formatting.h"
#include "storage/measurements.h"

#include <algorithm>

namespace assessment::rules {

namespace {

const QString FormName = QStringLiteral("chemiczny_Pomiar_01");
const QString SumBox = QStringLiteral("ch_cbSumNDS");
const QString SumField = QStringLiteral("ed_SumNDS");
const QString TypeField = QStringLiteral("ed_Typ");

// The limits: where each multiple is written, where its concentration is typed, where the
// limit value stands.
const QList<TQuotientDef> &limits()
{
    static const QList<TQuotientDef> defs = {
        {QStringLiteral("ed_NDSKrotn"), QStringLiteral("ed_NDSZm"), QStringLiteral("ed_NDS")},
        {QStringLiteral("ed_NDSChKrotn"), QStringLiteral("ed_NDSChZm"), QStringLiteral("ed_NDSCh")},
        {QStringLiteral("ed_NDSPKrotn"), QStringLiteral("ed_NDSPZm"), QStringLiteral("ed_NDSP")},
    };
    return defs;
}

int baseCode(float m)
{
    // 0.5 is still small here, unlike the noise classes.
    if (m <= 0.5f)
        return storage::RiskSmall;
    if (m <= 1.0f)
        return storage::RiskMedium;
    return storage::RiskLarge;
}

// The record of a stored measurement: "0" for what it lacks.
recKrtn storedRecord(const storage::TPomiarCzynn &m, const QString &sum)
{
    recKrtn rec{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("0"), sum};
    for (const std::unique_ptr<storage::TPomiar> &p : m.Fields) {
        if (p->nazwa() == QLatin1String("NDSKrotn"))
            rec.NDSKrotn = p->Value;
        else if (p->nazwa() == QLatin1String("NDSChKrotn"))
            rec.NDSChKrotn = p->Value;
        else if (p->nazwa() == QLatin1String("NDSPKrotn"))
            rec.NDSPKrotn = p->Value;
        else if (p->nazwa() == QLatin1String("Typ"))
            rec.Typ = p->Value;
    }
    return rec;
}

const TSumFamily &chemicalSum()
{
    static const TSumFamily family = [] {
        TSumFamily f;
        f.ident = QStringLiteral("chem");
        f.multipleName = QStringLiteral("NDSKrotn");
        f.singlePrecision = true;
        f.sumOnlyWithField = true;
        f.rate = [](const storage::TPomiarCzynn &m, const QString &sum, TGroupRatings &r) {
            return ChemicalRating(storedRecord(m, sum), r);
        };
        return f;
    }();
    return family;
}

} // namespace

QString NdsMultiple(TFormAccess &form, const QString &measuredField, const QString &permittedField)
{
    return ConcentrationMultiple(form, measuredField, permittedField);
}

bool ChemicalRating(const recKrtn &rec, TGroupRatings &ratings)
{
    int t = 0;
    double a = 0, ch = 0, p = 0, s = 0;
    if (!RecordTypeBits(rec.Typ, t) || !RecordMultiple(rec.NDSKrotn, a) || !RecordMultiple(rec.NDSChKrotn, ch) ||
        !RecordMultiple(rec.NDSPKrotn, p) || !RecordMultiple(rec.SumNDS, s))
        return false;
    const int base = baseCode(Single(std::max({a, ch, p, s})));
    ratings = TGroupRatings::All(base);
    if (t & 0xC003) {
        // The class raises the rating; it never lowers one the multiples made large.
        const int byClass = a > 0 && a < 0.1 ? storage::RiskMedium : storage::RiskLarge;
        ratings.men = ratings.women = std::max(base, byClass);
    }
    if ((t & 0x0100) && a > 0.66)
        ratings.pregnantWomen = storage::RiskLarge;
    if (t & 0x0600)
        ratings.pregnantWomen = ratings.juveniles = storage::RiskForbidden;
    return true;
}

void EvaluateChemical(TFormAccess &form, const QString &fieldName)
{
    bool trigger = fieldName == SumBox;
    for (const TQuotientDef &l : limits()) {
        // A corrected limit value must not leave the multiple computed against the old one.
        if (fieldName == l.measured || fieldName == l.permitted) {
            form.SetFieldValue(l.multiple, NdsMultiple(form, l.measured, l.permitted));
            trigger = true;
        }
    }
    if (!trigger)
        return;
    if (form.IsFieldEnabled(SumBox))
        SumOfChemicalFractions(form, true);
    QString sum = form.GetFieldValue(SumField);
    if (sum.trimmed().isEmpty())
        sum = QStringLiteral("0"); // a form without the sum
    const recKrtn rec{form.GetFieldValue(TypeField), form.GetFieldValue(limits()[0].multiple),
                      form.GetFieldValue(limits()[1].multiple), form.GetFieldValue(limits()[2].multiple), sum};
    TGroupRatings r{};
    const bool rated = ChemicalRating(rec, r);
    RateConcentrations(form, rated, r, limits());
}

void SumOfChemicalFractions(TFormAccess &form, bool includeCurrent)
{
    SumOverWorkstation(form, chemicalSum(), includeCurrent);
}

void RegisterChemicalRules()
{
    RegisterRuleFamily(RuleFamily::Chemical, EvaluateChemical);
    RegisterSumOfGroup(QStringLiteral("chem"), SumOfChemicalFractions, EvaluateChemical);
    TRuleFields fields;
    for (const TQuotientDef &l : limits()) {
        fields.Edited << l.measured << l.permitted;
        fields.Computed << l.multiple;
    }
    fields.Computed << SumField << TypeField;
    fields.Other << SumBox << QStringLiteral("lb_lSumNDS");
    RegisterRuleFields(FormName, fields);
}

} // namespace assessment::rules
