#include "assessment/frm_ryz_zakl.h"

#include "appstate/appstate.h"
#include "platform/window_registry.h"
#include "storage/measurements.h"
#include "storage/workstation_files.h"
#include "widgets/field_binding.h"
#include "widgets/form_geometry.h"
#include "workstation_loading/workstation_loading.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QScrollArea>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

namespace assessment {

class TfrmRyzZakl::ListAdapter : public workstations::TWorkstationListView
{
public:
    explicit ListAdapter(TfrmRyzZakl *w) : m_window(w) {}
    QComboBox *WorkstationCombo() override { return m_window->cbStanow; }
    storage::TStanowisko *SelectedWorkstation() override { return m_window->SelectedWorkstation(); }

private:
    TfrmRyzZakl *m_window;
};

TfrmRyzZakl::TfrmRyzZakl()
{
    setObjectName(QStringLiteral("frmRyzZakl"));
    setWindowTitle(QStringLiteral("Pomiary i ocena ryzyka zawodowego"));

    pRyzZakl = new QWidget(this);
    pRyzZakl->setObjectName(QStringLiteral("pRyzZakl"));
    auto *outer = new QVBoxLayout(pRyzZakl);
    outer->setContentsMargins(0, 0, 0, 0);

    auto *top = new QHBoxLayout;
    lStanowisko = new QLabel(QStringLiteral("Stanowisko pracy:"), pRyzZakl);
    lStanowisko->setObjectName(QStringLiteral("lStanowisko"));
    cbStanow = new QComboBox(pRyzZakl);
    cbStanow->setObjectName(QStringLiteral("cbStanow"));
    cbStanow->setMinimumWidth(300);
    top->addWidget(lStanowisko);
    top->addWidget(cbStanow, 1);
    outer->addLayout(top);

    auto *split = new QSplitter(Qt::Horizontal, pRyzZakl);
    split->setObjectName(QStringLiteral("spRyzZakl"));
    outer->addWidget(split, 1);

    pLeftRyzZakl = new QWidget(split);
    pLeftRyzZakl->setObjectName(QStringLiteral("pLeftRyzZakl"));
    pLeftRyzZakl->setMinimumWidth(83); // the lists are never narrower
    auto *left = new QVBoxLayout(pLeftRyzZakl);
    left->setContentsMargins(0, 0, 0, 0);
    auto *lCzyn = new QLabel(QStringLiteral("Czynniki:"), pLeftRyzZakl);
    lCzyn->setObjectName(QStringLiteral("lCzyn"));
    lbCzyn = new widgets::TListBox(pLeftRyzZakl);
    lbCzyn->setObjectName(QStringLiteral("lbCzyn"));
    auto *lPomiar = new QLabel(QStringLiteral("Pomiary:"), pLeftRyzZakl);
    lPomiar->setObjectName(QStringLiteral("lPomiar"));
    lbPomiar = new widgets::TListBox(pLeftRyzZakl);
    lbPomiar->setObjectName(QStringLiteral("lbPomiar"));
    left->addWidget(lCzyn);
    left->addWidget(lbCzyn, 2);
    left->addWidget(lPomiar);
    left->addWidget(lbPomiar, 1);

    pAllRyzZakl = new QWidget(split);
    pAllRyzZakl->setObjectName(QStringLiteral("pAllRyzZakl"));
    auto *all = new QVBoxLayout(pAllRyzZakl);
    all->setContentsMargins(0, 0, 0, 0);
    pgDokum = new QTabWidget(pAllRyzZakl);
    pgDokum->setObjectName(QStringLiteral("pgDokum"));
    all->addWidget(pgDokum);
    split->setStretchFactor(1, 1);

    connect(cbStanow, &QComboBox::activated, this, [this](int) { cbStanowClick(); }); // the user's choice
    connect(lbCzyn, &widgets::TListBox::Chosen, this, [this] { lbCzynClick(); });
    connect(lbPomiar, &widgets::TListBox::Chosen, this, [this] { lbPomiarClick(); });
    connect(pgDokum, &QTabWidget::currentChanged, this, [this](int index) { pgDokumChange(index); });
    widgets::BindExit(lbCzyn, [this](QWidget *) { lbCzynExit(); });
    pgDokum->hide();

    m_listAdapter = std::make_unique<ListAdapter>(this);
    workstations::RegisterWorkstationListView(QStringLiteral("frmRyzZakl"), m_listAdapter.get());

    widgets::RestoreFormGeometry(this);
}

TfrmRyzZakl::~TfrmRyzZakl()
{
    widgets::SaveFormGeometry(this, pLeftRyzZakl);
    ClearMeasurementForm(pgDokum);
    // A window made after this one has registered its own in its place.
    if (workstations::WorkstationListView(QStringLiteral("frmRyzZakl")) == m_listAdapter.get())
        workstations::RegisterWorkstationListView(QStringLiteral("frmRyzZakl"), nullptr);
    if (TfrmOcenaRyz *panel = ExistingFrmOcenaRyz(); panel && panel->Host() == this)
        panel->SetHost(nullptr);
}

storage::TStanowisko *TfrmRyzZakl::SelectedWorkstation() const
{
    return workstations::WorkstationOfComboIndex(cbStanow, cbStanow->currentIndex());
}

storage::TCzynnik *TfrmRyzZakl::SelectedFactor() const
{
    return workstations::FactorOfItem(lbCzyn->currentItem());
}

storage::TPomiarCzynn *TfrmRyzZakl::SelectedMeasurement() const
{
    storage::TCzynnik *f = SelectedFactor();
    const QListWidgetItem *item = lbPomiar->currentItem();
    if (!f || !item)
        return nullptr;
    // The entry carries its measurement's date, the key of the factor's list.
    const int index = storage::FindMeasurementByDate(f->Measurements, item->data(Qt::UserRole).toString());
    return index >= 0 ? f->Measurements[static_cast<size_t>(index)].get() : nullptr;
}

TShownMeasurement TfrmRyzZakl::ShownMeasurement()
{
    // Only the measurement view works on a workstation; the pages it lends to previews do not.
    const QListWidgetItem *entry = lbPomiar->currentItem();
    if (appstate::State().ViewName != QLatin1String("frmRyzZakl") || !entry)
        return {};
    TShownMeasurement shown{SelectedWorkstation(), SelectedFactor(), entry->data(Qt::UserRole).toString()};
    return shown.IsSet() ? shown : TShownMeasurement();
}

bool TfrmRyzZakl::InSampleData()
{
    return appstate::State().DataFolder == QLatin1String("wzrocen\\");
}

TfrmRyzZakl *frmRyzZakl()
{
    static QPointer<TfrmRyzZakl> instance;
    return platform::WindowSingleton(instance);
}

} // namespace assessment
