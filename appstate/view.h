#pragma once

#include <QString>

class QWidget;

namespace appstate {

// What every view docked in the main window offers: its main panel, its initialisation
// and the commands of the toolbar and menu. The main window routes each command to the
// current view through this interface; a view that does not support a command keeps the
// default, which does nothing.
class TView
{
public:
    virtual ~TView() = default;

    // The panel the main window hosts in its caption panel.
    virtual QWidget *GetMainPanel() = 0;
    // Called each time the view is shown for a navigation element. The main window has set
    // DataFolder, FormsFolder, AttachFolder (and FormVersion for documents) in
    // appstate::State() before; the panel is hosted and hidden while this runs and shown
    // afterwards. A view that hides a page control until something is chosen does that here.
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
    virtual bool Save() { return true; } // false when nothing was written; Modified stays
    virtual void Delete() {}
    virtual void Modify() {}
    // A view that prints nothing yet says so (no print dialog serves it).
    virtual void Print();
    virtual void Copy() {}
    virtual void Paste() {}

    // Asks "Nie zapisano danych. Zapisać?" when there are unsaved changes; Yes saves,
    // No discards, Anuluj leaves everything as it is. Returns false when the user's answer
    // means: stay where you are (Anuluj, or Yes with a save that failed); the caller then
    // puts back whatever the user moved (a list's row, a tab) without acting on it.
    // A view whose No reloads nothing may simply return appstate::AskSaveChangesDefault().
    virtual bool AskSaveChanges() { return true; }

    // ---- how the main window's commands reach a view -----------------------------------
    // New: New(). Save: Save(); on false the main window keeps Modified, NewDocument and
    // Save enabled (the writer has told the user). Print: the print dialog registered under
    // "frmWydruk" ("frmWydrukRej" from "frmZestaw"); while none is registered, Print().
    //
    // Delete: the main window asks only when HasDeletableSelection() (nothing selected:
    // the command ends silently), with the question DeleteQuestion() under the caption
    // "Potwierdź usunięcie danych "; on Yes it calls DeleteSelection(), which returns
    // success. The measurement window's delete is followed by its Save() (the measurement
    // file), the workstation view's by writing the workstation list.
    virtual bool HasDeletableSelection() { return true; }
    virtual QString DeleteQuestion() { return QString(); }
    virtual bool DeleteSelection()
    {
        Delete();
        return true;
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
};

} // namespace appstate
