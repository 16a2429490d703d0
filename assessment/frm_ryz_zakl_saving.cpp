// Saving in the measurement window: where Save is allowed, what the first unsaved change
// was made in, the ask-to-save protocol, Save itself, and deleting a measurement (followed
// by a Save).

#include "assessment/frm_ryz_zakl.h"
#include "assessment/rules/evaluation_dispatch.h"

#include "appstate/appstate.h"
#include "platform/prompter.h"
#include "platform/tarvelin_error.h"
#include "storage/measurement_files.h"
#include "storage/measurements.h"
#include "storage/workstation_files.h"
#include "workstation_loading/workstation_loading.h"

#include <QListWidget>

namespace assessment {

bool TfrmRyzZakl::SaveAllowed() const
{
    return IsCurrentView() && !InSampleData();
}

void TfrmRyzZakl::ApplySaveRule()
{
    appstate::AppState &s = Shared();
    // The pages shown as previews in other views never touch the flag: it is theirs.
    if (!IsCurrentView())
        return;
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
    if (!UnderEdit.active) {
        const storage::TStanowisko *w = SelectedWorkstation();
        const storage::TCzynnik *f = SelectedFactor();
        if (w && f)
            UnderEdit = {true, w->id, f->id, FormFileName};
    }
}

storage::TStanowisko *TfrmRyzZakl::EditedWorkstation() const
{
    if (!UnderEdit.active)
        return nullptr;
    return storage::FindWorkstationById(Shared().Workstations, UnderEdit.workstationId);
}

storage::TCzynnik *TfrmRyzZakl::EditedFactor() const
{
    const storage::TStanowisko *w = EditedWorkstation();
    if (!w)
        return nullptr;
    for (const storage::TFactorEntry &e : w->Factors) {
        if (e.factor && e.factor->id == UnderEdit.factorId)
            return e.factor.get();
    }
    return nullptr;
}

void TfrmRyzZakl::rereadSumPartners(storage::TStanowisko &w, const storage::TCzynnik &edited)
{
    // The workstation sums rate the other substances or dusts of the workstation again in
    // memory: when the edit is dropped they go back to their files too, so that a sum the
    // user dropped is never saved with a later change.
    if (edited.ident != QLatin1String("chem") && edited.ident != QLatin1String("pyly"))
        return;
    const appstate::AppState &state = Shared();
    for (const storage::TFactorEntry &e : w.Factors) {
        storage::TCzynnik *other = e.factor.get();
        if (!other || other == &edited || other->ident != edited.ident || other->Measurements.empty())
            continue;
        for (const std::unique_ptr<storage::TPomiarCzynn> &m : other->Measurements) {
            if (FormItems == &m->Fields) { // never left showing a measurement about to go
                ClearMeasurementForm(pgDokum);
                FormItems = nullptr;
            }
        }
        try {
            storage::ReadMeasurements(state.DataFolder + w.kat_dane + QStringLiteral("\\"), other->frm_dane,
                                      other->Measurements, other->id, state.FormsFolder);
        } catch (const platform::TarvelinError &e) {
            platform::ShowError(e.message());
        }
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
            f = workstations::FactorOfItem(lbCzyn->item(ExitedFactorIndex));
            w = workstations::WorkstationOfItem(lbCzyn->item(ExitedFactorIndex));
        }
        if (f && w) {
            const QString shownDate =
                lbPomiar->currentItem() ? lbPomiar->currentItem()->data(Qt::UserRole).toString() : QString();
            const bool shown = FormItems && SelectedFactor() == f;
            if (shown) {
                ClearMeasurementForm(pgDokum); // the pages refer to the measurements about to go
                FormItems = nullptr;
            }
            try {
                storage::ReadMeasurements(state.DataFolder + w->kat_dane + QStringLiteral("\\"), f->frm_dane,
                                          f->Measurements, f->id, state.FormsFolder);
            } catch (const platform::TarvelinError &e) {
                platform::ShowError(e.message());
            }
            rereadSumPartners(*w, *f);
            if (SelectedFactor() == f) {
                FillMeasurementList(shownDate);
                if (shown)
                    ShowMeasurement(SelectedMeasurement());
            }
        }
    }
    ModifiedFactorIndex = -1;
    UnderEdit = {};
    return result;
}

bool TfrmRyzZakl::Save()
{
    if (!SaveAllowed())
        return false; // the sample data are never written
    storage::TStanowisko *w = nullptr;
    storage::TCzynnik *current = nullptr;
    QString form;
    if (UnderEdit.active) {
        w = EditedWorkstation();
        current = EditedFactor();
        form = UnderEdit.formFileName;
    } else {
        w = SelectedWorkstation();
        current = ModifiedFactorIndex >= 0 && ModifiedFactorIndex < lbCzyn->count()
                      ? workstations::FactorOfItem(lbCzyn->item(ModifiedFactorIndex))
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
    if (!appstate::ReportStorageResult(storage::WriteMeasurements(request)))
        return false;
    UnderEdit = {};
    ModifiedFactorIndex = -1;
    return true;
}

void TfrmRyzZakl::DeleteMeasurement()
{
    storage::TStanowisko *w = SelectedWorkstation();
    storage::TCzynnik *selected = SelectedFactor();
    const QListWidgetItem *entry = lbPomiar->currentItem();
    if (!w || !selected || !entry)
        return;
    const QString date = entry->data(Qt::UserRole).toString();
    MarkModified(); // the save that follows writes this factor
    for (const storage::TFactorEntry &e : w->Factors) {
        storage::TCzynnik *f = e.factor.get();
        if (!f || f->id != selected->id)
            continue;
        const int index = storage::FindMeasurementByDate(f->Measurements, date);
        if (index < 0)
            continue;
        if ((f->ident == QLatin1String("chem") || f->ident == QLatin1String("pyly")) &&
            TakesPartInSums(*f->Measurements[static_cast<size_t>(index)])) {
            // The other measurements of that date are summed again without this one.
            RunWorkstationSum(f->ident, *this, false);
        }
        ClearMeasurementForm(pgDokum); // the pages may show the measurement that goes
        FormItems = nullptr;
        f->Measurements.erase(f->Measurements.begin() + index);
    }
    FillMeasurementList();
    ClearMeasurementForm(pgDokum);
    FormItems = nullptr;
}

bool TfrmRyzZakl::DeleteSelection()
{
    if (!SelectedMeasurement())
        return false;
    DeleteMeasurement();
    return true;
}

QString TfrmRyzZakl::DeleteQuestion()
{
    return QStringLiteral("Czy na pewno usunąć wybrany pomiar?");
}

std::optional<bool> TfrmRyzZakl::DeleteConfirmed()
{
    // The measurement goes from the factor's file at once.
    if (!DeleteSelection())
        return std::nullopt;
    return Save();
}

} // namespace assessment
