// Feeds the workstation data reader with arbitrary files, for every view's reading: no
// crash, no hang; a read that fails leaves the workstation marked, so the writer refuses
// it; a read that succeeds writes back and reads again.
// LIBS: tarvelin_storage tarvelin_platform_core
#include "fuzz/fuzz_support.h"
#include "platform/tarvelin_error.h"
#include "storage/workstation_files.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList lines = fuzzsupport::Lines(data, size, false);
    const QString path = QStringLiteral("dane\\stan_1\\stanowisko_dane.xml");
    for (const storage::TViewKind view : {storage::TViewKind::Workstations, storage::TViewKind::Measurement}) {
        storage::TStanowisko w(QStringLiteral("1"), QStringLiteral("S"), QStringLiteral("stan_1"));
        const storage::WorkstationReadOptions options = storage::WorkstationReadOptions::ForView(view);
        bool failed = false;
        try {
            storage::ParseWorkstationData(lines, path, w, options);
        } catch (const platform::TarvelinError &) {
            failed = true;
        }
        if (failed) {
            // The mark is what makes the writer refuse a half-read workstation.
            if (w.ReadError.isEmpty() || !w.Factors.empty() || w.Loaded)
                __builtin_trap();
            continue;
        }
        // What the program writes it reads again; a workstation read without its factors no
        // longer current is never written.
        const QStringList written = storage::WorkstationDataLines(w);
        if (!w.AllFactorsRead)
            continue;
        storage::TStanowisko again(QStringLiteral("1"), QStringLiteral("S"), QStringLiteral("stan_1"));
        try {
            storage::ParseWorkstationData(fuzzsupport::WrittenLines(written, false), path, again, options);
        } catch (const platform::TarvelinError &) {
            // Values holding "</" or line breaks in one-line fields cannot come back whole;
            // the reader must still end without a crash.
        }
    }
    return 0;
}
