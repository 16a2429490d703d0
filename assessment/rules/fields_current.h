#pragma once

// Electromagnetic fields, electric current at low and at high voltage, explosion and fire:
// fixed rules on a few fields, without multiples. Every call rates the whole form from its
// fields, whatever field was left.

#include "assessment/form_access.h"

#include <QString>

namespace assessment::rules {

// The code of a value W against the two limits of a form: below the first small (10), below
// the second medium (20), from the second on large (30).
int LowVoltageRiskClass(double w);    // limits 0.00001 and 0.0001
int HighVoltageRiskClass(double w);   // limits 0.4 and 0.6
int ExplosionFireRiskClass(double w); // limits 0.4 and 0.6, compared in single precision

void EvaluateElectromagneticField(TFormAccess &form, const QString &fieldName); // pole_Pomiar_01
void EvaluateLowVoltageCurrent(TFormAccess &form, const QString &fieldName);    // prad_NN_Pomiar_01
void EvaluateHighVoltageCurrent(TFormAccess &form, const QString &fieldName);   // prad_WN_Pomiar_01
void EvaluateExplosionFire(TFormAccess &form, const QString &fieldName);        // wybuch_pozar_Pomiar_01

// The rule of the family: the Evaluate routine of form.FormName(); other forms are left alone.
void EvaluateFieldsAndCurrentForm(TFormAccess &form, const QString &fieldName);

// Registers the family's rule with the dispatcher and records the fields of its forms.
void RegisterFieldsAndCurrentRules();

} // namespace assessment::rules
