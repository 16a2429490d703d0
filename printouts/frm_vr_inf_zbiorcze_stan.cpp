#include "printouts/frm_vr_inf_zbiorcze_stan.h"

#include "platform/window_registry.h"
#include "printouts/risk_level_text.h"
#include "printouts/summary_reports.h"
#include "reportengine/vr_report.h"
#include "workstation_loading/workstation_loading.h"

#include <QPointer>

#include <algorithm>

namespace printouts {

using namespace reportengine;
using namespace summary;

namespace {

constexpr double Mm = 10;                  // native units per millimetre
constexpr double PixelsToNative = 254. / 96; // page pixels (96 per inch) to native

// Columns of the employment table (mm).
constexpr double ColRok = 36, ColMen = 58, ColKob = 84, ColKobc = 106, ColMlod = 136, ColOgolem = 164;
// Columns of the factor table.
constexpr double ColData = 112, ColOcena = 138;

} // namespace

TfrmVrInfZbiorczeStan::TfrmVrInfZbiorczeStan()
{
    setObjectName(QStringLiteral("frmVrInfZbiorczeStan"));
    buildLayout();
}

TfrmVrInfZbiorczeStan::~TfrmVrInfZbiorczeStan() = default;

void TfrmVrInfZbiorczeStan::buildLayout()
{
    vrStan = NewReport(this, QStringLiteral("vrStan"), QStringLiteral("Informacje zbiorcze o stanowiskach"));

    TVRBand *header = AddBand(*vrStan, TVRBandType::rbPageHeader, QStringLiteral("VRBand5"), 7);
    vrlDataWydr = AddText(header, QStringLiteral("vrlDataWydr"), QString(), 0, 0, {8});

    TVRBand *title = AddBand(*vrStan, TVRBandType::rbTitle, QStringLiteral("TitleBand1"), 12);
    lTytul = AddText(title, QStringLiteral("lTytul"), QString(), 0, 2, {11, true, 190});

    const TextStyle bold{10, true};
    sbStanowisko = AddSubDetail(*vrStan, QStringLiteral("sbStanowisko"), vrStan, 10);
    AddRule(sbStanowisko, 1);
    AddText(sbStanowisko, QString(), QStringLiteral("Stanowisko:"), 0, 3, bold);
    lkod = AddText(sbStanowisko, QStringLiteral("lkod"), QString(), 24, 3, bold);
    lskrnazw = AddText(sbStanowisko, QStringLiteral("lskrnazw"), QString(), 40, 3, {10, true, 150});
    sbStanowisko->BeforePrint = [this](TVRCustomBand *, bool &) {
        // The name follows the code, whatever its length.
        const double left = lkod->Size().NativeLeft() + vrStan->TextWidth(lkod->Font(), lkod->Caption()) * PixelsToNative;
        lskrnazw->Size().SetNativeLeft(left);
        lskrnazw->Size().SetNativeWidth(std::max(300.0, 190 * Mm - left));
    };

    sbOpis = AddSubDetail(*vrStan, QStringLiteral("sbOpis"), vrStan, 6);
    AddText(sbOpis, QString(), QStringLiteral("Dane ogólne :"), 0, 1, bold);
    AddText(sbOpis, QString(), QStringLiteral("Opis"), 30, 1);
    lopis = AddText(sbOpis, QStringLiteral("lopis"), QString(), 52, 1, {10, false, 138});

    sbLokal = AddSubDetail(*vrStan, QStringLiteral("sbLokal"), vrStan, 6);
    AddText(sbLokal, QString(), QStringLiteral("Lokalizacja"), 30, 1);
    lLokalizacja = AddText(sbLokal, QStringLiteral("lLokalizacja"), QString(), 52, 1, {10, false, 138});

    rbZatr = AddSubDetail(*vrStan, QStringLiteral("rbZatr"), vrStan, 5);
    rbZatr->SetPrintIfEmpty(false);
    rbZatr->SetHasHeader(true);
    TVRCustomBand *vrZatr = rbZatr->HeaderBand();
    vrZatr->setObjectName(QStringLiteral("vrZatr"));
    vrZatr->Size().SetNativeHeight(7 * Mm);
    AddText(vrZatr, QString(), QStringLiteral("Zatrudnienie w roku : "), 0, 2, bold);
    AddText(vrZatr, QString(), QStringLiteral("mężczyźni"), ColMen, 2);
    AddText(vrZatr, QString(), QStringLiteral("kobiety"), ColKob, 2);
    AddText(vrZatr, QString(), QStringLiteral("kobiety w ciąży"), ColKobc, 2);
    AddText(vrZatr, QString(), QStringLiteral("młodociani"), ColMlod, 2);
    AddText(vrZatr, QString(), QStringLiteral("ogółem"), ColOgolem, 2);
    vrRok = AddText(rbZatr, QStringLiteral("vrRok"), QString(), ColRok, 0.5);
    vrMen = AddText(rbZatr, QStringLiteral("vrMen"), QString(), ColMen, 0.5);
    vrKob = AddText(rbZatr, QStringLiteral("vrKob"), QString(), ColKob, 0.5);
    vrKobc = AddText(rbZatr, QStringLiteral("vrKobc"), QString(), ColKobc, 0.5);
    vrMlod = AddText(rbZatr, QStringLiteral("vrMlod"), QString(), ColMlod, 0.5);
    vrOgolem = AddText(rbZatr, QStringLiteral("vrOgolem"), QString(), ColOgolem, 0.5);
    rbZatr->OnNeedData() = [this](QObject *, bool &moreData) { rbZatrNeedData(moreData); };

    vrCzynniki = AddSubDetail(*vrStan, QStringLiteral("vrCzynniki"), vrStan, 5);
    vrCzynniki->SetPrintIfEmpty(false);
    vrCzynniki->SetHasHeader(true);
    TVRCustomBand *vrSesjeHeader = vrCzynniki->HeaderBand();
    vrSesjeHeader->setObjectName(QStringLiteral("vrSesjeHeader"));
    vrSesjeHeader->Size().SetNativeHeight(16 * Mm);
    AddText(vrSesjeHeader, QString(), QStringLiteral("OCENA RYZYKA"), 0, 2, bold);
    AddText(vrSesjeHeader, QString(), QStringLiteral("Nazwa czynnika"), 0, 8);
    AddText(vrSesjeHeader, QString(), QStringLiteral("Data pomiaru"), ColData, 8);
    AddText(vrSesjeHeader, QString(), QStringLiteral("Ocena ryzyka   proponowana/ zatwierdzona"), ColOcena, 8,
            {10, false, 190 - ColOcena});
    lnazwacz = AddText(vrCzynniki, QStringLiteral("lnazwacz"), QString(), 0, 0.5, {10, false, ColData - 4});
    ldata = AddText(vrCzynniki, QStringLiteral("ldata"), QString(), ColData, 0.5);
    locena = AddText(vrCzynniki, QStringLiteral("locena"), QString(), ColOcena, 0.5, {10, false, 190 - ColOcena});
    vrCzynniki->OnNeedData() = [this](QObject *, bool &moreData) { vrCzynnikiNeedData(moreData); };

    // A heading never stays alone at the foot of a page: it goes with the first line below it.
    KeepWithNext(*vrStan, sbStanowisko, [this] { return sbOpis; });
    KeepWithNext(*vrStan, vrZatr, [this] { return rbZatr; });
    KeepWithNext(*vrStan, vrSesjeHeader, [this] { return vrCzynniki; });

    AddPageNumberFooter(*vrStan, QStringLiteral("VRBand2"), [this] { return m_pageCount; });

    vrStan->BeforePrint = [this](TVelRep *, bool &printReport) { vrStanBeforePrint(printReport); };
    vrStan->OnNeedData() = [this](QObject *, bool &moreData) { vrStanNeedData(moreData); };
}

void TfrmVrInfZbiorczeStan::SetOptions(const TWorkstationReportOptions &options)
{
    m_administracja = options.Administracja;
    m_ocRyzyka = options.OcRyzyka;
    m_dateFrom = options.DateFrom;
    m_dateTo = options.DateTo;
    m_latestOnly = options.LatestOnly;
    m_source.Reset();
}

TInfStan TfrmVrInfZbiorczeStan::MakeEntry(const storage::TStanowisko &w) const
{
    TInfStan e;
    e.nazwa = w.nazwa;
    e.opis = w.Opis;
    e.kod = QStringLiteral("[") + w.Kod + QStringLiteral("] ");
    e.lokalizacja = w.Lokalizacja;
    e.zatrudnienie = w.Employment;
    for (const storage::TFactorEntry &entry : w.Factors) {
        const storage::TCzynnik &f = *entry.factor;
        if (!CurrentMeasuredFactor(f))
            continue;
        for (const storage::TPomiarCzynn *m : workstations::MeasurementsInRange(f.Measurements, m_dateFrom, m_dateTo, m_latestOnly))
            e.czynniki.push_back({workstations::MeasurementDay(m->data), f.ident, entry.text,
                                  RiskLevelText(m->ocenamax), RiskLevelText(m->ocenakon)});
    }
    return e;
}

void TfrmVrInfZbiorczeStan::vrStanBeforePrint(bool &)
{
    const QString day = QStringLiteral("yyyy-MM-dd");
    vrlDataWydr->SetCaption(QStringLiteral("Wydrukowano : ") + PrintDateText());
    lTytul->SetCaption(QStringLiteral(" Dane o stanowiskach dotyczą okresu od:  ") + m_dateFrom.toString(day) +
                       QStringLiteral("  do:  ") + m_dateTo.toString(day));
    m_entries.clear();
    for (const storage::TStanowisko *w : m_source.Workstations())
        m_entries.push_back(MakeEntry(*w));
    m_stan = m_zatr = m_czynnik = 0;
    for (TVRCustomBand *band : {static_cast<TVRCustomBand *>(sbOpis), static_cast<TVRCustomBand *>(sbLokal),
                                rbZatr->HeaderBand(), static_cast<TVRCustomBand *>(rbZatr)})
        band->SetEnabled(m_administracja);
    vrCzynniki->HeaderBand()->SetEnabled(m_ocRyzyka);
    vrCzynniki->SetEnabled(m_ocRyzyka);
}

void TfrmVrInfZbiorczeStan::vrStanNeedData(bool &moreData)
{
    if (moreData)
        m_stan = 0; // a new walk
    else
        ++m_stan;
    moreData = m_stan < m_entries.size();
    if (!moreData)
        return;
    const TInfStan &e = m_entries[m_stan];
    lskrnazw->SetCaption(e.nazwa);
    lkod->SetCaption(e.kod);
    lopis->SetCaption(e.opis);
    lLokalizacja->SetCaption(e.lokalizacja);
    m_zatr = m_czynnik = 0;
}

void TfrmVrInfZbiorczeStan::rbZatrNeedData(bool &moreData)
{
    if (moreData)
        m_zatr = 0;
    else
        ++m_zatr;
    moreData = m_stan < m_entries.size() && m_zatr < m_entries[m_stan].zatrudnienie.size();
    if (!moreData)
        return;
    const storage::TZatrudn &z = m_entries[m_stan].zatrudnienie[m_zatr];
    vrRok->SetCaption(z.Rok);
    vrMen->SetCaption(z.Mezczyzni);
    vrKob->SetCaption(z.Kobiety);
    vrKobc->SetCaption(z.KobietyCiez);
    vrMlod->SetCaption(z.Mlodociani);
    // Pregnant women are among the women: they are not counted again.
    vrOgolem->SetCaption(
        QString::number(EmploymentNumber(z.Mezczyzni) + EmploymentNumber(z.Kobiety) + EmploymentNumber(z.Mlodociani)));
}

void TfrmVrInfZbiorczeStan::vrCzynnikiNeedData(bool &moreData)
{
    if (moreData)
        m_czynnik = 0;
    else
        ++m_czynnik;
    moreData = m_stan < m_entries.size() && m_czynnik < m_entries[m_stan].czynniki.size();
    if (!moreData)
        return;
    const TInfStanCzynnik &row = m_entries[m_stan].czynniki[m_czynnik];
    lnazwacz->SetCaption(row.nazwa);
    ldata->SetCaption(row.data);
    locena->SetCaption(row.ocenaBez + QStringLiteral(" / ") + row.ocenaZ);
}

TfrmVrInfZbiorczeStan *frmVrInfZbiorczeStan()
{
    static QPointer<TfrmVrInfZbiorczeStan> slot;
    return platform::WindowSingleton(slot);
}

} // namespace printouts
