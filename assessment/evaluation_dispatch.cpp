#include "assessment/evaluation_dispatch.h"

#include <QHash>

namespace assessment {

namespace {

QHash<QString, EvaluationRule> &rules()
{
    static QHash<QString, EvaluationRule> table;
    return table;
}

} // namespace

EvaluationRule FindEvaluationRule(const QString &formName)
{
    return rules().value(formName);
}

void RegisterEvaluationRule(const QString &formName, EvaluationRule rule)
{
    if (rule)
        rules().insert(formName, std::move(rule));
    else
        rules().remove(formName);
}

} // namespace assessment
