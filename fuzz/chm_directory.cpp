// Feeds the help file directory reader with arbitrary bytes: it either lists entries that
// lie where it says or refuses the file, and never reads outside the bytes.
// LIBS: tarvelin_storage
#include "storage/chm_directory.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const auto dir = storage::ParseChmDirectory(bytes);
    if (dir) {
        if (dir->entries.empty())
            __builtin_trap(); // a sound file lists something
        (void)dir->Contains(QStringLiteral("/#IVB"));
    }
    return 0;
}
