#include "storage/startup_check.h"

#include "platform/paths.h"

#include <QDir>
#include <QFileInfo>

namespace storage {

QString ConfigurationFileName()
{
    return QStringLiteral("Tarvelin.ini");
}

StorageResult CheckStartupConfiguration()
{
    if (QFileInfo::exists(QDir(platform::ProgramFolder()).filePath(ConfigurationFileName())))
        return {};
    return StorageResult::Failure(QStringLiteral("Brak pliku konfiguracyjnego : ") + ConfigurationFileName(),
                                  StorageResult::Severity::Error);
}

} // namespace storage
