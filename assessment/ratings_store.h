#pragma once

// The one place that keeps what is decided about a measurement shown in measurement pages:
// its field values, its ratings and its measures text, and whether it is modified. The
// measurement window is the store of its own pages; pages made without a store are
// previews and keep nothing.
//
// What the pages rely on: they write field values into the items they show and tell the
// store a value changed (MarkModified); every rating, whether a rule handed it over or the
// user chose it on the risk panel (TRiskPanelHost), goes to the store, which decides what
// is kept and returns what is to be shown.

#include "assessment/form_access.h"
#include "assessment/frm_ocena_ryz.h"
#include "assessment/risk_ratings.h"

namespace storage {
class TPomiarCzynn;
} // namespace storage

namespace assessment {

class TRatingsStore : public TRiskPanelHost
{
public:
    // The measurement whose fields the pages edit, where edits are allowed (nullptr
    // otherwise): a rule that fails puts it back as it was before the event.
    virtual storage::TPomiarCzynn *EditedMeasurement() = 0;
    // Puts m back as snapshot holds it (values, ratings, measures) after a rule failed, and
    // has it shown again once the failing event is over.
    virtual void RestoreMeasurement(const storage::TPomiarCzynn &snapshot) = 0;
    // The measurement shown with its workstation, factor and date (the workstation sums
    // work on it); none when nothing is chosen.
    virtual TShownMeasurement ShownMeasurement() = 0;
    // The group ratings a rule handed over: combined, stored with the measurement, and
    // returned as they are to be shown.
    virtual TRiskRatings StoreRuleRatings(const TGroupRatings &groups) = 0;
    // A field's value changed: the measurement is modified.
    virtual void MarkModified() = 0;
    // After each field event: Save offered where saving is allowed.
    virtual void ApplySaveRule() = 0;
    // The user typed into a field (the value is recorded when the field is left).
    virtual void FieldTyped() = 0;
};

} // namespace assessment
