#include "workstations/frm_zestaw.h"

#include "appstate/appstate.h"
#include "appstate/view_registry.h"
#include "assessment/frm_ocena_ryz.h"
#include "assessment/measurement_pages.h"
#include "platform/prompter.h"
#include "platform/window_registry.h"
#include "storage/workstation_files.h"
#include "widgets/date_typing.h"
#include "widgets/form_geometry.h"
#include "widgets/progress_dialog.h"
#include "widgets/radio_group.h"

#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

namespace workstations {

namespace {

const QString kDateFormat = QStringLiteral("yyyy-MM-dd");
constexpr int kLatest = 0; // "OSTATNIE"

QDateEdit *dateEdit(QWidget *parent, const char *name)
{
    auto *d = new QDateEdit(parent);
    d->setObjectName(QLatin1String(name));
    d->setDisplayFormat(kDateFormat);
    d->setCalendarPopup(true);
    widgets::TypeOverClickedSection(d);
    return d;
}

QWidget *labelledList(QWidget *parent, const char *panelName, const QString &caption, widgets::TListBox *&list,
                      const char *listName)
{
    auto *panel = new QWidget(parent);
    panel->setObjectName(QLatin1String(panelName));
    auto *layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *label = new QLabel(caption, panel);
    list = new widgets::TListBox(panel);
    list->setObjectName(QLatin1String(listName));
    label->setBuddy(list);
    layout->addWidget(label);
    layout->addWidget(list, 1);
    return panel;
}

// Chooses the entry for which matches holds, as a click on it would.
void chooseEntry(QListWidget *list, const std::function<bool(const QListWidgetItem *)> &matches)
{
    for (int row = 0; row < list->count(); ++row) {
        if (matches(list->item(row))) {
            list->setCurrentRow(row);
            return;
        }
    }
}

} // namespace

TfrmZestaw::TfrmZestaw(appstate::AppState &state) : appstate::TView(state, storage::TViewKind::Summary)
{
    setObjectName(QStringLiteral("frmZestaw"));
    setWindowTitle(QStringLiteral("Zestawienie pomiarów"));
    buildControls();
    m_pageHost = std::make_unique<widgets::TPanelHost>(pZestawPoj);
    widgets::RestoreFormGeometry(this);
}

TfrmZestaw::~TfrmZestaw()
{
    widgets::SaveFormGeometry(this, pCzyn, pLeftRyzZakl);
    m_pages.reset(); // the pages show items of this view's workstation
    m_pageHost.reset();
}

void TfrmZestaw::buildControls()
{
    pZestaw = new QWidget(this);
    pZestaw->setObjectName(QStringLiteral("pZestaw"));
    auto *outer = new QVBoxLayout(pZestaw);
    outer->setContentsMargins(2, 2, 2, 0);

    auto *top = new QGridLayout;
    auto *lStanow = new QLabel(QStringLiteral("Stanowisko :"), pZestaw);
    cbStanow = new QComboBox(pZestaw);
    cbStanow->setObjectName(QStringLiteral("cbStanow"));
    cbStanow->setModel(&workstation_loading::WorkstationListModel(Shared()));
    // One line an entry: the drop-down list lays out thousands of workstations measuring one.
    if (auto *rows = qobject_cast<QListView *>(cbStanow->view()))
        rows->setUniformItemSizes(true);
    lStanow->setBuddy(cbStanow);
    top->addWidget(lStanow, 0, 0);
    top->addWidget(cbStanow, 0, 1, 1, 4);
    auto *lOd = new QLabel(QStringLiteral("Zakres danych pomiarowych uwzględnianych na wydruku:  od "), pZestaw);
    dtOd = dateEdit(pZestaw, "dtOd");
    lOd->setBuddy(dtOd);
    dtDo = dateEdit(pZestaw, "dtDo");
    auto *range = new QHBoxLayout;
    range->addWidget(lOd);
    range->addWidget(dtOd);
    range->addWidget(new QLabel(QStringLiteral("do"), pZestaw));
    range->addWidget(dtDo);
    range->addStretch(1);
    top->addLayout(range, 1, 0, 1, 2);
    rgZakres = new widgets::TRadioGroup(QStringLiteral("rgZakres"), QString(),
                                        {QStringLiteral("OSTATNIE"), QStringLiteral("WSZYSTKIE")}, 2, pZestaw);
    rgZakres->SetItemIndex(kLatest);
    top->addWidget(rgZakres, 1, 2);
    bWyswietl = new QPushButton(QStringLiteral("Wyświetl"), pZestaw);
    bWyswietl->setObjectName(QStringLiteral("bWyswietl"));
    top->addWidget(bWyswietl, 1, 3);
    top->setColumnStretch(1, 1);
    outer->addLayout(top);

    spZestaw = new QSplitter(Qt::Horizontal, pZestaw);
    spZestaw->setObjectName(QStringLiteral("spZestaw"));
    spZestaw->setChildrenCollapsible(false);
    outer->addWidget(spZestaw, 1);
    pLeftRyzZakl = new QWidget(spZestaw);
    pLeftRyzZakl->setObjectName(QStringLiteral("pLeftRyzZakl"));
    pLeftRyzZakl->setMinimumWidth(83);
    auto *left = new QVBoxLayout(pLeftRyzZakl);
    left->setContentsMargins(0, 0, 0, 0);
    spLeft = new QSplitter(Qt::Vertical, pLeftRyzZakl);
    spLeft->setObjectName(QStringLiteral("spLeft"));
    spLeft->setChildrenCollapsible(false);
    pCzyn = labelledList(spLeft, "pCzyn", QStringLiteral("Lista czynników"), lbCzyn, "lbCzyn");
    labelledList(spLeft, "pPomiar", QStringLiteral("Pomiary"), lbPomiar, "lbPomiar");
    left->addWidget(spLeft);

    auto *right = new QWidget(spZestaw);
    right->setObjectName(QStringLiteral("pDanePomiar"));
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(new QLabel(QStringLiteral("Dane pomiarowe wybranego czynnika z podanego zakresu dat"), right));
    pZestawPoj = new QWidget(right);
    pZestawPoj->setObjectName(QStringLiteral("pZestawPoj"));
    auto *host = new QVBoxLayout(pZestawPoj);
    host->setContentsMargins(0, 0, 0, 0);
    rightLayout->addWidget(pZestawPoj, 1);
    spZestaw->setStretchFactor(1, 1);
    spZestaw->setSizes({220, 640});

    connect(cbStanow, &QComboBox::activated, this, [this](int) { cbStanowClick(); });
    connect(lbCzyn, &widgets::TListBox::Chosen, this, [this] { lbCzynClick(); });
    connect(lbPomiar, &widgets::TListBox::Chosen, this, [this] { lbPomiarClick(); });
    connect(bWyswietl, &QPushButton::clicked, this, [this] { bWyswietlClick(); });
    connect(dtOd, &QDateEdit::dateChanged, this, [this](const QDate &) { RangeChanged(); });
    connect(dtDo, &QDateEdit::dateChanged, this, [this](const QDate &) { RangeChanged(); });
    connect(rgZakres, &widgets::TRadioGroup::Clicked, this, [this](int) { RangeChanged(); });
}

// ---------------------------------------------------------------------------------------
// State

storage::TStanowisko *TfrmZestaw::SelectedWorkstation()
{
    return workstation_loading::WorkstationAt(Shared(), cbStanow->currentIndex());
}

QDate TfrmZestaw::DateFrom() const
{
    return dtOd->date();
}

QDate TfrmZestaw::DateTo() const
{
    return dtDo->date();
}

bool TfrmZestaw::LatestOnly() const
{
    return rgZakres->ItemIndex() != 1;
}

workstation_loading::FactorFilter TfrmZestaw::RangeFilter() const
{
    return workstation_loading::FactorFilter{true, DateFrom(), DateTo()};
}

storage::TCzynnik *TfrmZestaw::SelectedFactor() const
{
    return workstation_loading::FactorOfItem(Shared().Workstations, lbCzyn->currentItem());
}

storage::TPomiarCzynn *TfrmZestaw::SelectedMeasurement() const
{
    storage::TCzynnik *f = SelectedFactor();
    const QListWidgetItem *item = lbPomiar->currentItem();
    if (!f || !item)
        return nullptr;
    const int index = storage::FindMeasurementByDate(f->Measurements, item->data(Qt::UserRole).toString());
    return index >= 0 ? f->Measurements[size_t(index)].get() : nullptr;
}

// ---------------------------------------------------------------------------------------
// The measurement pages

assessment::TMeasurementPages *TfrmZestaw::MeasurementPages()
{
    // A preview: no ratings store, so nothing shown here is ever kept or marks a change.
    if (!m_pages)
        m_pages = std::make_unique<assessment::TMeasurementPages>(this, Shared());
    return m_pages.get();
}

void TfrmZestaw::WyswPanel(QWidget *panel)
{
    m_pageHost->Dock(panel);
    if (panel)
        panel->show();
}

void TfrmZestaw::clearPages()
{
    assessment::TMeasurementPages *rz = MeasurementPages();
    rz->Pages()->hide();
    // The items the pages showed belong to this view's workstation, which may be read again.
    rz->ClearMeasurementForm();
}

void TfrmZestaw::clearLists()
{
    const QSignalBlocker b1(lbCzyn), b2(lbPomiar);
    lbCzyn->clear();
    lbPomiar->clear();
}

// ---------------------------------------------------------------------------------------
// Handlers

void TfrmZestaw::InitView()
{
    clearLists();
    {
        const QSignalBlocker b1(cbStanow), b2(dtOd), b3(dtDo);
        cbStanow->setCurrentIndex(-1);
        const QDate today = QDate::currentDate();
        dtOd->setDate(today.addYears(-1)); // 29 February gives 28 February of the year before
        dtDo->setDate(today);
    }
    lbCzyn->setEnabled(true);
    lbPomiar->setEnabled(true);
    WyswPanel(MeasurementPages()->PageArea());
    clearPages();
    {
        const QSignalBlocker block(cbStanow);
        storage::StorageProblems problems;
        workstation_loading::LoadWorkstations(Shared(), Shared().DataFolder + QStringLiteral("struktura_dane.xml"), problems,
                                              widgets::ProgressWindowReport());
        appstate::ReportProblems(problems);
        cbStanow->setCurrentIndex(-1);
    }
}

void TfrmZestaw::cbStanowClick()
{
    clearLists();
    clearPages();
    storage::TStanowisko *w = SelectedWorkstation();
    if (w && !w->Loaded) {
        storage::StorageProblems problems;
        workstation_loading::LoadWorkstationData(Shared(), *w, problems);
        appstate::ReportProblems(problems);
    }
    const QSignalBlocker block(lbCzyn);
    workstation_loading::FillFactorList(lbCzyn, SelectedWorkstation(), RangeFilter());
    lbCzyn->setCurrentRow(-1);
}

void TfrmZestaw::FillMeasurementList(const storage::TMeasurementList &measurements, QListWidget *target) const
{
    const QSignalBlocker block(target);
    target->setUpdatesEnabled(false);
    target->clear();
    const std::vector<storage::TPomiarCzynn *> listed =
        storage::MeasurementsInRange(measurements, DateFrom(), DateTo(), LatestOnly());
    // Listed by their day texts: yyyy-MM-dd texts sort in the order of the days.
    std::vector<std::pair<QString, const storage::TPomiarCzynn *>> entries;
    entries.reserve(listed.size());
    for (const storage::TPomiarCzynn *m : listed)
        entries.emplace_back(storage::MeasurementDay(m->data), m);
    std::stable_sort(entries.begin(), entries.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    for (const auto &[day, m] : entries) {
        auto *item = new QListWidgetItem(day, target);
        item->setData(Qt::UserRole, m->data); // the key of the factor's list
    }
    target->setCurrentRow(-1);
    target->setUpdatesEnabled(true);
}

void TfrmZestaw::lbCzynClick()
{
    clearPages();
    const storage::TCzynnik *f = SelectedFactor();
    if (!f) {
        const QSignalBlocker block(lbPomiar);
        lbPomiar->clear();
        return;
    }
    FillMeasurementList(f->Measurements, lbPomiar);
}

void TfrmZestaw::lbPomiarClick()
{
    clearPages();
    storage::TPomiarCzynn *m = SelectedMeasurement();
    if (!m)
        return;
    assessment::TMeasurementPages *rz = MeasurementPages();
    rz->SetAttachmentFolder(Shared().AttachFolder);
    // Every field read-only, no evaluation; the pages keep nothing.
    rz->BuildMeasurementForm(m->Fields, false);
    rz->RiskPanel()->LoadMeasuresText(m->srodogrryz);
    // The combined rating follows the workstation's employment in the measurement's year;
    // nothing shown here is stored.
    rz->ShowRatings(assessment::ShownRatings(*m, SelectedWorkstation()), SelectedWorkstation());
    rz->Pages()->show();
}

void TfrmZestaw::bWyswietlClick()
{
    if (!SelectedWorkstation()) {
        platform::ShowInfo(QStringLiteral("Nie wybrano stanowiska"));
        return;
    }
    // The factor and the measurement chosen stay chosen where the new range still lists them.
    const storage::TCzynnik *keptFactor = SelectedFactor();
    const QListWidgetItem *shown = lbPomiar->currentItem();
    const QString keptDate = shown ? shown->data(Qt::UserRole).toString() : QString();
    clearLists();
    clearPages();
    {
        const QSignalBlocker block(lbCzyn);
        workstation_loading::FillFactorList(lbCzyn, SelectedWorkstation(), RangeFilter());
        lbCzyn->setCurrentRow(-1);
    }
    lbCzyn->setEnabled(true);
    lbPomiar->setEnabled(true);
    if (!keptFactor)
        return;
    chooseEntry(lbCzyn, [&](const QListWidgetItem *item) { return workstation_loading::FactorOfItem(Shared().Workstations, item) == keptFactor; });
    if (!keptDate.isEmpty() && SelectedFactor() == keptFactor)
        chooseEntry(lbPomiar,
                    [&](const QListWidgetItem *item) { return item->data(Qt::UserRole).toString() == keptDate; });
}

void TfrmZestaw::RangeChanged()
{
    bWyswietl->setEnabled(true);
    lbCzyn->setEnabled(false);
    lbPomiar->setEnabled(false);
}

void TfrmZestaw::Print()
{
    if (!appstate::RunCommandDialog(QStringLiteral("frmWydrukRej"), PrintSelection()))
        SayNothingToPrint();
}

appstate::TPrintSelection TfrmZestaw::PrintSelection()
{
    appstate::TPrintSelection selection;
    selection.Workstation = SelectedWorkstation();
    for (int i = 0; i < lbCzyn->count(); ++i) {
        const QListWidgetItem *item = lbCzyn->item(i);
        selection.Factors.push_back({item->text(), workstation_loading::FactorOfItem(Shared().Workstations, item)});
    }
    selection.DateFrom = DateFrom();
    selection.DateTo = DateTo();
    selection.LatestOnly = LatestOnly();
    appstate::AppState &state = Shared();
    selection.Workstations = &state.Workstations;
    selection.DataFolder = state.DataFolder;
    selection.ReadOptions = state.ReadOptions();
    return selection;
}

TfrmZestaw *frmZestaw(appstate::AppState &state)
{
    static QPointer<TfrmZestaw> slot;
    return platform::WindowSingleton(slot, state);
}

} // namespace workstations
