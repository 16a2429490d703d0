// Feeds the Risk Score parameter reader with arbitrary main and table files; a set that reads
// back cleanly must survive a write and a second read unchanged.
// LIBS: tarvelin_storage tarvelin_platform
#include "storage/risk_score_files.h"
#include "fuzz/fuzz_folder.h"

#include <QDir>
#include <cstddef>
#include <cstdint>

namespace {

const char *const Decl = "<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\r\n";

// Writes a sound file of the given root with no rows (or, for the main file, sound bands).
void putSound(const QString &file, const QByteArray &root)
{
    QByteArray text = QByteArray(Decl) + "<" + root + " ver=\"1.0\">\r\n";
    if (root == "RiskScore") {
        const char *lines[] = {"Ryzyko1\">0",   "Ryzyko2\">20",  "Ryzyko3\">70",  "Ryzyko4\">200", "Ryzyko5\">400",
                               "SterRyz1\">10", "SterRyz2\">20", "SterRyz3\">30", "SterRyz4\">40", "SterRyz5\">40",
                               "Opis1\">a",     "Opis2\">b",     "Opis3\">c",     "Opis4\">d",     "Opis5\">e"};
        for (const char *l : lines)
            text += QByteArray("  <poz nazwa=\"") + l + "</poz>\r\n";
    }
    text += "</" + root + ">\r\n";
    fuzzsupport::Put(QStringLiteral("zaklocen/frm/zalaczn/") + file, reinterpret_cast<const uint8_t *>(text.data()),
                     size_t(text.size()));
}

void setup(const QDir &dir)
{
    dir.mkpath(QStringLiteral("zaklocen/frm/zalaczn"));
    dir.mkpath(QStringLiteral("out"));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzzsupport::Folder(setup);
    // The input is the main file or the probability table; the other files are sound.
    const bool main = size > 0 && (data[0] & 1) == 0;
    putSound(QStringLiteral("metRiskScore_1.xml"), "RiskScore");
    putSound(QStringLiteral("metRiskScore_Prawd_1.xml"), "RiskScore_Prawd");
    putSound(QStringLiteral("metRiskScore_Eksp_1.xml"), "RiskScore_Eksp");
    putSound(QStringLiteral("metRiskScore_Skutki_1.xml"), "RiskScore_Skutki");
    fuzzsupport::Put(main ? QStringLiteral("zaklocen/frm/zalaczn/metRiskScore_1.xml")
                          : QStringLiteral("zaklocen/frm/zalaczn/metRiskScore_Prawd_1.xml"),
                     data, size);
    const storage::TRiskScoreReadResult first = storage::ReadRiskScore(0);
    if (!first.BandsUsable || !first.Problems.empty())
        return 0;
    for (const QString &opis : first.Set.Opis)
        if (!fuzzsupport::Clean(opis))
            return 0;
    for (const storage::TRiskScoreParam &p : first.Set.Params)
        if (!fuzzsupport::Clean(p.OpisPodst) || !fuzzsupport::Clean(p.OpisUszcz1) ||
            !fuzzsupport::Clean(p.OpisUszcz2) || p.Typ < 1 || p.Typ > 3)
            return 0;
    if (!storage::WriteRiskScore(first.Set, QStringLiteral("out\\")).isEmpty())
        __builtin_trap();
    const storage::TRiskScoreReadResult again = storage::ReadRiskScore(0, QStringLiteral("out\\"));
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
