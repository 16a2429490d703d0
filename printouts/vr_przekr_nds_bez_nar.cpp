#include "printouts/vr_przekr_nds_bez_nar.h"

#include "platform/window_registry.h"
#include "printouts/summary_reports.h"
#include "printouts/workstation_report_layout.h"
#include "reportengine/vr_report.h"
#include "storage/formatting.h"

#include <QPointer>

#include <algorithm>

namespace printouts {

using namespace reportengine;
using namespace summary;

namespace {

const char *const CategoryCaptions[] = {" nieustalone ", " małe ", " średnie ", " duże "};

} // namespace

int RiskCategory(float level)
{
    if (level == float(storage::RiskNotApplicable))
        return kCategoryNone;
    if (level == float(storage::RiskNotDetermined))
        return kCategoryNotDetermined;
    if (level >= 30.0f)
        return 3;
    if (level >= 20.0f)
        return 2;
    return 1;
}

TVRPrzekrNDSBezNar::TVRPrzekrNDSBezNar()
    : TWorkstationReportFormBase(QStringLiteral("VRPrzekrNDSBezNar"), QStringLiteral("vrPrzekrNDSBezNar"),
                                 QStringLiteral("Zestawienie stanowisk według kategorii ryzyka"))
{
    buildLayout();
}

TVRPrzekrNDSBezNar::~TVRPrzekrNDSBezNar() = default;

void TVRPrzekrNDSBezNar::buildLayout()
{
    TVelRep &report = *vrPrzekrNDSBezNar;

    TVRBand *header = AddBand(report, QStringLiteral("VRBand6"), TVRBandType::rbPageHeader, 26);
    vrlDataWydr = AddLabel(header, QStringLiteral("vrlDataWydr"), QString(), QRect(0, 0, 300, 14), ReportFont(8));
    header->BeforePrint = [this](TVRCustomBand *, bool &) {
        vrlDataWydr->SetCaption(PrintedOnText(QStringLiteral("Wydrukowano: ")));
    };
    TVRChildBand *title = AddChildBand(report, QStringLiteral("ChildBand1"), header, 70);
    AddLabel(title, QString(), QStringLiteral("Zestawienie stanowisk według kategorii ryzyka"),
             QRect(0, 11, kReportWidth, 22), ReportFont(13, true), TAlignment::taCenter);
    lTytNazw = AddLabel(title, QStringLiteral("lTytNazw"), QString(), QRect(0, 45, kReportWidth, 0), ReportFont(10));
    title->BeforePrint = [this](TVRCustomBand *band, bool &) {
        lTytNazw->SetCaption(QString());
        SetPixelHeight(lTytNazw, 0);
        SetPixelHeight(band, 70);
    };

    TVRBand *bPrzekr = AddBand(report, QStringLiteral("bPrzekr"), TVRBandType::rbDetail, 42);
    const QFont category = ReportFont(11, true);
    AddLabel(bPrzekr, QString(), QStringLiteral("Kategoria ryzyka:"), QRect(0, 15, 135, 18), category);
    lPrzekroczenie = AddLabel(bPrzekr, QStringLiteral("lPrzekroczenie"), QString(), QRect(136, 15, 200, 18), category);
    AddShape(bPrzekr, QString(), TVRShapeType::vrsHorLine, QRect(0, 37, kReportWidth, 2));

    bCzynn = AddSubDetail(report, QStringLiteral("bCzynn"), 26);
    vrCzynnik = AddLabel(bCzynn, QStringLiteral("vrCzynnik"), QString(), QRect(23, 8, kReportWidth - 23, 16),
                         ReportFont(10, true));
    vrCzynnik->SetAutoStretch(true);
    bCzynn->OnNeedData() = [this](QObject *, bool &moreData) { bCzynnNeedData(moreData); };

    bStrukt = AddSubDetail(report, QStringLiteral("bStrukt"), 0);
    bStrukt->SetMaster(bCzynn);
    lSkrotNazwa = AddLabel(bStrukt, QStringLiteral("lSkrotNazwa"), QString(), QRect(38, 0, 300, 0), ReportFont(10));
    bStrukt->OnNeedData() = [this](QObject *, bool &moreData) { bStruktNeedData(moreData); };

    bStan = AddSubDetail(report, QStringLiteral("bStan"), 19);
    bStan->SetMaster(bStrukt);
    AddLabel(bStan, QString(), QStringLiteral("Stanowisko : "), QRect(53, 2, 90, 16), ReportFont(10));
    vrlStan =
        AddLabel(bStan, QStringLiteral("vrlStan"), QString(), QRect(144, 2, kReportWidth - 144, 16), ReportFont(10));
    vrlStan->SetAutoStretch(true);
    bStan->OnNeedData() = [this](QObject *, bool &moreData) { bStanNeedData(moreData); };

    // A page that begins inside a category (and a factor) says so at its top: their
    // headings again, marked "(cd.)". Which band starts the page is known from its
    // BeforePrint, which runs before the band breaks the page.
    bCd = AddChildBand(report, QStringLiteral("bCd"), title, 0);
    lCdKategoria = AddLabel(bCd, QStringLiteral("lCdKategoria"), QString(), QRect(0, 15, kReportWidth, 18), category);
    lCdCzynnik = AddLabel(bCd, QStringLiteral("lCdCzynnik"), QString(), QRect(23, 0, kReportWidth - 23, 16),
                          ReportFont(10, true));
    lCdCzynnik->SetAutoStretch(true);
    bCd->BeforePrint = [this](TVRCustomBand *band, bool &print) { bCdBeforePrint(band, print); };
    bPrzekr->BeforePrint = [this](TVRCustomBand *, bool &) { m_starting = Starting::Category; };
    bCzynn->BeforePrint = [this](TVRCustomBand *, bool &) { m_starting = Starting::Factor; };
    bStan->BeforePrint = [this](TVRCustomBand *, bool &) { m_starting = Starting::Workstation; };

    // A heading never stays alone at the foot of a page: it goes with the first line below it.
    KeepWithNext(report, bPrzekr, [this] { return bCzynn; });
    KeepWithNext(report, bCzynn, [this] { return bStan; });

    AddPageNumberFooter(QStringLiteral("VRBand7"));

    report.BeforePrint = [this](TVelRep *, bool &) { reportBeforePrint(); };
    report.OnNeedData() = [this](QObject *, bool &moreData) { reportNeedData(moreData); };
}

std::vector<TPrzekrNDSN> TVRPrzekrNDSBezNar::BuildRecords()
{
    std::vector<TPrzekrNDSN> records;
    for (const storage::TStanowisko *w : m_source.Workstations())
        for (const storage::TFactorEntry &entry : w->Factors) {
            const storage::TCzynnik &f = *entry.factor;
            if (!CurrentMeasuredFactor(f))
                continue;
            records.push_back({f.id, entry.text, float(f.Measurements.back()->ocenamax), w->id.toInt(), 3, w->Kod,
                               w->nazwa, QString()});
        }
    return records;
}

void TVRPrzekrNDSBezNar::SetOptions(const TWorkstationReportOptions &options)
{
    m_male = options.Male;
    m_srednie = options.Srednie;
    m_duze = options.Duze;
    m_source.Reset(options);
}

bool TVRPrzekrNDSBezNar::chosen(int category) const
{
    if (category == kCategoryNotDetermined)
        return std::any_of(m_records.begin(), m_records.end(),
                           [](const TPrzekrNDSN &r) { return RiskCategory(r.ryzyko) == kCategoryNotDetermined; });
    return (category == 3 && m_duze) || (category == 2 && m_srednie) || (category == 1 && m_male);
}

void TVRPrzekrNDSBezNar::bCdBeforePrint(TVRCustomBand *band, bool &printBand)
{
    // The first page starts with its category; so does a page that starts a new one.
    const bool factor = m_starting == Starting::Workstation && m_heading < m_headings.size();
    printBand = m_category != kCategoryNone && m_starting != Starting::Category;
    if (!printBand)
        return;
    const QString category = QString::fromUtf8(CategoryCaptions[m_category]).trimmed();
    lCdKategoria->SetCaption(QStringLiteral("Kategoria ryzyka: %1 (cd.)").arg(category));
    SetPixelHeight(lCdKategoria, 18);
    int height = 42;
    lCdCzynnik->SetEnabled(factor);
    if (factor) {
        lCdCzynnik->SetCaption(m_records[m_headings[m_heading]].nazwaCzynnika + QStringLiteral(" (cd.)"));
        Place(lCdCzynnik, 23, height + 8, kReportWidth - 23, 16);
        height += 26;
    }
    SetPixelHeight(band, height);
}

void TVRPrzekrNDSBezNar::reportBeforePrint()
{
    m_starting = Starting::Category;
    m_category = kCategoryNone;
    m_counter = 3;
    Caption = QStringLiteral("Raport - Zestawienie stanowisk o określonej krotności przekroczeń NDS (NDN)");
    m_records = BuildRecords();
}

void TVRPrzekrNDSBezNar::reportNeedData(bool &moreData)
{
    if (moreData)
        m_counter = 3; // a new walk
    m_category = kCategoryNone;
    for (int c = m_counter; c >= kCategoryNotDetermined && m_category == kCategoryNone; --c)
        if (chosen(c))
            m_category = c;
    moreData = m_category != kCategoryNone;
    if (!moreData)
        return;
    lPrzekroczenie->SetCaption(QString::fromUtf8(CategoryCaptions[m_category]));
    m_counter = m_category - 1;
    // Each factor heads once: at its record nearest the end of the list.
    m_headings.clear();
    std::vector<int> headed;
    for (size_t i = m_records.size(); i-- > 0;) {
        const TPrzekrNDSN &r = m_records[i];
        if (RiskCategory(r.ryzyko) != m_category ||
            std::find(headed.begin(), headed.end(), r.idCzynnika) != headed.end())
            continue;
        headed.push_back(r.idCzynnika);
        m_headings.push_back(i);
    }
}

void TVRPrzekrNDSBezNar::bCzynnNeedData(bool &moreData)
{
    if (moreData)
        m_heading = 0;
    else
        ++m_heading;
    moreData = m_heading < m_headings.size();
    if (moreData)
        vrCzynnik->SetCaption(m_records[m_headings[m_heading]].nazwaCzynnika);
}

void TVRPrzekrNDSBezNar::bStruktNeedData(bool &moreData)
{
    // One structure row per factor: the workstations under it.
    moreData = moreData && m_heading < m_headings.size();
    if (!moreData)
        return;
    lSkrotNazwa->SetCaption(QString());
    SetPixelHeight(lSkrotNazwa, 0);
}

void TVRPrzekrNDSBezNar::bStanNeedData(bool &moreData)
{
    if (moreData) {
        m_stan = 0;
        m_stanowiska.clear();
        if (m_heading < m_headings.size()) {
            const int factor = m_records[m_headings[m_heading]].idCzynnika;
            for (size_t i = m_records.size(); i-- > 0;) {
                const TPrzekrNDSN &r = m_records[i];
                if (r.idCzynnika == factor && r.rodzajStruktury == 3 && RiskCategory(r.ryzyko) == m_category)
                    m_stanowiska.push_back(i);
            }
        }
    } else {
        ++m_stan;
    }
    moreData = m_stan < m_stanowiska.size();
    if (moreData) {
        const TPrzekrNDSN &r = m_records[m_stanowiska[m_stan]];
        vrlStan->SetCaption(r.kod + QStringLiteral(" ") + r.nazwa);
    }
}

TVRPrzekrNDSBezNar *VRPrzekrNDSBezNar()
{
    static QPointer<TVRPrzekrNDSBezNar> slot;
    return platform::WindowSingleton(slot);
}

} // namespace printouts
