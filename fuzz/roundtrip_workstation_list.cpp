// Workstation list: workstations with texts of the input's choosing are written by the
// program's writer and read back equal, or refused by it with its reason.
// LIBS: tarvelin_storage tarvelin_platform_core
#include "fuzz/roundtrip_support.h"
#include "storage/workstation_files.h"

using roundtrip::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    roundtrip::Input in(data, size, {QStringLiteral("stanowisko"), QStringLiteral("struktura_dane")});
    storage::WorkstationList list;
    for (int n = in.Number(0, 4); n > 0; --n)
        list.push_back(std::make_unique<storage::TStanowisko>(in.Text(), in.Text(), in.Text()));
    if (!storage::StorableWorkstationList(QStringLiteral("struktura_dane.xml"), list))
        return 0;
    storage::WorkstationList back;
    QString version;
    Require(storage::ParseWorkstationList(fuzzsupport::WrittenLines(storage::WorkstationListLines(list), false), back,
                                          version));
    Require(version == storage::DataVersion() && back.size() == list.size());
    for (size_t i = 0; i < list.size(); ++i)
        Require(back[i]->id == list[i]->id && back[i]->nazwa == list[i]->nazwa &&
                back[i]->kat_dane == list[i]->kat_dane);
    return 0;
}
