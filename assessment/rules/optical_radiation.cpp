#include "assessment/rules/optical_radiation.h"

#include "assessment/rules/evaluation_dispatch.h"
#include "assessment/rules/radiation_common.h"
#include "assessment/rules/rating_handover.h"
#include "assessment/rules/rule_numbers.h"
#include "assessment/rules/rule_registry.h"
#include "storage/formatting.h"

#include <QList>

#include <algorithm>
#include <cmath>

namespace assessment::rules {

namespace {

const QString UltravioletName = QStringLiteral("prm_nadfioletowe_Pomiar_01");
const QString Infrared1Name = QStringLiteral("prm_podczerwone_Pomiar_01");
const QString Infrared2Name = QStringLiteral("prm_podczerwone_Pomiar_02");
const QString Visible1Name = QStringLiteral("prm_widzialne_Pomiar_01");
const QString Visible2Name = QStringLiteral("prm_widzialne_Pomiar_02");

const QString True = QStringLiteral("True");

QString ed(const QString &stem)
{
    return QStringLiteral("ed_") + stem;
}

// A permitted value or a multiple computed by formula, as it is handed to the form.
QString formulaText(double x)
{
    return FixedText(x, 6, 2);
}

bool hasText(TFormAccess &form, const QString &name)
{
    return !form.GetFieldValue(name).trimmed().isEmpty();
}

// A time or a source size may be left empty (0). Names the first of those a permitted value
// is computed from that is no number or negative; false when all can be used.
bool reportUnusableAmount(TFormAccess &form, const QStringList &names)
{
    for (const QString &name : names) {
        double v = 0;
        if (!ReadNonNegativeNumberOrEmpty(form, name, v)) {
            form.ReportInvalidField(name, reason::NotNegative());
            return true;
        }
    }
    return false;
}

// Names the field that leaves OpticalRiskClass(measured, permitted) not determined: the
// measured value, else the first input of the permitted value that is unusable or 0 (a
// computed limit of 0 comes from a time or a size of 0), else the permitted value itself.
// False when the class can be determined.
bool reportUndeterminedClass(TFormAccess &form, const QString &measured, const QString &permitted,
                             const QStringList &inputs = {})
{
    double v = 0;
    if (!ReadNonNegativeOrReport(form, measured, v, reason::Measured()))
        return true;
    if (ReadPositiveNumber(form, permitted, v))
        return false;
    if (reportUnusableAmount(form, inputs))
        return true;
    for (const QString &name : inputs)
        if (ReadNonNegativeNumberOrEmpty(form, name, v) && v == 0) {
            form.ReportInvalidField(name, reason::AboveZero());
            return true;
        }
    form.ReportInvalidField(permitted, reason::Permitted());
    return true;
}

// The multiple of a measured field over a permitted field, as shown: "0" when the permitted
// value is 0 (and, where emptyIsZero, when it is empty: nothing to compare with yet); empty
// text when it cannot be determined.
QString multipleOf(TFormAccess &form, const QString &measured, const QString &permitted, bool emptyIsZero)
{
    const QString d = form.GetFieldValue(permitted).trimmed();
    if (d.isEmpty() && emptyIsZero)
        return QStringLiteral("0");
    double m = 0, p = 0;
    if (!ReadNonNegativeNumber(form, measured, m) || !ParseNumber(d, p))
        return QString();
    return RadiationMultipleText(m, p);
}

// ---- Ultraviolet ---------------------------------------------------------------------------

// Skin of the face, skin of the hands, eyes (effective radiant exposure) and the UV-A
// exposure of the eyes; each with a permitted value for adults and one for pregnant women.
const QStringList &ultravioletQuantities()
{
    static const QStringList q = {QStringLiteral("NSTwarz"), QStringLiteral("NSRece"), QStringLiteral("NSOczy"),
                                  QStringLiteral("NP")};
    return q;
}

// ---- Infrared ------------------------------------------------------------------------------

struct InfraredQuantity
{
    QString measured;
    QString permitted;
    QString multiple;
    QString time;
};

const InfraredQuantity Retina{QStringLiteral("ed_SiatWartZm"), QStringLiteral("ed_SiatWartDp"),
                              QStringLiteral("ed_SiatKrotn"), QStringLiteral("ed_SiatCzas")};
// The measured field of the cornea and the time of the skin carry these names in every
// stored measurement.
const InfraredQuantity Cornea{QStringLiteral("ed_RogartZm"), QStringLiteral("ed_RogWartDp"),
                              QStringLiteral("ed_RogKrotn"), QStringLiteral("ed_RogCzas")};
const InfraredQuantity Skin{QStringLiteral("ed_TwWartZm"), QStringLiteral("ed_TwWartDp"), QStringLiteral("ed_TwKrotn"),
                            QStringLiteral("ed_TwSiatCzas")};
const InfraredQuantity Hands{QStringLiteral("ed_ReceWartZm"), QStringLiteral("ed_ReceWartDp"),
                             QStringLiteral("ed_ReceKrotn"), QStringLiteral("ed_ReceCzas")};
const QList<const InfraredQuantity *> InfraredQuantities = {&Retina, &Cornea, &Skin, &Hands};

const QString SourceSize = QStringLiteral("ed_Zrodlo");
const QString Stimulus = QStringLiteral("cb_cBodziec");

QString corneaLimit(TFormAccess &form)
{
    double t = 0;
    if (!ReadNonNegativeNumberOrEmpty(form, Cornea.time, t))
        return QString();
    if (t <= 0)
        return QStringLiteral("0");
    if (t < 1000)
        return formulaText(18000.0 * std::pow(t, -0.75));
    return QStringLiteral("100");
}

// Retina, form 1: the source size in radians, radiance in W/(cm²·sr).
QString retinaLimit1(TFormAccess &form)
{
    double alpha = 0, t = 0;
    if (!ReadNonNegativeNumberOrEmpty(form, SourceSize, alpha) || !ReadNonNegativeNumberOrEmpty(form, Retina.time, t))
        return QString();
    if (alpha == 0 || t == 0)
        return QStringLiteral("0");
    if (t < 10)
        return formulaText(5.0 / (alpha * std::pow(t, 0.25)));
    return formulaText(0.6 / alpha);
}

// Retina, form 2: the source size in milliradians, limited to the range of the stimulus.
QString retinaLimit2(TFormAccess &form)
{
    double alpha = 0, t = 0;
    if (!ReadNonNegativeNumberOrEmpty(form, SourceSize, alpha) || !ReadNonNegativeNumberOrEmpty(form, Retina.time, t))
        return QString();
    double longExposure = 0;
    const int stimulus = ReadChoice(form, Stimulus);
    if (stimulus == 0) {
        longExposure = 28000000;
        alpha = std::clamp(alpha, 1.7, 100.0);
    } else if (stimulus == 1) {
        longExposure = 6000000;
        alpha = std::clamp(alpha, 11.0, 100.0);
    } else {
        return QString(); // no stimulus chosen: no limit applies yet
    }
    if (t == 0)
        return QStringLiteral("0");
    return formulaText(RetinalThermalLimit(alpha, t, longExposure));
}

int infraredClass(TFormAccess &form, const InfraredQuantity &q)
{
    double m = 0, d = 0;
    if (!ReadNonNegativeNumber(form, q.measured, m) || !ReadNumber(form, q.permitted, d))
        return storage::RiskNotDetermined;
    // A quantity with no permitted value (no exposure time) never raises the rating.
    if (d <= 0)
        return storage::RiskSmall;
    return OpticalRiskClassOf(m, d);
}

// Names the field that leaves the class of q not determined: its measured value, else what
// its permitted value is computed from (the time, the source size, the stimulus).
void reportUndeterminedInfrared(TFormAccess &form, const InfraredQuantity &q, int version)
{
    double v = 0;
    if (!ReadNonNegativeOrReport(form, q.measured, v, reason::Measured()) || ReadNumber(form, q.permitted, v))
        return;
    const bool retina = &q == &Retina;
    if (reportUnusableAmount(form, retina ? QStringList{SourceSize, q.time} : QStringList{q.time}))
        return;
    if (retina && version == 2 && ReadChoiceOrReport(form, Stimulus) < 0)
        return;
    form.ReportInvalidField(q.permitted, reason::Number());
}

void evaluateInfrared(TFormAccess &form, const QString &fieldName, int version)
{
    QList<const InfraredQuantity *> recomputed;
    if (fieldName == Cornea.time) {
        form.SetFieldValue(Cornea.permitted, corneaLimit(form));
        recomputed << &Cornea;
    }
    for (const InfraredQuantity *q : {&Skin, &Hands}) {
        if (fieldName != q->time)
            continue;
        const QString text = form.GetFieldValue(q->time).trimmed();
        QString limit = QStringLiteral("0");
        double t = 0;
        if (!text.isEmpty()) {
            if (!ParseNumber(text, t) || t < 0) {
                limit.clear();
            } else if (t > 10) {
                // Longer exposures of the skin are heat stress, rated as hot microclimate.
                form.ShowWarning(SkinTimeMessage());
                form.FocusField(q->time);
                form.SetFieldValue(q->measured, QStringLiteral("0"));
                form.SetFieldValue(q->multiple, QStringLiteral("0"));
                return;
            } else {
                limit = formulaText(20000.0 * std::pow(t, 0.25));
            }
        }
        form.SetFieldValue(q->permitted, limit);
        recomputed << q;
    }
    const bool retinaInput =
        fieldName == SourceSize || fieldName == Retina.time || (version == 2 && fieldName == Stimulus);
    if (retinaInput) {
        form.SetFieldValue(Retina.permitted, version == 1 ? retinaLimit1(form) : retinaLimit2(form));
        recomputed << &Retina;
    }
    for (const InfraredQuantity *q : InfraredQuantities) {
        bool recompute = fieldName == q->measured;
        if (!recompute && recomputed.contains(q)) {
            const QString m = form.GetFieldValue(q->measured).trimmed();
            recompute = !m.isEmpty() && m != QLatin1String("0");
        }
        if (recompute)
            form.SetFieldValue(q->multiple, multipleOf(form, q->measured, q->permitted, true));
    }
    QList<int> codes;
    for (const InfraredQuantity *q : InfraredQuantities)
        codes << infraredClass(form, *q);
    const int code = HighestDeterminedCode(codes);
    if (code == storage::RiskNotDetermined) {
        const qsizetype at = codes.indexOf(storage::RiskNotDetermined);
        reportUndeterminedInfrared(form, *InfraredQuantities[at], version);
    }
    RateWithJuvenilesForbidden(form, code, code);
}

// ---- Visible -------------------------------------------------------------------------------

const QString ThermalSwitch = QStringLiteral("ch_cbZagrTO");
const QString PhotoTime = QStringLiteral("ed_FOCzas");
const QString PhotoSize = QStringLiteral("ed_FOWymiar");
const QString PhotoMeasured = QStringLiteral("ed_FOWartZm");
const QString PhotoPermitted = QStringLiteral("ed_FOWartDop");
const QString PhotoMultiple = QStringLiteral("ed_FOKrotn");
const QString PhotoCaption = QStringLiteral("lFOParam");
const QString ThermalTime = QStringLiteral("ed_TOCzas");
const QString ThermalSize = QStringLiteral("ed_TOWymiar");
const QString ThermalMeasured = QStringLiteral("ed_TOWartZm");
const QString ThermalPermitted = QStringLiteral("ed_TOWartDop");
const QString ThermalMultiple = QStringLiteral("ed_TOKrotn");

// The fields of the thermal part, usable only while its check box is ticked.
const QStringList &thermalFields()
{
    static const QStringList names = {
        QStringLiteral("lb_lTOCzas"),
        QStringLiteral("lb_lTOWymiar"),
        QStringLiteral("lb_TOParam"),
        ThermalTime,
        ThermalSize,
        QStringLiteral("lb_lTOWartZm"),
        QStringLiteral("lb_lTOWartDp"),
        QStringLiteral("lb_lTOKrotn"),
        ThermalMeasured,
        ThermalPermitted,
        ThermalMultiple,
    };
    return names;
}

// The captions of lFOParam, in the order of its definition.
enum PhotoCaptionNr {
    // form 1
    IntegratedRadiance = 1,  // Lzint [J/(cm²·sr)]: source of 11 mrad and more, up to 10000 s
    EffectiveRadiance = 2,   // Ls [W/(cm²·sr)]: source of 11 mrad and more, beyond 10000 s
    EffectiveExposure = 3,   // Ns [J/cm²]: smaller source, up to 10000 s
    EffectiveIrradiance = 4, // Es [µW/cm²]: smaller source, beyond 10000 s
    // form 2
    BlueLightRadiance = 1,   // Lb [W/(m²·sr)]: source of 11 mrad and more
    BlueLightIrradiance = 2, // Eb [W/m²]: smaller source
};

// A permitted value that cannot be computed (empty text) or does not apply ("0"), and its
// multiple with it.
void setLimitAndMultiple(TFormAccess &form, const QString &permitted, const QString &multiple, const QString &text)
{
    form.SetFieldValue(permitted, text);
    form.SetFieldValue(multiple, text);
}

void photochemicalLimit(TFormAccess &form, int version)
{
    double t = 0, alpha = 0;
    if (!ReadNonNegativeNumberOrEmpty(form, PhotoTime, t) || !ReadNonNegativeNumberOrEmpty(form, PhotoSize, alpha)) {
        setLimitAndMultiple(form, PhotoPermitted, PhotoMultiple, QString());
        return;
    }
    const bool largeSource = alpha >= 11;
    const bool longExposure = t > 10000;
    if (version == 1) {
        form.SetHeaderChoice(PhotoCaption, largeSource ? (longExposure ? EffectiveRadiance : IntegratedRadiance)
                                                       : (longExposure ? EffectiveIrradiance : EffectiveExposure));
        form.SetFieldValue(PhotoPermitted, largeSource ? (longExposure ? QStringLiteral("0.01") : QStringLiteral("100"))
                                                       : (longExposure ? QStringLiteral("1") : QStringLiteral("0.01")));
    } else {
        form.SetHeaderChoice(PhotoCaption, largeSource ? BlueLightRadiance : BlueLightIrradiance);
        if (t == 0) {
            setLimitAndMultiple(form, PhotoPermitted, PhotoMultiple, QStringLiteral("0"));
            return;
        }
        if (longExposure)
            form.SetFieldValue(PhotoPermitted, largeSource ? QStringLiteral("100") : QStringLiteral("0.01"));
        else
            form.SetFieldValue(PhotoPermitted, formulaText((largeSource ? 1000000.0 : 100.0) / t));
    }
    form.SetFieldValue(PhotoMultiple, multipleOf(form, PhotoMeasured, PhotoPermitted, false));
}

void thermalLimit(TFormAccess &form, int version)
{
    double t = 0, alpha = 0;
    if (!ReadNonNegativeNumberOrEmpty(form, ThermalTime, t) ||
        !ReadNonNegativeNumberOrEmpty(form, ThermalSize, alpha)) {
        setLimitAndMultiple(form, ThermalPermitted, ThermalMultiple, QString());
        return;
    }
    if (t == 0 || alpha == 0) {
        setLimitAndMultiple(form, ThermalPermitted, ThermalMultiple, QStringLiteral("0"));
        return;
    }
    double limit = 0;
    if (version == 1) {
        // source size in radians, radiance in W/(cm²·sr)
        limit = 5.0 / (alpha * std::pow(t, 0.25));
    } else {
        limit = RetinalThermalLimit(std::clamp(alpha, 1.7, 100.0), t, 28000000);
    }
    form.SetFieldValue(ThermalPermitted, GeneralText(limit, 15));
    form.SetFieldValue(ThermalMultiple, multipleOf(form, ThermalMeasured, ThermalPermitted, false));
}

void evaluateVisible(TFormAccess &form, const QString &fieldName, int version)
{
    if (fieldName == ThermalSwitch) {
        const bool on = form.GetFieldValue(ThermalSwitch) == True;
        if (!on) {
            form.SetFieldValue(ThermalMeasured, QStringLiteral("0"));
            form.SetFieldValue(ThermalMultiple, QStringLiteral("0"));
        }
        SetFieldsEnabled(form, thermalFields(), on);
    }
    if (fieldName == PhotoTime || fieldName == PhotoSize)
        photochemicalLimit(form, version);
    else if (fieldName == PhotoMeasured)
        form.SetFieldValue(PhotoMultiple, multipleOf(form, PhotoMeasured, PhotoPermitted, false));
    if (fieldName == ThermalTime || fieldName == ThermalSize)
        thermalLimit(form, version);
    else if (fieldName == ThermalMeasured)
        form.SetFieldValue(ThermalMultiple, multipleOf(form, ThermalMeasured, ThermalPermitted, false));

    const int photochemical = OpticalRiskClass(form, PhotoMeasured, PhotoPermitted);
    // Without a thermal hazard its measured value is 0: it does not raise the rating.
    const int thermal = form.GetFieldValue(ThermalSwitch) == True
                            ? OpticalRiskClass(form, ThermalMeasured, ThermalPermitted)
                            : storage::RiskSmall;
    const int code = HighestDeterminedCode({photochemical, thermal});
    if (photochemical == storage::RiskNotDetermined)
        reportUndeterminedClass(form, PhotoMeasured, PhotoPermitted, {PhotoTime, PhotoSize});
    else if (thermal == storage::RiskNotDetermined)
        reportUndeterminedClass(form, ThermalMeasured, ThermalPermitted, {ThermalTime, ThermalSize});
    RateAllGroups(form, code);
}

} // namespace

// ---- Shared --------------------------------------------------------------------------------

int OpticalRiskClassOf(double measured, double permitted)
{
    if (!(permitted > 0))
        return storage::RiskNotDetermined;
    if (measured > permitted)
        return storage::RiskLarge;
    if (measured > 0.8 * permitted)
        return storage::RiskMedium;
    return storage::RiskSmall;
}

int OpticalRiskClass(TFormAccess &form, const QString &measuredField, const QString &permittedField)
{
    double m = 0, d = 0;
    if (!ReadNonNegativeNumber(form, measuredField, m) || !ReadNumber(form, permittedField, d))
        return storage::RiskNotDetermined;
    return OpticalRiskClassOf(m, d);
}

double RetinalThermalLimit(double alphaMrad, double t, double longExposure)
{
    if (t < 0.00001)
        return 889000000.0 / alphaMrad;
    if (t > 10)
        return longExposure / alphaMrad;
    return 50000000.0 / (alphaMrad * std::pow(t, 0.25));
}

QString SkinTimeMessage()
{
    return QStringLiteral("Przy ocenie zagrożenia termicznego skóry od promieniowania podczerwonego \n"
                          "wartość czasu ekspozycji nie może być większa od 10 s. \n"
                          "Być może na tym stanowisku należy przeprowadzić ocenę ryzyka dla mikroklimatu gorącego.");
}

// ---- The forms -----------------------------------------------------------------------------

void EvaluateUltraviolet(TFormAccess &form, const QString &fieldName)
{
    QList<int> adults, pregnant;
    for (const QString &x : ultravioletQuantities()) {
        const QString measured = ed(x + QStringLiteral("WartZm"));
        const QString permitted = ed(x + QStringLiteral("WartDp"));
        const QString permittedKc = ed(x + QStringLiteral("WartDpKc"));
        const bool measuredLeft = fieldName == measured;
        // A corrected permitted value must not leave the multiple computed against the old one.
        if (measuredLeft || (fieldName == permitted && hasText(form, measured)))
            form.SetFieldValue(ed(x + QStringLiteral("Krotn")), multipleOf(form, measured, permitted, false));
        if (measuredLeft || (fieldName == permittedKc && hasText(form, measured)))
            form.SetFieldValue(ed(x + QStringLiteral("KrotnKc")), multipleOf(form, measured, permittedKc, false));
        adults << OpticalRiskClass(form, measured, permitted);
        pregnant << OpticalRiskClass(form, measured, permittedKc);
    }
    const int adultsCode = HighestDeterminedCode(adults);
    // Without the adults' limits no group is rated on part of its values.
    const int pregnantCode = adultsCode == storage::RiskNotDetermined ? adultsCode : HighestDeterminedCode(pregnant);
    // The first value that cannot be used is named: the adults' before the pregnant women's
    // own limits, whose absence leaves only them not determined.
    const QString unratedLimit = adultsCode == storage::RiskNotDetermined     ? QStringLiteral("WartDp")
                                 : pregnantCode == storage::RiskNotDetermined ? QStringLiteral("WartDpKc")
                                                                              : QString();
    if (!unratedLimit.isEmpty())
        for (const QString &x : ultravioletQuantities())
            if (reportUndeterminedClass(form, ed(x + QStringLiteral("WartZm")), ed(x + unratedLimit)))
                break;
    RateWithJuvenilesForbidden(form, adultsCode, pregnantCode);
}

void EvaluateInfrared1(TFormAccess &form, const QString &fieldName)
{
    evaluateInfrared(form, fieldName, 1);
}

void EvaluateInfrared2(TFormAccess &form, const QString &fieldName)
{
    evaluateInfrared(form, fieldName, 2);
}

void EvaluateVisible1(TFormAccess &form, const QString &fieldName)
{
    evaluateVisible(form, fieldName, 1);
}

void EvaluateVisible2(TFormAccess &form, const QString &fieldName)
{
    evaluateVisible(form, fieldName, 2);
}

void EvaluateOpticalRadiationForm(TFormAccess &form, const QString &fieldName)
{
    const QString name = form.FormName();
    if (name == UltravioletName)
        EvaluateUltraviolet(form, fieldName);
    else if (name == Infrared1Name)
        EvaluateInfrared1(form, fieldName);
    else if (name == Infrared2Name)
        EvaluateInfrared2(form, fieldName);
    else if (name == Visible1Name)
        EvaluateVisible1(form, fieldName);
    else if (name == Visible2Name)
        EvaluateVisible2(form, fieldName);
}

void RegisterOpticalRadiationRules()
{
    RegisterRuleFamily(RuleFamily::OpticalRadiation, EvaluateOpticalRadiationForm);

    TRuleFields uv;
    for (const QString &x : ultravioletQuantities()) {
        uv.Edited << ed(x + QStringLiteral("WartZm")) << ed(x + QStringLiteral("WartDp"))
                  << ed(x + QStringLiteral("WartDpKc"));
        uv.Computed << ed(x + QStringLiteral("Krotn")) << ed(x + QStringLiteral("KrotnKc"));
    }
    RegisterRuleFields(UltravioletName, uv);

    for (int version : {1, 2}) {
        TRuleFields ir;
        for (const InfraredQuantity *q : InfraredQuantities) {
            ir.Edited << q->measured << q->time;
            ir.Computed << q->permitted << q->multiple;
        }
        ir.Edited << SourceSize;
        if (version == 2)
            ir.Other << Stimulus;
        RegisterRuleFields(version == 1 ? Infrared1Name : Infrared2Name, ir);
    }

    TRuleFields visible;
    visible.Edited = {PhotoTime, PhotoSize, PhotoMeasured, ThermalTime, ThermalSize, ThermalMeasured};
    visible.Computed = {PhotoPermitted, PhotoMultiple, ThermalPermitted, ThermalMultiple};
    visible.Other = QStringList{ThermalSwitch, QStringLiteral("lb_") + PhotoCaption};
    for (const QString &n : thermalFields())
        if (n.startsWith(QLatin1String("lb_")))
            visible.Other << n;
    RegisterRuleFields(Visible1Name, visible);
    RegisterRuleFields(Visible2Name, visible);
}

} // namespace assessment::rules
