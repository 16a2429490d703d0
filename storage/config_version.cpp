#include "storage/config_version.h"

namespace storage {

QString &ConfigVersion()
{
    static QString version;
    return version;
}

} // namespace storage
