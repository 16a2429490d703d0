#include "assessment/rules/rule_registry.h"

#include "assessment/rules/evaluation_dispatch.h"

#include <QHash>

namespace assessment::rules {

namespace {

QHash<QString, TRuleFields> &fieldTable()
{
    static QHash<QString, TRuleFields> table;
    return table;
}

} // namespace

void RegisterRuleFields(const QString &formName, TRuleFields fields)
{
    fieldTable().insert(formName, std::move(fields));
}

const TRuleFields *RuleFields(const QString &formName)
{
    EnsureRulesRegistered();
    auto it = fieldTable().constFind(formName);
    return it == fieldTable().constEnd() ? nullptr : &it.value();
}

QStringList RegisteredRuleForms()
{
    EnsureRulesRegistered();
    QStringList names = fieldTable().keys();
    names.sort();
    return names;
}

} // namespace assessment::rules
