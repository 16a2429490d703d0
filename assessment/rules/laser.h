#pragma once

// Laser radiation: the two measurement forms that compare a measured exposure with the
// maximum permissible exposure (MDE, assessment/rules/laser_mde.h) of its wavelength, time,
// target and kind of emission.
//
// - Form 1 computes one permitted value (for pulsed emission the one that governs among the
//   whole exposure, a single pulse and the pulse train), puts the measured value that goes
//   with it beside it, the multiple, and rates every group alike.
// - Form 2 fills three rows (thermal effect, for pulsed emission of a single pulse and of the
//   pulse train, and the photochemical effect of the whole working time below 600 nm) and
//   rates men and women on the highest multiple; juveniles may not do this work at all.
//
// An exposure the tables give no certain value for, a choice not made or a value not typed
// leaves the form not rated (code 0), never rated as if the missing value were harmless.

#include "assessment/form_access.h"

#include <QString>
#include <QStringList>

namespace assessment::rules {

// ---- Form 1 ------------------------------------------------------------------------------------

void EvaluateLaser1(TFormAccess &form, const QString &fieldName); // prm_laser_Pomiar_01

// ---- Form 2 ------------------------------------------------------------------------------------

// What a result row of form 2 stands for.
enum class LaserRow {
    Thermal,             // continuous emission, the single exposure time
    Photochemical,       // continuous emission, the whole working time
    SinglePulse,         // pulsed emission, one pulse
    PulseTrain,          // pulsed emission, the pulses of one exposure
    PulsedPhotochemical, // pulsed emission, the whole working time
};

// The caption of a row: its effect, then the quantity of its permitted value
// ("termiczne  - E [W/m2]"); empty for a photochemical row outside 180 to 600 nm.
QString LaserParamCaption(LaserRow row, double lambda, quint8 kind);
// Every caption a row can take, in the order of the row headers' variants: the first is
// the empty caption of a row not filled.
const QStringList &LaserRowCaptions();

// Clears the three result rows and fills those the emission and wavelength call for. False
// when a row that is called for has no certain permitted value or the measured value is not
// typed: the form cannot be rated then, and a field whose value keeps it so is named to the
// form (ReportInvalidField) for the ratings handed over next.
bool FillLaserRows(TFormAccess &form);
void EvaluateLaser2(TFormAccess &form, const QString &fieldName); // prm_laser_Pomiar_02

// ---- The family --------------------------------------------------------------------------------

// The rule of the laser family: the Evaluate routine of the form shown (form.FormName()).
void EvaluateLaserForm(TFormAccess &form, const QString &fieldName);
// Registers the laser family's rule with the dispatcher and records the fields of its forms.
void RegisterLaserRules();

} // namespace assessment::rules
