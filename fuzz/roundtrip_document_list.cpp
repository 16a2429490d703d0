// Document list: the root's field names and folders and entries with texts of the input's
// choosing are written by the program's writer and read back equal, or refused by it with
// its reason.
// LIBS: tarvelin_storage tarvelin_platform_core
#include "fuzz/roundtrip_support.h"
#include "storage/config_version.h"
#include "storage/document_files.h"

using roundtrip::Require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    roundtrip::Input in(data, size, {QStringLiteral("x_lista"), QStringLiteral("pole")});
    storage::ConfigVersion() = QStringLiteral("1.0");
    storage::TDocumentDefinition definition;
    definition.PData = in.Text();
    definition.PRodzInf = in.Text();
    definition.Katalog = in.Text();
    const QString plik = in.Text();
    storage::TListDokumList list;
    for (int n = in.Number(0, 4); n > 0; --n)
        list.push_back(std::make_unique<storage::TListDokum>(in.Number(1, 99), in.Text(), in.Text(), in.Text()));
    const QString path = QStringLiteral("dokumenty\\x_lista.xml");
    if (!storage::StorableDocumentList(path, definition, plik, list))
        return 0;
    const QStringList lines = storage::DocumentListLines(QStringLiteral("x_lista"), definition, plik, list);
    storage::TListDokumList back;
    storage::TDocumentDefinition read;
    Require(storage::ParseDocumentList(fuzzsupport::WrittenLines(lines, true), path, back, QString(), &read));
    Require(read.PData == definition.PData && read.PRodzInf == definition.PRodzInf &&
            read.Katalog == definition.Katalog && read.Plik == plik && back.size() == list.size());
    for (size_t i = 0; i < list.size(); ++i)
        Require(back[i]->nr == list[i]->nr && back[i]->data == list[i]->data && back[i]->rodzinf == list[i]->rodzinf &&
                back[i]->wer_dok == list[i]->wer_dok);
    return 0;
}
