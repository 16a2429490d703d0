#pragma once

// Every evaluation rule is registered here together with the fields it works on, so that
// the shipped form definitions can be checked against the rules that read them: a field a
// rule uses but a definition lacks would read as empty text and leave the form unrated.

#include "assessment/evaluation_dispatch.h"

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

// Registers the rule of one form name with the dispatcher and records its fields.
void RegisterRule(const QString &formName, EvaluationRule rule, TRuleFields fields);
// The fields of a registered rule; nullptr when none were recorded.
const TRuleFields *RuleFields(const QString &formName);
// The form names registered through RegisterRule.
QStringList RegisteredRuleForms();

} // namespace assessment::rules
