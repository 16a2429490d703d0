#pragma once

// "Informacje zbiorcze o stanowiskach": for every workstation of the data folder its
// code and name, description and location, employment of the years the summary view's
// range reaches, and the risk levels of its current factors measured within that range
// (every measurement in it, or with "OSTATNIE" the latest one in it).
//
// What it guarantees:
// - every run (the preparing run, the preview's, each print from the preview) rebuilds what
//   it prints from the workstations, so nothing of an earlier run shows;
// - "administracja" switches the description, location and employment bands, "ocena
//   ryzyka" the factor table; the workstation line always prints;
// - the total of a year is men + women + juveniles (pregnant women are among the women);
//   a figure that is not a whole number counts as 0.

#include "printouts/summary_reports.h"
#include "printouts/workstation_report_form_base.h"
#include "storage/workstation_files.h"

#include <QDate>
#include <QString>
#include <QWidget>

#include <vector>

namespace reportengine {
class TVelRep;
class TVRLabel;
class TVRCustomBand;
class TVRSubDetail;
} // namespace reportengine

namespace printouts {

// One factor row: a measurement counted for the range.
struct TInfStanCzynnik
{
    QString data;     // measurement date
    QString ident;    // factor group
    QString nazwa;    // factor as the lists show it
    QString ocenaBez; // level without the measures (ocenamax)
    QString ocenaZ;   // level with them (ocenakon)
};

// One workstation as the report prints it.
struct TInfStan
{
    QString nazwa;
    QString opis;
    QString kod; // "[" + Kod + "] "
    QString lokalizacja;
    std::vector<storage::TZatrudn> zatrudnienie;
    std::vector<TInfStanCzynnik> czynniki;
};

class TfrmVrInfZbiorczeStan : public TWorkstationReportFormBase
{
    Q_OBJECT
public:
    TfrmVrInfZbiorczeStan();
    ~TfrmVrInfZbiorczeStan() override;

    reportengine::TVelRep *const vrStan = m_report;

    // TWorkstationReportForm: the range and "OSTATNIE" of the summary view, "administracja"
    // and "ocena ryzyka"; what runs after print from them.
    void SetOptions(const TWorkstationReportOptions &options) override;
    // With "ocena ryzyka": "Brak danych do wydruku" and the range when no workstation has a
    // rating in it (the pages would repeat the range over tables without a rating).
    QString NothingToPrint() override;

    // What the last run printed (rebuilt at every run).
    const std::vector<TInfStan> &Entries() const { return m_entries; }
    // The entry of one workstation for the range.
    TInfStan MakeEntry(const storage::TStanowisko &w) const;

private:
    void buildLayout();
    void vrStanBeforePrint(bool &printReport);
    void vrStanNeedData(bool &moreData);
    void rbZatrNeedData(bool &moreData);
    void vrCzynnikiNeedData(bool &moreData);

    bool m_administracja = true;
    bool m_ocRyzyka = true;
    QDate m_dateFrom;
    QDate m_dateTo;
    bool m_latestOnly = true;
    summary::TWorkstationSource m_source;
    std::vector<TInfStan> m_entries;
    size_t m_stan = 0;    // workstation cursor: the next one to print
    size_t m_zatr = 0;    // employment row cursor within the current workstation
    size_t m_czynnik = 0; // factor row cursor within it

    reportengine::TVRLabel *vrlDataWydr = nullptr;
    reportengine::TVRLabel *lTytul = nullptr;
    reportengine::TVRLabel *lkod = nullptr;
    reportengine::TVRLabel *lskrnazw = nullptr;
    reportengine::TVRLabel *lopis = nullptr;
    reportengine::TVRLabel *lLokalizacja = nullptr;
    reportengine::TVRLabel *vrRok = nullptr;
    reportengine::TVRLabel *vrMen = nullptr;
    reportengine::TVRLabel *vrKob = nullptr;
    reportengine::TVRLabel *vrKobc = nullptr;
    reportengine::TVRLabel *vrMlod = nullptr;
    reportengine::TVRLabel *vrOgolem = nullptr;
    reportengine::TVRLabel *lnazwacz = nullptr;
    reportengine::TVRLabel *ldata = nullptr;
    reportengine::TVRLabel *locena = nullptr;
    reportengine::TVRSubDetail *sbStanowisko = nullptr;
    reportengine::TVRSubDetail *sbOpis = nullptr;
    reportengine::TVRSubDetail *sbLokal = nullptr;
    reportengine::TVRSubDetail *rbZatr = nullptr;
    reportengine::TVRSubDetail *vrCzynniki = nullptr;
};

// The form, made on first use and kept until exit.
TfrmVrInfZbiorczeStan *frmVrInfZbiorczeStan();

} // namespace printouts
