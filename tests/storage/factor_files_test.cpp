// Factor groups, factor lists, own-factor files and the form-version lookup.
#include "platform/tarvelin_error.h"
#include "storage/factor_files.h"
#include "tests/support/child_process.h"
#include "tests/support/fakes.h"
#include "tests/support/fixture.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace storage;
using testsupport::FixtureFolder;
using testsupport::ScriptedPrompter;

namespace {

const char *kDecl = "<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\n";

void writeGroups(const FixtureFolder &fx)
{
    fx.WriteText("poradn/czynniki_grupy.xml",
                 QString(kDecl) + "<czynniki_grupy ver=\"1.0\">\n"
                                  " <poz ident=\"fiz\" plik=\"czynfiz.xml\" katfrm=\"zaklocen\\frm\\\" katzal=\"zaklocen\\frm\\zalaczn\" plikWl=\"czynfizWl.xml\">Czynniki fizyczne</poz>\n"
                                  "\n"
                                  "     <poz ident=\"uciaz\" plik=\"czynuciaz.xml\" katfrm=\"k\\\" katzal=\"z\" plikWl=\"czynuciazWl.xml\">Czynniki uciążliwe</poz>\n"
                                  "</czynniki_grupy>\n");
}

void writeDustList(const FixtureFolder &fx)
{
    fx.WriteText("poradn/czynpyly.xml",
                 QString(kDecl) + "<czynpyly ver=\"1.0\">\n"
                                  " <pyly>\n"
                                  "  <czynnik id=\"25010\" ver_pom=\"1.0\" frm_dane=\"pyly_apatytow\" aktualny=\"1\" szkod=\"T\" nazwa=\"Pyły apatytów\">\n"
                                  "   <param typ=\"0\">\n"
                                  "  </czynnik>\n"
                                  "  <czynnik id=\"25020\" ver_pom=\"2.0\" frm_dane=\"pyly_wegla\" aktualny=\"0\" szkod=\"T\" nazwa=\"Pył węgla\">\n"
                                  "   <param typ=\"0\">\n"
                                  "  </czynnik>\n"
                                  " </pyly>\n"
                                  "</czynpyly>\n");
}

} // namespace

TEST(FactorGroups, ReadsEveryGroupWithItsFiles)
{
    FixtureFolder fx;
    QDir().mkpath(fx.FilePath("poradn"));
    writeGroups(fx);
    const auto groups = ReadFactorGroups("poradn\\czynniki_grupy.xml");
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(*groups[0], TGrupaCzynnik("Czynniki fizyczne", "fiz", "czynfiz.xml", "zaklocen\\frm\\",
                                        "zaklocen\\frm\\zalaczn", "czynfizWl.xml"));
    EXPECT_EQ(groups[1]->nazwa, QString("Czynniki uciążliwe"));
    EXPECT_EQ(groups[1]->ident, QString("uciaz"));
}

TEST(FactorGroups, MissingOrEmptyFileGivesNoGroupsAndNoMessageACutOneIsRefused)
{
    FixtureFolder fx;
    QDir().mkpath(fx.FilePath("poradn"));
    ScriptedPrompter prompter;
    EXPECT_TRUE(ReadFactorGroups("poradn\\czynniki_grupy.xml").empty());
    fx.Write("poradn/czynniki_grupy.xml", QByteArray());
    EXPECT_TRUE(ReadFactorGroups("poradn\\czynniki_grupy.xml").empty());
    fx.Write("poradn/czynniki_grupy.xml", QByteArray("<?xml?>\r\n<czynniki_grupy>\r\n <poz ident=\"fiz"));
    EXPECT_TRUE(prompter.boxes.isEmpty());
    EXPECT_THROW(ReadFactorGroups("poradn\\czynniki_grupy.xml"), platform::TarvelinError); // cut short: said
}

TEST(FactorLists, PlainListTakesEveryEntryWithTheGroupKey)
{
    FixtureFolder fx;
    QDir().mkpath(fx.FilePath("poradn"));
    fx.WriteText("poradn/czynfiz.xml",
                 QString(kDecl) + "<czynfiz>\n"
                                  " <czynnik id=\"10100\" ver_pom=\"1.0\" frm_dane=\"drgania_msc\" aktualny=\"1\" szkod=\"T\">Drgania miejscowe</czynnik>\n"
                                  " <czynnik id=\"2000\" ver_pom=\"2.0\" frm_dane=\"osw_natezenie\" aktualny=\"0\" szkod=\"N\">Oświetlenie</czynnik>\n"
                                  "</czynfiz>\n");
    for (bool currentOnly : {true, false}) {
        const auto list = ReadFactorList("poradn\\czynfiz.xml", "fiz", currentOnly);
        ASSERT_EQ(list.size(), 2u) << "a list that is not the dust list ignores the current-only switch";
        EXPECT_TRUE(list[0]->SameFactorAs(TCzynnik("Drgania miejscowe", "fiz", 10100, "1.0", "drgania_msc", "1", "T")));
        EXPECT_TRUE(list[1]->SameFactorAs(TCzynnik("Oświetlenie", "fiz", 2000, "2.0", "osw_natezenie", "0", "N")));
    }
}

TEST(FactorLists, DustListNamesFromAttributeAndFiltersCurrent)
{
    FixtureFolder fx;
    QDir().mkpath(fx.FilePath("poradn"));
    writeDustList(fx);
    auto current = ReadFactorList("poradn\\czynpyly.xml", "pyly", true);
    ASSERT_EQ(current.size(), 1u);
    EXPECT_EQ(current[0]->nazwa, QString("Pyły apatytów"));
    EXPECT_EQ(current[0]->ident, QString("pyly"));
    auto all = ReadFactorList("poradn\\czynpyly.xml", "pyly", false);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[1]->nazwa, QString("Pył węgla"));
    EXPECT_EQ(all[1]->aktual, QString("0"));
    EXPECT_EQ(all[1]->ver_pom, QString("2.0"));
}

TEST(FactorLists, MissingFileReadsNothingQuietly)
{
    FixtureFolder fx;
    QDir().mkpath(fx.FilePath("poradn"));
    ScriptedPrompter prompter;
    EXPECT_TRUE(ReadFactorList("poradn\\brak.xml", "fiz", true).empty());
    EXPECT_TRUE(prompter.boxes.isEmpty());
}

TEST(FactorLists, NonNumericIdIsAnErrorNamingTheFile)
{
    FixtureFolder fx;
    QDir().mkpath(fx.FilePath("poradn"));
    fx.WriteText("poradn/czynfiz.xml", QString(kDecl) + "<czynfiz>\n <czynnik id=\"x1\" ver_pom=\"1.0\">A</czynnik>\n</czynfiz>\n");
    try {
        ReadFactorList("poradn\\czynfiz.xml", "fiz", true);
        FAIL() << "no error";
    } catch (const platform::TarvelinError &e) {
        EXPECT_TRUE(e.message().contains("czynfiz.xml")) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains("x1"));
    }
}

TEST(OwnFactors, WrittenFileHasTheFixedRootAndOneLinePerFactor)
{
    FixtureFolder fx;
    QDir().mkpath(fx.FilePath("poradn"));
    TCzynnikList list;
    list.push_back(std::make_unique<TCzynnik>("Praca przy monitorze", "fiz", 100001, "1.0", "met5Krok", "1", "N"));
    list.push_back(std::make_unique<TCzynnik>("Hałas \"B\" & drgania", "fiz", 100002, "1.0", "metRiskScore", "0", "T"));
    ASSERT_TRUE(WriteOwnFactorList("poradn\\czynfizWl.xml", "czynfiz", list));
    const QByteArray expected =
        "<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\r\n"
        "<czynfizWl ver=\"1.0\" frm_dane=\"met5Krok\" ver_pom=\"1.0\">\r\n"
        " <czynnik id=\"100001\" frm_dane=\"met5Krok\" ver_pom=\"1.0\" szkod=\"N\" aktualny=\"1\">Praca przy monitorze</czynnik>\r\n"
        " <czynnik id=\"100002\" frm_dane=\"metRiskScore\" ver_pom=\"1.0\" szkod=\"T\" aktualny=\"0\">Ha\xb3" "as \"B\" & drgania</czynnik>\r\n"
        "</czynfizWl>\r\n";
    EXPECT_EQ(fx.Read("poradn/czynfizWl.xml"), expected);
}

TEST(OwnFactors, RoundTripReadsEqualObjectsAndRewritesByteForByte)
{
    FixtureFolder fx;
    QDir().mkpath(fx.FilePath("poradn"));
    TCzynnikList list;
    list.push_back(std::make_unique<TCzynnik>("Stres zawodowy", "uciaz", 100005, "1.0", "met5Krok", "1", "N"));
    list.push_back(std::make_unique<TCzynnik>("Praca zmianowa", "uciaz", 100007, "1.0", "metRiskScore", "0", "N"));
    ASSERT_TRUE(WriteOwnFactorList("poradn\\czynuciazWl.xml", "czynuciaz", list));
    const QByteArray first = fx.Read("poradn/czynuciazWl.xml");
    const auto back = ReadFactorList("poradn\\czynuciazWl.xml", "uciaz", true);
    ASSERT_EQ(back.size(), list.size());
    for (size_t i = 0; i < list.size(); ++i)
        EXPECT_TRUE(back[i]->SameFactorAs(*list[i])) << i;
    ASSERT_TRUE(WriteOwnFactorList("poradn\\czynuciazWl.xml", "czynuciaz", back));
    EXPECT_EQ(fx.Read("poradn/czynuciazWl.xml"), first);
    // Cut short: the factor before the cut is shown, the file named, and never written over.
    const QByteArray cut = first.left(first.indexOf(" <czynnik id=\"100007\""));
    fx.Write("poradn/czynuciazWl.xml", cut);
    QString damage;
    EXPECT_EQ(ReadFactorList("poradn\\czynuciazWl.xml", "uciaz", true, &damage).size(), 1u);
    EXPECT_TRUE(damage.contains("poradn\\czynuciazWl.xml"));
    EXPECT_THROW(ReadFactorList("poradn\\czynuciazWl.xml", "uciaz", true), platform::TarvelinError);
    EXPECT_FALSE(WriteOwnFactorList("poradn\\czynuciazWl.xml", "czynuciaz", back));
    EXPECT_EQ(fx.Read("poradn/czynuciazWl.xml"), cut);
}

TEST(OwnFactors, WriteFailureReportsTheMessageAndKeepsTheOldFile)
{
    FixtureFolder fx;
    QDir().mkpath(fx.FilePath("poradn"));
    ScriptedPrompter prompter;
    fx.WriteText("poradn/czynfizWl.xml", "old\n");
    QFile::setPermissions(fx.FilePath("poradn"), QFile::ReadOwner | QFile::ExeOwner);
    TCzynnikList list;
    list.push_back(std::make_unique<TCzynnik>("X", "fiz", 100001, "1.0", "met5Krok", "1", "N"));
    const QByteArray answer = testsupport::RunAsOrdinaryUser(fx.Path(), [&] {
        // the caller shows it
        return WriteOwnFactorList("poradn\\czynfizWl.xml", "czynfiz", list).message().toUtf8() +
               (prompter.boxes.isEmpty() ? "" : " with a box");
    });
    QFile::setPermissions(fx.FilePath("poradn"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(QString::fromUtf8(answer), "Błąd dostępu do pliku : poradn\\czynfizWl.xml");
    EXPECT_EQ(fx.Read("poradn/czynfizWl.xml"), QByteArray("old\r\n"));
}

TEST(FormVersionLookup, RootVersionAnswersForTheWholeGroup)
{
    FixtureFolder fx;
    QDir().mkpath(fx.FilePath("poradn"));
    fx.WriteText("poradn/czynchem.xml", QString(kDecl) + "<czynchem ver=\"1.0\" ver_pom=\"3.0\" frm_dane=\"chemiczny\">\n"
                                                         " <czynnik id=\"80001\" nazwa=\"Aceton\">\n"
                                                         "  <param nds=\"600\">\n"
                                                         " </czynnik>\n"
                                                         "</czynchem>\n");
    QString ver = "stored";
    EXPECT_EQ(ReadFactorFormVersion("poradn\\", "chem", "80001", ver), FormVersionLookup::Found);
    EXPECT_EQ(ver, QString("3.0"));
    ver = "stored";
    EXPECT_EQ(ReadFactorFormVersion("poradn\\", "chem", "99", ver), FormVersionLookup::Found);
    EXPECT_EQ(ver, QString("3.0"));
}

TEST(FormVersionLookup, ListWithoutRootVersionAnswersFromTheMatchingEntry)
{
    FixtureFolder fx;
    QDir().mkpath(fx.FilePath("poradn"));
    writeDustList(fx);
    QString ver = "x";
    EXPECT_EQ(ReadFactorFormVersion("poradn\\", "pyly", "25020", ver), FormVersionLookup::Found);
    EXPECT_EQ(ver, QString("2.0"));
    ver = "1.0";
    EXPECT_EQ(ReadFactorFormVersion("poradn\\", "pyly", "2502", ver), FormVersionLookup::NotFound);
    EXPECT_EQ(ver, QString("1.0")) << "a factor the list does not name keeps its stored version";
}

TEST(FormVersionLookup, OwnFactorIsLookedUpInTheOwnFactorFileEvenWithAmpersandInAName)
{
    FixtureFolder fx;
    QDir().mkpath(fx.FilePath("poradn"));
    TCzynnikList list;
    list.push_back(std::make_unique<TCzynnik>("Hałas & drgania", "fiz", 100001, "2.0", "met5Krok", "1", "N"));
    ASSERT_TRUE(WriteOwnFactorList("poradn\\czynfizWl.xml", "czynfiz", list));
    QString ver;
    EXPECT_EQ(ReadFactorFormVersion("poradn\\", "fiz", "100001", ver), FormVersionLookup::Found);
    EXPECT_EQ(ver, QString("1.0")) << "the root of the own-factor file answers for every own factor";
    EXPECT_EQ(FactorFormVersionListPath("poradn\\", "fiz", "100001"), QString("poradn\\czynfizWl.xml"));
    EXPECT_EQ(FactorFormVersionListPath("poradn\\", "fiz", "10100"), QString("poradn\\czynfiz.xml"));
}

TEST(FormVersionLookup, MissingListIsAFileErrorAndKeepsVersion)
{
    FixtureFolder fx;
    QDir().mkpath(fx.FilePath("poradn"));
    ScriptedPrompter prompter;
    QString ver = "1.0";
    EXPECT_EQ(ReadFactorFormVersion(QString(), "fiz", "10100", ver), FormVersionLookup::FileError);
    EXPECT_EQ(ver, QString("1.0"));
    EXPECT_TRUE(prompter.boxes.isEmpty()) << "the reader of the workstation names the list";
}

TEST(FactorCopies, CloneCarriesEveryFieldAndMeasurement)
{
    TCzynnik f("Hałas", "fiz", 30001, "1.0", "halas_fizyczny", "T", "T");
    auto m = std::make_unique<TPomiarCzynn>(TMeasurementAttributes{
        .id = 1, .data = "2009-03-05", .mscPom = "Hala", .wykpom = "Jan", .metpom = "PN", .interwyn = "ok",
        .srodogrryz = "brak", .ver = "1", .ocenam = 10, .ocenak = 20, .ocenakc = 30, .ocenaml = 40, .ocenamax = 40,
        .ocenakon = 40
    });
    m->Fields.push_back(std::make_unique<TPomiar>());
    m->Fields.back()->Value = "85";
    AddMeasurement(f.Measurements, std::move(m));
    auto copy = f.Clone();
    EXPECT_TRUE(copy->SameFactorAs(f));
    copy->Measurements[0]->Fields[0]->Value = "90";
    EXPECT_EQ(f.Measurements[0]->Fields[0]->Value, QString("85")) << "a deep copy";
    std::vector<const TCzynnik *> all{&f, copy.get()};
    EXPECT_EQ(NextOwnFactorId(all), 100000);
    TCzynnik own("W", "fiz", 100004, "1.0", "met5Krok", "1", "N");
    all.push_back(&own);
    EXPECT_EQ(NextOwnFactorId(all), 100005);
}
