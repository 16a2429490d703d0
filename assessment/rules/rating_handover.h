#pragma once

// How a rule hands its ratings to the form, and how it says why a rating stays not
// determined: the field whose value the rule cannot use is named to the form
// (TFormAccess::ReportInvalidField) right before the ratings that stay not determined are
// handed over, and the risk panel tells the user what to put right.
//
// The readers here read as those of rule_numbers.h do and, when the value cannot be used,
// name the field with the reason given. Chained with &&, the first field at fault is the one
// named and the fields after it are not read, so a rule names one field per evaluation. A
// rule that calls them hands its ratings over next, before it writes any field: a name
// reported and never followed by ratings would be taken for the reason of later ones.

#include <QList>
#include <QString>

namespace assessment {
class TFormAccess;
}

namespace assessment::rules {

struct TQuotientDef;

// What a usable value is, in the words the panel shows after the field's caption.
namespace reason {
QString Number();      // any number
QString NotNegative(); // a number not below 0
QString AboveZero();   // a number above 0
QString Measured();    // a measured value: a number not below 0
QString Permitted();   // a permitted value: a number above 0
QString Choice();      // an item of a combo's list
} // namespace reason

// What the risk panel says when field `name` leaves the ratings not determined: the field
// by its caption (TFormAccess::FieldCaption), what it holds and `why`. A field the form
// knows no caption for is not named at all rather than by its internal name.
QString InvalidFieldNote(TFormAccess &form, const QString &name, const QString &why);

// Every group rated alike, the combined and final ratings left to the panel.
void RateAllGroups(TFormAccess &form, int code);
// Every group left not determined.
void RateNotDetermined(TFormAccess &form);

// ReadNumber; a field that holds no number is named with why.
bool ReadNumberOrReport(TFormAccess &form, const QString &name, double &value, const QString &why);
// ReadNonNegativeNumber; an empty field, no number or a negative one is named with why.
bool ReadNonNegativeOrReport(TFormAccess &form, const QString &name, double &value, const QString &why);
// ReadPositiveNumber; an empty field, no number or one not above 0 is named with why.
bool ReadPositiveOrReport(TFormAccess &form, const QString &name, double &value, const QString &why);
// ReadNumberZeroPrefixed; a field whose text is then no number (a sign among them) is named
// with why.
bool ReadNumberZeroPrefixedOrReport(TFormAccess &form, const QString &name, double &value, const QString &why);
// ReadChoice; a combo without a chosen item is named (and -1 returned).
int ReadChoiceOrReport(TFormAccess &form, const QString &name);

// Names the field that leaves the quotient multiple d not determined (QuotientMultiple gives
// empty text): the measured value when it is no number or negative, else the permitted value
// when it is no number or not above 0. False, naming none, when both can be used.
bool ReportUndeterminedQuotient(TFormAccess &form, const TQuotientDef &d);
// The same for the first of defs whose multiple field holds no number not below 0.
bool ReportFirstUndeterminedQuotient(TFormAccess &form, const QList<TQuotientDef> &defs);

} // namespace assessment::rules
