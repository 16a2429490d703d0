// Feeds the document data reader with arbitrary files, against a small definition.
// LIBS: tarvelin_storage tarvelin_platform_core
#include "fuzz/fuzz_support.h"
#include "storage/document_files.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    storage::TDokumList items;
    auto add = [&](const char *name, const char *typ, int ile) {
        auto item = std::make_unique<storage::TDokum>(1, ile, 100, 100, 0, QStringLiteral("p"),
                                                      QString::fromLatin1(name), QString::fromLatin1(typ), QString(),
                                                      QString(), QString(), QString(), QString());
        for (int k = 1; k <= ile; ++k)
            item->Values.emplace_back(k, QStringLiteral("stare"));
        items.push_back(std::move(item));
    };
    add("a", "edit", 1);
    add("b", "memo", 1);
    add("c", "form", 3);
    const bool ok =
        storage::ParseDocumentData(fuzzsupport::Lines(data, size, false), QStringLiteral("x_dane_1.xml"), items).ok();
    for (const auto &item : items) {
        if (int(item->Values.size()) != item->ile)
            __builtin_trap();
        for (const auto &slot : item->Values)
            if (slot.wartosc == QLatin1String("stare") || (!ok && !slot.wartosc.isEmpty()))
                __builtin_trap(); // nothing of the previous document survives a read
    }
    return 0;
}
