#pragma once

// The measurement pages: a form's items shown as tab pages built at run time (each page laid
// out by TPageBuilder, page_builder.h), the field operations through which the evaluation
// rules read and write them (TFormAccess), the events of their fields with the evaluation
// they start, and the risk assessment panel on their last tab. Every view that shows
// measurement pages owns an instance of its own: the measurement window, the factor
// catalogue and the measurement summary.
//
// What it guarantees:
//   * Made with a ratings store (the measurement window hands itself), the pages are the
//     measurement's: a value the user enters goes into its field's item when the field is
//     left (a combo changed, a check box clicked) and the store is told; only then is the
//     form's rule run, on the page of that control. The ratings the rule hands over and the
//     choices made on the risk panel go to the store, which alone keeps them.
//   * Made without one (the catalogue and the summary), the pages are a preview by
//     construction: they never store a rating and never mark anything modified. A rule
//     that runs there rates the plain maximum of the groups, shown only.
//   * A rule that fails is told to the user; with a store the measurement is put back as
//     it was before the event.
//   * The risk panel is this instance's own: placed on the last tab by every build, taken
//     off before the tabs go, never shared with another view.
//   * Clearing the pages forgets the items they showed: no field operation reaches items
//     whose pages are gone.
//
// Where its parts are: the page area, building, clearing and the ratings shown in
// measurement_pages.cpp; the form interface in measurement_pages_form_access.cpp; the field
// events in measurement_pages_field_events.cpp.

#include "assessment/form_access.h"
#include "assessment/risk_ratings.h"
#include "storage/form_definitions.h"

#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

class QComboBox;
class QLineEdit;
class QScrollArea;
class QTabWidget;
class QWidget;

namespace appstate {
class AppState;
} // namespace appstate

namespace storage {
class TPomiarCzynn;
class TStanowisko;
} // namespace storage

namespace assessment {

class TfrmOcenaRyz;
class TRatingsStore;

class TMeasurementPages : public TFormAccess
{
public:
    // The page area is made in home (where it stays while no other panel docks it); state is
    // the view's, where the field last entered is noted; store keeps the ratings, none for a
    // preview.
    TMeasurementPages(QWidget *home, appstate::AppState &state, TRatingsStore *store = nullptr);
    ~TMeasurementPages() override;
    TMeasurementPages(const TMeasurementPages &) = delete;
    TMeasurementPages &operator=(const TMeasurementPages &) = delete;

    // ---- The page area ----------------------------------------------------------------
    // The page area (pAllRyzZakl) with the page control (pgDokum) the pages are built into.
    QWidget *PageArea() const;
    QTabWidget *Pages() const;
    // The risk assessment panel on the last tab.
    TfrmOcenaRyz *RiskPanel() const { return m_riskPanel.get(); }

    // Builds the pages of items. editable: the inputs take their items' own access and raise
    // the field events; otherwise every input is read-only and disabled and evaluates
    // nothing. A field of a kind this program does not know builds nothing and is reported
    // once. The risk panel goes on the last tab; its final rating and measures can be changed
    // only on editable pages with a store.
    void BuildMeasurementForm(storage::TPomiarList &items, bool editable);
    // Takes the risk panel off, frees every page with its controls and forgets their items.
    void ClearMeasurementForm();
    // Whether the pages are built from items.
    bool ShowsItems(const storage::TPomiarList &items) const { return FormItems == &items; }
    bool ShowsAnyItems() const { return FormItems != nullptr; }
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
    // Shows ratings on the risk panel with the reason they stay not determined: the rule's
    // (ReportInvalidField) while some group is not determined, else the employment of
    // workstation in the year they were combined for.
    void ShowRatings(const TRiskRatings &ratings, const storage::TStanowisko *workstation);

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
    // With a store the ratings are combined and kept there; a preview keeps nothing, and its
    // form belongs to no workstation: the plain maximum is shown.
    void SetRiskAssessment(const TGroupRatings &ratings) override;
    void ReportInvalidField(const QString &name, const QString &why) override;
    QComboBox *FindFieldCombo(const QString &name);
    // The control of that name on the current page, or nullptr.
    QWidget *FindField(const QString &name) const;
    // The scroll box (page) a control of the pages stands on.
    static QScrollArea *PageOf(const QWidget *control);

    // ---- Field events -----------------------------------------------------------------
    void ExitField(QWidget *sender);
    void ChangeField(QWidget *sender);
    void ClickField(QWidget *sender);
    void ClickForm(QWidget *sender);
    void EnterField(QWidget *sender);
    // The user typed into an edit or memo: the store offers Save at once.
    void FieldTyped();
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
    // changed, whatever its text. Forgotten when the view is set up again.
    void MarkTreeChoice() { TreeChoiceMade = true; }
    void ForgetTreeChoice() { TreeChoiceMade = false; }
    bool TreeChoicePending() const { return TreeChoiceMade; }

private:
    appstate::AppState &m_state;
    TRatingsStore *m_store; // nullptr: a preview
    QPointer<QWidget> pAllRyzZakl;
    QPointer<QTabWidget> pgDokum;
    std::unique_ptr<TfrmOcenaRyz> m_riskPanel;

    storage::TPomiarList *FormItems = nullptr; // the items of the form shown (not owned)
    QString CurrentFormName;                   // `function` of the form shown: the rule's key
    QPointer<QScrollArea> CurrentScrollBox;    // the page the field operations search
    QString AttachmentFolder;                  // `katzal`: choice lists and trees
    bool TreeChoiceMade = false;
    int m_evaluationDepth = 0;
    bool m_eventGuard = false;
    QString m_invalidFieldNote; // why the next ratings stay not determined (from the rule)

    QWidget *findOnPage(QScrollArea *page, const QString &name) const;
    QWidget *findOnAnyPage(const QString &name, QScrollArea **page = nullptr) const;
    storage::TPomiar *findItem(const QString &prefix, const QString &controlName) const;
    void markModified();
    void applySaveRule();

    // Runs a field event; a failure inside the rule it starts shows a message and, with a
    // store, puts the measurement back as it was before the event.
    template <typename Body> void guardedEvent(Body body);
    // What every field event does around its own step (see measurement_pages_field_events.cpp).
    template <typename Step> void fieldEvent(QWidget *control, Step step);
    // The value a control holds now goes into its item; a different one marks the
    // measurement modified.
    void commitField(storage::TPomiar &item, const QString &value, bool differs);
    // A memo left, a combo changed, a check box clicked: the value committed, then evaluated.
    void commitAndEvaluate(QWidget *control, const QString &prefix, const QString &value);
    void exitEdit(QLineEdit *ed);
};

} // namespace assessment
