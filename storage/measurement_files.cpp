#include "storage/measurement_files.h"

#include "platform/paths.h"
#include "platform/prompter.h"
#include "platform/tarvelin_error.h"
#include "platform/text_file.h"
#include "storage/factors.h"
#include "storage/file_cache.h"
#include "storage/form_definition_files.h"
#include "storage/storage_errors.h"
#include "storage/text_xml.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>
#include <map>
#include <QLocale>

namespace storage {

namespace {

QString attr(const char *name, const QString &text)
{
    return ReadAttributeValue(QLatin1String(name) + QLatin1String("=\""), text);
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

short ratingAt(const QString &header, const char *name, const QString &path, int lineIndex)
{
    const QString key = QLatin1String(name) + QLatin1String("=\"");
    const qsizetype at = header.indexOf(key);
    QStringView text;
    if (at >= 0) {
        const qsizetype start = at + key.size();
        const qsizetype end = header.indexOf(QLatin1Char('"'), start);
        text = end < 0 ? QStringView(header).mid(start) : QStringView(header).mid(start, end - start);
    }
    bool ok = false;
    int v = QLocale::c().toInt(text.trimmed(), &ok);
    if (!ok)
        v = ToIntAt(text.toString(), path, lineIndex, QStringLiteral("Ocena %1").arg(QLatin1String(name)));
    if (v < SHRT_MIN || v > SHRT_MAX)
        ThrowFileError(path, lineIndex, QStringLiteral("ocena %1 poza zakresem").arg(QLatin1String(name)));
    return short(v);
}

QString nameKindKey(const QString &nazwa, const QString &typ)
{
    return nazwa + QChar(0x1f) + typ;
}

// An attribute value found in a text without copying it; "&quot;" decoded when present.
class AttrView
{
public:
    AttrView() = default;
    explicit AttrView(QStringView raw) : m_view(raw)
    {
        if (raw.contains(QLatin1String("&quot;"))) {
            m_decoded = raw.toString();
            m_decoded.replace(QLatin1String("&quot;"), QLatin1String("\""));
            m_view = m_decoded;
        }
    }
    QStringView text() const { return m_view; }

private:
    QStringView m_view;
    QString m_decoded;
};

// As ReadAttributeValue.
AttrView attrView(const QString &key, QStringView text)
{
    const qsizetype at = text.indexOf(key);
    if (at < 0)
        return AttrView();
    const qsizetype start = text.indexOf(QLatin1Char('"'), at) + 1;
    const qsizetype end = text.indexOf(QLatin1Char('"'), start);
    return AttrView(end < 0 ? text.mid(start) : text.mid(start, end - start));
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
            if (firstOfKey[size_t(g)] && p.nazwa == nazwa && p.typ == typ)
                return g;
        }
        return byNameAndKind.value(nameKindKey(nazwa.toString(), typ.toString()), -1);
    }
};

// Name of the element a root line opens ("<chemiczny_dane\">" gives chemiczny_dane).
QString rootElementName(const QString &line)
{
    const QString t = line.trimmed();
    if (!t.startsWith('<'))
        return QString();
    qsizetype end = 1;
    while (end < t.size() && !t[end].isSpace() && t[end] != '>' && t[end] != '"' && t[end] != '/')
        ++end;
    return t.mid(1, end - 1);
}

// Whether the file was written to its end: its last line closes the root element.
bool endsWithRootClose(const QStringList &lines)
{
    int last = int(lines.size()) - 1;
    while (last >= 0 && lines[last].trimmed().isEmpty())
        --last;
    if (last < 2)
        return false;
    const QString root = rootElementName(lines[1]);
    return !root.isEmpty() && lines[last].trimmed().startsWith(QLatin1String("</") + root);
}

// Which tags a line holds, found in one pass over its "<" characters.
struct LineTags
{
    bool idczynn = false;      // "<idczynn"
    bool pomiar = false;       // "<pomiar"
    bool dane = false;         // "<dane"
    bool pomiarClose = false;  // "</pomiar"
    bool idczynnClose = false; // "</idczynn"
    bool close = false;        // "</"
};

LineTags classify(const QString &line)
{
    LineTags t;
    const qsizetype n = line.size();
    for (qsizetype p = line.indexOf(QLatin1Char('<')); p >= 0; p = line.indexOf(QLatin1Char('<'), p + 1)) {
        const QStringView rest = QStringView(line).mid(p + 1, n - p - 1);
        if (rest.startsWith(u'/')) {
            t.close = true;
            if (rest.startsWith(u"/pomiar"))
                t.pomiarClose = true;
            else if (rest.startsWith(u"/idczynn"))
                t.idczynnClose = true;
        } else if (rest.startsWith(u"idczynn")) {
            t.idczynn = true;
        } else if (rest.startsWith(u"pomiar")) {
            t.pomiar = true;
        } else if (rest.startsWith(u"dane")) {
            t.dane = true;
        }
    }
    return t;
}

bool holdsData(const QStringList &lines)
{
    for (int i = 1; i < lines.size(); ++i)
        if (lines[i].contains(QLatin1String("<pomiar")) || lines[i].contains(QLatin1String("<idczynn")))
            return true;
    return false;
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

void ReadMeasurements(const QString &folder, const QString &frmDane, TMeasurementList &measurements, int factorId,
                      const QString &formsFolder)
{
    const QString path = inFolder(folder, MeasurementFileName(frmDane));
    // The lines of a shared file stay decoded while its factors are read one after another.
    const auto cached = CachedTextXmlLinesIfExists(path, false);
    if (!cached) {
        measurements.clear();
        return;
    }
    const QStringList &lines = *cached;
    if (!holdsData(lines)) { // an empty or bare file holds no measurements
        measurements.clear();
        return;
    }
    if (!endsWithRootClose(lines))
        ThrowStructureError(path, QStringLiteral("plik jest niekompletny"));

    TMeasurementList read;
    std::map<QString, Prototype> prototypes; // by form version
    auto prototypeFor = [&](const QString &ver) -> Prototype & {
        auto it = prototypes.find(ver);
        if (it != prototypes.end())
            return it->second;
        Prototype p;
        ReadMeasurementForm(inFolder(formsFolder, FormDefinitionName(frmDane, ver)), p.fields, factorId);
        p.firstOfKey.assign(p.fields.size(), 0);
        for (int i = 0; i < int(p.fields.size()); ++i) {
            const QString key = nameKindKey(p.fields[i]->nazwa, p.fields[i]->typ);
            if (!p.byNameAndKind.contains(key)) {
                p.byNameAndKind.insert(key, i);
                p.firstOfKey[size_t(i)] = 1;
            }
        }
        return prototypes.emplace(ver, std::move(p)).first->second;
    };

    bool inBlock = true;
    bool inHeader = false;
    QString header;
    int headerLine = 0;
    int pendingId = 0;
    QString pendingVer;
    QString pendingData;
    // The measurement the value lines fill: the one whose header came last. A measurement
    // refused for its date (a second one with the same date) takes no values.
    TPomiarCzynn *current = nullptr;
    const Prototype *currentProto = nullptr;
    int nextItem = 0;
    static const QString kNazwa = QStringLiteral("nazwa=\""), kTyp = QStringLiteral("typ=\""),
                         kNrzal = QStringLiteral("nrzal=\""), kNrwyb = QStringLiteral("nrwyb=\""),
                         kIdczynn = QStringLiteral("idczynn=\""), kId = QStringLiteral("id=\""),
                         kVer = QStringLiteral("ver=\""), kData = QStringLiteral("data=\"");

    static const QString kMscPom = QStringLiteral("mscPom=\""), kWykpom = QStringLiteral("wykpom=\""),
                         kMetpom = QStringLiteral("metpom=\""), kInterwyn = QStringLiteral("interwyn=\""),
                         kSrodogrryz = QStringLiteral("srodogrryz=\"");
    auto createFromHeader = [&]() {
        auto m = std::make_unique<TPomiarCzynn>(
            pendingId, pendingData, ReadAttributeValue(kMscPom, header), ReadAttributeValue(kWykpom, header),
            ReadAttributeValue(kMetpom, header), ReadAttributeValue(kInterwyn, header),
            ReadAttributeValue(kSrodogrryz, header), pendingVer, ratingAt(header, "ocenam", path, headerLine),
            ratingAt(header, "ocenak", path, headerLine), ratingAt(header, "ocenakc", path, headerLine),
            ratingAt(header, "ocenaml", path, headerLine), ratingAt(header, "ocenamax", path, headerLine),
            ratingAt(header, "ocenakon", path, headerLine));
        Prototype &proto = prototypeFor(pendingVer);
        m->Fields = CloneFields(proto.fields);
        current = AddMeasurement(read, std::move(m));
        currentProto = current ? &proto : nullptr;
        nextItem = 0;
        inHeader = false;
        header.clear();
    };

    for (int i = 1; i < lines.size(); ++i) {
        const QString &line = lines[i];
        const LineTags tags = classify(line);
        if (tags.idczynn) {
            bool ok = false;
            const int id = QLocale::c().toInt(ReadAttributeValue(kIdczynn, line).trimmed(), &ok);
            inBlock = ok && id == factorId;
            continue;
        }
        const bool isValue = tags.dane;
        if (inBlock && tags.pomiar) {
            if (inHeader) // the measurement before never closed its header
                createFromHeader();
            inHeader = true;
            header.clear();
            headerLine = i;
            current = nullptr;
            currentProto = nullptr;
            pendingId = ToIntAt(ReadAttributeValue(kId, line), path, i, QStringLiteral("Numer pomiaru"));
            pendingVer = FormVersionNumber(ReadAttributeValue(kVer, line));
            pendingData = ReadAttributeValue(kData, line);
        }
        if (inHeader && !isValue) {
            header += QLatin1Char('\n');
            header += line;
        }
        if (!isValue || !inBlock) {
            if (inBlock && tags.pomiarClose) {
                if (inHeader) // a measurement without value lines
                    createFromHeader();
                current = nullptr;
                currentProto = nullptr;
            } else if (inBlock && tags.idczynnClose) {
                break;
            } else if (isValue && !tags.close) {
                // Another factor's value that spans lines: its text is no structure.
                int j = i;
                JoinContinuationLines(lines, line, j);
                i = j;
            }
            continue;
        }
        if (inHeader)
            createFromHeader();

        // Attributes come from the opening tag only, so a value can never pass for one.
        const qsizetype tagEnd = line.indexOf(QLatin1Char('>'));
        const QStringView tag = tagEnd < 0 ? QStringView(line) : QStringView(line).left(tagEnd);
        const AttrView nazwa = attrView(kNazwa, tag);
        const AttrView typ = attrView(kTyp, tag);
        const AttrView nrzal = attrView(kNrzal, tag);
        const AttrView nrwyb = attrView(kNrwyb, tag);
        QString value;
        if (tags.close) {
            value = ReadElementText(line);
        } else {
            const QString joined = JoinContinuationLines(lines, line, i);
            value = ReadElementText(joined);
        }
        if (!current || !currentProto)
            continue;
        const int at = currentProto->find(nazwa.text(), typ.text(), nextItem);
        if (at < 0)
            continue; // a field the form version no longer has
        nextItem = at + 1;
        TPomiar &item = *current->Fields[size_t(at)];
        item.Value = value;
        if (!nrzal.text().isEmpty())
            item.ChoiceNr = ToIntAt(nrzal.text().toString(), path, i, QStringLiteral("Atrybut nrzal"));
        if (!nrwyb.text().isEmpty())
            item.ChoiceNr = ToIntAt(nrwyb.text().toString(), path, i, QStringLiteral("Atrybut nrwyb"));
    }

    for (auto &m : read)
        ApplyFieldVisibilityRules(factorId, m->ver, path, m->Fields);
    measurements = std::move(read);
}

// ---- writing -----------------------------------------------------------------------------

namespace {

void appendAttr(QString &out, QLatin1String name, const QString &value)
{
    out += QLatin1Char(' ');
    out += name;
    out += QLatin1String("=\"");
    if (value.contains(QLatin1Char('"')))
        out += AttributeText(value);
    else
        out += value;
    out += QLatin1Char('"');
}

void appendAttr(QString &out, QLatin1String name, int value)
{
    out += QLatin1Char(' ');
    out += name;
    out += QLatin1String("=\"");
    out += QString::number(value);
    out += QLatin1Char('"');
}

bool isStoredKind(const QString &typ)
{
    return typ == QLatin1String("edit") || typ == QLatin1String("combo") || typ == QLatin1String("memo") ||
           typ == QLatin1String("checkbox") || typ == QLatin1String("form");
}

} // namespace

QStringList MeasurementLines(const TPomiarCzynn &m)
{
    QStringList out;
    out.reserve(qsizetype(m.Fields.size()) + 2);
    QString head;
    head.reserve(200 + m.mscPom.size() + m.wykpom.size() + m.metpom.size() + m.interwyn.size() + m.srodogrryz.size());
    head += QLatin1String(" <pomiar");
    appendAttr(head, QLatin1String("id"), m.id);
    appendAttr(head, QLatin1String("ver"), m.ver);
    appendAttr(head, QLatin1String("data"), m.data);
    appendAttr(head, QLatin1String("mscPom"), m.mscPom);
    appendAttr(head, QLatin1String("wykpom"), m.wykpom);
    appendAttr(head, QLatin1String("metpom"), m.metpom);
    appendAttr(head, QLatin1String("interwyn"), m.interwyn);
    appendAttr(head, QLatin1String("srodogrryz"), m.srodogrryz);
    appendAttr(head, QLatin1String("ocenam"), m.ocenam);
    appendAttr(head, QLatin1String("ocenak"), m.ocenak);
    appendAttr(head, QLatin1String("ocenakc"), m.ocenakc);
    appendAttr(head, QLatin1String("ocenaml"), m.ocenaml);
    appendAttr(head, QLatin1String("ocenamax"), m.ocenamax);
    appendAttr(head, QLatin1String("ocenakon"), m.ocenakon);
    head += QLatin1Char('>');
    out << head;
    for (const auto &f : m.Fields) {
        const bool header = f->typ == QLatin1String("naglowek");
        if (header ? f->ChoiceNr == 0 : !isStoredKind(f->typ))
            continue;
        QString line;
        line.reserve(40 + f->nazwa.size() + f->typ.size() + f->Value.size());
        line += QLatin1String("  <dane");
        appendAttr(line, QLatin1String("nazwa"), f->nazwa);
        appendAttr(line, QLatin1String("typ"), f->typ);
        if (header)
            appendAttr(line, QLatin1String("nrwyb"), f->ChoiceNr);
        else if (f->typ == QLatin1String("combo"))
            appendAttr(line, QLatin1String("nrzal"), f->ChoiceNr);
        line += QLatin1Char('>');
        line += f->Value;
        line += QLatin1String("</dane>");
        out << line;
    }
    out << QStringLiteral(" </pomiar>");
    return out;
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

int blockId(const QString &line, bool &ok)
{
    return QLocale::c().toInt(attr("idczynn", line).trimmed(), &ok);
}

// Splits an existing file into segments. Returns false when it cannot be read.
bool readSegments(const QString &path, std::vector<Segment> &segments)
{
    segments.clear();
    std::shared_ptr<const QStringList> read;
    try {
        read = CachedTextXmlLinesIfExists(path, false);
    } catch (const platform::TarvelinError &) {
        return false;
    }
    if (!read)
        return true;
    const QStringList &lines = *read;
    if (lines.size() < 2)
        return true;
    // The closing root line stands last; a file cut short keeps every line it has.
    int end = int(lines.size()) - 1;
    while (end > 1 && lines[end].trimmed().isEmpty())
        --end;
    const bool closed = endsWithRootClose(lines);
    const int contentEnd = closed ? end : end + 1; // exclusive
    const QString &rootLine = lines[1];
    // A file that holds blocks is split by them whatever its root line says.
    bool holdsBlocks = false;
    for (int i = 2; i < contentEnd && !holdsBlocks; ++i)
        holdsBlocks = lines[i].contains(QLatin1String("<idczynn"));
    if (!holdsBlocks && rootLine.contains(QLatin1String(" idczynn=")) && !rootLine.contains(QLatin1String("<idczynn"))) {
        Segment s;
        s.isBlock = true;
        s.singleLayout = true;
        s.id = blockId(rootLine, s.idKnown);
        for (int i = 2; i < contentEnd; ++i)
            s.lines << lines[i];
        segments.push_back(std::move(s));
        return true;
    }
    Segment loose;
    for (int i = 2; i < contentEnd; ++i) {
        const QString &line = lines[i];
        if (!line.contains(QLatin1String("<idczynn"))) {
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
            if (lines[j].contains(QLatin1String("</idczynn")))
                break;
        }
        if (j >= contentEnd) // a block left open runs to the end of the file
            b.lines << QStringLiteral("</idczynn>");
        segments.push_back(std::move(b));
        i = j;
    }
    if (!loose.lines.isEmpty())
        segments.push_back(std::move(loose));
    return true;
}

QStringList blockLines(const TCzynnik &f)
{
    QStringList out;
    out << QStringLiteral("<idczynn=\"%1\">").arg(f.id);
    for (const auto &m : f.Measurements)
        out << MeasurementLines(*m);
    out << QStringLiteral("</idczynn>");
    return out;
}

// A stored block as written in the shared layout.
QStringList asSharedBlock(const Segment &s)
{
    if (!s.singleLayout)
        return s.lines;
    QStringList out;
    out << QStringLiteral("<idczynn=\"%1\">").arg(s.id);
    out << s.lines;
    out << QStringLiteral("</idczynn>");
    return out;
}

} // namespace

bool WriteMeasurementFile(const QString &folder, const QString &fileBase, const std::vector<const TCzynnik *> &factors)
{
    const QString path = inFolder(folder, fileBase + QLatin1String(".xml"));
    std::vector<Segment> existing;
    if (!readSegments(path, existing)) {
        platform::ShowFileAccessError();
        return false;
    }
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
        return true; // nothing of this file was read whole: leave it as it stands

    QStringList out;
    if (!shared) {
        const TCzynnik &f = *writing.front();
        out << QStringLiteral("<%1 idczynn=\"%2\">").arg(fileBase).arg(f.id);
        for (const auto &m : f.Measurements)
            out << MeasurementLines(*m);
        out << QStringLiteral("</%1>").arg(fileBase);
        ForgetCachedFile(path);
        return WriteTextXmlFile(path, out);
    }
    // The shared root line has always carried a stray quote; readers ignore the line.
    out << QStringLiteral("<%1\">").arg(fileBase);
    QSet<int> written;
    for (const Segment &s : existing) {
        if (!s.isBlock) {
            out << s.lines;
            continue;
        }
        if (s.idKnown && writingIds.contains(s.id) && !written.contains(s.id)) {
            for (const TCzynnik *f : writing)
                if (f->id == s.id)
                    out << blockLines(*f);
            written.insert(s.id);
            continue;
        }
        out << asSharedBlock(s);
    }
    for (const TCzynnik *f : writing)
        if (!written.contains(f->id))
            out << blockLines(*f);
    out << QStringLiteral("</%1>").arg(fileBase);
    ForgetCachedFile(path);
    return WriteTextXmlFile(path, out);
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
            if (p->nazwa.contains(QLatin1String("cbSumNDS")) && p->Value == QLatin1String("True"))
                return true;
    return false;
}

} // namespace

bool WriteMeasurements(const MeasurementSaveRequest &request)
{
    const TCzynnik *current = request.current;
    if (!current || request.workstationFolder.isEmpty()) {
        platform::ShowWarning(QStringLiteral("Źle zaznaczono dane"));
        return false;
    }
    if (current->MeasurementsIncomplete) {
        platform::ShowWarning(
            QStringLiteral("Pomiary czynnika \"%1\" nie zostały wczytane w całości, więc nie zostaną zapisane.")
                .arg(current->nazwa));
        return false;
    }
    // The reader finds the file by the factor's form name; write where it reads.
    QString fileBase = current->frm_dane.isEmpty() ? MeasurementFileBaseFromDefinition(request.formFileName)
                                                   : current->frm_dane + QLatin1String("_dane");
    if (fileBase.isEmpty()) {
        platform::ShowWarning(QStringLiteral("Źle zaznaczono dane"));
        return false;
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
    if (!WriteMeasurementFile(request.workstationFolder, fileBase, factors))
        return false;
    // The workstation sum over dusts makes the other dusts' stored ratings depend on this one.
    if (current->ident == QLatin1String("pyly"))
        return WriteDustMeasurements(request.workstationFolder, request.workstationFactors, current->id);
    return true;
}

bool WriteDustMeasurements(const QString &workstationFolder, const std::vector<const TCzynnik *> &workstationFactors,
                           int factorId)
{
    bool ok = true;
    for (const TCzynnik *f : workstationFactors) {
        if (!f || f->ident != QLatin1String("pyly") || f->Measurements.empty() || f->id == factorId)
            continue;
        if (!takesPartInDustSum(*f))
            continue;
        // Each dust goes into its own file in its own layout, other blocks kept.
        const QString fileBase = MeasurementFileBaseFromDefinition(FormDefinitionName(f->frm_dane, f->ver_pom));
        if (!WriteMeasurementFile(workstationFolder, fileBase, {f}))
            ok = false;
    }
    return ok;
}

// ---- visibility rules ----------------------------------------------------------------

namespace {

struct Switch
{
    QString name;
    std::function<bool(const QString &)> flagOf;
    QSet<QString> dependents; // exact names
    std::function<void(TPomiar &, bool)> apply;
};

void walk(TPomiarList &fields, const std::vector<Switch> &switches)
{
    std::vector<int> state(switches.size(), -1); // -1 before the switch, else the flag
    for (auto &p : fields) {
        TPomiar &item = *p;
        for (size_t s = 0; s < switches.size(); ++s) {
            const Switch &sw = switches[s];
            if (item.nazwa == sw.name) {
                state[s] = sw.flagOf(item.Value) ? 1 : 0;
                continue;
            }
            if (state[s] >= 0 && sw.dependents.contains(item.nazwa))
                sw.apply(item, state[s] == 1);
        }
    }
}

void setEnabled(TPomiar &p, bool flag)
{
    p.enabled = flag;
}

double numberOr0(const QString &text)
{
    return ToDoubleDef(text, 0.0);
}

const QSet<QString> kRespirable = {QStringLiteral("lPResp"),       QStringLiteral("lStZmierzoneResp"),
                                   QStringLiteral("lStDopResp"),   QStringLiteral("lKrotnoscResp"),
                                   QStringLiteral("PylRespZm"),    QStringLiteral("PylRespDop"),
                                   QStringLiteral("PylRespKrotn")};

} // namespace

void ApplyFieldVisibilityRule(TPomiarList &fields, int factorId, int ruleNr)
{
    auto equals = [](const char *text) {
        const QString t = QString::fromUtf8(text);
        return std::function<bool(const QString &)>([t](const QString &v) { return v == t; });
    };
    auto differs = [](const char *text) {
        const QString t = QString::fromUtf8(text);
        return std::function<bool(const QString &)>([t](const QString &v) { return v != t; });
    };
    std::vector<Switch> sw;
    switch (ruleNr) {
    case 1:
        sw.push_back({QStringLiteral("cbCzasEksp"), equals("True"),
                      {QStringLiteral("lMaksWartZm"), QStringLiteral("lMaksWartDp"), QStringLiteral("lMaksKrotn"),
                       QStringLiteral("MaksWartZm"), QStringLiteral("MaksWartDop"), QStringLiteral("MaksKrotn"),
                       QStringLiteral("lMaksWartDopMlKc"), QStringLiteral("MaksWartDopMlKc"),
                       QStringLiteral("MaksKrotnMlKc"), QStringLiteral("lMaksWartDopMl"),
                       QStringLiteral("MaksWartDopMl"), QStringLiteral("MaksKrotnMl"), QStringLiteral("pMaksSW")},
                      setEnabled});
        break;
    case 2:
        sw.push_back({QStringLiteral("cbZagrTO"), equals("True"),
                      {QStringLiteral("lTOCzas"), QStringLiteral("lTOWymiar"), QStringLiteral("TOParam"),
                       QStringLiteral("TOCzas"), QStringLiteral("TOWymiar"), QStringLiteral("lTOWartZm"),
                       QStringLiteral("lTOWartDp"), QStringLiteral("lTOKrotn"), QStringLiteral("TOWartZm"),
                       QStringLiteral("TOWartDop"), QStringLiteral("TOKrotn")},
                      setEnabled});
        break;
    case 3: {
        if (factorId == 25020)
            sw.push_back({QStringLiteral("cmbIloscKrzem"), differs(" Poniżej 2% "), kRespirable, setEnabled});
        if (factorId == 25090)
            sw.push_back({QStringLiteral("Rodz"), differs(" Syntetycznego "), kRespirable, setEnabled});
        walk(fields, sw);
        sw.clear();
        // Dust types with either of the two lowest bits set take no part in the sum.
        std::vector<int> state;
        bool seen = false;
        bool flag = false;
        for (auto &p : fields) {
            if (p->nazwa == QLatin1String("Typ")) {
                const double t = numberOr0(p->Value);
                flag = (static_cast<long long>(std::ceil(t)) & 3) == 0;
                seen = true;
                continue;
            }
            if (seen && p->nazwa.contains(QLatin1String("SumNDS")))
                p->visible = flag;
        }
        if (factorId == 25070) {
            bool fibres = false;
            bool rodzSeen = false;
            for (auto &p : fields) {
                if (p->nazwa == QLatin1String("Rodz")) {
                    fibres = p->Value.contains(QStringLiteral("Zawierający włókna mineralne (w tym azbest)"));
                    rodzSeen = true;
                    continue;
                }
                if (rodzSeen && fibres && p->nazwa == QLatin1String("lPResp"))
                    p->etyk = QStringLiteral("Włókna respirabilne [włókna/cm^3]");
            }
        }
        return;
    }
    case 4:
        sw.push_back({QStringLiteral("Koncentr"), equals("True"),
                      {QStringLiteral("pPozCisnCzas"), QStringLiteral("lPCCzasWartZm"), QStringLiteral("lPCCzasWartDp"),
                       QStringLiteral("lPCCzasKrotn"), QStringLiteral("PCCzasWartZm"), QStringLiteral("PCCzasWartDp"),
                       QStringLiteral("PCCzasKrotn")},
                      setEnabled});
        break;
    case 5:
        sw.push_back({QStringLiteral("PracaZewn"), equals("True"),
                      {QStringLiteral("pWCI"), QStringLiteral("lWartZm"), QStringLiteral("lWartDp"),
                       QStringLiteral("lKrotnWCI"), QStringLiteral("WartZm"), QStringLiteral("WartDop"),
                       QStringLiteral("KrotnWCI")},
                      setEnabled});
        break;
    case 6:
        sw.push_back({QStringLiteral("cPromieniowanie"), equals(" impulsowe "),
                      {QStringLiteral("CzestPracy"), QStringLiteral("CzasImp"), QStringLiteral("lCzestPracy"),
                       QStringLiteral("lCzasImp")},
                      setEnabled});
        sw.push_back({QStringLiteral("cDzialanie"), equals(" na oko "),
                      {QStringLiteral("KatAlfa"), QStringLiteral("lKatAlfa")}, setEnabled});
        sw.push_back({QStringLiteral("DlugFal"), [](const QString &v) { return numberOr0(v) < 600.0; },
                      {QStringLiteral("CalkCzasEksp"), QStringLiteral("lCalkCzasEksp")}, setEnabled});
        break;
    case 7:
        sw.push_back({QStringLiteral("PracaZewn"), equals("True"),
                      {QStringLiteral("lWartZm"), QStringLiteral("lWartDp"), QStringLiteral("lKrotnTwc"),
                       QStringLiteral("WartZm"), QStringLiteral("WartDop"), QStringLiteral("KrotnTwc"),
                       QStringLiteral("lCzasNar"), QStringLiteral("CzasNar"), QStringLiteral("lTa"),
                       QStringLiteral("Ta"), QStringLiteral("lVa"), QStringLiteral("Va"), QStringLiteral("ptwc")},
                      setEnabled});
        break;
    default:
        return;
    }
    walk(fields, sw);
}

void ApplyFieldVisibilityRules(int factorId, const QString &ver, const QString &fileName, TPomiarList &fields)
{
    if (factorId == 10100 || factorId == 10200)
        ApplyFieldVisibilityRule(fields, factorId, 1);
    if (factorId == 50008)
        ApplyFieldVisibilityRule(fields, factorId, 2);
    // Only the file's own name counts: the folders above it may be named anything.
    if (baseFileName(fileName).contains(QLatin1String("pyly")))
        ApplyFieldVisibilityRule(fields, factorId, 3);
    if (factorId == 30005)
        ApplyFieldVisibilityRule(fields, factorId, 4);
    if (factorId == 50002 && ver == QLatin1String("2"))
        ApplyFieldVisibilityRule(fields, factorId, 5);
    if (factorId == 50006 && ver == QLatin1String("2"))
        ApplyFieldVisibilityRule(fields, factorId, 6);
    if (factorId == 50002 && ver == QLatin1String("3"))
        ApplyFieldVisibilityRule(fields, factorId, 7);
}

} // namespace storage
