#pragma once

#include <QString>

namespace storage {

// The file that must stand beside the executable.
QString ConfigurationFileName(); // "Tarvelin.ini"

// True when the configuration file exists in the program folder. Otherwise shows
// "Brak pliku konfiguracyjnego : Tarvelin.ini" and returns false; the caller ends the
// program with a non-zero code.
bool CheckStartupConfiguration();

} // namespace storage
