#pragma once

// Statutory documents: their definitions (pages and fields), the list of stored documents
// of one kind and the data file of one document. All three are line-oriented text-XML files
// in Windows-1250.

#include "storage/storage_result.h"
#include "storage/text_xml.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace storage {

// A value slot of a document field; `nr` counts from 1.
class TDokumWart
{
public:
    TDokumWart(int nr_, const QString &wartosc_) : nr(nr_), wartosc(wartosc_) {}
    int nr;
    QString wartosc;
};

// A print position of a field (the "suma" texts of the printed forms).
class TDrukPoz
{
public:
    TDrukPoz(const QString &druk_, const QString &etyk_, const QString &zal_) : druk(druk_), etyk(etyk_), zal(zal_) {}
    QString druk;
    QString etyk;
    QString zal;
};

// An item of a document definition: a page (typ "page") or a field.
class TDokum
{
public:
    TDokum(int PageNr_, int ile_, int rozm_, int szer_, int wys_, const QString &PageName_, const QString &nazwa_,
           const QString &typ_, const QString &druk_, const QString &etyk_, const QString &zal_, const QString &ppow_,
           const QString &tekst_)
        : PageNr(PageNr_), PageName(PageName_), nazwa(nazwa_), typ(typ_), druk(druk_), rozm(rozm_), szer(szer_),
          wys(wys_), ile(ile_), etyk(etyk_), zal(zal_), ppow(ppow_), tekst(tekst_)
    {
    }
    int PageNr;
    QString PageName;
    QString nazwa;
    QString typ;
    QString druk;
    int rozm;
    int szer;
    int wys;
    int ile;
    QString etyk;
    QString zal;
    QString ppow;
    std::vector<TDokumWart> Values;
    std::vector<TDrukPoz> PrintPositions;
    QString tekst;

    // Slot k (1-based) or nullptr when the field has no such slot.
    TDokumWart *Slot(int k);
    const TDokumWart *Slot(int k) const;
    // Whether the item's values are stored in data files.
    bool IsStored() const;
};

// An entry of a document list.
class TListDokum
{
public:
    TListDokum(int nr_, const QString &data_, const QString &rodzinf_, const QString &wer_dok_)
        : nr(nr_), data(data_), rodzinf(rodzinf_), wer_dok(wer_dok_)
    {
    }
    int nr;
    QString data;
    QString rodzinf;
    QString wer_dok;
};

using TDokumList = std::vector<std::unique_ptr<TDokum>>;
using TListDokumList = std::vector<std::unique_ptr<TListDokum>>;

// A document definition as the document window holds it: its pages and fields with their
// value slots, and the names the root lines give. The definition's root names the kind's
// folder and its list file; once the list of stored documents is read, its root names the
// folder again, the data file name, and the fields an entry's date and description come
// from.
class TDocumentDefinition
{
public:
    TDokumList Items;
    QString Katalog;  // `katalog`: the kind's folder below the data folder ("protpow\")
    QString Plik;     // `plik`: the list file (definition), then the data file name (list)
    QString PData;    // the list's `pData`: the field(s) an entry's date is taken from
    QString PRodzInf; // the list's `pRodzInf`: the field(s) an entry's description is taken from
};

// The form version in a definition file name: "protpow_frm_2.xml" gives "2",
// "kartwyp_frm.xml" gives "". A version that is not a number is still returned, and
// isNumber (if given) says whether it is one; the caller shows "Błąd odczytu wersji!"
// (VersionReadErrorText) for one that is not.
QString ExtractFormVersion(const QString &fileName, bool *isNumber = nullptr);
QString VersionReadErrorText();

// Reads a definition (stored path relative to the program folder): appends its pages and
// fields to definition.Items and takes its root's `katalog` and `plik`. Returns false when
// its `ver` is not the configuration's (nothing is appended). A missing file, a number that
// is not one, a page never closed or a file cut short raise StorageError; the items then
// stay as they were.
bool ReadDocumentForm(const QString &relPath, TDocumentDefinition &definition);
// The same for the pages and fields alone.
bool ReadDocumentForm(const QString &relPath, TDokumList &items);
// The same on the file's lines (cut); relPath names the file in messages and its root.
bool ParseDocumentForm(QStringList lines, const QString &relPath, TDocumentDefinition &definition);

// Block reader of one page, from start: appends the page's fields to items and returns the
// index of the line that closes the page, or -1 when no line does.
int ReadDocumentFormPage(const QStringList &lines, TDokumList &items, int start, int pageNr, const QString &pageName);

// Reads a document list and appends its entries; its root's `pData`, `pRodzInf`,
// `katalog` and `plik` go into definition when one is given. shownFormVersion is the
// version in the file name of the definition shown (empty when it has none): entries
// without `wer_dok` then read as "1". Returns false when the list's `ver` is not the
// configuration's (no entry is appended). A missing file or a malformed list raises
// StorageError; the entries read before the fault are appended to list first, and the
// file is marked damaged, so it is not written over.
bool ReadDocumentList(const QString &path, TListDokumList &list, const QString &shownFormVersion,
                      TDocumentDefinition *definition = nullptr);
// The same on the file's lines (cut); path names the file in messages and its root.
bool ParseDocumentList(QStringList lines, const QString &path, TListDokumList &list, const QString &shownFormVersion,
                       TDocumentDefinition *definition = nullptr);

// Writes dataFolder + name + ".xml" from the entries, with the definition's `pData`,
// `pRodzInf` and `katalog` and the given `plik`. Fails with "Błąd dostępu do pliku" when
// the file could not be written; it is then left as it was.
StorageResult WriteDocumentList(const QString &dataFolder, const QString &name, const TDocumentDefinition &definition,
                                const QString &plik, const TListDokumList &list);
// The lines it writes after the declaration, and its refusal (naming path) of a text the
// list cannot hold as it is (a line break, a character outside Windows-1250).
QStringList DocumentListLines(const QString &name, const TDocumentDefinition &definition, const QString &plik,
                              const TListDokumList &list);
StorageResult StorableDocumentList(const QString &path, const TDocumentDefinition &definition, const QString &plik,
                                   const TListDokumList &list);

// Writes dataFolder + katalog + name + ".xml" from the stored fields of items, then the
// storedOnlyEntries lines as they were read. The folder is created when missing. Fails with
// "Błąd dostępu do pliku".
StorageResult WriteDocumentData(const QString &dataFolder, const QString &katalog, const QString &name,
                                const TDokumList &items, const QStringList &storedOnlyEntries = {});
// The lines it writes after the declaration, and its refusal of a value holding "</" (it
// would end the value), a CR or a character outside Windows-1250.
QStringList DocumentDataLines(const QString &name, const TDokumList &items, const QStringList &storedOnlyEntries = {});
StorageResult StorableDocumentData(const QString &path, const TDokumList &items);

// A document's data file as WriteDocumentData writes it.
struct DocumentSave
{
    const QString &dataFolder;
    const QString &katalog;
    const QString &name;
    const TDokumList &items;
    const QStringList &storedOnlyEntries;
};
// A document with its list (listName + ".xml" in the data folder): both files or neither, so
// the list never names a document whose data did not change with it.
StorageResult WriteDocumentWithList(const DocumentSave &data, const QString &listName,
                                    const TDocumentDefinition &definition, const QString &plik,
                                    const TListDokumList &list);

// Reads dataFolder + katalog + fileName into the value slots of items. Every slot is emptied
// first, so nothing of another document remains. A file that cannot be opened fails with
// "Błąd dostępu do pliku" (warning), one that does not name itself on its root line or is
// cut short with "Niepoprawna struktura pliku z danymi" (error), each naming the file; a
// file cut short leaves what could be read in the slots and is marked damaged, so it is
// not written over.
// Entries naming a field the definition no longer has (a model that dropped an item) go to
// storedOnlyEntries, when given, as their whole lines, so a save can keep them.
StorageResult ReadDocumentData(const QString &dataFolder, const QString &katalog, const QString &fileName,
                               TDokumList &items, QStringList *storedOnlyEntries = nullptr);
// The same on the file's lines (uncut); fileName (a stored path or a name) gives the root
// the file must name, and is named in the messages.
StorageResult ParseDocumentData(QStringList lines, const QString &fileName, TDokumList &items,
                                QStringList *storedOnlyEntries = nullptr);

// The data file name of document nr: plik up to its first "." + "_" + nr + ".xml".
QString DocumentDataFileName(const QString &plik, int nr);

// The lowest number above highest whose data file does not exist yet, so a new document
// never takes over the file of another one.
int NextFreeDocumentNumber(const QString &dataFolder, const QString &katalog, const QString &plik, int highest);

} // namespace storage
