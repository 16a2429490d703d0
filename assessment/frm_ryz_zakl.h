#pragma once

// The measurement window: a workstation, one of its hazard factors and one of that factor's
// measurements, shown as tab pages built at run time from the factor's measurement form
// definition, with the risk assessment panel on the last tab. The catalogue and summary
// views borrow its page area to show forms of their own.
//
// What it guarantees:
//   * The pages show the measurement selected in the lists. Choosing another workstation or
//     factor asks first to save the unsaved changes; a user who cancels stays where they
//     were made.
//   * A value the user enters goes into its field's item when the field is left (a combo
//     changed, a check box clicked), and only then is the form's evaluation rule run, on the
//     page of that control. A rule that fails puts the measurement back as it was before
//     the event and says so.
//   * Rules reach the pages only through the form interface (TFormAccess). The ratings they
//     hand over are combined and stored here, in the selected measurement, and nowhere
//     else; the risk panel only shows them and reports the user's choices back.
//   * Pages lent to another view never mark anything modified and store no ratings.
//   * Save writes the factor the first unsaved change was made in, and a discard reads
//     exactly that factor again, whatever the lists show by then. The sample data
//     ("wzrocen\") are shown read-only and never written.
//   * Clearing the pages forgets the items they showed: no field operation reaches a
//     measurement whose pages are gone.
//
// Where its parts are: the window and its controls in frm_ryz_zakl.cpp; the lists and the
// measurement shown in frm_ryz_zakl_lists.cpp; the pages in frm_ryz_zakl_pages.cpp (laid out
// by TPageBuilder, page_builder.h); the form interface in frm_ryz_zakl_form_access.cpp; the
// ratings in frm_ryz_zakl_ratings.cpp; the field events in frm_ryz_zakl_field_events.cpp;
// saving in frm_ryz_zakl_saving.cpp.

#include "appstate/view.h"
#include "assessment/form_access.h"
#include "assessment/frm_ocena_ryz.h"
#include "storage/form_definitions.h"

#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QScrollArea;
class QTabWidget;

namespace storage {
class TCzynnik;
class TPomiarCzynn;
class TStanowisko;
} // namespace storage

namespace widgets {
class TListBox;
} // namespace widgets

namespace assessment {

class TfrmRyzZakl : public QWidget, public appstate::TView, public TFormAccess, public TRiskPanelHost
{
    Q_OBJECT
public:
    TfrmRyzZakl();
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
    // The definition file of the chosen factor's form (`FormFileName`): new measurements
    // take their fields from it.
    const QString &FormDefinitionFile() const { return FormFileName; }
    void SetFormDefinitionFile(const QString &file) { FormFileName = file; }

    // ---- The pages ----------------------------------------------------------------------
    // The page area (pAllRyzZakl) with the page control (pgDokum) the pages are built into;
    // the catalogue and summary views dock the area in their own panels.
    QWidget *PageArea() const { return pAllRyzZakl; }
    QTabWidget *Pages() const { return pgDokum; }
    // Builds the pages of items (nothing in the workstation definition view). In the
    // measurement view the factor's visibility rules are applied first. A field of a kind
    // this program does not know builds nothing and is reported once. The risk panel goes on
    // the last tab, docked for riskHost: in the measurement view this window, elsewhere the
    // view showing the pages (none: the user's choices go nowhere).
    void BuildMeasurementForm(storage::TPomiarList &items, TRiskPanelHost *riskHost = nullptr);
    // Takes the risk panel off, frees every page with its controls and forgets their items.
    void ClearMeasurementForm();
    // Whether the pages are built from items.
    bool ShowsItems(const storage::TPomiarList &items) const { return FormItems == &items; }
    // The `katzal` folder the pages' choice lists and trees are read from.
    void SetAttachmentFolder(const QString &folder) { AttachmentFolder = folder; }
    const QString &AttachmentFolderInUse() const { return AttachmentFolder; }
    // The page the field operations search (`CurrentScrollBox`): the first page once built,
    // then the page shown or the page of the control whose event is running.
    QScrollArea *CurrentPage() const;
    void pgDokumChange(int index);
    // Fills a combo's items from the tree file named by the item's `zal` ("a;b": ChoiceNr 1
    // takes a, any other b). A missing or unreadable tree leaves the combo empty.
    void FillComboItems(const storage::TPomiar &item, int choiceNr, QComboBox *combo);
    static Qt::Alignment ParseAlignment(const QString &text);
    static QFont ParseFontStyle(const QString &text, const QFont &base);
    // Characters of the field font: one sans-serif face at a fixed pixel size, so that the
    // layout does not depend on the screen.
    static QFont FieldFont();

    // ---- The form interface (TFormAccess) ----------------------------------------------
    QString GetFieldValue(const QString &name) override;
    void SetFieldValue(const QString &name, const QString &value) override;
    void SetFieldText(const QString &name, const QString &text) override;
    void SetFieldVisible(const QString &name, const QString &flag) override;
    void SetFieldEnabled(const QString &name, const QString &flag) override;
    bool IsFieldEnabled(const QString &name) override;
    void FocusField(const QString &name) override;
    void SetHeaderChoice(const QString &name, int choiceNr) override;
    void SetComboChoice(const QString &name, int choiceNr) override;
    bool HasCombo(const QString &name) override;
    QStringList ComboItems(const QString &name) override;
    QString ComboText(const QString &name) override;
    QString FormName() override { return CurrentFormName; }
    TShownMeasurement ShownMeasurement() override;
    // What the user sees a field called, from the definition of the form shown.
    QString FieldCaption(const QString &name) const override;
    QComboBox *FindFieldCombo(const QString &name);
    // The control of that name on the current page, or nullptr.
    QWidget *FindField(const QString &name) const;
    // The scroll box (page) a control of the pages stands on.
    static QScrollArea *PageOf(const QWidget *control);

    // ---- Ratings (TFormAccess, TRiskPanelHost) ------------------------------------------
    // In the measurement view the ratings are the selected measurement's: combined by the
    // employment of its workstation in its year and stored in it. The pages lent to other
    // views keep nothing, and a form there belongs to no workstation: the plain maximum.
    void SetRiskAssessment(const TGroupRatings &ratings) override;
    void ReportInvalidField(const QString &name, const QString &why) override;
    // The window docks the risk panel on its own pages and is the one place that stores
    // ratings in the selected measurement (SetRiskAssessment and the user's choices).
    void FinalRatingChosen(int code) override;
    void MeasuresEdited(const QString &text) override;

    // ---- Field events -----------------------------------------------------------------
    void ExitField(QWidget *sender);
    void ChangeField(QWidget *sender);
    void ClickField(QWidget *sender);
    void ClickForm(QWidget *sender);
    void EnterField(QWidget *sender);
    // Runs the form's evaluation rule for the control that changed, on that control's page.
    void EvaluateMeasurementForm(QWidget *sender);
    // How deep rules may nest through their own writes before further evaluation is skipped.
    static constexpr int MaxEvaluationDepth = 8;

    // The parameter tree dialog behind a choice button ("Zamknij" 3, a leaf 1, "Rezygnuj z
    // wyboru" 5). The program's tree dialog registers itself here.
    struct ParamTreeChoice
    {
        int result = 3;
        QString text;
        QString par1, par2, par3;
    };
    using ParamTreeChooser = std::function<ParamTreeChoice(const QString &treeFile, const QString &current)>;
    static void SetParamTreeChooser(ParamTreeChooser chooser);
    // A leaf was chosen in a parameter tree (`TreeChoiceMade`): the next edit left counts as
    // changed, whatever its text.
    void MarkTreeChoice() { TreeChoiceMade = true; }
    bool TreeChoicePending() const { return TreeChoiceMade; }

    // ---- Saving -------------------------------------------------------------------------
    // The sample data folder "wzrocen\": read-only, shown by the element's caption.
    bool InSampleData() const;
    // Save is allowed in the measurement view outside the sample data; where it is not,
    // Modified is cleared.
    bool SaveAllowed() const;
    void ApplySaveRule();
    // A change the user made: Modified and the factor under edit.
    void MarkModified();
    // The user typed into a field: Save is offered at once, where it is allowed; the value
    // itself is recorded when the field is left (or by the commit Save runs first).
    void FieldTyped();

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
    // ---- Controls ---------------------------------------------------------------------
    QWidget *pRyzZakl = nullptr;     // the panel the main window hosts
    QWidget *pLeftRyzZakl = nullptr; // workstation, factors, measurements
    QLabel *lStanowisko = nullptr;
    QComboBox *cbStanow = nullptr;
    widgets::TListBox *lbCzyn = nullptr;
    widgets::TListBox *lbPomiar = nullptr;
    QWidget *pAllRyzZakl = nullptr; // the page area
    QTabWidget *pgDokum = nullptr;

    // ---- State ------------------------------------------------------------------------
    storage::TPomiarList *FormItems = nullptr; // the items of the form shown (not owned)
    QString CurrentFormName;                   // `function` of the form shown: the rule's key
    QPointer<QScrollArea> CurrentScrollBox;    // the page the field operations search
    QString AttachmentFolder;                  // `katzal`: choice lists and trees
    QString FormFileName;                      // definition file of the current factor
    QString MeasurementFilePath;
    int ModifiedFactorIndex = -1;
    int ExitedFactorIndex = -1;
    bool TreeChoiceMade = false;
    EditTarget m_underEdit;
    // The workstation (index in cbStanow) and factor (row of lbCzyn) the lists were last
    // moved to; a user who stays with unsaved changes is put back there.
    int m_shownWorkstation = -1;
    int m_shownFactorRow = -1;
    int m_evaluationDepth = 0;
    bool m_eventGuard = false;
    QString m_invalidFieldNote; // why the next ratings stay not determined (from the rule)
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
    QWidget *findOnPage(QScrollArea *page, const QString &name) const;
    QWidget *findOnAnyPage(const QString &name, QScrollArea **page = nullptr) const;
    storage::TPomiar *findItem(const QString &prefix, const QString &controlName) const;

    // Runs a field event; a failure inside the rule it starts shows a message and puts the
    // measurement back as it was before the event.
    template <typename Body> void guardedEvent(Body body);
    void restoreAfterFailure(const QString &message, const storage::TPomiarCzynn *snapshot);
    // What every field event does around its own step (see frm_ryz_zakl_field_events.cpp).
    template <typename Step> void fieldEvent(QWidget *control, Step step);
    // The value a control holds now goes into its item; a different one marks the
    // measurement modified.
    void commitField(storage::TPomiar &item, const QString &value, bool differs);
    // A memo left, a combo changed, a check box clicked: the value committed, then evaluated.
    void commitAndEvaluate(QWidget *control, const QString &prefix, const QString &value);
    void exitEdit(QLineEdit *ed);
    // The panel shows ratings with the reason they stay not determined: the rule's, else
    // the employment's.
    void showRatings(const TRiskRatings &ratings);
    // The ratings stored with m, shown as the view shown combines them (SetRiskAssessment).
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

TfrmRyzZakl *frmRyzZakl();

} // namespace assessment
