#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

#include "storage/view_kind.h"
#include "storage/workstation_files.h"

namespace appstate {

class TView;

// The state the views share with the main window. The main window owns it and follows
// its signals (Modified set: Save enabled); views read and write it without knowing the
// main window.
class AppState : public QObject
{
    Q_OBJECT
public:
    AppState() = default;

    // Folders of the navigation component that opened the current view, stored form.
    QString DataFolder;      // `katalog`
    QString CatalogueFolder; // `katalog` of the factor catalogue component
    QString FormsFolder;     // `katfrm`
    QString AttachFolder;    // `katzal`
    QString FormVersion;
    // The `plik` of the current element's "frm" or "dokfrm" component (a view name or a
    // document definition file), and the kind of view it opened, which the commands are
    // routed by. A web page leaves both as they were.
    QString ViewName;
    storage::TViewKind ViewKind = storage::TViewKind::None;
    bool NewDocument = false;
    bool EditAllowed = true;
    QString DataVersion = QStringLiteral("1.1");
    QString ListVersion;
    // Caption of the navigation element that opened the current view; the sample data
    // folder shows the workstation of that name.
    QString ElementCaption;
    // The workstations of the current data folder (filled by the workstation loading).
    storage::WorkstationList Workstations;
    // How the current view reads a workstation's file: the factors and measurements it
    // shows, from the catalogue and forms folders above.
    storage::WorkstationReadOptions ReadOptions() const;

    bool Modified() const { return m_modified; }
    // Setting it enables Save in the main window (when the current element allows Save).
    void SetModified(bool value);

    // Enables or disables Save (tool button and menu item together), for views whose own
    // rules decide it, for example a document field edited while editing is allowed.
    void SetSaveEnabled(bool enabled) { emit SaveEnabledRequested(enabled); }

    // The editor that had focus last; its exit handler is run before any command.
    QWidget *LastWinCtrl() const { return m_lastWinCtrl.data(); }
    void SetLastWinCtrl(QWidget *w)
    {
        m_lastWinCtrl = w;
        m_lastWinCtrlCommit = nullptr;
    }
    // Called from an editor's enter handler with what its exit handler does (run with the
    // editor as sender). Commands run it before they act, because a toolbar click does not
    // take the focus away from the editor. A destroyed editor is never committed.
    void SetLastWinCtrl(QWidget *w, std::function<void()> commit)
    {
        m_lastWinCtrl = w;
        m_lastWinCtrlCommit = std::move(commit);
    }
    // Runs the editor's exit handler when the editor still exists (the commit given with it,
    // else the handler the field binding layer holds for it), after putting a grid's open
    // cell editor into the grid. The editor is forgotten first, so a handler that moves the
    // focus registers the next one; an editor that still holds the focus of its window stays
    // registered, so the next command commits what is typed in it meanwhile.
    void CommitLastWinCtrl();
    // Whether control (or its child, a cell editor) has the focus of its window, also while
    // another window is active.
    static bool HoldsFocus(const QWidget *control);
    // Views call these when they rebuild their pages, so no command runs a handler on a
    // control that is about to go.
    void ClearLastWinCtrl() { SetLastWinCtrl(nullptr); }

    // The main window's commands, for views that must run them (Yes of an ask-to-save,
    // the document window switching documents). Installed by the main window.
    std::function<bool()> SaveCommand;                   // Save in the current view; false on failure
    std::function<void()> ConfirmPendingChangesCommand; // commit LastWinCtrl, offer to save
    bool RunSaveCommand() { return SaveCommand ? SaveCommand() : false; }
    void RunConfirmPendingChanges()
    {
        if (ConfirmPendingChangesCommand)
            ConfirmPendingChangesCommand();
    }

signals:
    void ModifiedChanged(bool modified);
    void SaveEnabledRequested(bool enabled);

private:
    bool m_modified = false;
    QPointer<QWidget> m_lastWinCtrl; // never dangles: cleared when the editor is destroyed
    std::function<void()> m_lastWinCtrlCommit;
};

// The one instance, created on first use.
AppState &State();

// The unsaved-changes question "Nie zapisano danych. Zapisać?" (caption "Potwierdź
// zapisanie danych ") with Tak / Nie / Anuluj: platform::MsgYes, MsgNo or MsgCancel.
// Anuluj, Escape and closing the box all mean: stay where you are, edits as they are.
int AskSaveQuestion();

// The ask-to-save protocol for a view whose No reloads nothing: when Modified is set, asks
// the question above; Yes runs the main window's Save, No disables Save and clears
// Modified, Anuluj changes nothing. Returns false when the user stays where they are:
// Anuluj, or Yes with a save that failed (Modified is then still set).
bool AskSaveChangesDefault(AppState &state);

// Shows what a reader or writer reported, when it failed: its message as a warning or an
// error box, as its severity says. Returns whether it succeeded.
bool ReportStorageResult(const storage::StorageResult &result);
// Shows every problem a routine brought back, one box each, in the order found. Returns
// whether there was none.
bool ReportProblems(const storage::StorageProblems &problems);

// Text typed into a field as a data file can hold it (storage::StorableText); what had to
// be removed is said in a warning naming the field by its caption.
QString StorableFieldText(const QString &text, const QString &caption);

} // namespace appstate
