#include "assessment/rules/laser.h"

#include "assessment/rules/evaluation_dispatch.h"
#include "assessment/rules/laser_mde.h"
#include "assessment/rules/radiation_common.h"
#include "assessment/rules/rating_handover.h"
#include "assessment/rules/rule_numbers.h"
#include "assessment/rules/rule_registry.h"
#include "storage/formatting.h"

#include <algorithm>
#include <cmath>

namespace assessment::rules {

namespace {

const QString Form1Name = QStringLiteral("prm_laser_Pomiar_01");
const QString Form2Name = QStringLiteral("prm_laser_Pomiar_02");

const QString TargetCombo = QStringLiteral("cb_cDzialanie");
const QString EmissionCombo = QStringLiteral("cb_cPromieniowanie");
const QString Wavelength = QStringLiteral("ed_DlugFal");
const QString PulseDuration = QStringLiteral("ed_CzasImp");
const QString Measured = QStringLiteral("ed_WartZm");
const QString Permitted = QStringLiteral("ed_WartDop");
const QString Multiple = QStringLiteral("ed_Krotn");
const QString Quantity = QStringLiteral("lParam"); // header: the caption names the quantity

// Form 1
const QString SourceItem = QStringLiteral("cZrodlo");
const QString SourceCombo = QStringLiteral("cb_cZrodlo");
const QString ExposureTime = QStringLiteral("ed_CzasEksp");
const QString Pulses = QStringLiteral("ed_LiczImp");
const QString MeanExposure = QStringLiteral("ed_SrEksp");
const QString HighestPulse = QStringLiteral("ed_ImpMaks");

// Form 2
const QString Alpha = QStringLiteral("ed_KatAlfa");
const QString Frequency = QStringLiteral("ed_CzestPracy");
const QString SingleTime = QStringLiteral("ed_JednCzasEksp");
const QString TotalTime = QStringLiteral("ed_CalkCzasEksp");

const QStringList &pulseFields()
{
    static const QStringList names = {QStringLiteral("lb_lCzestPracy"), QStringLiteral("lb_lCzasImp"), Frequency,
                                      PulseDuration};
    return names;
}
const QStringList &alphaFields()
{
    static const QStringList names = {QStringLiteral("lb_lKatAlfa"), Alpha};
    return names;
}
const QStringList &totalTimeFields()
{
    static const QStringList names = {QStringLiteral("lb_lCalkCzasEksp"), TotalTime};
    return names;
}

QString rowField(const char *stem, int row)
{
    return QLatin1String(stem) + QString::number(row);
}

const char *const TimeTooLong = "Czas ekspozycji nie może być większy niż 3e4 s";
const char *const TimeTooLongTitle = "Nieprawidłowy czas ekspozycji";
const char *const WavelengthOutside = "Długość fali musi być z zakresu od 180 do 1e6 nm";
const char *const WavelengthOutsideTitle = "Nieprawidłowa długość fali";
const char *const NoPulses = "Liczba impulsów musi być większa od 0 ";
const char *const NoPulsesTitle = "Nieprawidłowa liczba impólsów";
const char *const TotalBelowSingle =
    "Uwaga niepoprawne dane:\r\nCałkowity czas ekspozycji mniejszy od jednorazowego czasu ekspozycji !!!";

// Full precision: the form shows it as FormatMeasuredValue makes it.
QString numberText(double v)
{
    return GeneralText(v == 0 ? 0.0 : v, 15);
}

// ---- Form 1 ------------------------------------------------------------------------------------

// The check of the field left; false (after the message, the focus back in the field) when
// the value may not be used.
bool checkField(TFormAccess &form, const QString &fieldName)
{
    double v = 0;
    const char *text = nullptr;
    const char *title = nullptr;
    if (fieldName == ExposureTime && ReadNumber(form, fieldName, v) && v > 30000) {
        text = TimeTooLong;
        title = TimeTooLongTitle;
    } else if (fieldName == Wavelength && ReadNumber(form, fieldName, v) && (v < 180 || v > 1000000)) {
        text = WavelengthOutside;
        title = WavelengthOutsideTitle;
    } else if (fieldName == Pulses && ReadNumber(form, fieldName, v) && v <= 0) {
        text = NoPulses;
        title = NoPulsesTitle;
    }
    if (!text)
        return true;
    form.ShowError(QString::fromUtf8(text), QString::fromUtf8(title));
    form.FocusField(fieldName);
    return false;
}

// The header caption of each kind: 1 radiant exposure, 2 irradiance, 3 radiance,
// 4 integrated radiance.
int quantityCaption(quint8 kind)
{
    switch (kind) {
    case KindIrradiance:
        return 2;
    case KindRadiantExposure:
        return 1;
    case KindRadiance:
        return 3;
    default:
        return 4;
    }
}

// m at least fraction·d; the tolerance keeps a value typed as exactly that product on the
// boundary, whatever the binary rounding of the product.
bool atLeast(double m, double fraction, double d)
{
    return m >= fraction * d - 1e-9 * std::fabs(d);
}

// All four groups on the values shown: above the permitted value large, from 0.8 of it
// medium, else small.
void rate1(TFormAccess &form)
{
    double m = 0, d = 0;
    if (!ReadNumber(form, Measured, m) || !ReadNumber(form, Permitted, d) || m < 0 || d <= 0) {
        // The measured value is left unknown only by a mean exposure that cannot be used.
        if (!ReadNonNegativeNumber(form, Measured, m))
            form.ReportInvalidField(MeanExposure, reason::Measured());
        RateNotDetermined(form);
        return;
    }
    RateAllGroups(form, m > d ? storage::RiskLarge : atLeast(m, 0.8, d) ? storage::RiskMedium : storage::RiskSmall);
}

// The permitted value and the measured value that goes with it; false when either cannot be
// had from what the form holds.
bool laser1Values(TFormAccess &form, TWartDop &permitted, double &measured, bool &measuredKnown)
{
    const int emission = ReadChoiceOrReport(form, EmissionCombo);
    const int target = emission < 0 ? -1 : ReadChoiceOrReport(form, TargetCombo);
    const int source = target == 0 ? ReadChoiceOrReport(form, SourceCombo) : ReadChoice(form, SourceCombo);
    double lambda = 0, t = 0;
    if (emission < 0 || target < 0 || (target == 0 && source < 0) ||
        !ReadNumberOrReport(form, Wavelength, lambda, reason::Number()) ||
        !ReadNumberOrReport(form, ExposureTime, t, reason::Number()))
        return false;
    if (emission == 0) {
        // Continuous emission: the whole exposure against the mean exposure, whatever was
        // typed into the pulse fields before.
        permitted = LaserMde(target, source, t, lambda);
        measuredKnown = ReadNonNegativeNumber(form, MeanExposure, measured);
        return permitted.Found();
    }
    double tp = 0, pulses = 0, mean = 0, highest = 0;
    if (!ReadNumberOrReport(form, PulseDuration, tp, reason::Number()) ||
        !ReadNonNegativeOrReport(form, MeanExposure, mean, reason::Measured()) ||
        !ReadNonNegativeOrReport(form, HighestPulse, highest, reason::Measured()))
        return false;
    if (!ReadNumber(form, Pulses, pulses))
        pulses = 0; // needed only where the pulse train counts
    const TLaserPulsed pulsed = LaserMdePulsed(target, source, lambda, t, tp, pulses, mean, highest);
    permitted = pulsed.Permitted;
    measured = pulsed.Measured;
    measuredKnown = true;
    return permitted.Found();
}

// ---- Form 2 ------------------------------------------------------------------------------------

constexpr int RowCount = 3;

struct RowResult
{
    TWartDop permitted;
    double measured = 0;
};

// A value of the kind the permitted value is, from an irradiance over a time.
double fromIrradiance(double e, double time, quint8 kind)
{
    return kind == KindRadiantExposure ? e * time : e;
}

// A value of the kind the permitted value is, from a radiant exposure over a time.
double fromExposure(double h, double time, quint8 kind)
{
    return kind == KindIrradiance ? h / time : h;
}

// The radiant exposure a permitted value stands for over a time.
double asExposure(const TWartDop &r, double time)
{
    return r.Kind == KindIrradiance ? double(r.Value) * time : double(r.Value);
}

// The pulse train: the whole single exposure (its limit shared out over its pulses) against
// one pulse of the group (its limit times pulses^-0.25), whichever allows less per pulse.
// The measured value is the radiant exposure of one pulse.
RowResult pulseTrain(int target, double lambda, double alpha, double frequency, double tp, double t1, double pulse)
{
    RowResult r;
    double n = frequency * t1;
    if (!(n > 0) || !(tp > 0) || !(t1 > 0))
        return r;
    n = std::max(n, 1.0); // at least the one pulse
    const double tMin = std::max(tp, LaserMinTime(lambda));
    const TWartDop whole = ComputeLaserMde(target, lambda, alpha, t1, LaserEffect::Thermal);
    TWartDop group = ComputeLaserMde(target, lambda, alpha, tMin, LaserEffect::Thermal);
    if (!whole.Found() || !group.Found())
        return r;
    group.Value = static_cast<float>(group.Value * std::pow(n, -0.25));
    if (asExposure(whole, t1) / n <= asExposure(group, tMin)) {
        r.permitted = whole;
        r.measured = fromExposure(pulse * n, t1, whole.Kind);
    } else {
        r.permitted = group;
        r.measured = fromExposure(pulse, tMin, group.Kind);
    }
    return r;
}

void writeRow(TFormAccess &form, int row, LaserRow role, double lambda, const RowResult &r, bool measuredKnown)
{
    form.SetFieldValue(rowField("ed_WartDop", row), numberText(r.permitted.Value));
    if (measuredKnown)
        form.SetFieldValue(rowField("ed_WartZm", row), numberText(r.measured));
    // The multiple of the values as shown.
    double m = 0, d = 0;
    QString multiple = QStringLiteral("0");
    if (measuredKnown && ReadNumber(form, rowField("ed_WartZm", row), m) &&
        ReadNumber(form, rowField("ed_WartDop", row), d) && d > 0 && std::isfinite(m / d))
        multiple = numberText(m / d);
    form.SetFieldValue(rowField("ed_Krotn", row), multiple);

    const QString caption = LaserParamCaption(role, lambda, r.permitted.Kind);
    const qsizetype variant = LaserRowCaptions().indexOf(caption);
    if (variant >= 0)
        form.SetHeaderChoice(rowField("lParam", row), int(variant) + 1);
    else
        form.SetFieldValue(QStringLiteral("lb_") + rowField("lParam", row), caption);
}

// Men, women and pregnant women on the highest multiple of the rows with a permitted value,
// compared in single precision; juveniles may not do this work.
void rate2(TFormAccess &form, bool determined)
{
    int code = storage::RiskNotDetermined;
    if (determined) {
        float highest = -1;
        for (int row = 1; row <= RowCount; ++row) {
            double d = 0, k = 0;
            if (!ReadNumber(form, rowField("ed_WartDop", row), d) || d == 0)
                continue;
            if (!ReadNumber(form, rowField("ed_Krotn", row), k)) {
                highest = -1;
                break;
            }
            highest = std::max(highest, Single(k));
        }
        if (highest >= 0)
            code = highest > 1.0f ? storage::RiskLarge : highest >= 0.8f ? storage::RiskMedium : storage::RiskSmall;
    }
    RateWithJuvenilesForbidden(form, code, code);
}

} // namespace

// ---- Form 1 ------------------------------------------------------------------------------------

void EvaluateLaser1(TFormAccess &form, const QString &fieldName)
{
    if (!checkField(form, fieldName))
        return;
    if (fieldName == TargetCombo)
        form.SetComboChoice(SourceItem, ReadChoice(form, TargetCombo) + 1);

    static const QStringList exposureFields = {EmissionCombo, TargetCombo, ExposureTime, Wavelength, SourceCombo};
    static const QStringList pulseFieldsLeft = {MeanExposure, Pulses, PulseDuration, HighestPulse};
    if (!exposureFields.contains(fieldName) && !pulseFieldsLeft.contains(fieldName))
        return;

    TWartDop permitted;
    double measured = 0;
    bool measuredKnown = false;
    if (!laser1Values(form, permitted, measured, measuredKnown)) {
        // No certain value: what is shown stays, and nothing is rated on it.
        RateNotDetermined(form);
        return;
    }
    form.SetFieldValue(Measured, measuredKnown ? GeneralText(measured, 4) : QString());
    form.SetFieldValue(Permitted, GeneralText(permitted.Value, 4));
    double m = 0, d = 0;
    QString multiple = QStringLiteral("0");
    if (ReadNumber(form, Measured, m) && ReadNumber(form, Permitted, d) && d > 0)
        multiple = GeneralText(m / d, 4);
    form.SetFieldValue(Multiple, multiple);
    form.SetHeaderChoice(Quantity, quantityCaption(permitted.Kind));
    rate1(form);
}

// ---- Form 2 ------------------------------------------------------------------------------------

QString LaserParamCaption(LaserRow row, double lambda, quint8 kind)
{
    const bool photochemicalRange = lambda >= 180 && lambda <= 600;
    QString caption;
    switch (row) {
    case LaserRow::Thermal:
        caption = QStringLiteral("termiczne ");
        break;
    case LaserRow::Photochemical:
        if (photochemicalRange)
            caption = QStringLiteral("fotochemiczne ");
        break;
    case LaserRow::SinglePulse:
        caption = QStringLiteral("termiczne ") + QStringLiteral("- pojedynczy impuls");
        break;
    case LaserRow::PulseTrain:
        caption = QStringLiteral("termiczne ") + QString::fromUtf8("- grupa impulsów");
        break;
    case LaserRow::PulsedPhotochemical:
        if (photochemicalRange)
            caption = QStringLiteral("fotochemiczne");
        break;
    }
    // The rows hold irradiances and radiant exposures only: "E [W/m2]", "N [J/m2]".
    if (!caption.isEmpty() && (kind == KindIrradiance || kind == KindRadiantExposure)) {
        const TWartDop quantity = LaserRecord(0, kind);
        caption += QStringLiteral(" - ") + quantity.Symbol + QStringLiteral(" [") + quantity.Unit + QLatin1Char(']');
    }
    return caption;
}

const QStringList &LaserRowCaptions()
{
    static const QStringList captions = [] {
        QStringList c{QString()};
        for (LaserRow row : {LaserRow::Thermal, LaserRow::Photochemical, LaserRow::SinglePulse, LaserRow::PulseTrain,
                             LaserRow::PulsedPhotochemical})
            for (quint8 kind : {KindIrradiance, KindRadiantExposure})
                c << LaserParamCaption(row, 500, kind);
        return c;
    }();
    return captions;
}

bool FillLaserRows(TFormAccess &form)
{
    for (int row = 1; row <= RowCount; ++row)
        form.SetHeaderChoice(rowField("lParam", row), 1);
    for (int row = 1; row <= RowCount; ++row) {
        for (const char *stem : {"ed_WartDop", "ed_WartZm", "ed_Krotn"})
            form.SetFieldValue(rowField(stem, row), QStringLiteral("0"));
    }

    // The first field that keeps the rows from being filled is named; the ratings follow.
    const int emission = ReadChoiceOrReport(form, EmissionCombo);
    const int target = emission < 0 ? -1 : ReadChoiceOrReport(form, TargetCombo);
    double lambda = 0, alpha = 0, frequency = 0, tp = 0, t1 = 0, total = 0, m = 0;
    auto amount = [&form](const QString &name, double &value) {
        return ReadNumberZeroPrefixedOrReport(form, name, value, reason::NotNegative());
    };
    if (emission < 0 || (target != 0 && target != 1) ||
        !ReadNumberOrReport(form, Wavelength, lambda, reason::Number()) || !amount(Alpha, alpha) ||
        !amount(Frequency, frequency) || !amount(PulseDuration, tp) || !amount(SingleTime, t1) ||
        !amount(TotalTime, total))
        return false;
    // Continuous emission is measured as an irradiance, pulsed emission as the radiant
    // exposure of one pulse.
    const bool measuredKnown = ReadNonNegativeNumber(form, Measured, m);
    const bool photochemical = lambda < 600;

    struct Planned
    {
        LaserRow role;
        RowResult result;
    };
    QList<Planned> rows;
    if (emission == 0) {
        RowResult single;
        single.permitted = ComputeLaserMde(target, lambda, alpha, t1, LaserEffect::Thermal);
        single.measured = fromIrradiance(m, t1, single.permitted.Kind);
        rows << Planned{LaserRow::Thermal, single};
        if (photochemical) {
            RowResult whole;
            whole.permitted = ComputeLaserMde(target, lambda, alpha, total, LaserEffect::Photochemical);
            whole.measured = fromIrradiance(m, total, whole.permitted.Kind);
            rows << Planned{LaserRow::Photochemical, whole};
        }
    } else {
        RowResult pulse;
        pulse.permitted = ComputeLaserMde(target, lambda, alpha, tp, LaserEffect::Thermal);
        pulse.measured = fromExposure(m, tp, pulse.permitted.Kind);
        rows << Planned{LaserRow::SinglePulse, pulse};
        rows << Planned{LaserRow::PulseTrain, pulseTrain(target, lambda, alpha, frequency, tp, t1, m)};
        if (photochemical) {
            // The mean irradiance of the pulses over the working time.
            RowResult whole;
            whole.permitted = ComputeLaserMde(target, lambda, alpha, total, LaserEffect::Photochemical);
            whole.measured = fromIrradiance(m * frequency, total, whole.permitted.Kind);
            rows << Planned{LaserRow::PulsedPhotochemical, whole};
        }
    }

    bool complete = measuredKnown;
    for (int i = 0; i < rows.size(); ++i) {
        const RowResult &r = rows[i].result;
        if (!r.permitted.Found() || !(r.permitted.Value > 0) || !std::isfinite(r.measured)) {
            complete = false;
            continue;
        }
        writeRow(form, i + 1, rows[i].role, lambda, r, measuredKnown);
    }
    // Named after the rows are written: a row written may evaluate the form once more.
    if (!measuredKnown)
        form.ReportInvalidField(Measured, reason::Measured());
    return complete;
}

void EvaluateLaser2(TFormAccess &form, const QString &fieldName)
{
    const int target = ReadChoice(form, TargetCombo);
    double lambda = 0;
    ReadNumberZeroPrefixed(form, Wavelength, lambda);
    const bool alphaMatters = lambda >= 400 && lambda <= 1400;

    if (fieldName == EmissionCombo) {
        const int emission = ReadChoice(form, EmissionCombo);
        if (emission == 0) {
            form.SetFieldValue(Frequency, QStringLiteral("0"));
            form.SetFieldValue(PulseDuration, QStringLiteral("0"));
            form.SetHeaderChoice(Quantity, 1);
            SetFieldsEnabled(form, pulseFields(), false);
        } else if (emission > 0) {
            form.SetHeaderChoice(Quantity, 2);
            SetFieldsEnabled(form, pulseFields(), true);
        }
    } else if (fieldName == TargetCombo) {
        if (target == 0) {
            form.SetFieldValue(Alpha, QStringLiteral("0"));
            SetFieldsEnabled(form, alphaFields(), false);
        } else if (target == 1) {
            SetFieldsEnabled(form, alphaFields(), alphaMatters);
        }
    } else if (fieldName == Wavelength) {
        // The source's angle counts for the eye only, as the target switch has it.
        const bool alphaOn = alphaMatters && target == 1;
        if (!alphaOn)
            form.SetFieldValue(Alpha, QStringLiteral("0"));
        SetFieldsEnabled(form, alphaFields(), alphaOn);
        const bool totalOn = lambda < 600;
        if (!totalOn)
            form.SetFieldValue(TotalTime, QStringLiteral("0"));
        SetFieldsEnabled(form, totalTimeFields(), totalOn);
    } else if (fieldName == TotalTime) {
        double single = 0, total = 0;
        if (ReadNumberZeroPrefixed(form, SingleTime, single) && ReadNumberZeroPrefixed(form, TotalTime, total) &&
            total < single)
            form.ShowWarning(QString::fromUtf8(TotalBelowSingle).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    }

    rate2(form, FillLaserRows(form));
}

// ---- The family --------------------------------------------------------------------------------

void EvaluateLaserForm(TFormAccess &form, const QString &fieldName)
{
    const QString name = form.FormName();
    if (name == Form1Name)
        EvaluateLaser1(form, fieldName);
    else if (name == Form2Name)
        EvaluateLaser2(form, fieldName);
}

void RegisterLaserRules()
{
    RegisterRuleFamily(RuleFamily::Laser, EvaluateLaserForm);

    TRuleFields form1;
    form1.Edited = {Wavelength, ExposureTime, Pulses, PulseDuration, MeanExposure, HighestPulse};
    form1.Computed = {Measured, Permitted, Multiple};
    form1.Other = {TargetCombo, SourceCombo, EmissionCombo, QStringLiteral("lb_") + Quantity};
    RegisterRuleFields(Form1Name, form1);

    TRuleFields form2;
    form2.Edited = {Wavelength, Alpha, Frequency, PulseDuration, SingleTime, TotalTime, Measured};
    for (int row = 1; row <= RowCount; ++row) {
        form2.Computed << rowField("ed_WartZm", row) << rowField("ed_WartDop", row) << rowField("ed_Krotn", row);
        form2.Other << QStringLiteral("lb_") + rowField("lParam", row);
    }
    form2.Other << EmissionCombo << TargetCombo << QStringLiteral("lb_") + Quantity;
    form2.Other << pulseFields().filter(QStringLiteral("lb_")) << alphaFields().filter(QStringLiteral("lb_"))
                << totalTimeFields().filter(QStringLiteral("lb_"));
    RegisterRuleFields(Form2Name, form2);
}

} // namespace assessment::rules
