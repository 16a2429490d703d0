// Feeds the chemical, biological and dust catalogue readers, the lookups and the form
// correction with arbitrary catalogue files.
// LIBS: tarvelin_storage tarvelin_platform_core
#include "fuzz/fuzz_folder.h"
#include "platform/paths.h"
#include "platform/tarvelin_error.h"
#include "storage/catalogue_files.h"
#include "storage/file_cache.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

namespace {

void setup(const QDir &dir)
{
    dir.mkpath(QStringLiteral("poradn"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzzsupport::Folder(setup);
    storage::ClearCatalogueCache();
    storage::ClearFileCache();
    for (const char *name : {"poradn/czynchem.xml", "poradn/czynbiol.xml", "poradn/czynpyly.xml"}) {
        QFile f(fuzzsupport::Folder(setup).filePath(QString::fromLatin1(name)));
        if (f.open(QIODevice::WriteOnly))
            f.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
    }
    const QString version = QStringLiteral("1.0");
    try {
        storage::ChemicalFilter all;
        all.currentOnly = false;
        const auto chem = storage::ReadChemicalCatalogue(storage::ChemicalCataloguePath(), all, version);
        storage::ChemicalFilter masks;
        masks.oldMask = 0x10f;
        masks.newMask = 0xfffff;
        masks.clp = size % 2 == 0;
        const auto some = storage::ReadChemicalCatalogue(storage::ChemicalCataloguePath(), masks, version);
        if (some.size() > chem.size())
            __builtin_trap();
        storage::ChemicalFilter search;
        search.search = QStringLiteral("Ę1");
        (void)storage::ReadChemicalCatalogue(storage::ChemicalCataloguePath(), search, version);
    } catch (const platform::TarvelinError &) {
    }
    try {
        const auto all = storage::ReadBiologicalCatalogue(storage::BiologicalCataloguePath(), QStringLiteral("0"), version);
        const auto some = storage::ReadBiologicalCatalogue(storage::BiologicalCataloguePath(), QStringLiteral("013"), version);
        if (some.size() > all.size())
            __builtin_trap();
    } catch (const platform::TarvelinError &) {
    }
    storage::TPomiarList fields;
    const char *names[] = {"NDS", "NDSCh", "NDSP", "Typ", "SumNDS", "cbSumNDS", "PylCalk", "PylResp", "WlkResp", "DodOzn",
                           "DodOznTxt1", "UszGrZagr", "GrZagr", "lNDSP"};
    for (int id : {1, 2, 80001, 25020}) {
        for (const char *n : names) {
            auto p = std::make_unique<storage::TPomiar>();
            p->nazwa = QString::fromLatin1(n);
            for (int kind = 1; kind <= 3; ++kind)
                p->Value = storage::ReadCatalogueParam(QStringLiteral("0"), p->nazwa, id,
                                                       static_cast<storage::CatalogueKind>(kind));
            fields.push_back(std::move(p));
        }
        (void)storage::ReadCatalogueName(id, 1);
        (void)storage::ReadCatalogueName(id, 2);
    }
    for (int kind = 1; kind <= 3; ++kind)
        storage::ApplyCatalogueValuesToForm(fields, static_cast<storage::CatalogueKind>(kind), kind == 1);
    return 0;
}
