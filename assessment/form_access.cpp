#include "assessment/form_access.h"

#include "platform/prompter.h"

namespace assessment {

void TFormAccess::ShowWarning(const QString &text)
{
    platform::ShowWarning(text);
}

void TFormAccess::ShowInfo(const QString &text)
{
    platform::ShowInfo(text);
}

void TFormAccess::ShowError(const QString &text, const QString &caption)
{
    platform::ShowError(text, caption);
}

void SetFieldsEnabled(TFormAccess &form, const QStringList &names, bool enabled)
{
    const QString flag = enabled ? QStringLiteral("true") : QStringLiteral("false");
    for (const QString &name : names)
        form.SetFieldEnabled(name, flag);
}

QString GetDelimitedItem(const QString &text, int n)
{
    const QStringList parts = text.split(QLatin1Char(';'));
    if (n < 1 || n > parts.size())
        return parts.last();
    return parts.at(n - 1);
}

} // namespace assessment
