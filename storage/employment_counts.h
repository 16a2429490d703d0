#pragma once

// The employment of a year checked against itself. The counts feed the combined rating
// (which groups are employed) and every register and card, so a year whose counts cannot
// all be true is refused where it is typed rather than printed.

#include <QString>
#include <QStringList>

namespace storage {

struct TZatrudn;

// The captions of the employment grid's columns, in the order of TZatrudn::Columns().
const QStringList &EmploymentColumnTitles();

// What cannot be true of z's counts, as a message naming the columns concerned; empty when
// nothing. Checked in this order: a negative count; more pregnant women than women; more
// people at night or exposed above the limit values than everyone employed that year (men
// + women + juveniles). An empty count is 0; a count that is not a number is left to the
// number check of the field it is typed in.
QString EmploymentCountProblem(const TZatrudn &z);

} // namespace storage
