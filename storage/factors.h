#pragma once

// Factor groups of the hazard-factor catalogue and the hazard factors themselves
// (catalogue entries, own factors, factors present on a workstation). Their files are
// read and written in factor_files.h.

#include "storage/measurements.h"

#include <QString>
#include <memory>
#include <vector>

namespace storage {

// One factor group of "czynniki_grupy.xml".
class TGrupaCzynnik
{
public:
    TGrupaCzynnik() = default;
    TGrupaCzynnik(QString nazwa, QString ident, QString plik, QString katfrm, QString katzal, QString plikWl);

    QString nazwa;  // caption
    QString ident;  // group key: "chem", "biol", "pyly", "fiz", "uciaz", ...
    QString plik;   // factor list file
    QString katfrm; // forms folder of the group
    QString katzal; // attachments folder
    QString plikWl; // own-factor file

    bool operator==(const TGrupaCzynnik &other) const = default;
};

using TGrupaCzynnikList = std::vector<std::unique_ptr<TGrupaCzynnik>>;

// A hazard factor. Copies carry every field (Clone).
class TCzynnik
{
public:
    TCzynnik() = default;
    TCzynnik(QString nazwa, QString ident, int id, QString ver_pom, QString frm_dane, QString aktual, QString szkod);
    virtual ~TCzynnik() = default;

    QString nazwa;
    int id = 0;           // catalogue number; own factors above 99999
    QString ident;        // group key
    QString ver_pom;      // current version of its measurement form, "1.0"
    QString frm_dane;     // name of its measurement form and measurement file
    QString aktual;       // "T"/"N" on a workstation; "1"/"0" in catalogue lists
    TMeasurementList Measurements; // by date, oldest first
    QString szkod;        // "T"/"N": counted as a harmful factor

    // Set when reading its measurements failed half-way: what the list holds is not what
    // the file holds, so the measurement writer keeps the stored block instead of writing it.
    bool MeasurementsIncomplete = false;

    // A deep copy of the same class, measurements included.
    virtual std::unique_ptr<TCzynnik> Clone() const;
    // The fields of TCzynnik compared (measurements by their content).
    bool SameFactorAs(const TCzynnik &other) const;

protected:
    TCzynnik(const TCzynnik &other);
    TCzynnik &operator=(const TCzynnik &) = delete;
};

using TCzynnikList = std::vector<std::unique_ptr<TCzynnik>>;

// The own factors of a group are numbered above this.
constexpr int OwnFactorIdBase = 99999;

} // namespace storage

// The factor files come with the classes.
#include "storage/factor_files.h"
