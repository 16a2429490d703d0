// Feeds the ini file (the geometry store in "Tarvelin.ini") with arbitrary bytes: it loads
// whatever stands there, and a value written and saved reads back after a new load.
// LIBS: tarvelin_platform_core
#include "fuzz_folder.h"
#include "platform/inifile.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QTemporaryDir &dir = fuzzsupport::Folder([](const QDir &) {});
    fuzzsupport::Put(QStringLiteral("Tarvelin.ini"), data, size);
    const QString path = dir.filePath(QStringLiteral("Tarvelin.ini"));
    platform::IniFile ini(path);
    ini.Load();
    for (const QString &section : ini.SectionNames())
        for (const QString &key : ini.KeyNames(section))
            (void)ini.ReadInteger(section, key, -9999);
    ini.WriteInteger(QStringLiteral("frmMain"), QStringLiteral("frmMain.Top"), 123);
    if (!ini.Save())
        return 0;
    platform::IniFile again(path);
    again.Load();
    if (again.ReadInteger(QStringLiteral("frmMain"), QStringLiteral("frmMain.Top"), -9999) != 123)
        __builtin_trap(); // a saved value must read back
    return 0;
}
