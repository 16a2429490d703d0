// Field events of the measurement pages: what an edit, a memo, a combo, a check box and a
// choice button do with the value they hold, and the evaluation they start.

#include "assessment/measurement_pages.h"
#include "assessment/ratings_store.h"
#include "assessment/rules/evaluation_dispatch.h"

#include "appstate/appstate.h"
#include "platform/paths.h"
#include "platform/prompter.h"
#include "platform/tarvelin_error.h"
#include "storage/measurements.h"
#include "storage/text_xml.h"
#include "widgets/field_binding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QScrollArea>

#include <utility>

namespace assessment {

namespace {

TMeasurementPages::ParamTreeChooser &chooser()
{
    static TMeasurementPages::ParamTreeChooser c;
    return c;
}

const char *const FormatError = "Niepoprawny format wprowadzonej danej liczbowej!";

} // namespace

void TMeasurementPages::SetParamTreeChooser(ParamTreeChooser c)
{
    chooser() = std::move(c);
}

template <typename Body> void TMeasurementPages::guardedEvent(Body body)
{
    if (m_eventGuard) {
        body(); // nested in an event already guarded
        return;
    }
    const QScopedValueRollback<bool> guard(m_eventGuard, true);
    storage::TPomiarCzynn *m = m_store ? m_store->EditedMeasurement() : nullptr;
    std::unique_ptr<storage::TPomiarCzynn> snapshot;
    if (m && FormItems == &m->Fields)
        snapshot = m->Clone();
    const auto fail = [&](const QString &message) {
        platform::ShowError(
            QStringLiteral("Błąd podczas oceny pomiaru: %1\nDane pomiaru pozostały bez zmian.").arg(message));
        if (snapshot)
            m_store->RestoreMeasurement(*snapshot);
    };
    try {
        body();
    } catch (const platform::TarvelinError &e) {
        fail(e.message());
    } catch (const std::exception &e) {
        fail(QString::fromLocal8Bit(e.what()));
    }
}

void TMeasurementPages::EvaluateMeasurementForm(QWidget *sender)
{
    if (!sender)
        return;
    const EvaluationRule rule = FindEvaluationRule(CurrentFormName);
    if (!rule)
        return;
    // A rule's writes re-run the exit handler and through it the rule; equal values end the
    // chain, and this bound ends a chain that would not end by itself.
    if (m_evaluationDepth >= MaxEvaluationDepth)
        return;
    const QScopedValueRollback<int> depth(m_evaluationDepth, m_evaluationDepth + 1);
    // The rule reads and writes the page of the control that changed, whatever tab is shown.
    if (QScrollArea *page = PageOf(sender))
        CurrentScrollBox = page;
    rule(*this, sender->objectName());
}

// Every field event runs the same way: guarded (a rule that fails puts the measurement
// back), on the page of the control that raised it (the rule it starts reads and writes
// that page), then its own step, then Save offered where the step marked a change.
template <typename Step> void TMeasurementPages::fieldEvent(QWidget *control, Step step)
{
    if (!control)
        return;
    guardedEvent([&] {
        if (QScrollArea *page = PageOf(control))
            CurrentScrollBox = page;
        step();
        applySaveRule();
    });
}

void TMeasurementPages::commitField(storage::TPomiar &item, const QString &value, bool differs)
{
    if (differs)
        markModified();
    item.Value = value;
}

void TMeasurementPages::commitAndEvaluate(QWidget *control, const QString &prefix, const QString &value)
{
    storage::TPomiar *item = findItem(prefix, control->objectName());
    if (!item)
        return;
    commitField(*item, value, item->Value != value);
    EvaluateMeasurementForm(control);
}

void TMeasurementPages::exitEdit(QLineEdit *ed)
{
    storage::TPomiar *item = findItem(QStringLiteral("ed_"), ed->objectName());
    if (!item)
        return;
    // A number typed with a decimal comma is kept, and shown, with the point.
    const QString n = item->sprpopr() ? storage::NumberWithPoint(ed->text()) : ed->text();
    if (n != ed->text()) {
        ed->setText(n);
        ed->setCursorPosition(0);
    }
    double oldNumber = 0, newNumber = 0;
    const bool oldIsNumber = storage::TryToDouble(item->Value, oldNumber);
    const bool newIsNumber = storage::TryToDouble(n, newNumber);
    const bool byNumber = oldIsNumber && newIsNumber;
    if (!byNumber && item->sprpopr() && !n.isEmpty() && !newIsNumber) {
        // Only a new text that is no number is refused (an empty field, or one that held
        // text before, takes its first number without complaint); the field shows the stored
        // value again, so what is seen is what is saved.
        platform::ShowWarning(QString::fromUtf8(FormatError));
        ed->setText(item->Value);
        ed->setCursorPosition(0);
        widgets::ReturnFocusLater(ed);
        return;
    }
    // A value chosen in a parameter tree counts as a change even when the text is the same.
    const bool treeChoice = std::exchange(TreeChoiceMade, false);
    const bool differs = byNumber ? oldNumber != newNumber : item->Value != n;
    commitField(*item, n, differs);
    if ((differs || treeChoice) && item->onexit)
        EvaluateMeasurementForm(ed);
}

void TMeasurementPages::ExitField(QWidget *sender)
{
    fieldEvent(sender, [&] {
        if (auto *ed = qobject_cast<QLineEdit *>(sender))
            exitEdit(ed);
        else if (auto *me = qobject_cast<QPlainTextEdit *>(sender))
            commitAndEvaluate(me, QStringLiteral("me_"), me->toPlainText());
    });
}

void TMeasurementPages::ChangeField(QWidget *sender)
{
    if (auto *cb = qobject_cast<QComboBox *>(sender))
        fieldEvent(cb, [&] { commitAndEvaluate(cb, QStringLiteral("cb_"), cb->currentText()); });
}

void TMeasurementPages::ClickField(QWidget *sender)
{
    if (auto *ch = qobject_cast<QCheckBox *>(sender)) {
        fieldEvent(ch, [&] {
            commitAndEvaluate(ch, QStringLiteral("ch_"),
                              ch->isChecked() ? QStringLiteral("True") : QStringLiteral("False"));
        });
    }
}

void TMeasurementPages::ClickForm(QWidget *sender)
{
    guardedEvent([&] {
        if (!sender)
            return;
        QScrollArea *page = PageOf(sender);
        if (page)
            CurrentScrollBox = page;
        storage::TPomiar *item = findItem(QStringLiteral("bb_"), sender->objectName());
        if (!item)
            return;
        auto *ed = qobject_cast<QLineEdit *>(findOnPage(page, QStringLiteral("ed_") + item->nazwa()));
        const QString current = ed ? ed->text() : item->Value;
        const QString treeFile = platform::JoinStoredPath(AttachmentFolder, item->zal());
        if (!chooser())
            return;
        const ParamTreeChoice choice = chooser()(treeFile, current);
        if (choice.result == 3)
            return; // "Zamknij": nothing chosen, nothing changed
        if (choice.text != current)
            markModified();
        if (choice.result == 1)
            TreeChoiceMade = true;
        QString parameter;
        if (item->nazwa() == QLatin1String("RodzWnetrzaN"))
            parameter = choice.par1;
        else if (item->nazwa() == QLatin1String("RodzWnetrzaB"))
            parameter = choice.par2;
        else if (item->nazwa() == QLatin1String("RodzWnetrzaR"))
            parameter = choice.par3;
        item->Value = choice.text;
        if (ed) {
            ed->setText(choice.text);
            ed->setCursorPosition(0);
        }
        if (auto *required = qobject_cast<QLineEdit *>(
                findOnPage(page, QStringLiteral("ed_") + item->nazwa() + QStringLiteral("Wymagany")))) {
            required->setText(choice.result == 5 ? QStringLiteral("0.0") : parameter);
            ExitField(required);
        }
        applySaveRule();
    });
}

void TMeasurementPages::EnterField(QWidget *sender)
{
    m_state.SetLastWinCtrl(sender);
}

} // namespace assessment
