#pragma once

// Number masks, as FORMATNUMERIC and the masks of data and expression labels use them.
//
//   0        a digit, 0 where the number has none
//   #        a digit, nothing where the number has none
//   .        the decimal point (the first one in a section)
//   ,        anywhere before the point: digits grouped by thousands
//   E+ E- e+ e-  scientific form; the 0s that follow give the exponent's least digits;
//            E+ always shows the exponent's sign, E- only a minus
//   'x' "x"  literal text
//   ;        sections: positive;negative;zero. A negative number uses the negative section
//            without its minus sign; without one, the positive section with a minus. The
//            zero section is used for a number that rounds to zero in the first section.
//   other characters are printed as they stand.
// A section without digit placeholders prints its text alone. An empty mask gives the
// general form with 15 significant digits. Halves round away from zero.

#include <QString>

namespace reportengine {

// False for a number that is not finite or a mask with a quote left open.
bool FormatNumberWithMask(const QString &mask, double value, QString *result);

} // namespace reportengine
