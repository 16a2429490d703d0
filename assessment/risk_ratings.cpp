#include "assessment/risk_ratings.h"

#include "storage/formatting.h"
#include "storage/measurements.h"
#include "storage/workstation_files.h"

#include <algorithm>
#include <utility>

namespace assessment {

namespace {

bool rated(int code)
{
    return code >= storage::RiskSmall && code <= storage::RiskForbidden;
}

// The year a measurement's date starts with; empty when it starts with none.
QString yearOf(const QString &measurementDate)
{
    if (measurementDate.size() < 4)
        return QString();
    const QString year = measurementDate.left(4);
    bool ok = false;
    year.toInt(&ok);
    return ok ? year : QString();
}

// The employment row of the measurement's year: kept under the year as typed, so compare
// as numbers too (a row typed " 2020" still counts). False when the date starts with no
// year.
bool employmentOfYear(const storage::TStanowisko *workstation, const QString &measurementDate,
                      const storage::TZatrudn *&row, QString &yearText)
{
    row = nullptr;
    if (!workstation)
        return false;
    yearText = yearOf(measurementDate);
    if (yearText.isEmpty())
        return false;
    const int year = yearText.toInt();
    row = workstation->FindEmployment(yearText);
    if (!row) {
        for (const storage::TZatrudn &z : workstation->Employment) {
            bool rowOk = false;
            if (z.Rok.trimmed().toInt(&rowOk) == year && rowOk) {
                row = &z;
                break;
            }
        }
    }
    return true;
}

} // namespace

bool TGroupRatings::AnyRated() const
{
    return rated(men) || rated(women) || rated(pregnantWomen) || rated(juveniles);
}

bool TGroupRatings::AnyNotDetermined() const
{
    for (int code : {men, women, pregnantWomen, juveniles})
        if (code == storage::RiskNotDetermined)
            return true;
    return false;
}

int TGroupRatings::Max() const
{
    return std::max({men, women, pregnantWomen, juveniles});
}

int CombinedRatingForYear(const TGroupRatings &groups, const storage::TStanowisko *workstation,
                          const QString &measurementDate)
{
    const storage::TZatrudn *row = nullptr;
    QString year;
    if (!employmentOfYear(workstation, measurementDate, row, year) || !row)
        return 0;
    int combined = 0;
    bool open = false;
    const std::pair<const QString *, int> employed[] = {{&row->Mezczyzni, groups.men},
                                                        {&row->Kobiety, groups.women},
                                                        {&row->KobietyCiez, groups.pregnantWomen},
                                                        {&row->Mlodociani, groups.juveniles}};
    for (const auto &[count, code] : employed) {
        if (storage::TZatrudn::Figure(*count) > 0) {
            combined = std::max(combined, code);
            open = open || code == storage::RiskNotDetermined;
        }
    }
    // A group employed but not rated (its own limit missing) could rate higher than the
    // others, unless one of them is already forbidden the work.
    return open && combined != storage::RiskForbidden ? int(storage::RiskNotDetermined) : combined;
}

QString EmploymentGap(const storage::TStanowisko *workstation, const QString &measurementDate)
{
    const storage::TZatrudn *row = nullptr;
    QString year;
    if (!employmentOfYear(workstation, measurementDate, row, year))
        return QString();
    if (!row) {
        return QStringLiteral("Ocena łączna nie została określona: stanowisko nie ma danych o zatrudnieniu "
                              "w roku %1, roku pomiaru.")
            .arg(year);
    }
    for (const QString *count : {&row->Mezczyzni, &row->Kobiety, &row->KobietyCiez, &row->Mlodociani})
        if (storage::TZatrudn::Figure(*count) > 0)
            return QString();
    return QStringLiteral("Ocena łączna nie została określona: w roku %1, roku pomiaru, na stanowisku nie zatrudniono "
                          "nikogo.")
        .arg(year);
}

TRiskRatings CombineRatings(const TGroupRatings &groups, const storage::TStanowisko *workstation,
                            const QString &measurementDate)
{
    TRiskRatings r;
    r.groups = groups;
    r.combined = CombinedRatingForYear(groups, workstation, measurementDate);
    r.final = r.combined;
    r.year = yearOf(measurementDate);
    return r;
}

TRiskRatings CombineAsMaximum(const TGroupRatings &groups)
{
    TRiskRatings r;
    r.groups = groups;
    r.combined = groups.Max();
    r.final = r.combined;
    return r;
}

QString CombinedGap(const TRiskRatings &ratings, const storage::TStanowisko *workstation)
{
    if (ratings.year.isEmpty() || ratings.combined != storage::RiskNotDetermined || !ratings.groups.AnyRated())
        return QString();
    return EmploymentGap(workstation, ratings.year);
}

TRiskRatings StoredRatings(const storage::TPomiarCzynn &m)
{
    TRiskRatings r;
    r.groups = {m.ocenam, m.ocenak, m.ocenakc, m.ocenaml};
    r.combined = m.ocenamax;
    r.final = m.ocenakon;
    return r;
}

void StoreRatings(storage::TPomiarCzynn &m, const TRiskRatings &ratings)
{
    m.ocenam = static_cast<short>(ratings.groups.men);
    m.ocenak = static_cast<short>(ratings.groups.women);
    m.ocenakc = static_cast<short>(ratings.groups.pregnantWomen);
    m.ocenaml = static_cast<short>(ratings.groups.juveniles);
    m.ocenamax = static_cast<short>(ratings.combined);
    m.ocenakon = static_cast<short>(ratings.final);
}

TRiskRatings RateMeasurement(storage::TPomiarCzynn &m, const TGroupRatings &groups,
                             const storage::TStanowisko *workstation)
{
    const TRiskRatings r = CombineRatings(groups, workstation, m.data);
    StoreRatings(m, r);
    return r;
}

TRiskRatings ShownRatings(const storage::TPomiarCzynn &m, const storage::TStanowisko *workstation)
{
    TRiskRatings r = CombineRatings(StoredRatings(m).groups, workstation, m.data);
    r.final = m.ocenakon;
    return r;
}

} // namespace assessment
