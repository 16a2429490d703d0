#pragma once

// The load of the work itself: monotony, psychological load, static load and physical
// effort (two forms). Each routine rates the form on every call and ends with one
// SetRiskAssessment.
//
// A value a rating needs that is empty, no number or negative, a permitted value that is
// not above 0, or a combo with no item chosen leaves every group not determined: a
// half-filled form is never rated as if its missing values were small.

#include "assessment/form_access.h"

#include <QString>

namespace assessment::rules {

// Risk code of the monotony value w for the item index of the operation type (0, 1, 2;
// any other index rates nothing, 0).
int MonotonyCode(int operationType, double w);
// Risk code of the psychological load score p: up to 3 small, above 3 up to 11 medium,
// above 11 large.
int PsychologicalLoadCode(double p);
// Risk code of one block of the static-load form: the item indexes of the angle and the body
// position and the determined value v.
int StaticLoadClassOf(int angleIndex, int positionIndex, double v);
// The same with v read from the form's field valueField; 0 when it holds no number of 0
// or more, or when no angle or position is chosen.
int StaticLoadClass(TFormAccess &form, int angleIndex, int positionIndex, const QString &valueField);

void EvaluateMonotony(TFormAccess &form, const QString &fieldName);          // monotypia_Pomiar_01
void EvaluatePsychologicalLoad(TFormAccess &form, const QString &fieldName); // obc_psych_Pomiar_01
void EvaluateStaticLoad(TFormAccess &form, const QString &fieldName);        // obc_stat_Pomiar_01
void EvaluatePhysicalEffort1(TFormAccess &form, const QString &fieldName);   // wysilek_fizyczny_Pomiar_01
void EvaluatePhysicalEffort2(TFormAccess &form, const QString &fieldName);   // wysilek_fizyczny_Pomiar_02

// The rule of the family: the routine of the form the field belongs to (form.FormName()).
void EvaluateWorkLoadForm(TFormAccess &form, const QString &fieldName);

// Registers the family's rule with the dispatcher and records the fields of its forms.
void RegisterWorkLoadRules();

} // namespace assessment::rules
