#pragma once

#include "appstate/print_selection.h"
#include "storage/view_kind.h"

#include <QString>
#include <optional>

class QWidget;

namespace appstate {

class AppState;

// What every view docked in the main window offers: its main panel, its initialisation
// and the commands of the toolbar and menu. The main window routes each command to the
// view of the current element through this interface; what differs from view to view is
// an override here, never a branch in the main window. A view that does not support a
// command keeps the default, which does nothing.
class TView
{
public:
    // A view is handed, by whoever makes it, the state it shares with the main window and
    // its kind.
    explicit TView(AppState &state, storage::TViewKind kind = storage::TViewKind::None);
    virtual ~TView() = default;
    TView(const TView &) = delete;
    TView &operator=(const TView &) = delete;

    storage::TViewKind Kind() const { return m_kind; }
    // Whether the current element opened this view. The catalogue's panel is lent to the
    // factors dialog; there it belongs to that dialog and leaves the commands' state alone.
    bool IsCurrentView() const;

    // The panel the main window hosts in its caption panel.
    virtual QWidget *GetMainPanel() = 0;
    // Called each time the view is shown for a navigation element. The main window has set
    // DataFolder, FormsFolder, AttachFolder (and FormVersion for documents) in the shared
    // state before; the panel is hosted and hidden while this runs and shown afterwards. A
    // view that hides a page control until something is chosen does that here.
    virtual void InitView() = 0;

    // The document window: called instead of InitView with the definition file to build
    // ("dokumenty\frm\protpow_frm_2.xml", stored form). The default runs InitView.
    virtual void InitDocumentView(const QString &definitionPath)
    {
        (void)definitionPath;
        InitView();
    }
    // The document window: anchors its field controls once its panel has its final size.
    virtual void AnchorFieldControls() {}
    // The web page view: shows the page at url ("file:///..." built from the program
    // folder and the component's `katalog` + `plik`).
    virtual void Navigate(const QString &url) { (void)url; }

    virtual void New() {}
    // False when nothing was written (a view with nothing to save writes nothing); the
    // main window then keeps Modified, NewDocument and Save enabled.
    virtual bool Save() { return false; }
    virtual void Delete() {}
    virtual void Modify() {}
    // Opens the print composer ("frmWydruk") with PrintSelection(); while none is
    // registered, says that nothing can be printed here yet.
    virtual void Print();
    // What Print hands the dialog it opens: the document view its document, the summary
    // view its choices.
    virtual TPrintSelection PrintSelection() { return {}; }
    virtual void Copy() {}
    virtual void Paste() {}

    // Asks "Nie zapisano danych. Zapisać?" when there are unsaved changes; Yes saves,
    // No discards, Anuluj leaves everything as it is. Returns false when the user's answer
    // means: stay where you are (Anuluj, or Yes with a save that failed); the caller then
    // puts back whatever the user moved (a list's row, a tab) without acting on it.
    // The default is AskSaveChangesDefault() on the view's state: No reloads nothing.
    virtual bool AskSaveChanges();

    // ---- how the main window's commands reach a view -----------------------------------
    // New: New(). Save: Save(). Print: Print().
    //
    // Delete: the main window asks only when HasDeletableSelection() (nothing selected:
    // the command ends silently), with the question DeleteQuestion() under the caption
    // "Potwierdź usunięcie danych "; on Yes it calls DeleteConfirmed(), and when that says
    // something was written, Save and Modified follow whether it was.
    virtual bool HasDeletableSelection() { return false; }
    // The question names what Tak removes (the workstation, the measurement's date, the
    // document's number), so the user sees it before answering.
    virtual QString DeleteQuestion() { return QString(); }
    // The Delete key reaches Delete only from this list (the one whose entry Delete
    // removes) or from outside the view's panel; inside the panel a grid, a field or any
    // other list keeps the key (null: no list, the key never reaches Delete from inside).
    virtual QWidget *DeleteKeyList() { return nullptr; }
    // Deletes the selection; returns success.
    virtual bool DeleteSelection()
    {
        Delete();
        return true;
    }
    // Deletes the selection the user confirmed and writes what the deletion changed: true
    // or false as that was written, nothing when there was nothing to write (or the
    // deletion failed, which the view has told the user).
    virtual std::optional<bool> DeleteConfirmed()
    {
        DeleteSelection();
        return std::nullopt;
    }
    // Modify (measurement window): true when the dialog ended with OK.
    virtual bool ModifySelection()
    {
        Modify();
        return false;
    }
    // Copy and Paste (document window): the fields as clipboard text, and back. The
    // defaults run Copy() and Paste(), which may use the clipboard themselves; a null
    // result leaves the clipboard as Copy() left it.
    virtual QString CopyFieldsToText()
    {
        Copy();
        return QString();
    }
    virtual void PasteFieldsFromText(const QString &text)
    {
        (void)text;
        Paste();
    }

protected:
    // The state the view shares with the main window, as it was handed.
    AppState &Shared() const { return m_shared; }
    // "Z tego miejsca programu nie można jeszcze niczego wydrukować."
    static void SayNothingToPrint();

private:
    storage::TViewKind m_kind;
    AppState &m_shared;
};

} // namespace appstate
