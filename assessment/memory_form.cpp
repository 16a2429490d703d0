#include "assessment/memory_form.h"

#include "assessment/rules/rating_handover.h"
#include "storage/formatting.h"
#include "storage/text_xml.h"

namespace assessment {

TMemoryForm::Field &TMemoryForm::Add(const QString &name, const QString &value)
{
    Field &f = Fields[name];
    f.value = value;
    return f;
}

TMemoryForm::Field &TMemoryForm::AddCombo(const QString &name, const QStringList &items, int index)
{
    Field &f = Fields[name];
    f.items = items;
    f.lists = {items};
    f.value = QString::number(index >= 0 && index < items.size() ? index : -1);
    return f;
}

void TMemoryForm::ReportInvalidField(const QString &name, const QString &why)
{
    InvalidFields << name + QStringLiteral(": ") + why;
    Notes << rules::InvalidFieldNote(*this, name, why);
}

TMemoryForm::Field *TMemoryForm::Find(const QString &name)
{
    auto it = Fields.find(name);
    return it == Fields.end() ? nullptr : &it.value();
}

void TMemoryForm::exited(const QString &name, bool changed)
{
    if (changed && OnExit)
        OnExit(name);
}

QString TMemoryForm::GetFieldValue(const QString &name)
{
    const Field *f = Find(name);
    if (!f || name.startsWith(QLatin1String("lb_")))
        return QString();
    return f->value;
}

void TMemoryForm::SetFieldValue(const QString &name, const QString &value)
{
    Field *f = Find(name);
    if (!f)
        return;
    QString shown = value;
    bool changed = false;
    if (name.startsWith(QLatin1String("ed_"))) {
        double v = 0;
        if (storage::TryToDouble(value, v))
            shown = storage::FormatMeasuredValue(v);
        double before = 0, after = 0;
        changed = storage::TryToDouble(f->value, before) && storage::TryToDouble(shown, after) ? before != after
                                                                                               : f->value != shown;
    } else if (name.startsWith(QLatin1String("cb_"))) {
        bool ok = false;
        const int index = value.trimmed().toInt(&ok);
        if (!ok)
            return;
        shown = QString::number(index >= 0 && index < f->items.size() ? index : -1);
        changed = false; // a program's choice raises no change handler
    } else if (name.startsWith(QLatin1String("ch_"))) {
        shown = value == QLatin1String("True") ? QStringLiteral("True") : QStringLiteral("False");
        changed = shown != f->value;
    } else {
        changed = name.startsWith(QLatin1String("me_")) && shown != f->value;
    }
    f->value = shown;
    Writes << name + QLatin1Char('=') + shown;
    exited(name, changed);
}

void TMemoryForm::SetFieldText(const QString &name, const QString &text)
{
    Field *f = Find(name);
    if (!f || !name.startsWith(QLatin1String("ed_")))
        return;
    const bool changed = f->value != text;
    f->value = text;
    Writes << name + QLatin1Char('=') + text;
    exited(name, changed);
}

void TMemoryForm::SetFieldVisible(const QString &name, const QString &flag)
{
    if (Field *f = Find(name))
        f->visible = flag == QLatin1String("true");
}

void TMemoryForm::SetFieldEnabled(const QString &name, const QString &flag)
{
    if (Field *f = Find(name))
        f->enabled = flag == QLatin1String("true");
}

bool TMemoryForm::IsFieldEnabled(const QString &name)
{
    const Field *f = Find(name);
    return f && !name.startsWith(QLatin1String("lb_")) && f->enabled;
}

void TMemoryForm::FocusField(const QString &name)
{
    if (Find(name))
        Focused = name;
}

void TMemoryForm::SetHeaderChoice(const QString &name, int choiceNr)
{
    if (Field *f = Find(QStringLiteral("lb_") + name)) {
        f->choiceNr = choiceNr;
        f->value = GetDelimitedItem(f->captions, choiceNr);
    }
}

void TMemoryForm::SetComboChoice(const QString &name, int choiceNr)
{
    Field *f = Find(QStringLiteral("cb_") + name);
    if (!f)
        return;
    f->choiceNr = choiceNr;
    // As the window does with "a;b" list names: 1 takes the first list, anything else the second.
    const int list = choiceNr == 1 ? 0 : 1;
    f->items = list < f->lists.size() ? f->lists.at(list) : QStringList();
    f->value = f->items.isEmpty() ? QStringLiteral("-1") : QStringLiteral("0");
}

bool TMemoryForm::HasCombo(const QString &name)
{
    return name.startsWith(QLatin1String("cb_")) && Find(name);
}

QStringList TMemoryForm::ComboItems(const QString &name)
{
    const Field *f = HasCombo(name) ? Find(name) : nullptr;
    return f ? f->items : QStringList();
}

QString TMemoryForm::ComboText(const QString &name)
{
    const Field *f = HasCombo(name) ? Find(name) : nullptr;
    if (!f)
        return QString();
    const int index = f->value.toInt();
    return index >= 0 && index < f->items.size() ? f->items.at(index) : QString();
}

} // namespace assessment
