// Feeds the navigation configuration reader with arbitrary bytes: it either builds groups
// or raises its error, and never crashes or hangs.
// LIBS: tarvelin_storage tarvelin_platform_core
#include "fuzz/fuzz_support.h"
#include "platform/tarvelin_error.h"
#include "storage/navigation_file.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QStringList lines = fuzzsupport::Lines(data, size, true);
    QString version;
    try {
        const storage::TNavigationGroups groups = storage::ParseNavigationConfig(lines, version);
        for (size_t g = 0; g < groups.size(); ++g) {
            if (groups[g]->numer != static_cast<int>(g) + 1)
                __builtin_trap(); // a group is always found again at its number
            for (size_t e = 0; e < groups[g]->Elements.size(); ++e)
                if (groups[g]->Elements[e]->numer != static_cast<int>(e) + 1)
                    __builtin_trap();
        }
        (void)storage::CatalogueFolderOf(groups);
    } catch (const platform::TarvelinError &) {
    }
    return 0;
}
