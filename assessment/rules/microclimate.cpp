#include "assessment/rules/microclimate.h"

#include "assessment/rules/evaluation_dispatch.h"
#include "assessment/rules/rating_handover.h"
#include "assessment/rules/rule_numbers.h"
#include "assessment/rules/rule_registry.h"
#include "storage/formatting.h"

#include <algorithm>
#include <cmath>

namespace assessment::rules {

namespace {

const QString HotName = QStringLiteral("mikroklimat_goracy_Pomiar_01");
const QString ModerateName = QStringLiteral("mikroklimat_um_Pomiar_01");
const QString Cold1Name = QStringLiteral("mikroklimat_zimny_Pomiar_01");
const QString Cold2Name = QStringLiteral("mikroklimat_zimny_Pomiar_02");
const QString Cold3Name = QStringLiteral("mikroklimat_zimny_Pomiar_03");

const QString Measured = QStringLiteral("ed_WartZm");
const QString Permitted = QStringLiteral("ed_WartDop");
const QString Multiple = QStringLiteral("ed_Krotn");

const QString ClassCombo = QStringLiteral("cb_cKlasaMetabol");
const QString AcclimatisationCombo = QStringLiteral("cb_cAklimat");
const QString AirMovementItem = QStringLiteral("cRuchPow");
const QString AirMovementCombo = QStringLiteral("cb_cRuchPow");

const QString Pmv = QStringLiteral("ed_WartZmPMV");

const QString ClothingWorn = QStringLiteral("ed_Iclr");
const QString ClothingMinimum = QStringLiteral("ed_IREQmin");
const QString ClothingNeutral = QStringLiteral("ed_IREQneutral");

const QString OutdoorBox = QStringLiteral("ch_PracaZewn");
const QString CoolingMultiple = QStringLiteral("ed_KrotnWCI");
const QString AirTemperature = QStringLiteral("ed_Ta");
const QString WindSpeed = QStringLiteral("ed_Va");
const QString WindChillMultiple = QStringLiteral("ed_KrotnTwc");
const QString ExposureTime = QStringLiteral("ed_CzasNar");

const char *const AirTooWarm = "Temperatura powietrza musi być mniejsza niż 10°C";

// The outdoor fields each cold form switches with its check box.
const QStringList &outdoorFields2()
{
    static const QStringList names = {
        QStringLiteral("lb_lWartZm"),
        QStringLiteral("lb_lWartDp"),
        QStringLiteral("lb_lKrotnWCI"),
        Measured,
        Permitted,
        CoolingMultiple,
        QStringLiteral("lb_pWCI"),
    };
    return names;
}

const QStringList &outdoorFields3()
{
    static const QStringList names = {
        QStringLiteral("lb_lWartZm"),
        QStringLiteral("lb_lWartDp"),
        QStringLiteral("lb_lKrotnTwc"),
        Measured,
        Permitted,
        WindChillMultiple,
        QStringLiteral("lb_lCzasNar"),
        ExposureTime,
        QStringLiteral("lb_lTa"),
        AirTemperature,
        QStringLiteral("lb_lVa"),
        WindSpeed,
        QStringLiteral("lb_ptwc"),
    };
    return names;
}

enum class Notation {
    General, // up to 15 significant digits
    Fixed2,  // 2 decimals of 6 significant digits
};

// Men and women share a code; pregnant women and juveniles get their own.
void rate(TFormAccess &form, int adults, int pregnantWomen, int juveniles)
{
    form.SetRiskAssessment({adults, adults, pregnantWomen, juveniles});
}

QString quotientText(double q, Notation notation)
{
    if (q == 0)
        q = 0.0; // no "-0"
    return notation == Notation::General ? GeneralText(q, 15) : FixedText(q, 6, 2);
}

// measured / permitted into the multiple field; empty text when either is no number or the
// permitted value is 0. clampNegative: a negative quotient counts as 0.
void writeMultiple(TFormAccess &form, const QString &multiple, const QString &measured, const QString &permitted,
                   Notation notation, bool clampNegative = false)
{
    double m = 0, d = 0;
    QString text;
    if (ReadNumber(form, measured, m) && ReadNumber(form, permitted, d) && d != 0) {
        double q = m / d;
        if (clampNegative && q < 0)
            q = 0;
        text = quotientText(q, notation);
    }
    form.SetFieldValue(multiple, text);
}

// After the permitted value changed, a multiple of a value already measured follows it, so
// that what is saved is never computed against a permitted value no longer shown.
void followPermitted(TFormAccess &form, const QString &multiple, const QString &measured, Notation notation,
                     bool clampNegative = false)
{
    if (form.GetFieldValue(measured).trimmed().isEmpty())
        return;
    writeMultiple(form, multiple, measured, Permitted, notation, clampNegative);
}

bool ticked(TFormAccess &form, const QString &box)
{
    return form.GetFieldValue(box) == QLatin1String("True");
}

// ---- Clothing insulation (cold forms 2 and 3) ------------------------------------------------

// The clothing fields may be left at 0 (or empty) when the clothing was not assessed; one
// that holds no such number is named.
bool readClothing(TFormAccess &form, double &worn, double &minimum, double &neutral)
{
    return ReadNumberZeroPrefixedOrReport(form, ClothingWorn, worn, reason::NotNegative()) &&
           ReadNumberZeroPrefixedOrReport(form, ClothingMinimum, minimum, reason::NotNegative()) &&
           ReadNumberZeroPrefixedOrReport(form, ClothingNeutral, neutral, reason::NotNegative());
}

void recomputeClothingMultiple(TFormAccess &form, const QString &fieldName)
{
    if (fieldName != ClothingWorn && fieldName != ClothingMinimum)
        return;
    double worn = 0, minimum = 0;
    if (!ReadNumberZeroPrefixed(form, ClothingWorn, worn) || !ReadNumberZeroPrefixed(form, ClothingMinimum, minimum)) {
        form.SetFieldValue(Multiple, QString());
        return;
    }
    // Without both insulations there is no multiple: 0, never one left from earlier values.
    form.SetFieldValue(Multiple, worn != 0 && minimum != 0 ? quotientText(worn / minimum, Notation::Fixed2)
                                                           : QStringLiteral("0"));
}

bool clothingCode(TFormAccess &form, int &code)
{
    double worn = 0, minimum = 0, neutral = 0;
    if (!readClothing(form, worn, minimum, neutral))
        return false;
    if (worn != 0 && worn <= minimum)
        code = storage::RiskLarge;
    else if (minimum < worn && worn < neutral)
        code = storage::RiskMedium;
    else
        code = storage::RiskSmall;
    return true;
}

// Men and women get the higher of the clothing and the outdoor code; pregnant women and
// juveniles may not work in a cold microclimate at all.
void rateCold(TFormAccess &form, bool outdoorKnown, int outdoor)
{
    int clothing = 0;
    if (!outdoorKnown || !clothingCode(form, clothing)) {
        RateNotDetermined(form);
        return;
    }
    rate(form, std::max(clothing, outdoor), storage::RiskForbidden, storage::RiskForbidden);
}

// The permitted value a cold rule compares with. A value of 0 is a limit not given yet, not
// one that every measurement reaches: it leaves the rating not determined, naming the field.
// The cooling index is a power and must be above 0; the wind chill limit is a temperature
// below freezing, so only 0 itself is refused there.
bool readColdPermitted(TFormAccess &form, double &d, bool temperature = false)
{
    if (!temperature)
        return ReadPositiveOrReport(form, Permitted, d, reason::Permitted());
    if (!ReadNumberOrReport(form, Permitted, d, reason::Number()))
        return false;
    if (d != 0)
        return true;
    form.ReportInvalidField(Permitted, QStringLiteral("wartość dopuszczalna musi być liczbą różną od 0"));
    return false;
}

// The air temperature and wind speed a wind chill is computed from.
bool windChillInputs(TFormAccess &form, double &ta, double &va)
{
    return ReadNumber(form, AirTemperature, ta) && ReadNumber(form, WindSpeed, va) && va >= 0 && ta < 10;
}

// The same, naming the field that keeps the wind chill from being computed.
bool windChillInputsOrReport(TFormAccess &form, double &ta, double &va)
{
    if (!ReadNumber(form, AirTemperature, ta) || ta >= 10) {
        form.ReportInvalidField(AirTemperature, QStringLiteral("temperatura powietrza musi być liczbą mniejszą od 10"));
        return false;
    }
    return ReadNonNegativeOrReport(form, WindSpeed, va, reason::NotNegative());
}

} // namespace

// ---- Hot microclimate ------------------------------------------------------------------------

QString PermittedWbgt(int metabolicClass, int acclimatisation, int airMovement)
{
    // Columns: acclimatised with air movement felt, acclimatised without, not acclimatised
    // with, not acclimatised without.
    static const int table[5][4] = {
        {33, 33, 32, 32}, {30, 30, 29, 29}, {28, 28, 26, 26}, {26, 25, 23, 22}, {25, 23, 20, 18},
    };
    if (metabolicClass < 0 || metabolicClass > 4)
        return QStringLiteral("18");
    const int column = (acclimatisation == 0 ? 0 : 2) + (airMovement == 0 ? 0 : 1);
    return QString::number(table[metabolicClass][column]);
}

int AirMovementList(int metabolicClass)
{
    if (metabolicClass >= 0 && metabolicClass <= 2)
        return 1;
    if (metabolicClass >= 3 && metabolicClass <= 4)
        return 2;
    return 0;
}

void EvaluateHotMicroclimate(TFormAccess &form, const QString &fieldName)
{
    const bool classChanged = fieldName == ClassCombo;
    if (classChanged)
        form.SetComboChoice(AirMovementItem, AirMovementList(ReadChoice(form, ClassCombo)));
    if (classChanged || fieldName == AcclimatisationCombo || fieldName == AirMovementCombo) {
        form.SetFieldValue(Permitted,
                           PermittedWbgt(ReadChoice(form, ClassCombo), ReadChoice(form, AcclimatisationCombo),
                                         ReadChoice(form, AirMovementCombo)));
        followPermitted(form, Multiple, Measured, Notation::General);
    } else if (fieldName == Permitted) {
        followPermitted(form, Multiple, Measured, Notation::General);
    } else if (fieldName == Measured) {
        writeMultiple(form, Multiple, Measured, Permitted, Notation::General);
    }

    const int metabolicClass = ReadChoiceOrReport(form, ClassCombo);
    double m = 0, d = 0;
    if (metabolicClass < 0 || metabolicClass > 4 || !ReadNumberOrReport(form, Measured, m, reason::Number()) ||
        !ReadNumberOrReport(form, Permitted, d, reason::Number())) {
        RateNotDetermined(form);
        return;
    }
    const int adults = m > d ? storage::RiskLarge : (m > d - 3 ? storage::RiskMedium : storage::RiskSmall);
    // Juveniles against two thirds of the adults' value (exact for the whole degrees of the
    // table when multiplied first).
    const double dj = d * 2.0 / 3.0;
    const int juveniles = m > dj ? storage::RiskForbidden : (m > dj - 3 ? storage::RiskMedium : storage::RiskSmall);
    rate(form, adults, storage::RiskForbidden, juveniles);
}

// ---- Moderate microclimate -------------------------------------------------------------------

void EvaluateModerateMicroclimate(TFormAccess &form, const QString &)
{
    double pmv = 0;
    // Outside the range the index is not rated at all.
    const int r = ReadNumber(form, Pmv, pmv) && std::fabs(pmv) <= 2 ? storage::RiskSmall : storage::RiskNotDetermined;
    if (r == storage::RiskNotDetermined)
        form.ReportInvalidField(Pmv, QStringLiteral("wskaźnik PMV musi być liczbą od -2 do 2"));
    rate(form, r, r, r);
}

// ---- Cold microclimate -----------------------------------------------------------------------

void EvaluateColdMicroclimate1(TFormAccess &form, const QString &fieldName)
{
    if (fieldName == Measured)
        writeMultiple(form, Multiple, Measured, Permitted, Notation::Fixed2);
    else if (fieldName == Permitted)
        followPermitted(form, Multiple, Measured, Notation::Fixed2);

    double m = 0, d = 0;
    if (!ReadNumberOrReport(form, Measured, m, reason::Number()) || !readColdPermitted(form, d)) {
        RateNotDetermined(form);
        return;
    }
    const int adults = m >= d ? storage::RiskLarge : (m > 1200 ? storage::RiskMedium : storage::RiskSmall);
    rate(form, adults, storage::RiskForbidden, storage::RiskForbidden);
}

void EvaluateColdMicroclimate2(TFormAccess &form, const QString &fieldName)
{
    if (fieldName == OutdoorBox) {
        const bool outdoor = ticked(form, OutdoorBox);
        if (!outdoor) {
            form.SetFieldValue(Measured, QStringLiteral("0"));
            form.SetFieldValue(CoolingMultiple, QStringLiteral("0"));
        }
        SetFieldsEnabled(form, outdoorFields2(), outdoor);
    }
    recomputeClothingMultiple(form, fieldName);
    if (fieldName == Measured)
        writeMultiple(form, CoolingMultiple, Measured, Permitted, Notation::Fixed2);
    else if (fieldName == Permitted)
        followPermitted(form, CoolingMultiple, Measured, Notation::Fixed2);

    // Work indoors is small as far as the cooling index goes, whatever the zeroed fields say.
    int outdoor = storage::RiskSmall;
    bool known = true;
    if (ticked(form, OutdoorBox)) {
        double m = 0, d = 0;
        known = ReadNumberOrReport(form, Measured, m, reason::Number()) && readColdPermitted(form, d);
        if (known)
            outdoor = m >= d ? storage::RiskLarge : (m > 600 ? storage::RiskMedium : storage::RiskSmall);
    }
    rateCold(form, known, outdoor);
}

double WindChillTemperature(double ta, double va)
{
    const double p = std::pow(va, 0.16);
    double twc = std::nearbyint(13.12 + 0.6215 * ta - 11.37 * p + 0.3965 * ta * p);
    if (ta < twc)
        twc = ta;
    return twc == 0 ? 0.0 : twc;
}

QString AllowedExposureTime(float twc)
{
    if (std::isnan(twc))
        return QString();
    if (twc > -24.0f)
        return QStringLiteral("Eksp. ciągła");
    if (twc > -34.0f)
        return storage::FormatSignificant(0, 50.0f * twc + 1730.0f);
    if (twc > -59.0f)
        return storage::FormatSignificant(0, 0.8333f * twc + 59.167f);
    return QStringLiteral("Eksp. zabroniona");
}

void SetEditTextQuiet(TFormAccess &form, const QString &name, const QString &text)
{
    form.SetFieldText(name, text);
}

bool ComputeWindChill(TFormAccess &form)
{
    double ta = 0, va = 0;
    if (!windChillInputs(form, ta, va)) {
        // What is shown always derives from the temperature and speed shown beside it.
        form.SetFieldValue(Measured, QString());
        form.SetFieldValue(WindChillMultiple, QString());
        SetEditTextQuiet(form, ExposureTime, QString());
        return false;
    }
    const double twc = WindChillTemperature(ta, va);
    form.SetFieldValue(Measured, storage::FormatMeasuredValue(twc));
    writeMultiple(form, WindChillMultiple, Measured, Permitted, Notation::Fixed2, true);
    SetEditTextQuiet(form, ExposureTime, AllowedExposureTime(Single(twc)));
    return true;
}

void EvaluateColdMicroclimate3(TFormAccess &form, const QString &fieldName)
{
    if (fieldName == OutdoorBox) {
        const bool outdoor = ticked(form, OutdoorBox);
        if (!outdoor) {
            form.SetFieldValue(Measured, QStringLiteral("0"));
            form.SetFieldValue(WindChillMultiple, QStringLiteral("0"));
            form.SetFieldValue(WindSpeed, QStringLiteral("0"));
            form.SetFieldValue(AirTemperature, QStringLiteral("0"));
            // Stored as well: the measurement never keeps an allowed time of a wind chill
            // no longer shown.
            SetEditTextQuiet(form, ExposureTime, QStringLiteral(" "));
        }
        SetFieldsEnabled(form, outdoorFields3(), outdoor);
    }
    recomputeClothingMultiple(form, fieldName);
    if (fieldName == AirTemperature) {
        double ta = 0;
        if (ReadNumber(form, AirTemperature, ta) && ta >= 10) {
            // The wind chill is defined for cold air only: back to the temperature, and the
            // ratings shown stay as they were.
            form.ShowWarning(QString::fromUtf8(AirTooWarm));
            form.FocusField(AirTemperature);
            return;
        }
        ComputeWindChill(form);
    } else if (fieldName == WindSpeed) {
        ComputeWindChill(form);
    } else if (fieldName == Permitted) {
        followPermitted(form, WindChillMultiple, Measured, Notation::Fixed2, true);
    }

    int outdoor = storage::RiskSmall;
    bool known = true;
    if (ticked(form, OutdoorBox)) {
        double ta = 0, va = 0, twc = 0, d = 0;
        known = windChillInputsOrReport(form, ta, va) && ReadNumberOrReport(form, Measured, twc, reason::Number()) &&
                readColdPermitted(form, d, true);
        if (known)
            outdoor = twc <= d ? storage::RiskLarge : (twc < -10 ? storage::RiskMedium : storage::RiskSmall);
    }
    rateCold(form, known, outdoor);
}

// ---- The family ------------------------------------------------------------------------------

void EvaluateMicroclimateForm(TFormAccess &form, const QString &fieldName)
{
    const QString name = form.FormName();
    if (name == HotName)
        EvaluateHotMicroclimate(form, fieldName);
    else if (name == ModerateName)
        EvaluateModerateMicroclimate(form, fieldName);
    else if (name == Cold1Name)
        EvaluateColdMicroclimate1(form, fieldName);
    else if (name == Cold2Name)
        EvaluateColdMicroclimate2(form, fieldName);
    else if (name == Cold3Name)
        EvaluateColdMicroclimate3(form, fieldName);
}

void RegisterMicroclimateRules()
{
    RegisterRuleFamily(RuleFamily::Microclimate, EvaluateMicroclimateForm);

    TRuleFields hot;
    hot.Edited = {Measured};
    hot.Computed = {Permitted, Multiple};
    hot.Other = {ClassCombo, AcclimatisationCombo, AirMovementCombo};
    RegisterRuleFields(HotName, hot);

    TRuleFields moderate;
    moderate.Edited = {Pmv};
    RegisterRuleFields(ModerateName, moderate);

    TRuleFields cold1;
    cold1.Edited = {Measured, Permitted};
    cold1.Computed = {Multiple};
    RegisterRuleFields(Cold1Name, cold1);

    const QStringList clothing = {ClothingWorn, ClothingMinimum, ClothingNeutral};
    TRuleFields cold2;
    cold2.Edited = clothing + QStringList{Measured, Permitted};
    cold2.Computed = {Multiple, CoolingMultiple};
    cold2.Other = QStringList{OutdoorBox} + outdoorFields2().filter(QStringLiteral("lb_"));
    RegisterRuleFields(Cold2Name, cold2);

    TRuleFields cold3;
    cold3.Edited = clothing + QStringList{AirTemperature, WindSpeed, Permitted};
    cold3.Computed = {Multiple, Measured, WindChillMultiple};
    cold3.Other = QStringList{OutdoorBox, ExposureTime} + outdoorFields3().filter(QStringLiteral("lb_"));
    RegisterRuleFields(Cold3Name, cold3);
}

} // namespace assessment::rules
