#pragma once

// The printouts dialog "Wydruk", opened by Print in the measurement summary view, which
// hands it its choices (the workstation, its factor list, the range) as a plain value: one
// of five workstation printouts (workstation_report.h) with its options on its own tab,
// "Wydruk" to print it and "Zamknij". The options stay as the user left them from one
// opening to the next; the kind starts at the register each time.
//
// "Wydruk": kinds 0 and 1 print the summary view's workstation and need its factor list
// ("Brak danych do wydruku" when it is empty); the register rows and the cards are
// prepared here; the wait window blinks while the report makes its pages once to count
// them, and is gone before the preview shows them. A report that makes no page says
// "Brak danych do wydruku" instead of showing an empty preview.

#include "appstate/print_selection.h"
#include "printouts/register_card_data.h"
#include "printouts/workstation_report.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace widgets {
class TRadioGroup;
}

namespace printouts {

class TfrmWydrukRej : public QDialog
{
    Q_OBJECT
public:
    TfrmWydrukRej();
    ~TfrmWydrukRej() override;

    // Shows the dialog modally for what the summary view chose.
    void Execute(const appstate::TPrintSelection &selection);
    // What the reports print from, until the next Execute.
    void SetSelection(const appstate::TPrintSelection &selection) { m_selection = selection; }

    widgets::TRadioGroup *rgRodzZest = nullptr;
    QTabWidget *pgcZestawienia = nullptr;
    // Kind 0.
    QCheckBox *cbRejestr = nullptr;
    QCheckBox *cbKartaBadan = nullptr;
    QCheckBox *cbPomChem = nullptr;
    QCheckBox *cbPomPyl = nullptr;
    QCheckBox *cbPomFiz = nullptr;
    QCheckBox *cbKartaBadanUc = nullptr;
    // Kind 1.
    QListWidget *lbPracownicy = nullptr;
    QLineEdit *NazwiskoImie = nullptr;
    QPushButton *btDodaj = nullptr;
    QPushButton *btUsun = nullptr;
    QCheckBox *cbPracownicy = nullptr;
    QLineEdit *edNrKarty = nullptr;
    QPlainTextEdit *meKarSporz = nullptr;
    QPlainTextEdit *meKarZatw = nullptr;
    QPlainTextEdit *meDokZwiaz = nullptr;
    QPlainTextEdit *meSrodkiStosowane = nullptr;
    // Kind 2.
    QCheckBox *cbAdministracja = nullptr;
    QCheckBox *cbOcRyzyka = nullptr;
    // Kind 3.
    QCheckBox *cbMale = nullptr;
    QCheckBox *cbSrednie = nullptr;
    QCheckBox *cbDuze = nullptr;
    // Kind 4.
    QRadioButton *rbGrupy = nullptr;
    QRadioButton *rbTylkoRakotworcze = nullptr;
    QCheckBox *cbElementStruktury = nullptr;

    QPushButton *bOk = nullptr;       // "Wydruk"
    QPushButton *bClose = nullptr;    // "Zamknij"
    QListWidget *lbPomCzyn = nullptr; // hidden: the dates of the measurements a card takes

    // Handlers (public: tests drive them as the user does).
    void FormShow();
    void rgRodzZestClick();
    void cbKartaBadanClick();
    void btDodajClick();
    void btUsunClick();
    void bOKClick();

    // The chosen kind (the radio group's index).
    int Kind() const;
    // What a report prints from: the summary view's choices and this dialog's options.
    TWorkstationReportOptions Options() const;
    // The register rows and cards prepared for kind 0.
    TRegisterCardData &RegisterData() { return m_registerData; }

private:
    void buildControls();
    QWidget *buildRegisterTab();
    QWidget *buildRiskCardTab();
    QWidget *buildSummaryTab();
    QWidget *buildCategoriesTab();
    QWidget *buildFactorListTab();
    void prepareRegisterData(const TWorkstationReportOptions &options);
    void runReport(int kind, TWorkstationReportForm &form, const TWorkstationReportOptions &options);

    TRegisterCardData m_registerData;
    appstate::TPrintSelection m_selection;
};

TfrmWydrukRej *frmWydrukRej();

// Registers the printouts dialog as what Print runs in the summary view, and the report
// forms of kinds 0 and 1. Called once at start-up.
void RegisterWorkstationPrintouts();

} // namespace printouts
