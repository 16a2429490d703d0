// Feeds the stored report file reader with arbitrary bytes: header detection, record
// and link checks, coded pages and the page picture check.
// LIBS: tarvelin_reportengine_core tarvelin_platform_core
#include "platform/tarvelin_error.h"
#include "reportengine/vr_page_list.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // Pages decoded on the calling thread: what one input allocates it frees before the
    // next, so the fuzzer's leak check has nothing to chase between inputs.
    static const bool oneThread = [] {
        reportengine::TVRPageList::SetCoderThreads(0);
        return true;
    }();
    (void)oneThread;
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    reportengine::TVRPageList list;
    try {
        list.LoadFromStream(reportengine::TVRStream::CreateFromBytes(bytes), QStringLiteral("fuzz.vrp"));
    } catch (const platform::TarvelinError &) {
        if (list.PageCount() != 0)
            __builtin_trap(); // a refused file must leave the list as it was
        return 0;
    }
    // Every page the loader accepted is read in an order that walks both ways.
    const int count = list.PageCount();
    for (int n : {count, 1, count / 2, count + 1, 0}) {
        try {
            const auto page = list.GetPage(n);
            if ((n < 1 || n > count) && page)
                __builtin_trap();
        } catch (const platform::TarvelinError &) {
        }
    }
    return 0;
}
