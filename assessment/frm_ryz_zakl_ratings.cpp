// The measurement window's ratings: the group ratings a rule hands over, combined and stored
// in the selected measurement (in the measurement view only), the reason they stay not
// determined, and the final rating and measures the user enters on the risk panel. The
// ratings belong to the measurement only where this window is the view shown
// (IsCurrentView); the same pages shown as previews elsewhere keep nothing.

#include "assessment/frm_ryz_zakl.h"

#include "appstate/appstate.h"
#include "assessment/rules/rating_handover.h"
#include "platform/prompter.h"
#include "storage/formatting.h"
#include "storage/measurements.h"
#include "storage/workstation_files.h"

#include <utility>

namespace assessment {

void TfrmRyzZakl::SetRiskAssessment(const TGroupRatings &ratings)
{
    TRiskRatings combined;
    if (!IsCurrentView())
        combined = CombineAsMaximum(ratings);
    else if (storage::TPomiarCzynn *m = SelectedMeasurement())
        combined = RateMeasurement(*m, ratings, SelectedWorkstation());
    else
        combined.groups = ratings; // no measurement, no year: nothing to combine for
    showRatings(combined);
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
    TRiskRatings ratings = StoredRatings(m);
    if (IsCurrentView()) {
        // The employment may have changed since the ratings were stored: the combined
        // rating follows what is known now, the final one stays as stored. The record is not
        // touched by showing it - the printed card reads the file - so a difference is told
        // and left for the user to save.
        const TRiskRatings stored = ratings;
        ratings = ShownRatings(m, SelectedWorkstation());
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
    } else {
        ratings.combined = CombineAsMaximum(ratings.groups).combined;
    }
    showRatings(ratings);
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

void TfrmRyzZakl::showRatings(const TRiskRatings &ratings)
{
    // The rule's reason names what the user can put right; it holds for these ratings only.
    // A group the rule rates whatever was measured (a work forbidden to pregnant women or
    // juveniles) does not make the others determined.
    const QString note = std::exchange(m_invalidFieldNote, QString());
    frmOcenaRyz()->SetRiskAssessment(ratings, !note.isEmpty() && ratings.groups.AnyNotDetermined()
                                                  ? note
                                                  : CombinedGap(ratings, SelectedWorkstation()));
}

void TfrmRyzZakl::ReportInvalidField(const QString &name, const QString &why)
{
    if (!m_invalidFieldNote.isEmpty())
        return; // the first field reported is the one to put right first
    m_invalidFieldNote = rules::InvalidFieldNote(*this, name, why);
}

void TfrmRyzZakl::FinalRatingChosen(int code)
{
    storage::TPomiarCzynn *m = SelectedMeasurement();
    if (!m || !IsCurrentView())
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
    if (!m || !IsCurrentView())
        return;
    m->srodogrryz = text;
    MarkModified();
    ApplySaveRule();
}

} // namespace assessment
