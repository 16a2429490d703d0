// The measurement window as the ratings store of its pages: the group ratings a rule hands
// over, combined and stored in the selected measurement, the final rating and measures the
// user enters on the risk panel, and the measurement put back when a rule failed.

#include "assessment/frm_ryz_zakl.h"

#include "appstate/appstate.h"
#include "assessment/frm_ocena_ryz.h"
#include "platform/prompter.h"
#include "storage/formatting.h"
#include "storage/measurements.h"
#include "storage/workstation_files.h"
#include "widgets/list_box.h"

#include <QListWidget>
#include <QTimer>

namespace assessment {

storage::TPomiarCzynn *TfrmRyzZakl::EditedMeasurement()
{
    return SaveAllowed() ? SelectedMeasurement() : nullptr;
}

void TfrmRyzZakl::RestoreMeasurement(const storage::TPomiarCzynn &snapshot)
{
    storage::TPomiarCzynn *m = SelectedMeasurement();
    if (!m)
        return;
    // Values are put back in place: the items stay the objects the pages and the handlers
    // still on the stack refer to.
    if (m->Fields.size() == snapshot.Fields.size()) {
        for (size_t i = 0; i < m->Fields.size(); ++i) {
            storage::TPomiar &to = *m->Fields[i];
            const storage::TPomiar &from = *snapshot.Fields[i];
            to.Value = from.Value;
            to.ChoiceNr = from.ChoiceNr;
            to.enabled = from.enabled;
            to.visible = from.visible;
        }
    }
    StoreRatings(*m, StoredRatings(snapshot));
    m->srodogrryz = snapshot.srodogrryz;
    // The pages show what the rule had half written: show the measurement again once the
    // event that failed is over.
    QTimer::singleShot(0, this, [this] {
        if (storage::TPomiarCzynn *current = SelectedMeasurement())
            ShowMeasurement(current);
    });
}

TShownMeasurement TfrmRyzZakl::ShownMeasurement()
{
    const QListWidgetItem *entry = lbPomiar->currentItem();
    if (!entry)
        return {};
    TShownMeasurement shown{SelectedWorkstation(), SelectedFactor(), entry->data(Qt::UserRole).toString()};
    return shown.IsSet() ? shown : TShownMeasurement();
}

TRiskRatings TfrmRyzZakl::StoreRuleRatings(const TGroupRatings &groups)
{
    if (storage::TPomiarCzynn *m = SelectedMeasurement())
        return RateMeasurement(*m, groups, SelectedWorkstation());
    TRiskRatings shown;
    shown.groups = groups; // no measurement, no year: nothing to combine for
    return shown;
}

namespace {

bool sameRatings(const TRiskRatings &a, const TRiskRatings &b)
{
    return a.groups == b.groups && a.combined == b.combined && a.final == b.final;
}

QString levelText(int code)
{
    const QString name = storage::RiskLevelName(code);
    return name.isEmpty() ? QStringLiteral("nieustalona") : QStringLiteral("„%1”").arg(name);
}

} // namespace

void TfrmRyzZakl::showStoredRatings(storage::TPomiarCzynn &m)
{
    m_recombined = {};
    // The employment may have changed since the ratings were stored: the combined rating
    // follows what is known now, the final one stays as stored. The record is not touched by
    // showing it - the printed card reads the file - so a difference is told and left for
    // the user to save.
    const TRiskRatings stored = StoredRatings(m);
    const TRiskRatings ratings = ShownRatings(m, SelectedWorkstation());
    const storage::TStanowisko *w = SelectedWorkstation();
    const storage::TCzynnik *f = SelectedFactor();
    if (ratings.combined != stored.combined && SaveAllowed() && w && f) {
        m_recombined = {true, w->id, f->id, m.data, stored, ratings};
        Shared().SetSaveEnabled(true);
        platform::ShowInfo(
            QStringLiteral("Pomiar z dnia %1 czynnika „%2”: zapisana ocena łączna (%3) nie odpowiada zatrudnieniu "
                           "na stanowisku „%4” w roku %5, według którego wynosi %6.\nOkno pokazuje ocenę według "
                           "zatrudnienia; w pliku pozostaje zapisana ocena, dopóki pomiar nie zostanie zapisany "
                           "(Zapisz).")
                .arg(m.data, f->nazwa, levelText(stored.combined), w->nazwa,
                     ratings.year.isEmpty() ? m.data.left(4) : ratings.year, levelText(ratings.combined)));
    }
    m_pages->ShowRatings(ratings, w);
}

bool TfrmRyzZakl::storeRecombinedRatings(bool store)
{
    if (!m_recombined.active)
        return false;
    storage::TStanowisko *w = storage::FindWorkstationById(Shared().Workstations, m_recombined.workstationId);
    if (!w)
        return false;
    for (const storage::TFactorEntry &e : w->Factors) {
        if (!e.factor || e.factor->id != m_recombined.factorId)
            continue;
        const int index = storage::FindMeasurementByDate(e.factor->Measurements, m_recombined.date);
        if (index < 0)
            continue;
        storage::TPomiarCzynn &m = *e.factor->Measurements[static_cast<size_t>(index)];
        // A rule that rated it again, or a final rating chosen since, has the last word.
        const TRiskRatings &from = store ? m_recombined.stored : m_recombined.shown;
        if (!sameRatings(StoredRatings(m), from))
            return false;
        StoreRatings(m, store ? m_recombined.shown : m_recombined.stored);
        return true;
    }
    return false;
}

void TfrmRyzZakl::FinalRatingChosen(int code)
{
    storage::TPomiarCzynn *m = SelectedMeasurement();
    if (!m)
        return;
    TRiskRatings ratings = StoredRatings(*m);
    if (ratings.final == code)
        return;
    ratings.final = code;
    StoreRatings(*m, ratings);
    MarkModified();
    ApplySaveRule();
}

void TfrmRyzZakl::MeasuresEdited(const QString &text)
{
    storage::TPomiarCzynn *m = SelectedMeasurement();
    if (!m)
        return;
    m->srodogrryz = text;
    MarkModified();
    ApplySaveRule();
}

} // namespace assessment
