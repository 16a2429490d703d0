// Saving in the measurement window: where Save is allowed, what the first unsaved change
// was made in, the ask-to-save protocol (a discard reads the edited factor again) and Save.

#include "assessment/frm_ryz_zakl.h"

#include "appstate/appstate.h"
#include "platform/prompter.h"
#include "platform/tarvelin_error.h"
#include "storage/measurement_files.h"
#include "storage/measurements.h"
#include "storage/workstation_files.h"
#include "widgets/list_box.h"
#include "workstation_loading/workstation_loading.h"

namespace assessment {

QString TfrmRyzZakl::FormDefinitionPath() const
{
    return Shared().FormsFolder + FormFileName;
}

bool TfrmRyzZakl::InSampleData() const
{
    return Shared().DataFolder == QLatin1String("wzrocen\\");
}

bool TfrmRyzZakl::SaveAllowed() const
{
    return !InSampleData();
}

void TfrmRyzZakl::ApplySaveRule()
{
    appstate::AppState &s = Shared();
    if (!SaveAllowed())
        s.SetModified(false);
    else if (s.Modified())
        s.SetSaveEnabled(true);
}

void TfrmRyzZakl::FieldTyped()
{
    if (SaveAllowed())
        Shared().SetSaveEnabled(true);
}

void TfrmRyzZakl::MarkModified()
{
    if (!SaveAllowed())
        return;
    Shared().SetModified(true);
    ModifiedFactorIndex = lbCzyn->currentRow();
    if (!m_underEdit.active) {
        const storage::TStanowisko *w = SelectedWorkstation();
        const storage::TCzynnik *f = SelectedFactor();
        if (w && f)
            m_underEdit = {true, w->id, f->id, FormFileName};
    }
}

void TfrmRyzZakl::ForgetEdits()
{
    m_underEdit = {};
    ModifiedFactorIndex = -1;
}

storage::TStanowisko *TfrmRyzZakl::EditedWorkstation() const
{
    if (!m_underEdit.active)
        return nullptr;
    return storage::FindWorkstationById(Shared().Workstations, m_underEdit.workstationId);
}

storage::TCzynnik *TfrmRyzZakl::EditedFactor() const
{
    const storage::TStanowisko *w = EditedWorkstation();
    if (!w)
        return nullptr;
    for (const storage::TFactorEntry &e : w->Factors) {
        if (e.factor && e.factor->id == m_underEdit.factorId)
            return e.factor.get();
    }
    return nullptr;
}

void TfrmRyzZakl::rereadMeasurements(const storage::TStanowisko &w, storage::TCzynnik &f)
{
    const appstate::AppState &state = Shared();
    try {
        storage::ReadMeasurements(state.DataFolder + w.kat_dane + QStringLiteral("\\"), f.frm_dane, f.Measurements,
                                  f.id, state.FormsFolder);
    } catch (const platform::TarvelinError &e) {
        platform::ShowError(e.message());
    }
}

void TfrmRyzZakl::rereadSumPartners(storage::TStanowisko &w, const storage::TCzynnik &edited)
{
    // The workstation sums rate the other substances or dusts of the workstation again in
    // memory: when the edit is dropped they go back to their files too, so that a sum the
    // user dropped is never saved with a later change.
    if (edited.ident != QLatin1String("chem") && edited.ident != QLatin1String("pyly"))
        return;
    for (const storage::TFactorEntry &e : w.Factors) {
        storage::TCzynnik *other = e.factor.get();
        if (!other || other == &edited || other->ident != edited.ident || other->Measurements.empty())
            continue;
        for (const std::unique_ptr<storage::TPomiarCzynn> &m : other->Measurements) {
            if (m_pages->ShowsItems(m->Fields)) // never left showing a measurement about to go
                m_pages->ClearMeasurementForm();
        }
        rereadMeasurements(w, *other);
    }
}

bool TfrmRyzZakl::AskSaveChanges()
{
    appstate::AppState &state = Shared();
    if (InSampleData())
        return true;
    bool result = true;
    if (state.Modified()) {
        const int answer = appstate::AskSaveQuestion();
        if (answer != platform::MsgYes && answer != platform::MsgNo)
            return false; // Anuluj: the edits and what they were made in stay as they are
        if (answer == platform::MsgYes) {
            // The main window's Save (it commits the editor being typed in first); without a
            // main window, this view's own.
            if (state.SaveCommand) {
                result = state.RunSaveCommand();
            } else {
                result = Save();
                if (result) {
                    state.NewDocument = false;
                    state.SetModified(false);
                    state.SetSaveEnabled(false);
                }
            }
            return result;
        }
        state.SetSaveEnabled(false);
        state.SetModified(false);
        // The edits are dropped: the factor they were made in is read again from its file.
        storage::TCzynnik *f = EditedFactor();
        storage::TStanowisko *w = EditedWorkstation();
        if (!f && ExitedFactorIndex >= 0 && ExitedFactorIndex < lbCzyn->count()) {
            f = workstation_loading::FactorOfItem(Shared().Workstations, lbCzyn->item(ExitedFactorIndex));
            w = workstation_loading::WorkstationOfFactorItem(Shared().Workstations, lbCzyn->item(ExitedFactorIndex));
        }
        if (f && w) {
            const QString shownDate =
                lbPomiar->currentItem() ? lbPomiar->currentItem()->data(Qt::UserRole).toString() : QString();
            const bool shown = m_pages->ShowsAnyItems() && SelectedFactor() == f;
            if (shown) {
                m_pages->ClearMeasurementForm(); // the pages refer to the measurements about to go
            }
            rereadMeasurements(*w, *f);
            rereadSumPartners(*w, *f);
            if (SelectedFactor() == f) {
                FillMeasurementList(shownDate);
                if (shown)
                    ShowMeasurement(SelectedMeasurement());
            }
        }
    }
    ForgetEdits();
    return result;
}

bool TfrmRyzZakl::Save()
{
    if (!SaveAllowed())
        return false; // the sample data are never written
    storage::TStanowisko *w = nullptr;
    storage::TCzynnik *current = nullptr;
    QString form;
    if (m_underEdit.active) {
        w = EditedWorkstation();
        current = EditedFactor();
        form = m_underEdit.formFileName;
    } else {
        w = SelectedWorkstation();
        current = ModifiedFactorIndex >= 0 && ModifiedFactorIndex < lbCzyn->count()
                      ? workstation_loading::FactorOfItem(Shared().Workstations, lbCzyn->item(ModifiedFactorIndex))
                      : SelectedFactor();
        form = FormFileName;
    }
    storage::MeasurementSaveRequest request;
    if (w) {
        request.workstationFolder = Shared().DataFolder + w->kat_dane + QStringLiteral("\\");
        for (const storage::TFactorEntry &e : w->Factors) {
            request.listedFactors.push_back(e.factor.get());
            request.workstationFactors.push_back(e.factor.get());
        }
    }
    request.formFileName = form;
    request.current = current;
    // The ratings a measurement was shown with, when they differ from its stored ones, are
    // what the user saves now; a failed write leaves them pending for the next Save.
    const bool recombined = storeRecombinedRatings(true);
    if (!appstate::ReportStorageResult(storage::WriteMeasurements(request))) {
        if (recombined)
            storeRecombinedRatings(false);
        return false;
    }
    m_recombined = {};
    ForgetEdits();
    return true;
}

} // namespace assessment
