// Feeds the workstation data reader with arbitrary files, for every view's reading: no
// crash, no hang; a read that fails leaves the workstation marked, and the writer then
// refuses it; a read that succeeds writes back and reads again.
// LIBS: tarvelin_storage tarvelin_platform_core
#include "fuzz/fuzz_folder.h"
#include "platform/paths.h"
#include "platform/tarvelin_error.h"
#include "storage/workstation_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

namespace {

void setup(const QDir &dir)
{
    dir.mkpath(QStringLiteral("dane/stan_1"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString file = fuzzsupport::Folder(setup).filePath(QStringLiteral("dane/stan_1/stanowisko_dane.xml"));
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    for (const char *view : {"frmDefStan", "frmRyzZakl"}) {
        {
            QFile f(file);
            if (!f.open(QIODevice::WriteOnly))
                return 0;
            f.write(bytes);
        }
        storage::TStanowisko w(QStringLiteral("1"), QStringLiteral("S"), QStringLiteral("stan_1"));
        storage::WorkstationReadOptions options = storage::WorkstationReadOptions::ForView(QString::fromLatin1(view));
        options.catalogueFolder = QStringLiteral("brak\\");
        bool failed = false;
        try {
            storage::ReadWorkstationData(QStringLiteral("dane\\stan_1\\stanowisko_dane.xml"), w, options);
        } catch (const platform::TarvelinError &) {
            failed = true;
        }
        if (failed) {
            if (w.ReadError.isEmpty() || !w.Factors.empty() || w.Loaded)
                __builtin_trap();
            if (storage::WriteWorkstationData(QStringLiteral("dane\\"), w))
                __builtin_trap(); // a half-read workstation is never written
            continue;
        }
        (void)storage::WorkstationDataLines(w);
        // What the program writes it reads again.
        if (!storage::WriteWorkstationData(QStringLiteral("dane\\"), w))
            continue;
        storage::TStanowisko again(QStringLiteral("1"), QStringLiteral("S"), QStringLiteral("stan_1"));
        try {
            storage::ReadWorkstationData(QStringLiteral("dane\\stan_1\\stanowisko_dane.xml"), again, options);
        } catch (const platform::TarvelinError &) {
            // Values holding "</" or line breaks in one-line fields cannot come back whole;
            // the reader must still end without a crash.
        }
    }
    return 0;
}
