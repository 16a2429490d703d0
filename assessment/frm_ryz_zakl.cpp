// The measurement window's controls: the workstation chooser, the factor and measurement
// lists beside the area of its measurement pages, and how their signals reach the window.

#include "assessment/frm_ryz_zakl.h"

#include "platform/window_registry.h"
#include "widgets/field_binding.h"
#include "widgets/form_geometry.h"
#include "widgets/list_box.h"
#include "workstation_loading/workstation_list_model.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QSplitter>
#include <QVBoxLayout>

namespace assessment {

TfrmRyzZakl::TfrmRyzZakl(appstate::AppState &state) : appstate::TView(state, storage::TViewKind::Measurement)
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
    cbStanow->setModel(&workstation_loading::WorkstationListModel(Shared()));
    // One line an entry: the drop-down list lays out thousands of workstations measuring one.
    if (auto *rows = qobject_cast<QListView *>(cbStanow->view()))
        rows->setUniformItemSizes(true);
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

    m_pages = std::make_unique<TMeasurementPages>(split, Shared(), this); // the one store of its ratings
    split->setStretchFactor(1, 1);

    connect(cbStanow, &QComboBox::activated, this, [this](int) { cbStanowClick(); }); // the user's choice
    connect(lbCzyn, &widgets::TListBox::Chosen, this, [this] { lbCzynClick(); });
    connect(lbPomiar, &widgets::TListBox::Chosen, this, [this] { lbPomiarClick(); });
    widgets::BindExit(lbCzyn, [this](QWidget *) { lbCzynExit(); });

    widgets::RestoreFormGeometry(this);
}

TfrmRyzZakl::~TfrmRyzZakl()
{
    widgets::SaveFormGeometry(this, pLeftRyzZakl);
    m_pages.reset(); // before the lists its store reads
}

TfrmRyzZakl *frmRyzZakl(appstate::AppState &state)
{
    static QPointer<TfrmRyzZakl> instance;
    return platform::WindowSingleton(instance, state);
}

} // namespace assessment
