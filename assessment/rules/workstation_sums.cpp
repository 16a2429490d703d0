#include "assessment/rules/workstation_sums.h"

#include "assessment/rules/evaluation_dispatch.h"
#include "assessment/rules/rating_handover.h"
#include "storage/factors.h"
#include "storage/formatting.h"
#include "storage/measurements.h"
#include "storage/workstation_files.h"

#include <climits>
#include <cmath>

namespace assessment::rules {

QString ConcentrationMultiple(const QString &measured, const QString &limit)
{
    double m = 0;
    // "0" in front: an empty field reads as 0 and ".5" as 0.5; a sign makes it no number.
    if (!ParseNumber(QLatin1Char('0') + measured.trimmed(), m))
        return QString();
    double d = 0;
    if (!limit.trimmed().isEmpty() && !ParseNumber(limit, d))
        return QString();
    if (m == 0 || d < 0)
        return QStringLiteral("0");
    if (d == 0)
        return QString();
    const double q = m / d;
    if (!std::isfinite(q))
        return QString();
    return storage::FormatMeasuredValue(q);
}

QString ConcentrationMultiple(TFormAccess &form, const QString &measuredField, const QString &permittedField)
{
    return ConcentrationMultiple(form.GetFieldValue(measuredField), form.GetFieldValue(permittedField));
}

namespace {

// Names the field that leaves the multiple of c unknown (see ConcentrationMultiple); false
// when the multiple is known or nothing in the form explains it.
bool reportUnknownConcentration(TFormAccess &form, const TQuotientDef &c)
{
    double v = 0;
    if (RecordMultiple(form.GetFieldValue(c.multiple), v))
        return false;
    double measured = 0;
    if (!ParseNumber(QLatin1Char('0') + form.GetFieldValue(c.measured).trimmed(), measured)) {
        form.ReportInvalidField(c.measured, reason::Measured());
        return true;
    }
    double limit = 0;
    const QString limitText = form.GetFieldValue(c.permitted);
    if (measured != 0 && (limitText.trimmed().isEmpty() || !ParseNumber(limitText, limit) || limit == 0)) {
        form.ReportInvalidField(c.permitted, reason::Permitted());
        return true;
    }
    return false;
}

} // namespace

void RateConcentrations(TFormAccess &form, bool rated, const TGroupRatings &ratings,
                        const QList<TQuotientDef> &concentrations)
{
    TGroupRatings r = ratings;
    if (!rated) {
        for (const TQuotientDef &c : concentrations)
            if (reportUnknownConcentration(form, c))
                break;
        r = {};
    }
    form.SetRiskAssessment(r);
}

bool RecordMultiple(const QString &text, double &value)
{
    double v = 0;
    if (text.trimmed().isEmpty() || !ParseNumber(text, v) || v < 0)
        return false;
    value = v;
    return true;
}

bool RecordTypeBits(const QString &text, int &bits)
{
    if (text.trimmed().isEmpty()) {
        bits = 0;
        return true;
    }
    double v = 0;
    if (!ParseNumber(text, v) || v < 0 || v > INT_MAX)
        return false;
    bits = static_cast<int>(std::ceil(v));
    return true;
}

namespace {

// The measurement of f on date, or nullptr.
storage::TPomiarCzynn *measurementOn(const storage::TCzynnik &f, const QString &date)
{
    const int index = storage::FindMeasurementByDate(f.Measurements, date);
    return index >= 0 ? f.Measurements[static_cast<size_t>(index)].get() : nullptr;
}

bool isMark(const storage::TPomiar &p)
{
    return p.nazwa().contains(QLatin1String("cbSumNDS"));
}

} // namespace

void SumOverWorkstation(TFormAccess &form, const TSumFamily &family, bool includeCurrent)
{
    const TShownMeasurement shown = form.ShownMeasurement();
    if (!shown.IsSet())
        return;
    const int selectedId = shown.factor->id;
    auto summed = [&family](const storage::TCzynnik *f) {
        return f && f->ident == family.ident && !f->Measurements.empty();
    };

    double sum = 0;
    float singleSum = 0;
    for (const storage::TFactorEntry &e : shown.workstation->Factors) {
        const storage::TCzynnik *f = e.factor.get();
        if (!summed(f) || (!includeCurrent && f->id == selectedId))
            continue;
        const storage::TPomiarCzynn *m = measurementOn(*f, shown.date);
        if (!m || !TakesPartInSums(*m))
            continue;
        const storage::TPomiar *p = storage::FindField(m->Fields, family.multipleName);
        double v = 0;
        if (!p || !RecordMultiple(p->Value, v))
            continue;
        sum += v;
        singleSum += static_cast<float>(v);
    }
    const QString text = storage::FormatMeasuredValue(family.singlePrecision ? static_cast<double>(singleSum) : sum);

    for (const storage::TFactorEntry &e : shown.workstation->Factors) {
        const storage::TCzynnik *f = e.factor.get();
        if (!summed(f))
            continue;
        storage::TPomiarCzynn *m = measurementOn(*f, shown.date);
        if (!m)
            continue;
        bool marked = false;
        bool sumWritten = false;
        for (const std::unique_ptr<storage::TPomiar> &p : m->Fields) {
            if (isMark(*p)) {
                marked = marked || p->Value == QLatin1String("True");
            } else if (marked && p->nazwa() == QLatin1String("SumNDS")) {
                p->Value = text;
                sumWritten = true;
            }
        }
        if (!marked || f->id == selectedId)
            continue;
        TGroupRatings r{};
        const QString recordSum = !family.sumOnlyWithField || sumWritten ? text : QStringLiteral("0");
        if (!family.rate || !family.rate(*m, recordSum, r))
            r = {};
        // As the measurement window rates the measurement it shows: the groups employed in
        // its year decide the combined rating, and the final one follows it.
        RateMeasurement(*m, r, shown.workstation);
    }

    const QString box = QStringLiteral("ch_cbSumNDS");
    form.SetFieldValue(QStringLiteral("ed_SumNDS"),
                       form.GetFieldValue(box) == QLatin1String("True") ? text : QStringLiteral("0"));
}

void RegisterSumOfGroup(const QString &ident, void (*sum)(TFormAccess &, bool),
                        void (*rule)(TFormAccess &, const QString &))
{
    RegisterWorkstationSum(ident, [sum, rule](TFormAccess &form, bool includeCurrent) {
        const QString box = QStringLiteral("ch_cbSumNDS");
        if (includeCurrent && form.GetFieldValue(box) == QLatin1String("True"))
            rule(form, box); // sums the new date and rates the measurement with it
        else
            sum(form, includeCurrent);
    });
}

} // namespace assessment::rules
