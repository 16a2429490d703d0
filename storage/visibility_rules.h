#pragma once

// Which fields of a measurement form are enabled or visible follows from the values of
// their switch fields (a choice of method, a check box): the rules per factor and form
// version, applied after a measurement is read and before its pages are built.

#include "storage/measurements.h"

#include <QString>

namespace storage {

// Sets the enabled and visible flags of dependent fields from their switch fields after
// loading (fileName: the measurement file; only its name is looked at).
void ApplyFieldVisibilityRules(int factorId, const QString &ver, const QString &fileName, TPomiarList &fields);
void ApplyFieldVisibilityRule(TPomiarList &fields, int factorId, int ruleNr);

} // namespace storage
