#pragma once

// The print composer "Wydruk": Print of a document view, which hands it the document. The user
// chooses the pages of the statutory form and whether to print blank forms; the composer
// takes the page forms the choice table gives the document's definition file and stored
// form version (page_forms.h), runs them as one composite report into the preview, and
// fills every page from the document (form_filler.h) when its report runs.
//
// What it guarantees:
// - Print from a view that is not a document of a kind the table lists, or that hands it no
//   document, does nothing (no dialog, no message);
// - a new, unsaved document of a versioned kind prints the pages of the current form
//   version the view hands over, the version new documents are made with; a stored one those of
//   the version it was written with;
// - "Strona 1" .. "Strona 4" are set anew from the definition's page count at every call;
//   "Drukuj puste formularze" keeps what the user left;
// - while its preview is open (or a run goes on) a second Print does nothing;
// - OnAddReports builds the list of page reports afresh every time it is asked.

#include "printouts/form_filler.h"

#include "appstate/print_selection.h"
#include "storage/document_files.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QGroupBox;
class QPushButton;

namespace reportengine {
class TVelRep;
class TVRCompositeReport;
} // namespace reportengine

namespace printouts {

class TFormPage;

class TfrmWydruk : public QDialog
{
    Q_OBJECT

public:
    TfrmWydruk();
    ~TfrmWydruk() override;

    // Controls, named as the program knows them.
    QGroupBox *GroupBox1 = nullptr;
    QCheckBox *cbPage1 = nullptr;
    QCheckBox *cbPage2 = nullptr;
    QCheckBox *cbPage3 = nullptr;
    QCheckBox *cbPage4 = nullptr;
    QCheckBox *cbRodzWydr = nullptr;
    QPushButton *bOK = nullptr;
    QPushButton *bAnul = nullptr;
    // The report the main window passes to ask for the composite (never filled), and the
    // composite of the chosen page reports.
    reportengine::TVelRep *CompositeReport = nullptr;
    reportengine::TVRCompositeReport *VRCompRep = nullptr;

    // Shows the dialog for the current document and, on OK, previews the pages.
    void Execute(reportengine::TVelRep *report, const QString &attachFolder);
    void SetReportToPrint(reportengine::TVelRep *report) { m_reportToPrint = report; }
    // OnAddReports of VRCompRep: the report of every chosen page form, in page order.
    void VRCompRepAddReports(reportengine::TVRCompositeReport &composite);

    // The filler for a page form's report BeforePrint.
    void FillPageLabels(TFormPage &page);
    QString GetDocumentFieldValue(const QString &name) const;
    bool BlankForms() const;
    const QString &AttachmentFolder() const { return m_attachFolder; }

    // Where the document comes from: its field items (nullptr: no document) and the form
    // version it was stored with (a null text for a new document), the definition file it
    // was built from, the version new documents are made with and the caption the printout
    // is titled by. Empty: no document.
    struct DocumentSource
    {
        std::function<const storage::TDokumList *()> Items;
        std::function<QString()> StoredVersion;
        QString DefinitionFile;
        QString CurrentFormVersion;
        QString Caption;
    };
    void SetDocumentSource(DocumentSource source);
    // The document a view's Print handed over.
    void SetDocument(const appstate::TPrintSelection &selection);

    // The page forms the current document prints: the table's row for its definition file
    // and the version (stored, or the current form version for a new document).
    QStringList DocumentPageForms() const;

private:
    QCheckBox *PageBox(int n) const;
    QString PrintVersion() const;

    QString m_attachFolder;
    reportengine::TVelRep *m_reportToPrint = nullptr;
    DocumentSource m_source;
    TFormPageFiller m_filler;
    bool m_executing = false;
};

// The one composer, created on first use.
TfrmWydruk *frmWydruk();

// Makes Print of the document views open the composer ("frmWydruk").
void RegisterDialogs();

} // namespace printouts
