#pragma once

// The card "KARTA OCENY RYZYKA ZAWODOWEGO NA STANOWISKU PRACY" of the summary view's
// workstation (kind 1 of the printouts dialog): every current factor of the view's list
// with the date of its measurement, the risk without and with the measures that limit it,
// in words, and those measures; the author, the approver, related documents, protective
// equipment, and the employees who confirm they have read it.
//
// What it guarantees: the rows are made afresh by every run from the measurements the
// range gives (with "OSTATNIE" the latest one within the range, none when none lies in
// it); the number employed is the latest year's men, women and juveniles; every row is as
// high as its wrapped texts.

#include "printouts/workstation_report_form_base.h"
#include "reportengine/vr_band.h"
#include "reportengine/vr_label.h"
#include "reportengine/vr_report.h"
#include "reportengine/vr_richtext.h"
#include "reportengine/vr_shape.h"

#include <QDate>
#include <QWidget>

#include <array>
#include <vector>

namespace printouts {

// One row of the card.
struct TTabczynn
{
    QString ident;    // factor group
    QString nazwa;    // the factor as the summary view lists it
    QString data;     // measurement date
    QString ocenaBez; // risk without the measures, in words
    QString ocenaZ;   // risk with the measures, in words
    QString srodki;   // the measures
};

class TfrmKartaOcRyz : public TWorkstationReportFormBase
{
    Q_OBJECT
public:
    TfrmKartaOcRyz();
    ~TfrmKartaOcRyz() override;

    // TWorkstationReportForm
    void SetOptions(const TWorkstationReportOptions &options) override { m_options = options; }

    static QString Title();
    // The rows of the last run.
    const std::vector<TTabczynn> &Rows() const { return m_rows; }
    // Men + women + juveniles (pregnant women are among the women) of the latest year not
    // after the card's date: a year planned ahead is not the staff the card confirms.
    static int EmployedCount(const storage::TStanowisko &w, const QDate &cardDate);

    reportengine::TVelRep *const vrKartRyz = m_report;
    reportengine::TVRBand *bHeader = nullptr;
    reportengine::TVRBand *bStan = nullptr;
    reportengine::TVRChildBand *bCharStan = nullptr;
    reportengine::TVRChildBand *bSoiDokum = nullptr;
    reportengine::TVRBand *bKodHead = nullptr;
    reportengine::TVRSubDetail *bCzynn = nullptr;
    reportengine::TVRBand *bKodFoot2 = nullptr;
    reportengine::TVRBand *vrGrSPracow = nullptr;
    reportengine::TVRSubDetail *vrSbPracow = nullptr;
    reportengine::TVRSubDetail *bKodFoot = nullptr;
    reportengine::TVRBand *VRBand1 = nullptr;

    reportengine::TVRLabel *vrDataWydr = nullptr;
    reportengine::TVRLabel *vrNumKart = nullptr;
    reportengine::TVRRichText *mKartSporz = nullptr;
    reportengine::TVRShape *shKartSporz = nullptr;
    reportengine::TVRRichText *lNazStan = nullptr;
    reportengine::TVRShape *shStan = nullptr;
    reportengine::TVRLabel *lZatrudn = nullptr;
    reportengine::TVRRichText *mCharStan = nullptr;
    reportengine::TVRShape *shCharStan = nullptr;
    reportengine::TVRRichText *mDokZwiaz = nullptr;
    reportengine::TVRRichText *mStosSOI = nullptr;
    std::array<reportengine::TVRShape *, 2> shSoiDokum{};
    reportengine::TVRLabel *lNr = nullptr;
    reportengine::TVRRichText *mCzynniki = nullptr;
    reportengine::TVRLabel *lOcenaBez = nullptr;
    reportengine::TVRLabel *lOcenaZ = nullptr;
    reportengine::TVRLabel *lData = nullptr;
    reportengine::TVRRichText *mSrodki = nullptr;
    std::array<reportengine::TVRShape *, 6> shCzynn{};
    reportengine::TVRRichText *mKartZatw = nullptr;
    reportengine::TVRShape *shKartZatw = nullptr;
    std::array<reportengine::TVRLabel *, 3> vrListPrac{};
    std::array<reportengine::TVRShape *, 3> shPodpis{};
    std::array<reportengine::TVRLabel *, 3> lPodpis{};
    reportengine::TVRLabel *lWedlug = nullptr;
    reportengine::TVRLabel *vrNazwPrac = nullptr;
    reportengine::TVRLabel *vrLiczStr = nullptr;

private:
    void buildReport();
    void buildHeader();
    void buildWorkstation();
    void buildFactors();
    void buildEmployees();

    void vrKartRyzBeforePrint(bool &printReport);
    void vrKartRyzNeedData(bool &moreData);
    void bStanBeforePrint();
    void bSoiDokumBeforePrint();
    void bCzynnNeedData(bool &moreData);
    void bCzynnBeforePrint();
    void vrSbPracowNeedData(bool &moreData);
    void bKodFootNeedData(bool &moreData);
    // A signed text block (author, approver) of `band`: its height from its lines.
    void sizeSignedText(reportengine::TVRRichText *text, reportengine::TVRShape *frame,
                        reportengine::TVRCustomBand *band, int top);

    TWorkstationReportOptions m_options;
    std::vector<TTabczynn> m_rows;
    int m_rowIndex = 0;
    int m_employeeCursor = 0;
    bool m_recordGiven = false;
    bool m_confirmationGiven = false;
    int m_nameLines = 1;
    int m_descriptionLines = 1;
    int m_rowLines = 1;
    int m_documentLines = 1;
};

TfrmKartaOcRyz *frmKartaOcRyz();

} // namespace printouts
