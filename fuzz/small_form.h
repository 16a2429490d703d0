#pragma once

// The measurement form the measurement targets read their items from: one page, one header
// and one field of each stored kind, read from bytes, with every further definition file
// missing, so nothing touches the disk.

#include "fuzz/fuzz_support.h"
#include "platform/tarvelin_error.h"
#include "storage/form_definition_files.h"

namespace fuzzsupport {

// Definition files that are never there: a reader asking for one gets the access failure.
inline storage::FormDefinitionFiles NoDefinitionFiles()
{
    storage::FormDefinitionFiles none;
    none.lines = [](const QString &) -> std::shared_ptr<const QStringList> {
        throw platform::TarvelinError(platform::FileAccessErrorText());
    };
    none.catalogue = [](storage::CatalogueKind) -> std::shared_ptr<const storage::CatalogueIndex> {
        throw platform::TarvelinError(platform::FileAccessErrorText());
    };
    return none;
}

// The items of the one form version there is ("1"), read once.
inline const storage::TPomiarList &SmallFormItems()
{
    static const storage::TPomiarList items = [] {
        storage::TPomiarList read;
        storage::ParseMeasurementForm(
            storage::TextXmlLinesFromBytes(
                "<?xml?>\r\n<met5Krok_frm function=\"met5Krok_Pomiar_01\">\r\n<page nr=\"1\" nazwa=\"A\">\r\n"
                "<naglowek nazwa=\"H\" etyk=\"a;b\">\r\n<wiersz>\r\n<pole nazwa=\"A\" typ=\"edit\">0</pole>\r\n"
                "<pole nazwa=\"B\" typ=\"combo\"></pole>\r\n<pole nazwa=\"C\" typ=\"memo\"></pole>\r\n"
                "<pole nazwa=\"D\" typ=\"label\"></pole>\r\n</wiersz>\r\n</naglowek>\r\n</page>\r\n"
                "</met5Krok_frm>\r\n"),
            QStringLiteral("zaklocen\\frm\\met5Krok_frm_1.xml"), read, 100001, NoDefinitionFiles());
        return read;
    }();
    return items;
}

// A measurement's fields for its form version; another version's definition is missing.
inline void SmallFormFields(const QString &ver, storage::TPomiarList &fields)
{
    if (ver != QLatin1String("1"))
        throw platform::TarvelinError(platform::FileAccessErrorText());
    for (const auto &p : SmallFormItems())
        fields.push_back(p->Clone());
}

} // namespace fuzzsupport
