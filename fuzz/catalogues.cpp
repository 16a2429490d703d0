// Feeds the chemical, biological and dust catalogue readers, the lookups and the form
// correction with arbitrary catalogue files.
// LIBS: tarvelin_storage tarvelin_platform_core
#include "fuzz/fuzz_support.h"
#include "platform/tarvelin_error.h"
#include "storage/catalogue_files.h"
#include "storage/catalogue_index.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The lookups read the file uncut, the catalogue panels cut.
    const auto uncut = std::make_shared<const QStringList>(fuzzsupport::Lines(data, size, false));
    QStringList lines = *uncut;
    storage::CutLines(lines);
    const QString version = QStringLiteral("1.0");
    try {
        storage::ChemicalFilter all;
        all.currentOnly = false;
        const QString path = storage::ChemicalCataloguePath();
        const auto chem = storage::ParseChemicalCatalogue(lines, path, all, version);
        storage::ChemicalFilter masks;
        masks.oldMask = 0x10f;
        masks.newMask = 0xfffff;
        masks.clp = size % 2 == 0;
        const auto some = storage::ParseChemicalCatalogue(lines, path, masks, version);
        if (some.size() > chem.size())
            __builtin_trap();
        storage::ChemicalFilter search;
        search.search = QStringLiteral("Ę1");
        (void)storage::ParseChemicalCatalogue(lines, path, search, version);
    } catch (const platform::TarvelinError &) {
    }
    try {
        const QString path = storage::BiologicalCataloguePath();
        const auto all = storage::ParseBiologicalCatalogue(lines, path, QStringLiteral("0"), version);
        const auto some = storage::ParseBiologicalCatalogue(lines, path, QStringLiteral("013"), version);
        if (some.size() > all.size())
            __builtin_trap();
    } catch (const platform::TarvelinError &) {
    }
    // Every kind of catalogue is indexed alike.
    const auto index = storage::BuildCatalogueIndex(uncut);
    storage::TPomiarList fields;
    static const QString names[] = {"NDS",     "NDSCh",   "NDSP",   "Typ",        "SumNDS",    "cbSumNDS",
                                    "PylCalk", "PylResp", "WlkResp", "DodOzn",    "DodOznTxt1", "UszGrZagr",
                                    "GrZagr",  "lNDSP"};
    for (int id : {1, 2, 80001, 25020}) {
        for (const QString &n : names) {
            auto p = std::make_unique<storage::TPomiar>();
            p->EditDefinition().nazwa = n;
            p->Value = storage::CatalogueParam(*index, QStringLiteral("0"), p->nazwa(), id);
            fields.push_back(std::move(p));
        }
        (void)storage::CatalogueName(*index, id);
    }
    for (int kind = 1; kind <= 3; ++kind)
        storage::ApplyCatalogueValuesToForm(fields, static_cast<storage::CatalogueKind>(kind), kind == 1);
    return 0;
}
