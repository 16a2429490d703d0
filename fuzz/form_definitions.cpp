// Feeds the measurement form definition reader with arbitrary definitions (the same bytes
// serve as the included part, so includes nest) against a small catalogue.
// LIBS: tarvelin_storage tarvelin_platform_core
#include "fuzz/fuzz_support.h"
#include "platform/tarvelin_error.h"
#include "storage/catalogue_index.h"
#include "storage/form_definition_files.h"

#include <cstddef>
#include <cstdint>

namespace {

std::shared_ptr<const storage::CatalogueIndex> chemicalCatalogue()
{
    static const auto index = storage::BuildCatalogueIndex(std::make_shared<const QStringList>(
        storage::TextXmlLinesFromBytes("<?xml?>\r\n<czynchem ver=\"1.0\">\r\n <czynnik id=\"7\" nazwa=\"A\">\r\n"
                                       "  <param nds=\"-1\" ndsch=\"5\" ndsp=\"-1\" typ=\"3\">\r\n </czynnik>\r\n"
                                       "</czynchem>\r\n",
                                       false)));
    return index;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const auto lines = std::make_shared<const QStringList>(fuzzsupport::Lines(data, size, true));
    storage::FormDefinitionFiles files;
    files.lines = [&](const QString &) { return lines; };
    files.catalogue = [](storage::CatalogueKind kind) {
        if (kind != storage::CatalogueChemical)
            throw platform::TarvelinError(platform::FileAccessErrorText());
        return chemicalCatalogue();
    };
    for (bool preview : {false, true}) {
        storage::TPomiarList items;
        try {
            storage::FormRootInfo root;
            storage::ParseMeasurementForm(*lines, QStringLiteral("zaklocen\\frm\\chemiczny_frm_1.xml"), items, 7,
                                          files, storage::FormReadOptions{preview}, &root);
        } catch (const platform::TarvelinError &) {
            if (!items.empty())
                __builtin_trap(); // nothing half-read is handed out
        }
        for (const auto &p : items) {
            if (p->typ() != QLatin1String("page") && p->typ() != QLatin1String("naglowek") &&
                int(p->Values().size()) != p->ile())
                __builtin_trap();
            for (size_t k = 0; k < p->Values().size(); ++k)
                if (p->Values()[k].nr != int(k) + 1)
                    __builtin_trap();
        }
    }
    return 0;
}
