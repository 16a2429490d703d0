#pragma once

// The evaluation rules of the measurement forms, found by the `function` name that the
// root of a form definition carries (for example "halas_fizyczny_Pomiar_01", not the file
// name). The table of names is complete: every form name belongs to one family of rules,
// and a family's rule is registered by the code of that family (assessment/rules/). A
// family whose rule is not registered rates nothing; a form whose name is not in the table
// is not evaluated.

#include "assessment/form_access.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <utility>
#include <vector>

namespace storage {
class TCzynnik;
class TPomiarCzynn;
class TStanowisko;
} // namespace storage

namespace assessment {

// A rule gets the form and the component name of the control that changed
// ("ed_PylCalkZm", "cb_Rodz", "ch_cbSumNDS"); form.FormName() tells which of its family's
// forms it works on. It reads and writes only through the form and keeps its working
// values in locals (its own writes run it again, nested); when it rates it ends with
// SetRiskAssessment, handing over the four group ratings.
using EvaluationRule = std::function<void(TFormAccess &form, const QString &senderName)>;

enum class RuleFamily {
    Chemical,         // chemical substances and the workstation sums
    Biological,       // biological agents
    Vibration,        // vibration and mechanical factors
    Noise,            // noise, infrasound, ultrasound
    Microclimate,     // hot, moderate and cold microclimate
    WorkLoad,         // monotony, mental and static load, physical effort
    Lighting,         // illuminance, glare, uniformity, colour rendering, flicker
    FieldsAndCurrent, // electromagnetic fields, electric current, explosion and fire
    OpticalRadiation, // ultraviolet, infrared, visible radiation
    Laser,            // laser radiation
    Dust,             // dusts and the workstation sums
    OwnMethods,       // "5 kroków" and Risk Score
};

// The complete table, in its order: form name and family.
const std::vector<std::pair<QString, RuleFamily>> &EvaluationTable();
// The family of a form name; false when the name is not in the table (exact comparison).
bool FamilyOfForm(const QString &formName, RuleFamily &family);

// The rule families' own registration, run when a rule, a sum or a rating is first asked
// for (or registered) rather than at start-up: a run that rates nothing never builds their
// tables. Registrations made later take precedence, as if this had run first.
void RegisterRulesOnFirstUse(std::function<void()> registerRules);
// Runs the registration handed over above, if it has not run yet.
void EnsureRulesRegistered();

// Registers (or, with an empty rule, removes) the rule of a family.
void RegisterRuleFamily(RuleFamily family, EvaluationRule rule);

// The rule for formName: one registered for that very name (tests), else its family's;
// an empty function when there is none.
EvaluationRule FindEvaluationRule(const QString &formName);
// Registers (or removes) a rule for one form name ahead of its family's.
void RegisterEvaluationRule(const QString &formName, EvaluationRule rule);

// ---- Work of the rule families that the measurement window starts --------------------------

// Chemical substances ("chem") and dusts ("pyly") whose summation box is ticked take part in
// a sum over the workstation's measurements of the same date. Deleting such a measurement or
// moving it to another date recomputes the sums: includeCurrent false leaves the selected
// measurement out, true counts it. The sum works on the measurement the form shows
// (TFormAccess::ShownMeasurement) and writes the form's own sum field. Registered by the
// chemical and dust rules.
using WorkstationSum = std::function<void(TFormAccess &form, bool includeCurrent)>;
void RegisterWorkstationSum(const QString &ident, WorkstationSum sum);
// Runs the sum of group ident on form; nothing when none is registered.
void RunWorkstationSum(const QString &ident, TFormAccess &form, bool includeCurrent);
// Whether a measurement takes part in the sums: a field whose name holds "cbSumNDS" holds "True".
bool TakesPartInSums(const storage::TPomiarCzynn &m);

// A new measurement of a biological agent takes its four group ratings from the agent's
// hazard group. Registered by the biological rule.
using NewMeasurementRating = std::function<void(storage::TPomiarCzynn &m, const storage::TCzynnik &factor)>;
void RegisterNewBiologicalRating(NewMeasurementRating rating);
void RateNewBiologicalMeasurement(storage::TPomiarCzynn &m, const storage::TCzynnik &factor);
// A measurement as it is made: a biological agent's groups as above, and the combined rating
// by the employment of its year on workstation; the final rating is left for the user.
// Showing a measurement later stores nothing in it.
void RateNewMeasurement(storage::TPomiarCzynn &m, const storage::TCzynnik &factor,
                        const storage::TStanowisko *workstation);

} // namespace assessment
