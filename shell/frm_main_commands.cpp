// The commands of the toolbar and menu and their routing to the current view.
#include "shell/frm_main.h"

#include "shell/appstate/appstate.h"
#include "shell/appstate/view.h"
#include "shell/appstate/view_registry.h"

#include <QAction>
#include <QMenu>

namespace shell {

void TfrmMain::ApplyOperations(const QString &oper)
{
    mHelp->setEnabled(true);
    for (QAction *a : {mNowy, mZapisz, mModify, mDelete, mDruk, mCopy, mPaste})
        a->setEnabled(false);
    m_saveAllowed = oper.contains(QLatin1Char('s'));
    if (oper.contains(QLatin1Char('n')))
        mNowy->setEnabled(true);
    if (oper.contains(QLatin1Char('d')))
        mDelete->setEnabled(true);
    if (oper.contains(QLatin1Char('m')))
        mModify->setEnabled(true);
    if (oper.contains(QLatin1Char('p')))
        mDruk->setEnabled(true);
    if (oper.contains(QLatin1Char('k')))
        mCopy->setEnabled(true);
}

void TfrmMain::SetSaveEnabled(bool enabled)
{
    mZapisz->setEnabled(enabled && m_saveAllowed);
}

void TfrmMain::ConfirmPendingChanges()
{
}

void TfrmMain::NewForm(QObject *)
{
}

void TfrmMain::SaveForm(QObject *)
{
}

void TfrmMain::DeleteForm(QObject *)
{
}

void TfrmMain::ModifyForm(QObject *)
{
}

void TfrmMain::PrintForm(QObject *)
{
}

void TfrmMain::CopyForm(QObject *)
{
}

void TfrmMain::PasteForm(QObject *)
{
}

void TfrmMain::ShowHelpIndex()
{
}

} // namespace shell
