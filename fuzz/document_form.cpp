// Feeds the document definition reader with arbitrary files.
// LIBS: tarvelin_storage tarvelin_platform_core
#include "fuzz/fuzz_folder.h"
#include "platform/paths.h"
#include "platform/tarvelin_error.h"
#include "storage/config_version.h"
#include "storage/document_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

namespace {

void setup(const QDir &dir)
{
    dir.mkpath(QStringLiteral("d/k"));
    storage::ConfigVersion() = QStringLiteral("1.0");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzzsupport::Folder(setup);
    fuzzsupport::Put(QStringLiteral("d/x_frm_2.xml"), data, size);
    storage::TDokumList items;
    try {
        storage::ReadDocumentForm(QStringLiteral("d\\x_frm_2.xml"), items);
    } catch (const platform::TarvelinError &) {
        if (!items.empty())
            __builtin_trap(); // a refused definition appends nothing
    }
    for (const auto &item : items)
        if (int(item->Values.size()) != item->ile || item->ile < 0 || item->ile > 100)
            __builtin_trap();
    return 0;
}
