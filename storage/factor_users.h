#pragma once

// The workstations on which a factor is present as a current one, as their files hold them.
// A workstation keeps the name a factor had when it was added; the catalogue uses this to
// tell the user where an own factor that was renamed or retired still stands under its
// old name.

#include "storage/navigation_file.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace storage {

struct TFactorUse
{
    QString workstation; // the workstation's name
    QString factorName;  // the name the workstation keeps for the factor
};

// The workstations of dataFolder whose data file lists the factor id as current, in the
// order of the workstation list. A workstation whose file cannot be read is passed over.
std::vector<TFactorUse> WorkstationsUsingFactor(const QString &dataFolder, int factorId);

// The data folders the configuration keeps workstations in (`katalog` of the components
// that open the workstation, measurement and summary views), each once.
QStringList WorkstationDataFolders(const TNavigationGroups &groups);

} // namespace storage
