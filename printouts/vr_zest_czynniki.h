#pragma once

// "Wykaz czynników szkodliwych i uciążliwych": the current, measured factors of every
// workstation of the data folder by factor group (arduous, biological, physical, dusts,
// chemical), listed per workstation ("Elementy struktury przedsiębiorstwa") or as one
// list per group, all of them or only the carcinogenic ones ("Tylko rakotwórcze").
//
// What it guarantees:
// - the groups are rebuilt at every run, so a second run never lists a factor twice;
// - "Tylko rakotwórcze" limits both ways of listing; a workstation with no factor to list
//   gets no heading, and a group with nothing to list no title;
// - a factor counts as carcinogenic by the "Typ" field of its latest measurement; a
//   value that is not a number counts as 0 (not carcinogenic);
// - own factors (numbered above 99999) print with " (czynnik własny)".

#include "printouts/summary_reports.h"
#include "printouts/workstation_report_form_base.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>
#include <vector>

namespace reportengine {
class TVelRep;
class TVRLabel;
class TVRSubDetail;
} // namespace reportengine

namespace printouts {

// Whether a measurement marks its factor carcinogenic: its first "Typ" field that does,
// by the bits 0, 1, 14 or 15 of the value rounded up.
bool CarcinogenicMeasurement(const storage::TPomiarCzynn &measurement);

// One factor group of the list.
struct TZestGrupa
{
    QString ident;
    QString tytul;
    // Without "Elementy struktury przedsiębiorstwa": every listed factor of the group, as
    // it prints.
    QStringList czynniki;
    // With it: the workstations that have factors to list, each with them.
    struct Stan
    {
        QString nazwa;
        QStringList czynniki;
    };
    std::vector<Stan> stanowiska;

    bool HasData() const { return !czynniki.empty() || !stanowiska.empty(); }
};

class TVRZestCzynniki : public TWorkstationReportFormBase
{
    Q_OBJECT
public:
    TVRZestCzynniki();
    ~TVRZestCzynniki() override;

    reportengine::TVelRep *const vrZestCzynnikowSzkodUciaz = m_report;

    // TWorkstationReportForm: "Tylko rakotwórcze" and "Elementy struktury przedsiębiorstwa".
    void SetOptions(const TWorkstationReportOptions &options) override;

    // Rebuilds the five groups from the data folder's workstations.
    void PrzygotujDane();
    const std::array<TZestGrupa, 5> &Groups() const { return m_groups; }

private:
    void buildLayout();
    void reportBeforePrint();
    void reportNeedData(bool &moreData);
    void bStanNeedData(bool &moreData);
    void bCzynnNeedData(bool &moreData);
    const QStringList *currentFactors() const;

    bool m_tylkoRakotworcze = false;
    bool m_elementStruktury = true;
    summary::TWorkstationSource m_source;
    std::array<TZestGrupa, 5> m_groups;
    int m_group = -1;   // the group printing now (from the last down)
    int m_stan = -1;    // its workstation printing now (from the last down)
    int m_czynnik = -1; // the factor printing now (from the last down)

    reportengine::TVRLabel *vrlDataWydr = nullptr;
    reportengine::TVRLabel *lGrupa = nullptr;
    reportengine::TVRLabel *lStanow = nullptr;
    reportengine::TVRLabel *vrlStan = nullptr;
    reportengine::TVRLabel *vrCzynnik = nullptr;
    reportengine::TVRSubDetail *bStan = nullptr;
    reportengine::TVRSubDetail *bCzynn = nullptr;
};

TVRZestCzynniki *VRZestCzynniki();

} // namespace printouts
