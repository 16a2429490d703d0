// Feeds the page decoder with arbitrary code, and checks that coding any bytes and
// decoding them gives the same bytes and consumes exactly the code.
// LIBS: tarvelin_reportengine_core tarvelin_platform_core
#include "reportengine/vr_stream.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    if (size >= 2) {
        // The count a file could claim: at most 8 symbols per code byte.
        const qint64 count = (data[0] | (data[1] << 8)) % (8 * static_cast<qint64>(size - 2) + 1);
        qint64 consumed = 0;
        const QByteArray out = reportengine::TVRCompress::ExpandBytes(bytes.constData() + 2, bytes.size() - 2, count,
                                                                      &consumed);
        if (out.size() != count)
            __builtin_trap();
    }
    const QByteArray code = reportengine::TVRCompress::CompressBytes(bytes);
    qint64 consumed = 0;
    const QByteArray back = reportengine::TVRCompress::ExpandBytes(code.constData(), code.size(), bytes.size(), &consumed);
    if (back != bytes || consumed != code.size())
        __builtin_trap();
    return 0;
}
