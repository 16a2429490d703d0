#pragma once

// The dialog in which the user chooses the hazard factors present on a workstation: the
// factor catalogue (with the own factors) on one side, the factors chosen on the other.
// Factors are added from the catalogue (no factor twice, and current and no longer current
// dusts never together) or taken off the list; OK merges the list into the workstation
// without deleting anything: a factor taken off stays in its data as no longer current, so
// its measurements stay reachable.

#include "storage/factors.h"
#include "widgets/list_box.h"
#include "widgets/panel_host.h"

#include <QDialog>
#include <QPointer>
#include <memory>

class QLabel;
class QPushButton;
class QSplitter;

namespace appstate {
class AppState;
}

namespace storage {
class TStanowisko;
}

namespace workstations {

class TfrmStanCzyn : public QDialog
{
    Q_OBJECT
public:
    // state: the view state the catalogue it docks works in.
    explicit TfrmStanCzyn(appstate::AppState &state);
    ~TfrmStanCzyn() override;

    QLabel *pStanNazwa = nullptr;   // " Stanowisko: " and the workstation's name
    QSplitter *spStanCzyn = nullptr;
    QWidget *Panelx = nullptr;      // the chosen factors
    widgets::TListBox *lbStanCzyn = nullptr;
    QWidget *pAllCzyn = nullptr;    // where the catalogue view's panel is docked
    QPushButton *bDodaj = nullptr;
    QPushButton *bUsun = nullptr;
    QPushButton *bOk = nullptr;
    QPushButton *bAnul = nullptr;

    // Shows the dialog for w, its current factors on the list. Returns whether OK changed
    // the workstation (its factors in memory; Save writes them).
    bool Execute(storage::TStanowisko &w);

    // The steps of Execute, for tests that drive the dialog without its modal loop.
    void Fill(const storage::TStanowisko &w); // working list := copies of w's current factors
    void FormShow();                          // docks the catalogue and sets it up
    void FormHide();                          // gives the catalogue back

    // Handlers (public: tests drive them as the user does).
    void bDodajClick();
    void bUsunClick();
    // Merges the working list into w; returns whether anything changed.
    bool Merge(storage::TStanowisko &w) const;

    // The working list: the factor of an entry, and every factor in list order.
    const storage::TCzynnik *EntryFactor(int row) const;
    int Count() const { return int(m_factors.size()); }

    // A dust counts as current above this number.
    static constexpr int CurrentDustAbove = 25200;
    static bool IsCurrentDust(const storage::TCzynnik &f);

private:
    void addEntry(std::unique_ptr<storage::TCzynnik> factor, const QString &text);

    std::vector<std::unique_ptr<storage::TCzynnik>> m_factors; // the working list's objects
    std::unique_ptr<widgets::TPanelHost> m_catalogueHost;
    appstate::AppState &m_state;
};

TfrmStanCzyn *frmStanCzyn(appstate::AppState &state);

// What the workstation view runs from its factor button (see TfrmDefStan::SetFactorDialog),
// in the view state the views were handed.
bool ChooseWorkstationFactors(appstate::AppState &state, storage::TStanowisko &w, QWidget *parent);

} // namespace workstations
