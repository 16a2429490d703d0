#include "storage/document_files.h"

#include "platform/paths.h"
#include "platform/tarvelin_error.h"
#include "platform/text_file.h"
#include "storage/config_version.h"
#include "storage/damaged_files.h"
#include "storage/save_folder.h"
#include "storage/storage_errors.h"
#include "storage/text_xml.h"

#include <QDir>
#include <QFileInfo>
#include <QScopeGuard>
#include <algorithm>

namespace storage {

namespace {

// More value slots than any printed form has boxes for means a damaged definition; building
// that many rows would only make the window unusable.
constexpr int MaxSlots = 100;

QString definitionStructureError(const QString &relPath)
{
    return QStringLiteral("Niepoprawna struktura pliku definicji dokumentu : ") + relPath;
}

QString listStructureError(const QString &path)
{
    return QStringLiteral("Niepoprawna struktura pliku listy dokumentów : ") + path;
}

QString dataStructureErrorText()
{
    return QStringLiteral("Niepoprawna struktura pliku z danymi");
}

bool isInputKind(const QString &typ)
{
    return typ == QLatin1String("edit") || typ == QLatin1String("combo") || typ == QLatin1String("memo");
}

// Blank lines after the closing root line (an editor's habit) are not part of the file's
// structure: the closing line stays the last one.
void dropTrailingBlankLines(QStringList &lines)
{
    while (lines.size() > 2 && lines.last().trimmed().isEmpty())
        lines.removeLast();
}

void clearSlots(TDokumList &items)
{
    for (auto &item : items)
        for (auto &slot : item->Values)
            slot.wartosc.clear();
}

} // namespace

TDokumWart *TDokum::Slot(int k)
{
    if (k < 1 || k > int(Values.size()))
        return nullptr;
    return &Values[size_t(k - 1)];
}

const TDokumWart *TDokum::Slot(int k) const
{
    if (k < 1 || k > int(Values.size()))
        return nullptr;
    return &Values[size_t(k - 1)];
}

bool TDokum::IsStored() const
{
    return typ == QLatin1String("form") || isInputKind(typ);
}

QString VersionReadErrorText()
{
    return QStringLiteral("Błąd odczytu wersji!");
}

QString ExtractFormVersion(const QString &fileName, bool *isNumber)
{
    if (isNumber)
        *isNumber = true;
    const qsizetype p = fileName.indexOf(QLatin1String("_frm"));
    if (p < 0)
        return QString();
    const QString rest = fileName.mid(p + 4);
    const qsizetype underscore = rest.indexOf('_');
    if (underscore < 0)
        return QString();
    QString version = rest.mid(underscore + 1);
    const qsizetype dot = version.indexOf('.');
    if (dot >= 0)
        version.truncate(dot);
    bool ok = false;
    version.toInt(&ok);
    if (isNumber)
        *isNumber = ok;
    return version;
}

int ReadDocumentFormPage(const QStringList &lines, TDokumList &items, int start, int pageNr, const QString &pageName)
{
    TDokum *lastField = nullptr;
    for (int i = start; i >= 0 && i < lines.size(); ++i) {
        const QString &line = lines[i];
        const ElementTag tag(line);
        if (tag.Opens(u"pole")) {
            const QString nazwa = tag.Value(u"nazwa");
            const QString typ = tag.Value(u"typ");
            const QString druk = tag.Value(u"druk");
            const QString ppow = tag.Value(u"ppow");
            const int rozm = ToInt(tag.Value(u"rozm"));
            const int szer = ToInt(tag.Value(u"szer"));
            const int wys = ToInt(tag.Value(u"wys"));
            int ile = ToInt(tag.Value(u"ile"));
            const QString etyk = tag.Value(u"etyk");
            const QString zal = tag.Value(u"zal");
            const QString tekst = tag.Text();
            if (ile < 0 || ile > MaxSlots)
                return -2;
            // An edit, choice list or memo always has its one control and so needs its one
            // slot; without it the typed text would have nowhere to go.
            if (ile < 1 && isInputKind(typ))
                ile = 1;
            auto item = std::make_unique<TDokum>(pageNr, ile, rozm, szer, wys, pageName, nazwa, typ, druk, etyk, zal,
                                                 ppow, tekst);
            item->Values.reserve(size_t(ile));
            for (int k = 1; k <= ile; ++k)
                item->Values.emplace_back(k, QString());
            lastField = item.get();
            items.push_back(std::move(item));
        } else if (line.startsWith(QLatin1String("<poz")) && tag.Opens(u"poz")) {
            if (lastField)
                lastField->PrintPositions.emplace_back(tag.Value(u"druk"), tag.Value(u"etyk"), tag.Value(u"zal"));
        } else if (line.startsWith(QLatin1String("</page"))) {
            return i;
        }
    }
    return -1;
}

bool ReadDocumentForm(const QString &relPath, TDokumList &items)
{
    TDocumentDefinition definition;
    if (!ReadDocumentForm(relPath, definition))
        return false;
    for (auto &item : definition.Items)
        items.push_back(std::move(item));
    return true;
}

bool ReadDocumentForm(const QString &relPath, TDocumentDefinition &definition)
{
    return ParseDocumentForm(ReadTextXmlLines(relPath), relPath, definition);
}

bool ParseDocumentForm(QStringList lines, const QString &relPath, TDocumentDefinition &definition)
{
    dropTrailingBlankLines(lines);
    const QString base = StoredBaseName(relPath);
    // Without its root line or its closing line the file is not a whole definition; a
    // document saved on part of its pages would lose the values of the others.
    const FileShape shape = CheckWholeFile(lines, base);
    TDokumList read;
    bool rootSeen = false;
    int pageNr = 0;
    QString pageName;
    for (int i = 1; i <= lines.size() - 2; ++i) {
        const QString &line = lines[i];
        const ElementTag tag(line);
        if (!base.isEmpty() && tag.Opens(base) && !rootSeen) {
            rootSeen = true;
            definition.Katalog = tag.Value(u"katalog");
            definition.Plik = tag.Value(u"plik");
            if (tag.Value(u"ver") != ConfigVersion())
                return false;
        } else if (tag.Opens(u"page")) {
            pageNr = ToInt(tag.Value(u"nr"));
            pageName = tag.Value(u"nazwa");
            read.push_back(std::make_unique<TDokum>(pageNr, 0, 0, 0, 0, pageName, QString(), QStringLiteral("page"),
                                                    QString(), QString(), QString(), QString(), QString()));
        } else if (!line.trimmed().isEmpty()) {
            const int closing = ReadDocumentFormPage(lines, read, i, pageNr, pageName);
            if (closing < 0)
                throw platform::TarvelinError(definitionStructureError(relPath));
            i = closing;
        }
    }
    if (shape == FileShape::WrongRoot)
        throw platform::TarvelinError(WrongRootText(relPath, RootElementName(lines), base));
    if (!rootSeen || shape != FileShape::Whole)
        throw platform::TarvelinError(definitionStructureError(relPath));
    for (auto &item : read)
        definition.Items.push_back(std::move(item));
    return true;
}

bool ReadDocumentList(const QString &path, TListDokumList &list, const QString &shownFormVersion,
                      TDocumentDefinition *definition)
{
    RemoveInterruptedSavesBeside(path);
    try {
        const bool read = ParseDocumentList(ReadTextXmlLines(path), path, list, shownFormVersion, definition);
        MarkFileReadWhole(path);
        return read;
    } catch (const platform::TarvelinError &) {
        // Saved now, the list would lose the entries that could not be read.
        MarkFileDamaged(path);
        throw;
    }
}

bool ParseDocumentList(QStringList lines, const QString &path, TListDokumList &list, const QString &shownFormVersion,
                       TDocumentDefinition *definition)
{
    dropTrailingBlankLines(lines);
    // The root element is named after the file; its base name holds whatever folders the
    // data folder has.
    const QString root = StoredBaseName(path);
    const FileShape shape = CheckWholeFile(lines, root);
    TListDokumList read;
    bool rootSeen = false;
    // The entries read before a fault are kept, so they can be seen (none of a list of
    // another version).
    const auto keepRead = qScopeGuard([&] {
        for (auto &entry : read)
            list.push_back(std::move(entry));
    });
    // A list cut short has no closing line: its last line is an entry too.
    const int last = shape == FileShape::Whole ? int(lines.size()) - 2 : int(lines.size()) - 1;
    for (int i = 1; i <= last; ++i) {
        const ElementTag tag(lines[i]);
        if (!root.isEmpty() && tag.Opens(root) && !rootSeen) {
            rootSeen = true;
            if (definition) {
                definition->PData = tag.Value(u"pData");
                definition->PRodzInf = tag.Value(u"pRodzInf");
                definition->Katalog = tag.Value(u"katalog");
                definition->Plik = tag.Value(u"plik");
            }
            if (tag.Value(u"ver") != ConfigVersion()) {
                read.clear();
                return false;
            }
        } else if (tag.Opens(u"pole")) {
            const int nr = ToInt(tag.Value(u"nr"));
            QString werDok = tag.Value(u"wer_dok");
            if (werDok.isEmpty() && !shownFormVersion.isEmpty())
                werDok = QStringLiteral("1");
            read.push_back(std::make_unique<TListDokum>(nr, tag.Value(u"data"), tag.Value(u"rodzinf"), werDok));
        }
    }
    // A list cut short would be written back without its lost entries on the next save.
    if (shape == FileShape::WrongRoot)
        throw platform::TarvelinError(WrongRootText(path, RootElementName(lines), root));
    if (!rootSeen || shape != FileShape::Whole)
        throw platform::TarvelinError(listStructureError(path));
    return true;
}

QStringList DocumentListLines(const QString &name, const TDocumentDefinition &definition, const QString &plik,
                              const TListDokumList &list)
{
    QStringList lines;
    lines << QStringLiteral("<%1 ver=\"%2\" pData=\"%3\" pRodzInf=\"%4\" katalog=\"%5\" plik=\"%6\">")
                 .arg(name, AttributeText(ConfigVersion()), AttributeText(definition.PData),
                      AttributeText(definition.PRodzInf), AttributeText(definition.Katalog), AttributeText(plik));
    for (const auto &e : list)
        lines << QStringLiteral("  <pole nr=\"%1\" data=\"%2\" rodzinf=\"%3\" wer_dok=\"%4\"></pole>")
                     .arg(QString::number(e->nr), AttributeText(e->data), AttributeText(e->rodzinf),
                          AttributeText(e->wer_dok));
    lines << QStringLiteral("</%1>").arg(name);
    return lines;
}

StorageResult StorableDocumentList(const QString &path, const TDocumentDefinition &definition, const QString &plik,
                                   const TListDokumList &list)
{
    StorableTexts texts;
    for (const QString *v : {static_cast<const QString *>(&ConfigVersion()), &definition.PData, &definition.PRodzInf,
                             &definition.Katalog, &plik})
        texts.Check(QStringLiteral("nagłówek listy"), *v, TextPlace::Attribute);
    for (const auto &e : list)
        for (const QString *v : {&e->data, &e->rodzinf, &e->wer_dok})
            texts.Check(QStringLiteral("dokument nr %1").arg(e->nr), *v, TextPlace::Attribute);
    return texts.Result(path);
}

QStringList DocumentDataLines(const QString &name, const TDokumList &items, const QStringList &storedOnlyEntries)
{
    QStringList lines;
    lines << QStringLiteral("<%1 ver='%2'>").arg(name, ConfigVersion());
    for (const auto &item : items) {
        if (!item->IsStored())
            continue;
        for (int k = 1; k <= item->ile; ++k) {
            const TDokumWart *slot = item->Slot(k);
            lines << QStringLiteral("  <dane nazwa=\"%1\" typ=\"%2\" nr=\"%3\" >")
                             .arg(AttributeText(item->nazwa), AttributeText(item->typ), QString::number(k)) +
                         (slot ? slot->wartosc : QString()) + QStringLiteral("</dane>");
        }
    }
    lines << storedOnlyEntries;
    lines << QStringLiteral(" </%1>").arg(name);
    return lines;
}

StorageResult StorableDocumentData(const QString &path, const TDokumList &items)
{
    StorableTexts texts;
    for (const auto &item : items) {
        if (!item->IsStored())
            continue;
        texts.Check(QStringLiteral("nazwa pola"), item->nazwa, TextPlace::Attribute);
        texts.Check(QStringLiteral("rodzaj pola %1").arg(item->nazwa), item->typ, TextPlace::Attribute);
        for (const TDokumWart &slot : item->Values)
            texts.Check(item->nazwa, slot.wartosc, TextPlace::LinesText);
    }
    return texts.Result(path);
}

namespace {

// Writes the files into folder, made when missing; a failed save leaves no folder made for it.
StorageResult writeIntoFolder(const QString &folder, const std::vector<StoredFileWrite> &files)
{
    FolderForSave made(folder);
    if (!made.Ready())
        return StorageResult::Failure(FolderNotCreatedText(folder));
    StorageResult written = WriteStoredFiles(files);
    if (written)
        made.Keep();
    return written;
}

} // namespace

StorageResult WriteDocumentList(const QString &dataFolder, const QString &name, const TDocumentDefinition &definition,
                                const QString &plik, const TListDokumList &list)
{
    const QString path = dataFolder + name + QStringLiteral(".xml");
    if (StorageResult refused = StorableDocumentList(path, definition, plik, list); !refused)
        return refused;
    return writeIntoFolder(dataFolder, {{path, TextXmlFileBytes(DocumentListLines(name, definition, plik, list))}});
}

StorageResult WriteDocumentData(const QString &dataFolder, const QString &katalog, const QString &name,
                                const TDokumList &items, const QStringList &storedOnlyEntries)
{
    const QString folder = dataFolder + katalog;
    const QString path = folder + name + QStringLiteral(".xml");
    if (StorageResult refused = StorableDocumentData(path, items); !refused)
        return refused;
    return writeIntoFolder(folder, {{path, TextXmlFileBytes(DocumentDataLines(name, items, storedOnlyEntries))}});
}

StorageResult WriteDocumentWithList(const DocumentSave &data, const QString &listName,
                                    const TDocumentDefinition &definition, const QString &plik,
                                    const TListDokumList &list)
{
    const QString folder = data.dataFolder + data.katalog;
    const QString dataPath = folder + data.name + QStringLiteral(".xml");
    const QString listPath = data.dataFolder + listName + QStringLiteral(".xml");
    if (StorageResult refused = StorableDocumentData(dataPath, data.items); !refused)
        return refused;
    if (StorageResult refused = StorableDocumentList(listPath, definition, plik, list); !refused)
        return refused;
    return writeIntoFolder(
        folder, {{dataPath, TextXmlFileBytes(DocumentDataLines(data.name, data.items, data.storedOnlyEntries))},
                 {listPath, TextXmlFileBytes(DocumentListLines(listName, definition, plik, list))}});
}

StorageResult ReadDocumentData(const QString &dataFolder, const QString &katalog, const QString &fileName,
                               TDokumList &items, QStringList *storedOnlyEntries)
{
    QStringList lines;
    const QString path = dataFolder + katalog + fileName;
    RemoveInterruptedSavesBeside(path);
    // Data values keep their lines whole: a continuation line of a memo may hold "<".
    if (!ReadTextXmlLinesIfExists(path, lines, false)) {
        clearSlots(items);
        if (storedOnlyEntries)
            storedOnlyEntries->clear();
        return StorageResult::Failure(FileReadFailureText(path));
    }
    StorageResult read = ParseDocumentData(std::move(lines), path, items, storedOnlyEntries);
    if (read)
        MarkFileReadWhole(path);
    else
        MarkFileDamaged(path);
    return read;
}

StorageResult ParseDocumentData(QStringList lines, const QString &fileName, TDokumList &items,
                                QStringList *storedOnlyEntries)
{
    clearSlots(items);
    if (storedOnlyEntries)
        storedOnlyEntries->clear();
    dropTrailingBlankLines(lines);
    const QString root = StoredBaseName(fileName);
    const StorageResult refused = StorageResult::Failure(dataStructureErrorText() + QStringLiteral(" : ") + fileName,
                                                         StorageResult::Severity::Error);
    // The root line names the file; a file copied under another document's number does not,
    // and holds nothing of this one.
    const FileShape shape = CheckWholeFile(lines, root);
    const int rootIndex = RootLineIndex(lines);
    if (root.isEmpty() || shape == FileShape::Empty || rootIndex < 0)
        return refused;
    if (shape == FileShape::WrongRoot)
        return StorageResult::Failure(WrongRootText(fileName, RootElementName(lines), root),
                                      StorageResult::Severity::Error);
    if (!ElementTag(lines[rootIndex]).Has(u"ver"))
        return refused;
    // One cut short is read as far as it goes, so what it still holds can be seen; it is
    // still refused, and nothing of it is kept for a save.
    const bool whole = shape == FileShape::Whole;
    const int last = whole ? int(lines.size()) - 2 : int(lines.size()) - 1;
    for (int i = rootIndex + 1; i <= last; ++i) {
        const QString &line = lines[i];
        const ElementTag tag(line);
        if (!tag.Opens(u"dane"))
            continue;
        const QString nazwa = tag.Value(u"nazwa");
        const QString typ = tag.Value(u"typ");
        const int nr = ToIntDef(tag.Value(u"nr"), 0);
        const int first = i;
        QString value = tag.After().toString();
        if (!value.contains(QLatin1String("</")))
            value = JoinContinuationLines(lines, value, i);
        const qsizetype close = value.indexOf(QLatin1String("</"));
        if (close >= 0)
            value.truncate(close);
        bool known = false;
        for (auto &item : items) {
            if (item->nazwa == nazwa && item->typ == typ) {
                // A slot the definition does not have belongs to a damaged file: skipped.
                if (TDokumWart *slot = item->Slot(nr))
                    slot->wartosc = value;
                known = true;
                break;
            }
        }
        if (!known && storedOnlyEntries) {
            // Never the root's closing line, which a value left open would reach.
            for (int k = first; k <= std::min(i, int(lines.size()) - 2); ++k)
                storedOnlyEntries->append(lines[k]);
        }
    }
    if (whole)
        return {};
    if (storedOnlyEntries)
        storedOnlyEntries->clear();
    return refused;
}

QString DocumentDataFileName(const QString &plik, int nr)
{
    QString base = plik;
    const qsizetype dot = base.indexOf('.');
    if (dot >= 0)
        base.truncate(dot);
    return base + QStringLiteral("_") + QString::number(nr) + QStringLiteral(".xml");
}

int NextFreeDocumentNumber(const QString &dataFolder, const QString &katalog, const QString &plik, int highest)
{
    int nr = highest + 1;
    while (platform::FileExists(dataFolder + katalog + DocumentDataFileName(plik, nr)))
        ++nr;
    return nr;
}

} // namespace storage
