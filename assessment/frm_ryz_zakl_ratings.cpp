// The measurement window's ratings: the group ratings a rule hands over, combined and stored
// in the selected measurement (in the measurement view only), the reason they stay not
// determined, and the final rating and measures the user enters on the risk panel. The
// ratings belong to the measurement only where this window is the view shown
// (IsCurrentView); the same pages shown as previews elsewhere keep nothing.

#include "assessment/frm_ryz_zakl.h"

#include "assessment/rules/rating_handover.h"
#include "storage/measurements.h"

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

void TfrmRyzZakl::showStoredRatings(storage::TPomiarCzynn &m)
{
    TRiskRatings ratings = StoredRatings(m);
    if (IsCurrentView()) {
        // The employment may have changed since the ratings were stored: the combined
        // rating follows what is known now, the final one stays as stored.
        ratings = ShownRatings(m, SelectedWorkstation());
        StoreRatings(m, ratings);
    } else {
        ratings.combined = CombineAsMaximum(ratings.groups).combined;
    }
    showRatings(ratings);
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
