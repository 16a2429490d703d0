// The Risk Score parameter files: the shipped ones read and written back byte for byte, the
// reading rules (look-up by name, the caller's version, a row's Typ), and damaged, missing
// and unwritable files reported by name without a half-read set passing for a good one.
#include "platform/file_replacement.h"
#include "storage/damaged_files.h"
#include "storage/risk_score_files.h"
#include "tests/support/fixture.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace storage;
using testsupport::FixtureFolder;

namespace {

const QString Folder = QStringLiteral("zaklocen\\frm\\zalaczn\\");
const QString Decl = QStringLiteral("<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\n");
const QStringList Files = {"metRiskScore_1.xml", "metRiskScore_Prawd_1.xml", "metRiskScore_Eksp_1.xml",
                           "metRiskScore_Skutki_1.xml"};

QString rel(const QString &file)
{
    return QStringLiteral("zaklocen/frm/zalaczn/") + file;
}

// A main file with bands in the given order of lines.
QString mainFile(const QStringList &bandLines)
{
    return Decl + "<RiskScore ver=\"1.0\">\n  <poz nazwa=\"Wersja\">7</poz>\n" + bandLines.join('\n') +
           "\n</RiskScore>\n";
}

QStringList standardBands()
{
    QStringList lines;
    const char *minima[] = {"0", "20", "70", "200", "400"};
    const int codes[] = {10, 10, 20, 30, 40};
    for (int i = 0; i < 5; ++i) {
        lines << QString("  <poz nazwa=\"Opis%1\">Pasmo %1</poz>").arg(i + 1)
              << QString("  <poz nazwa=\"Ryzyko%1\">%2</poz>").arg(i + 1).arg(minima[i])
              << QString("  <poz nazwa=\"SterRyz%1\">%2</poz>").arg(i + 1).arg(codes[i]);
    }
    return lines;
}

void writeTables(const FixtureFolder &fx)
{
    fx.WriteText(rel("metRiskScore_Prawd_1.xml"),
                 Decl + "<RiskScore_Prawd ver=\"1.0\">\n"
                        "  <poz Typ=\"1\" NrPoz=\"1\" OpisPodst=\"Rzadko\" OpisUszcz1=\"1 : 100\" OpisUszcz2=\"\" "
                        "Wartosc=\"0.5\"> Rzadko (0.5)</poz>\n"
                        "  <poz Typ=\"2\" NrPoz=\"1\" OpisPodst=\"Zabłąkany\" OpisUszcz1=\"\" OpisUszcz2=\"\" "
                        "Wartosc=\"2\"> Zabłąkany (2)</poz>\n"
                        "</RiskScore_Prawd>\n");
    fx.WriteText(rel("metRiskScore_Eksp_1.xml"), Decl + "<RiskScore_Eksp ver=\"1.0\">\n</RiskScore_Eksp>\n");
    fx.WriteText(rel("metRiskScore_Skutki_1.xml"),
                 Decl + "<RiskScore_Skutki ver=\"1.0\">\n"
                        "  <poz Typ=\"3\" NrPoz=\"1\" OpisPodst=\"Duże\" OpisUszcz1=\"a\" OpisUszcz2=\"b\" "
                        "Wartosc=\"15\"> Duże (15)</poz>\n"
                        "</RiskScore_Skutki>\n");
}

} // namespace

TEST(RiskScoreFiles, ShippedFilesReadWholeAndWriteBackByteForByte)
{
    FixtureFolder installed(true);
    const TRiskScoreReadResult r = ReadRiskScore(0);
    EXPECT_TRUE(r.Problems.empty());
    ASSERT_TRUE(r.BandsUsable);
    EXPECT_EQ(r.Set.Wersja, 0);
    EXPECT_EQ(r.Set.Ryzyko, (std::array<float, 5>{0, 20, 70, 200, 400}));
    EXPECT_EQ(r.Set.SterRyz, (std::array<quint16, 5>{10, 10, 20, 30, 40}));
    ASSERT_EQ(r.Set.Params.size(), 19u);
    // S first, then P, then E
    EXPECT_EQ(r.Set.Params.front().Typ, RiskScoreConsequences);
    EXPECT_EQ(r.Set.Params[6].Typ, RiskScoreProbability);
    EXPECT_FLOAT_EQ(r.Set.Params[6].Wartosc, 0.1f);
    EXPECT_EQ(r.Set.Params.back().Typ, RiskScoreExposure);

    FixtureFolder copy;
    QDir().mkpath(copy.FilePath("out"));
    TRiskScore written = r.Set;
    written.Wersja = 1; // the shipped set as the editor numbers what it saves
    EXPECT_TRUE(WriteRiskScore(written, QStringLiteral("out\\")));
    for (const QString &file : Files) {
        QFile a(installed.FilePath(rel(file)));
        ASSERT_TRUE(a.open(QIODevice::ReadOnly));
        EXPECT_EQ(copy.Read("out/" + file), a.readAll()) << file.toStdString();
    }
}

TEST(RiskScoreFiles, BandsAreFoundByNameTheVersionIsTheCallersARowsTypNamesItsTableAnyTextReadsBack)
{
    FixtureFolder fx;
    QStringList bands = standardBands();
    std::reverse(bands.begin(), bands.end());
    fx.WriteText(rel("metRiskScore_1.xml"), mainFile(bands));
    writeTables(fx);
    const TRiskScoreReadResult r = ReadRiskScore(3);
    EXPECT_TRUE(r.Problems.empty());
    EXPECT_TRUE(r.BandsUsable);
    EXPECT_EQ(r.Set.Wersja, 3);
    EXPECT_EQ(r.Set.Opis[4], "Pasmo 5");
    EXPECT_FLOAT_EQ(r.Set.Ryzyko[3], 200);
    ASSERT_EQ(r.Set.Params.size(), 3u);
    EXPECT_EQ(r.Set.Params[0], TRiskScoreParam(3, 1, "Duże", "a", "b", 15));
    EXPECT_EQ(r.Set.Params[2].Typ, RiskScoreExposure); // placed in the Prawd file

    // ...and it is written where its Typ says
    EXPECT_TRUE(WriteRiskScore(r.Set));
    EXPECT_TRUE(fx.ReadText(rel("metRiskScore_Eksp_1.xml")).contains("Zabłąkany (2)"));
    EXPECT_FALSE(fx.ReadText(rel("metRiskScore_Prawd_1.xml")).contains("Zabłąkany"));
    EXPECT_TRUE(fx.ReadText(rel("metRiskScore_1.xml")).contains("<poz nazwa=\"Wersja\">3</poz>"));

    // Texts holding attribute names or quotes read back equal.
    const QStringList t = {"Skutki Wartosc=", "Wartosc=1 OpisUszcz2=", "NrPoz= Typ=", "a=\"b\"", "=", ""};
    TRiskScore s(0, int(t.size()));
    for (int i = 0; i < t.size(); ++i)
        s.Params[i] = TRiskScoreParam(3, quint16(i + 1), t[i], t[(i + 1) % t.size()], t[(i + 2) % t.size()], 1.5f * i);
    ASSERT_TRUE(WriteRiskScore(s));
    EXPECT_EQ(ReadRiskScore(0).Set.Params, s.Params);
}

TEST(RiskScoreFiles, WrittenLinesKeepTheirByteLayout)
{
    TRiskScore s(2, 2);
    s.Opis[0] = "Niskie";
    s.Ryzyko[1] = 0.1f;
    s.SterRyz[0] = 10;
    s.Params[0] = TRiskScoreParam(1, 1, "Cudzysłów \"x\"", "1 : 10", "", 0.1f);
    s.Params[1] = TRiskScoreParam(3, 4, "S", "ludzie", "mienie", 1234.5f);
    const QStringList main = RiskScoreMainLines(s);
    EXPECT_EQ(main.value(1), "  <poz nazwa=\"Wersja\">2</poz>");
    EXPECT_EQ(main.value(2), "  <poz nazwa=\"Opis1\">Niskie</poz>");
    EXPECT_EQ(main.value(6), "  <poz nazwa=\"Ryzyko2\">0.100000001490116</poz>");
    EXPECT_EQ(main.value(4), "  <poz nazwa=\"SterRyz1\">10</poz>");
    EXPECT_EQ(main.size(), 18);
    EXPECT_EQ(RiskScoreTableLines(s, RiskScoreProbability),
              QStringList({"<RiskScore_Prawd ver=\"1.0\">",
                           "  <poz Typ=\"1\" NrPoz=\"1\" OpisPodst=\"Cudzysłów &quot;x&quot;\" OpisUszcz1=\"1 : 10\" "
                           "OpisUszcz2=\"\" Wartosc=\"0.1\"> Cudzysłów \"x\" (0.1)</poz>",
                           "</RiskScore_Prawd>"}));
    // a value is kept in full, not rounded for display
    EXPECT_TRUE(
        RiskScoreTableLines(s, RiskScoreConsequences).value(1).endsWith("Wartosc=\"1234.5\"> S (1234.5)</poz>"));
    EXPECT_EQ(RiskScoreTableLines(s, RiskScoreExposure).size(), 2);
}

TEST(RiskScoreFiles, MissingFilesAreNamedAndLeaveTheBandsUnusable)
{
    FixtureFolder fx;
    writeTables(fx);
    QFile::remove(fx.FilePath(rel("metRiskScore_Eksp_1.xml")));
    const TRiskScoreReadResult r = ReadRiskScore(0);
    EXPECT_FALSE(r.BandsUsable);
    ASSERT_EQ(r.Problems.size(), 2u);
    EXPECT_TRUE(r.Problems[0].Unreadable);
    EXPECT_EQ(r.Problems[0].StoredPath, Folder + "metRiskScore_1.xml");
    EXPECT_EQ(r.Problems[1].StoredPath, Folder + "metRiskScore_Eksp_1.xml");
    EXPECT_EQ(r.Set.Params.size(), 3u); // the tables that are there are read
}

TEST(RiskScoreFiles, DamagedMainFilesAreNamedWithWhatIsWrong)
{
    struct Case
    {
        const char *what;
        QString text;
        const char *detail;
        bool damaged; // not all it holds could be read; the others are the editor's to mend
    };
    QStringList badNumber = standardBands();
    badNumber[4] = "  <poz nazwa=\"Ryzyko2\">2O</poz>";
    QStringList unordered = standardBands();
    unordered[7] = "  <poz nazwa=\"Ryzyko3\">10</poz>";
    QStringList badCode = standardBands();
    badCode[5] = "  <poz nazwa=\"SterRyz2\">15</poz>";
    QStringList missing = standardBands();
    missing.removeAt(13);
    const QString whole = mainFile(standardBands());
    const Case cases[] = {
        {"malformed number", mainFile(badNumber), "wartość Ryzyko2 \"2O\" nie jest liczbą", true},
        {"unordered minima", mainFile(unordered), "minimum Ryzyko3 nie jest większe od minimum Ryzyko2", false},
        {"unknown code", mainFile(badCode), "kod ryzyka SterRyz2 (15)", false},
        {"missing band", mainFile(missing), "brak pozycji Ryzyko5", false},
        {"cut short", whole.left(whole.indexOf("</RiskScore>")), "brak wiersza zamykającego", true},
        {"no root", Decl + "<Inny>\n" + standardBands().join('\n') + "\n</RiskScore>\n",
         "element główny <Inny> zamiast <RiskScore>", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        FixtureFolder fx;
        writeTables(fx);
        fx.WriteText(rel("metRiskScore_1.xml"), c.text);
        const TRiskScoreReadResult r = ReadRiskScore(0);
        EXPECT_FALSE(r.BandsUsable);
        ASSERT_EQ(r.Problems.size(), 1u);
        EXPECT_FALSE(r.Problems[0].Unreadable);
        EXPECT_TRUE(r.Problems[0].Detail.startsWith("Niepoprawna struktura pliku " + Folder + "metRiskScore_1.xml"))
            << r.Problems[0].Detail.toStdString();
        EXPECT_TRUE(r.Problems[0].Detail.contains(QString::fromUtf8(c.detail))) << r.Problems[0].Detail.toStdString();
        EXPECT_EQ(FileFoundDamaged(Folder + "metRiskScore_1.xml"), c.damaged);
    }
}

TEST(RiskScoreFiles, AMalformedTableNumberReadsAsZeroAndNamesTheFile)
{
    FixtureFolder fx;
    fx.WriteText(rel("metRiskScore_1.xml"), mainFile(standardBands()));
    writeTables(fx);
    fx.WriteText(
        rel("metRiskScore_Skutki_1.xml"),
        Decl +
            "<RiskScore_Skutki ver=\"1.0\">\n"
            "  <poz Typ=\"3\" NrPoz=\"x\" OpisPodst=\"A\" OpisUszcz1=\"\" OpisUszcz2=\"\" Wartosc=\"1,5e\"> A</poz>\n"
            "</RiskScore_Skutki>\n");
    const TRiskScoreReadResult r = ReadRiskScore(0);
    EXPECT_TRUE(r.BandsUsable);
    ASSERT_EQ(r.Problems.size(), 1u);
    EXPECT_TRUE(r.Problems[0].Detail.contains("metRiskScore_Skutki_1.xml"));
    EXPECT_TRUE(r.Problems[0].Detail.contains("wiersz 3"));
    EXPECT_EQ(r.Set.Params[0], TRiskScoreParam(3, 0, "A", "", "", 0));
}

TEST(RiskScoreFiles, AFileThatCannotBeWrittenKeepsEveryFileAsItWas)
{
    FixtureFolder fx;
    fx.WriteText(rel("metRiskScore_1.xml"), mainFile(standardBands()));
    writeTables(fx);
    const QByteArray before = fx.Read(rel("metRiskScore_Prawd_1.xml"));
    TRiskScore s = ReadRiskScore(0).Set;
    s.Params[1].OpisPodst = "Zmienione";
    platform::SetRenameHookForTests([](int step) { return step != 3; }); // the exposure table's
    EXPECT_EQ(WriteRiskScore(s).message(), "Błąd dostępu do pliku : " + Folder + "metRiskScore_Eksp_1.xml");
    platform::SetRenameHookForTests({});
    EXPECT_EQ(fx.Read(rel("metRiskScore_Prawd_1.xml")), before);
}
