#pragma once

// "Zestawienie stanowisk według kategorii ryzyka": for the whole data folder, category by
// category (" duże ", " średnie ", " małe ", as chosen), the factors whose latest
// measurement falls in the category, each with the workstations concerned; then, under
// " nieustalone ", the factors whose latest rating was not determined.
//
// What it guarantees:
// - a factor is rated by the combined level of its latest measurement: 30 and above
//   (praca wzbroniona too) is large, 20 up to 30 medium, 10 small; "nieustalona" (0) is
//   no small risk: it falls in none of the three and closes the report under its own
//   heading whenever there is such a factor, whatever categories were chosen, so an
//   unrated factor is never hidden; "not applicable" (99) falls in no category at all;
// - within a category each factor heads once, with every workstation where it falls in
//   that category, so a factor rated differently on two workstations shows under both
//   categories, each time with its own workstations;
// - factors and workstations are taken from the end of the data folder's list (the
//   last workstation's last factor first);
// - a page that begins inside a category repeats its heading, and one that begins among a
//   factor's workstations the factor's too, each marked "(cd.)";
// - every run rebuilds its records from the workstations.

#include "printouts/summary_reports.h"
#include "printouts/workstation_report_form_base.h"

#include <QString>
#include <QWidget>

#include <vector>

namespace reportengine {
class TVRChildBand;
class TVRCustomBand;
class TVelRep;
class TVRLabel;
class TVRSubDetail;
} // namespace reportengine

namespace printouts {

// One current, measured factor of one workstation.
struct TPrzekrNDSN
{
    int idCzynnika = 0;
    QString nazwaCzynnika; // as the lists show it
    float ryzyko = 0;      // combined level of the latest measurement
    int idStanowiska = 0;
    int rodzajStruktury = 3; // a workstation
    QString kod;
    QString nazwa;
    QString opis;
};

// The category of a level: 3 large, 2 medium, 1 small, 0 not determined, -1 none (not
// applicable).
constexpr int kCategoryNotDetermined = 0;
constexpr int kCategoryNone = -1;
int RiskCategory(float level);

class TVRPrzekrNDSBezNar : public TWorkstationReportFormBase
{
    Q_OBJECT
public:
    TVRPrzekrNDSBezNar();
    ~TVRPrzekrNDSBezNar() override;

    reportengine::TVelRep *const vrPrzekrNDSBezNar = m_report;

    // TWorkstationReportForm: the categories chosen ("małe", "średnie", "duże").
    void SetOptions(const TWorkstationReportOptions &options) override;
    // The caption the report gives its form when it runs (the form is never shown).
    QString Caption;

    // The records of the data folder's workstations, in list order.
    std::vector<TPrzekrNDSN> BuildRecords();

private:
    void buildLayout();
    void reportBeforePrint();
    void reportNeedData(bool &moreData);
    void bCzynnNeedData(bool &moreData);
    void bStruktNeedData(bool &moreData);
    void bStanNeedData(bool &moreData);
    bool chosen(int category) const;
    void bCdBeforePrint(reportengine::TVRCustomBand *band, bool &printBand);

    bool m_male = true;
    bool m_srednie = true;
    bool m_duze = true;
    summary::TWorkstationSource m_source;
    std::vector<TPrzekrNDSN> m_records;
    int m_counter = 3;              // the next category to look at, downwards
    int m_category = kCategoryNone; // the category printing now
    // Records heading the factors of the category, in print order, and the one printing.
    std::vector<size_t> m_headings;
    size_t m_heading = 0;
    bool m_struktDone = false;
    // Records of the current factor's workstations in the category, and the one printing.
    std::vector<size_t> m_stanowiska;
    size_t m_stan = 0;
    // The kind of band printing now, so the page it starts knows where it stands.
    enum class Starting { Category, Factor, Workstation };
    Starting m_starting = Starting::Category;

    reportengine::TVRLabel *vrlDataWydr = nullptr;
    reportengine::TVRLabel *lTytNazw = nullptr;
    reportengine::TVRLabel *lPrzekroczenie = nullptr;
    reportengine::TVRLabel *vrCzynnik = nullptr;
    reportengine::TVRLabel *lSkrotNazwa = nullptr;
    reportengine::TVRLabel *vrlStan = nullptr;
    reportengine::TVRSubDetail *bCzynn = nullptr;
    reportengine::TVRSubDetail *bStrukt = nullptr;
    reportengine::TVRSubDetail *bStan = nullptr;
    reportengine::TVRChildBand *bCd = nullptr;
    reportengine::TVRLabel *lCdKategoria = nullptr;
    reportengine::TVRLabel *lCdCzynnik = nullptr;
};

TVRPrzekrNDSBezNar *VRPrzekrNDSBezNar();

} // namespace printouts
