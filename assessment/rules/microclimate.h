#pragma once

// Microclimate: hot (WBGT against the permitted value of the metabolic class, the
// acclimatisation and the air movement), moderate (PMV index) and cold in three forms (the
// cooling index; then the insulation of the clothing worn against the required one, with
// outdoor work rated by the cooling index in form 2 and by the wind chill temperature,
// computed from air temperature and wind speed, in form 3). Each rule recomputes what the
// field left feeds, then rates men, women, pregnant women and juveniles.
//
// A multiple that cannot be determined (a value empty or no number, a permitted value of 0)
// is written as empty text, and a form whose rating reads a value that is not there, a cold
// form whose permitted value is 0, or a hot form without a metabolic class, is rated "not
// determined" (0) in every group, naming the field to mend: a half-filled form is never
// rated as if its missing values were harmless, nor as if a limit not given were exceeded.

#include "assessment/form_access.h"

#include <QString>

namespace assessment::rules {

// ---- Hot microclimate ------------------------------------------------------------------------

// The permitted WBGT [°C] as text for the items chosen: metabolic class 0-4 (any other gives
// "18"), acclimatisation (item 0 acclimatised, any other not) and air movement (item 0 felt,
// any other not).
QString PermittedWbgt(int metabolicClass, int acclimatisation, int airMovement);
// The list of air-movement items offered for a metabolic class: 1 for classes 0-2, where the
// air movement does not change the permitted value, 2 for classes 3-4, 0 for none chosen.
int AirMovementList(int metabolicClass);

// ---- Cold microclimate, outdoor work in form 3 -------------------------------------------------

// The wind chill temperature [°C] of air at ta [°C] moving at va [km/h], rounded to whole
// degrees (halves to even), never above the air temperature itself.
double WindChillTemperature(double ta, double va);
// The exposure allowed at a wind chill temperature: "Eksp. ciągła", minutes, or
// "Eksp. zabroniona". Compared in single precision.
QString AllowedExposureTime(float twc);
// Writes Twc from "ed_Ta" and "ed_Va" into "ed_WartZm", its multiple of the permitted value
// into "ed_KrotnTwc" and the allowed exposure time into "ed_CzasNar". Air at 10 °C or above,
// a negative wind speed or a value that is no number give no wind chill: the three fields are
// emptied and false is returned.
bool ComputeWindChill(TFormAccess &form);
// Writes an edit's text as given, without evaluating the form again, and keeps it as the
// field's value so that it is saved with the measurement. It goes through the field's exit
// handler, which evaluates only fields marked onexit: the fields written this way (the
// allowed exposure time) are not, and do not check their text for a number.
void SetEditTextQuiet(TFormAccess &form, const QString &name, const QString &text);

// ---- The forms -------------------------------------------------------------------------------

void EvaluateHotMicroclimate(TFormAccess &form, const QString &fieldName);      // mikroklimat_goracy_Pomiar_01
void EvaluateModerateMicroclimate(TFormAccess &form, const QString &fieldName); // mikroklimat_um_Pomiar_01
void EvaluateColdMicroclimate1(TFormAccess &form, const QString &fieldName);    // mikroklimat_zimny_Pomiar_01
void EvaluateColdMicroclimate2(TFormAccess &form, const QString &fieldName);    // mikroklimat_zimny_Pomiar_02
void EvaluateColdMicroclimate3(TFormAccess &form, const QString &fieldName);    // mikroklimat_zimny_Pomiar_03

// The rule of the microclimate family: the Evaluate routine of the form the field belongs to
// (form.FormName()); a form of no microclimate rule is left alone.
void EvaluateMicroclimateForm(TFormAccess &form, const QString &fieldName);

// Registers the microclimate family's rule with the dispatcher and records the fields of its
// forms.
void RegisterMicroclimateRules();

} // namespace assessment::rules
