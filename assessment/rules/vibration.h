#pragma once

// Vibration acting through the hands, general vibration and mechanical hazards.
//
// The vibration forms hold a daily exposure (stem "Rown") and a short exposure (stem
// "Maks"), each measured once and compared with the permitted value of the adults and with
// that of a second group: juveniles and pregnant women ("MlKc") for vibration through the
// hands, juveniles ("Ml") for general vibration, which pregnant women may not be exposed to
// at all. A multiple that cannot be determined - the measured value empty, no number or
// negative, the permitted value empty, no number or not above 0 - is written as empty text,
// and while any multiple a rating reads is not a number no group is rated on the others
// (pregnant women stay forbidden general vibration whatever the values).
//
// The mechanical form rates a list of safety requirements, each with a weight and an
// assessment, together with the share of the working time spent exposed and the class of
// the consequences. Times that are missing, negative or an exposure of 0, and a requirement
// that applies but has no weight or assessment chosen, leave the form not determined.

#include "assessment/form_access.h"

#include <QString>

namespace assessment::rules {

// Risk code of a vibration multiple: below 0.5 small (10), from 0.5 to below 1 medium (20),
// 1 and above large (30) - a multiple of exactly 1 is already large, unlike noise.
int VibrationClass(double multiple);

// Risk code of the mechanical result W for the item index of the consequence class (0, 1,
// 2; any other index rates nothing, 0).
int MechanicalHazardCode(int consequenceIndex, double w);

// Each routine recomputes what the field left feeds and rates the form; each ends with one
// SetRiskAssessment.
void EvaluateLocalVibration(TFormAccess &form, const QString &fieldName);   // drgania_msc_Pomiar_01
void EvaluateGeneralVibration(TFormAccess &form, const QString &fieldName); // drgania_ogln_Pomiar_01
void EvaluateMechanicalHazard(TFormAccess &form, const QString &fieldName); // mechaniczne_Pomiar_01

// The rule of the family: the routine of the form the field belongs to (form.FormName()).
void EvaluateVibrationForm(TFormAccess &form, const QString &fieldName);

// Registers the family's rule with the dispatcher and records the fields of its forms.
void RegisterVibrationRules();

} // namespace assessment::rules
