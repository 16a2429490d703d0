// The measurement pages' form interface: the evaluation rules read and write the built
// pages by component name through these, on the page the field operations currently search
// (CurrentScrollBox).

#include "assessment/measurement_pages.h"

#include "assessment/rules/field_captions.h"
#include "storage/formatting.h"
#include "storage/text_xml.h"
#include "widgets/field_binding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QToolButton>

#include <algorithm>

namespace assessment {

namespace {

bool isInput(const QWidget *w)
{
    return qobject_cast<const QLineEdit *>(w) || qobject_cast<const QPlainTextEdit *>(w) ||
           qobject_cast<const QComboBox *>(w) || qobject_cast<const QCheckBox *>(w);
}

// A caption that sized itself to its text sizes itself again to a new text.
void refitLabel(QLabel *lbl)
{
    const QVariant maxWidth = lbl->property("autoMaxWidth");
    if (!maxWidth.isValid())
        return;
    const QFontMetrics fm(lbl->font());
    const int width = std::max(maxWidth.toInt(), 1);
    const QRect r = fm.boundingRect(QRect(0, 0, width, 1 << 20), Qt::TextWordWrap, lbl->text());
    lbl->resize(std::min(std::max(r.width(), 1), width), std::max(r.height(), fm.height()));
}

} // namespace

QWidget *TMeasurementPages::findOnPage(QScrollArea *page, const QString &name) const
{
    if (!page || !page->widget() || name.isEmpty())
        return nullptr;
    return page->widget()->findChild<QWidget *>(name, Qt::FindDirectChildrenOnly);
}

QWidget *TMeasurementPages::FindField(const QString &name) const
{
    return findOnPage(CurrentScrollBox.data(), name);
}

QWidget *TMeasurementPages::findOnAnyPage(const QString &name, QScrollArea **page) const
{
    for (int i = 0; i < pgDokum->count(); ++i) {
        auto *scroll = pgDokum->widget(i)->findChild<QScrollArea *>(QString(), Qt::FindDirectChildrenOnly);
        if (QWidget *w = findOnPage(scroll, name)) {
            if (page)
                *page = scroll;
            return w;
        }
    }
    return nullptr;
}

QScrollArea *TMeasurementPages::PageOf(const QWidget *control)
{
    for (QWidget *p = control ? control->parentWidget() : nullptr; p; p = p->parentWidget()) {
        if (auto *scroll = qobject_cast<QScrollArea *>(p))
            return scroll;
    }
    return nullptr;
}

storage::TPomiar *TMeasurementPages::findItem(const QString &prefix, const QString &controlName) const
{
    if (!FormItems || !controlName.startsWith(prefix))
        return nullptr;
    const QStringView nazwa = QStringView(controlName).mid(prefix.size());
    for (const std::unique_ptr<storage::TPomiar> &item : *FormItems) {
        if (item->nazwa() == nazwa)
            return item.get();
    }
    return nullptr;
}

QString TMeasurementPages::GetFieldValue(const QString &name)
{
    QWidget *w = FindField(name);
    if (auto *ed = qobject_cast<QLineEdit *>(w))
        return ed->text();
    if (auto *me = qobject_cast<QPlainTextEdit *>(w))
        return me->toPlainText();
    if (auto *cb = qobject_cast<QComboBox *>(w))
        return QString::number(cb->currentIndex());
    if (auto *ch = qobject_cast<QCheckBox *>(w))
        return ch->isChecked() ? QStringLiteral("True") : QStringLiteral("False");
    return QString();
}

void TMeasurementPages::SetFieldValue(const QString &name, const QString &value)
{
    QWidget *w = FindField(name);
    if (!w)
        return;
    if (auto *lbl = qobject_cast<QLabel *>(w)) {
        lbl->setText(value);
        refitLabel(lbl);
    } else if (auto *ed = qobject_cast<QLineEdit *>(w)) {
        // Numbers are shown as the user sees every measured value; a text that is no number
        // is shown as given rather than failing half-way through a rule.
        double v = 0;
        ed->setText(storage::TryToDouble(value, v) ? storage::FormatMeasuredValue(v) : value);
        ed->setCursorPosition(0);
    } else if (auto *me = qobject_cast<QPlainTextEdit *>(w)) {
        widgets::SetMemoText(me, value); // a rule's text, kept whole like a stored one
    } else if (auto *cb = qobject_cast<QComboBox *>(w)) {
        bool ok = false;
        const int index = value.trimmed().toInt(&ok);
        if (ok) {
            {
                // The program's choice raises no change handler ...
                QSignalBlocker block(cb);
                cb->setCurrentIndex(index >= 0 && index < cb->count() ? index : -1);
            }
            // ... but the item stores the text now shown, so that what is saved is what
            // is seen.
            if (storage::TPomiar *item = findItem(QStringLiteral("cb_"), cb->objectName()))
                commitField(*item, cb->currentText(), item->Value != cb->currentText());
        }
    } else if (auto *ch = qobject_cast<QCheckBox *>(w)) {
        // A change of state raises the click handler, as a user's click would.
        ch->setChecked(value == QLatin1String("True"));
    } else {
        return;
    }
    ExitField(w);
}

void TMeasurementPages::SetFieldText(const QString &name, const QString &text)
{
    auto *ed = qobject_cast<QLineEdit *>(FindField(name));
    if (!ed)
        return;
    ed->setText(text);
    ed->setCursorPosition(0);
    ExitField(ed);
}

void TMeasurementPages::SetFieldVisible(const QString &name, const QString &flag)
{
    QWidget *w = FindField(name);
    if (w && (isInput(w) || qobject_cast<QLabel *>(w)))
        w->setVisible(flag == QLatin1String("true"));
}

void TMeasurementPages::SetFieldEnabled(const QString &name, const QString &flag)
{
    QWidget *w = FindField(name);
    if (w && (isInput(w) || qobject_cast<QLabel *>(w) || qobject_cast<QToolButton *>(w)))
        w->setEnabled(flag == QLatin1String("true"));
}

bool TMeasurementPages::IsFieldEnabled(const QString &name)
{
    QWidget *w = FindField(name);
    // The control's own flag: a page that is not shown does not make its fields disabled.
    return w && isInput(w) && !w->testAttribute(Qt::WA_ForceDisabled);
}

QComboBox *TMeasurementPages::FindFieldCombo(const QString &name)
{
    return qobject_cast<QComboBox *>(FindField(name));
}

void TMeasurementPages::FocusField(const QString &name)
{
    // Rules run inside exit handlers, while the focus is moving: give it afterwards.
    if (auto *ed = qobject_cast<QLineEdit *>(FindField(name)))
        widgets::ReturnFocusLater(ed);
}

void TMeasurementPages::SetHeaderChoice(const QString &name, int choiceNr)
{
    if (!FormItems)
        return;
    const storage::TPomiar *first = nullptr;
    for (const std::unique_ptr<storage::TPomiar> &item : *FormItems) {
        if (item->typ() == QLatin1String("naglowek") && item->nazwa() == name) {
            item->ChoiceNr = choiceNr;
            if (!first)
                first = item.get();
        }
    }
    // Every page is searched without being shown: the view stays where the user is.
    if (auto *lbl = qobject_cast<QLabel *>(findOnAnyPage(QStringLiteral("lb_") + name))) {
        lbl->setText(GetDelimitedItem(first ? first->etyk : QString(), choiceNr));
        refitLabel(lbl);
    }
}

void TMeasurementPages::SetComboChoice(const QString &name, int choiceNr)
{
    if (!FormItems)
        return;
    storage::TPomiar *first = nullptr;
    for (const std::unique_ptr<storage::TPomiar> &item : *FormItems) {
        if (item->typ() == QLatin1String("combo") && item->nazwa() == name) {
            item->ChoiceNr = choiceNr;
            if (!first)
                first = item.get();
        }
    }
    auto *cb = qobject_cast<QComboBox *>(findOnAnyPage(QStringLiteral("cb_") + name));
    if (!cb || !first)
        return;
    if (cb->isEditable()) {
        // A stored text the old list did not offer gives way to the new list.
        cb->setEditable(false);
        cb->setEnabled(first->enabled && cb->property("accessEnabled").toBool());
    }
    FillComboItems(*first, choiceNr, cb);
    {
        QSignalBlocker block(cb);
        cb->setCurrentIndex(cb->count() > 0 ? 0 : -1);
    }
    if (first->Value != cb->currentText()) {
        first->Value = cb->currentText();
        markModified();
    }
}

bool TMeasurementPages::HasCombo(const QString &name)
{
    return FindFieldCombo(name) != nullptr;
}

QStringList TMeasurementPages::ComboItems(const QString &name)
{
    QStringList texts;
    if (QComboBox *cb = FindFieldCombo(name)) {
        for (int i = 0; i < cb->count(); ++i)
            texts << cb->itemText(i);
    }
    return texts;
}

QString TMeasurementPages::ComboText(const QString &name)
{
    QComboBox *cb = FindFieldCombo(name);
    return cb ? cb->currentText() : QString();
}

QString TMeasurementPages::FieldCaption(const QString &name) const
{
    return FormItems ? rules::DefinitionFieldCaption(*FormItems, name) : QString();
}

} // namespace assessment
