#pragma once

// Biological agents: rated by the agent's hazard group from the catalogue, not by a
// measured value. Group 1 is small risk, group 2 medium, groups 3 and 4 large; a marked
// agent of group 3 that is normally not airborne may be moved one group down with the
// form's check box. A group that is none of 1 to 4 (missing, 0, a word) is rated "not
// determined": an agent whose group is unknown is never taken for a harmless one.

#include "assessment/form_access.h"

#include <QString>

namespace storage {
class TPomiarCzynn;
}

namespace assessment::rules {

// The risk code of a hazard group (rounded to the nearest integer, halves to even).
int BiologicalRisk(double group);

// biologiczny_Pomiar_01: the check box moves the group, then the form is rated.
void EvaluateBiologicalAgent(TFormAccess &form, const QString &fieldName);
// Rates the shown form by "ed_GrZagr".
void RateBiologicalAgent(TFormAccess &form);
// Rates a new measurement from its field "GrZagr": the four group ratings; the combined and
// final ones are left as they are.
void RateNewBiologicalMeasurement(storage::TPomiarCzynn &m);

// Registers the biological rule, the rating of new measurements and the form's fields.
void RegisterBiologicalRules();

} // namespace assessment::rules
