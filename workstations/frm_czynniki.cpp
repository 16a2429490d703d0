#include "workstations/frm_czynniki.h"

#include "appstate/appstate.h"
#include "assessment/measurement_pages.h"
#include "platform/prompter.h"
#include "platform/tarvelin_error.h"
#include "platform/window_registry.h"
#include "storage/catalogue_files.h"
#include "storage/damaged_files.h"
#include "storage/form_definition_files.h"
#include "storage/navigation_file.h"
#include "widgets/form_geometry.h"
#include "widgets/radio_group.h"
#include "workstation_loading/workstation_loading.h"
#include "workstations/frm_czynn_wl.h"
#include "workstations/frm_zw_biol.h"
#include "workstations/frm_zw_chem.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>
#include <utility>

namespace workstations {

namespace {

constexpr int kIdRole = Qt::UserRole;

// Own factors keep their forms here, whatever their group.
const QString kOwnFormsFolder = QStringLiteral("zaklocen\\frm\\");
const QString kOwnAttachFolder = QStringLiteral("zaklocen\\frm\\zalaczn");

bool sameName(const QString &a, const QString &b)
{
    return a.toUpper() == b.toUpper();
}

} // namespace

TfrmCzynniki::TfrmCzynniki(appstate::AppState &state) : appstate::TView(state, storage::TViewKind::Catalogue)
{
    setObjectName(QStringLiteral("frmCzynniki"));
    setWindowTitle(QStringLiteral("Katalog czynników"));
    buildControls();
    m_factors.Attach(lbCzynniki);
    m_dataHost = std::make_unique<widgets::TPanelHost>(pDaneCzyn);
    widgets::RestoreFormGeometry(this);
}

TfrmCzynniki::~TfrmCzynniki()
{
    widgets::SaveFormGeometry(this, Panel2);
    // The preview's pages show this view's items: they go first.
    m_pages.reset();
    // The panels outlive this view: they must not work on its list any more.
    if (m_chem && m_chem->Target() == &m_factors)
        m_chem->SetTarget(nullptr, QString(), QString());
    if (m_biol && m_biol->Target() == &m_factors)
        m_biol->SetTarget(nullptr, QString(), QString());
    m_dataHost.reset();
}

void TfrmCzynniki::buildControls()
{
    pWyswCzynniki = new QWidget(this);
    pWyswCzynniki->setObjectName(QStringLiteral("pWyswCzynniki"));
    auto *outer = new QVBoxLayout(pWyswCzynniki);
    outer->setContentsMargins(0, 0, 0, 0);
    spCzynniki = new QSplitter(Qt::Horizontal, pWyswCzynniki);
    spCzynniki->setObjectName(QStringLiteral("spCzynniki"));
    spCzynniki->setChildrenCollapsible(false);
    outer->addWidget(spCzynniki);

    Panel2 = new QWidget(spCzynniki);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    auto *left = new QVBoxLayout(Panel2);
    left->setContentsMargins(2, 2, 2, 2);
    auto *lGrupa = new QLabel(QStringLiteral("Grupa czynników :"), Panel2);
    cbGrupyCzyn = new QComboBox(Panel2);
    cbGrupyCzyn->setObjectName(QStringLiteral("cbGrupyCzyn"));
    cbGrupyCzyn->setPlaceholderText(QStringLiteral("Wybierz ..."));
    lGrupa->setBuddy(cbGrupyCzyn);
    left->addWidget(lGrupa);
    left->addWidget(cbGrupyCzyn);
    rgAktual = new widgets::TRadioGroup(QStringLiteral("rgAktual"), QString(),
                                        {QStringLiteral("Aktualne"), QStringLiteral("Wszystkie")}, 2, Panel2);
    rgAktual->SetItemIndex(0);
    left->addWidget(rgAktual);

    Splitter1 = new QSplitter(Qt::Vertical, Panel2);
    Splitter1->setObjectName(QStringLiteral("Splitter1"));
    Splitter1->setChildrenCollapsible(false);
    lbCzynniki = new widgets::TListBox(Splitter1);
    lbCzynniki->setObjectName(QStringLiteral("lbCzynniki"));
    lbCzynniki->setToolTip(QStringLiteral("wpisz pierwszą literę pozycji z listy"));
    Panel3 = new QWidget(Splitter1);
    Panel3->setObjectName(QStringLiteral("Panel3"));
    auto *own = new QVBoxLayout(Panel3);
    own->setContentsMargins(0, 2, 0, 0);
    auto *ownTop = new QHBoxLayout;
    ownTop->addWidget(new QLabel(QStringLiteral("Czynniki własne"), Panel3), 1);
    bDodaj = new QPushButton(QStringLiteral("Edycja"), Panel3);
    bDodaj->setObjectName(QStringLiteral("bDodaj"));
    bDodaj->setToolTip(QStringLiteral("Kliknij, aby wybrać opcję edycji czynników własnych"));
    ownTop->addWidget(bDodaj);
    own->addLayout(ownTop);
    lbCzynnikiWl = new widgets::TListBox(Panel3);
    lbCzynnikiWl->setObjectName(QStringLiteral("lbCzynnikiWl"));
    lbCzynnikiWl->setToolTip(QStringLiteral("opcje edycji dostępne pod prawym przyciskiem myszy"));
    lbCzynnikiWl->setContextMenuPolicy(Qt::CustomContextMenu);
    own->addWidget(lbCzynnikiWl);
    lbCzynnikiWlAll = new QListWidget(Panel3);
    lbCzynnikiWlAll->setObjectName(QStringLiteral("lbCzynnikiWlAll"));
    lbCzynnikiWlAll->hide();
    left->addWidget(Splitter1, 1);

    pDaneCzyn = new QWidget(spCzynniki);
    pDaneCzyn->setObjectName(QStringLiteral("pDaneCzyn"));
    auto *data = new QVBoxLayout(pDaneCzyn);
    data->setContentsMargins(0, 0, 0, 0);
    spCzynniki->setStretchFactor(1, 1);
    spCzynniki->setSizes({250, 600});

    pmCzynnikWl = new QMenu(this);
    pmCzynnikWl->setObjectName(QStringLiteral("pmCzynnikWl"));
    miNowyCzynWl = pmCzynnikWl->addAction(QStringLiteral("Nowy"));
    miNowyCzynWl->setObjectName(QStringLiteral("miNowyCzynWl"));
    miEdytujCzynWl = pmCzynnikWl->addAction(QStringLiteral("&Edytuj"));
    miEdytujCzynWl->setObjectName(QStringLiteral("miEdytujCzynWl"));
    miUsunCzynWl = pmCzynnikWl->addAction(QStringLiteral("&Usuń"));
    miUsunCzynWl->setObjectName(QStringLiteral("miUsunCzynWl"));

    connect(cbGrupyCzyn, &QComboBox::activated, this, [this](int) { cbGrupyCzynChange(); });
    connect(rgAktual, &widgets::TRadioGroup::Clicked, this, [this](int) { cbGrupyCzynChange(); });
    connect(lbCzynniki, &widgets::TListBox::Chosen, this, [this] { lbCzynnikiClick(); });
    connect(lbCzynnikiWl, &widgets::TListBox::Chosen, this, [this] { lbCzynnikiWlClick(); });
    connect(lbCzynnikiWl, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { pmCzynnikWl->popup(lbCzynnikiWl->viewport()->mapToGlobal(at)); });
    connect(bDodaj, &QPushButton::clicked, this, [this] { bDodajClick(); });
    connect(miNowyCzynWl, &QAction::triggered, this, [this] { miNowyCzynWlClick(); });
    connect(miEdytujCzynWl, &QAction::triggered, this, [this] { miEdytujCzynWlClick(); });
    connect(miUsunCzynWl, &QAction::triggered, this, [this] { miUsunCzynWlClick(); });
}

// ---------------------------------------------------------------------------------------
// Set-up and groups

void TfrmCzynniki::InitView()
{
    appstate::AppState &state = Shared();
    // Shown for its own element, its folder is the factor catalogue from now on; hosted by
    // the factors dialog it leaves the folder of the view that opened the dialog alone.
    if (IsCurrentView())
        state.CatalogueFolder = state.DataFolder;
    const QString configured = storage::CatalogueFolderOf(storage::NavigationGroups());
    m_catalogueFolder = configured.isEmpty() ? state.CatalogueFolder : configured;
    {
        const QSignalBlocker block(cbGrupyCzyn);
        cbGrupyCzyn->clear();
        cbGrupyCzyn->setPlaceholderText(QStringLiteral("Wybierz grupę czynników ..."));
        cbGrupyCzyn->setCurrentIndex(-1);
    }
    m_groups.clear();
    m_listedGroup.clear();
    m_dataHost->GiveBack();
    m_factors.Clear();
    try {
        m_groups = storage::ReadFactorGroups(m_catalogueFolder + QStringLiteral("czynniki_grupy.xml"));
    } catch (const platform::TarvelinError &e) {
        platform::ShowError(e.message());
    }
    {
        const QSignalBlocker block(cbGrupyCzyn);
        for (size_t i = 0; i < m_groups.size(); ++i)
            cbGrupyCzyn->addItem(m_groups[i]->nazwa, int(i));
        cbGrupyCzyn->setCurrentIndex(-1);
    }
    m_ownFactors.clear();
    listOwnFactors();
    // Own factors are kept where factors are chosen for a workstation, not in the catalogue
    // view itself.
    Panel3->setVisible(!IsCurrentView());
    bDodaj->setEnabled(false);
    Splitter1->setSizes({290, std::max(Splitter1->height() - 290, 120)});
}

const storage::TGrupaCzynnik *TfrmCzynniki::SelectedGroup() const
{
    const int index = cbGrupyCzyn->currentIndex();
    if (index < 0)
        return nullptr;
    const int at = cbGrupyCzyn->itemData(index).toInt();
    return at >= 0 && at < int(m_groups.size()) ? m_groups[size_t(at)].get() : nullptr;
}

bool TfrmCzynniki::isFormGroup() const
{
    const storage::TGrupaCzynnik *g = SelectedGroup();
    return g && (g->ident == QLatin1String("fiz") || g->ident == QLatin1String("uciaz") ||
                 g->ident == QLatin1String("pyly"));
}

void TfrmCzynniki::cbGrupyCzynChange()
{
    const storage::TGrupaCzynnik *g = SelectedGroup();
    if (!g)
        return;
    // The group listed again ("Aktualne" / "Wszystkie") keeps the entry chosen where it is
    // still listed; another group starts at its first entry.
    const QString groupKey = g->ident + QLatin1Char('|') + g->plik;
    std::optional<int> keepFactor;
    int keepOwn = 0;
    if (groupKey == m_listedGroup) {
        if (const storage::TCzynnik *f = SelectedFactor())
            keepFactor = f->id;
        if (const storage::TCzynnik *f = SelectedOwnFactor())
            keepOwn = f->id;
    }
    m_factors.Clear();
    m_factors.CurrentOnly = rgAktual->ItemIndex() != 1;
    const QString path = m_catalogueFolder + g->plik;
    storage::TCzynnikList entries;
    bool sorted = true;
    QString damage; // a list read only in part is shown as far as it goes
    try {
        if (g->ident == QLatin1String("chem")) {
            chemPanel()->SetTarget(&m_factors, g->katzal, path);
            chemPanel()->ClearFilters(); // the whole catalogue is read below
            DockPanel(chemPanel()->pDaneCzynChem);
            storage::ChemicalFilter filter;
            filter.currentOnly = m_factors.CurrentOnly;
            entries = AsFactorList(storage::ReadChemicalCatalogue(path, filter));
        } else if (isFormGroup()) {
            dockFormPages();
            sorted = false; // in the order of the file
            entries = storage::ReadFactorList(path, g->ident, m_factors.CurrentOnly, &damage);
        } else {
            biolPanel()->SetTarget(&m_factors, g->katzal, path);
            DockPanel(biolPanel()->pDaneCzynBiol);
            entries = AsFactorList(storage::ReadBiologicalCatalogue(path, QStringLiteral("0")));
        }
    } catch (const platform::TarvelinError &e) {
        platform::ShowError(e.message());
        entries.clear();
    }
    if (!damage.isEmpty())
        platform::ShowError(storage::DamagedFileReadText(damage));
    m_factors.SetEntries(std::move(entries), sorted);
    m_listedGroup = groupKey;
    readOwnFactors();
    listOwnFactors(keepOwn);
    if (SelectedOwnFactor()) {
        lbCzynnikiWlClick();
    } else if (m_factors.Count() > 0) {
        m_factors.SelectQuietlyKeeping(keepFactor);
        lbCzynnikiClick();
    } else if (g->ident == QLatin1String("chem")) {
        chemPanel()->lbNazwCzChemClick(); // no substance: no details
    } else if (!isFormGroup()) {
        biolPanel()->lbNazwCzBiolClick();
    } else {
        MeasurementPages()->ClearMeasurementForm();
    }
    bDodaj->setEnabled(true);
}

// ---------------------------------------------------------------------------------------
// Factors and their forms

void TfrmCzynniki::DockPanel(QWidget *panel)
{
    m_dataHost->Dock(panel);
    if (panel)
        panel->show();
}

TfrmZwChem *TfrmCzynniki::chemPanel()
{
    m_chem = frmZwChem();
    return m_chem;
}

TfrmZwBiol *TfrmCzynniki::biolPanel()
{
    m_biol = frmZwBiol();
    return m_biol;
}

assessment::TMeasurementPages *TfrmCzynniki::MeasurementPages()
{
    // A preview: no ratings store, so nothing shown here is ever kept or marks a change.
    if (!m_pages)
        m_pages = std::make_unique<assessment::TMeasurementPages>(this, Shared());
    return m_pages.get();
}

void TfrmCzynniki::dockFormPages()
{
    assessment::TMeasurementPages *rz = MeasurementPages();
    DockPanel(rz->PageArea());
    rz->Pages()->show();
}

void TfrmCzynniki::showForm(const QString &attachFolder, const QString &formPath, int factorId)
{
    assessment::TMeasurementPages *rz = MeasurementPages();
    rz->SetAttachmentFolder(attachFolder);
    rz->ClearMeasurementForm();
    m_formItems.clear();
    storage::FormReadOptions options;
    options.forCatalogueView = true;
    try {
        storage::ReadMeasurementForm(formPath, m_formItems, factorId, options);
    } catch (const platform::TarvelinError &e) {
        // The form area stays empty: a factor whose form is not installed has nothing to show.
        m_formItems.clear();
        platform::ShowWarning(e.message());
        return;
    }
    // The preview's fields can be tried out: they run the form's rule, which rates what it
    // is given, shown only.
    rz->BuildMeasurementForm(m_formItems, true);
    rz->SetRiskAssessment(assessment::TGroupRatings::All(10));
}

void TfrmCzynniki::lbCzynnikiClick()
{
    const storage::TGrupaCzynnik *g = SelectedGroup();
    storage::TCzynnik *f = SelectedFactor();
    if (!g || !f)
        return;
    const QString path = m_catalogueFolder + g->plik;
    pDaneCzyn->setUpdatesEnabled(false);
    if (g->ident == QLatin1String("chem")) {
        chemPanel()->SetTarget(&m_factors, g->katzal, path);
        DockPanel(chemPanel()->pDaneCzynChem);
        chemPanel()->lbNazwCzChemClick();
    } else if (isFormGroup()) {
        dockFormPages();
        showForm(g->katzal, g->katfrm + storage::FormDefinitionName(f->frm_dane, f->ver_pom), f->id);
    } else {
        biolPanel()->SetTarget(&m_factors, g->katzal, path);
        DockPanel(biolPanel()->pDaneCzynBiol);
        biolPanel()->lbNazwCzBiolClick();
    }
    pDaneCzyn->setUpdatesEnabled(true);
    const QSignalBlocker block(lbCzynnikiWl);
    lbCzynnikiWl->setCurrentRow(-1);
}

void TfrmCzynniki::lbCzynnikiWlClick()
{
    const storage::TCzynnik *f = SelectedOwnFactor();
    if (!f)
        return;
    dockFormPages();
    m_factors.SelectQuietly(-1);
    pDaneCzyn->setUpdatesEnabled(false);
    showForm(kOwnAttachFolder, kOwnFormsFolder + storage::FormDefinitionName(f->frm_dane, f->ver_pom), f->id);
    pDaneCzyn->setUpdatesEnabled(true);
}

// ---------------------------------------------------------------------------------------
// Own factors

QString TfrmCzynniki::OwnFactorText(const storage::TCzynnik &f)
{
    return f.nazwa + QStringLiteral(" (") + f.frm_dane + QLatin1Char(')');
}

void TfrmCzynniki::readOwnFactors()
{
    m_ownFactors.clear();
    const storage::TGrupaCzynnik *g = SelectedGroup();
    if (!g)
        return;
    QString damage; // shown as far as it could be read; the file is not written over
    m_ownFactors = storage::ReadFactorList(m_catalogueFolder + g->plikWl, g->ident, false, &damage);
    if (!damage.isEmpty())
        platform::ShowError(storage::DamagedFileReadText(damage));
}

void TfrmCzynniki::sortOwnFactors()
{
    // The hidden list of every own factor is sorted, and the file is written in its order.
    std::stable_sort(m_ownFactors.begin(), m_ownFactors.end(),
                     [](const auto &a, const auto &b) { return workstation_loading::ListTextLess(a->nazwa, b->nazwa); });
}

void TfrmCzynniki::listOwnFactors(int selectId)
{
    sortOwnFactors();
    const bool all = rgAktual->ItemIndex() == 1;
    const QSignalBlocker blockAll(lbCzynnikiWlAll), blockShown(lbCzynnikiWl);
    lbCzynnikiWlAll->clear();
    lbCzynnikiWl->clear();
    std::vector<std::pair<QString, int>> shown;
    for (const auto &f : m_ownFactors) {
        auto *item = new QListWidgetItem(f->nazwa, lbCzynnikiWlAll);
        item->setData(kIdRole, f->id);
        if (all || f->aktual == QLatin1String("1"))
            shown.emplace_back(OwnFactorText(*f), f->id);
    }
    std::stable_sort(shown.begin(), shown.end(),
                     [](const auto &a, const auto &b) { return workstation_loading::ListTextLess(a.first, b.first); });
    for (const auto &[text, id] : shown) {
        auto *item = new QListWidgetItem(text, lbCzynnikiWl);
        item->setData(kIdRole, id);
        if (id == selectId)
            lbCzynnikiWl->setCurrentItem(item);
    }
    if (selectId == 0)
        lbCzynnikiWl->setCurrentRow(-1);
}

storage::TCzynnik *TfrmCzynniki::SelectedOwnFactor() const
{
    const QListWidgetItem *item = lbCzynnikiWl->currentItem();
    if (!item || !item->isSelected())
        return nullptr;
    const int id = item->data(kIdRole).toInt();
    for (const auto &f : m_ownFactors)
        if (f->id == id)
            return f.get();
    return nullptr;
}

std::vector<const storage::TCzynnik *> TfrmCzynniki::OwnFactors() const
{
    std::vector<const storage::TCzynnik *> out;
    for (const auto &f : m_ownFactors)
        out.push_back(f.get());
    return out;
}

int TfrmCzynniki::NewOwnFactorId() const
{
    // Every group's file is read, not only this group's: own factors are numbered across
    // the whole catalogue. A file that cannot be read is reported by the exception.
    std::vector<storage::TCzynnikList> lists;
    std::vector<const storage::TCzynnik *> all;
    for (const auto &g : m_groups) {
        lists.push_back(storage::ReadFactorList(m_catalogueFolder + g->plikWl, g->ident, false));
        for (const auto &f : lists.back())
            all.push_back(f.get());
    }
    for (const auto &f : m_ownFactors)
        all.push_back(f.get());
    return storage::NextOwnFactorId(all);
}

bool TfrmCzynniki::NameInCatalogue(const QString &name) const
{
    for (int row = 0; row < m_factors.Count(); ++row)
        if (sameName(m_factors.Entry(row)->nazwa, name))
            return true;
    return false;
}

bool TfrmCzynniki::NameInOwnFactors(const QString &name, int exceptId) const
{
    for (const auto &f : m_ownFactors)
        if (f->id != exceptId && sameName(f->nazwa, name))
            return true;
    return false;
}

bool TfrmCzynniki::writeOwnFactors()
{
    const storage::TGrupaCzynnik *g = SelectedGroup();
    if (!g)
        return false;
    return appstate::ReportStorageResult(storage::WriteOwnFactorList(
        m_catalogueFolder + g->plikWl, QStringLiteral("czyn") + g->ident, OwnFactors()));
}

QString TfrmCzynniki::StillUsedText(const QString &oldName, const QString &newName, bool retired,
                                    const std::vector<storage::TFactorUse> &uses)
{
    QStringList lines;
    for (const storage::TFactorUse &u : uses)
        if (retired || u.factorName != newName)
            lines << QStringLiteral("   %1 (jako \"%2\")").arg(u.workstation, u.factorName);
    if (lines.isEmpty())
        return QString();
    const QString head =
        retired
            ? QStringLiteral("Czynnik własny \"%1\" otrzymał status nieaktualnego, ale na tych stanowiskach jest "
                             "nadal czynnikiem aktualnym i tak jest drukowany:")
                  .arg(oldName)
            : QStringLiteral("Czynnik własny \"%1\" ma teraz nazwę \"%2\", ale na tych stanowiskach występuje nadal "
                             "pod dotychczasową nazwą i tak jest drukowany:")
                  .arg(oldName, newName);
    const QString how =
        retired
            ? QStringLiteral("Aby usunąć go ze stanowiska, w widoku Stanowiska pracy kliknij \"Wybierz czynniki na "
                             "stanowisku\", usuń czynnik z listy i zapisz stanowisko.")
            : QStringLiteral("Aby stanowisko podawało nową nazwę, w widoku Stanowiska pracy kliknij \"Wybierz "
                             "czynniki na stanowisku\", usuń czynnik z listy, dodaj go ponownie i zapisz stanowisko.");
    return head + QLatin1Char('\n') + lines.join(QLatin1Char('\n')) + QStringLiteral("\n\n") + how;
}

bool TfrmCzynniki::StoreOwnFactor(const storage::TCzynnik &factor)
{
    auto it = std::find_if(m_ownFactors.begin(), m_ownFactors.end(),
                           [&](const auto &f) { return f->id == factor.id; });
    QString oldName;
    bool retired = false;
    if (it == m_ownFactors.end()) {
        m_ownFactors.push_back(factor.Clone());
    } else {
        storage::TCzynnik &f = **it;
        oldName = f.nazwa;
        retired = f.aktual != QLatin1String("0") && factor.aktual == QLatin1String("0");
        f.nazwa = factor.nazwa;
        f.frm_dane = factor.frm_dane;
        f.szkod = factor.szkod;
        f.aktual = factor.aktual;
    }
    sortOwnFactors();
    if (!writeOwnFactors()) {
        // What is shown is what the file holds.
        readOwnFactors();
        listOwnFactors();
        return false;
    }
    listOwnFactors(factor.id);
    // The factor just stored is the one chosen: its form is shown, and "dodaj" takes it.
    if (SelectedOwnFactor())
        lbCzynnikiWlClick();
    if (!oldName.isEmpty() && (retired || oldName != factor.nazwa)) {
        // The workstations keep the name a factor had when it was added (the factor is
        // found by its number), so they go on listing and printing the old one.
        std::vector<storage::TFactorUse> uses;
        for (const QString &folder : storage::WorkstationDataFolders(storage::NavigationGroups()))
            for (storage::TFactorUse &u : storage::WorkstationsUsingFactor(folder, factor.id))
                uses.push_back(std::move(u));
        if (const QString text = StillUsedText(oldName, factor.nazwa, retired, uses); !text.isEmpty())
            platform::ShowInfo(text);
    }
    return true;
}

void TfrmCzynniki::bDodajClick()
{
    pmCzynnikWl->popup(bDodaj->mapToGlobal(bDodaj->rect().bottomLeft()));
}

void TfrmCzynniki::miNowyCzynWlClick()
{
    if (!SelectedGroup()) {
        platform::ShowInfo(QStringLiteral("Należy wybrać grupę czynników"));
        return;
    }
    frmCzynnWl()->Execute(*this, TfrmCzynnWl::NewFactor);
}

void TfrmCzynniki::miEdytujCzynWlClick()
{
    if (!SelectedOwnFactor()) {
        platform::ShowInfo(QStringLiteral("Należy wybrać czynnik z listy czynników własnych."));
        return;
    }
    frmCzynnWl()->Execute(*this, TfrmCzynnWl::EditFactor);
}

void TfrmCzynniki::miUsunCzynWlClick()
{
    storage::TCzynnik *f = SelectedOwnFactor();
    if (!f) {
        platform::ShowInfo(QStringLiteral("Należy wybrać czynnik z listy czynników własnych."));
        return;
    }
    const QString question = QStringLiteral("Czy na pewno usunąć wybrany czynnik własny?\n") +
                             lbCzynnikiWl->currentItem()->text() +
                             QStringLiteral("\n\nDane pomiarowe czynnika nie zostaną usunięte,\n"
                                            " czynnik otrzyma status nieaktualnego");
    if (!platform::ConfirmDeletion(question, QStringLiteral("Potwierdź usunięcie danych ")))
        return;
    // Never removed from the file: measurements of it on workstations stay reachable.
    std::unique_ptr<storage::TCzynnik> retired = f->Clone();
    retired->aktual = QStringLiteral("0");
    StoreOwnFactor(*retired); // under "Aktualne" it leaves the list
}

TfrmCzynniki *frmCzynniki(appstate::AppState &state)
{
    static QPointer<TfrmCzynniki> slot;
    return platform::WindowSingleton(slot, state);
}

} // namespace workstations
