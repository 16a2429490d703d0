#include "assessment/rules/dust.h"

#include "assessment/rules/evaluation_dispatch.h"
#include "assessment/rules/rule_registry.h"
#include "storage/formatting.h"
#include "storage/measurements.h"

#include <algorithm>
#include <map>
#include <vector>

namespace assessment::rules {

namespace {

const QString SumBox = QStringLiteral("ch_cbSumNDS");
const QString SumLabel = QStringLiteral("lb_lSumNDS");
const QString SumField = QStringLiteral("ed_SumNDS");
const QString TypeField = QStringLiteral("ed_Typ");
const QString RespirableCaption = QStringLiteral("lb_lPResp");

enum class Slot { Total, Respirable, Fibres };

struct Fraction
{
    Slot slot;
    QString measured;
    QString permitted;
    QString multiple;
};

// What choosing a kind sets; an empty value or a negative type leaves that one as it is.
struct KindItem
{
    QString total;
    QString respirable;
    int typ = -1;
    QString caption; // of the respirable row
};

// One dust form: its fractions, its kind field with the items' settings, and what its kind
// decides besides.
struct DustForm
{
    QString name;
    std::vector<Fraction> fractions;
    QString kindField; // empty: the form has none
    std::map<int, KindItem> items;
    KindItem others; // items not listed
    bool sum = true; // the sum box, and the sum in the rating
    // Only the first kind takes part in the sum: every other one hides the sum controls, and
    // every kind change unticks the box.
    bool sumForFirstKindOnly = false;
    // The kind whose respirable row is switched off (and zeroed); every other kind switches it on.
    int respirableOffItem = -1;
};

const Fraction Total{Slot::Total, QStringLiteral("ed_PylCalkZm"), QStringLiteral("ed_PylCalkDop"),
                     QStringLiteral("ed_PylCalkKrotn")};
const Fraction Respirable{Slot::Respirable, QStringLiteral("ed_PylRespZm"), QStringLiteral("ed_PylRespDop"),
                          QStringLiteral("ed_PylRespKrotn")};

// The captions and the three edits of the respirable row.
const QStringList &respirableRow()
{
    static const QStringList names = {
        RespirableCaption,
        QStringLiteral("lb_lStZmierzoneResp"),
        QStringLiteral("lb_lStDopResp"),
        QStringLiteral("lb_lKrotnoscResp"),
        Respirable.measured,
        Respirable.permitted,
        Respirable.multiple,
    };
    return names;
}

std::vector<DustForm> buildForms()
{
    const QString silica = QStringLiteral("cb_cmbIloscKrzem");
    const QString kind = QStringLiteral("cb_Rodz");
    std::vector<DustForm> forms;
    auto add = [&forms](const char *name) -> DustForm & {
        DustForm f;
        f.name = QString::fromLatin1(name);
        f.fractions = {Total, Respirable};
        forms.push_back(std::move(f));
        return forms.back();
    };

    DustForm &apatyty = add("pyly_apatytow_Pomiar_01");
    apatyty.kindField = silica;
    apatyty.items = {{0, {"6.00", "2.00", 0, {}}}, {1, {"4.00", "1.00", 8, {}}}};

    add("pyly_azbestu_Pomiar_01").sum = false;

    DustForm &drewno = add("pyly_drewna_Pomiar_01");
    drewno.fractions = {Total};
    drewno.kindField = kind;
    drewno.items = {{0, {"4.0", {}, 0, {}}}, {1, {"2.0", {}, 17, {}}}, {2, {"2.0", {}, 17, {}}}};
    drewno.sumForFirstKindOnly = true;

    DustForm &grafit = add("pyly_grafitu_Pomiar_01");
    grafit.kindField = kind;
    grafit.items = {{0, {"4.0", "1.0", -1, {}}}, {1, {"6.0", {}, -1, {}}}};
    grafit.respirableOffItem = 1;

    DustForm &krzemionka = add("pyly_krystkrzem_Pomiar_01");
    krzemionka.kindField = silica;
    krzemionka.items = {{0, {"4.00", "1.00", -1, {}}}, {1, {"2.00", "0.300", -1, {}}}};

    DustForm &bezpostaciowa = add("pyly_krzembespost_Pomiar_01");
    bezpostaciowa.kindField = kind;
    bezpostaciowa.items = {{0, {"10.0", "2.0", 0, {}}},
                           {1, {"2.0", "1.0", 8, {}}},
                           {2, {"10.0", "2.0", 0, {}}},
                           {3, {"2.0", "1.0", 0, {}}}};

    DustForm &organiczne = add("pyly_organiczne_Pomiar_01");
    organiczne.kindField = silica;
    organiczne.items = {{0, {"4.00", "2.00", -1, {}}}, {1, {"2.00", "1.00", -1, {}}}};

    DustForm &wlokna = add("pyly_sztuczwlok_Pomiar_01");
    wlokna.kindField = kind;
    wlokna.items = {{0, {"2.0", "1.0", 8, {}}}, {1, {"1.0", "0.5", 25, {}}}, {2, {"1.0", "0.5", 25, {}}}};
    wlokna.others = {{}, {}, 25, {}};
    wlokna.sumForFirstKindOnly = true;

    DustForm &talk = add("pyly_talku_Pomiar_01");
    talk.kindField = kind;
    talk.items = {{0, {"4.0", "1.0", 8, QStringLiteral("Pył respirabilny [mg/m^3]")}},
                  {1, {"1.0", "0.5", 25, QStringLiteral("Włókna respirabilne [włókna/cm^3]")}}};
    talk.sumForFirstKindOnly = true;

    DustForm &wegiel = add("pyly_wegla_Pomiar_01");
    wegiel.kindField = silica;
    wegiel.items = {{0, {"10.0", "10.0", 0, {}}},
                    {1, {"4.0", "2.0", 8, {}}},
                    {2, {"2.0", "1.0", 8, {}}},
                    {3, {"1.0", "0.3", 8, {}}}};
    wegiel.others = {{}, {}, 8, {}};
    wegiel.respirableOffItem = 0;

    add("pyly_cementow_Pomiar_01");
    add("pyly_pozostale_Pomiar_01").fractions = {Total};

    DustForm &general = add("pyly_Pomiar_01");
    general.fractions = {
        {Slot::Total, Total.measured, QStringLiteral("ed_PylCalk"), Total.multiple},
        {Slot::Respirable, Respirable.measured, QStringLiteral("ed_PylResp"), Respirable.multiple},
        {Slot::Fibres, QStringLiteral("ed_WlkRespZm"), QStringLiteral("ed_WlkResp"), QStringLiteral("ed_WlkRespKrotn")},
    };
    return forms;
}

const std::vector<DustForm> &forms()
{
    static const std::vector<DustForm> all = buildForms();
    return all;
}

const DustForm *formNamed(const QString &name)
{
    for (const DustForm &f : forms())
        if (f.name == name)
            return &f;
    return nullptr;
}

const Fraction *fractionIn(const DustForm &def, Slot slot)
{
    for (const Fraction &f : def.fractions)
        if (f.slot == slot)
            return &f;
    return nullptr;
}

int riskOf(double k)
{
    if (k <= 0.5)
        return storage::RiskSmall;
    if (k <= 1)
        return storage::RiskMedium;
    return storage::RiskLarge;
}

void recomputeMultiple(TFormAccess &form, const Fraction &f)
{
    form.SetFieldValue(f.multiple, DustMultiple(form, f.measured, f.permitted));
}

void chooseKind(TFormAccess &form, const DustForm &def, int item)
{
    if (item < 0)
        return; // no kind chosen: nothing to set
    const auto it = def.items.find(item);
    const KindItem &k = it != def.items.end() ? it->second : def.others;
    const Fraction *total = fractionIn(def, Slot::Total);
    const Fraction *respirable = fractionIn(def, Slot::Respirable);
    if (total && !k.total.isEmpty())
        form.SetFieldValue(total->permitted, k.total);
    if (respirable && !k.respirable.isEmpty())
        form.SetFieldValue(respirable->permitted, k.respirable);
    if (k.typ >= 0)
        form.SetFieldValue(TypeField, QString::number(k.typ));
    // The multiples first: the row switched off below is then zeroed as a whole.
    for (const Fraction &f : def.fractions)
        recomputeMultiple(form, f);
    if (def.respirableOffItem >= 0) {
        const bool on = item != def.respirableOffItem;
        SetFieldsEnabled(form, respirableRow(), on);
        if (!on) {
            form.SetFieldValue(Respirable.measured, QStringLiteral("0"));
            form.SetFieldValue(Respirable.permitted, QStringLiteral("0"));
            form.SetFieldValue(Respirable.multiple, QStringLiteral("0"));
        }
    }
    if (!k.caption.isEmpty())
        form.SetFieldValue(RespirableCaption, k.caption);
    if (def.sumForFirstKindOnly) {
        const QString shown = item == 0 ? QStringLiteral("true") : QStringLiteral("false");
        for (const QString &name : {SumBox, SumLabel, SumField})
            form.SetFieldVisible(name, shown);
        form.SetFieldValue(SumBox, QStringLiteral("False"));
    }
}

// The record of the form shown.
TDustRecord formRecord(TFormAccess &form, const DustForm &def)
{
    auto multiple = [&](Slot slot) {
        const Fraction *f = fractionIn(def, slot);
        return f ? form.GetFieldValue(f->multiple) : QStringLiteral("0");
    };
    return {form.GetFieldValue(TypeField), multiple(Slot::Total), multiple(Slot::Respirable), multiple(Slot::Fibres),
            def.sum ? form.GetFieldValue(SumField) : QStringLiteral("0")};
}

// The record of a stored measurement: "0" for what it lacks.
TDustRecord storedRecord(const storage::TPomiarCzynn &m, const QString &sum)
{
    auto value = [&m](const char *name) {
        const storage::TPomiar *p = storage::FindField(m.Fields, QLatin1String(name));
        return p ? p->Value : QStringLiteral("0");
    };
    return {value("Typ"), value("PylCalkKrotn"), value("PylRespKrotn"), value("WlkRespKrotn"), sum};
}

const TSumFamily &dustSum()
{
    static const TSumFamily family = [] {
        TSumFamily f;
        f.ident = QStringLiteral("pyly");
        f.multipleName = QStringLiteral("PylCalkKrotn");
        f.rate = [](const storage::TPomiarCzynn &m, const QString &sum, TGroupRatings &r) {
            return DustRisk(storedRecord(m, sum), r);
        };
        return f;
    }();
    return family;
}

TRuleFields fieldsOf(const DustForm &def)
{
    TRuleFields fields;
    for (const Fraction &f : def.fractions) {
        fields.Edited << f.measured << f.permitted;
        fields.Computed << f.multiple;
    }
    fields.Computed << TypeField;
    if (def.sum) {
        fields.Computed << SumField;
        fields.Other << SumBox << SumLabel;
    }
    if (!def.kindField.isEmpty())
        fields.Other << def.kindField;
    if (def.respirableOffItem >= 0) {
        for (const QString &name : respirableRow())
            if (name.startsWith(QLatin1String("lb_")))
                fields.Other << name;
    }
    for (const auto &[item, k] : def.items)
        if (!k.caption.isEmpty() && !fields.Other.contains(RespirableCaption))
            fields.Other << RespirableCaption;
    return fields;
}

} // namespace

QString DustMultiple(TFormAccess &form, const QString &measuredField, const QString &permittedField)
{
    return ConcentrationMultiple(form, measuredField, permittedField);
}

bool DustRisk(const TDustRecord &record, TGroupRatings &ratings)
{
    int t = 0;
    double kc = 0, kr = 0, kw = 0, ks = 0;
    if (!RecordTypeBits(record.Typ, t) || !RecordMultiple(record.PylCalkKrotn, kc) ||
        !RecordMultiple(record.PylRespKrotn, kr) || !RecordMultiple(record.WlkRespKrotn, kw))
        return false;
    if (!record.SumNDS.trimmed().isEmpty() && !RecordMultiple(record.SumNDS, ks))
        return false;
    int r = std::max({riskOf(kc), riskOf(kr), riskOf(kw)});
    if (ks > 1)
        r = std::max<int>(r, storage::RiskLarge);
    else if (ks > 0.5)
        r = std::max<int>(r, storage::RiskMedium);
    if ((t & 1) || ((t & 2) && !(t & 32)))
        r = storage::RiskLarge;
    int pregnant = r;
    int juveniles = r;
    if (t & 4)
        juveniles = storage::RiskForbidden;
    if (t & 3) {
        pregnant = juveniles = storage::RiskForbidden;
        if (kc < 0.1 && kr < 0.1 && kw < 0.1)
            r = storage::RiskMedium;
    }
    if ((t & 8) && (kr > 0.66 || kw > 0.66 || kc > 0.66))
        juveniles = storage::RiskForbidden;
    ratings = {r, r, pregnant, juveniles};
    return true;
}

void EvaluateDustForm(TFormAccess &form, const QString &fieldName)
{
    const DustForm *def = formNamed(form.FormName());
    if (!def)
        return;
    bool trigger = def->sum && fieldName == SumBox;
    for (const Fraction &f : def->fractions) {
        // A corrected limit value must not leave the multiple computed against the old one.
        if (fieldName == f.measured || fieldName == f.permitted) {
            recomputeMultiple(form, f);
            trigger = true;
        }
    }
    if (!def->kindField.isEmpty() && fieldName == def->kindField) {
        bool ok = false;
        const int item = form.GetFieldValue(def->kindField).toInt(&ok);
        chooseKind(form, *def, ok ? item : -1);
        trigger = true;
    }
    if (!trigger)
        return;
    if (form.IsFieldEnabled(SumBox))
        SumOfDustFractions(form, true);
    TGroupRatings r{};
    const bool rated = DustRisk(formRecord(form, *def), r);
    QList<TQuotientDef> fractions;
    for (const Fraction &f : def->fractions)
        fractions << TQuotientDef{f.multiple, f.measured, f.permitted};
    RateConcentrations(form, rated, r, fractions);
}

void SumOfDustFractions(TFormAccess &form, bool includeCurrent)
{
    SumOverWorkstation(form, dustSum(), includeCurrent);
}

const QStringList &DustFormNames()
{
    static const QStringList names = [] {
        QStringList n;
        for (const DustForm &f : forms())
            n << f.name;
        return n;
    }();
    return names;
}

void RegisterDustRules()
{
    RegisterRuleFamily(RuleFamily::Dust, EvaluateDustForm);
    RegisterSumOfGroup(QStringLiteral("pyly"), SumOfDustFractions, EvaluateDustForm);
    for (const DustForm &f : forms())
        RegisterRuleFields(f.name, fieldsOf(f));
}

} // namespace assessment::rules
