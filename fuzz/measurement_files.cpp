// Feeds the measurement file reader with arbitrary files in both layouts, then writes what
// it read back beside the other factors' blocks and reads it again; cut short anywhere
// before its closing line, that file is refused, never read as fewer measurements or none.
// LIBS: tarvelin_storage tarvelin_platform_core
#include "fuzz/fuzz_support.h"
#include "fuzz/small_form.h"
#include "platform/tarvelin_error.h"
#include "storage/factors.h"
#include "storage/measurement_files.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace {

const QString kPath = QStringLiteral("d\\s\\met5Krok_dane.xml");
const QString kFileBase = QStringLiteral("met5Krok_dane");

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList lines = fuzzsupport::Lines(data, size, false);
    storage::TCzynnik a(QStringLiteral("A"), QStringLiteral("fiz"), 100001, QStringLiteral("1.0"),
                        QStringLiteral("met5Krok"), QStringLiteral("T"), QStringLiteral("N"));
    bool refused = false;
    try {
        storage::ParseMeasurements(lines, kPath, a.Measurements, a.id, fuzzsupport::SmallFormFields);
    } catch (const platform::TarvelinError &) {
        refused = true; // what was read before the fault is kept, to be shown
    }
    for (size_t i = 1; i < a.Measurements.size(); ++i)
        if (QString::compare(a.Measurements[i - 1]->data, a.Measurements[i]->data, Qt::CaseInsensitive) >= 0)
            __builtin_trap(); // date order, one per date
    if (refused)
        return 0;
    // Rewriting the file as found keeps the other blocks; whatever they hold, it must not crash.
    (void)storage::MeasurementFileBytes(&lines, kFileBase, {&a});

    // Written alone, what was read reads back equal, unless the writer refuses it and says why.
    if (!storage::StorableMeasurements(kPath, {&a}))
        return 0;
    const auto written = storage::MeasurementFileBytes(nullptr, kFileBase, {&a});
    if (!written)
        __builtin_trap();
    storage::TMeasurementList again;
    try {
        storage::ParseMeasurements(storage::TextXmlLinesFromBytes(*written, false), kPath, again, a.id, fuzzsupport::SmallFormFields);
    } catch (const platform::TarvelinError &e) {
        std::fprintf(stderr, "own output not read back: %s\n", qPrintable(e.message()));
        __builtin_trap();
    }
    if (again.size() != a.Measurements.size())
        __builtin_trap();
    const QByteArray cut = written->left(qsizetype(size) % (written->lastIndexOf("</") + 1));
    storage::TMeasurementList partial;
    try {
        storage::ParseMeasurements(storage::TextXmlLinesFromBytes(cut, false), kPath, partial, a.id, fuzzsupport::SmallFormFields);
        __builtin_trap(); // a file cut short read as a whole one
    } catch (const platform::TarvelinError &) {
        if (partial.size() > a.Measurements.size())
            __builtin_trap();
    }
    for (size_t i = 0; i < again.size(); ++i) {
        const storage::TPomiarCzynn &x = *a.Measurements[i];
        const storage::TPomiarCzynn &y = *again[i];
        if (x.id != y.id || x.data != y.data || x.mscPom != y.mscPom || x.wykpom != y.wykpom || x.metpom != y.metpom ||
            x.interwyn != y.interwyn || x.srodogrryz != y.srodogrryz || x.ver != y.ver || x.ocenam != y.ocenam ||
            x.ocenakon != y.ocenakon || x.Fields.size() != y.Fields.size())
            __builtin_trap();
        // Items the files store come back; labels and headers without a variant are not stored.
        for (size_t k = 0; k < x.Fields.size(); ++k) {
            const storage::TPomiar &p = *x.Fields[k];
            const storage::TPomiar &q = *y.Fields[k];
            const bool header = p.typ() == QLatin1String("naglowek");
            const bool stored = header ? p.ChoiceNr != 0
                                       : (p.typ() == QLatin1String("edit") || p.typ() == QLatin1String("combo") ||
                                          p.typ() == QLatin1String("memo"));
            // The choice is stored for combo boxes and headers only.
            const bool choiceStored = header || p.typ() == QLatin1String("combo");
            if (stored && (p.Value != q.Value || (choiceStored && p.ChoiceNr != q.ChoiceNr)))
                __builtin_trap();
        }
    }
    return 0;
}
