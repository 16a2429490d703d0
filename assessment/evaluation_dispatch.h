#pragma once

// The evaluation rules of the measurement forms, found by the `function` name that the
// root of a form definition carries (for example "halas_fizyczny_Pomiar_01", not the file
// name). A form whose name has no rule is not evaluated.

#include "assessment/form_access.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace assessment {

// A rule gets the form and the component name of the control that changed
// ("ed_PylCalkZm", "cb_Rodz", "ch_cbSumNDS"). It reads and writes only through the form;
// when it rates it ends with SetRiskAssessment.
using EvaluationRule = std::function<void(TFormAccess &form, const QString &senderName)>;

// The rule registered for formName, or an empty function.
EvaluationRule FindEvaluationRule(const QString &formName);
// Registers (or, with an empty rule, removes) the rule of one form name.
void RegisterEvaluationRule(const QString &formName, EvaluationRule rule);

} // namespace assessment
