#pragma once

// The register of harmful factors of the summary view's workstation ("REJESTR CZYNNIKÓW
// SZKODLIWYCH DLA ZDROWIA WYSTĘPUJĄCYCH NA STANOWISKU PRACY") and the measurement cards
// of its harmful and arduous factors, each card on a page of its own: one report whose
// parts the printouts dialog switches on (kind 0).
//
// What it guarantees: every run starts from the first register row, the first card row
// and the first factor, and switches every band by the options of that run (the arduous
// cards included); a row is exactly as high as its wrapped texts; a workstation without a
// registration date, or with a date that is none, prints the date empty.

#include "printouts/register_card_data.h"
#include "printouts/workstation_report_form_base.h"
#include "reportengine/vr_band.h"
#include "reportengine/vr_label.h"
#include "reportengine/vr_report.h"
#include "reportengine/vr_richtext.h"
#include "reportengine/vr_shape.h"

#include <QPointer>
#include <QWidget>

#include <array>

namespace printouts {

class TfrmVRejestrKarta : public TWorkstationReportFormBase
{
    Q_OBJECT
public:
    TfrmVRejestrKarta();
    ~TfrmVRejestrKarta() override;

    // TWorkstationReportForm
    void SetOptions(const TWorkstationReportOptions &options) override;

    // The rows the printouts dialog prepared (not owned; set before every run).
    void SetRegisterData(TRegisterCardData *data) { m_data = data; }

    // The title of the register, and the titles a card gives the page.
    static QString RegisterTitle();
    static QString HarmfulCardTitle();
    static QString ArduousCardTitle();

    reportengine::TVelRep *const vrRejestrKarta = m_report;
    reportengine::TVRBand *bHeader = nullptr;
    reportengine::TVRBand *bStan = nullptr;
    reportengine::TVRChildBand *bCharStan = nullptr;
    reportengine::TVRBand *bKodHead = nullptr;
    reportengine::TVRSubDetail *bKod = nullptr;
    reportengine::TVRBand *bZatrHead = nullptr;
    reportengine::TVRSubDetail *bZatr = nullptr;
    reportengine::TVRSubDetail *bKartChem = nullptr;
    reportengine::TVRSubDetail *bKartPyl = nullptr;
    reportengine::TVRSubDetail *bKartFiz = nullptr;
    reportengine::TVRSubDetail *bKartUc = nullptr;
    reportengine::TVRBand *VRBand2 = nullptr;

    reportengine::TVRLabel *vrlDataWydr = nullptr;
    reportengine::TVRLabel *lHeader = nullptr;
    reportengine::TVRLabel *lHeaderKrt = nullptr;
    reportengine::TVRMemo *mNazwa = nullptr;
    reportengine::TVRLabel *lNrRegon = nullptr;
    reportengine::TVRMemo *mLokalizacja = nullptr;
    reportengine::TVRLabel *lDatZal = nullptr;
    reportengine::TVRLabel *lNrRej = nullptr;
    reportengine::TVRMemo *mOpis = nullptr;
    std::array<reportengine::TVRRichText *, 3> lKod{}; // lChem, lPyl, lFiz
    std::array<reportengine::TVRShape *, 3> shP{};     // shP1..shP3
    reportengine::TVRLabel *lLabel = nullptr;
    std::array<reportengine::TVRLabel *, 4> lZatr{};
    std::array<reportengine::TVRShape *, 4> shZatr{};
    reportengine::TVRShape *shRect = nullptr;
    reportengine::TVRShape *shvert = nullptr;
    reportengine::TVRLabel *lLabel15 = nullptr;
    reportengine::TVRLabel *vrLiczStr = nullptr;

    // One card band with its controls (lLp…, mParametr…, mP1…mP3…, the cell shapes).
    struct TCardBand
    {
        reportengine::TVRSubDetail *band = nullptr;
        int group = 0;
        reportengine::TVRLabel *lLp = nullptr;
        reportengine::TVRRichText *mParametr = nullptr;
        std::array<reportengine::TVRRichText *, 3> mP{};
        std::array<reportengine::TVRShape *, 5> cells{};
        int parameterLines = 1;
        int columnLines = 1;
    };
    const TCardBand &Card(int group) const { return m_cards[size_t(group - 1)]; }

private:
    void buildReport();
    void buildHeader();
    void buildWorkstation();
    void buildFactorList();
    void buildEmployment();
    TCardBand buildCard(const QString &suffix, int group);

    void vrRejestrKartaBeforePrint(bool &printReport);
    void vrRejestrKartaNeedData(bool &moreData);
    void bStanBeforePrint(bool &printBand);
    void bKodNeedData(bool &moreData);
    void bKodBeforePrint();
    void bZatrNeedData(bool &moreData);
    void cardNeedData(TCardBand &card, bool &moreData);
    void cardBeforePrint(TCardBand &card);
    void cardAfterPrint();
    bool cardBandOn(int group) const;

    TRegisterCardData *m_data = nullptr;
    TWorkstationReportOptions m_options;
    std::array<TCardBand, 4> m_cards;
    int m_registerRow = 1;
    int m_employmentRow = 1;
    int m_cardRow = 1;
    bool m_recordGiven = false;
    int m_kodLines = 1;
};

TfrmVRejestrKarta *frmVRejestrKarta();

} // namespace printouts
