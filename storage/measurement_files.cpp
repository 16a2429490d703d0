#include "storage/measurement_files.h"

#include "platform/paths.h"
#include "platform/prompter.h"
#include "platform/tarvelin_error.h"
#include "platform/text_file.h"
#include "storage/factors.h"
#include "storage/form_definition_files.h"
#include "storage/storage_errors.h"
#include "storage/text_xml.h"

#include <QHash>
#include <QSet>
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
    const int v = ToIntAt(attr(name, header), path, lineIndex, QStringLiteral("Ocena %1").arg(QLatin1String(name)));
    if (v < SHRT_MIN || v > SHRT_MAX)
        ThrowFileError(path, lineIndex, QStringLiteral("ocena %1 poza zakresem").arg(QLatin1String(name)));
    return short(v);
}

// The items of one form version, read once per file and copied for each measurement,
// with the position of the first item of each name and kind.
struct Prototype
{
    TPomiarList fields;
    QHash<QString, int> byNameAndKind;
};

QString nameKindKey(const QString &nazwa, const QString &typ)
{
    return nazwa + QChar(0x1f) + typ;
}

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
    QStringList lines;
    if (!ReadTextXmlLinesIfExists(path, lines, false)) {
        measurements.clear();
        return;
    }
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
        for (int i = 0; i < int(p.fields.size()); ++i) {
            const QString key = nameKindKey(p.fields[i]->nazwa, p.fields[i]->typ);
            if (!p.byNameAndKind.contains(key))
                p.byNameAndKind.insert(key, i);
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

    auto createFromHeader = [&]() {
        auto m = std::make_unique<TPomiarCzynn>(
            pendingId, pendingData, attr("mscPom", header), attr("wykpom", header), attr("metpom", header),
            attr("interwyn", header), attr("srodogrryz", header), pendingVer,
            ratingAt(header, "ocenam", path, headerLine), ratingAt(header, "ocenak", path, headerLine),
            ratingAt(header, "ocenakc", path, headerLine), ratingAt(header, "ocenaml", path, headerLine),
            ratingAt(header, "ocenamax", path, headerLine), ratingAt(header, "ocenakon", path, headerLine));
        Prototype &proto = prototypeFor(pendingVer);
        m->Fields = CloneFields(proto.fields);
        current = AddMeasurement(read, std::move(m));
        currentProto = current ? &proto : nullptr;
        inHeader = false;
        header.clear();
    };

    for (int i = 1; i < lines.size(); ++i) {
        const QString &line = lines[i];
        if (line.contains(QLatin1String("<idczynn"))) {
            bool ok = false;
            const int id = QLocale::c().toInt(attr("idczynn", line).trimmed(), &ok);
            inBlock = ok && id == factorId;
            continue;
        }
        const bool isValue = line.contains(QLatin1String("<dane"));
        if (inBlock && line.contains(QLatin1String("<pomiar"))) {
            if (inHeader) // the measurement before never closed its header
                createFromHeader();
            inHeader = true;
            header.clear();
            headerLine = i;
            current = nullptr;
            currentProto = nullptr;
            pendingId = ToIntAt(attr("id", line), path, i, QStringLiteral("Numer pomiaru"));
            pendingVer = FormVersionNumber(attr("ver", line));
            pendingData = attr("data", line);
        }
        if (inHeader && !isValue)
            header += QLatin1Char('\n') + line;
        if (!isValue || !inBlock) {
            if (inBlock && line.contains(QLatin1String("</pomiar"))) {
                if (inHeader) // a measurement without value lines
                    createFromHeader();
                current = nullptr;
                currentProto = nullptr;
            } else if (inBlock && line.contains(QLatin1String("</idczynn"))) {
                break;
            }
            continue;
        }
        if (inHeader)
            createFromHeader();

        const QString nazwa = attr("nazwa", line);
        const QString typ = attr("typ", line);
        const QString nrzal = attr("nrzal", line);
        const QString nrwyb = attr("nrwyb", line);
        QString value;
        if (line.contains(QLatin1String("</"))) {
            value = ReadElementText(line);
        } else {
            const QString joined = JoinContinuationLines(lines, line, i);
            value = ReadElementText(joined);
        }
        if (!current || !currentProto)
            continue;
        const int at = currentProto->byNameAndKind.value(nameKindKey(nazwa, typ), -1);
        if (at < 0)
            continue; // a field the form version no longer has
        TPomiar &item = *current->Fields[size_t(at)];
        item.Value = value;
        if (!nrzal.isEmpty())
            item.ChoiceNr = ToIntAt(nrzal, path, i, QStringLiteral("Atrybut nrzal"));
        if (!nrwyb.isEmpty())
            item.ChoiceNr = ToIntAt(nrwyb, path, i, QStringLiteral("Atrybut nrwyb"));
    }

    for (auto &m : read)
        ApplyFieldVisibilityRules(factorId, m->ver, path, m->Fields);
    measurements = std::move(read);
}

// ---- writing -----------------------------------------------------------------------------

QStringList MeasurementLines(const TPomiarCzynn &m)
{
    QStringList out;
    out.reserve(int(m.Fields.size()) + 2);
    out << QStringLiteral(" <pomiar id=\"%1\" ver=\"%2\" data=\"%3\" mscPom=\"%4\" wykpom=\"%5\" metpom=\"%6\" "
                          "interwyn=\"%7\" srodogrryz=\"%8\" ocenam=\"%9\" ocenak=\"%10\" ocenakc=\"%11\" "
                          "ocenaml=\"%12\" ocenamax=\"%13\" ocenakon=\"%14\">")
               .arg(QString::number(m.id), AttributeText(m.ver), AttributeText(m.data), AttributeText(m.mscPom),
                    AttributeText(m.wykpom), AttributeText(m.metpom), AttributeText(m.interwyn),
                    AttributeText(m.srodogrryz), QString::number(m.ocenam))
               .arg(QString::number(m.ocenak), QString::number(m.ocenakc), QString::number(m.ocenaml),
                    QString::number(m.ocenamax), QString::number(m.ocenakon));
    static const QSet<QString> savedKinds = {QStringLiteral("form"), QStringLiteral("edit"), QStringLiteral("combo"),
                                             QStringLiteral("memo"), QStringLiteral("checkbox")};
    for (const auto &f : m.Fields) {
        QString extra;
        if (f->typ == QLatin1String("naglowek")) {
            if (f->ChoiceNr == 0)
                continue;
            extra = QStringLiteral(" nrwyb=\"%1\"").arg(f->ChoiceNr);
        } else if (!savedKinds.contains(f->typ)) {
            continue;
        } else if (f->typ == QLatin1String("combo")) {
            extra = QStringLiteral(" nrzal=\"%1\"").arg(f->ChoiceNr);
        }
        out << QLatin1String("  <dane nazwa=\"") + AttributeText(f->nazwa) + QLatin1String("\" typ=\"") +
                   AttributeText(f->typ) + QLatin1Char('"') + extra + QLatin1Char('>') + f->Value +
                   QLatin1String("</dane>");
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
    if (!platform::FileExists(path))
        return true;
    auto read = platform::ReadLinesCp1250(platform::ToFilePath(path));
    if (!read)
        return false;
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
    if (rootLine.contains(QLatin1String(" idczynn=")) && !rootLine.contains(QLatin1String("<idczynn"))) {
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
