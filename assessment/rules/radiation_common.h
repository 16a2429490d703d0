#pragma once

// What the rules of optical radiation (ultraviolet, infrared, visible) and of laser radiation
// share: the multiple of a measured exposure over its permitted value, and the ratings of
// forms on which juveniles may not work at all.

#include "assessment/form_access.h"

#include <QList>
#include <QString>

namespace assessment::rules {

// measured / permitted as fixed text with 2 decimals (6 significant digits). "0" when the
// permitted value is not above 0: there is no limit to compare with, and a division by it
// must not stop the evaluation. Empty text when the measured value is negative or either
// value is no number.
QString RadiationMultipleText(double measured, double permitted);

// Juveniles may not be employed where this radiation is: they are rated "praca wzbroniona"
// whatever was measured. Men and women get adults, pregnant women their own code; a code
// of 0 leaves that group not determined.
void RateWithJuvenilesForbidden(TFormAccess &form, int adults, int pregnantWomen);

// The highest of the codes, or 0 (not determined) when one of them is 0: a group is never
// rated on part of its quantities.
int HighestDeterminedCode(const QList<int> &codes);

} // namespace assessment::rules
