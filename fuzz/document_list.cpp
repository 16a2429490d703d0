// Feeds the document list reader with arbitrary files.
// LIBS: tarvelin_storage tarvelin_platform_core
#include "fuzz/fuzz_support.h"
#include "platform/tarvelin_error.h"
#include "storage/config_version.h"
#include "storage/document_files.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    storage::ConfigVersion() = QStringLiteral("1.0");
    storage::TListDokumList list;
    try {
        const bool accepted = storage::ParseDocumentList(fuzzsupport::Lines(data, size, true),
                                                         QStringLiteral("d\\x_lista.xml"), list, QStringLiteral("2"));
        if (!accepted && !list.empty())
            __builtin_trap();
    } catch (const platform::TarvelinError &) {
        if (!list.empty())
            __builtin_trap();
    }
    return 0;
}
