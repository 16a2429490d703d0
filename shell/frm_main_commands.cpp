// The commands of the toolbar and menu, their routing to the view of the current element,
// and the ask-to-save protocol. What a command does differs from view to view only through
// the view interface (appstate/view.h).
#include "shell/frm_main.h"

#include "appstate/appstate.h"
#include "appstate/view.h"
#include "appstate/view_registry.h"
#include "platform/clipboard.h"
#include "platform/prompter.h"
#include "shell/help_topics.h"
#include "shell/html_help.h"
#include "storage/view_kind.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <optional>

namespace shell {

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
    m_state.CommitLastWinCtrl();
    // Unsaved changes are offered whenever they exist, not only after an editor was
    // entered: a change made through a dialog must not be carried into the next view.
    if (!m_state.Modified())
        return true;
    if (appstate::TView *view = CommandView())
        view->AskSaveChanges();
    else
        appstate::AskSaveChangesDefault(m_state);
    // No clears the flag, a successful save too: what is left is a write that failed.
    return !m_state.Modified();
}

void TfrmMain::NewForm(QObject *)
{
    if (!ConfirmPendingChanges())
        return; // a new form would clear the edits that could not be saved
    m_state.NewDocument = true;
    if (appstate::TView *view = CommandView())
        view->New();
    if (m_state.Modified())
        SetSaveEnabled(true);
    m_state.EditAllowed = true;
}

appstate::TView *TfrmMain::CommandView() const
{
    // One window shows every kind of document; the other views are registered under the
    // name the configuration gives them.
    const bool document = m_state.ViewKind == storage::TViewKind::Document;
    return ExistingViewFor(document ? appstate::DocumentViewName() : m_state.ViewName);
}

void TfrmMain::AfterWrite(bool written)
{
    SetSaveEnabled(!written);
    m_state.SetModified(!written);
}

void TfrmMain::SaveForm(QObject *)
{
    SaveCurrentView();
}

bool TfrmMain::SaveCurrentView()
{
    // The text being typed is part of what the user saves.
    m_state.CommitLastWinCtrl();
    // Never into a window that was not created; a view with nothing to save writes nothing.
    appstate::TView *view = CommandView();
    if (!view || !view->Save())
        return false; // the writer has said why; the changes stay unsaved
    m_state.NewDocument = false;
    SetSaveEnabled(false);
    m_state.SetModified(false);
    return true;
}

void TfrmMain::DeleteForm(QObject *)
{
    m_state.CommitLastWinCtrl();
    appstate::TView *view = CommandView();
    if (!view || !view->HasDeletableSelection())
        return; // nothing selected: the command ends silently
    if (!platform::ConfirmDeletion(view->DeleteQuestion(), QStringLiteral("Potwierdź usunięcie danych ")))
        return;
    if (const std::optional<bool> written = view->DeleteConfirmed())
        AfterWrite(*written);
}

void TfrmMain::ModifyForm(QObject *)
{
    appstate::TView *view = CommandView();
    if (!view)
        return;
    m_state.CommitLastWinCtrl();
    if (view->ModifySelection()) {
        SetSaveEnabled(true);
        m_state.EditAllowed = true;
    }
}

void TfrmMain::PrintForm(QObject *)
{
    if (!ConfirmPendingChanges())
        return; // Anuluj, or a save that failed: the user stays with the edits unprinted
    if (appstate::TView *view = CommandView())
        view->Print();
}

void TfrmMain::CopyForm(QObject *)
{
    appstate::TView *view = CommandView();
    if (!view)
        return;
    m_state.CommitLastWinCtrl();
    const QString text = view->CopyFieldsToText();
    if (!text.isNull())
        platform::CurrentClipboard().SetText(text);
    mPaste->setEnabled(true);
}

void TfrmMain::PasteForm(QObject *)
{
    appstate::TView *view = CommandView();
    if (!view)
        return;
    m_state.CommitLastWinCtrl();
    view->PasteFieldsFromText(platform::CurrentClipboard().Text());
}

bool TfrmMain::FormClose()
{
    // An edit typed just before closing is offered for saving too, by the view that holds
    // it; the window stays open on Anuluj, and when Yes was answered and the save failed
    // (the writer has said why): closing now would lose the changes.
    return ConfirmPendingChanges();
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
