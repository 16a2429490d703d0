#pragma once

// The hazard-factor catalogue by group: the group's factors; for the chemical and the
// biological group a detail panel, for the other groups a factor's empty measurement form
// (measurement pages of its own, a preview that keeps nothing); and the group's own
// factors, which the user defines, edits and retires. The same view serves the factor
// dialog of a workstation as the source of factors; only there are the own factors shown.

#include "appstate/view.h"
#include "storage/factor_users.h"
#include "storage/factors.h"
#include "storage/form_definitions.h"
#include "widgets/list_box.h"
#include "widgets/panel_host.h"
#include "workstations/catalogue_list.h"

#include <QPointer>
#include <QWidget>
#include <memory>

class QAction;
class QComboBox;
class QListWidget;
class QMenu;
class QPushButton;
class QSplitter;

namespace assessment {
class TMeasurementPages;
}

namespace widgets {
class TRadioGroup;
}

namespace workstations {

class TfrmZwBiol;
class TfrmZwChem;

class TfrmCzynniki : public QWidget, public appstate::TView
{
    Q_OBJECT
public:
    explicit TfrmCzynniki(appstate::AppState &state);
    ~TfrmCzynniki() override;

    // Controls, named as the program knows them.
    QWidget *pWyswCzynniki = nullptr; // the main panel
    QSplitter *spCzynniki = nullptr;  // the lists beside the data area
    QWidget *Panel2 = nullptr;        // the lists
    QComboBox *cbGrupyCzyn = nullptr;
    widgets::TRadioGroup *rgAktual = nullptr; // "Aktualne" / "Wszystkie"
    QSplitter *Splitter1 = nullptr;  // the group's factors above its own factors
    widgets::TListBox *lbCzynniki = nullptr;
    QWidget *Panel3 = nullptr; // the own factors
    widgets::TListBox *lbCzynnikiWl = nullptr;
    QPushButton *bDodaj = nullptr;
    QListWidget *lbCzynnikiWlAll = nullptr; // never shown: every own factor of the group
    QWidget *pDaneCzyn = nullptr;           // where a detail panel or the form is docked
    QMenu *pmCzynnikWl = nullptr;
    QAction *miNowyCzynWl = nullptr;
    QAction *miEdytujCzynWl = nullptr;
    QAction *miUsunCzynWl = nullptr;

    // appstate::TView
    QWidget *GetMainPanel() override { return pWyswCzynniki; }
    void InitView() override;

    // Handlers (public: tests drive them as the user does).
    void cbGrupyCzynChange();
    void lbCzynnikiClick();
    void lbCzynnikiWlClick();
    void bDodajClick();
    void miNowyCzynWlClick();
    void miEdytujCzynWlClick();
    void miUsunCzynWlClick();

    // Docks a panel into pDaneCzyn; the panel docked before goes back where it came from.
    void DockPanel(QWidget *panel);
    QWidget *DockedPanel() const { return m_dataHost->Panel(); }

    QString CatalogueFolder() const { return m_catalogueFolder; }
    const storage::TGrupaCzynnik *SelectedGroup() const;
    // The group's factor chosen in lbCzynniki, and the own factor chosen in lbCzynnikiWl.
    storage::TCzynnik *SelectedFactor() const { return m_factors.Selected(); }
    storage::TCzynnik *SelectedOwnFactor() const;
    TCatalogueList &Factors() { return m_factors; }
    // Every own factor of the group, in the order of lbCzynnikiWlAll.
    std::vector<const storage::TCzynnik *> OwnFactors() const;
    // The form items of the factor previewed (empty when none is).
    const storage::TPomiarList &PreviewItems() const { return m_formItems; }

    // Own factors. The smallest number above every own factor of every group.
    int NewOwnFactorId() const;
    // Whether a factor of the group's list, or an own factor other than exceptId, has this
    // name, letter case ignored (Polish letters included).
    bool NameInCatalogue(const QString &name) const;
    bool NameInOwnFactors(const QString &name, int exceptId) const;
    // Adds (or, with the number of one listed, replaces the fields of) an own factor, lists
    // it and writes the group's own-factor file. False when the file could not be written:
    // the lists then show the file as it is. A factor renamed or made not current is still
    // listed under its old name, as current, by the workstations that have it: the user is
    // told which.
    bool StoreOwnFactor(const storage::TCzynnik &factor);
    // The message naming the workstations that keep an own factor, once renamed from
    // oldName to newName or (retired) made not current; empty when none keeps it.
    static QString StillUsedText(const QString &oldName, const QString &newName, bool retired,
                                 const std::vector<storage::TFactorUse> &uses);
    // The text an own factor is shown under: its name and its form.
    static QString OwnFactorText(const storage::TCzynnik &f);

    // The measurement pages of the preview (made on first use).
    assessment::TMeasurementPages *MeasurementPages();

private:
    void buildControls();
    void sortOwnFactors();
    void listOwnFactors(int selectId = 0);
    void readOwnFactors();
    bool writeOwnFactors();
    // Reads form definition formPath and shows it as an empty preview.
    void showForm(const QString &attachFolder, const QString &formPath, int factorId);
    void dockFormPages();
    TfrmZwChem *chemPanel();
    TfrmZwBiol *biolPanel();
    bool isFormGroup() const;

    QString m_catalogueFolder;
    storage::TGrupaCzynnikList m_groups;
    QString m_listedGroup; // the group lbCzynniki lists (its key and file)
    TCatalogueList m_factors;
    storage::TCzynnikList m_ownFactors; // every own factor of the group
    storage::TPomiarList m_formItems;   // the form previewed
    std::unique_ptr<widgets::TPanelHost> m_dataHost;
    std::unique_ptr<assessment::TMeasurementPages> m_pages;
    QPointer<TfrmZwChem> m_chem;
    QPointer<TfrmZwBiol> m_biol;
};

// The program's view, made on first use in the state it is handed.
TfrmCzynniki *frmCzynniki(appstate::AppState &state);

} // namespace workstations
