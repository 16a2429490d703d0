// Feeds the document data reader with arbitrary files, against a small definition.
// LIBS: tarvelin_storage tarvelin_platform_core
#include "fuzz/fuzz_support.h"
#include "storage/document_files.h"

#include <algorithm>
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
    const QStringList lines = fuzzsupport::Lines(data, size, false);
    QStringList storedOnly{QStringLiteral("stare\nwpisy")}; // no line of a file holds a line break
    const bool ok = storage::ParseDocumentData(lines, QStringLiteral("x_dane_1.xml"), items, &storedOnly).ok();
    // Entries of fields the definition lacks are kept as lines of the file between its root
    // lines, each once; a refused file keeps none.
    if ((!ok && !storedOnly.isEmpty()) || storedOnly.size() > std::max<qsizetype>(0, lines.size() - 3) ||
        storedOnly.contains(QStringLiteral("stare\nwpisy")))
        __builtin_trap();
    for (const auto &item : items) {
        if (int(item->Values.size()) != item->ile)
            __builtin_trap();
        for (const auto &slot : item->Values)
            if (slot.wartosc == QLatin1String("stare"))
                __builtin_trap(); // nothing of the previous document survives a read (a refused
                                  // one shows what could be read of it)
    }
    return 0;
}
