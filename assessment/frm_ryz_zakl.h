#pragma once

// The measurement window: a workstation, one of its hazard factors and one of that factor's
// measurements, shown in measurement pages of its own (TMeasurementPages) built from the
// factor's measurement form definition, with the risk assessment panel on the last tab.
// The window is the ratings store of its pages: it alone keeps what the rules and the user
// decide about the measurement shown.
//
// What it guarantees:
//   * The pages show the measurement selected in the lists. Choosing another workstation or
//     factor asks first to save the unsaved changes; a user who cancels stays where they
//     were made.
//   * The ratings the pages' rules hand over are combined by the employment of the
//     workstation in the measurement's year and stored here, in the selected measurement,
//     and nowhere else; the risk panel only shows them and reports the user's choices back.
//   * A rule that fails puts the measurement back as it was before the event.
//   * Save writes the factor the first unsaved change was made in, and a discard reads
//     exactly that factor again, whatever the lists show by then. The sample data
//     ("wzrocen\") are shown read-only and never written.
//
// Where its parts are: the window and its controls in frm_ryz_zakl.cpp; the lists and the
// measurement shown in frm_ryz_zakl_lists.cpp; the ratings it stores in
// frm_ryz_zakl_ratings.cpp; saving in frm_ryz_zakl_saving.cpp. The pages themselves are
// measurement_pages.h.

#include "appstate/view.h"
#include "assessment/measurement_pages.h"
#include "assessment/ratings_store.h"
#include "storage/form_definitions.h"

#include <QString>
#include <QWidget>
#include <memory>

class QComboBox;
class QLabel;

namespace storage {
class TCzynnik;
class TPomiarCzynn;
class TStanowisko;
} // namespace storage

namespace widgets {
class TListBox;
} // namespace widgets

namespace assessment {

class TfrmRyzZakl : public QWidget, public appstate::TView, public TRatingsStore
{
    Q_OBJECT
public:
    explicit TfrmRyzZakl(appstate::AppState &state);
    ~TfrmRyzZakl() override;

    // ---- TView ------------------------------------------------------------------------
    QWidget *GetMainPanel() override { return pRyzZakl; }
    void InitView() override;
    bool AskSaveChanges() override;
    bool Save() override;
    void New() override;    // a new measurement of the selected factor
    void Modify() override; // the selected measurement's date and description
    void Delete() override { DeleteMeasurement(); }
    bool HasDeletableSelection() override { return SelectedMeasurement() != nullptr; }
    bool DeleteSelection() override;
    // Names the measurement's date and its factor.
    QString DeleteQuestion() override;
    QWidget *DeleteKeyList() override;
    // Deletes, then saves the factor's measurements.
    std::optional<bool> DeleteConfirmed() override;
    bool ModifySelection() override;

    // ---- The lists: workstation, factor, measurement -----------------------------------
    storage::TStanowisko *SelectedWorkstation() const;
    storage::TCzynnik *SelectedFactor() const;
    storage::TPomiarCzynn *SelectedMeasurement() const;
    void cbStanowClick();
    void lbCzynClick();
    void lbCzynExit();
    void lbPomiarClick();
    // Builds the pages of m and shows its ratings.
    void ShowMeasurement(storage::TPomiarCzynn *m);
    // Fills lbPomiar with the selected factor's measurements (oldest first) and selects the
    // entry of date (none when empty or not there); raises nothing.
    void FillMeasurementList(const QString &date = QString());
    // Removes the selected measurement (after the main window's confirmation).
    void DeleteMeasurement();
    // What the data dialog asks of the lists: the text the selected factor is listed with,
    // and whether an entry of the measurement list (other than the selected one, when
    // exceptSelected) carries date, letter case aside.
    QString SelectedFactorText() const;
    bool DateListed(const QString &date, bool exceptSelected) const;
    // The definition file of the chosen factor's form (`FormFileName`), and its path in the
    // forms folder: new measurements take their fields from it.
    const QString &FormDefinitionFile() const { return FormFileName; }
    void SetFormDefinitionFile(const QString &file) { FormFileName = file; }
    QString FormDefinitionPath() const;

    // ---- The pages ----------------------------------------------------------------------
    TMeasurementPages &MeasurementPages() { return *m_pages; }
    // Builds the pages of items as this window shows a measurement: the selected factor's
    // visibility rules applied first; editable outside the sample data.
    void BuildMeasurementForm(storage::TPomiarList &items);

    // ---- Saving -------------------------------------------------------------------------
    // After a change: Save offered where it is allowed (outside the sample data); where it
    // is not, Modified is cleared.
    void ApplySaveRule() override;
    // A change the user made: Modified and the factor under edit.
    void MarkModified() override;

    // What the first unsaved change was made in. A save writes exactly this and a discard
    // re-reads exactly this, whatever the lists show by then (a workstation or factor chosen
    // afterwards must not receive the edits).
    struct EditTarget
    {
        bool active = false;
        QString workstationId;
        int factorId = 0;
        QString formFileName;
    };
    const EditTarget &UnderEdit() const { return m_underEdit; }
    // The row of lbCzyn of the factor last changed (`ModifiedFactorIndex`), -1 when none.
    int ModifiedFactorRow() const { return ModifiedFactorIndex; }
    // The changes are saved or dropped: nothing is under edit any more.
    void ForgetEdits();
    // The factor and workstation UnderEdit names (nullptr when gone).
    storage::TStanowisko *EditedWorkstation() const;
    storage::TCzynnik *EditedFactor() const;

private:
    // ---- The ratings store of its pages (TRatingsStore, for the pages only) -----------
    // The ratings are the selected measurement's: combined by the employment of its
    // workstation in its year and stored in it.
    storage::TPomiarCzynn *EditedMeasurement() override;
    void RestoreMeasurement(const storage::TPomiarCzynn &snapshot) override;
    TShownMeasurement ShownMeasurement() override;
    TRiskRatings StoreRuleRatings(const TGroupRatings &groups) override;
    void FinalRatingChosen(int code) override;
    void MeasuresEdited(const QString &text) override;
    // The user typed into a field: Save is offered at once, where it is allowed; the value
    // itself is recorded when the field is left (or by the commit Save runs first).
    void FieldTyped() override;

    // ---- Controls ---------------------------------------------------------------------
    QWidget *pRyzZakl = nullptr;     // the panel the main window hosts
    QWidget *pLeftRyzZakl = nullptr; // workstation, factors, measurements
    QLabel *lStanowisko = nullptr;
    QComboBox *cbStanow = nullptr;
    widgets::TListBox *lbCzyn = nullptr;
    widgets::TListBox *lbPomiar = nullptr;
    std::unique_ptr<TMeasurementPages> m_pages;

    // ---- State ------------------------------------------------------------------------
    QString FormFileName; // definition file of the current factor
    QString MeasurementFilePath;
    int ModifiedFactorIndex = -1;
    int ExitedFactorIndex = -1;
    EditTarget m_underEdit;
    // The workstation (index in cbStanow) and factor (row of lbCzyn) the lists were last
    // moved to; a user who stays with unsaved changes is put back there.
    int m_shownWorkstation = -1;
    int m_shownFactorRow = -1;
    // The measurement shown whose stored combined rating no longer follows the employment of
    // its year: the ratings it was shown with go into it only when the user saves it, and
    // only when nothing re-rated it meanwhile.
    struct Recombined
    {
        bool active = false;
        QString workstationId;
        int factorId = 0;
        QString date;
        TRiskRatings stored;
        TRiskRatings shown;
    };
    Recombined m_recombined;

    // ---- Helpers ----------------------------------------------------------------------
    // The sample data folder "wzrocen\": read-only, shown by the element's caption.
    bool InSampleData() const;
    bool SaveAllowed() const;
    // The ratings stored with m, shown with the combined rating the employment now gives.
    // Showing stores nothing: a combined rating that no longer follows the employment is
    // shown as it follows now, the user is told and may save it.
    void showStoredRatings(storage::TPomiarCzynn &m);
    // Stores the ratings a measurement was shown with (see Recombined) before it is saved, or
    // puts its stored ones back when the save failed (store false). Returns whether it did.
    bool storeRecombinedRatings(bool store);
    // Reads f's measurements of workstation w from its file again; a file that cannot be read
    // is named in a box.
    void rereadMeasurements(const storage::TStanowisko &w, storage::TCzynnik &f);
    // Reads again the factors of edited's group whose measurements the workstation sums change.
    void rereadSumPartners(storage::TStanowisko &w, const storage::TCzynnik &edited);
};

// The program's measurement window, made on first use in the state it is handed.
TfrmRyzZakl *frmRyzZakl(appstate::AppState &state);

} // namespace assessment
