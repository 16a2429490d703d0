#pragma once

// What the chemical and the dust rules share: the multiple of a measured concentration
// against its limit value, the reading of the texts a rating is made from, and the sum of
// multiples over a workstation's measurements of one date, on which substances (or dusts)
// that act alike are rated together.
//
// A multiple that cannot be known - a concentration measured but no limit to compare it
// with, a text that is no number - is written as empty text, and a rating that would read
// it is "not determined" (0) for every group: a half-filled form or a substance without
// limit values is never rated as if its exposure were small.

#include "assessment/form_access.h"
#include "assessment/risk_ratings.h"
#include "assessment/rules/rule_numbers.h"

#include <QList>
#include <QString>
#include <functional>

namespace storage {
class TPomiarCzynn;
}

namespace assessment::rules {

// The multiple field's text for a measured concentration and its limit value:
//  - nothing measured (empty text or 0): "0";
//  - a limit below 0 ("-1": no such limit, the fraction is switched off): "0";
//  - a concentration measured but no limit given (empty text or 0): empty text;
//  - a text that is no number, or a negative concentration: empty text;
//  - otherwise FormatMeasuredValue(measured / limit).
QString ConcentrationMultiple(const QString &measured, const QString &limit);

// The same for the texts of two fields of a form.
QString ConcentrationMultiple(TFormAccess &form, const QString &measuredField, const QString &permittedField);

// Hands the four group ratings of the form over. When they could not be determined (rated
// false) every group stays not determined, and the first concentration whose multiple is not
// known names the field to put right: the concentration when it is no number or negative,
// else its limit value when it is missing, 0 or no number.
void RateConcentrations(TFormAccess &form, bool rated, const TGroupRatings &ratings,
                        const QList<TQuotientDef> &concentrations);

// A multiple read from a rating record: false for empty text, no number or a negative number.
bool RecordMultiple(const QString &text, double &value);
// The type bits of a rating record: an empty text is 0, a number is rounded up; false for a
// text that is no number or a negative or too large one.
bool RecordTypeBits(const QString &text, int &bits);

// One family's part in the workstation sum.
struct TSumFamily
{
    QString ident;        // group key of the factors summed: "chem", "pyly"
    QString multipleName; // the stored multiple a marked measurement adds: "NDSKrotn", "PylCalkKrotn"
    // The chemical sum has always been added up in single precision.
    bool singlePrecision = false;
    // The record takes the sum only when the measurement holds a "SumNDS" value after its
    // mark (chemical); otherwise it always does (dust).
    bool sumOnlyWithField = false;
    // The four group ratings of a stored measurement with the sum text; false when they
    // cannot be determined.
    std::function<bool(const storage::TPomiarCzynn &m, const QString &sum, TGroupRatings &ratings)> rate;
};

// The sum over the workstation of the measurement the form shows (nothing happens when it
// shows none): every factor of the family that has a measurement on the shown date marked
// for the sum ("cbSumNDS" holding "True") adds its multiple - the shown factor only when
// includeCurrent. Every marked measurement of that date then holds the sum in its "SumNDS"
// value (after the mark), the marked measurements of the other factors are rated again
// with it - their combined and final ratings from the groups employed in their year, as
// the measurement window rates the one it shows - and the form's "ed_SumNDS" shows the sum when its "ch_cbSumNDS"
// is ticked, else "0". A stored multiple that is no number adds nothing and leaves its own
// measurement not determined.
void SumOverWorkstation(TFormAccess &form, const TSumFamily &family, bool includeCurrent);

// Registers the sum of group ident for the measurement window's Delete and date change
// (RegisterWorkstationSum): the sum of the date, and for a marked measurement moved to a
// new date also its own rating with that date's sum - rule runs as if its sum box had
// been clicked.
void RegisterSumOfGroup(const QString &ident, void (*sum)(TFormAccess &, bool),
                        void (*rule)(TFormAccess &, const QString &));

} // namespace assessment::rules
