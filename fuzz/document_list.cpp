// Feeds the document list reader with arbitrary files.
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
    fuzzsupport::Put(QStringLiteral("d/x_lista.xml"), data, size);
    storage::TListDokumList list;
    try {
        const bool accepted = storage::ReadDocumentList(QStringLiteral("d\\x_lista.xml"), list, QStringLiteral("2"));
        if (!accepted && !list.empty())
            __builtin_trap();
    } catch (const platform::TarvelinError &) {
        if (!list.empty())
            __builtin_trap();
    }
    return 0;
}
