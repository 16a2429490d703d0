#include "storage/form_definition_files.h"

#include "platform/tarvelin_error.h"
#include "storage/catalogue_index.h"
#include "storage/file_cache.h"
#include "storage/storage_errors.h"
#include "storage/text_xml.h"

#include <QHash>
#include <QLocale>

namespace storage {

namespace {

bool intAttr(const ElementTag &tag, QStringView name, int &value)
{
    bool ok = false;
    const int v = QLocale::c().toInt(tag.Value(name).trimmed(), &ok);
    if (ok)
        value = v;
    return ok;
}

int intAttrDef(const ElementTag &tag, QStringView name, int def)
{
    int v = def;
    intAttr(tag, name, v);
    return v;
}

// Value slots beyond this are a malformed count, not a form.
constexpr int kMaxSlots = 1000;
// Included parts do not include further parts; a chain this deep is a loop.
constexpr int kMaxIncludeDepth = 4;

bool isBlockClose(const QString &line)
{
    return StartsBlockClose(line, QStringLiteral("</page")) || StartsBlockClose(line, QStringLiteral("</parametr")) ||
           StartsBlockClose(line, QStringLiteral("</naglowek"));
}

// A page, header or include line begins a new part of the form even when the block
// before it was left open.
bool beginsNewPart(const ElementTag &tag)
{
    return tag.Opens(u"page") || tag.Opens(u"naglowek") || tag.Opens(u"plik");
}

enum class FormCatalogue { None, Chemical, Biological, Dust };

FormCatalogue catalogueOf(const QString &rootName)
{
    if (rootName.contains(QLatin1String("biologiczny")))
        return FormCatalogue::Biological;
    if (rootName.contains(QLatin1String("chemiczny")))
        return FormCatalogue::Chemical;
    if (rootName.contains(QLatin1String("pyly")))
        return FormCatalogue::Dust;
    return FormCatalogue::None;
}

struct RowsContext
{
    const QString &path;
    FormCatalogue catalogue;
    std::shared_ptr<const CatalogueIndex> index; // loaded on the first field that needs it
    const FormDefinitionFiles &files;
};

CatalogueKind kindOf(FormCatalogue c)
{
    return c == FormCatalogue::Chemical ? CatalogueChemical
           : c == FormCatalogue::Biological ? CatalogueBiological
                                            : CatalogueDust;
}

int readRows(const QStringList &lines, TPomiarList &fields, int start, int pageNr, int factorId, int &row,
             const QString &pageName, const FormReadOptions &options, RowsContext &ctx)
{
    int column = 0;
    int rowWidth = 0;
    for (int i = start; i < lines.size(); ++i) {
        const QString &line = lines[i];
        if (isBlockClose(line))
            return i;
        const ElementTag tag(line);
        if (i > start && beginsNewPart(tag))
            return i - 1;
        if (tag.Opens(u"wiersz")) {
            ++row;
            column = 0;
            rowWidth = intAttrDef(tag, u"szerkol", 0);
            continue;
        }
        if (!tag.Opens(u"pole"))
            continue;
        auto attr = [&tag](QStringView name) { return tag.Value(name); };

        const QString nazwa = attr(u"nazwa");
        const QString typ = attr(u"typ");
        QString druk = attr(u"druk");
        const QString wydropis = attr(u"wydropis");
        if (!wydropis.isEmpty())
            druk = QStringLiteral("T");
        const QString wydrwart = attr(u"wydrwart");
        int param = 0;
        if (intAttr(tag, u"param", param))
            druk = QStringLiteral("T");
        else
            param = 0;
        const int rozm = intAttrDef(tag, u"rozm", 0);
        int szer = intAttrDef(tag, u"szer", 0);
        const int wys = intAttrDef(tag, u"wys", 0);
        int ile = intAttrDef(tag, u"ile", 1);
        if (ile < 0 || ile > kMaxSlots)
            ile = 1;
        const QString etyk = attr(u"etyk");
        const QString skrot = attr(u"skrot");
        const int choiceNr = (typ == QLatin1String("label") && !etyk.contains(';')) ? 0 : 1;
        const QString zal = attr(u"zal");
        const QString pozycja = attr(u"pozycja");
        const QString style = attr(u"style");
        const bool readonly = attr(u"readonly") == QLatin1String("T");
        bool enabled;
        if (options.forCatalogueView &&
            (nazwa == QLatin1String("cbSumNDS") || nazwa == QLatin1String("lSumNDS") ||
             nazwa == QLatin1String("SumNDS")))
            enabled = false;
        else
            enabled = attr(u"enabled") != QLatin1String("F");
        const bool visible = attr(u"visible") != QLatin1String("F");
        const bool sprpopr = attr(u"sprpopr") != QLatin1String("F");
        const int szerkol = intAttrDef(tag, u"szerkol", rowWidth);
        if (szer == 0)
            szer = szerkol;
        const bool onexit = attr(u"onexit") == QLatin1String("T");
        const bool onchange = attr(u"onchange") == QLatin1String("T");

        const QString text = tag.Text();
        QString value = text;
        if (ctx.catalogue != FormCatalogue::None) {
            if (!ctx.index)
                ctx.index = ctx.files.catalogue(kindOf(ctx.catalogue));
            value = CatalogueParam(*ctx.index, text, nazwa, factorId);
            // An entry without this attribute keeps the definition's default.
            if (value.isEmpty())
                value = text;
        }

        TFieldDefinition definition{.PageNr = pageNr,
                                    .PageName = pageName,
                                    .nazwa = nazwa,
                                    .typ = typ,
                                    .druk = druk,
                                    .Row = row,
                                    .Column = column,
                                    .szerkol = szerkol,
                                    .pozycja = pozycja,
                                    .rozm = rozm,
                                    .szer = szer,
                                    .wys = wys,
                                    .ile = ile,
                                    .skrot = skrot,
                                    .zal = zal,
                                    .readonly = readonly,
                                    .sprpopr = sprpopr,
                                    .style = style,
                                    .wydropis = wydropis,
                                    .wydrwart = wydrwart,
                                    .param = param};
        definition.Values.reserve(size_t(ile));
        for (int n = 1; n <= ile; ++n)
            definition.Values.emplace_back(n, QString());
        auto item = std::make_unique<TPomiar>(std::move(definition), TFieldState{.etyk = etyk,
                                                                                  .Value = value,
                                                                                  .ChoiceNr = choiceNr,
                                                                                  .enabled = enabled,
                                                                                  .visible = visible,
                                                                                  .onexit = onexit,
                                                                                  .onchange = onchange});
        fields.push_back(std::move(item));
        ++column;
    }
    return -1;
}

QString includePath(const QString &relPath, int factorId)
{
    const QString id = QString::number(factorId);
    if (relPath.contains(QLatin1String("zaklocen\\frm")))
        return QLatin1String("zaklocen\\frm\\zalaczn\\mech_frm_") + id + QLatin1String(".xml");
    return QLatin1String("wzrocen\\frm\\zalaczn\\mech_frm_") + id + QLatin1String(".xml");
}

void readForm(const QStringList &lines, const QString &relPath, TPomiarList &fields, int factorId,
              const FormReadOptions &options, FormRootInfo *root, int depth, const FormDefinitionFiles &files)
{
    const QString rootName = FormRootName(relPath);

    // A definition cut short would give a form without its last fields, and values stored
    // for them would be lost on the next save: the closing root line must be there.
    switch (CheckWholeFile(lines, rootName)) {
    case FileShape::Whole:
        break;
    case FileShape::WrongRoot:
        throw FileDamagedError(relPath, WrongRootText(relPath, RootElementName(lines), rootName));
    case FileShape::Empty:
    case FileShape::Cut:
        ThrowStructureError(relPath, QStringLiteral("brak wiersza zamykającego"));
    }

    RowsContext ctx{relPath, catalogueOf(rootName), nullptr, files};
    QString function;
    int pageNr = 0;
    QString pageName;
    int row = 0;
    for (int i = 1; i <= int(lines.size()) - 2; ++i) {
        const QString &line = lines[i];
        const ElementTag tag(line);
        auto attr = [&tag](QStringView name) { return tag.Value(name); };
        if (!rootName.isEmpty() && tag.Opens(rootName)) {
            function = attr(u"function");
            if (root) {
                root->katalog = attr(u"katalog");
                root->plik = attr(u"plik");
                root->function = function;
                root->ver = attr(u"ver");
            }
        } else if (tag.Opens(u"page")) {
            pageNr = ToIntAt(attr(u"nr"), relPath, i, QStringLiteral("Numer strony"));
            pageName = attr(u"nazwa");
            row = 0;
            fields.push_back(std::make_unique<TPomiar>(
                TFieldDefinition{.PageNr = pageNr, .PageName = pageName, .typ = QStringLiteral("page"), .function = function},
                TFieldState{.enabled = false}));
        } else if (tag.Opens(u"naglowek")) {
            QString druk = attr(u"druk");
            int param = 0;
            if (intAttr(tag, u"param", param))
                druk = QStringLiteral("T");
            else
                param = 0;
            const int szer = intAttrDef(tag, u"szer", 0);
            const QString etyk = attr(u"etyk");
            const int choiceNr = (attr(u"typ") == QLatin1String("label") && !etyk.contains(';')) ? 0 : 1;
            fields.push_back(std::make_unique<TPomiar>(TFieldDefinition{.PageNr = pageNr,
                                                                        .PageName = pageName,
                                                                        .nazwa = attr(u"nazwa"),
                                                                        .typ = QStringLiteral("naglowek"),
                                                                        .druk = druk,
                                                                        .szerkol = szer,
                                                                        .pozycja = QStringLiteral("center"),
                                                                        .szer = szer,
                                                                        .skrot = attr(u"skrot"),
                                                                        .zal = attr(u"zal"),
                                                                        .style = attr(u"style"),
                                                                        .wydropis = attr(u"wydropis"),
                                                                        .wydrwart = attr(u"wydrwart"),
                                                                        .param = param,
                                                                        .function = function},
                                                       TFieldState{.etyk = etyk,
                                                                   .ChoiceNr = choiceNr,
                                                                   .enabled = attr(u"enabled") != QLatin1String("F"),
                                                                   .visible = attr(u"visible") != QLatin1String("F")}));
        } else if (tag.Opens(u"plik")) {
            const QString part = includePath(relPath, factorId);
            if (depth + 1 > kMaxIncludeDepth)
                ThrowStructureError(part, QStringLiteral("definicja włącza samą siebie"));
            readForm(*files.lines(part), part, fields, factorId, options, nullptr, depth + 1, files);
        } else if (!line.contains('<') && !isBlockClose(line)) {
            continue; // blank or stray text between blocks
        } else {
            const int end = readRows(lines, fields, i, pageNr, factorId, row, pageName, options, ctx);
            if (end < 0)
                ThrowStructureError(relPath, QStringLiteral("niezamknięty blok strony lub nagłówka"));
            i = end;
        }
    }

    switch (ctx.catalogue) {
    case FormCatalogue::Dust:
        ApplyCatalogueValuesToForm(fields, CatalogueDust, options.forCatalogueView);
        break;
    case FormCatalogue::Biological:
        ApplyCatalogueValuesToForm(fields, CatalogueBiological, options.forCatalogueView);
        break;
    case FormCatalogue::Chemical:
        ApplyCatalogueValuesToForm(fields, CatalogueChemical, options.forCatalogueView);
        break;
    case FormCatalogue::None:
        break;
    }
}

} // namespace

QString FormRootName(const QString &relPath)
{
    const qsizetype sep = std::max(relPath.lastIndexOf('\\'), relPath.lastIndexOf('/'));
    QString base = relPath.mid(sep + 1);
    const qsizetype frm = base.indexOf(QLatin1String("_frm"));
    if (frm >= 0)
        return base.left(frm + 4);
    const qsizetype dot = base.indexOf('.');
    return dot >= 0 ? base.left(dot) : base;
}

QString FormVersionNumber(const QString &ver)
{
    const qsizetype dot = ver.indexOf('.');
    return dot >= 0 ? ver.left(dot) : ver;
}

QString FormDefinitionName(const QString &frmDane, const QString &ver)
{
    return frmDane + QLatin1String("_frm_") + FormVersionNumber(ver) + QLatin1String(".xml");
}

FormDefinitionFiles FormDefinitionFilesOnDisk()
{
    FormDefinitionFiles files;
    files.lines = [](const QString &storedPath) { return CachedTextXmlLines(storedPath, true); };
    files.catalogue = [](CatalogueKind kind) { return LoadCatalogueIndex(kind); };
    return files;
}

void ParseMeasurementForm(const QStringList &lines, const QString &relPath, TPomiarList &fields, int factorId,
                          const FormDefinitionFiles &files, const FormReadOptions &options, FormRootInfo *root)
{
    // Built aside, so that a definition that fails half-way adds nothing.
    TPomiarList read;
    FormRootInfo readRoot;
    readForm(lines, relPath, read, factorId, options, &readRoot, 0, files);
    if (root)
        *root = readRoot;
    fields.reserve(fields.size() + read.size());
    for (auto &p : read)
        fields.push_back(std::move(p));
}

namespace {

// The files a parsed definition was built from, to tell later whether it still holds.
struct FormSources
{
    std::vector<std::pair<QString, std::shared_ptr<const QStringList>>> files;
    std::vector<std::pair<CatalogueKind, std::shared_ptr<const CatalogueIndex>>> catalogues;
};

// Parsed definitions: every measurement of a workstation builds its items from the
// definition of its version, so each is parsed once and copied while its files stay as they were.
struct ParsedForm
{
    FormSources sources;
    TPomiarList items;
    FormRootInfo root;
};

QHash<QString, std::shared_ptr<const ParsedForm>> &parsedForms()
{
    static QHash<QString, std::shared_ptr<const ParsedForm>> c;
    return c;
}

bool stillHolds(const ParsedForm &p)
{
    try {
        for (const auto &[path, lines] : p.sources.files)
            if (CachedTextXmlLines(path, true) != lines)
                return false;
        for (const auto &[kind, index] : p.sources.catalogues)
            if (LoadCatalogueIndex(kind) != index)
                return false;
    } catch (const platform::TarvelinError &) {
        return false; // a file gone since: the read below reports it
    }
    return true;
}

} // namespace

void ReadMeasurementForm(const QString &relPath, TPomiarList &fields, int factorId, const FormReadOptions &options,
                         FormRootInfo *root)
{
    const QString key = relPath + QLatin1Char('|') + QString::number(factorId) +
                        (options.forCatalogueView ? QLatin1String("|1") : QLatin1String("|0"));
    auto &cache = parsedForms();
    std::shared_ptr<const ParsedForm> parsed = cache.value(key);
    if (!parsed || !stillHolds(*parsed)) {
        auto fresh = std::make_shared<ParsedForm>();
        // Every file the definition is built from is noted, to tell later whether it still holds.
        FormDefinitionFiles files;
        files.lines = [&](const QString &storedPath) {
            auto lines = CachedTextXmlLines(storedPath, true);
            fresh->sources.files.emplace_back(storedPath, lines);
            return lines;
        };
        files.catalogue = [&](CatalogueKind kind) {
            auto index = LoadCatalogueIndex(kind);
            fresh->sources.catalogues.emplace_back(kind, index);
            return index;
        };
        ParseMeasurementForm(*files.lines(relPath), relPath, fresh->items, factorId, files, options, &fresh->root);
        if (cache.size() > 512)
            cache.clear();
        cache.insert(key, fresh);
        parsed = fresh;
    }
    if (root)
        *root = parsed->root;
    fields.reserve(fields.size() + parsed->items.size());
    for (const auto &p : parsed->items)
        fields.push_back(p->Clone());
}

int ReadMeasurementFormRows(const QStringList &lines, TPomiarList &fields, int start, int pageNr, int factorId,
                            int &row, const QString &pageName, const QString &rootName, const FormReadOptions &options)
{
    const QString noPath;
    const FormDefinitionFiles files = FormDefinitionFilesOnDisk();
    RowsContext ctx{noPath, catalogueOf(rootName), nullptr, files};
    return readRows(lines, fields, start, pageNr, factorId, row, pageName, options, ctx);
}

void ClearFormDefinitionCache()
{
    parsedForms().clear();
    ClearFileCache();
}

} // namespace storage
