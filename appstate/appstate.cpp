#include "appstate/appstate.h"

#include "platform/prompter.h"
#include "storage/text_xml.h"
#include "widgets/field_binding.h"

namespace appstate {

void AppState::SetModified(bool value)
{
    if (m_modified == value)
        return;
    m_modified = value;
    emit ModifiedChanged(value);
}

storage::WorkstationReadOptions AppState::ReadOptions() const
{
    storage::WorkstationReadOptions options = storage::WorkstationReadOptions::ForView(ViewKind);
    options.catalogueFolder = CatalogueFolder;
    options.formsFolder = FormsFolder;
    return options;
}

void AppState::CommitLastWinCtrl()
{
    QPointer<QWidget> control = m_lastWinCtrl;
    std::function<void()> commit = std::move(m_lastWinCtrlCommit);
    m_lastWinCtrl = nullptr;
    m_lastWinCtrlCommit = nullptr;
    if (!control)
        return;
    // An editor registered without its own commit is committed through the binding layer,
    // which runs the exit (change, click) handler it was built with. A grid's cell editor
    // still open goes into the grid first: the grid's handler reads its cells.
    if (commit) {
        widgets::CommitOpenCellEditor(control);
        commit();
    } else {
        widgets::CommitField(control);
    }
    // A command leaves the focus where it was: the user goes on typing in the same editor,
    // and may come back to it from a preview, a help window or a dialog, which gives the
    // focus back without entering it again. It stays the editor the next command commits,
    // unless its handler moved on to another.
    if (control && !m_lastWinCtrl && HoldsFocus(control)) {
        m_lastWinCtrl = control;
        m_lastWinCtrlCommit = std::move(commit);
    }
}

bool AppState::HoldsFocus(const QWidget *control)
{
    if (!control || !control->isVisible())
        return false;
    // The focus of its window, also while another window is active.
    const QWidget *focus = control->window()->focusWidget();
    return focus && (focus == control || control->isAncestorOf(focus));
}

bool AskSaveChangesDefault(AppState &s)
{
    if (!s.Modified())
        return true;
    switch (AskSaveQuestion()) {
    case platform::MsgYes:
        // A save that failed keeps the changes, and the caller where it is.
        return s.RunSaveCommand();
    case platform::MsgNo:
        s.SetSaveEnabled(false);
        s.SetModified(false);
        return true;
    default:
        return false;
    }
}

int AskSaveQuestion()
{
    return platform::AskYesNoCancel(QStringLiteral("Nie zapisano danych. Zapisać?"),
                                    QStringLiteral("Potwierdź zapisanie danych "));
}

bool ReportStorageResult(const storage::StorageResult &result)
{
    if (result)
        return true;
    if (result.severity() == storage::StorageResult::Severity::Error)
        platform::ShowError(result.message());
    else
        platform::ShowWarning(result.message());
    return false;
}

bool ReportProblems(const storage::StorageProblems &problems)
{
    for (const storage::StorageResult &problem : problems)
        ReportStorageResult(problem);
    return problems.empty();
}

QString StorableFieldText(const QString &text, const QString &caption)
{
    QString warning;
    const QString clean = storage::StorableText(text, &warning);
    // The user may have left several fields since typing; the message says which one changed.
    if (!warning.isEmpty())
        platform::ShowWarning(warning + QStringLiteral(" (pole „%1”).").arg(caption));
    return clean;
}

AppState &State()
{
    static AppState *state = new AppState; // lives until exit; views may outlive main()'s locals
    return *state;
}

} // namespace appstate
