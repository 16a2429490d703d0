#pragma once

// What a view hands the print dialog its Print opens, as plain values: the dialogs reach
// no view and look nothing up by name. The pointers are into the application's lists and
// the document window's fields, which outlive the modal dialog.

#include "storage/document_files.h"
#include "storage/workstation_files.h"

#include <QDate>
#include <QString>
#include <vector>

namespace storage {
class TCzynnik;
class TStanowisko;
} // namespace storage

namespace appstate {

// One entry of the summary view's factor list "Lista czynników", as it is listed.
struct TListedFactor
{
    QString Text; // the factor's display name
    storage::TCzynnik *Factor = nullptr;
};

// The summary view's choices: the chosen workstation (nullptr when none), its factor list
// in list order, the date range (both days included) and "OSTATNIE" (true) or "WSZYSTKIE";
// and the workstations of its data folder (nullptr: none) with the folder and how the view
// reads a workstation's file, from which the summaries over every workstation read those
// not read yet.
struct TSummarySelection
{
    storage::TStanowisko *Workstation = nullptr;
    std::vector<TListedFactor> Factors;
    QDate DateFrom;
    QDate DateTo;
    bool LatestOnly = true;
    storage::WorkstationList *Workstations = nullptr;
    QString DataFolder;
    storage::WorkstationReadOptions ReadOptions;
};

struct TPrintSelection : TSummarySelection
{
    // A document view: the fields of the document it shows (nullptr when none) and the
    // form version the document was stored with (a null text: a new document, made with
    // the current form version).
    const storage::TDokumList *DocumentItems = nullptr;
    QString StoredFormVersion;
    // What the print composer reads besides the document: the definition file the view was
    // opened with (the element's `plik`, which picks the page forms), the form version new
    // documents are made with, the caption of the element (the printout's title) and the
    // attachments folder (`katzal`) the page forms' texts are read from.
    QString DefinitionFile;
    QString CurrentFormVersion;
    QString Caption;
    QString AttachFolder;
};

} // namespace appstate
