#include "printouts/form_filler.h"

#include "printouts/form_page.h"

#include "storage/text_xml.h"

namespace printouts {

using namespace reportengine;
using storage::TDokum;
using storage::TDokumList;

namespace {

const QString kKod = QStringLiteral("Kod_");

QString slotText(const TDokum &field, int k)
{
    const storage::TDokumWart *slot = field.Slot(k);
    return slot ? slot->wartosc : QString();
}

// The code a "Kod_" label prints: from the second character up to the first "]".
QString codeCaption(const QString &value)
{
    const qsizetype close = value.indexOf(QLatin1Char(']'));
    return close > 1 ? value.mid(1, close - 1) : QString();
}

// The part of a name before its first "_"; empty for a name without one.
QString stemBeforeUnderscore(const QString &name)
{
    const qsizetype at = name.indexOf(QLatin1Char('_'));
    return at < 0 ? QString() : name.left(at);
}

} // namespace

bool LabelMatchesSlot(const QString &name, const QString &field, int ile, int k)
{
    if (field.isEmpty())
        return false;
    if (ile == 1)
        return name.startsWith(field);
    return name.left(field.size() + 2) == field + QString::number(k);
}

QString BracketCode(const QString &value)
{
    if (!value.startsWith(QLatin1Char('[')))
        return QString();
    return codeCaption(value);
}

QString TickName(const QString &field, const QString &value, const QString &shapeName)
{
    const QString code = BracketCode(value);
    if (code.isEmpty())
        return QString();
    const qsizetype dot = code.indexOf(QLatin1Char('.'));
    if (dot < 0)
        return field + QLatin1Char('_') + code;
    if (shapeName.contains(QLatin1String("_0_")))
        return field + QLatin1String("_0_") + code.mid(dot + 1);
    return field + QLatin1Char('_') + code.left(dot) + QLatin1String("_0");
}

QString FormCaption(const QString &value)
{
    const qsizetype close = value.indexOf(QLatin1Char(']'));
    return close < 0 ? value : value.mid(close + 2);
}

QString TFormPageFiller::GetDocumentFieldValue(const TDokumList &items, const QString &name)
{
    for (const auto &item : items)
        if (item->nazwa == name)
            return slotText(*item, 1);
    return QString();
}

QString TFormPageFiller::Lookup(const QString &zal, const QString &sourceValue) const
{
    QString path = AttachFolder;
    if (!path.isEmpty() && !path.endsWith(QLatin1Char('\\')) && !path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('\\');
    // A miss leaves the text empty: never the text of an earlier lookup.
    QString text;
    storage::ReadFirstElementValue(path + zal, sourceValue.left(3), text);
    return text;
}

QString TFormPageFiller::TekstText(const TDokum &field, const TDokumList &items) const
{
    QString text;
    if (field.druk == QLatin1String("suma")) {
        for (const storage::TDrukPoz &p : field.PrintPositions) {
            const QString source = GetDocumentFieldValue(items, p.druk);
            text +=
                p.etyk + QLatin1Char(' ') + (p.zal.isEmpty() ? source : Lookup(p.zal, source)) + QLatin1String("  ");
        }
    } else {
        const QString source = GetDocumentFieldValue(items, field.druk);
        text = field.etyk + (field.zal.isEmpty() ? source : Lookup(field.zal, source));
    }
    return text.trimmed();
}

void TFormPageFiller::Ticks(TFormPage &page, const TDokum &field, const QString &value, TVRPrintable *shape) const
{
    const QString name = shape->Name();
    const QString tick = BlankForms ? QString() : TickName(field.nazwa, value, name);
    if (tick.isEmpty()) {
        // Blank forms, or a value that chooses no option: no mark of the field prints.
        shape->SetEnabled(false);
        return;
    }
    const bool chosen = name.startsWith(tick);
    if (chosen && field.druk == QLatin1String("odznacz")) {
        shape->SetEnabled(false);
        if (field.ppow.isEmpty())
            return;
        const QString linked = field.ppow + name.mid(name.indexOf(QLatin1Char('_')), 9);
        for (TVRPrintable *d : page.Components()) {
            if (qobject_cast<TVRCustomLabel *>(d)) {
                if (d->Name() == linked)
                    d->SetEnabled(true);
                else if (stemBeforeUnderscore(d->Name()) == field.ppow)
                    d->SetEnabled(false);
            } else if (d->Name() == linked) {
                d->SetEnabled(false);
            }
        }
    } else if (!chosen && field.druk == QLatin1String("zaznacz")) {
        shape->SetEnabled(false);
    }
}

void TFormPageFiller::Fill(TFormPage &page, const TDokumList &items) const
{
    const std::vector<TVRPrintable *> &components = page.Components();
    for (TVRPrintable *c : components)
        c->SetEnabled(page.DesignEnabled(c));
    for (const auto &item : items) {
        const TDokum &f = *item;
        if (f.nazwa.isEmpty())
            continue;
        const bool isTekst = f.typ == QLatin1String("tekst") || f.typ == QLatin1String("tekst_p");
        const bool isCombo = f.typ == QLatin1String("combo");
        for (int k = 1; k <= f.ile; ++k) {
            const QString value = slotText(f, k);
            for (TVRPrintable *c : components) {
                auto *label = qobject_cast<TVRCustomLabel *>(c);
                if (!label) {
                    if (isCombo && c->Name().startsWith(f.nazwa))
                        Ticks(page, f, value, c);
                    continue;
                }
                const QString &name = c->Name();
                if (LabelMatchesSlot(name, f.nazwa, f.ile, k)) {
                    QString caption;
                    if (isTekst) {
                        const QString blankText = f.ppow.isEmpty() ? page.DesignCaption(c) : f.ppow;
                        caption = BlankForms && f.typ == QLatin1String("tekst") ? blankText : TekstText(f, items);
                    } else if (!BlankForms) {
                        caption = f.typ == QLatin1String("form") ? FormCaption(value) : value;
                    }
                    label->SetCaption(caption);
                    if (!isTekst)
                        page.NoteItemCaption(c, f.etyk);
                }
                if (LabelMatchesSlot(name, kKod + f.nazwa, f.ile, k))
                    label->SetCaption(BlankForms ? QString() : codeCaption(value));
            }
        }
    }
}

} // namespace printouts
