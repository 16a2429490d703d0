#pragma once

// One measurement of a hazard factor, and the date-sorted list of them a factor holds.
// The measurement files are read and written in measurement_files.h.

#include "storage/form_definitions.h"

#include <QDate>
#include <QString>
#include <memory>
#include <utility>
#include <vector>

namespace storage {

// What a measurement records besides its field values: the attributes of its opening line
// in the measurement file. Built with designated initialisers, so a new stored attribute is
// a member here, a line in the reader and the writer, and the control that edits it.
struct TMeasurementAttributes
{
    int id = 0;           // measurement number
    QString data;         // date, yyyy-MM-dd
    QString mscPom;       // place of measurement
    QString wykpom;       // performed by
    QString metpom;       // method
    QString interwyn;     // interpretation of the results
    QString srodogrryz;   // risk-reduction measures
    QString ver;          // version of the measurement form definition, "1"
    short ocenam = 0;     // rating for men
    short ocenak = 0;     // women
    short ocenakc = 0;    // pregnant women
    short ocenaml = 0;    // juveniles
    short ocenamax = 0;   // combined
    short ocenakon = 0;   // final

    bool operator==(const TMeasurementAttributes &other) const = default;
};

// One measurement: its attributes (reached as members, m->data) and the items of its form
// with this measurement's values.
class TPomiarCzynn : public TMeasurementAttributes
{
public:
    TPomiarCzynn() = default;
    explicit TPomiarCzynn(TMeasurementAttributes attributes) : TMeasurementAttributes(std::move(attributes)) {}

    TPomiarList Fields;   // the form's items with their values

    const TMeasurementAttributes &Attributes() const { return *this; }
    // A deep copy, fields included.
    std::unique_ptr<TPomiarCzynn> Clone() const;
    // Every attribute compared, the items of Fields included.
    bool SameAs(const TPomiarCzynn &other) const;
};

// A factor's measurements, kept in date order (case-insensitive text order of `data`,
// which for yyyy-MM-dd is chronological, oldest first). One measurement per date text.
using TMeasurementList = std::vector<std::unique_ptr<TPomiarCzynn>>;

// Inserts m at its date's place. A measurement whose date text is already there is not
// added: it is freed and nullptr is returned.
TPomiarCzynn *AddMeasurement(TMeasurementList &list, std::unique_ptr<TPomiarCzynn> m);
// Position of the measurement with this date text (case-insensitive), or -1.
int FindMeasurementByDate(const TMeasurementList &list, const QString &data);
// Position of the measurement with this number, or -1.
int FindMeasurementById(const TMeasurementList &list, int id);
// Restores date order after a date was edited in place (stable).
void SortMeasurements(TMeasurementList &list);
TMeasurementList CloneMeasurements(const TMeasurementList &list);

// The day of a measurement dated data as the lists show it (yyyy-MM-dd); a text that is
// no date stays as it is.
QString MeasurementDay(const QString &data);
// Whether a measurement dated data lies within from .. to, both days included.
bool MeasurementInRange(const QString &data, const QDate &from, const QDate &to);

// The measurements of a factor that count for the range, in list order (oldest first):
// every one dated within from .. to, or with latestOnly the first of the latest day
// within it; none when none lies in it. The summary view lists these, and the
// printouts print these ("OSTATNIE" means the same everywhere).
std::vector<TPomiarCzynn *> MeasurementsInRange(const TMeasurementList &measurements, const QDate &from,
                                                const QDate &to, bool latestOnly);

} // namespace storage

// The measurement files come with the class.
#include "storage/measurement_files.h"
