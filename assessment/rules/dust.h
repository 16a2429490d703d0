#pragma once

// Dusts and fibres: thirteen forms - one general, twelve for particular dusts - rated by one
// common course. A form compares the measured concentrations of its fractions (total dust,
// respirable dust, respirable fibres) with their limit values, takes limit values and
// hazard-class bits from the dust kind chosen on it where it has a kind field, and rates the
// four employee groups with one shared rule that also honours the workstation sum of dust
// multiples: a dust measurement marked for the sum is summed with every dust of the
// workstation measured on the same date.

#include "assessment/form_access.h"
#include "assessment/rules/workstation_sums.h"

#include <QString>
#include <QStringList>

namespace assessment::rules {

// The rating record of a dust, in this order. A fraction the form lacks is "0"; an empty
// sum counts as 0.
struct TDustRecord
{
    QString Typ;          // hazard-class bits, rounded up
    QString PylCalkKrotn; // total dust multiple
    QString PylRespKrotn; // respirable dust (or fibres) multiple
    QString WlkRespKrotn; // respirable fibres multiple (general form)
    QString SumNDS;       // workstation sum
};

// The multiple of the value in measuredField against the one in permittedField
// (ConcentrationMultiple): "0" when nothing was measured or the limit is switched off
// (below 0), empty text when it cannot be known, else FormatMeasuredValue of the quotient.
QString DustMultiple(TFormAccess &form, const QString &measuredField, const QString &permittedField);

// The four group ratings of a dust. Each multiple rates up to 0.5 small (10), up to 1
// medium (20), above large (30), and the highest counts; a sum above 1 makes it at least
// large, above 0.5 at least medium. Class bit 1, or bit 2 without bit 32, makes it large;
// either of them forbids the work (40) to pregnant women and juveniles and, while every
// multiple is below 0.1, makes it medium. Bit 4 forbids the work to juveniles; bit 8 does
// so above a multiple of 0.66. False when a multiple or the bits are no number.
bool DustRisk(const TDustRecord &record, TGroupRatings &ratings);

// The rule of the thirteen dust forms (form.FormName()): a measured concentration or a limit
// value left recomputes its multiple; a kind chosen sets the limit values, the class bits and
// the rows it decides on; then a measured field, a limit, the kind field or the sum box rates
// the form, after summing the workstation when the sum box is enabled.
void EvaluateDustForm(TFormAccess &form, const QString &fieldName);

// The workstation sum of total dust multiples (SumOverWorkstation) for the measurement the
// form shows; includeCurrent false leaves its own dust out.
void SumOfDustFractions(TFormAccess &form, bool includeCurrent);

// The names of the thirteen forms.
const QStringList &DustFormNames();

// Registers the dust rule, the fields of its forms and its workstation sum.
void RegisterDustRules();

} // namespace assessment::rules
