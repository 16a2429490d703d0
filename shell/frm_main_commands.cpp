// The commands of the toolbar and menu, their routing to the current view by ViewName,
// and the ask-to-save protocol.
#include "shell/frm_main.h"

#include "appstate/appstate.h"
#include "appstate/view.h"
#include "appstate/view_registry.h"
#include "platform/clipboard.h"
#include "platform/launcher.h"
#include "platform/paths.h"
#include "platform/prompter.h"
#include "shell/help_topics.h"
#include "shell/html_help.h"
#include "storage/workstation_files.h"

#include <QAction>
#include <QApplication>
#include <QMenu>

namespace shell {

namespace {

const QString kDefStan = QStringLiteral("frmDefStan");
const QString kRyzZakl = QStringLiteral("frmRyzZakl");
const QString kZestaw = QStringLiteral("frmZestaw");
const QString kDeleteCaption = QStringLiteral("Potwierdź usunięcie danych ");

// A document definition file name ("protpow_frm_2.xml"), as opposed to a built-in view.
bool isDocumentName(const QString &viewName)
{
    return viewName.contains(QLatin1String("_frm"));
}

// The view's own wording of its delete question, else the usual one for that view.
bool confirmDelete(appstate::TView *view, const QString &usual)
{
    QString question = view->DeleteQuestion();
    if (question.isEmpty())
        question = usual;
    return platform::ConfirmDeletion(question, kDeleteCaption);
}

} // namespace

void TfrmMain::ApplyOperations(const QString &oper)
{
    mHelp->setEnabled(true);
    // Save is enabled only by a change; the letter only allows it. Each command is set once
    // to its state (switching it off and on again redraws its menu item and tool button).
    m_saveAllowed = oper.contains(QLatin1Char('s'));
    mZapisz->setEnabled(false);
    mPaste->setEnabled(false);
    mNowy->setEnabled(oper.contains(QLatin1Char('n')));
    mDelete->setEnabled(oper.contains(QLatin1Char('d')));
    mModify->setEnabled(oper.contains(QLatin1Char('m')));
    mDruk->setEnabled(oper.contains(QLatin1Char('p')));
    mCopy->setEnabled(oper.contains(QLatin1Char('k')));
}

void TfrmMain::SetSaveEnabled(bool enabled)
{
    mZapisz->setEnabled(enabled && m_saveAllowed);
}

bool TfrmMain::ConfirmPendingChanges()
{
    auto &state = appstate::State();
    state.CommitLastWinCtrl();
    // Unsaved changes are offered whenever they exist, not only after an editor was
    // entered: a change made through a dialog must not be carried into the next view.
    if (!state.Modified())
        return true;
    appstate::TView *view = nullptr;
    if (state.ViewName == kDefStan || state.ViewName == kRyzZakl)
        view = ExistingViewFor(state.ViewName);
    else
        view = ExistingViewFor(appstate::DocumentViewName());
    if (view)
        view->AskSaveChanges();
    else
        appstate::AskSaveChangesDefault();
    // No clears the flag, a successful save too: what is left is a write that failed.
    return !state.Modified();
}

void TfrmMain::NewForm(QObject *)
{
    auto &state = appstate::State();
    if (!ConfirmPendingChanges())
        return; // a new form would clear the edits that could not be saved
    state.NewDocument = true;
    if (appstate::TView *view = EditingView())
        view->New();
    if (state.Modified())
        SetSaveEnabled(true);
    state.EditAllowed = true;
}

appstate::TView *TfrmMain::EditingView() const
{
    const QString &name = appstate::State().ViewName;
    if (name == kDefStan || name == kRyzZakl)
        return ExistingViewFor(name);
    return CurrentDocumentView();
}

appstate::TView *TfrmMain::CurrentDocumentView() const
{
    return isDocumentName(appstate::State().ViewName) ? ExistingViewFor(appstate::DocumentViewName()) : nullptr;
}

void TfrmMain::AfterWrite(bool written)
{
    SetSaveEnabled(!written);
    appstate::State().SetModified(!written);
}

void TfrmMain::SaveForm(QObject *)
{
    SaveCurrentView();
}

bool TfrmMain::SaveCurrentView()
{
    auto &state = appstate::State();
    // The text being typed is part of what the user saves.
    state.CommitLastWinCtrl();
    appstate::TView *view = EditingView();
    // Nothing to save in the summary and catalogue views, and never into a window that
    // was not created.
    if (!view)
        return false;
    if (!view->Save())
        return false; // the writer has said why; the changes stay unsaved
    state.NewDocument = false;
    SetSaveEnabled(false);
    state.SetModified(false);
    return true;
}

void TfrmMain::DeleteForm(QObject *)
{
    auto &state = appstate::State();
    state.CommitLastWinCtrl();
    if (state.ViewName == kRyzZakl) {
        appstate::TView *view = ExistingViewFor(kRyzZakl);
        if (!view || !view->HasDeletableSelection())
            return;
        if (!confirmDelete(view, QStringLiteral("Czy na pewno usunąć wybrany pomiar?")))
            return;
        if (!view->DeleteSelection())
            return;
        AfterWrite(view->Save());
    } else if (state.ViewName == kDefStan) {
        appstate::TView *view = ExistingViewFor(kDefStan);
        if (!view || !view->HasDeletableSelection())
            return;
        if (!confirmDelete(view, QStringLiteral("Czy na pewno usunąć wybrane stanowisko wraz z danymi?")))
            return;
        if (!view->DeleteSelection()) {
            platform::ShowError(QStringLiteral("Operacja usunięcia stanowiska nie powiodła się!"));
            return;
        }
        AfterWrite(appstate::ReportStorageResult(storage::WriteWorkstationList(state.DataFolder, state.Workstations)));
    } else if (isDocumentName(state.ViewName)) {
        appstate::TView *view = CurrentDocumentView();
        // A new document that was never stored has nothing to delete.
        if (!view || !view->HasDeletableSelection())
            return;
        if (!confirmDelete(view, QStringLiteral("Czy na pewno usunąć wybrany dokument?")))
            return;
        view->DeleteSelection();
        state.NewDocument = true;
    }
}

void TfrmMain::ModifyForm(QObject *)
{
    auto &state = appstate::State();
    if (state.ViewName != kRyzZakl)
        return;
    state.CommitLastWinCtrl();
    appstate::TView *view = ExistingViewFor(kRyzZakl);
    if (view && view->ModifySelection()) {
        SetSaveEnabled(true);
        state.EditAllowed = true;
    }
}

void TfrmMain::PrintForm(QObject *)
{
    auto &state = appstate::State();
    ConfirmPendingChanges();
    const QString dialog = state.ViewName == kZestaw ? QStringLiteral("frmWydrukRej") : QStringLiteral("frmWydruk");
    if (appstate::RunCommandDialog(dialog))
        return;
    // Until the print dialogs exist, the current view is asked to print itself.
    if (appstate::TView *view = HostedView)
        view->Print();
}

void TfrmMain::CopyForm(QObject *)
{
    appstate::TView *view = CurrentDocumentView();
    if (!view)
        return;
    appstate::State().CommitLastWinCtrl();
    const QString text = view->CopyFieldsToText();
    if (!text.isNull())
        platform::CurrentClipboard().SetText(text);
    mPaste->setEnabled(true);
}

void TfrmMain::PasteForm(QObject *)
{
    appstate::TView *view = CurrentDocumentView();
    if (!view)
        return;
    appstate::State().CommitLastWinCtrl();
    view->PasteFieldsFromText(platform::CurrentClipboard().Text());
}

bool TfrmMain::FormClose()
{
    auto &state = appstate::State();
    // An edit typed just before closing is committed, so it is offered for saving too.
    state.CommitLastWinCtrl();
    if (!state.Modified())
        return true;
    // False when Yes was answered and the save failed (the writer has said why): closing
    // now would lose the changes.
    if (appstate::TView *doc = ExistingViewFor(appstate::DocumentViewName()))
        return doc->AskSaveChanges();
    return appstate::AskSaveChangesDefault();
}

void TfrmMain::ShowHelpIndex()
{
    qApp->setProperty("helpFile", QStringLiteral("Tarvelin.chm"));
    // Indeks opens the main window's topic; when F1 is what runs it, the page of the
    // control with the focus (in this window: of the view it shows).
    const int asked = HelpKeyShortcutRunning() ? HelpContextOf(QApplication::focusWidget()) : 0;
    ShowHelpContext(asked > 0 ? asked : HelpTopic);
}

} // namespace shell
