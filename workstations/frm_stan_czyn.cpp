#include "workstations/frm_stan_czyn.h"

#include "platform/dialog_runner.h"
#include "platform/prompter.h"
#include "platform/window_registry.h"
#include "storage/workstation_files.h"
#include "widgets/dialog_buttons.h"
#include "widgets/form_geometry.h"
#include "workstation_loading/workstation_loading.h"
#include "workstations/frm_czynniki.h"
#include "workstations/frm_zw_chem.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

namespace workstations {

namespace {

const QString kDustIdent = QStringLiteral("pyly");

// Four lines, each after the first indented by seven blanks.
const QString kCurrentDustRefused = QStringLiteral(
    "Uwaga:\n"
    "       Brak możliwości dodania wybranego czynnika do listy czynników na stanowisku.\n"
    "       Aktualnie na liście czynników na stanowisku występują nieaktualne czynniki pyłowe.\n"
    "       Aby dodać aktualny czynnik należy z listy czynników na stanowisku usunąć wszystkie nieaktualne "
    "czynniki pyłowe.");
const QString kOldDustRefused = QStringLiteral(
    "Uwaga:\n"
    "       Brak możliwości dodania wybranego czynnika do listy czynników na stanowisku.\n"
    "       Aktualnie na liście czynników na stanowisku występują aktualne czynniki pyłowe.\n"
    "       Aby dodać nieaktualny czynnik należy z listy czynników na stanowisku usunąć wszystkie aktualne "
    "czynniki pyłowe.");

std::unique_ptr<storage::TCzynnik> workingCopy(const storage::TCzynnik &f)
{
    return std::make_unique<storage::TCzynnik>(f.nazwa, f.ident, f.id, f.ver_pom, f.frm_dane, QStringLiteral("T"),
                                               f.szkod);
}

} // namespace

TfrmStanCzyn::TfrmStanCzyn(appstate::AppState &state) : m_state(state)
{
    setObjectName(QStringLiteral("frmStanCzyn"));
    setWindowTitle(QStringLiteral("Czynniki na stanowisku"));
    setModal(true);
    auto *layout = new QVBoxLayout(this);

    pStanNazwa = new QLabel(this);
    pStanNazwa->setObjectName(QStringLiteral("pStanNazwa"));
    pStanNazwa->setFrameShape(QFrame::Panel);
    pStanNazwa->setFrameShadow(QFrame::Sunken);
    QFont bold = pStanNazwa->font();
    bold.setBold(true);
    pStanNazwa->setFont(bold);
    layout->addWidget(pStanNazwa);

    spStanCzyn = new QSplitter(Qt::Horizontal, this);
    spStanCzyn->setObjectName(QStringLiteral("spStanCzyn"));
    spStanCzyn->setChildrenCollapsible(false);
    Panelx = new QWidget(spStanCzyn);
    Panelx->setObjectName(QStringLiteral("Panelx"));
    auto *chosen = new QVBoxLayout(Panelx);
    chosen->setContentsMargins(0, 0, 0, 0);
    chosen->addWidget(new QLabel(QStringLiteral("Czynniki na stanowisku:"), Panelx));
    lbStanCzyn = new widgets::TListBox(Panelx);
    lbStanCzyn->setObjectName(QStringLiteral("lbStanCzyn"));
    chosen->addWidget(lbStanCzyn, 1);
    auto *moves = new QHBoxLayout;
    bDodaj = new QPushButton(QStringLiteral("<< &dodaj "), Panelx);
    bDodaj->setObjectName(QStringLiteral("bDodaj"));
    bUsun = new QPushButton(QStringLiteral(">> usuń"), Panelx);
    bUsun->setObjectName(QStringLiteral("bUsun"));
    moves->addWidget(bDodaj);
    moves->addWidget(bUsun);
    chosen->addLayout(moves);
    pAllCzyn = new QWidget(spStanCzyn);
    pAllCzyn->setObjectName(QStringLiteral("pAllCzyn"));
    auto *catalogue = new QVBoxLayout(pAllCzyn);
    catalogue->setContentsMargins(0, 0, 0, 0);
    spStanCzyn->setStretchFactor(1, 1);
    spStanCzyn->setSizes({280, 700});
    layout->addWidget(spStanCzyn, 1);

    const widgets::TDialogButtons row = widgets::AddDialogButtons(this, layout, {"bOk", QStringLiteral("OK")},
                                                                  {"bAnul", QStringLiteral("Anuluj")}, false);
    bOk = row.accept;
    bAnul = row.reject;
    resize(1000, 680);

    m_catalogueHost = std::make_unique<widgets::TPanelHost>(pAllCzyn);
    connect(bDodaj, &QPushButton::clicked, this, [this] { bDodajClick(); });
    connect(bUsun, &QPushButton::clicked, this, [this] { bUsunClick(); });
    connect(bOk, &QPushButton::clicked, this, &QDialog::accept);
    widgets::RestoreFormGeometry(this);
}

TfrmStanCzyn::~TfrmStanCzyn()
{
    widgets::SaveFormGeometry(this, Panelx);
    m_catalogueHost.reset();
}

bool TfrmStanCzyn::IsCurrentDust(const storage::TCzynnik &f)
{
    return f.id > CurrentDustAbove;
}

const storage::TCzynnik *TfrmStanCzyn::EntryFactor(int row) const
{
    return row >= 0 && row < Count() ? m_factors[size_t(row)].get() : nullptr;
}

void TfrmStanCzyn::addEntry(std::unique_ptr<storage::TCzynnik> factor, const QString &text)
{
    // The entries and their objects stand in the same order: Polish alphabetical.
    int at = lbStanCzyn->count();
    for (int i = 0; i < lbStanCzyn->count(); ++i)
        if (workstation_loading::ListTextLess(text, lbStanCzyn->item(i)->text())) {
            at = i;
            break;
        }
    lbStanCzyn->insertItem(at, text);
    m_factors.insert(m_factors.begin() + at, std::move(factor));
}

void TfrmStanCzyn::Fill(const storage::TStanowisko &w)
{
    lbStanCzyn->clear();
    m_factors.clear();
    for (const storage::TFactorEntry &e : w.Factors)
        if (e.factor->aktual == QLatin1String("T"))
            addEntry(workingCopy(*e.factor), e.text);
    pStanNazwa->setText(QStringLiteral(" Stanowisko: ") + w.nazwa);
}

void TfrmStanCzyn::FormShow()
{
    TfrmCzynniki *catalogue = frmCzynniki(m_state);
    m_catalogueHost->Dock(catalogue->pWyswCzynniki);
    // Beside the catalogue's lists the chemical panel shows whole (both columns of its
    // groups, every limit value): the lists give up width for it, and a dialog too narrow
    // for that opens wider.
    catalogue->pDaneCzyn->setMinimumWidth(frmZwChem()->FittingWidth());
    catalogue->pWyswCzynniki->show();
    catalogue->InitView();
}

void TfrmStanCzyn::FormHide()
{
    frmCzynniki(m_state)->pDaneCzyn->setMinimumWidth(0); // the catalogue view has its own room
    m_catalogueHost->GiveBack();
}

void TfrmStanCzyn::bDodajClick()
{
    TfrmCzynniki *catalogue = frmCzynniki(m_state);
    const storage::TCzynnik *source = catalogue->SelectedFactor();
    if (!source)
        source = catalogue->SelectedOwnFactor();
    if (!source)
        return;
    for (const auto &f : m_factors) {
        if (f->id == source->id) {
            platform::ShowWarning(QStringLiteral("Wybrany czynnik jest już na liście czynników na stanowisku!"));
            return;
        }
    }
    if (source->ident == kDustIdent) {
        // One kind of dust at a time: current dusts and those no longer current are rated
        // by different rules and cannot be summed together.
        const bool current = IsCurrentDust(*source);
        for (const auto &f : m_factors) {
            if (f->ident != kDustIdent || IsCurrentDust(*f) == current)
                continue;
            platform::ShowWarning(current ? kCurrentDustRefused : kOldDustRefused);
            return;
        }
    }
    addEntry(workingCopy(*source), storage::FactorDisplayName(source->nazwa, source->id));
}

void TfrmStanCzyn::bUsunClick()
{
    const int row = lbStanCzyn->currentRow();
    if (row < 0 || row >= Count())
        return;
    if (!platform::ConfirmDeletion(QStringLiteral("Czy na pewno usunąć wybrany czynnik?\nCzynnik: ") +
                                       lbStanCzyn->item(row)->text(),
                                   QStringLiteral("Potwierdź usunięcie danych ")))
        return;
    delete lbStanCzyn->takeItem(row);
    m_factors.erase(m_factors.begin() + row);
}

bool TfrmStanCzyn::Merge(storage::TStanowisko &w) const
{
    bool changed = false;
    for (const auto &d : m_factors) {
        storage::TFactorEntry *found = nullptr;
        for (storage::TFactorEntry &e : w.Factors)
            if (e.factor->id == d->id) {
                found = &e;
                break;
            }
        if (!found) {
            w.AddFactor(workingCopy(*d), storage::FactorDisplayName(d->nazwa, d->id));
            changed = true;
            continue;
        }
        storage::TCzynnik &f = *found->factor;
        if (f.aktual != d->aktual) {
            // Made current again: with the form the catalogue gives it now.
            f.ver_pom = d->ver_pom;
            f.frm_dane = d->frm_dane;
            f.aktual = QStringLiteral("T");
            changed = true;
        }
        if (f.nazwa != d->nazwa) {
            f.nazwa = d->nazwa;
            found->text = storage::FactorDisplayName(f.nazwa, f.id); // the lists show the new name
            changed = true;
        }
        if (f.szkod != d->szkod) {
            f.szkod = d->szkod;
            changed = true;
        }
    }
    for (storage::TFactorEntry &e : w.Factors) {
        const int id = e.factor->id;
        const bool kept = std::any_of(m_factors.begin(), m_factors.end(), [id](const auto &d) { return d->id == id; });
        if (!kept && e.factor->aktual != QLatin1String("N")) {
            // Never removed: the measurements of the factor stay reachable.
            e.factor->aktual = QStringLiteral("N");
            changed = true;
        }
    }
    return changed;
}

bool TfrmStanCzyn::Execute(storage::TStanowisko &w)
{
    Fill(w);
    FormShow();
    setResult(QDialog::Rejected);
    const bool accepted = platform::ExecDialog(*this) == QDialog::Accepted;
    FormHide();
    return accepted && Merge(w);
}

TfrmStanCzyn *frmStanCzyn(appstate::AppState &state)
{
    static QPointer<TfrmStanCzyn> slot;
    return platform::WindowSingleton(slot, state);
}

bool ChooseWorkstationFactors(appstate::AppState &state, storage::TStanowisko &w, QWidget *parent)
{
    Q_UNUSED(parent); // the dialog is centred on the screen
    return frmStanCzyn(state)->Execute(w);
}

} // namespace workstations
