// Feeds the measurement form definition reader with arbitrary definitions (the same bytes
// serve as the included part, so includes nest) against a small catalogue.
// LIBS: tarvelin_storage tarvelin_platform_core
#include "fuzz/fuzz_folder.h"
#include "platform/paths.h"
#include "platform/tarvelin_error.h"
#include "storage/file_cache.h"
#include "storage/catalogue_files.h"
#include "storage/form_definition_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

namespace {

void setup(const QDir &dir)
{
    dir.mkpath(QStringLiteral("zaklocen/frm/zalaczn"));
    dir.mkpath(QStringLiteral("poradn"));
    QFile c(dir.filePath(QStringLiteral("poradn/czynchem.xml")));
    if (c.open(QIODevice::WriteOnly))
        c.write("<?xml?>\r\n<czynchem ver=\"1.0\">\r\n <czynnik id=\"7\" nazwa=\"A\">\r\n"
                "  <param nds=\"-1\" ndsch=\"5\" ndsp=\"-1\" typ=\"3\">\r\n </czynnik>\r\n</czynchem>\r\n");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzzsupport::Folder(setup);
    storage::ClearFileCache();
    storage::ClearCatalogueCache();
    fuzzsupport::Put(QStringLiteral("zaklocen/frm/chemiczny_frm_1.xml"), data, size);
    fuzzsupport::Put(QStringLiteral("zaklocen/frm/zalaczn/mech_frm_7.xml"), data, size);
    for (bool preview : {false, true}) {
        storage::TPomiarList items;
        try {
            storage::FormRootInfo root;
            storage::ReadMeasurementForm(QStringLiteral("zaklocen\\frm\\chemiczny_frm_1.xml"), items, 7,
                                         storage::FormReadOptions{preview}, &root);
        } catch (const platform::TarvelinError &) {
            if (!items.empty())
                __builtin_trap(); // nothing half-read is handed out
        }
        for (const auto &p : items) {
            if (p->typ != QLatin1String("page") && p->typ != QLatin1String("naglowek") &&
                int(p->Values.size()) != p->ile)
                __builtin_trap();
            for (size_t k = 0; k < p->Values.size(); ++k)
                if (p->Values[k]->nr != int(k) + 1)
                    __builtin_trap();
        }
    }
    return 0;
}
