#pragma once

// Incoherent optical radiation: ultraviolet, infrared (two forms) and visible radiation (two
// forms). The infrared and visible forms compute their own permitted values from the
// exposure time, the angular size of the source and the visual stimulus; each rule writes
// what the field just left feeds, then rates the form.
//
// Every number a rule writes is shown as FormatMeasuredValue makes it, and every later
// step reads the field back: multiples and ratings are taken from the values the user sees
// ("3.5E+7", not 34976000), so that what is saved is what was rated.
//
// A measured value that is empty, no number or negative leaves the groups it is rated for
// not determined (0). A time or a source size that is empty counts as 0, the way the
// form has always read it; one that is negative or no number leaves its permitted value
// empty and the form not determined.

#include "assessment/form_access.h"

#include <QString>

namespace assessment::rules {

// The risk code of a measured value M against its permitted value D: above D large (30),
// above 0.8·D medium (20), otherwise small (10). A D not above 0 is no limit at all - not
// one that any exposure exceeds - so it leaves the code not determined (0).
int OpticalRiskClassOf(double measured, double permitted);
// The same from two fields; 0 (not determined) also when either is empty or no number, or
// the measured value is negative.
int OpticalRiskClass(TFormAccess &form, const QString &measuredField, const QString &permittedField);

// The permitted radiance of the thermal hazard to the retina, in W/(m²·sr), for an apparent
// source of alphaMrad (already limited to its range) seen for t seconds (t > 0): 8.89e8/α
// below 10 µs, 5e7/(α·t^0.25) up to 10 s, longExposure/α beyond. At 10 µs the first two
// meet, which is where the short-pulse value takes over.
double RetinalThermalLimit(double alphaMrad, double t, double longExposure);

// The text of the infrared message for a skin exposure longer than 10 s.
QString SkinTimeMessage();

void EvaluateUltraviolet(TFormAccess &form, const QString &fieldName); // prm_nadfioletowe_Pomiar_01
void EvaluateInfrared1(TFormAccess &form, const QString &fieldName);   // prm_podczerwone_Pomiar_01
void EvaluateInfrared2(TFormAccess &form, const QString &fieldName);   // prm_podczerwone_Pomiar_02
void EvaluateVisible1(TFormAccess &form, const QString &fieldName);    // prm_widzialne_Pomiar_01
void EvaluateVisible2(TFormAccess &form, const QString &fieldName);    // prm_widzialne_Pomiar_02

// The rule of the family: the Evaluate routine of form.FormName(); other forms are left alone.
void EvaluateOpticalRadiationForm(TFormAccess &form, const QString &fieldName);

// Registers the family's rule with the dispatcher and records the fields of its forms.
void RegisterOpticalRadiationRules();

} // namespace assessment::rules
