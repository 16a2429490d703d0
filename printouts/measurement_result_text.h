#pragma once

// The "Wynik pomiaru" row of a measurement card: the printed parameters and results of
// one measurement, made from its form's items. Each item says whether it prints (`druk`
// "T"), how (`param`: 1 a parameter with its label, 2 a parameter caption, 0 a result)
// and under which short text (`skrot`, else `etyk`); `wydropis` and `wydrwart` name the
// items whose label and value a result line shows.
//
// What it guarantees: the measurement's items are only read (the marks that do not apply
// to a factor are dropped on a copy), and a value that is not a number never stops it.

#include "storage/form_definitions.h"

#include <QString>

namespace printouts {

// fields: the measurement's items with their values; factorId and group (the factor's
// ident: "chem", "pyly", ...) and the measurement's form version ("1", "2", ...) choose
// the factor's own marks. Lines end with "\n".
QString MeasurementResultText(const storage::TPomiarList &fields, int factorId, const QString &group,
                              const QString &formVersion);

} // namespace printouts
