#pragma once

// Lighting: illuminance (two forms), discomfort glare, uniformity (two forms), colour
// rendering (two forms) and flicker. A lighting multiple is the determined value over the
// required one, so for illuminance and uniformity a multiple below 1 means too little light.
// Every form rates the four employee groups with one code.
//
// The required values of illuminance, uniformity and colour rendering come from the tree of
// interior kinds behind the form's choice button (the window writes the chosen leaf's
// parameter into the "...Wymagany" edit and leaves it), or are typed in.
//
// A multiple that cannot be determined - nothing measured, no requirement, a requirement of
// 0 or less - is written as "0". A form none of whose values gives a multiple is rated
// "not determined" (0 for every group): an empty form is never rated as small risk.

#include "assessment/form_access.h"

#include <QString>

namespace assessment::rules {

// ---- Ratings, by the values they rest on (0: not determined) ---------------------------------

// Illuminance: the task multiple, or the surroundings one when the task has none, or the
// smaller of both: from 0.8 up small, from 0.2 medium, below 0.2 large.
int IlluminanceRating(double taskMultiple, double surroundingsMultiple);
// The illuminance required of the immediate surroundings of a task area lit with e lux
// (form 1 or 2 of the illuminance forms; they differ at exactly 200 lx).
double SurroundingsRequirement(double e, int form);
// Glare: a multiple from 1 up large, from 0.1 medium, below small.
int GlareRating(double multiple);
// Uniformity form 1: the computed uniformity of the task area against 0.5 or of the
// surroundings against 0.4, whichever falls shorter.
int Uniformity1Rating(double task, double surroundings);
// Uniformity form 2, one area: u against its requirement q; 0 when either is 0.
int UniformityAreaRating(double u, double q);
// Colour rendering: the determined index w against the required ra, lowered by 20 except
// for 20 and 90 themselves.
int ColourRenderingRating(double ra, double w);
// Flicker: by the machine kind and the effect chosen (item indexes; -1 none).
int FlickerRating(int machine, int effect);

// ---- The forms -----------------------------------------------------------------------------

void EvaluateFlicker(TFormAccess &form, const QString &fieldName);          // osw_tetn_Pomiar_01
void EvaluateIlluminance1(TFormAccess &form, const QString &fieldName);     // osw_natezenie_Pomiar_01
void EvaluateIlluminance2(TFormAccess &form, const QString &fieldName);     // osw_natezenie_Pomiar_02
void EvaluateGlare(TFormAccess &form, const QString &fieldName);            // osw_olsnienie_Pomiar_01
void EvaluateUniformity1(TFormAccess &form, const QString &fieldName);      // osw_rownomiernosc_Pomiar_01
void EvaluateUniformity2(TFormAccess &form, const QString &fieldName);      // osw_rownomiernosc_Pomiar_02
void EvaluateColourRendering1(TFormAccess &form, const QString &fieldName); // osw_rozroznaniebarw_Pomiar_01
void EvaluateColourRendering2(TFormAccess &form, const QString &fieldName); // osw_rozroznaniebarw_Pomiar_02

// The rule of the lighting family: the Evaluate routine of the form shown; a form of no
// lighting rule is left alone.
void EvaluateLightingForm(TFormAccess &form, const QString &fieldName);

// Registers the lighting family's rule with the dispatcher and records the fields of its forms.
void RegisterLightingRules();

} // namespace assessment::rules
