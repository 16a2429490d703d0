#include "printouts/frm_vr_inf_zbiorcze_stan.h"

#include "platform/window_registry.h"
#include "printouts/risk_level_text.h"
#include "printouts/summary_reports.h"
#include "printouts/workstation_report_layout.h"
#include "reportengine/vr_report.h"
#include "storage/measurements.h"

#include <QPointer>

#include <algorithm>

namespace printouts {

using namespace reportengine;
using namespace summary;

namespace {

constexpr double PixelsToNative = 254. / 96; // report pixels (96 per inch) to native units

// Columns of the employment table and of the factor table (report pixels).
constexpr int ColRok = 136, ColMen = 219, ColKob = 317, ColKobc = 401, ColMlod = 514, ColOgolem = 620;
constexpr int ColData = 423, ColOcena = 522;

// A text that may need several lines: its band grows with them.
TVRLabel *Stretching(TVRLabel *label)
{
    label->SetAutoStretch(true);
    return label;
}

} // namespace

TfrmVrInfZbiorczeStan::TfrmVrInfZbiorczeStan()
    : TWorkstationReportFormBase(QStringLiteral("frmVrInfZbiorczeStan"), QStringLiteral("vrStan"),
                                 QStringLiteral("Informacje zbiorcze o stanowiskach"))
{
    buildLayout();
}

TfrmVrInfZbiorczeStan::~TfrmVrInfZbiorczeStan() = default;

void TfrmVrInfZbiorczeStan::buildLayout()
{
    const QFont plain = ReportFont(10), bold = ReportFont(10, true);

    TVRBand *header = AddBand(*vrStan, QStringLiteral("VRBand5"), TVRBandType::rbPageHeader, 26);
    vrlDataWydr = AddLabel(header, QStringLiteral("vrlDataWydr"), QString(), QRect(0, 0, 300, 14), ReportFont(8));

    TVRBand *title = AddBand(*vrStan, QStringLiteral("TitleBand1"), TVRBandType::rbTitle, 45);
    lTytul = Stretching(
        AddLabel(title, QStringLiteral("lTytul"), QString(), QRect(0, 8, kReportWidth, 20), ReportFont(11, true)));

    // The workstation's own bands have no records of their own: they print once per workstation.
    sbStanowisko = AddSubDetail(*vrStan, QStringLiteral("sbStanowisko"), 38);
    sbStanowisko->SetPrintIfEmpty(true);
    AddShape(sbStanowisko, QString(), TVRShapeType::vrsHorLine, QRect(0, 3, kReportWidth, 2));
    AddLabel(sbStanowisko, QString(), QStringLiteral("Stanowisko:"), QRect(0, 11, 88, 16), bold);
    lkod = AddLabel(sbStanowisko, QStringLiteral("lkod"), QString(), QRect(91, 11, 150, 16), bold);
    lskrnazw = Stretching(
        AddLabel(sbStanowisko, QStringLiteral("lskrnazw"), QString(), QRect(151, 11, kReportWidth - 151, 16), bold));
    sbStanowisko->BeforePrint = [this](TVRCustomBand *, bool &) {
        // The name follows the code, whatever its length.
        const double left =
            lkod->Size().NativeLeft() + vrStan->TextWidth(lkod->Font(), lkod->Caption()) * PixelsToNative;
        lskrnazw->Size().SetNativeLeft(left);
        lskrnazw->Size().SetNativeWidth(std::max(100 * PixelsToNative, kReportWidth * PixelsToNative - left));
    };

    sbOpis = AddSubDetail(*vrStan, QStringLiteral("sbOpis"), 23);
    sbOpis->SetPrintIfEmpty(true);
    AddLabel(sbOpis, QString(), QStringLiteral("Dane ogólne :"), QRect(0, 4, 110, 16), bold);
    AddLabel(sbOpis, QString(), QStringLiteral("Opis"), QRect(113, 4, 80, 16), plain);
    lopis =
        Stretching(AddLabel(sbOpis, QStringLiteral("lopis"), QString(), QRect(197, 4, kReportWidth - 197, 16), plain));

    sbLokal = AddSubDetail(*vrStan, QStringLiteral("sbLokal"), 23);
    sbLokal->SetPrintIfEmpty(true);
    AddLabel(sbLokal, QString(), QStringLiteral("Lokalizacja"), QRect(113, 4, 80, 16), plain);
    lLokalizacja = Stretching(
        AddLabel(sbLokal, QStringLiteral("lLokalizacja"), QString(), QRect(197, 4, kReportWidth - 197, 16), plain));

    rbZatr = AddSubDetail(*vrStan, QStringLiteral("rbZatr"), 19);
    TVRBand *vrZatr = AddSubDetailHeader(*vrStan, QStringLiteral("vrZatr"), rbZatr, 26);
    AddLabel(vrZatr, QString(), QStringLiteral("Zatrudnienie w roku : "), QRect(0, 8, 160, 16), bold);
    AddLabel(vrZatr, QString(), QStringLiteral("mężczyźni"), QRect(ColMen, 8, 95, 16), plain);
    AddLabel(vrZatr, QString(), QStringLiteral("kobiety"), QRect(ColKob, 8, 80, 16), plain);
    AddLabel(vrZatr, QString(), QStringLiteral("kobiety w ciąży"), QRect(ColKobc, 8, 110, 16), plain);
    AddLabel(vrZatr, QString(), QStringLiteral("młodociani"), QRect(ColMlod, 8, 100, 16), plain);
    AddLabel(vrZatr, QString(), QStringLiteral("ogółem"), QRect(ColOgolem, 8, kReportWidth - ColOgolem, 16), plain);
    vrRok = AddLabel(rbZatr, QStringLiteral("vrRok"), QString(), QRect(ColRok, 2, 70, 16), plain);
    vrMen = AddLabel(rbZatr, QStringLiteral("vrMen"), QString(), QRect(ColMen, 2, 95, 16), plain);
    vrKob = AddLabel(rbZatr, QStringLiteral("vrKob"), QString(), QRect(ColKob, 2, 80, 16), plain);
    vrKobc = AddLabel(rbZatr, QStringLiteral("vrKobc"), QString(), QRect(ColKobc, 2, 110, 16), plain);
    vrMlod = AddLabel(rbZatr, QStringLiteral("vrMlod"), QString(), QRect(ColMlod, 2, 100, 16), plain);
    vrOgolem = AddLabel(rbZatr, QStringLiteral("vrOgolem"), QString(), QRect(ColOgolem, 2, 90, 16), plain);
    rbZatr->OnNeedData() = [this](QObject *, bool &moreData) { rbZatrNeedData(moreData); };

    vrCzynniki = AddSubDetail(*vrStan, QStringLiteral("vrCzynniki"), 19);
    TVRBand *vrSesjeHeader = AddSubDetailHeader(*vrStan, QStringLiteral("vrSesjeHeader"), vrCzynniki, 60);
    AddLabel(vrSesjeHeader, QString(), QStringLiteral("OCENA RYZYKA"), QRect(0, 8, 200, 16), bold);
    AddLabel(vrSesjeHeader, QString(), QStringLiteral("Nazwa czynnika"), QRect(0, 30, 300, 16), plain);
    AddLabel(vrSesjeHeader, QString(), QStringLiteral("Data pomiaru"), QRect(ColData, 30, 95, 16), plain);
    AddLabel(vrSesjeHeader, QString(), QStringLiteral("Ocena ryzyka   proponowana/ zatwierdzona"),
             QRect(ColOcena, 30, kReportWidth - ColOcena, 32), plain);
    lnazwacz =
        Stretching(AddLabel(vrCzynniki, QStringLiteral("lnazwacz"), QString(), QRect(0, 2, ColData - 15, 16), plain));
    ldata = AddLabel(vrCzynniki, QStringLiteral("ldata"), QString(), QRect(ColData, 2, 95, 16), plain);
    locena = Stretching(AddLabel(vrCzynniki, QStringLiteral("locena"), QString(),
                                 QRect(ColOcena, 2, kReportWidth - ColOcena, 16), plain));
    vrCzynniki->OnNeedData() = [this](QObject *, bool &moreData) { vrCzynnikiNeedData(moreData); };

    // A heading never stays alone at the foot of a page: it goes with the first line below it.
    KeepWithNext(*vrStan, sbStanowisko, [this] { return sbOpis; });
    KeepWithNext(*vrStan, vrZatr, [this] { return rbZatr; });
    KeepWithNext(*vrStan, vrSesjeHeader, [this] { return vrCzynniki; });

    AddPageNumberFooter(QStringLiteral("VRBand2"));

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
    m_source.Reset(options);
}

TInfStan TfrmVrInfZbiorczeStan::MakeEntry(const storage::TStanowisko &w) const
{
    TInfStan e;
    e.nazwa = w.nazwa;
    e.opis = w.Opis;
    e.kod = QStringLiteral("[") + w.Kod + QStringLiteral("] ");
    e.lokalizacja = w.Lokalizacja;
    // The pages are headed with the range: the years outside it are not shown under it.
    for (const storage::TZatrudn &z : w.Employment) {
        const int year = storage::TZatrudn::Figure(z.Rok);
        if (!m_dateFrom.isValid() || !m_dateTo.isValid() || (year >= m_dateFrom.year() && year <= m_dateTo.year()))
            e.zatrudnienie.push_back(z);
    }
    for (const storage::TFactorEntry &entry : w.Factors) {
        const storage::TCzynnik &f = *entry.factor;
        if (!CurrentMeasuredFactor(f))
            continue;
        for (const storage::TPomiarCzynn *m :
             storage::MeasurementsInRange(f.Measurements, m_dateFrom, m_dateTo, m_latestOnly))
            e.czynniki.push_back({storage::MeasurementDay(m->data), f.ident, entry.text, RiskLevelText(m->ocenamax),
                                  RiskLevelText(m->ocenakon)});
    }
    return e;
}

QString TfrmVrInfZbiorczeStan::NothingToPrint()
{
    if (!m_ocRyzyka)
        return QString();
    for (const storage::TStanowisko *w : m_source.Workstations())
        if (!MakeEntry(*w).czynniki.empty())
            return QString();
    const QString day = QStringLiteral("yyyy-MM-dd");
    return QStringLiteral("Brak danych do wydruku.\nŻaden pomiar aktualnych czynników nie mieści się w zakresie dat od "
                          "%1 do %2.")
        .arg(m_dateFrom.toString(day), m_dateTo.toString(day));
}

void TfrmVrInfZbiorczeStan::vrStanBeforePrint(bool &)
{
    const QString day = QStringLiteral("yyyy-MM-dd");
    vrlDataWydr->SetCaption(PrintedOnText(QStringLiteral("Wydrukowano : ")));
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
    vrOgolem->SetCaption(QString::number(z.Total()));
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
