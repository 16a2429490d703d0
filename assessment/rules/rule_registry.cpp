#include "assessment/rules/rule_registry.h"

#include <QHash>

namespace assessment::rules {

namespace {

QHash<QString, TRuleFields> &fieldTable()
{
    static QHash<QString, TRuleFields> table;
    return table;
}

} // namespace

void RegisterRule(const QString &formName, EvaluationRule rule, TRuleFields fields)
{
    RegisterEvaluationRule(formName, std::move(rule));
    fieldTable().insert(formName, std::move(fields));
}

const TRuleFields *RuleFields(const QString &formName)
{
    auto it = fieldTable().constFind(formName);
    return it == fieldTable().constEnd() ? nullptr : &it.value();
}

QStringList RegisteredRuleForms()
{
    QStringList names = fieldTable().keys();
    names.sort();
    return names;
}

} // namespace assessment::rules
