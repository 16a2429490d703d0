#include "reportengine/vr_band.h"

#include "reportengine/vr_controller.h"
#include "reportengine/vr_data_set.h"
#include "reportengine/vr_page_picture.h"
#include "reportengine/vr_printable.h"
#include "reportengine/vr_report.h"

#include <algorithm>

namespace reportengine {

namespace {

struct BandTypeNames
{
    const char *display;
    const char *component;
};

constexpr BandTypeNames kBandTypeNames[] = {
    {"Title", "TitleBand"},
    {"Page Header", "PageHeaderBand"},
    {"Detail", "DetailBand"},
    {"Page Footer", "PageFooterBand"},
    {"Summary", "SummaryBand"},
    {"Group Header", "GroupHeaderBand"},
    {"Group Footer", "GroupFooterBand"},
    {"Sub Detail", "SubDetailBand"},
    {"Column Header", "ColumnHeaderBand"},
    {"Overlay", "OverlayBand"},
    {"Child", "ChildBand"},
};

// The next object a band's links lead to: a child band's parent band, a link band, a
// group's or controller band's master.
std::vector<const QObject *> LinksOf(const QObject *o)
{
    std::vector<const QObject *> links;
    if (const auto *child = qobject_cast<const TVRChildBand *>(o))
        links.push_back(child->ParentBand());
    if (const auto *band = qobject_cast<const TVRCustomBand *>(o))
        links.push_back(band->LinkBand());
    if (const auto *group = qobject_cast<const TVRGroup *>(o))
        links.push_back(group->Master());
    if (const auto *cb = qobject_cast<const TVRControllerBand *>(o))
        links.push_back(cb->Master());
    links.erase(std::remove(links.begin(), links.end(), nullptr), links.end());
    return links;
}

} // namespace

QString BandTypeDisplayName(TVRBandType type)
{
    return QString::fromLatin1(kBandTypeNames[static_cast<int>(type)].display);
}

QString BandTypeComponentName(TVRBandType type)
{
    return QString::fromLatin1(kBandTypeNames[static_cast<int>(type)].component);
}

// ---------------------------------------------------------------------------------------

TVRCustomBand::TVRCustomBand(QObject *parent, TVRBandType type)
    : QObject(parent), m_type(type), m_font(QStringLiteral("Arial"), 10)
{
    m_size.OnWidthChange = [this] { WidthChanged(); };
    if (TVelRep *report = ParentReport()) {
        m_size.SetUnits(report->Units());
        m_size.Zoom = report->Zoom();
        m_size.ParentReport = report;
    }
}

TVRCustomBand::~TVRCustomBand() = default;

TVelRep *TVRCustomBand::ParentReport() const
{
    return qobject_cast<TVelRep *>(parent());
}

TVRReportHost *TVRCustomBand::HostReport() const
{
    return ParentReport();
}

QFont TVRCustomBand::Font() const
{
    if (m_parentFont)
        if (const TVelRep *report = ParentReport())
            return report->Font();
    return m_font;
}

void TVRCustomBand::SetFont(const QFont &font)
{
    m_font = font;
    m_parentFont = false;
}

void TVRCustomBand::WidthChanged()
{
    for (TVRPrintable *p : Printables())
        p->VRNotification(this, 2);
}

TVRChildBand *TVRCustomBand::ChildBand() const
{
    if (!parent())
        return nullptr;
    for (QObject *o : parent()->children())
        if (auto *child = qobject_cast<TVRChildBand *>(o); child && child->ParentBand() == this)
            return child;
    return nullptr;
}

void TVRCustomBand::SetHasChild(bool hasChild)
{
    TVRChildBand *child = ChildBand();
    if (hasChild == (child != nullptr))
        return;
    if (hasChild) {
        auto *band = new TVRChildBand(parent());
        if (const TVelRep *report = ParentReport())
            band->setObjectName(report->NewBandName(TVRBandType::rbChild));
        band->SetParentBand(this);
        return;
    }
    // The grandchild follows this band, so the chain stays whole.
    if (TVRChildBand *grandchild = child->ChildBand())
        grandchild->SetParentBand(this);
    delete child;
}

bool TVRCustomBand::LeadsBackHere(const QObject *start) const
{
    std::vector<const QObject *> pending{start};
    std::vector<const QObject *> seen;
    while (!pending.empty()) {
        const QObject *o = pending.back();
        pending.pop_back();
        if (!o)
            continue;
        if (o == this)
            return true;
        if (std::find(seen.begin(), seen.end(), o) != seen.end())
            continue;
        seen.push_back(o);
        for (const QObject *next : LinksOf(o))
            pending.push_back(next);
    }
    return false;
}

bool TVRCustomBand::CanFollow(const QObject *master) const
{
    if (!master)
        return true;
    if (!qobject_cast<const TVelRep *>(master) && !qobject_cast<const TVRControllerBand *>(master))
        return false;
    return !LeadsBackHere(master);
}

bool TVRCustomBand::SetLinkBand(TVRCustomBand *band)
{
    if (band && LeadsBackHere(band))
        return false;
    m_linkBand = band;
    return true;
}

bool TVRCustomBand::HostExpand(double amount)
{
    if (m_printTop + m_size.NativeHeight() + m_stretch + amount > m_expandLimit + 1e-6)
        return false;
    m_stretch += amount;
    return true;
}

std::vector<TVRPrintable *> TVRCustomBand::Printables() const
{
    std::vector<TVRPrintable *> list;
    for (QObject *o : children())
        if (auto *p = qobject_cast<TVRPrintable *>(o))
            list.push_back(p);
    return list;
}

double TVRCustomBand::StretchedHeight() const
{
    const double height = m_size.NativeHeight();
    double bottom = height;
    for (TVRPrintable *p : Printables()) {
        if (!p->Enabled() || !p->HasExpandedHeight())
            continue;
        bottom = std::max(bottom, p->Size().NativeTop() + p->ExpandedHeight() / kPageFactor);
    }
    return bottom;
}

// ---------------------------------------------------------------------------------------

TVRBand::TVRBand(QObject *parent, TVRBandType type) : TVRCustomBand(parent, type) {}

TVRChildBand::TVRChildBand(QObject *parent) : TVRCustomBand(parent, TVRBandType::rbChild) {}

bool TVRChildBand::SetParentBand(TVRCustomBand *band)
{
    if (band && LeadsBackHere(band))
        return false;
    m_parentBand = band;
    return true;
}

// ---------------------------------------------------------------------------------------

TVRGroup::TVRGroup(QObject *parent) : TVRCustomBand(parent, TVRBandType::rbGroupHeader) {}

TVRGroup::~TVRGroup() = default;

void TVRGroup::SetFooterBand(TVRCustomBand *band)
{
    m_footerBand = band;
    if (auto *b = qobject_cast<TVRBand *>(band))
        b->SetBandType(TVRBandType::rbGroupFooter);
}

bool TVRGroup::SetMaster(QObject *master)
{
    if (!CanFollow(master))
        return false;
    m_master = master;
    return true;
}

void TVRGroup::Prepare(const QList<TVRDataSet *> &dataSets, TVREvEnvironment *environment)
{
    m_evaluator = std::make_unique<TVREvaluator>();
    m_evaluator->SetDataSets(dataSets);
    m_evaluator->SetEnvironment(environment);
    m_evaluator->Prepare(Expression);
    EvaluatedOnce = false;
    Changed = false;
    HeaderPrinted = false;
    LastHeaderPage = 0;
}

void TVRGroup::Unprepare()
{
    m_evaluator.reset();
    m_lastResult = TVREvResult();
}

bool TVRGroup::Evaluate()
{
    if (!m_evaluator)
        return false;
    const TVREvResult value = m_evaluator->Value();
    bool changed = !EvaluatedOnce || value.Kind != m_lastResult.Kind;
    if (!changed) {
        switch (value.Kind) {
        case TVREvKind::Integer:
            changed = value.Integer != m_lastResult.Integer;
            break;
        case TVREvKind::Float:
            changed = value.Float != m_lastResult.Float;
            break;
        case TVREvKind::Boolean:
            changed = value.Boolean != m_lastResult.Boolean;
            break;
        case TVREvKind::String:
        case TVREvKind::Error:
            changed = value.Text != m_lastResult.Text;
            break;
        }
    }
    EvaluatedOnce = true;
    m_lastResult = value;
    return changed;
}

// ---------------------------------------------------------------------------------------

TVRControllerBand::TVRControllerBand(QObject *parent, TVRBandType type)
    : TVRCustomBand(parent, type), m_ownController(std::make_unique<TVRController>(this))
{
}

TVRControllerBand::~TVRControllerBand() = default;

bool TVRControllerBand::SetMaster(QObject *master)
{
    if (!CanFollow(master))
        return false;
    m_master = master;
    return true;
}

TVRSubDetail::TVRSubDetail(QObject *parent) : TVRControllerBand(parent, TVRBandType::rbSubDetail)
{
    OwnController().Detail = this;
    OwnController().PrintBefore = false;
}

void TVRSubDetail::SetHasHeader(bool has)
{
    if (has != HasHeader())
        SetHeaderBand(ReplaceBand(m_headerBand, has, TVRBandType::rbGroupHeader));
}

void TVRSubDetail::SetHasFooter(bool has)
{
    if (has != HasFooter())
        SetFooterBand(ReplaceBand(m_footerBand, has, TVRBandType::rbGroupFooter));
}

TVRCustomBand *TVRSubDetail::ReplaceBand(TVRCustomBand *old, bool make, TVRBandType type)
{
    delete old;
    if (!make)
        return nullptr;
    TVelRep *report = ParentReport();
    return report ? report->CreateBand(type) : new TVRBand(parent(), type);
}

void TVRSubDetail::SetHeaderBand(TVRCustomBand *band)
{
    m_headerBand = band;
    if (auto *b = qobject_cast<TVRBand *>(band))
        b->SetBandType(TVRBandType::rbGroupHeader);
    OwnController().Header = band;
}

void TVRSubDetail::SetFooterBand(TVRCustomBand *band)
{
    m_footerBand = band;
    if (auto *b = qobject_cast<TVRBand *>(band))
        b->SetBandType(TVRBandType::rbGroupFooter);
    OwnController().Footer = band;
}

TVRReportDataSet *TVRSubDetail::DataSet() const
{
    return OwnController().DataSet;
}

void TVRSubDetail::SetDataSet(TVRReportDataSet *dataSet)
{
    OwnController().DataSet = dataSet;
}

TVRSubDetail::TVROnNeedDataEvent &TVRSubDetail::OnNeedData()
{
    return OwnController().OnNeedData;
}

bool TVRSubDetail::PrintBefore() const
{
    return OwnController().PrintBefore;
}

void TVRSubDetail::SetPrintBefore(bool before)
{
    OwnController().PrintBefore = before;
}

bool TVRSubDetail::PrintIfEmpty() const
{
    return OwnController().PrintIfEmpty;
}

void TVRSubDetail::SetPrintIfEmpty(bool print)
{
    OwnController().PrintIfEmpty = print;
}

} // namespace reportengine
