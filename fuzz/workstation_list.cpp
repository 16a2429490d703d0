// Feeds the workstation list reader with arbitrary files; whatever it reads must write
// back and read again to the same workstations, and that list cut short anywhere before its
// closing line must be refused, never read as a whole list with fewer workstations.
// LIBS: tarvelin_storage tarvelin_platform_core
#include "fuzz/fuzz_support.h"
#include "storage/workstation_files.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    storage::WorkstationList list;
    QString version;
    storage::ParseWorkstationList(fuzzsupport::Lines(data, size, false), list, version);
    // What was read is written back as it is, unless the writer refuses it and says why.
    const bool plain = bool(storage::StorableWorkstationList(QStringLiteral("struktura_dane.xml"), list));
    storage::WorkstationList back;
    QString backVersion;
    const bool whole = storage::ParseWorkstationList(
        fuzzsupport::WrittenLines(storage::WorkstationListLines(list), false), back, backVersion);
    if (!plain)
        return 0;
    if (!whole || backVersion != storage::DataVersion() || back.size() != list.size())
        __builtin_trap();
    const QByteArray written = storage::TextXmlFileBytes(storage::WorkstationListLines(list));
    const QByteArray cut = written.left(qsizetype(size) % (written.lastIndexOf("</struktura_dane>") + 1));
    storage::WorkstationList partial;
    QString partialVersion;
    if (storage::ParseWorkstationList(storage::TextXmlLinesFromBytes(cut, false), partial, partialVersion) ||
        partial.size() > list.size())
        __builtin_trap();
    for (size_t i = 0; i < list.size(); ++i)
        if (back[i]->nazwa != list[i]->nazwa || back[i]->id != list[i]->id || back[i]->kat_dane != list[i]->kat_dane)
            __builtin_trap();
    return 0;
}
