// Feeds the ini file (the geometry store in "Tarvelin.ini") with arbitrary bytes: it loads
// whatever stands there, and a value written and saved reads back after a new load.
// LIBS: tarvelin_platform_core
#include "platform/inifile.h"
#include "platform/text_file.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    platform::IniFile ini{QString()};
    ini.Parse(platform::DecodeLinesCp1250(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size))));
    for (const QString &section : ini.SectionNames())
        for (const QString &key : ini.KeyNames(section))
            (void)ini.ReadInteger(section, key, -9999);
    ini.WriteInteger(QStringLiteral("frmMain"), QStringLiteral("frmMain.Top"), 123);
    platform::IniFile again{QString()};
    again.Parse(platform::DecodeLinesCp1250(platform::EncodeLinesCp1250(ini.Lines())));
    if (again.ReadInteger(QStringLiteral("frmMain"), QStringLiteral("frmMain.Top"), -9999) != 123)
        __builtin_trap(); // a saved value must read back
    return 0;
}
