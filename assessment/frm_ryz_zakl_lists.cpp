// The measurement window's lists: the workstation, factor and measurement chosen, the
// measurement shown, and what the commands do with the list of measurements (the data
// dialog that adds or changes one, deleting one).

#include "assessment/frm_nowy_pomiar.h"
#include "assessment/frm_ryz_zakl.h"
#include "assessment/rules/evaluation_dispatch.h"

#include "appstate/appstate.h"
#include "platform/paths.h"
#include "storage/form_definition_files.h"
#include "storage/measurements.h"
#include "storage/visibility_rules.h"
#include "storage/workstation_files.h"
#include "widgets/list_box.h"
#include "widgets/progress_dialog.h"
#include "workstation_loading/workstation_loading.h"

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QTabWidget>

namespace assessment {

void TfrmRyzZakl::InitView()
{
    appstate::AppState &state = Shared();
    {
        QSignalBlocker b1(lbCzyn), b2(lbPomiar), b3(cbStanow);
        lbCzyn->clear();
        lbPomiar->clear();
        cbStanow->setCurrentIndex(-1);
        cbStanow->setEditText(QString());
    }
    m_pages->ClearMeasurementForm();
    m_pages->Pages()->hide();
    m_pages->SetAttachmentFolder(state.AttachFolder);
    m_pages->ForgetTreeChoice();
    ForgetEdits();
    ExitedFactorIndex = -1;
    m_shownWorkstation = -1;
    m_shownFactorRow = -1;
    {
        QSignalBlocker block(cbStanow);
        storage::StorageProblems problems;
        workstation_loading::LoadWorkstations(state, state.DataFolder + QStringLiteral("struktura_dane.xml"), problems,
                                              widgets::ProgressWindowReport());
        appstate::ReportProblems(problems);
    }
    if (!InSampleData()) {
        lStanowisko->show();
        cbStanow->show();
        QSignalBlocker block(cbStanow);
        cbStanow->setCurrentIndex(-1);
        return;
    }
    // The sample data show the workstation the navigation element is named after.
    lStanowisko->hide();
    cbStanow->hide();
    const QString caption = state.ElementCaption;
    const int index = cbStanow->findText(caption, Qt::MatchExactly | Qt::MatchCaseSensitive);
    {
        QSignalBlocker block(cbStanow);
        cbStanow->setCurrentIndex(index);
    }
    cbStanowClick();
}

storage::TStanowisko *TfrmRyzZakl::SelectedWorkstation() const
{
    return workstation_loading::WorkstationAt(Shared(), cbStanow->currentIndex());
}

storage::TCzynnik *TfrmRyzZakl::SelectedFactor() const
{
    return workstation_loading::FactorOfItem(Shared().Workstations, lbCzyn->currentItem());
}

storage::TPomiarCzynn *TfrmRyzZakl::SelectedMeasurement() const
{
    storage::TCzynnik *f = SelectedFactor();
    const QListWidgetItem *item = lbPomiar->currentItem();
    if (!f || !item)
        return nullptr;
    // The entry carries its measurement's date, the key of the factor's list.
    const int index = storage::FindMeasurementByDate(f->Measurements, item->data(Qt::UserRole).toString());
    return index >= 0 ? f->Measurements[static_cast<size_t>(index)].get() : nullptr;
}

void TfrmRyzZakl::cbStanowClick()
{
    if (!AskSaveChanges()) {
        // The user stays with the workstation whose changes are not saved.
        QSignalBlocker block(cbStanow);
        cbStanow->setCurrentIndex(m_shownWorkstation);
        return;
    }
    m_shownWorkstation = cbStanow->currentIndex();
    m_shownFactorRow = -1;
    {
        QSignalBlocker block(lbPomiar);
        lbPomiar->clear();
    }
    m_pages->Pages()->hide();
    m_pages->ClearMeasurementForm();
    storage::TStanowisko *w = SelectedWorkstation();
    if (w && !w->Loaded) {
        storage::StorageProblems problems;
        workstation_loading::LoadWorkstationData(Shared(), *w, problems);
        appstate::ReportProblems(problems);
    }
    QSignalBlocker block(lbCzyn);
    workstation_loading::FillFactorList(lbCzyn, SelectedWorkstation());
    lbCzyn->setCurrentRow(-1);
}

void TfrmRyzZakl::lbCzynClick()
{
    if (!AskSaveChanges()) {
        QSignalBlocker block(lbCzyn);
        lbCzyn->setCurrentRow(m_shownFactorRow);
        return;
    }
    m_shownFactorRow = lbCzyn->currentRow();
    m_pages->Pages()->hide();
    m_pages->ClearMeasurementForm();
    FillMeasurementList();
    if (const storage::TCzynnik *f = SelectedFactor())
        FormFileName = storage::FormDefinitionName(f->frm_dane, f->ver_pom);
    else
        FormFileName.clear();
}

void TfrmRyzZakl::lbCzynExit()
{
    ExitedFactorIndex = lbCzyn->currentRow();
}

void TfrmRyzZakl::lbPomiarClick()
{
    ShowMeasurement(SelectedMeasurement());
    Shared().NewDocument = false;
}

void TfrmRyzZakl::FillMeasurementList(const QString &date)
{
    QSignalBlocker block(lbPomiar);
    lbPomiar->clear();
    const storage::TCzynnik *f = SelectedFactor();
    if (!f)
        return;
    int select = -1;
    for (const std::unique_ptr<storage::TPomiarCzynn> &m : f->Measurements) {
        auto *entry = new QListWidgetItem(m->data, lbPomiar);
        entry->setData(Qt::UserRole, m->data);
        if (!date.isEmpty() && m->data.compare(date, Qt::CaseInsensitive) == 0)
            select = lbPomiar->count() - 1;
    }
    lbPomiar->setCurrentRow(select);
}

QString TfrmRyzZakl::SelectedFactorText() const
{
    const QListWidgetItem *entry = lbCzyn->currentItem();
    return entry ? entry->text() : QString();
}

bool TfrmRyzZakl::DateListed(const QString &date, bool exceptSelected) const
{
    for (int i = 0; i < lbPomiar->count(); ++i) {
        if (exceptSelected && i == lbPomiar->currentRow())
            continue;
        if (lbPomiar->item(i)->data(Qt::UserRole).toString().compare(date, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

void TfrmRyzZakl::ShowMeasurement(storage::TPomiarCzynn *m)
{
    m_pages->Pages()->hide();
    m_pages->ClearMeasurementForm();
    if (!m)
        return;
    m_pages->SetAttachmentFolder(Shared().AttachFolder);
    BuildMeasurementForm(m->Fields);
    TMeasurementPages &pages = *m_pages;
    if (pages.HasCombo(QStringLiteral("cb_cSkutki"))) {
        const QStringList combos = {QStringLiteral("cb_cSkutki"), QStringLiteral("cb_cPrawd"),
                                    QStringLiteral("cb_cEksp")};
        bool anyDisabled = false;
        for (const QString &c : combos)
            anyDisabled = anyDisabled || !pages.IsFieldEnabled(c);
        if (anyDisabled) {
            pages.SetFieldVisible(QStringLiteral("lb_lInfo"), QStringLiteral("true"));
            for (const QString &c : combos)
                pages.SetFieldEnabled(c, QStringLiteral("false"));
        }
    }
    pages.RiskPanel()->LoadMeasuresText(m->srodogrryz);
    showStoredRatings(*m);
    pages.Pages()->show();
}

void TfrmRyzZakl::BuildMeasurementForm(storage::TPomiarList &items)
{
    const storage::TStanowisko *w = SelectedWorkstation();
    const storage::TCzynnik *f = SelectedFactor();
    if (w && f) {
        const storage::TPomiarCzynn *m = SelectedMeasurement();
        MeasurementFilePath =
            platform::JoinStoredPath(Shared().DataFolder + w->kat_dane, f->frm_dane + QStringLiteral(".xml"));
        storage::ApplyFieldVisibilityRules(f->id, m ? m->ver : QString(), MeasurementFilePath, items);
    }
    m_pages->BuildMeasurementForm(items, SaveAllowed());
}

void TfrmRyzZakl::New()
{
    TfrmNowyPomiar *dialog = frmNowyPomiar();
    dialog->Window = this;
    dialog->Execute(1);
}

void TfrmRyzZakl::Modify()
{
    ModifySelection();
}

bool TfrmRyzZakl::ModifySelection()
{
    TfrmNowyPomiar *dialog = frmNowyPomiar();
    dialog->Window = this;
    return dialog->Execute(2);
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
            RunWorkstationSum(f->ident, *m_pages, false);
        }
        m_pages->ClearMeasurementForm(); // the pages may show the measurement that goes
        f->Measurements.erase(f->Measurements.begin() + index);
    }
    FillMeasurementList();
    m_pages->ClearMeasurementForm();
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
    QString question = QStringLiteral("Czy na pewno usunąć wybrany pomiar?");
    const storage::TPomiarCzynn *m = SelectedMeasurement();
    if (m)
        question += QStringLiteral("\nPomiar z dnia ") + storage::MeasurementDay(m->data) +
                    QStringLiteral(", czynnik: ") + lbCzyn->currentItem()->text();
    return question;
}

QWidget *TfrmRyzZakl::DeleteKeyList()
{
    return lbPomiar;
}

std::optional<bool> TfrmRyzZakl::DeleteConfirmed()
{
    // The measurement goes from the factor's file at once.
    if (!DeleteSelection())
        return std::nullopt;
    return Save();
}

} // namespace assessment
