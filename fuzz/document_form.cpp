// Feeds the document definition reader with arbitrary files.
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
    storage::TDocumentDefinition definition;
    try {
        storage::ParseDocumentForm(fuzzsupport::Lines(data, size, true), QStringLiteral("d\\x_frm_2.xml"), definition);
    } catch (const platform::TarvelinError &) {
        if (!definition.Items.empty())
            __builtin_trap(); // a refused definition appends nothing
    }
    for (const auto &item : definition.Items)
        if (int(item->Values.size()) != item->ile || item->ile < 0 || item->ile > 100)
            __builtin_trap();
    return 0;
}
