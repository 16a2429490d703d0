#pragma once

// Chemical substances: the measured concentrations of one substance against its three limit
// values (the eight-hour NDS, the short-term NDSCh and the ceiling NDSP), rated for men,
// women, pregnant women and juveniles with the substance's hazard-class bits from the
// chemical catalogue. Substances that act alike are summed over the workstation: every
// substance measured on the same date and marked for the sum adds its NDS multiple, and
// each marked substance is rated with the sum as well.

#include "assessment/form_access.h"
#include "assessment/rules/workstation_sums.h"

#include <QString>

namespace assessment::rules {

// The rating record of a substance, in this order.
struct recKrtn
{
    QString Typ;
    QString NDSKrotn;
    QString NDSChKrotn;
    QString NDSPKrotn;
    QString SumNDS;
};

// The multiple of the concentration in measuredField against the limit in permittedField
// (ConcentrationMultiple).
QString NdsMultiple(TFormAccess &form, const QString &measuredField, const QString &permittedField);

// The four group ratings of a substance. The largest of its multiples and the sum, compared
// in single precision, gives the base code for every group: up to 0.5 small (10), up to 1
// medium (20), above large (30). Then, in this order: a carcinogenic or mutagenic class
// (bits 0xC003) makes men and women at least 30 - 20 while its NDS multiple lies between 0
// and 0.1 -, bit 0x0100 gives pregnant women 30 above an NDS multiple of 0.66, and bits
// 0x0600 forbid the work (40) to pregnant women and juveniles. False when a multiple or the
// bits are no number: the substance is not determined.
bool ChemicalRating(const recKrtn &rec, TGroupRatings &ratings);

// The rule of "chemiczny_Pomiar_01". A measured concentration or a limit value left
// recomputes its multiple; that, or the sum box, rates the substance, after summing the
// workstation when the sum box is enabled. Other fields rate nothing.
void EvaluateChemical(TFormAccess &form, const QString &fieldName);

// The workstation sum of NDS multiples (SumOverWorkstation) for the measurement the form
// shows; includeCurrent false leaves its own substance out (its measurement goes).
void SumOfChemicalFractions(TFormAccess &form, bool includeCurrent);

// Registers the chemical rule, its fields and its workstation sum.
void RegisterChemicalRules();

} // namespace assessment::rules
