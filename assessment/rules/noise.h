#pragma once

// Noise: audible, infrasonic, ultrasonic (two forms), nuisance noise and infrasonic noise at
// work that needs concentration. Each rule recomputes the multiples (measured level over
// permitted level) that the field just left feeds, then rates the whole form for men,
// women, pregnant women and juveniles.
//
// A multiple that cannot be determined - the measured level empty, no number or negative,
// the permitted level empty, no number, negative or 0 - is written as empty text, and while
// any multiple a rating reads is not a number, every group is rated "not determined" (0):
// a half-filled form is never rated as if its missing values were small.

#include "assessment/form_access.h"

#include <QString>
#include <QStringList>

namespace assessment::rules {

// ---- Shared by every noise form ------------------------------------------------------------

// 10^(0.1 L) / 10^(0.1 D): the multiple of two levels in decibels by energy, as fixed text
// with 2 decimals; empty text when it cannot be determined.
QString NoiseEnergyMultipleOf(double measured, double permitted);
// 10^((L - D) / 20): the multiple of two levels by sound pressure, fixed with 2 decimals.
QString NoisePressureMultipleOf(double measured, double permitted);
// The same from two fields of the form. The permitted field "cb_cWartDop" stands for the
// level of its chosen item: 75, 65 or 55 dB (items 0, 1, 2); any other choice gives none.
QString NoiseEnergyMultiple(TFormAccess &form, const QString &measuredField, const QString &permittedField);
QString NoisePressureMultiple(TFormAccess &form, const QString &measuredField, const QString &permittedField);

// Risk code of a noise multiple, compared in single precision: below 0.5 small (10), from
// 0.5 up to and including 1 medium (20), above 1 large (30). Noise keeps these thresholds
// of its own; vibration and chemicals rate 1.0 and 0.5 differently.
int RiskClassFromMultiple(float multiple);

// ---- The forms -----------------------------------------------------------------------------

// Each Evaluate routine recomputes what the field left feeds, then calls its Rate routine,
// whatever the field was. Each Rate routine ends with one SetRiskAssessment.
void EvaluateAudibleNoise(TFormAccess &form, const QString &fieldName); // halas_fizyczny_Pomiar_01
void RateAudibleNoise(TFormAccess &form);
void EvaluateInfrasonicNoise(TFormAccess &form, const QString &fieldName); // halas_infra_Pomiar_01
void RateInfrasonicNoise(TFormAccess &form);
void EvaluateUltrasonicNoise1(TFormAccess &form, const QString &fieldName); // halas_ultra_Pomiar_01
void RateUltrasonicNoise1(TFormAccess &form);
void EvaluateUltrasonicNoise2(TFormAccess &form, const QString &fieldName); // halas_ultra_Pomiar_02
void RateUltrasonicNoise2(TFormAccess &form);
void EvaluateNuisanceNoise(TFormAccess &form, const QString &fieldName); // halas_uciazliwy_Pomiar_01
void RateNuisanceNoise(TFormAccess &form);
void EvaluateInfrasonicNuisance(TFormAccess &form, const QString &fieldName); // halas_infra_uc_Pomiar_01
void RateInfrasonicNuisance(TFormAccess &form);

// The rule of the noise family: the Evaluate routine of the form the field belongs to
// (form.FormName()); a form of no noise rule is left alone.
void EvaluateNoiseForm(TFormAccess &form, const QString &fieldName);

// The one-third-octave bands of the ultrasonic forms, as the field names end.
const QStringList &UltrasonicBands();

// Registers the noise family's rule with the dispatcher and records the fields of its forms.
void RegisterNoiseRules();

} // namespace assessment::rules
