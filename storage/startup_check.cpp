#include "storage/startup_check.h"

#include "platform/paths.h"
#include "platform/prompter.h"

#include <QDir>
#include <QFileInfo>

namespace storage {

QString ConfigurationFileName()
{
    return QStringLiteral("Tarvelin.ini");
}

bool CheckStartupConfiguration()
{
    if (QFileInfo::exists(QDir(platform::ProgramFolder()).filePath(ConfigurationFileName())))
        return true;
    platform::ShowError(QStringLiteral("Brak pliku konfiguracyjnego : ") + ConfigurationFileName());
    return false;
}

} // namespace storage
