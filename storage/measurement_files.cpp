#include "storage/measurement_files.h"

#include "platform/cp1250.h"
#include "platform/paths.h"
#include "platform/tarvelin_error.h"
#include "platform/text_file.h"
#include "storage/damaged_files.h"
#include "storage/factors.h"
#include "storage/file_cache.h"
#include "storage/form_definition_files.h"
#include "storage/storage_errors.h"
#include "storage/text_xml.h"
#include "storage/visibility_rules.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>
#include <map>
#include <optional>
#include <QLocale>

namespace storage {

namespace {

// The factor id of a block's opening line (`<idczynn="5">`, or the root line of a file of
// one factor, `<halas_fizyczny_dane idczynn="5">`).
int blockId(const QString &line, bool &ok)
{
    return QLocale::c().toInt(ElementTag(line).Value(u"idczynn").trimmed(), &ok);
}

QString inFolder(const QString &folder, const QString &name)
{
    if (folder.isEmpty() || folder.endsWith('\\') || folder.endsWith('/'))
        return folder + name;
    return platform::JoinStoredPath(folder, name);
}

QString baseFileName(const QString &path)
{
    return path.mid(std::max(path.lastIndexOf('\\'), path.lastIndexOf('/')) + 1);
}

QString nameKindKey(const QString &nazwa, const QString &typ)
{
    return nazwa + QChar(0x1f) + typ;
}

// The items of one form version, read once per file and copied for each measurement,
// with the position of the first item of each name and kind.
struct Prototype
{
    TPomiarList fields;
    QHash<QString, int> byNameAndKind;
    std::vector<char> firstOfKey; // the item is the first of its name and kind

    // The item a value line fills: the one after the last filled when it fits (files are
    // written in item order), else the first of that name and kind.
    int find(QStringView nazwa, QStringView typ, int guess) const
    {
        // Pages, labels and headers without variants are not stored: look a few items on.
        const int last = std::min(int(fields.size()), guess + 8);
        for (int g = std::max(guess, 0); g < last; ++g) {
            const TPomiar &p = *fields[size_t(g)];
            if (firstOfKey[size_t(g)] && p.nazwa() == nazwa && p.typ() == typ)
                return g;
        }
        return byNameAndKind.value(nameKindKey(nazwa.toString(), typ.toString()), -1);
    }
};

// What a line of a measurement file is, by the tag it begins with. A value or a header
// that runs over several lines makes its further lines continuations, whatever they hold:
// a memo line that reads "<idczynn="7">" is text, never a block of factor 7.
enum class LineKind : unsigned char { Other, Block, BlockEnd, Measurement, MeasurementEnd, Value, Continuation };

struct FileStructure
{
    std::vector<LineKind> kinds; // by line index
    std::vector<int> blockStarts;
};

LineKind tagKind(QStringView line)
{
    const qsizetype lt = line.indexOf(u'<');
    if (lt < 0)
        return LineKind::Other;
    const QStringView rest = line.sliced(lt + 1);
    auto is = [&rest](QStringView name) {
        if (!rest.startsWith(name))
            return false;
        if (rest.size() == name.size())
            return true;
        const QChar c = rest[name.size()];
        return c.isSpace() || c == u'>' || c == u'=' || c == u'"' || c == u'/';
    };
    if (rest.startsWith(u'/'))
        return is(u"/pomiar") ? LineKind::MeasurementEnd : is(u"/idczynn") ? LineKind::BlockEnd : LineKind::Other;
    return is(u"dane") ? LineKind::Value : is(u"pomiar") ? LineKind::Measurement
                                          : is(u"idczynn") ? LineKind::Block
                                                           : LineKind::Other;
}

FileStructure structureOf(const QStringList &lines)
{
    FileStructure s;
    const int n = int(lines.size());
    s.kinds.assign(size_t(n), LineKind::Other);
    for (int i = 1; i < n; ++i) {
        const LineKind kind = tagKind(lines[i]);
        s.kinds[size_t(i)] = kind;
        if (kind == LineKind::Block)
            s.blockStarts.push_back(i);
        bool open = false;
        TagEndScan header;
        if (kind == LineKind::Value)
            open = !ElementTag(lines[i]).After().contains(u"</");
        else if (kind == LineKind::Measurement)
            open = !header.Feed(lines[i]);
        // The lines a value (up to the one that holds "</") or a header (up to its ">") runs
        // on over; one that never ends takes the rest of the file.
        while (open && i + 1 < n) {
            ++i;
            s.kinds[size_t(i)] = LineKind::Continuation;
            open = kind == LineKind::Value ? !lines[i].contains(QLatin1String("</")) : !header.Feed(lines[i]);
        }
    }
    return s;
}

// The factors of a shared file are read one after another from the same decoded lines, so
// the last answer is kept.
const FileStructure &cachedStructure(const std::shared_ptr<const QStringList> &lines)
{
    static std::weak_ptr<const QStringList> lastLines;
    static FileStructure last;
    if (lastLines.lock() != lines) {
        last = structureOf(*lines);
        lastLines = lines;
    }
    return last;
}

int intAt(QStringView text, const QString &path, int lineIndex, const QString &what)
{
    int v = 0;
    if (PlainInt(text, v))
        return v;
    return ToIntAt(text.toString(), path, lineIndex, what);
}

short headerRating(const ElementTag &header, const char *name, const QString &path, int lineIndex)
{
    // Plain digits are the rule; anything else goes through the strict conversion.
    const QLatin1String key(name);
    const int v = intAt(header.Raw(key), path, lineIndex, QStringLiteral("Ocena %1").arg(key));
    if (v < SHRT_MIN || v > SHRT_MAX)
        ThrowFileError(path, lineIndex, QStringLiteral("ocena %1 poza zakresem").arg(QLatin1String(name)));
    return short(v);
}

bool holdsData(const FileStructure &s)
{
    return std::any_of(s.kinds.begin(), s.kinds.end(),
                       [](LineKind k) { return k == LineKind::Measurement || k == LineKind::Block; });
}

} // namespace

bool UsesSharedLayout(const QString &ident, const QString &frmDane, int id)
{
    return ident == QLatin1String("chem") || ident == QLatin1String("biol") ||
           frmDane.contains(QLatin1String("mechaniczne")) || frmDane.contains(QLatin1String("met5Krok")) ||
           frmDane.contains(QLatin1String("metRiskScore")) ||
           (ident == QLatin1String("pyly") && id > SharedDustIdBoundary);
}

bool UsesSharedLayout(const TCzynnik &f)
{
    return UsesSharedLayout(f.ident, f.frm_dane, f.id);
}

QString MeasurementFileName(const QString &frmDane)
{
    return frmDane + QLatin1String("_dane.xml");
}

QString MeasurementFileBaseFromDefinition(const QString &definitionName)
{
    const QString base = baseFileName(definitionName);
    const qsizetype frm = base.indexOf(QLatin1String("_frm"));
    if (frm < 0)
        return QString();
    return base.left(frm + 1) + QLatin1String("dane");
}

// ---- reading -----------------------------------------------------------------------------

MeasurementFormFields MeasurementFormFieldsIn(const QString &formsFolder, const QString &frmDane, int factorId)
{
    return [formsFolder, frmDane, factorId](const QString &ver, TPomiarList &fields) {
        ReadMeasurementForm(inFolder(formsFolder, FormDefinitionName(frmDane, ver)), fields, factorId);
    };
}

namespace {

void readMeasurementLines(const QStringList &lines, const FileStructure &structure, const QString &path,
                          TMeasurementList &read, int factorId, const MeasurementFormFields &formFields);

void parseMeasurements(const QStringList &lines, const FileStructure &structure, const QString &path,
                       TMeasurementList &measurements, int factorId, const MeasurementFormFields &formFields)
{
    // A file cut short, emptied or filled with something else is read as far as it goes, so
    // what it still holds can be seen; the error says it is not whole.
    const bool whole = EndsWithRootClose(lines);
    if (whole && !holdsData(structure)) { // a bare file holds no measurements
        measurements.clear();
        return;
    }
    TMeasurementList read;
    std::exception_ptr failure;
    try {
        readMeasurementLines(lines, structure, path, read, factorId, formFields);
    } catch (const platform::TarvelinError &) {
        failure = std::current_exception();
    }
    for (auto &m : read)
        ApplyFieldVisibilityRules(factorId, m->ver, path, m->Fields);
    measurements = std::move(read);
    if (!whole)
        ThrowStructureError(path, lines.isEmpty() ? QStringLiteral("plik jest pusty")
                                                  : QStringLiteral("plik jest niekompletny"));
    if (failure)
        std::rethrow_exception(failure);
}

// The measurements of factorId in the lines, appended to read; throws at the first fault.
void readMeasurementLines(const QStringList &lines, const FileStructure &structure, const QString &path,
                          TMeasurementList &read, int factorId, const MeasurementFormFields &formFields)
{
    std::map<QString, Prototype> prototypes; // by form version
    auto prototypeFor = [&](const QString &ver) -> Prototype & {
        auto it = prototypes.find(ver);
        if (it != prototypes.end())
            return it->second;
        Prototype p;
        formFields(ver, p.fields);
        p.firstOfKey.assign(p.fields.size(), 0);
        for (int i = 0; i < int(p.fields.size()); ++i) {
            const QString key = nameKindKey(p.fields[i]->nazwa(), p.fields[i]->typ());
            if (!p.byNameAndKind.contains(key)) {
                p.byNameAndKind.insert(key, i);
                p.firstOfKey[size_t(i)] = 1;
            }
        }
        return prototypes.emplace(ver, std::move(p)).first->second;
    };

    const std::vector<LineKind> &kinds = structure.kinds;
    const std::vector<int> &starts = structure.blockStarts;
    bool inBlock = true;
    // The measurement the value lines fill: the one whose header came last. A measurement
    // refused for its date (a second one with the same date) takes no values.
    TPomiarCzynn *current = nullptr;
    const Prototype *currentProto = nullptr;
    int nextItem = 0;

    for (int i = 1; i < lines.size(); ++i) {
        const QString &line = lines[i];
        const LineKind kind = kinds[size_t(i)];
        if (kind == LineKind::Block) {
            bool ok = false;
            const int id = blockId(line, ok);
            inBlock = ok && id == factorId;
            if (!inBlock) {
                // Nothing of another factor's block is read: go on at the next block.
                const auto it = std::upper_bound(starts.begin(), starts.end(), i);
                if (it == starts.end())
                    break;
                i = *it - 1;
            }
            continue;
        }
        if (!inBlock)
            continue;
        if (kind == LineKind::BlockEnd)
            break;
        if (kind == LineKind::MeasurementEnd) {
            current = nullptr;
            currentProto = nullptr;
            continue;
        }
        if (kind == LineKind::Measurement) {
            // The header: this line and the lines its values run on over, up to its ">".
            const int headerLine = i;
            QString header = line;
            while (i + 1 < lines.size() && kinds[size_t(i + 1)] == LineKind::Continuation)
                header += QLatin1Char('\n') + lines[++i];
            const ElementTag h(header);
            if (!h.Closed())
                ThrowFileError(path, headerLine, QStringLiteral("nagłówek pomiaru nie jest zamknięty"));
            const QString ver = FormVersionNumber(h.Value(u"ver"));
            auto m = std::make_unique<TPomiarCzynn>(TMeasurementAttributes{
                .id = intAt(h.Raw(u"id"), path, headerLine, QStringLiteral("Numer pomiaru")),
                .data = h.Value(u"data"),
                .mscPom = h.Value(u"mscPom"),
                .wykpom = h.Value(u"wykpom"),
                .metpom = h.Value(u"metpom"),
                .interwyn = h.Value(u"interwyn"),
                .srodogrryz = h.Value(u"srodogrryz"),
                .ver = ver,
                .ocenam = headerRating(h, "ocenam", path, headerLine),
                .ocenak = headerRating(h, "ocenak", path, headerLine),
                .ocenakc = headerRating(h, "ocenakc", path, headerLine),
                .ocenaml = headerRating(h, "ocenaml", path, headerLine),
                .ocenamax = headerRating(h, "ocenamax", path, headerLine),
                .ocenakon = headerRating(h, "ocenakon", path, headerLine),
            });
            Prototype &proto = prototypeFor(ver);
            m->Fields = CloneFields(proto.fields);
            current = AddMeasurement(read, std::move(m));
            currentProto = current ? &proto : nullptr;
            nextItem = 0;
            continue;
        }
        if (kind != LineKind::Value || !current || !currentProto)
            continue; // a value's further lines are passed over with it
        // Attributes come from the opening tag only, so a value can never pass for one.
        const ElementTag tag(line);
        QString value;
        if (tag.After().contains(u"</")) {
            value = tag.Text();
        } else {
            const QString joined = JoinContinuationLines(lines, line, i);
            value = ElementTag(joined).Text();
        }
        const int at = currentProto->find(tag.Raw(u"nazwa"), tag.Raw(u"typ"), nextItem);
        if (at < 0)
            continue; // a field the form version no longer has
        nextItem = at + 1;
        TPomiar &item = *current->Fields[size_t(at)];
        item.Value = value;
        if (const QStringView nrzal = tag.Raw(u"nrzal"); !nrzal.isEmpty())
            item.ChoiceNr = intAt(nrzal, path, i, QStringLiteral("Atrybut nrzal"));
        if (const QStringView nrwyb = tag.Raw(u"nrwyb"); !nrwyb.isEmpty())
            item.ChoiceNr = intAt(nrwyb, path, i, QStringLiteral("Atrybut nrwyb"));
    }
}

} // namespace

void ReadMeasurements(const QString &folder, const QString &frmDane, TMeasurementList &measurements, int factorId,
                      const QString &formsFolder)
{
    const QString path = inFolder(folder, MeasurementFileName(frmDane));
    // The lines of a shared file stay decoded while its factors are read one after another.
    std::shared_ptr<const QStringList> cached;
    try {
        cached = CachedTextXmlLinesIfExists(path, false);
        if (!cached) {
            MarkFileReadWhole(path);
            measurements.clear();
            return;
        }
        parseMeasurements(*cached, cachedStructure(cached), path, measurements, factorId,
                          MeasurementFormFieldsIn(formsFolder, frmDane, factorId));
    } catch (const FileDamagedError &e) {
        // A fault of a form definition the read needed leaves this file as it is.
        if (e.path() == path)
            MarkFileDamaged(path);
        throw;
    } catch (const platform::TarvelinError &) {
        if (!cached) // there, but it could not be read
            MarkFileDamaged(path);
        throw;
    }
    MarkFileReadWhole(path);
}

void ParseMeasurements(const QStringList &lines, const QString &path, TMeasurementList &measurements, int factorId,
                       const MeasurementFormFields &formFields)
{
    parseMeasurements(lines, structureOf(lines), path, measurements, factorId, formFields);
}

// ---- writing -----------------------------------------------------------------------------

namespace {

bool isStoredKind(const QString &typ)
{
    return typ == QLatin1String("edit") || typ == QLatin1String("combo") || typ == QLatin1String("memo") ||
           typ == QLatin1String("checkbox") || typ == QLatin1String("form");
}

} // namespace

namespace {

// A file's text built in one piece: every line ends CR LF, and line breaks inside values
// become CR LF too.
class FileText
{
public:
    FileText() { line(XmlDeclaration()); }

    void line(QStringView l)
    {
        append(l);
        m_text += QLatin1String("\r\n");
    }

    // Appends text, its line breaks written as CR LF.
    void append(QStringView v)
    {
        bool plain = true;
        for (QChar c : v) {
            if (c.unicode() == u'\n' || c.unicode() == u'\r') {
                plain = false;
                break;
            }
        }
        if (plain) {
            m_text += v;
            return;
        }
        for (qsizetype i = 0; i < v.size(); ++i) {
            const char16_t c = v[i].unicode();
            if (c == u'\r') {
                if (i + 1 < v.size() && v[i + 1].unicode() == u'\n')
                    ++i;
                m_text += QLatin1String("\r\n");
            } else if (c == u'\n') {
                m_text += QLatin1String("\r\n");
            } else {
                m_text += QChar(c);
            }
        }
    }

    void attr(QLatin1String name, const QString &value)
    {
        m_text += QLatin1Char(' ');
        m_text += name;
        m_text += QLatin1String("=\"");
        if (value.contains(QLatin1Char('"')) || value.contains(QLatin1Char('&')))
            append(AttributeText(value));
        else
            append(value);
        m_text += QLatin1Char('"');
    }

    void attr(QLatin1String name, int value)
    {
        m_text += QLatin1Char(' ');
        m_text += name;
        m_text += QLatin1String("=\"");
        number(value);
        m_text += QLatin1Char('"');
    }

    // Decimal text of v without a temporary string.
    void number(int v)
    {
        char buf[16];
        int n = 0;
        unsigned u = v < 0 ? 0u - unsigned(v) : unsigned(v);
        do {
            buf[n++] = char('0' + u % 10);
            u /= 10;
        } while (u);
        if (v < 0)
            m_text += QLatin1Char('-');
        while (n)
            m_text += QLatin1Char(buf[--n]);
    }

    void raw(QLatin1String t) { m_text += t; }

    void measurement(const TPomiarCzynn &m)
    {
        raw(QLatin1String(" <pomiar"));
        attr(QLatin1String("id"), m.id);
        attr(QLatin1String("ver"), m.ver);
        attr(QLatin1String("data"), m.data);
        attr(QLatin1String("mscPom"), m.mscPom);
        attr(QLatin1String("wykpom"), m.wykpom);
        attr(QLatin1String("metpom"), m.metpom);
        attr(QLatin1String("interwyn"), m.interwyn);
        attr(QLatin1String("srodogrryz"), m.srodogrryz);
        attr(QLatin1String("ocenam"), m.ocenam);
        attr(QLatin1String("ocenak"), m.ocenak);
        attr(QLatin1String("ocenakc"), m.ocenakc);
        attr(QLatin1String("ocenaml"), m.ocenaml);
        attr(QLatin1String("ocenamax"), m.ocenamax);
        attr(QLatin1String("ocenakon"), m.ocenakon);
        raw(QLatin1String(">\r\n"));
        for (const auto &f : m.Fields) {
            const bool header = f->typ() == QLatin1String("naglowek");
            if (header ? f->ChoiceNr == 0 : !isStoredKind(f->typ()))
                continue;
            raw(QLatin1String("  <dane"));
            attr(QLatin1String("nazwa"), f->nazwa());
            attr(QLatin1String("typ"), f->typ());
            if (header)
                attr(QLatin1String("nrwyb"), f->ChoiceNr);
            else if (f->typ() == QLatin1String("combo"))
                attr(QLatin1String("nrzal"), f->ChoiceNr);
            raw(QLatin1String(">"));
            append(f->Value);
            raw(QLatin1String("</dane>\r\n"));
        }
        raw(QLatin1String(" </pomiar>\r\n"));
    }

    void block(const TCzynnik &f)
    {
        line(QStringLiteral("<idczynn=\"%1\">").arg(f.id));
        for (const auto &m : f.Measurements)
            measurement(*m);
        line(u"</idczynn>");
    }

    QByteArray bytes() const { return platform::EncodeCp1250(m_text); }

    const QString &text() const { return m_text; }

private:
    QString m_text;
};

} // namespace

QStringList MeasurementLines(const TPomiarCzynn &m)
{
    FileText t;
    t.measurement(m);
    QStringList lines = t.text().split(QLatin1String("\r\n"));
    lines.removeFirst(); // the declaration
    lines.removeLast();  // after the last line end
    return lines;
}

namespace {

// One part of an existing measurement file: a factor's block (its lines from "<idczynn"
// to "</idczynn", or the content of a single-layout file) or lines between blocks.
struct Segment
{
    bool isBlock = false;
    bool idKnown = false;
    int id = 0;
    bool singleLayout = false; // content of a single-layout file, without block lines
    QStringList lines;
};

// Splits the lines of an existing file into segments.
std::vector<Segment> segmentsOf(const QStringList &lines)
{
    std::vector<Segment> segments;
    if (lines.size() < 2)
        return segments;
    // The closing root line stands last; a file cut short keeps every line it has.
    int end = int(lines.size()) - 1;
    while (end > 1 && IsBlankLine(lines[end]))
        --end;
    const bool closed = EndsWithRootClose(lines);
    const int contentEnd = closed ? end : end + 1; // exclusive
    const int root = std::max(RootLineIndex(lines), 1);
    const QString &rootLine = lines[root];
    const FileStructure structure = structureOf(lines);
    auto kindAt = [&structure](int i) { return structure.kinds[size_t(i)]; };
    // A file that holds blocks is split by them whatever its root line says.
    bool holdsBlocks = false;
    for (int i = root + 1; i < contentEnd && !holdsBlocks; ++i)
        holdsBlocks = kindAt(i) == LineKind::Block;
    if (const ElementTag rootTag(rootLine); !holdsBlocks && !rootTag.Opens(u"idczynn") && rootTag.Has(u"idczynn")) {
        Segment s;
        s.isBlock = true;
        s.singleLayout = true;
        s.id = blockId(rootLine, s.idKnown);
        for (int i = root + 1; i < contentEnd; ++i)
            s.lines << lines[i];
        segments.push_back(std::move(s));
        return segments;
    }
    Segment loose;
    for (int i = root + 1; i < contentEnd; ++i) {
        const QString &line = lines[i];
        if (kindAt(i) != LineKind::Block) {
            loose.lines << line;
            continue;
        }
        if (!loose.lines.isEmpty()) {
            segments.push_back(std::move(loose));
            loose = Segment();
        }
        Segment b;
        b.isBlock = true;
        b.id = blockId(line, b.idKnown);
        b.lines << line;
        int j = i + 1;
        for (; j < contentEnd; ++j) {
            b.lines << lines[j];
            if (kindAt(j) == LineKind::BlockEnd)
                break;
        }
        if (j >= contentEnd) // a block left open runs to the end of the file
            b.lines << QStringLiteral("</idczynn>");
        segments.push_back(std::move(b));
        i = j;
    }
    if (!loose.lines.isEmpty())
        segments.push_back(std::move(loose));
    return segments;
}

// A stored block as written in the shared layout.
void appendStoredBlock(FileText &out, const Segment &s)
{
    if (s.singleLayout)
        out.line(QStringLiteral("<idczynn=\"%1\">").arg(s.id));
    for (const QString &l : s.lines)
        out.line(l);
    if (s.singleLayout)
        out.line(u"</idczynn>");
}

} // namespace

namespace {

// One measurement file of a save: the bytes to write (none when nothing of it was read
// whole: it stays as it stands), or why it is not to be written.
struct PlannedFile
{
    QString path; // stored form
    std::optional<QByteArray> bytes;
    StorageResult refusal;
};

PlannedFile planMeasurementFile(const QString &folder, const QString &fileBase,
                                const std::vector<const TCzynnik *> &factors)
{
    PlannedFile plan{inFolder(folder, fileBase + QLatin1String(".xml")), std::nullopt, {}};
    if (std::none_of(factors.begin(), factors.end(), [](const TCzynnik *f) { return f && !f->MeasurementsIncomplete; }))
        return plan; // a file of factors none of which was read whole is not written at all
    plan.refusal = RefuseDamagedFile(plan.path);
    if (!plan.refusal)
        return plan;
    plan.refusal = StorableMeasurements(plan.path, factors);
    if (!plan.refusal)
        return plan;
    std::shared_ptr<const QStringList> existing;
    try {
        existing = CachedTextXmlLinesIfExists(plan.path, false);
    } catch (const platform::TarvelinError &) {
        plan.refusal = StorageResult::Failure(FileReadFailureText(plan.path));
        return plan;
    }
    // The blocks of the other factors come from the file: one that is not whole (damaged
    // since it was read, or never read) is not written over.
    if (existing && !EndsWithRootClose(*existing)) {
        MarkFileDamaged(plan.path);
        plan.refusal = StorageResult::Failure(DamagedFileRefusalText(plan.path));
        return plan;
    }
    plan.bytes = MeasurementFileBytes(existing.get(), fileBase, factors);
    return plan;
}

// Writes the planned files together: every one whole, or none (a refused one stops all).
StorageResult writePlanned(const std::vector<PlannedFile> &plans)
{
    std::vector<StoredFileWrite> files;
    for (const PlannedFile &p : plans) {
        if (!p.refusal)
            return p.refusal;
        if (p.bytes)
            files.push_back({p.path, *p.bytes});
    }
    return files.empty() ? StorageResult() : WriteStoredFiles(files);
}

} // namespace

StorageResult StorableMeasurements(const QString &path, const std::vector<const TCzynnik *> &factors)
{
    StorableTexts texts;
    for (const TCzynnik *f : factors) {
        if (!f || f->MeasurementsIncomplete)
            continue;
        for (const auto &m : f->Measurements) {
            const QString what = QStringLiteral("pomiar z dnia %1").arg(m->data);
            for (const QString *v :
                 {&m->ver, &m->data, &m->mscPom, &m->wykpom, &m->metpom, &m->interwyn, &m->srodogrryz})
                texts.Check(what, *v, TextPlace::LinesAttribute);
            for (const auto &p : m->Fields) {
                texts.Check(what, p->nazwa(), TextPlace::Attribute);
                texts.Check(what, p->typ(), TextPlace::Attribute);
                texts.Check(p->nazwa(), p->Value, TextPlace::LinesText);
            }
        }
    }
    return texts.Result(path);
}

StorageResult WriteMeasurementFile(const QString &folder, const QString &fileBase,
                                   const std::vector<const TCzynnik *> &factors)
{
    return writePlanned({planMeasurementFile(folder, fileBase, factors)});
}

std::optional<QByteArray> MeasurementFileBytes(const QStringList *existingLines, const QString &fileBase,
                                               const std::vector<const TCzynnik *> &factors)
{
    const std::vector<Segment> existing = existingLines ? segmentsOf(*existingLines) : std::vector<Segment>();
    // Factors written now; one whose measurements were not read whole keeps its stored block.
    std::vector<const TCzynnik *> writing;
    QSet<int> writingIds;
    bool shared = false;
    for (const TCzynnik *f : factors) {
        if (!f || writingIds.contains(f->id))
            continue;
        if (UsesSharedLayout(*f))
            shared = true;
        if (f->MeasurementsIncomplete)
            continue;
        writing.push_back(f);
        writingIds.insert(f->id);
    }
    // Blocks of other factors in the file stay; the single layout cannot hold them.
    for (const Segment &s : existing)
        if (s.isBlock && (!s.idKnown || !writingIds.contains(s.id)))
            shared = true;
    if (writing.empty())
        return std::nullopt;

    FileText out;
    if (!shared) {
        const TCzynnik &f = *writing.front();
        out.line(QStringLiteral("<%1 idczynn=\"%2\">").arg(fileBase).arg(f.id));
        for (const auto &m : f.Measurements)
            out.measurement(*m);
        out.line(QStringLiteral("</%1>").arg(fileBase));
        return out.bytes();
    }
    // The shared root line has always carried a stray quote; readers ignore the line.
    out.line(QStringLiteral("<%1\">").arg(fileBase));
    QSet<int> written;
    for (const Segment &s : existing) {
        if (!s.isBlock) {
            for (const QString &l : s.lines)
                out.line(l);
            continue;
        }
        if (s.idKnown && writingIds.contains(s.id) && !written.contains(s.id)) {
            for (const TCzynnik *f : writing)
                if (f->id == s.id)
                    out.block(*f);
            written.insert(s.id);
            continue;
        }
        appendStoredBlock(out, s);
    }
    for (const TCzynnik *f : writing)
        if (!written.contains(f->id))
            out.block(*f);
    out.line(QStringLiteral("</%1>").arg(fileBase));
    return out.bytes();
}

namespace {

bool sameFile(const TCzynnik &a, const TCzynnik &b)
{
    return QString::compare(a.frm_dane, b.frm_dane, Qt::CaseInsensitive) == 0;
}

bool takesPartInDustSum(const TCzynnik &f)
{
    for (const auto &m : f.Measurements)
        for (const auto &p : m->Fields)
            if (p->nazwa().contains(QLatin1String("cbSumNDS")) && p->Value == QLatin1String("True"))
                return true;
    return false;
}

// The files a save writes (by file base) with the factors written into each.
using FileGroups = std::vector<std::pair<QString, std::vector<const TCzynnik *>>>;

void addToFile(FileGroups &groups, const QString &fileBase, const TCzynnik *f)
{
    for (auto &[base, factors] : groups) {
        if (QString::compare(base, fileBase, Qt::CaseInsensitive) != 0)
            continue;
        if (std::find(factors.begin(), factors.end(), f) == factors.end())
            factors.push_back(f);
        return;
    }
    groups.push_back({fileBase, {f}});
}

// The dusts of workstationFactors other than factorId whose measurements take part in the
// workstation sum, each in its own file in its own layout (other blocks kept).
void addSummedDusts(const std::vector<const TCzynnik *> &workstationFactors, int factorId, FileGroups &groups)
{
    for (const TCzynnik *f : workstationFactors) {
        if (!f || f->ident != QLatin1String("pyly") || f->Measurements.empty() || f->id == factorId)
            continue;
        if (!takesPartInDustSum(*f))
            continue;
        addToFile(groups, MeasurementFileBaseFromDefinition(FormDefinitionName(f->frm_dane, f->ver_pom)), f);
    }
}

StorageResult writeGroups(const QString &workstationFolder, const FileGroups &groups)
{
    std::vector<PlannedFile> plans;
    for (const auto &[base, factors] : groups)
        plans.push_back(planMeasurementFile(workstationFolder, base, factors));
    return writePlanned(plans);
}

} // namespace

StorageResult WriteMeasurements(const MeasurementSaveRequest &request)
{
    const TCzynnik *current = request.current;
    if (!current || request.workstationFolder.isEmpty())
        return StorageResult::Failure(QStringLiteral("Źle zaznaczono dane"));
    // The reader finds the file by the factor's form name; write where it reads.
    QString fileBase = current->frm_dane.isEmpty() ? MeasurementFileBaseFromDefinition(request.formFileName)
                                                   : current->frm_dane + QLatin1String("_dane");
    if (fileBase.isEmpty())
        return StorageResult::Failure(QStringLiteral("Źle zaznaczono dane"));
    if (current->MeasurementsIncomplete) {
        const QString path = inFolder(request.workstationFolder, fileBase + QLatin1String(".xml"));
        if (StorageResult refused = RefuseDamagedFile(path); !refused)
            return refused;
        return StorageResult::Failure(
            QStringLiteral(
                "Pomiary czynnika \"%1\" nie zostały wczytane w całości z pliku %2, więc nie zostaną zapisane.")
                .arg(current->nazwa, path));
    }

    std::vector<const TCzynnik *> factors;
    if (!UsesSharedLayout(*current)) {
        factors.push_back(current);
    } else {
        const QString &frm = current->frm_dane;
        for (const TCzynnik *f : request.listedFactors) {
            if (!f || f->ident != current->ident || !sameFile(*f, *current))
                continue;
            if (frm.contains(QLatin1String("met5Krok"))) {
                if (!f->frm_dane.contains(QLatin1String("met5Krok")))
                    continue;
            } else if (frm.contains(QLatin1String("metRiskScore"))) {
                if (!f->frm_dane.contains(QLatin1String("metRiskScore")))
                    continue;
            } else if (frm.contains(QLatin1String("mechaniczne"))) {
                if (!f->frm_dane.contains(QLatin1String("mechaniczne")))
                    continue;
            }
            if (f->ident == QLatin1String("pyly") && f->id <= SharedDustIdBoundary)
                continue;
            factors.push_back(f);
        }
        bool listed = false;
        for (const TCzynnik *f : factors)
            listed = listed || f == current || f->id == current->id;
        if (!listed)
            factors.insert(factors.begin(), current);
    }
    FileGroups groups{{fileBase, factors}};
    // The workstation sum over dusts makes the other dusts' stored ratings depend on this one:
    // their files are written with it, all or none.
    if (current->ident == QLatin1String("pyly"))
        addSummedDusts(request.workstationFactors, current->id, groups);
    return writeGroups(request.workstationFolder, groups);
}

StorageResult WriteDustMeasurements(const QString &workstationFolder,
                                    const std::vector<const TCzynnik *> &workstationFactors, int factorId)
{
    FileGroups groups;
    addSummedDusts(workstationFactors, factorId, groups);
    return writeGroups(workstationFolder, groups);
}

} // namespace storage
