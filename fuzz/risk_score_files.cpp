// Feeds the Risk Score parameter reader with arbitrary main and table files; a set that reads
// back cleanly must survive a write and a second read unchanged.
// LIBS: tarvelin_storage tarvelin_platform_core
#include "fuzz/fuzz_support.h"
#include "storage/risk_score_files.h"

#include <cstddef>
#include <cstdint>

namespace {

// The lines of a sound file of the given root with no rows (or, for the main file, sound
// bands).
QStringList soundLines(const QByteArray &root)
{
    QByteArray text = "<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\r\n<" + root +
                      " ver=\"1.0\">\r\n";
    if (root == "RiskScore") {
        const char *lines[] = {"Ryzyko1\">0",   "Ryzyko2\">20",  "Ryzyko3\">70",  "Ryzyko4\">200", "Ryzyko5\">400",
                               "SterRyz1\">10", "SterRyz2\">20", "SterRyz3\">30", "SterRyz4\">40", "SterRyz5\">40",
                               "Opis1\">a",     "Opis2\">b",     "Opis3\">c",     "Opis4\">d",     "Opis5\">e"};
        for (const char *l : lines)
            text += QByteArray("  <poz nazwa=\"") + l + "</poz>\r\n";
    }
    text += "</" + root + ">\r\n";
    return storage::TextXmlLinesFromBytes(text);
}

// Whether a text read from these files must come back unchanged after a write and a second
// read: attribute names, "=", quotes and markup inside it included; only a line break
// cannot be held by a one-line entry.
bool Storable(const QString &s)
{
    return !s.contains(QLatin1Char('\n')) && !s.contains(QLatin1Char('\r'));
}

QByteArray tableRoot(quint16 typ)
{
    return typ == storage::RiskScoreProbability ? "RiskScore_Prawd"
           : typ == storage::RiskScoreExposure  ? "RiskScore_Eksp"
                                                : "RiskScore_Skutki";
}

// What ReadRiskScore makes of the main file's lines and those of each table.
template <typename TableLines>
storage::TRiskScoreReadResult readSet(const QStringList &main, TableLines tableLines)
{
    storage::TRiskScoreReadResult r;
    r.Set = storage::TRiskScore(0);
    r.BandsUsable = storage::ParseRiskScoreBands(main, storage::RiskScoreMainPath(), r);
    for (quint16 typ : storage::RiskScoreTableReadOrder)
        storage::ParseRiskScoreTable(tableLines(typ), storage::RiskScoreTablePath(typ), typ, r);
    return r;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QStringList soundMain = soundLines("RiskScore");
    static const QStringList soundTables[] = {soundLines(tableRoot(1)), soundLines(tableRoot(2)),
                                              soundLines(tableRoot(3))};
    // The input is the main file or the probability table; the other files are sound.
    const bool main = size > 0 && (data[0] & 1) == 0;
    const QStringList input = fuzzsupport::Lines(data, size, true);
    const storage::TRiskScoreReadResult first = readSet(main ? input : soundMain, [&](quint16 typ) {
        return !main && typ == storage::RiskScoreProbability ? input : soundTables[typ - 1];
    });
    if (!first.BandsUsable || !first.Problems.empty())
        return 0;
    for (const QString &opis : first.Set.Opis)
        if (!Storable(opis))
            return 0;
    for (const storage::TRiskScoreParam &p : first.Set.Params)
        if (!Storable(p.OpisPodst) || !Storable(p.OpisUszcz1) || !Storable(p.OpisUszcz2) || p.Typ < 1 || p.Typ > 3)
            return 0;
    const storage::TRiskScoreReadResult again =
        readSet(fuzzsupport::WrittenLines(storage::RiskScoreMainLines(first.Set), true), [&](quint16 typ) {
            return fuzzsupport::WrittenLines(storage::RiskScoreTableLines(first.Set, typ), true);
        });
    if (!again.BandsUsable || !again.Problems.empty())
        __builtin_trap();
    // Rows come back grouped by table, in their order within each.
    for (quint16 typ : {3, 1, 2}) {
        std::vector<storage::TRiskScoreParam> a, b;
        for (const auto &p : first.Set.Params)
            if (p.Typ == typ)
                a.push_back(p);
        for (const auto &p : again.Set.Params)
            if (p.Typ == typ)
                b.push_back(p);
        if (a != b)
            __builtin_trap();
    }
    if (again.Set.Opis != first.Set.Opis || again.Set.Ryzyko != first.Set.Ryzyko ||
        again.Set.SterRyz != first.Set.SterRyz)
        __builtin_trap();
    return 0;
}
