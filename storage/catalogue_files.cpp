#include "storage/catalogue_files.h"

#include "platform/paths.h"
#include "storage/catalogue_index.h"
#include "storage/file_cache.h"
#include "storage/storage_errors.h"
#include "storage/text_xml.h"

#include <QHash>
#include <algorithm>
#include <cmath>

namespace storage {

namespace {

bool hasText(const QString &line)
{
    return line.contains('<');
}

// The block of one catalogue entry: from its `<param` line(s) to the line beginning
// `</czynnik`. Returns that line's index, the index before the next entry's header when
// the block was left open, or -1 when the list ends first.
template <typename OnParam>
int readEntryBlock(const QStringList &lines, int start, OnParam onParam)
{
    for (int i = start; i < lines.size(); ++i) {
        const QString &line = lines[i];
        if (StartsBlockClose(line, QStringLiteral("</czynnik")))
            return i;
        const ElementTag tag(line);
        if (i > start && tag.Opens(u"czynnik"))
            return i - 1;
        if (tag.Opens(u"param"))
            onParam(i, tag);
    }
    return -1;
}

// Shared scan of the chemical and biological catalogues: root line with the version
// check, entry headers, entry blocks. readEntry(lines, start, id, nazwa, info) reads one
// entry block and returns the index of its closing line.
template <typename ReadEntry>
void scanCatalogue(const QStringList &lines, const QString &relPath, const QString &rootName,
                   const QString &configVersion, CatalogueReadInfo *info, ReadEntry readEntry)
{
    CatalogueReadInfo local;
    CatalogueReadInfo &inf = info ? *info : local;
    inf = CatalogueReadInfo();
    // A catalogue cut short after an entry's closing line would list fewer substances
    // without a word.
    if (CheckWholeFile(lines) == FileShape::Cut)
        ThrowStructureError(relPath, QStringLiteral("plik jest niekompletny"));
    bool rootSeen = false;
    bool headerSeen = false;
    int id = 0;
    QString nazwa;
    for (int i = 1; i <= int(lines.size()) - 2; ++i) {
        const QString &line = lines[i];
        const ElementTag tag(line);
        if (tag.Opens(rootName)) {
            inf.ver = tag.Value(u"ver");
            inf.ver_pom = tag.Value(u"ver_pom");
            inf.frm_dane = tag.Value(u"frm_dane");
            if (inf.ver != configVersion)
                return; // another configuration's catalogue: nothing is listed
            inf.versionAccepted = true;
            rootSeen = true;
            continue;
        }
        if (tag.Opens(u"czynnik")) {
            id = ToIntAt(tag.Value(u"id"), relPath, i, QStringLiteral("Numer pozycji"));
            nazwa = tag.Value(u"nazwa");
            headerSeen = true;
            continue;
        }
        if (!hasText(line))
            continue; // a blank line between entries is not an entry
        // Entries count only inside a catalogue whose version was accepted and after their
        // header line; other blocks are passed over.
        const int end = rootSeen && headerSeen ? readEntry(lines, i, id, nazwa, inf)
                                               : readEntryBlock(lines, i, [](int, const ElementTag &) {});
        if (end < 0)
            ThrowStructureError(relPath, QStringLiteral("niezamknięta pozycja katalogu"));
        if (end < lines.size() && StartsBlockClose(lines[end], QStringLiteral("</czynnik")))
            headerSeen = false;
        i = end;
    }
}

} // namespace

QString ChemicalCataloguePath()
{
    return QStringLiteral("poradn\\czynchem.xml");
}
QString BiologicalCataloguePath()
{
    return QStringLiteral("poradn\\czynbiol.xml");
}
QString DustCataloguePath()
{
    return QStringLiteral("poradn\\czynpyly.xml");
}

bool ChemicalEntryPasses(const TCzynChem &e, const ChemicalFilter &f)
{
    if (!f.search.isEmpty()) {
        // Polish letters fold too: "RTĘĆ" finds "rtęć".
        const QString s = f.search.toLower();
        return e.nazwa.toLower().contains(s) || e.nrcas.toLower().contains(s);
    }
    if (f.oldMask != 0 || f.newMask != 0) {
        const qint64 typ = e.typ;
        const qint64 typh = e.typh;
        return (f.clp && typh > 0 && (f.newMask & typh) != 0) || (f.clp && typh > 0 && (f.oldMask & typ) != 0) ||
               (!f.clp && typh < 0 && (f.oldMask & typ) != 0);
    }
    return true;
}

int ReadChemicalEntry(const QStringList &lines, TCzynChemList &list, int start, int id, const ChemicalFilter &filter,
                      const QString &nazwa, const QString &verPom, const QString &frmDane, const QString &relPath)
{
    return readEntryBlock(lines, start, [&](int at, const ElementTag &tag) {
        const int typ = ToIntAt(tag.Value(u"typ"), relPath, at, QStringLiteral("Atrybut typ"));
        const int typh = ToIntAt(tag.Value(u"typh"), relPath, at, QStringLiteral("Atrybut typh"));
        // An entry out of date is refused before it is built.
        if (filter.currentOnly && tag.Raw(u"aktualny") != QLatin1String("1"))
            return;
        auto e = std::make_unique<TCzynChem>(id, typ, typh, nazwa, tag.Value(u"nds"), tag.Value(u"ndsch"),
                                             tag.Value(u"ndsp"), tag.Value(u"nrcas"), tag.Value(u"nrkarty"), verPom,
                                             frmDane, tag.Value(u"aktualny"), QStringLiteral("chem"),
                                             tag.Value(u"zwroth"));
        if (!ChemicalEntryPasses(*e, filter))
            return;
        list.push_back(std::move(e));
    });
}

int ReadBiologicalEntry(const QStringList &lines, TCzynBiolList &list, int start, int id, const QString &kinds,
                        const QString &nazwa, const QString &verPom, const QString &frmDane, const QString &relPath)
{
    return readEntryBlock(lines, start, [&](int at, const ElementTag &tag) {
        const int typczyn = ToIntAt(tag.Value(u"typczyn"), relPath, at, QStringLiteral("Atrybut typczyn"));
        const int grzagr = ToIntAt(tag.Value(u"grzagr"), relPath, at, QStringLiteral("Atrybut grzagr"));
        const int uszgrzagr = ToIntAt(tag.Value(u"uszgrzagr"), relPath, at, QStringLiteral("Atrybut uszgrzagr"));
        if (kinds != QLatin1String("0") && !ContainsText(kinds, QString::number(typczyn)))
            return;
        list.push_back(std::make_unique<TCzynBiol>(id, typczyn, grzagr, uszgrzagr, nazwa, tag.Value(u"ozndod"), verPom,
                                                   frmDane, QString(), QStringLiteral("biol")));
    });
}

TCzynChemList ReadChemicalCatalogue(const QString &relPath, const ChemicalFilter &filter,
                                    const QString &configVersion, CatalogueReadInfo *info)
{
    return ParseChemicalCatalogue(ReadTextXmlLines(relPath, true), relPath, filter, configVersion, info);
}

TCzynChemList ParseChemicalCatalogue(const QStringList &lines, const QString &relPath, const ChemicalFilter &filter,
                                     const QString &configVersion, CatalogueReadInfo *info)
{
    TCzynChemList out;
    scanCatalogue(lines, relPath, QStringLiteral("czynchem"), configVersion, info,
                  [&](const QStringList &lines, int start, int id, const QString &nazwa, const CatalogueReadInfo &inf) {
                      return ReadChemicalEntry(lines, out, start, id, filter, nazwa, inf.ver_pom, inf.frm_dane,
                                               relPath);
                  });
    return out;
}

TCzynBiolList ReadBiologicalCatalogue(const QString &relPath, const QString &kinds, const QString &configVersion,
                                      CatalogueReadInfo *info)
{
    return ParseBiologicalCatalogue(ReadTextXmlLines(relPath, true), relPath, kinds, configVersion, info);
}

TCzynBiolList ParseBiologicalCatalogue(const QStringList &lines, const QString &relPath, const QString &kinds,
                                       const QString &configVersion, CatalogueReadInfo *info)
{
    TCzynBiolList out;
    scanCatalogue(lines, relPath, QStringLiteral("czynbiol"), configVersion, info,
                  [&](const QStringList &lines, int start, int id, const QString &nazwa, const CatalogueReadInfo &inf) {
                      return ReadBiologicalEntry(lines, out, start, id, kinds, nazwa, inf.ver_pom, inf.frm_dane,
                                                 relPath);
                  });
    return out;
}

// ---- lookups ------------------------------------------------------------------------

namespace {

struct IndexEntry
{
    QByteArray stamp;
    std::shared_ptr<const CatalogueIndex> index;
};

QHash<QString, IndexEntry> &indexCache()
{
    static QHash<QString, IndexEntry> c;
    return c;
}

QString pathOfKind(CatalogueKind kind)
{
    switch (kind) {
    case CatalogueChemical:
        return ChemicalCataloguePath();
    case CatalogueBiological:
        return BiologicalCataloguePath();
    case CatalogueDust:
        return DustCataloguePath();
    }
    return QString();
}

} // namespace

namespace {

// The first line holding `id="id"`; every catalogue field of a form asks, so the id's text
// is written into a buffer the key borrows instead of a new string.
int firstLineOf(const CatalogueIndex &index, int id)
{
    QChar digits[12];
    qsizetype n = 0;
    unsigned u = id < 0 ? 0u - unsigned(id) : unsigned(id);
    do {
        digits[n++] = QChar(u'0' + u % 10);
        u /= 10;
    } while (u);
    if (id < 0)
        digits[n++] = QLatin1Char('-');
    std::reverse(digits, digits + n);
    return index.firstLine.value(QString::fromRawData(digits, n), -1);
}

} // namespace

std::shared_ptr<const CatalogueIndex> LoadCatalogueIndex(const QString &storedPath)
{
    const QString filePath = platform::ToFilePath(storedPath);
    const QByteArray stamp = FileStamp(filePath);
    auto &c = indexCache();
    if (!stamp.isEmpty()) {
        auto it = c.find(filePath);
        if (it != c.end() && it->stamp == stamp)
            return it->index;
    }
    auto idx = BuildCatalogueIndex(CachedTextXmlLines(storedPath, false));
    if (!stamp.isEmpty())
        c.insert(filePath, IndexEntry{stamp, idx});
    return idx;
}

std::shared_ptr<const CatalogueIndex> BuildCatalogueIndex(std::shared_ptr<const QStringList> uncutLines)
{
    auto idx = std::make_shared<CatalogueIndex>();
    idx->lines = std::move(uncutLines);
    const QStringList &lines = *idx->lines;
    for (int i = 0; i < lines.size(); ++i) {
        // The id of each entry's tag: the first line that holds it answers for it.
        const QStringView id = ElementTag(lines[i]).Raw(u"id");
        if (!id.isEmpty() && !idx->firstLine.contains(id.toString()))
            idx->firstLine.insert(id.toString(), i);
    }
    return idx;
}

std::shared_ptr<const CatalogueIndex> LoadCatalogueIndex(CatalogueKind kind)
{
    return LoadCatalogueIndex(pathOfKind(kind));
}

QString CatalogueParam(const CatalogueIndex &index, const QString &def, const QString &fieldName, int id)
{
    const int at = firstLineOf(index, id);
    if (at < 0)
        return def;
    // The parameters stand on the line after the entry's header; a header on the last
    // line has none.
    if (at + 1 >= index.lines->size())
        return def;
    // A field without a name has no attribute of its own (the bare key would match the
    // first attribute of the line).
    if (fieldName.isEmpty())
        return QString();
    return ElementTag(index.lines->at(at + 1)).Value(QStringView(fieldName.toLower()));
}

QString ReadCatalogueParam(const QString &def, const QString &fieldName, int id, CatalogueKind kind)
{
    return CatalogueParam(*LoadCatalogueIndex(kind), def, fieldName, id);
}

QString ReadCatalogueName(int id, int kind)
{
    CatalogueKind k;
    if (kind == 1)
        k = CatalogueChemical;
    else if (kind == 2)
        k = CatalogueDust; // the name lookup numbers the dust catalogue 2
    else
        return QString();
    return CatalogueName(*LoadCatalogueIndex(k), id);
}

QString CatalogueName(const CatalogueIndex &index, int id)
{
    const int at = firstLineOf(index, id);
    if (at < 0)
        return QString();
    return ElementTag(index.lines->at(at)).Value(u"nazwa");
}

void ClearCatalogueCache()
{
    indexCache().clear();
}

// ---- correction of a form by the catalogue values -------------------------------------

namespace {

// Not shown, not editable, not printed.
void switchOff(TPomiar &p)
{
    p.enabled = false;
    p.visible = false;
    p.EditDefinition().druk.clear();
}

void switchOffContaining(TPomiarList &fields, const QString &name)
{
    for (auto &f : fields)
        if (ContainsText(f->nazwa(), name))
            switchOff(*f);
}

} // namespace

void ApplyCatalogueValuesToForm(TPomiarList &fields, CatalogueKind kind, bool forCatalogueView)
{
    static const QStringList ndsItems = {
        QStringLiteral("lNDS"),  QStringLiteral("lWskNarazenia"), QStringLiteral("lWartDop"),
        QStringLiteral("lKrotnosc"), QStringLiteral("NDS"),        QStringLiteral("NDSZm"),
        QStringLiteral("NDSKrotn"),  QStringLiteral("cbSumNDS"),   QStringLiteral("lSumNDS"),
        QStringLiteral("SumNDS")};
    const QString minusOne = QStringLiteral("-1");
    for (size_t i = 0; i < fields.size(); ++i) {
        const TPomiar &item = *fields[i];
        const QString name = item.nazwa();
        const QString value = item.Value;
        if (kind == CatalogueChemical) {
            if ((name == QLatin1String("NDSP") || name == QLatin1String("NDSCh")) && value == minusOne) {
                switchOffContaining(fields, name);
            } else if (name == QLatin1String("NDS") && value == minusOne) {
                for (auto &f : fields)
                    if (ndsItems.contains(f->nazwa()))
                        switchOff(*f);
            } else if (name == QLatin1String("Typ")) {
                // A malformed class mask counts as no class rather than stopping the read.
                const int t = ToIntDef(value, 0);
                for (auto &f : fields) {
                    if (!f->nazwa().contains(QLatin1String("SumNDS")))
                        continue;
                    if (t & 0xC003)
                        switchOff(*f);
                    else if (!forCatalogueView) // previews keep the sum fields disabled
                        f->enabled = true;
                }
            }
        } else if (kind == CatalogueBiological) {
            if ((name == QLatin1String("UszGrZagr") || name == QLatin1String("cbPrWzbrKcMl")) &&
                value != QLatin1String("1"))
                fields[i]->enabled = false;
        } else if (kind == CatalogueDust) {
            if ((name == QLatin1String("PylCalk") || name == QLatin1String("PylResp") ||
                 name == QLatin1String("WlkResp")) &&
                value == minusOne) {
                switchOffContaining(fields, name);
            } else if (name == QLatin1String("Typ")) {
                const int t = ToIntDef(value, 0);
                for (auto &f : fields) {
                    if (!f->nazwa().contains(QLatin1String("SumPyl")))
                        continue;
                    if (t & 1)
                        switchOff(*f);
                    else
                        f->enabled = true;
                }
            } else if (name == QLatin1String("DodOzn")) {
                const int n = ToIntDef(value, 0);
                const QString keep = QLatin1String("DodOznTxt") + QString::number(n);
                for (auto &f : fields)
                    if (f->nazwa().contains(QLatin1String("DodOznTxt")) && !f->nazwa().contains(keep))
                        f->visible = false;
            }
        }
    }
}

} // namespace storage
