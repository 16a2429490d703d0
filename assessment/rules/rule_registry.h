#pragma once

// The fields each form's evaluation rule works on, recorded by the rule families when they
// register, so that the shipped form definitions can be checked against the rules that read
// them: a field a rule uses but a definition lacks would read as empty text and leave the
// form unrated.

#include <QString>
#include <QStringList>

namespace assessment::rules {

// The controls (with their prefixes) a rule works on.
struct TRuleFields
{
    QStringList Edited;   // typed by the user: must evaluate the form when left (onexit)
    QStringList Computed; // numbers the rule writes and later reads: must start as a number
    QStringList Other;    // combos, check boxes, labels the rule reads or switches
};

// Records the fields of the rule of one form name.
void RegisterRuleFields(const QString &formName, TRuleFields fields);
// The fields of a registered rule; nullptr when none were recorded.
const TRuleFields *RuleFields(const QString &formName);
// The form names whose fields are recorded.
QStringList RegisteredRuleForms();

} // namespace assessment::rules
