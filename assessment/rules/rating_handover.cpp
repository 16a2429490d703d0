#include "assessment/rules/rating_handover.h"

#include "assessment/form_access.h"
#include "assessment/rules/rule_numbers.h"
#include "storage/formatting.h"

namespace assessment::rules {

namespace reason {

QString Number()
{
    return QStringLiteral("wartość musi być liczbą");
}

QString NotNegative()
{
    return QStringLiteral("wartość musi być liczbą nie mniejszą od 0");
}

QString AboveZero()
{
    return QStringLiteral("wartość musi być liczbą większą od 0");
}

QString Measured()
{
    return QStringLiteral("wartość zmierzona musi być liczbą nie mniejszą od 0");
}

QString Permitted()
{
    return QStringLiteral("wartość dopuszczalna musi być liczbą większą od 0");
}

QString Choice()
{
    return QStringLiteral("należy wybrać pozycję z listy");
}

} // namespace reason

QString InvalidFieldNote(TFormAccess &form, const QString &name, const QString &why)
{
    const QString value = (form.HasCombo(name) ? form.ComboText(name) : form.GetFieldValue(name)).trimmed();
    const QString caption = form.FieldCaption(name);
    const QString field = caption.isEmpty() ? QStringLiteral("jedno z pól") : QStringLiteral("pole „%1”").arg(caption);
    return value.isEmpty() ? QStringLiteral("Ryzyko nie zostało określone: %1 jest puste (%2).").arg(field, why)
                           : QStringLiteral("Ryzyko nie zostało określone: %1 ma niepoprawną wartość „%2” (%3).")
                                 .arg(field, value, why);
}

void RateAllGroups(TFormAccess &form, int code)
{
    form.SetRiskAssessment(TGroupRatings::All(code));
}

void RateNotDetermined(TFormAccess &form)
{
    RateAllGroups(form, storage::RiskNotDetermined);
}

namespace {

bool reportUnless(bool usable, TFormAccess &form, const QString &name, const QString &why)
{
    if (!usable)
        form.ReportInvalidField(name, why);
    return usable;
}

} // namespace

bool ReadNumberOrReport(TFormAccess &form, const QString &name, double &value, const QString &why)
{
    return reportUnless(ReadNumber(form, name, value), form, name, why);
}

bool ReadNonNegativeOrReport(TFormAccess &form, const QString &name, double &value, const QString &why)
{
    return reportUnless(ReadNonNegativeNumber(form, name, value), form, name, why);
}

bool ReadPositiveOrReport(TFormAccess &form, const QString &name, double &value, const QString &why)
{
    return reportUnless(ReadPositiveNumber(form, name, value), form, name, why);
}

bool ReadNumberZeroPrefixedOrReport(TFormAccess &form, const QString &name, double &value, const QString &why)
{
    return reportUnless(ReadNumberZeroPrefixed(form, name, value), form, name, why);
}

int ReadChoiceOrReport(TFormAccess &form, const QString &name)
{
    const int index = ReadChoice(form, name);
    reportUnless(index >= 0, form, name, reason::Choice());
    return index;
}

bool ReportUndeterminedQuotient(TFormAccess &form, const TQuotientDef &d)
{
    double v = 0;
    return !ReadNonNegativeOrReport(form, d.measured, v, reason::Measured()) ||
           !ReadPositiveOrReport(form, d.permitted, v, reason::Permitted());
}

bool ReportFirstUndeterminedQuotient(TFormAccess &form, const QList<TQuotientDef> &defs)
{
    for (const TQuotientDef &d : defs) {
        double v = 0;
        if (!ReadNonNegativeNumber(form, d.multiple, v) && ReportUndeterminedQuotient(form, d))
            return true;
    }
    return false;
}

} // namespace assessment::rules
