#pragma once

// The ratings of a measurement, one value on its way from the rule to the file and the
// printed card. A rule rates the four employee groups (TGroupRatings) and hands them to its
// form; the combined rating is the largest rating of the groups employed on the workstation
// in the year of the measurement's date, and the final rating follows it unless the user
// chooses another (TRiskRatings). The measurement window owns the ratings of the
// measurement it shows and stores them through this module alone; the risk panel only
// shows them.
//
// Codes as storage's RiskLevel: 0 not determined, 10 small, 20 medium, 30 large, 40 work
// forbidden, 99 not applicable.

#include <QString>

namespace storage {
class TPomiarCzynn;
class TStanowisko;
} // namespace storage

namespace assessment {

// The four employee groups as a rule rates them.
struct TGroupRatings
{
    int men = 0;
    int women = 0;
    int pregnantWomen = 0;
    int juveniles = 0;

    // Every group alike.
    static TGroupRatings All(int code) { return {code, code, code, code}; }
    // Whether some group holds a rating (10 to 40).
    bool AnyRated() const;
    // Whether some group stays not determined (0).
    bool AnyNotDetermined() const;
    // The largest of the four codes.
    int Max() const;
    bool operator==(const TGroupRatings &) const = default;
};

// The six ratings of a measurement, as stored with it and shown on the risk panel.
struct TRiskRatings
{
    TGroupRatings groups;
    int combined = 0;
    int final = 0;
    // The employment year the combined rating was decided by (the first four characters of
    // the measurement's date); empty when it is the plain maximum of the groups, was read
    // back as stored, or the date starts with no year.
    QString year;
};

// The combined rating: the largest rating of the groups employed on the workstation in the
// year of the measurement's date (head counts above 0). No workstation, a date that does not
// start with a year, or no employment row for that year: 0. A head count that is empty or no
// number counts as nobody employed. A group employed whose rating is not determined leaves it
// 0 too, unless another employed group is forbidden the work (40).
int CombinedRatingForYear(const TGroupRatings &groups, const storage::TStanowisko *workstation,
                          const QString &measurementDate);
// Why no group counts for the combined rating: the workstation has no employment row for
// the year of the measurement's date, or nobody is employed in it; empty otherwise (also
// without a workstation or a date that starts with a year).
QString EmploymentGap(const storage::TStanowisko *workstation, const QString &measurementDate);

// The groups combined by the employment of the workstation in the year of the measurement's
// date; the final rating follows the combined one.
TRiskRatings CombineRatings(const TGroupRatings &groups, const storage::TStanowisko *workstation,
                            const QString &measurementDate);
// The groups of a form that belongs to no workstation (a factor's form in the catalogue):
// the combined rating is the largest of them, the final one follows it.
TRiskRatings CombineAsMaximum(const TGroupRatings &groups);
// Why the combined rating stays not determined although groups are rated: the employment
// gap of the year it was combined for. Empty when it is determined, no group is rated, or it
// was not combined by employment.
QString CombinedGap(const TRiskRatings &ratings, const storage::TStanowisko *workstation);

// The six ratings stored with m (no year).
TRiskRatings StoredRatings(const storage::TPomiarCzynn &m);
// Stores the six ratings in m.
void StoreRatings(storage::TPomiarCzynn &m, const TRiskRatings &ratings);

// New ratings of a measurement: the groups a rule gave, combined by the employment of the
// workstation in the year of m's date, the final rating following the combined one; stored
// in m and returned.
TRiskRatings RateMeasurement(storage::TPomiarCzynn &m, const TGroupRatings &groups,
                             const storage::TStanowisko *workstation);
// A stored measurement shown again: its groups and final rating as stored, its combined
// rating decided again by the employment now known for its year. Stores nothing.
TRiskRatings ShownRatings(const storage::TPomiarCzynn &m, const storage::TStanowisko *workstation);

} // namespace assessment
