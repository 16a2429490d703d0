#pragma once

// What the user reads a field of a measurement form by, worked out from the form's
// definition: a message about a field names it so, never by its internal name.
//
// A field with a caption of its own is called by it. A field in a table is called by the
// label of its row (a sub-row "- kobiety w ciąży" together with the row it continues) and
// the label heading its column ("... [dB] - kobiety w ciąży: Wartość dopuszczalna"); a row
// without a label of its own takes the heading of its table instead (the label its header
// row begins with, or the nearest heading above).

#include "storage/form_definitions.h"

#include <QString>

namespace assessment::rules {

// The caption of the control `controlName` ("ed_WartDop", prefix included) among items;
// empty when the definition holds no such field or gives it no text at all.
QString DefinitionFieldCaption(const storage::TPomiarList &items, const QString &controlName);

} // namespace assessment::rules
