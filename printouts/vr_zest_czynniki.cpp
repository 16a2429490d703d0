#include "printouts/vr_zest_czynniki.h"

#include "platform/window_registry.h"
#include "printouts/summary_reports.h"
#include "printouts/workstation_report_layout.h"
#include "reportengine/vr_report.h"

#include <QPointer>

#include <cmath>

namespace printouts {

using namespace reportengine;
using namespace summary;

namespace {

// Where a factor line begins (report pixels): under its workstation, or in a group's own list.
constexpr int FactorUnderWorkstation = 113, FactorInGroup = 30;

} // namespace

bool CarcinogenicMeasurement(const storage::TPomiarCzynn &measurement)
{
    for (const auto &field : measurement.Fields) {
        if (field->nazwa() != QLatin1String("Typ"))
            continue;
        bool ok = false;
        const double value = QString(field->Value).replace(QLatin1Char(','), QLatin1Char('.')).trimmed().toDouble(&ok);
        // A value that is no number (or none the bits can be read from) marks nothing.
        if (!ok || !std::isfinite(value) || std::fabs(value) > 1e15)
            continue;
        if ((static_cast<qint64>(std::ceil(value)) & 0xC003) != 0)
            return true;
    }
    return false;
}

TVRZestCzynniki::TVRZestCzynniki()
    : TWorkstationReportFormBase(QStringLiteral("VRZestCzynniki"), QStringLiteral("vrZestCzynnikowSzkodUciaz"),
                                 QStringLiteral("Wykaz czynników szkodliwych i uciążliwych"))
{
    const char *const groups[5][2] = {{"chem", "Czynniki chemiczne"},
                                      {"pyly", "Pyły"},
                                      {"fiz", "Czynniki fizyczne"},
                                      {"biol", "Czynniki biologiczne"},
                                      {"uciaz", "Czynniki uciążliwe"}};
    for (size_t i = 0; i < m_groups.size(); ++i) {
        m_groups[i].ident = QString::fromUtf8(groups[i][0]);
        m_groups[i].tytul = QString::fromUtf8(groups[i][1]);
    }
    buildLayout();
}

TVRZestCzynniki::~TVRZestCzynniki() = default;

void TVRZestCzynniki::buildLayout()
{
    TVelRep &report = *vrZestCzynnikowSzkodUciaz;

    TVRBand *title = AddBand(report, QStringLiteral("TitleBand1"), TVRBandType::rbTitle, 53);
    AddLabel(title, QString(), QStringLiteral("Wykaz czynników szkodliwych i uciążliwych"),
             QRect(0, 11, kReportWidth, 22), ReportFont(13, true), TAlignment::taCenter);

    TVRBand *header = AddBand(report, QStringLiteral("VRBand6"), TVRBandType::rbPageHeader, 26);
    vrlDataWydr = AddLabel(header, QStringLiteral("vrlDataWydr"), QString(), QRect(0, 0, 300, 14), ReportFont(8));
    header->BeforePrint = [this](TVRCustomBand *, bool &) {
        vrlDataWydr->SetCaption(PrintedOnText(QStringLiteral("Wydrukowano: ")));
    };

    TVRBand *bPrzekr = AddBand(report, QStringLiteral("bPrzekr"), TVRBandType::rbDetail, 42);
    lGrupa = AddLabel(bPrzekr, QStringLiteral("lGrupa"), QString(), QRect(0, 15, 400, 18), ReportFont(11, true));
    AddShape(bPrzekr, QString(), TVRShapeType::vrsHorLine, QRect(0, 37, kReportWidth, 2));

    const QFont bold = ReportFont(10, true);
    bStan = AddSubDetail(report, QStringLiteral("bStan"), 26);
    lStanow = AddLabel(bStan, QStringLiteral("lStanow"), QStringLiteral("Stanowisko :"), QRect(15, 8, 95, 16), bold);
    vrlStan = AddLabel(bStan, QStringLiteral("vrlStan"), QString(),
                       QRect(FactorUnderWorkstation, 8, kReportWidth - FactorUnderWorkstation, 16), bold);
    vrlStan->SetAutoStretch(true);
    bStan->OnNeedData() = [this](QObject *, bool &moreData) { bStanNeedData(moreData); };

    bCzynn = AddSubDetail(report, QStringLiteral("bCzynn"), 19);
    bCzynn->SetMaster(bStan);
    vrCzynnik = AddLabel(bCzynn, QStringLiteral("vrCzynnik"), QString(),
                         QRect(FactorUnderWorkstation, 2, kReportWidth - FactorUnderWorkstation, 16), ReportFont(10));
    vrCzynnik->SetAutoStretch(true);
    bCzynn->OnNeedData() = [this](QObject *, bool &moreData) { bCzynnNeedData(moreData); };

    // A heading never stays alone at the foot of a page: it goes with the first line below it.
    KeepWithNext(report, bPrzekr, [this]() -> const TVRCustomBand * { return bStan->Enabled() ? bStan : bCzynn; });
    KeepWithNext(report, bStan, [this] { return bCzynn; });

    AddPageNumberFooter(QStringLiteral("VRBand7"));

    report.BeforePrint = [this](TVelRep *, bool &) { reportBeforePrint(); };
    report.OnNeedData() = [this](QObject *, bool &moreData) { reportNeedData(moreData); };
}

void TVRZestCzynniki::SetOptions(const TWorkstationReportOptions &options)
{
    m_tylkoRakotworcze = options.TylkoRakotworcze;
    m_elementStruktury = options.ElementStruktury;
    m_source.Reset(options);
}

void TVRZestCzynniki::PrzygotujDane()
{
    for (TZestGrupa &g : m_groups) {
        g.czynniki.clear();
        g.stanowiska.clear();
    }
    const std::vector<storage::TStanowisko *> list = m_source.Workstations();
    for (TZestGrupa &g : m_groups)
        for (const storage::TStanowisko *w : list) {
            TZestGrupa::Stan entry{w->nazwa, {}};
            for (const storage::TFactorEntry &fe : w->Factors) {
                const storage::TCzynnik &f = *fe.factor;
                if (!CurrentMeasuredFactor(f) || f.ident != g.ident)
                    continue;
                if (m_tylkoRakotworcze && !CarcinogenicMeasurement(*f.Measurements.back()))
                    continue;
                const QString text = storage::FactorDisplayName(f.nazwa, f.id);
                if (m_elementStruktury)
                    entry.czynniki.append(text);
                else
                    g.czynniki.append(text);
            }
            if (!entry.czynniki.isEmpty())
                g.stanowiska.push_back(std::move(entry));
        }
}

void TVRZestCzynniki::reportBeforePrint()
{
    PrzygotujDane();
    if (m_elementStruktury) {
        bStan->SetEnabled(true);
        bCzynn->SetMaster(bStan);

        Place(vrCzynnik, FactorUnderWorkstation, 2, kReportWidth - FactorUnderWorkstation, 16);
    } else {
        bStan->SetEnabled(false);
        bCzynn->SetMaster(vrZestCzynnikowSzkodUciaz);

        Place(vrCzynnik, FactorInGroup, 2, kReportWidth - FactorInGroup, 16);
    }
    m_group = int(m_groups.size());
}

void TVRZestCzynniki::reportNeedData(bool &moreData)
{
    if (moreData)
        m_group = int(m_groups.size()); // a new walk
    // From the last group down; a group with nothing to list is left out.
    do
        --m_group;
    while (m_group >= 0 && !m_groups[size_t(m_group)].HasData());
    moreData = m_group >= 0;
    if (moreData)
        lGrupa->SetCaption(m_groups[size_t(m_group)].tytul);
}

void TVRZestCzynniki::bStanNeedData(bool &moreData)
{
    const bool inGroup = m_group >= 0 && m_group < int(m_groups.size());
    const int count = inGroup ? int(m_groups[size_t(m_group)].stanowiska.size()) : 0;
    m_stan = moreData ? count - 1 : m_stan - 1;
    moreData = inGroup && m_stan >= 0;
    if (moreData)
        vrlStan->SetCaption(m_groups[size_t(m_group)].stanowiska[size_t(m_stan)].nazwa);
}

const QStringList *TVRZestCzynniki::currentFactors() const
{
    if (m_group < 0 || m_group >= int(m_groups.size()))
        return nullptr;
    const TZestGrupa &g = m_groups[size_t(m_group)];
    if (!m_elementStruktury)
        return &g.czynniki;
    return m_stan >= 0 && m_stan < int(g.stanowiska.size()) ? &g.stanowiska[size_t(m_stan)].czynniki : nullptr;
}

void TVRZestCzynniki::bCzynnNeedData(bool &moreData)
{
    const QStringList *factors = currentFactors();
    const int count = factors ? int(factors->size()) : 0;
    m_czynnik = moreData ? count - 1 : m_czynnik - 1;
    moreData = factors && m_czynnik >= 0;
    if (moreData)
        vrCzynnik->SetCaption(factors->at(m_czynnik));
}

TVRZestCzynniki *VRZestCzynniki()
{
    static QPointer<TVRZestCzynniki> slot;
    return platform::WindowSingleton(slot);
}

} // namespace printouts
