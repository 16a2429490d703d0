#pragma once

// Measurement files of a workstation folder: one file per measurement form, in the single
// layout (one factor) or the shared layout (blocks per factor).

#include "storage/measurements.h"
#include "storage/storage_result.h"
#include "storage/visibility_rules.h" // the reader applies them; older callers find them here

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace storage {

class TCzynnik;

// Whether factor f is stored in the shared layout: group "chem" or "biol"; a form whose
// name holds "mechaniczne", "met5Krok" or "metRiskScore"; a dust above 25200.
bool UsesSharedLayout(const QString &ident, const QString &frmDane, int id);
bool UsesSharedLayout(const TCzynnik &f);
constexpr int SharedDustIdBoundary = 25200;

// The measurement file name (without folder) of form frmDane: frmDane + "_dane.xml".
QString MeasurementFileName(const QString &frmDane);
// From a definition name: "halas_fizyczny_frm_2.xml" gives "halas_fizyczny_dane" (no ".xml").
QString MeasurementFileBaseFromDefinition(const QString &definitionName);

// Reads the measurements of factor factorId from folder + frmDane + "_dane.xml" (folder
// is the workstation folder, stored form ending with "\"); each measurement's Fields are
// built from formsFolder + frmDane + "_frm_" + its version + ".xml". A missing file
// leaves the factor without measurements. measurements is replaced by what was read; a
// file that is not whole (cut short, emptied, malformed) throws TarvelinError naming it
// after what could be read before the fault is in measurements, and is marked damaged so
// that no save writes over it (damaged_files.h).
void ReadMeasurements(const QString &folder, const QString &frmDane, TMeasurementList &measurements, int factorId,
                      const QString &formsFolder);

// The items of form version ver (as definition names carry it) appended to fields, for the
// measurements that name it; throws as ReadMeasurementForm does.
using MeasurementFormFields = std::function<void(const QString &ver, TPomiarList &fields)>;
// The items of frmDane's definitions in formsFolder, as ReadMeasurements takes them.
MeasurementFormFields MeasurementFormFieldsIn(const QString &formsFolder, const QString &frmDane, int factorId);
// ReadMeasurements on the lines of a file that is there (read uncut); path names it in
// messages and chooses the visibility rules.
void ParseMeasurements(const QStringList &lines, const QString &path, TMeasurementList &measurements, int factorId,
                       const MeasurementFormFields &formFields);

// What the measurement window saves: its selected workstation's folder, the definition
// file name of its current factor, the current factor (the modified one, else the
// selected one), the factors of its list, and every factor of the workstation.
struct MeasurementSaveRequest
{
    QString workstationFolder;  // DataFolder + kat_dane + "\"; empty: no workstation selected
    QString formFileName;       // definition file name of the current factor
    const TCzynnik *current = nullptr;
    std::vector<const TCzynnik *> listedFactors;
    std::vector<const TCzynnik *> workstationFactors;
};

// Writes the file of the current factor, keeping the blocks of every factor it does not
// write as they stand in the file; with a dust, the files of the other dusts whose
// measurements take part in the workstation sum too: all of them or none. Nothing selected:
// "Źle zaznaczono dane". A current factor not read whole, or a file that is not whole, is
// refused naming the file; on a write failure "Błąd dostępu do pliku" naming it.
StorageResult WriteMeasurements(const MeasurementSaveRequest &request);
// Rewrites the files of the dusts of workstationFactors other than factorId whose
// measurements have a "cbSumNDS" field holding "True": all of them or none.
StorageResult WriteDustMeasurements(const QString &workstationFolder,
                                    const std::vector<const TCzynnik *> &workstationFactors, int factorId);

// Success, or the refusal of the factors' measurements when one of their texts cannot be
// stored as it is (a one-line attribute with a line break, a value holding "</", a
// character outside Windows-1250); every save of measurements asks first.
StorageResult StorableMeasurements(const QString &path, const std::vector<const TCzynnik *> &factors);

// Writes the given factors' blocks into folder + fileBase + ".xml" (layout chosen by the
// factors), keeping every other factor's block of an existing file unchanged; refused as
// WriteMeasurements refuses.
StorageResult WriteMeasurementFile(const QString &folder, const QString &fileBase,
                                   const std::vector<const TCzynnik *> &factors);
// The bytes it writes, given the lines of the file as it stands (read uncut; null when there
// is none); std::nullopt when nothing of the file is to be written.
std::optional<QByteArray> MeasurementFileBytes(const QStringList *existingLines, const QString &fileBase,
                                               const std::vector<const TCzynnik *> &factors);

// The lines one measurement is written as (value lines may hold "\n").
QStringList MeasurementLines(const TPomiarCzynn &m);

} // namespace storage
