#pragma once

#include "storage/storage_result.h"

#include <QString>

namespace storage {

// The file that must stand beside the executable.
QString ConfigurationFileName(); // "Tarvelin.ini"

// Success when the configuration file exists in the program folder. Otherwise the error
// "Brak pliku konfiguracyjnego : Tarvelin.ini"; the caller shows it and ends the program
// with a non-zero code.
StorageResult CheckStartupConfiguration();

} // namespace storage
