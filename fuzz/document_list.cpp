// Feeds the document list reader with arbitrary files. A list of another version reads
// nothing; a refused one keeps at most one entry per entry line, to be shown.
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
    const QStringList lines = fuzzsupport::Lines(data, size, true);
    try {
        const bool accepted =
            storage::ParseDocumentList(lines, QStringLiteral("d\\x_lista.xml"), list, QStringLiteral("2"));
        if (!accepted && !list.empty())
            __builtin_trap();
    } catch (const platform::TarvelinError &) {
        if (list.size() > size_t(lines.filter(QStringLiteral("<pole")).size()))
            __builtin_trap();
    }
    return 0;
}
