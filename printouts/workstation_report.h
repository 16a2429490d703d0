#pragma once

// The workstation printouts of the printouts dialog ("frmWydrukRej"), opened by Print in
// the measurement summary view: 0 the register of harmful factors with the measurement
// cards, 1 the risk assessment card, 2 the summary information on workstations, 3 the
// workstations by risk category, 4 the list of harmful and arduous factors.
//
// What it guarantees:
// - every kind is a report form (created on first use and kept until exit) that the
//   dialog reaches through this interface only: it hands the form the dialog's options
//   and the summary view's choices (SetOptions), prepares Report() once to count its
//   pages, tells the form that count (SetPageCount, the "/ N" of its page footers) and
//   shows Report()'s preview, which runs the report again;
// - a form reads what it prints from the options and from storage, rebuilding its
//   state in the report's BeforePrint, since every run (prepare, preview, print from the
//   preview) starts afresh;
// - a kind nobody registered is not available: the dialog says so and prints nothing.
//
// Registering a kind: once at start-up, from a function that app::RegisterViews() in
// app/startup.cpp calls (a static initialiser in a static library would be dropped),
//
//     printouts::RegisterWorkstationReport(3, [] {
//         return static_cast<printouts::TWorkstationReportForm *>(printouts::vrPrzekrNDSBezNar());
//     });
//
// where the factory returns the same object every time.

#include "appstate/print_selection.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace reportengine {
class TVelRep;
}
namespace storage {
class TCzynnik;
class TStanowisko;
} // namespace storage

namespace printouts {

// Kinds of the dialog's radio group " Rodzaj zestawienia ", in its order.
enum TWorkstationReportKind {
    kRegisterAndCards = 0,     // "Rejestr i karta badań czynników"
    kRiskAssessmentCard = 1,   // "Karta oceny ryzyka zawodowego"
    kSummaryInformation = 2,   // "Informacje zbiorcze o stanowiskach"
    kWorkstationsByRisk = 3,   // "Zestawienie stanowisk wg kategorii ryzyka"
    kHarmfulArduousFactors = 4 // "Wykaz czynników szkodliwych i uciążliwych"
};
constexpr int kWorkstationReportKinds = 5;

// One entry of the summary view's factor list "Lista czynników", as it is listed.
using TListedFactor = appstate::TListedFactor;

// What a workstation report prints from: the summary view's choices, as it handed them to
// the dialog, and the dialog's options (each with the dialog's default).
struct TWorkstationReportOptions : appstate::TSummarySelection
{
    // Kind 0: cbRejestr, cbKartaBadan with cbPomChem, cbPomPyl, cbPomFiz, cbKartaBadanUc.
    bool Rejestr = true;
    bool KartaBadan = true;
    bool PomChem = true;
    bool PomPyl = true;
    bool PomFiz = true;
    bool KartaBadanUc = false;

    // Kind 1: the employee list (every name, and the selected ones, in list order),
    // "Nazwisko i imię pracownika", "Uwzględnij wybranych", the card number and texts.
    QStringList Employees;
    QStringList SelectedEmployees;
    QString EmployeeName;
    bool IncludeSelectedEmployees = false;
    QString CardNumber;
    QString CardAuthor;          // "Kartę sporządził:"
    QString CardApprover;        // "Kartę zatwierdził:"
    QString RelatedDocuments;    // "Dokumenty związane:"
    QString ProtectiveEquipment; // "Stosowane środki ochrony indyw."

    // Kind 2: "administracja", "ocena ryzyka".
    bool Administracja = true;
    bool OcRyzyka = true;

    // Kind 3: the risk categories "małe", "średnie", "duże".
    bool Male = true;
    bool Srednie = true;
    bool Duze = true;

    // Kind 4: "Tylko rakotwórcze" (false: "Grupy (w tym rakotwórcze)"), "Elementy
    // struktury przedsiębiorstwa".
    bool TylkoRakotworcze = false;
    bool ElementStruktury = true;
};

// A report form of one kind.
class TWorkstationReportForm
{
public:
    virtual ~TWorkstationReportForm() = default;

    // Before every preparing run and preview: what the report prints from.
    virtual void SetOptions(const TWorkstationReportOptions &options) = 0;
    // The report the dialog prepares and previews.
    virtual reportengine::TVelRep &Report() = 0;
    // The page count of the preparing run, for the "/ N" of the page footers.
    virtual void SetPageCount(int pages) = 0;
    // After SetOptions: why the report would print nothing worth printing (the dialog says
    // it and prints nothing), empty when it prints.
    virtual QString NothingToPrint() { return QString(); }
};

// Returns the form of its kind, the same object every time.
using TWorkstationReportFactory = std::function<TWorkstationReportForm *()>;

// Registers (or replaces) the form of a kind; an empty factory removes it.
void RegisterWorkstationReport(int kind, TWorkstationReportFactory factory);
bool IsWorkstationReportRegistered(int kind);
// The form of the kind, made on first use; nullptr when the kind is not registered.
TWorkstationReportForm *WorkstationReport(int kind);

// What the dialog says for a kind that is not available.
QString ReportNotAvailableText();

} // namespace printouts
