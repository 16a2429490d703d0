#include "assessment/rules/lighting.h"

#include "assessment/rules/evaluation_dispatch.h"
#include "assessment/rules/rating_handover.h"
#include "assessment/rules/rule_numbers.h"
#include "assessment/rules/rule_registry.h"
#include "storage/formatting.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace assessment::rules {

namespace {

// Class limits such as "Q - 0.1" are not exact in binary: 0.4 - 0.1 lies just above 0.3.
// Values a user typed as equal to a limit count as reaching it.
constexpr double Tolerance = 1e-9;

bool atLeast(double value, double limit)
{
    return value >= limit - Tolerance;
}

bool same(double a, double b)
{
    return std::fabs(a - b) <= Tolerance;
}

// A field read the way the lighting rules read: "0" in front, so an empty field is 0; a
// text that is then no number (a sign, a word) counts as 0 too, that is as not given.
double valueOf(TFormAccess &form, const QString &name)
{
    double v = 0;
    return ReadNumberZeroPrefixed(form, name, v) ? v : 0.0;
}

// The class of a value of which more is better: small risk from smallFrom up, medium from
// mediumFrom, large below.
int classOfShortfall(double value, double smallFrom, double mediumFrom)
{
    if (atLeast(value, smallFrom))
        return storage::RiskSmall;
    if (atLeast(value, mediumFrom))
        return storage::RiskMedium;
    return storage::RiskLarge;
}

// Every group rated with code; when it stays not determined, field is named as the one to
// put right, with why.
void rateAll(TFormAccess &form, int code, const QString &field, const QString &why)
{
    if (code == storage::RiskNotDetermined)
        form.ReportInvalidField(field, why);
    RateAllGroups(form, code);
}

const QString Zero = QStringLiteral("0");

// ---- Field names -------------------------------------------------------------------------------

const QString IllumRequired = QStringLiteral("ed_RodzWnetrzaNWymagany");
const QString IllumTaskMeasured = QStringLiteral("ed_ZmierzonePoleZad");
const QString IllumSurrMeasured = QStringLiteral("ed_ZmierzonePoleOtocz");
const QString IllumSurrRequired = QStringLiteral("ed_EksplPoleOtocz");
const QString TaskMultiple = QStringLiteral("ed_KrotnPoleZad");
const QString SurrMultiple = QStringLiteral("ed_KrotnPoleOtocz");

const QString GlareMeasured = QStringLiteral("ed_ZmierzoneLumin");
const QString GlareLimit = QStringLiteral("ed_GranLumin");
const QString Multiple = QStringLiteral("ed_Krotnosc");

const QString UnifTaskComputed = QStringLiteral("ed_WyliczonaPoleZad");
const QString UnifTaskRequired = QStringLiteral("ed_WymaganaPoleZad");
const QString UnifSurrComputed = QStringLiteral("ed_WyliczonaPoleOtocz");
const QString UnifSurrRequired = QStringLiteral("ed_WymaganaPoleOtocz");
const QString UnifRequired = QStringLiteral("ed_RodzWnetrzaRWymagany");

const QString RaRequired = QStringLiteral("ed_RodzWnetrzaBWymagany");
const QString RaDetermined = QStringLiteral("ed_Wyznaczony");

const QString MachineKind = QStringLiteral("cb_RodzMasz");
const QString Effect = QStringLiteral("cb_Efekt");

// ---- Messages ---------------------------------------------------------------------------------

const QString ChooseOrType = QStringLiteral("\n\nWybierz z listy rodzaj obszaru, zadanie lub działalność \n");

QString illuminanceUndetermined(int version)
{
    if (version == 1)
        return QStringLiteral("Nieokreślona wartość parametru: Wymagane natężenie oświetlenia");
    return QStringLiteral("Nieokreślona wartość parametru: Eksploatacyjne natężenie oświetlenia.") + ChooseOrType +
           QStringLiteral("lub wpisz w pole odpowiednią wartość eksploatacyjnego natężenia.");
}

QString uniformityUndetermined(bool fullStop)
{
    return QStringLiteral("Nieokreślona wartość parametru: Wymagana równomierność oświetlenia") +
           (fullStop ? QStringLiteral(".") : QString()) + ChooseOrType +
           QStringLiteral("lub wpisz odpowiednią wartość wymaganej równomierności.");
}

const QString UniformityInvalid = QStringLiteral("Niepoprawna wartość wymaganej równomierności oświetlenia. \n\n"
                                                 "Wartość powinna być z zakresu: <0.4; 0.7> \n");

QString colourUndetermined()
{
    return QStringLiteral("Nieokreślona wartość parametru: Wymagany wskaźnik oddawania barw.") + ChooseOrType +
           QStringLiteral("lub wpisz odpowiednią wartość wymaganego wskaźnika oddawania barw.");
}

const QString ColourInvalid = QStringLiteral("Niepoprawna wartość parametru: Wymagany wskaźnik oddawania barw.\n\n"
                                             "Wartość parametru powinna pochodzić z przedziału: (20; 100> ");

// ---- The two-version forms --------------------------------------------------------------------

// A requirement of the second uniformity and colour rendering forms, in the range [low,
// high], and the multiple of the measured value over it.
struct CheckedRequirement
{
    QString required, measured, multiple;
    double low, high;
    QString undeterminedWhenSet, undeterminedWhenMeasured, invalid;
};

void evaluateCheckedRequirement(TFormAccess &form, const QString &n, const CheckedRequirement &c)
{
    const double r = valueOf(form, c.required);
    if (n == c.required) {
        if (r <= 0) {
            form.SetFieldValue(c.multiple, Zero);
            form.ShowWarning(c.undeterminedWhenSet);
        } else if (r < c.low - Tolerance || r > c.high + Tolerance) {
            form.ShowWarning(c.invalid);
            form.SetFieldValue(c.multiple, Zero);
            // Written through the form, so the emptied requirement is evaluated (and
            // reported) like one the user cleared.
            form.SetFieldValue(c.required, Zero);
        } else {
            form.SetFieldValue(c.multiple, QuotientMultipleOrZero(form, c.measured, c.required));
        }
    } else if (n == c.measured) {
        if (r > 0)
            form.SetFieldValue(c.multiple, QuotientMultipleOrZero(form, c.measured, c.required));
        else
            form.ShowWarning(c.undeterminedWhenMeasured);
    }
}

void evaluateIlluminance(TFormAccess &form, const QString &n, int version)
{
    const double e = valueOf(form, IllumRequired);
    if (n == IllumRequired) {
        if (e > 0) {
            form.SetFieldValue(TaskMultiple, QuotientMultipleOrZero(form, IllumTaskMeasured, IllumRequired));
            form.SetFieldValue(IllumSurrRequired, GeneralText(SurroundingsRequirement(e, version), 15));
            form.SetFieldValue(SurrMultiple, QuotientMultipleOrZero(form, IllumSurrMeasured, IllumSurrRequired));
        } else {
            form.SetFieldValue(IllumSurrRequired, Zero);
            form.SetFieldValue(TaskMultiple, Zero);
            form.SetFieldValue(SurrMultiple, Zero);
        }
    } else if (n == IllumTaskMeasured) {
        if (e > 0)
            form.SetFieldValue(TaskMultiple, QuotientMultipleOrZero(form, IllumTaskMeasured, IllumRequired));
        else
            form.ShowWarning(illuminanceUndetermined(version));
    } else if (n == IllumSurrMeasured) {
        if (valueOf(form, IllumSurrRequired) > 0)
            form.SetFieldValue(SurrMultiple, QuotientMultipleOrZero(form, IllumSurrMeasured, IllumSurrRequired));
        else
            form.ShowWarning(illuminanceUndetermined(version));
    }
    // No multiple without a requirement; with one, the task area is the one to measure.
    rateAll(form, IlluminanceRating(valueOf(form, TaskMultiple), valueOf(form, SurrMultiple)),
            e > 0 ? IllumTaskMeasured : IllumRequired, reason::AboveZero());
}

void evaluateColourRendering(TFormAccess &form, const QString &n, int version)
{
    if (version == 1) {
        if (n == RaRequired || n == RaDetermined)
            form.SetFieldValue(Multiple, QuotientMultipleOrZero(form, RaDetermined, RaRequired));
    } else {
        evaluateCheckedRequirement(
            form, n,
            {RaRequired, RaDetermined, Multiple, 20, 100, colourUndetermined(), colourUndetermined(), ColourInvalid});
    }
    const double required = valueOf(form, RaRequired);
    const bool requirementUsable = ColourRenderingRating(required, 1) != storage::RiskNotDetermined;
    rateAll(form, ColourRenderingRating(required, valueOf(form, RaDetermined)),
            requirementUsable ? RaDetermined : RaRequired,
            requirementUsable ? reason::AboveZero() : QStringLiteral("wartość musi być liczbą nie mniejszą od 20"));
}

// ---- Dispatch and fields ------------------------------------------------------------------------

using Evaluate = void (*)(TFormAccess &, const QString &);

const std::pair<const char *, Evaluate> Forms[] = {
    {"osw_natezenie_Pomiar_01", EvaluateIlluminance1},
    {"osw_natezenie_Pomiar_02", EvaluateIlluminance2},
    {"osw_olsnienie_Pomiar_01", EvaluateGlare},
    {"osw_rownomiernosc_Pomiar_01", EvaluateUniformity1},
    {"osw_rownomiernosc_Pomiar_02", EvaluateUniformity2},
    {"osw_rozroznaniebarw_Pomiar_01", EvaluateColourRendering1},
    {"osw_rozroznaniebarw_Pomiar_02", EvaluateColourRendering2},
    {"osw_tetn_Pomiar_01", EvaluateFlicker},
};

TRuleFields fieldsOf(const QString &formName)
{
    TRuleFields f;
    if (formName.startsWith(QLatin1String("osw_natezenie"))) {
        f.Edited = {IllumRequired, IllumTaskMeasured, IllumSurrMeasured};
        f.Computed = {IllumSurrRequired, TaskMultiple, SurrMultiple};
        f.Other = {QStringLiteral("ed_RodzWnetrzaN")};
    } else if (formName.startsWith(QLatin1String("osw_olsnienie"))) {
        f.Edited = {GlareMeasured, GlareLimit};
        f.Computed = {Multiple};
    } else if (formName == QLatin1String("osw_rownomiernosc_Pomiar_01")) {
        f.Edited = {UnifTaskComputed, UnifSurrComputed};
        // the requirements this form rates against are fixed: 0.5 and 0.4
        f.Computed = {UnifTaskRequired, UnifSurrRequired, TaskMultiple, SurrMultiple};
    } else if (formName == QLatin1String("osw_rownomiernosc_Pomiar_02")) {
        f.Edited = {UnifRequired, UnifTaskComputed, UnifSurrComputed, UnifSurrRequired};
        f.Computed = {TaskMultiple, SurrMultiple};
        f.Other = {QStringLiteral("ed_RodzWnetrzaR")};
    } else if (formName.startsWith(QLatin1String("osw_rozroznaniebarw"))) {
        f.Edited = {RaRequired, RaDetermined};
        f.Computed = {Multiple};
        f.Other = {QStringLiteral("ed_RodzWnetrzaB")};
    } else if (formName.startsWith(QLatin1String("osw_tetn"))) {
        f.Other = {MachineKind, Effect};
    }
    return f;
}

} // namespace

// ---- Ratings ------------------------------------------------------------------------------------

int IlluminanceRating(double taskMultiple, double surroundingsMultiple)
{
    double k = taskMultiple;
    if (taskMultiple <= 0)
        k = surroundingsMultiple;
    else if (surroundingsMultiple > 0)
        k = std::min(taskMultiple, surroundingsMultiple);
    if (k <= 0)
        return storage::RiskNotDetermined;
    return classOfShortfall(k, 0.8, 0.2);
}

double SurroundingsRequirement(double e, int form)
{
    if (atLeast(e, 750))
        return 500;
    if (atLeast(e, 500))
        return 300;
    if (atLeast(e, 300))
        return 200;
    if (form == 1)
        // Between 200 and 300 lx the surroundings need what form 2 asks for, not whatever an
        // earlier requirement left in the field.
        return e <= 200 + Tolerance ? e : 150;
    return atLeast(e, 200) ? 150 : e;
}

int GlareRating(double multiple)
{
    if (multiple <= 0)
        return storage::RiskNotDetermined;
    if (atLeast(multiple, 1))
        return storage::RiskLarge;
    if (atLeast(multiple, 0.1))
        return storage::RiskMedium;
    return storage::RiskSmall;
}

int Uniformity1Rating(double task, double surroundings)
{
    double u = task, limit = 0.5;
    if ((task <= 0 && surroundings > 0) || (task > 0 && surroundings > 0 && task / 0.5 > surroundings / 0.4)) {
        u = surroundings;
        limit = 0.4;
    }
    if (u <= 0)
        return storage::RiskNotDetermined;
    return classOfShortfall(u, limit, 0.2);
}

int UniformityAreaRating(double u, double q)
{
    if (u <= 0 || q <= 0)
        return storage::RiskNotDetermined;
    return classOfShortfall(u, q - 0.1, q - 0.3);
}

int ColourRenderingRating(double ra, double w)
{
    const double reduced = same(ra, 90) || same(ra, 20) ? ra : ra - 20;
    if (reduced <= 0 || w <= 0)
        return storage::RiskNotDetermined;
    return atLeast(w, reduced) ? storage::RiskSmall : storage::RiskMedium;
}

int FlickerRating(int machine, int effect)
{
    if (machine < 0 || effect < 0)
        return storage::RiskNotDetermined;
    if (effect == 0)
        return storage::RiskMedium;
    if (machine == 0 && effect == 1)
        return storage::RiskLarge;
    return storage::RiskSmall;
}

// ---- The forms ------------------------------------------------------------------------------------

void EvaluateFlicker(TFormAccess &form, const QString &fieldName)
{
    const int machine = ReadChoice(form, MachineKind);
    // Each kind of machine has its own list of effects.
    if (fieldName == MachineKind && machine >= 0)
        form.SetComboChoice(QStringLiteral("Efekt"), machine + 1);
    const int rating = FlickerRating(machine, ReadChoice(form, Effect));
    if (rating != storage::RiskNotDetermined) // no effect chosen yet: the panel stays as it is
        RateAllGroups(form, rating);
}

void EvaluateIlluminance1(TFormAccess &form, const QString &fieldName)
{
    evaluateIlluminance(form, fieldName, 1);
}

void EvaluateIlluminance2(TFormAccess &form, const QString &fieldName)
{
    evaluateIlluminance(form, fieldName, 2);
}

void EvaluateGlare(TFormAccess &form, const QString &fieldName)
{
    // A corrected limit recomputes the multiple as a new measurement does.
    if (fieldName == GlareMeasured || fieldName == GlareLimit)
        form.SetFieldValue(Multiple, QuotientMultipleOrZero(form, GlareMeasured, GlareLimit));
    const bool measured = valueOf(form, GlareMeasured) > 0;
    rateAll(form, GlareRating(valueOf(form, Multiple)), measured ? GlareLimit : GlareMeasured,
            measured ? reason::Permitted() : reason::AboveZero());
}

void EvaluateUniformity1(TFormAccess &form, const QString &fieldName)
{
    if (fieldName == UnifTaskComputed)
        form.SetFieldValue(TaskMultiple, QuotientMultipleOrZero(form, UnifTaskComputed, UnifTaskRequired));
    else if (fieldName == UnifSurrComputed)
        form.SetFieldValue(SurrMultiple, QuotientMultipleOrZero(form, UnifSurrComputed, UnifSurrRequired));
    rateAll(form, Uniformity1Rating(valueOf(form, UnifTaskComputed), valueOf(form, UnifSurrComputed)), UnifTaskComputed,
            reason::AboveZero());
}

void EvaluateUniformity2(TFormAccess &form, const QString &fieldName)
{
    evaluateCheckedRequirement(form, fieldName,
                               {UnifRequired, UnifTaskComputed, TaskMultiple, 0.4, 0.7, uniformityUndetermined(false),
                                uniformityUndetermined(true), UniformityInvalid});
    if (fieldName == UnifSurrComputed || fieldName == UnifSurrRequired)
        form.SetFieldValue(SurrMultiple, QuotientMultipleOrZero(form, UnifSurrComputed, UnifSurrRequired));
    const int task = UniformityAreaRating(valueOf(form, UnifTaskComputed), valueOf(form, UnifRequired));
    const int surroundings = UniformityAreaRating(valueOf(form, UnifSurrComputed), valueOf(form, UnifSurrRequired));
    // Not determined only when neither area is: the task area's values are named.
    rateAll(form, std::max(task, surroundings), valueOf(form, UnifRequired) > 0 ? UnifTaskComputed : UnifRequired,
            reason::AboveZero());
}

void EvaluateColourRendering1(TFormAccess &form, const QString &fieldName)
{
    evaluateColourRendering(form, fieldName, 1);
}

void EvaluateColourRendering2(TFormAccess &form, const QString &fieldName)
{
    evaluateColourRendering(form, fieldName, 2);
}

void EvaluateLightingForm(TFormAccess &form, const QString &fieldName)
{
    const QString name = form.FormName();
    for (const auto &[formName, evaluate] : Forms) {
        if (name == QLatin1String(formName)) {
            evaluate(form, fieldName);
            return;
        }
    }
}

void RegisterLightingRules()
{
    RegisterRuleFamily(RuleFamily::Lighting, EvaluateLightingForm);
    for (const auto &form : Forms) {
        const QString name = QString::fromLatin1(form.first);
        RegisterRuleFields(name, fieldsOf(name));
    }
}

} // namespace assessment::rules
