#include "storage/risk_score_files.h"

#include "platform/cp1250.h"
#include "platform/paths.h"
#include "platform/tarvelin_error.h"
#include "storage/damaged_files.h"
#include "storage/storage_errors.h"
#include "storage/text_xml.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace storage {

namespace {

const QString MainRoot = QStringLiteral("RiskScore");
const QString BandNames[] = {QStringLiteral("Opis"), QStringLiteral("Ryzyko"), QStringLiteral("SterRyz")};

// The name a table has in its file name and root element.
QString tableName(quint16 typ)
{
    switch (typ) {
    case RiskScoreProbability:
        return QStringLiteral("Prawd");
    case RiskScoreExposure:
        return QStringLiteral("Eksp");
    case RiskScoreConsequences:
        return QStringLiteral("Skutki");
    default:
        return QString();
    }
}

// Whether a file's lines open with root (on the line after the declaration) and end with
// its closing tag: a file cut short loses its last lines, and those are never read.
QString structureFault(const QStringList &lines, const QString &root)
{
    switch (CheckWholeFile(lines, root)) {
    case FileShape::Whole:
        return QString();
    case FileShape::Empty:
        return QStringLiteral("brak elementu głównego %1").arg(root);
    case FileShape::WrongRoot:
        return QStringLiteral("element główny <%1> zamiast <%2>").arg(RootElementName(lines), root);
    case FileShape::Cut:
        break;
    }
    return QStringLiteral("plik jest niekompletny, brak wiersza zamykającego %1").arg(root);
}

// A number of the file as a single-precision value; false (value 0) when it is none.
bool readFloat(const QString &text, float &value)
{
    double d = 0;
    value = 0;
    if (!TryToDouble(text, d) || !std::isfinite(static_cast<float>(d)))
        return false;
    value = static_cast<float>(d);
    return true;
}

bool readCode(const QString &text, quint16 &value)
{
    const int v = ToIntDef(text, -1);
    const bool ok = v >= 0 && v <= std::numeric_limits<quint16>::max();
    value = ok ? static_cast<quint16>(v) : 0;
    return ok;
}

QString notANumber(const QString &name, const QString &text)
{
    return QStringLiteral("wartość %1 \"%2\" nie jest liczbą").arg(name, text);
}

QByteArray fileBytes(const QStringList &lines)
{
    // A line break inside a value is written as it stands, as these files always had it.
    QByteArray bytes = platform::EncodeCp1250(XmlDeclaration()) + "\r\n";
    for (const QString &line : lines)
        bytes += platform::EncodeCp1250(line) + "\r\n";
    return bytes;
}

} // namespace

bool ParseRiskScoreBands(const QStringList &lines, const QString &path, TRiskScoreReadResult &r)
{
    QString fault = structureFault(lines, MainRoot);
    // Written back, a file cut short or a number that is none would lose what it holds; bands
    // that are whole but cannot rate are the user's to mend in the editor.
    bool damaged = !fault.isEmpty();
    bool found[3][TRiskScore::BandCount] = {};
    for (int i = 2; i <= lines.size() - 2; ++i) {
        const ElementTag tag(lines[i]);
        if (!tag.Opens(u"poz"))
            continue;
        const QString name = tag.Value(u"nazwa");
        const QString value = tag.Text();
        for (int kind = 0; kind < 3; ++kind) {
            const QString &stem = BandNames[kind];
            if (name.size() != stem.size() + 1 || !name.startsWith(stem))
                continue;
            const int band = name.at(stem.size()).digitValue() - 1;
            if (band < 0 || band >= TRiskScore::BandCount)
                continue;
            found[kind][band] = true;
            bool ok = true;
            if (kind == 0)
                r.Set.Opis[band] = value;
            else if (kind == 1)
                ok = readFloat(value, r.Set.Ryzyko[band]);
            else
                ok = readCode(value, r.Set.SterRyz[band]);
            if (!ok && fault.isEmpty()) {
                fault = notANumber(name, value);
                damaged = true;
            }
        }
    }
    for (int band = 0; band < TRiskScore::BandCount && fault.isEmpty(); ++band) {
        for (int kind = 0; kind < 3 && fault.isEmpty(); ++kind) {
            if (!found[kind][band])
                fault = QStringLiteral("brak pozycji %1%2").arg(BandNames[kind]).arg(band + 1);
        }
    }
    if (fault.isEmpty())
        fault = RiskScoreBandsFault(r.Set);
    if (!fault.isEmpty())
        r.Problems.push_back({path, false, StructureErrorText(path, fault), damaged});
    return fault.isEmpty();
}

void ParseRiskScoreTable(const QStringList &lines, const QString &path, quint16 typ, TRiskScoreReadResult &r)
{
    QString fault = structureFault(lines, MainRoot + QLatin1Char('_') + tableName(typ));
    for (int i = 2; i <= lines.size() - 2; ++i) {
        // Each attribute only where one begins: a description may hold another attribute's
        // name ("Skutki Wartosc=") and reads back as the text it is.
        const ElementTag tag(lines[i]);
        if (!tag.Opens(u"poz"))
            continue;
        TRiskScoreParam row;
        const QString typText = tag.Value(u"Typ");
        const QString nrText = tag.Value(u"NrPoz");
        const QString valueText = tag.Value(u"Wartosc");
        const bool typOk = readCode(typText, row.Typ);
        const bool nrOk = readCode(nrText, row.NrPoz);
        const bool valueOk = readFloat(valueText, row.Wartosc);
        row.OpisPodst = tag.Value(u"OpisPodst");
        row.OpisUszcz1 = tag.Value(u"OpisUszcz1");
        row.OpisUszcz2 = tag.Value(u"OpisUszcz2");
        if (fault.isEmpty()) {
            if (!typOk)
                fault = notANumber(QStringLiteral("Typ"), typText);
            else if (!nrOk)
                fault = notANumber(QStringLiteral("NrPoz"), nrText);
            else if (!valueOk)
                fault = notANumber(QStringLiteral("Wartosc"), valueText);
            if (!fault.isEmpty())
                fault = QStringLiteral("wiersz %1: %2").arg(i + 1).arg(fault);
        }
        r.Set.Params.push_back(std::move(row));
    }
    if (!fault.isEmpty())
        r.Problems.push_back({path, false, StructureErrorText(path, fault), true});
}

QString RiskScoreFolder()
{
    return QStringLiteral("zaklocen\\frm\\zalaczn\\");
}

QString RiskScoreMainPath(const QString &folder)
{
    return platform::JoinStoredPath(folder, QStringLiteral("metRiskScore_1.xml"));
}

QString RiskScoreTablePath(quint16 typ, const QString &folder)
{
    return platform::JoinStoredPath(folder, QStringLiteral("metRiskScore_%1_1.xml").arg(tableName(typ)));
}

TRiskScoreReadResult ReadRiskScore(quint16 wersja, const QString &folder)
{
    TRiskScoreReadResult r;
    r.Set = TRiskScore(wersja);
    QStringList lines;
    const QString main = RiskScoreMainPath(folder);
    RemoveInterruptedSavesBeside(main);
    if (ReadTextXmlLinesIfExists(main, lines))
        r.BandsUsable = ParseRiskScoreBands(lines, main, r);
    else
        r.Problems.push_back({main, true, QString()});
    for (quint16 typ : RiskScoreTableReadOrder) {
        const QString path = RiskScoreTablePath(typ, folder);
        if (ReadTextXmlLinesIfExists(path, lines))
            ParseRiskScoreTable(lines, path, typ, r);
        else
            r.Problems.push_back({path, true, QString()});
    }
    // A damaged file is not written over until it is mended (the editor would save what it
    // shows of it as a whole file).
    for (const QString &path : RiskScorePaths(folder)) {
        const bool damaged = std::any_of(r.Problems.begin(), r.Problems.end(), [&](const TRiskScoreFileProblem &p) {
            return p.Damaged && p.StoredPath == path;
        });
        if (damaged)
            MarkFileDamaged(path);
        else
            MarkFileReadWhole(path);
    }
    return r;
}

QString RiskScoreBandsFault(const TRiskScore &set)
{
    for (int i = 0; i < TRiskScore::BandCount; ++i) {
        const quint16 code = set.SterRyz[i];
        if (code != 10 && code != 20 && code != 30 && code != 40)
            return QStringLiteral("kod ryzyka SterRyz%1 (%2) nie jest jednym z 10, 20, 30, 40").arg(i + 1).arg(code);
    }
    for (int i = 1; i < TRiskScore::BandCount; ++i) {
        if (!(set.Ryzyko[i] > set.Ryzyko[i - 1]))
            return QStringLiteral("minimum Ryzyko%1 nie jest większe od minimum Ryzyko%2").arg(i + 1).arg(i);
        if (set.SterRyz[i] < set.SterRyz[i - 1])
            return QStringLiteral("kod ryzyka SterRyz%1 jest mniejszy od kodu SterRyz%2").arg(i + 1).arg(i);
    }
    return QString();
}

QString RiskScoreValueText(float value)
{
    char buffer[64];
    const auto r = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, r.ptr - buffer);
}

QStringList RiskScoreMainLines(const TRiskScore &set)
{
    QStringList out;
    out << QStringLiteral("<RiskScore ver=\"1.0\">");
    out << QStringLiteral("  <poz nazwa=\"Wersja\">%1</poz>").arg(set.Wersja);
    for (int i = 0; i < TRiskScore::BandCount; ++i) {
        const int band = i + 1;
        out << QStringLiteral("  <poz nazwa=\"Opis%1\">%2</poz>").arg(band).arg(set.Opis[i]);
        out << QStringLiteral("  <poz nazwa=\"Ryzyko%1\">%2</poz>").arg(band).arg(FloatToText(set.Ryzyko[i]));
        out << QStringLiteral("  <poz nazwa=\"SterRyz%1\">%2</poz>").arg(band).arg(set.SterRyz[i]);
    }
    out << QStringLiteral("</RiskScore>");
    return out;
}

QStringList RiskScoreTableLines(const TRiskScore &set, quint16 typ)
{
    const QString root = MainRoot + QLatin1Char('_') + tableName(typ);
    QStringList out;
    out << QStringLiteral("<%1 ver=\"1.0\">").arg(root);
    for (const TRiskScoreParam &p : set.Params) {
        if (p.Typ != typ)
            continue;
        const QString value = RiskScoreValueText(p.Wartosc);
        out << QStringLiteral("  <poz Typ=\"%1\" NrPoz=\"%2\" OpisPodst=\"%3\" OpisUszcz1=\"%4\" OpisUszcz2=\"%5\" "
                              "Wartosc=\"%6\"> %7 (%6)</poz>")
                   .arg(QString::number(p.Typ), QString::number(p.NrPoz), AttributeText(p.OpisPodst),
                        AttributeText(p.OpisUszcz1), AttributeText(p.OpisUszcz2), value, p.OpisPodst);
    }
    out << QStringLiteral("</%1>").arg(root);
    return out;
}

QStringList RiskScorePaths(const QString &folder)
{
    return {RiskScoreMainPath(folder), RiskScoreTablePath(RiskScoreProbability, folder),
            RiskScoreTablePath(RiskScoreExposure, folder), RiskScoreTablePath(RiskScoreConsequences, folder)};
}

StorageResult WriteRiskScore(const TRiskScore &set, const QString &folder)
{
    if (StorageResult refused = StorableRiskScore(set, folder); !refused)
        return refused;
    // The bands rate with the tables' values: the set is saved whole or not at all.
    std::vector<StoredFileWrite> files = {{RiskScoreMainPath(folder), fileBytes(RiskScoreMainLines(set))}};
    for (quint16 typ : {RiskScoreProbability, RiskScoreExposure, RiskScoreConsequences})
        files.push_back({RiskScoreTablePath(typ, folder), fileBytes(RiskScoreTableLines(set, typ))});
    return WriteStoredFiles(files);
}

StorageResult StorableRiskScore(const TRiskScore &set, const QString &folder)
{
    StorableTexts main;
    for (int i = 0; i < TRiskScore::BandCount; ++i)
        main.Check(QStringLiteral("Opis%1").arg(i + 1), set.Opis[i], TextPlace::LineText);
    if (!main.Ok())
        return main.Result(RiskScoreMainPath(folder));
    for (const TRiskScoreParam &p : set.Params) {
        StorableTexts row;
        for (const QString *v : {&p.OpisPodst, &p.OpisUszcz1, &p.OpisUszcz2})
            row.Check(QStringLiteral("pozycja %1").arg(p.NrPoz), *v, TextPlace::Attribute);
        if (!row.Ok())
            return row.Result(RiskScoreTablePath(p.Typ, folder));
    }
    return {};
}

QString RiskScoreProblemText(const TRiskScoreFileProblem &problem)
{
    if (problem.Unreadable)
        return FileReadFailureText(problem.StoredPath);
    return problem.Detail;
}

} // namespace storage
