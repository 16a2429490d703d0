#pragma once

// The only way an evaluation rule reads and writes its form. The measurement window
// implements it on its built pages; TMemoryForm implements it on a plain list of fields so
// that a rule can be tested without widgets.
//
// Names carry their control prefix ("ed_", "cb_", "ch_", "me_", "lb_"). Values are texts
// with "." as decimal separator; a combo's value is its item index as decimal text (-1 when
// no item is chosen); a check box's value is "True" or "False".

#include "assessment/risk_ratings.h"

#include <QString>
#include <QStringList>

namespace storage {
class TCzynnik;
class TStanowisko;
} // namespace storage

namespace assessment {

// The measurement a form shows in the measurement view: its workstation, its factor and its
// date, which the workstation sums of the chemical and dust rules work on. A form shown
// anywhere else (a preview, a form in memory) has none.
struct TShownMeasurement
{
    storage::TStanowisko *workstation = nullptr;
    const storage::TCzynnik *factor = nullptr;
    QString date;
    bool IsSet() const { return workstation && factor && !date.isEmpty(); }
};

class TFormAccess
{
public:
    virtual ~TFormAccess() = default;

    // Edit or memo: its text; combo: its item index; check box: "True"/"False";
    // anything else or not found: empty text.
    virtual QString GetFieldValue(const QString &name) = 0;
    // Label: caption; edit: the number in value as FormatMeasuredValue shows it (a value that
    // is no number is shown as given); memo: text; combo: item index; check box: checked
    // exactly for "True" (a change raises its click handler). Then the field's exit handler
    // runs, so a changed number re-runs the evaluation.
    virtual void SetFieldValue(const QString &name, const QString &value) = 0;
    // Edits only: the text unformatted, then the exit handler.
    virtual void SetFieldText(const QString &name, const QString &text) = 0;
    // Visible / enabled exactly when flag is "true" (lower case).
    virtual void SetFieldVisible(const QString &name, const QString &flag) = 0;
    virtual void SetFieldEnabled(const QString &name, const QString &flag) = 0;
    // The control's own enabled flag; false when not found or not an input.
    virtual bool IsFieldEnabled(const QString &name) = 0;
    virtual void FocusField(const QString &name) = 0;
    // The variant ChoiceNr (from 1) of a header's ";"-separated captions.
    virtual void SetHeaderChoice(const QString &name, int choiceNr) = 0;
    // Refills the combo from the list ChoiceNr of its item and selects the first entry.
    virtual void SetComboChoice(const QString &name, int choiceNr) = 0;

    // What FindFieldCombo gives a rule: whether the combo exists, its item texts and the
    // text shown.
    virtual bool HasCombo(const QString &name) = 0;
    virtual QStringList ComboItems(const QString &name) = 0;
    virtual QString ComboText(const QString &name) = 0;

    // Hands over the four group ratings the rule decided. Whoever owns the form combines
    // them (risk_ratings.h), keeps them and has the risk panel show them.
    virtual void SetRiskAssessment(const TGroupRatings &ratings) = 0;

    // Ratings about to be handed over stay not determined because field `name` holds a
    // value the rule cannot use; `why` says what a usable one is, in Polish ("wartość
    // dopuszczalna musi być większa od 0"). The risk panel says so with those ratings.
    // Call it before that SetRiskAssessment; the first field reported is the one named.
    virtual void ReportInvalidField(const QString &name, const QString &why)
    {
        (void)name;
        (void)why;
    }

    // What the user reads field `name` by: the caption its form's definition gives it, its
    // row's and its column's labels in a table (rules/field_captions.h); empty when the
    // form knows none. Messages name fields by it, never by their internal names.
    virtual QString FieldCaption(const QString &name) const
    {
        (void)name;
        return QString();
    }

    // The `function` name of the form shown (the key its rule was found by).
    virtual QString FormName() { return QString(); }
    // The measurement shown in the measurement view; none elsewhere.
    virtual TShownMeasurement ShownMeasurement() { return {}; }

    // Messages of a rule to the user.
    virtual void ShowWarning(const QString &text);
    virtual void ShowInfo(const QString &text);
    // With the error icon and a caption of its own.
    virtual void ShowError(const QString &text, const QString &caption);
};

// Every field of names enabled, or every one disabled (SetFieldEnabled).
void SetFieldsEnabled(TFormAccess &form, const QStringList &names, bool enabled);

// The N-th ";"-separated part of text, counted from 1; the last part when text has fewer
// parts or n < 1. A text without ";" is returned whole.
QString GetDelimitedItem(const QString &text, int n);

} // namespace assessment
