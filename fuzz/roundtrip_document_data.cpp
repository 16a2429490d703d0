// Document data: fields named by the input, their slots holding texts of its choosing (memo
// lines too), are written by the program's writer and read back equal, or refused by it
// with its reason.
// LIBS: tarvelin_storage tarvelin_platform_core
#include "fuzz/roundtrip_support.h"
#include "storage/config_version.h"
#include "storage/document_files.h"

#include <set>

using roundtrip::Require;

namespace {

const char *const kKinds[] = {"edit", "combo", "memo", "form"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    roundtrip::Input in(data, size, {QStringLiteral("x_dane_1"), QStringLiteral("dane")});
    storage::ConfigVersion() = QStringLiteral("1.0");
    storage::TDokumList items, definition;
    std::set<std::pair<QString, QString>> names;
    for (int n = in.Number(1, 4); n > 0; --n) {
        const QString nazwa = in.Text();
        const QString typ = QString::fromLatin1(kKinds[in.Number(0, 3)]);
        if (!names.insert({nazwa, typ}).second)
            return 0; // the definition names each field once
        const int ile = in.Number(1, 3);
        for (storage::TDokumList *list : {&items, &definition}) {
            auto item = std::make_unique<storage::TDokum>(1, ile, 10, 10, 0, QStringLiteral("p"), nazwa, typ, QString(),
                                                          QString(), QString(), QString(), QString());
            for (int k = 1; k <= ile; ++k)
                item->Values.emplace_back(k, list == &items ? in.Text() : QString());
            list->push_back(std::move(item));
        }
    }
    if (!storage::StorableDocumentData(QStringLiteral("x_dane_1.xml"), items))
        return 0;
    const QStringList lines = storage::DocumentDataLines(QStringLiteral("x_dane_1"), items);
    QStringList storedOnly;
    Require(storage::ParseDocumentData(fuzzsupport::WrittenLines(lines, false), QStringLiteral("x_dane_1.xml"),
                                       definition, &storedOnly)
                .ok());
    Require(storedOnly.isEmpty());
    for (size_t i = 0; i < items.size(); ++i)
        for (size_t k = 0; k < items[i]->Values.size(); ++k)
            Require(definition[i]->Values[k].wartosc == items[i]->Values[k].wartosc);
    return 0;
}
