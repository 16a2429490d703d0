#include "printouts/vr_zest_czynniki.h"

#include "platform/window_registry.h"
#include "printouts/summary_reports.h"
#include "reportengine/vr_report.h"

#include <QPointer>

#include <cmath>

namespace printouts {

using namespace reportengine;
using namespace summary;

namespace {

constexpr double Mm = 10;
// Where a factor line begins: under its workstation, or in a group's own list.
constexpr double FactorUnderWorkstation = 30, FactorInGroup = 8;

} // namespace

bool CarcinogenicMeasurement(const storage::TPomiarCzynn &measurement)
{
    for (const auto &field : measurement.Fields) {
        if (field->nazwa != QLatin1String("Typ"))
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
{
    setObjectName(QStringLiteral("VRZestCzynniki"));
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
    vrZestCzynnikowSzkodUciaz = NewReport(this, QStringLiteral("vrZestCzynnikowSzkodUciaz"),
                                          QStringLiteral("Wykaz czynników szkodliwych i uciążliwych"));
    TVelRep &report = *vrZestCzynnikowSzkodUciaz;

    TVRBand *title = AddBand(report, TVRBandType::rbTitle, QStringLiteral("TitleBand1"), 14);
    AddText(title, QString(), QStringLiteral("Wykaz czynników szkodliwych i uciążliwych"), 0, 3,
            {13, true, 190, TAlignment::taCenter});

    TVRBand *header = AddBand(report, TVRBandType::rbPageHeader, QStringLiteral("VRBand6"), 7);
    vrlDataWydr = AddText(header, QStringLiteral("vrlDataWydr"), QString(), 0, 0, {8});
    header->BeforePrint = [this](TVRCustomBand *, bool &) {
        vrlDataWydr->SetCaption(QStringLiteral("Wydrukowano: ") + PrintDateText());
    };

    TVRBand *bPrzekr = AddBand(report, TVRBandType::rbDetail, QStringLiteral("bPrzekr"), 11);
    lGrupa = AddText(bPrzekr, QStringLiteral("lGrupa"), QString(), 0, 4, {11, true});
    AddRule(bPrzekr, 10);

    bStan = AddSubDetail(report, QStringLiteral("bStan"), &report, 7);
    bStan->SetPrintIfEmpty(false);
    lStanow = AddText(bStan, QStringLiteral("lStanow"), QStringLiteral("Stanowisko :"), 4, 2, {10, true});
    vrlStan = AddText(bStan, QStringLiteral("vrlStan"), QString(), 30, 2, {10, true, 160});
    bStan->OnNeedData() = [this](QObject *, bool &moreData) { bStanNeedData(moreData); };

    bCzynn = AddSubDetail(report, QStringLiteral("bCzynn"), bStan, 5);
    bCzynn->SetPrintIfEmpty(false);
    vrCzynnik = AddText(bCzynn, QStringLiteral("vrCzynnik"), QString(), FactorUnderWorkstation, 0.5,
                        {10, false, 190 - FactorUnderWorkstation});
    bCzynn->OnNeedData() = [this](QObject *, bool &moreData) { bCzynnNeedData(moreData); };

    // A heading never stays alone at the foot of a page: it goes with the first line below it.
    KeepWithNext(report, bPrzekr, [this]() -> const TVRCustomBand * { return bStan->Enabled() ? bStan : bCzynn; });
    KeepWithNext(report, bStan, [this] { return bCzynn; });

    AddPageNumberFooter(report, QStringLiteral("VRBand7"), [this] { return m_pageCount; });

    report.BeforePrint = [this](TVelRep *, bool &) { reportBeforePrint(); };
    report.OnNeedData() = [this](QObject *, bool &moreData) { reportNeedData(moreData); };
}

void TVRZestCzynniki::SetOptions(const TWorkstationReportOptions &options)
{
    m_tylkoRakotworcze = options.TylkoRakotworcze;
    m_elementStruktury = options.ElementStruktury;
    m_source.Reset();
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

        vrCzynnik->Size().SetNativeLeft(FactorUnderWorkstation * Mm);
        vrCzynnik->Size().SetNativeWidth((190 - FactorUnderWorkstation) * Mm);
    } else {
        bStan->SetEnabled(false);
        bCzynn->SetMaster(vrZestCzynnikowSzkodUciaz);

        vrCzynnik->Size().SetNativeLeft(FactorInGroup * Mm);
        vrCzynnik->Size().SetNativeWidth((190 - FactorInGroup) * Mm);
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
