#include "storage/factor_files.h"

#include "platform/paths.h"
#include "platform/text_file.h"
#include "storage/damaged_files.h"
#include "storage/storage_errors.h"
#include "storage/text_xml.h"

#include <algorithm>

namespace storage {

namespace {

// Stored folder + file name: a folder that ends with a separator (or none) is used as is.
QString inFolder(const QString &folder, const QString &name)
{
    if (folder.isEmpty() || folder.endsWith('\\') || folder.endsWith('/'))
        return folder + name;
    return platform::JoinStoredPath(folder, name);
}

void readFactorLines(const QStringList &lines, const QString &path, const QString &ident, bool currentOnly,
                     TCzynnikList &factors);

} // namespace

TGrupaCzynnikList ReadFactorGroups(const QString &path)
{
    QStringList lines;
    if (!ReadTextXmlLinesIfExists(path, lines, true))
        return {};
    // Its loop never looks at the last line: a list cut short would lose its last groups
    // without a word.
    if (CheckWholeFile(lines) == FileShape::Cut)
        ThrowStructureError(path, QStringLiteral("plik jest niekompletny"));
    return ParseFactorGroups(lines);
}

TGrupaCzynnikList ParseFactorGroups(const QStringList &lines)
{
    TGrupaCzynnikList groups;
    for (qsizetype i = 1; i <= lines.size() - 2; ++i) {
        const ElementTag tag(lines[i]);
        if (!tag.Opens(u"poz"))
            continue;
        groups.push_back(std::make_unique<TGrupaCzynnik>(tag.Text(), tag.Value(u"ident"), tag.Value(u"plik"),
                                                         tag.Value(u"katfrm"), tag.Value(u"katzal"),
                                                         tag.Value(u"plikWl")));
    }
    return groups;
}

TCzynnikList ReadFactorList(const QString &path, const QString &ident, bool currentOnly, QString *damage)
{
    RemoveInterruptedSavesBeside(path);
    QStringList lines;
    if (!ReadTextXmlLinesIfExists(path, lines, true)) {
        if (!SomethingAt(path)) {
            MarkFileReadWhole(path);
            return {};
        }
        MarkFileDamaged(path);
        if (!damage)
            throw FileDamagedError(path, FileReadFailureText(path));
        *damage = FileReadFailureText(path);
        return {};
    }
    QString fault;
    TCzynnikList factors = ParseFactorList(lines, path, ident, currentOnly, &fault);
    if (fault.isEmpty()) {
        MarkFileReadWhole(path);
        return factors;
    }
    // Saved now, an own-factor list would lose the factors that could not be read.
    MarkFileDamaged(path);
    if (!damage)
        throw FileDamagedError(path, fault);
    *damage = fault;
    return factors;
}

TCzynnikList ParseFactorList(const QStringList &lines, const QString &path, const QString &ident, bool currentOnly,
                             QString *damage)
{
    TCzynnikList factors;
    try {
        readFactorLines(lines, path, ident, currentOnly, factors);
        // The root element is named after the group (an own-factor file "czyn" + ident + "Wl",
        // as the writer names it whatever the file is called) or after the file.
        const QString group = QStringLiteral("czyn") + ident;
        const QString found = RootElementName(lines);
        const QString root = found == group || found == group + QLatin1String("Wl") ? found : StoredBaseName(path);
        switch (CheckWholeFile(lines, root)) {
        case FileShape::Whole:
            break;
        case FileShape::WrongRoot:
            throw FileDamagedError(path, WrongRootText(path, found, root));
        case FileShape::Empty:
            ThrowStructureError(path, QStringLiteral("plik jest pusty"));
        case FileShape::Cut:
            ThrowStructureError(path, QStringLiteral("plik jest niekompletny"));
        }
    } catch (const platform::TarvelinError &e) {
        if (!damage)
            throw;
        *damage = e.message();
    }
    return factors;
}

namespace {

// The factors of a list's lines, appended to factors; throws at the first fault.
void readFactorLines(const QStringList &lines, const QString &path, const QString &ident, bool currentOnly,
                     TCzynnikList &factors)
{
    bool dustList = false;
    // A list cut short has no closing line: its last line may hold a factor too.
    const qsizetype last = EndsWithRootClose(lines) ? lines.size() - 2 : lines.size() - 1;
    for (qsizetype i = 1; i <= last; ++i) {
        const ElementTag tag(lines[i]);
        if (tag.Opens(u"pyly"))
            dustList = true;
        if (!tag.Opens(u"czynnik"))
            continue;
        const QString aktualny = tag.Value(u"aktualny");
        QString name;
        if (dustList) {
            if (currentOnly && aktualny != QLatin1String("1"))
                continue;
            name = tag.Value(u"nazwa");
        } else {
            name = tag.Text();
        }
        const int id = ToIntAt(tag.Value(u"id"), path, int(i), QStringLiteral("Numer czynnika"));
        factors.push_back(std::make_unique<TCzynnik>(name, ident, id, tag.Value(u"ver_pom"), tag.Value(u"frm_dane"),
                                                     aktualny, tag.Value(u"szkod")));
    }
}

} // namespace

QStringList OwnFactorListLines(const QString &prefix, const std::vector<const TCzynnik *> &factors)
{
    QStringList out;
    out.reserve(int(factors.size()) + 2);
    // The root attributes are the same for every group: own factors are measured with the
    // "5 kroków" form in its first version unless their own line says otherwise.
    out << QStringLiteral("<%1Wl ver=\"1.0\" frm_dane=\"met5Krok\" ver_pom=\"1.0\">").arg(prefix);
    for (const TCzynnik *f : factors) {
        if (!f)
            continue;
        out << QStringLiteral(" <czynnik id=\"%1\" frm_dane=\"%2\" ver_pom=\"%3\" szkod=\"%4\" aktualny=\"%5\">%6</czynnik>")
                   .arg(QString::number(f->id), AttributeText(f->frm_dane), AttributeText(f->ver_pom),
                        AttributeText(f->szkod), AttributeText(f->aktual), f->nazwa);
    }
    out << QStringLiteral("</%1Wl>").arg(prefix);
    return out;
}

StorageResult StorableOwnFactorList(const QString &path, const std::vector<const TCzynnik *> &factors)
{
    StorableTexts texts;
    for (const TCzynnik *f : factors) {
        if (!f)
            continue;
        texts.Check(QStringLiteral("nazwa czynnika"), f->nazwa, TextPlace::LineText);
        for (const QString *v : {&f->frm_dane, &f->ver_pom, &f->szkod, &f->aktual})
            texts.Check(QStringLiteral("czynnik %1").arg(f->nazwa), *v, TextPlace::Attribute);
    }
    return texts.Result(path);
}

StorageResult WriteOwnFactorList(const QString &path, const QString &prefix,
                                 const std::vector<const TCzynnik *> &factors)
{
    if (StorageResult refused = StorableOwnFactorList(path, factors); !refused)
        return refused;
    return WriteTextXmlFile(path, OwnFactorListLines(prefix, factors));
}

StorageResult WriteOwnFactorList(const QString &path, const QString &prefix, const TCzynnikList &factors)
{
    std::vector<const TCzynnik *> raw;
    raw.reserve(factors.size());
    for (const auto &f : factors)
        raw.push_back(f.get());
    return WriteOwnFactorList(path, prefix, raw);
}

QString FactorFormVersionListPath(const QString &catalogueFolder, const QString &ident, const QString &id)
{
    QString key = ident;
    if (ToIntDef(id, 0) > OwnFactorIdBase)
        key += QLatin1String("Wl");
    return inFolder(catalogueFolder, QLatin1String("czyn") + key + QLatin1String(".xml"));
}

FormVersionLookup ReadFactorFormVersion(const QString &catalogueFolder, const QString &ident, const QString &id,
                                        QString &ver)
{
    const QString path = FactorFormVersionListPath(catalogueFolder, ident, id);
    QStringList lines;
    if (!ReadTextXmlLinesIfExists(path, lines, true))
        return FormVersionLookup::FileError;
    return FindFactorFormVersion(lines, path, id, ver);
}

FormVersionLookup FindFactorFormVersion(const QStringList &lines, const QString &path, const QString &id, QString &ver)
{
    const QString fileName = path.mid(std::max(path.lastIndexOf('\\'), path.lastIndexOf('/')) + 1);
    const QString rootName = fileName.left(fileName.size() - 4); // without ".xml"

    // The root element is the first element after the declaration.
    qsizetype rootIndex = -1;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString t = lines[i].trimmed();
        if (t.startsWith(QLatin1String("<?")) || t.startsWith(QLatin1String("<!")) || !t.startsWith('<'))
            continue;
        rootIndex = i;
        break;
    }
    if (rootIndex < 0)
        return FormVersionLookup::NotFound;
    QString found;
    if (const ElementTag root(lines[rootIndex]); root.Opens(rootName))
        found = root.Value(u"ver_pom");
    if (found.isEmpty()) {
        for (qsizetype i = rootIndex + 1; i < lines.size(); ++i) {
            const ElementTag tag(lines[i]);
            if (tag.Opens(u"czynnik") && tag.Value(u"id") == id) {
                found = tag.Value(u"ver_pom");
                break;
            }
        }
    }
    // A factor the lists do not name keeps the version stored with it: an empty version
    // would name a definition file that does not exist.
    if (found.isEmpty())
        return FormVersionLookup::NotFound;
    ver = found;
    return FormVersionLookup::Found;
}

int NextOwnFactorId(const std::vector<const TCzynnik *> &allFactors)
{
    int top = OwnFactorIdBase;
    for (const TCzynnik *f : allFactors)
        if (f && f->id > top)
            top = f->id;
    return top + 1;
}

} // namespace storage
