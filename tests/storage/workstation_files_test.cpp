// The workstation list and the workstation data files: byte layout, round trips of
// awkward names and descriptions, what each view reads, and the files that must never be
// overwritten from a half-read workstation.
#include "platform/cp1250.h"
#include "platform/tarvelin_error.h"
#include "storage/damaged_files.h"
#include "storage/navigation_file.h"
#include "storage/workstation_files.h"
#include "tests/support/fakes.h"
#include "tests/support/fixture.h"

#include <gtest/gtest.h>

using namespace storage;

namespace {

const QString Data = QStringLiteral("dane\\");

std::unique_ptr<TCzynnik> factor(const QString &nazwa, const QString &ident, int id, const QString &frm,
                                 const QString &aktual, const QString &szkod = QStringLiteral("T"))
{
    return std::make_unique<TCzynnik>(nazwa, ident, id, QStringLiteral("1.0"), frm, aktual, szkod);
}

TStanowisko sample()
{
    TStanowisko w(QStringLiteral("3"), QStringLiteral("Spawalnia"), QStringLiteral("stan_3"));
    w.Loaded = true;
    w.Kod = QStringLiteral("SP-01");
    w.DataRej = QStringLiteral("2021-03-05");
    w.Lokalizacja = QStringLiteral("Hala B");
    w.NrRegon = QStringLiteral("012345678");
    w.NrRej = QStringLiteral("7/2021");
    w.Opis = QStringLiteral("Spawanie MAG.\nDwa stanowiska.");
    w.AddEmployment(TZatrudn("2022", "4", "1", "0", "0", "2", "3"));
    w.AddEmployment(TZatrudn("2021", "3", "1", "0", "0", "1", "2"));
    w.AddFactor(factor(QStringLiteral("Hałas"), QStringLiteral("fiz"), 30001, QStringLiteral("halas_fizyczny"), "T"));
    w.AddFactor(factor(QStringLiteral("Ocena ogólna"), QStringLiteral("uciaz"), 100001, QStringLiteral("met5Krok"), "T",
                       QStringLiteral("N")));
    w.AddFactor(
        factor(QStringLiteral("Pył spawalniczy"), QStringLiteral("pyly"), 25100, QStringLiteral("pyly_pyl"), "N"));
    return w;
}

// The options of the view a "frm" component of that name opens.
WorkstationReadOptions view(const char *name)
{
    return WorkstationReadOptions::ForView(
        ViewKindOf(TSklad(1, QStringLiteral("frm"), QString(), QString::fromLatin1(name), QString(), QString())));
}

} // namespace

// ---------------------------------------------------------------------------------------
// The list file

TEST(WorkstationList, WrittenWithDataVersionInWindows1250AndCrLf)
{
    testsupport::FixtureFolder fx;
    testsupport::ScriptedPrompter boxes;
    WorkstationList list;
    list.push_back(std::make_unique<TStanowisko>("1", QStringLiteral("Lakiernia – kabina nr 2"), "stan_1"));
    list.push_back(std::make_unique<TStanowisko>("2", QStringLiteral("Biuro \"Zarząd\""), "stan_2"));
    ASSERT_TRUE(WriteWorkstationList(Data, list));
    const QByteArray expected = platform::EncodeCp1250(
        QStringLiteral("<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\r\n"
                       "<struktura_dane ver=\"1.1\" katalog=\"\" plik=\"struktura_dane.xml\">\r\n"
                       " <stanowisko id=\"1\" nazwa=\"Lakiernia – kabina nr 2\" kat_dane=\"stan_1\"></stanowisko>\r\n"
                       " <stanowisko id=\"2\" nazwa=\"Biuro &quot;Zarząd&quot;\" kat_dane=\"stan_2\"></stanowisko>\r\n"
                       "</struktura_dane>\r\n"));
    EXPECT_EQ(fx.Read("dane/struktura_dane.xml"), expected);
    EXPECT_TRUE(boxes.boxes.isEmpty());
}

TEST(WorkstationList, NamesWithPolishLettersQuotesAndBlanksSurvive)
{
    testsupport::FixtureFolder fx;
    WorkstationList list;
    const QStringList names = {QStringLiteral("  Żółta hala "), QStringLiteral("Stanowisko \"A\" i 'B'"),
                               QStringLiteral("ŚLUSARNIA ąęłńóśźż"), QStringLiteral("a<b>&c")};
    for (int i = 0; i < names.size(); ++i)
        list.push_back(
            std::make_unique<TStanowisko>(QString::number(i + 1), names[i], QStringLiteral("stan_%1").arg(i + 1)));
    ASSERT_TRUE(WriteWorkstationList(Data, list));
    WorkstationList back;
    QString version;
    ASSERT_TRUE(ReadWorkstationList(Data + "struktura_dane.xml", back, version));
    EXPECT_EQ(version, "1.1");
    ASSERT_EQ(back.size(), list.size());
    for (size_t i = 0; i < back.size(); ++i) {
        EXPECT_EQ(back[i]->nazwa, list[i]->nazwa);
        EXPECT_EQ(back[i]->id, list[i]->id);
        EXPECT_EQ(back[i]->kat_dane, list[i]->kat_dane);
        EXPECT_FALSE(back[i]->Loaded);
    }
}

TEST(WorkstationList, MissingFileReadsNothingAndKeepsVersion)
{
    testsupport::FixtureFolder fx;
    WorkstationList list;
    QString version = QStringLiteral("x");
    EXPECT_FALSE(ReadWorkstationList(Data + "struktura_dane.xml", list, version));
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(version, "x");
}

TEST(WorkstationList, EveryReadGivesWhatTheFileHoldsNow)
{
    testsupport::FixtureFolder fx;
    const auto firstName = [] {
        WorkstationList list;
        QString version;
        ReadWorkstationList(Data + "struktura_dane.xml", list, version);
        return list.empty() ? QString() : list[0]->nazwa;
    };
    for (const QString name : {"Alfa", "Beta"}) { // rewritten in place, the same size, within the same moment
        fx.WriteText("dane/struktura_dane.xml", "<struktura_dane ver=\"1.1\">\n<stanowisko id=\"1\" nazwa=\"" + name +
                                                    "\" kat_dane=\"stan_1\"></stanowisko>\n</struktura_dane>\n");
        EXPECT_EQ(firstName(), name);
    }
    WorkstationList list;
    list.push_back(std::make_unique<TStanowisko>("1", QStringLiteral("Gamma"), "stan_1"));
    ASSERT_TRUE(WriteWorkstationList(Data, list));
    EXPECT_EQ(firstName(), "Gamma");
    QFile::remove(fx.FilePath("dane/struktura_dane.xml"));
    EXPECT_EQ(firstName(), QString());
}

TEST(WorkstationList, OldVersionAndLinesWithoutVersion)
{
    testsupport::FixtureFolder fx;
    fx.WriteText("dane/struktura_dane.xml", "<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\n"
                                            "<struktura_dane katalog=\"\" plik=\"struktura_dane.xml\">\n"
                                            "<stanowisko id=\"7\" nazwa=\"Magazyn\" kat_dane=\"stan_7\">\n"
                                            "</stanowisko>\n"
                                            "tekst bez znacznika\n"
                                            "</struktura_dane>\n");
    WorkstationList list;
    QString version = QStringLiteral("1.1");
    ASSERT_TRUE(ReadWorkstationList(Data + "struktura_dane.xml", list, version));
    EXPECT_EQ(version, ""); // a root without ver: not the program's version
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0]->nazwa, "Magazyn");
    EXPECT_EQ(list[0]->kat_dane, "stan_7");
}

// ---------------------------------------------------------------------------------------
// The workstation file: layout

TEST(WorkstationData, LayoutByteForByte)
{
    testsupport::FixtureFolder fx;
    TStanowisko w = sample();
    w.AddEmployment(TZatrudn("2020", "0", "0", "5", "0", "0", "0")); // all tested "0" but Rok: written
    w.AddEmployment(TZatrudn("0", "0", "0", "7", "0", "0", "0"));    // tested six all "0": dropped
    w.AddEmployment(TZatrudn("", "", "", "3", "", "", ""));          // tested six all empty: dropped
    ASSERT_TRUE(WriteWorkstationData(Data, w));
    const QString expected =
        QStringLiteral("<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\r\n"
                       "<stanowisko_dane id=\"3\">\r\n"
                       " <daneogl>\r\n"
                       "  <dane nazwa=\"Nazwa\" typ=\"edit\">Spawalnia</dane>\r\n"
                       "  <dane nazwa=\"Kod\" typ=\"edit\">SP-01</dane>\r\n"
                       "  <dane nazwa=\"DataRej\" typ=\"edit\">2021-03-05</dane>\r\n"
                       "  <dane nazwa=\"Lokalizacja\" typ=\"edit\">Hala B</dane>\r\n"
                       "  <dane nazwa=\"NrRegon\" typ=\"edit\">012345678</dane>\r\n"
                       "  <dane nazwa=\"NrRej\" typ=\"edit\">7/2021</dane>\r\n"
                       "  <dane nazwa=\"Opis\" typ=\"memo\">Spawanie MAG.\r\nDwa stanowiska.</dane>\r\n"
                       " </daneogl>\r\n"
                       "<zatrudnienie>\r\n"
                       " <rok>\r\n"
                       "  <dane nazwa=\"Rok\" typ=\"edit\">2020</dane>\r\n"
                       " \t<dane nazwa=\"Mezczyzni\" typ=\"edit\">0</dane>\r\n"
                       " \t<dane nazwa=\"Kobiety\" typ=\"edit\">0</dane>\r\n"
                       " \t<dane nazwa=\"KobietyCiez\" typ=\"edit\">5</dane>\r\n"
                       " \t<dane nazwa=\"Mlodociani\" typ=\"edit\">0</dane>\r\n"
                       " \t<dane nazwa=\"NocnaZm\" typ=\"edit\">0</dane>\r\n"
                       " \t<dane nazwa=\"PrzekrNDS\" typ=\"edit\">0</dane>\r\n"
                       " </rok>\r\n"
                       " <rok>\r\n"
                       "  <dane nazwa=\"Rok\" typ=\"edit\">2021</dane>\r\n"
                       " \t<dane nazwa=\"Mezczyzni\" typ=\"edit\">3</dane>\r\n"
                       " \t<dane nazwa=\"Kobiety\" typ=\"edit\">1</dane>\r\n"
                       " \t<dane nazwa=\"KobietyCiez\" typ=\"edit\">0</dane>\r\n"
                       " \t<dane nazwa=\"Mlodociani\" typ=\"edit\">0</dane>\r\n"
                       " \t<dane nazwa=\"NocnaZm\" typ=\"edit\">1</dane>\r\n"
                       " \t<dane nazwa=\"PrzekrNDS\" typ=\"edit\">2</dane>\r\n"
                       " </rok>\r\n"
                       " <rok>\r\n"
                       "  <dane nazwa=\"Rok\" typ=\"edit\">2022</dane>\r\n"
                       " \t<dane nazwa=\"Mezczyzni\" typ=\"edit\">4</dane>\r\n"
                       " \t<dane nazwa=\"Kobiety\" typ=\"edit\">1</dane>\r\n"
                       " \t<dane nazwa=\"KobietyCiez\" typ=\"edit\">0</dane>\r\n"
                       " \t<dane nazwa=\"Mlodociani\" typ=\"edit\">0</dane>\r\n"
                       " \t<dane nazwa=\"NocnaZm\" typ=\"edit\">2</dane>\r\n"
                       " \t<dane nazwa=\"PrzekrNDS\" typ=\"edit\">3</dane>\r\n"
                       " </rok>\r\n"
                       "</zatrudnienie>\r\n"
                       " <czynniki>\r\n"
                       "  <dane nazwa=\"Hałas\" id=\"30001\" ident=\"fiz\" ver_pom=\"1.0\" frm_dane=\"halas_fizyczny\" "
                       "aktual=\"T\"></dane>\r\n"
                       "  <dane nazwa=\"Ocena ogólna\" id=\"100001\" ident=\"uciaz\" ver_pom=\"1.0\" "
                       "frm_dane=\"met5Krok\" aktual=\"T\" szkod=\"N\"></dane>\r\n"
                       "  <dane nazwa=\"Pył spawalniczy\" id=\"25100\" ident=\"pyly\" ver_pom=\"1.0\" "
                       "frm_dane=\"pyly_pyl\" aktual=\"N\"></dane>\r\n"
                       " </czynniki>\r\n"
                       "</stanowisko_dane>\r\n");
    EXPECT_EQ(fx.Read("dane/stan_3/stanowisko_dane.xml"), platform::EncodeCp1250(expected));
}

TEST(WorkstationData, EmploymentYearTest)
{
    EXPECT_TRUE(EmploymentYearWritten(TZatrudn("2020", "0", "0", "0", "0", "0", "0")));
    EXPECT_FALSE(EmploymentYearWritten(TZatrudn("0", "0", "0", "9", "0", "0", "0")));
    EXPECT_FALSE(EmploymentYearWritten(TZatrudn("", "", "", "9", "", "", "")));
    EXPECT_TRUE(EmploymentYearWritten(TZatrudn("", "0", "", "", "", "", ""))); // mixed: neither all "" nor all "0"
}

// ---------------------------------------------------------------------------------------
// The workstation file: reading

TEST(WorkstationData, RoundTripInDefinitionView)
{
    testsupport::FixtureFolder fx;
    testsupport::ScriptedPrompter boxes;
    TStanowisko w = sample();
    w.Kod = QStringLiteral("  \"K\" <1> & ");
    // a description that names another field stays the description
    w.Opis = QStringLiteral("zob. nazwa=\"Kod\" w karcie\n  wcięta \"Kod\" linia\n\nostatnia ąę");
    ASSERT_TRUE(WriteWorkstationData(Data, w));

    TStanowisko r(QStringLiteral("3"), QStringLiteral("Spawalnia"), QStringLiteral("stan_3"));
    r.ReadError = QStringLiteral("stary błąd"); // cleared by a read that succeeds
    ASSERT_EQ(ReadWorkstationData(Data + "stan_3\\stanowisko_dane.xml", r, view("frmDefStan")), ReadResult::Read);
    EXPECT_TRUE(r.Loaded);
    EXPECT_EQ(r.Kod, w.Kod);
    EXPECT_EQ(r.DataRej, w.DataRej);
    EXPECT_EQ(r.Lokalizacja, w.Lokalizacja);
    EXPECT_EQ(r.NrRegon, w.NrRegon);
    EXPECT_EQ(r.NrRej, w.NrRej);
    EXPECT_EQ(r.Opis, w.Opis);
    ASSERT_EQ(r.Employment.size(), 2u);
    EXPECT_EQ(r.Employment[0], w.Employment[0]);
    EXPECT_EQ(r.Employment[1], w.Employment[1]);
    ASSERT_EQ(r.Factors.size(), 3u);
    EXPECT_EQ(r.Factors[0].text, "Hałas");
    EXPECT_EQ(r.Factors[1].text, QStringLiteral("Ocena ogólna (czynnik własny)"));
    EXPECT_EQ(r.Factors[1].factor->nazwa, QStringLiteral("Ocena ogólna"));
    EXPECT_EQ(r.Factors[1].factor->szkod, "N");
    EXPECT_EQ(r.Factors[2].factor->aktual, "N");
    EXPECT_EQ(r.Factors[0].factor->szkod, "");      // not written for other methods
    EXPECT_EQ(r.Factors[0].factor->ver_pom, "1.0"); // the stored version when the lists cannot answer
    EXPECT_TRUE(r.ReadError.isEmpty());
}

TEST(WorkstationData, FactorsByView)
{
    testsupport::FixtureFolder fx;
    testsupport::ScriptedPrompter boxes;
    TStanowisko w = sample();
    ASSERT_TRUE(WriteWorkstationData(Data, w));
    const QString path = Data + "stan_3\\stanowisko_dane.xml";
    auto count = [&](const WorkstationReadOptions &o) {
        TStanowisko r(QStringLiteral("3"), QString(), QStringLiteral("stan_3"));
        ReadWorkstationData(path, r, o);
        return r.Factors.size();
    };
    EXPECT_EQ(count(view("frmDefStan")), 3u);
    EXPECT_EQ(count(view("frmRyzZakl")), 2u);
    EXPECT_EQ(count(view("frmZestaw")), 2u);
    EXPECT_EQ(count(view("frmCzynniki")), 0u);
    EXPECT_EQ(count(WorkstationReadOptions::AllFactors()), 3u);
}

TEST(WorkstationData, EmploymentValuesCarryOverAndSecondYearIgnored)
{
    testsupport::FixtureFolder fx;
    fx.WriteText("dane/stan_1/stanowisko_dane.xml",
                 "<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\n"
                 "<stanowisko_dane id=\"1\">\n"
                 "<zatrudnienie>\n"
                 " <rok>\n"
                 "  <dane nazwa=\"Rok\" typ=\"edit\">2019</dane>\n"
                 "  <dane nazwa=\"Mezczyzni\" typ=\"edit\">5</dane>\n"
                 "  <dane nazwa=\"Kobiety\" typ=\"edit\">2</dane>\n"
                 " </rok>\n"
                 " <rok>\n"
                 "  <dane nazwa=\"Rok\" typ=\"edit\">2020</dane>\n"
                 "  <dane nazwa=\"Kobiety\" typ=\"edit\">3</dane>\n"
                 " </rok>\n"
                 " <rok>\n"
                 "  <dane nazwa=\"Rok\" typ=\"edit\">2019</dane>\n"
                 "  <dane nazwa=\"Mezczyzni\" typ=\"edit\">99</dane>\n"
                 " </rok>\n"
                 "</zatrudnienie>\n"
                 "</stanowisko_dane>\n");
    TStanowisko r(QStringLiteral("1"), QStringLiteral("X"), QStringLiteral("stan_1"));
    ASSERT_EQ(ReadWorkstationData(Data + "stan_1\\stanowisko_dane.xml", r, view("frmDefStan")), ReadResult::Read);
    ASSERT_EQ(r.Employment.size(), 2u);
    EXPECT_EQ(r.Employment[0].Mezczyzni, "5");
    EXPECT_EQ(r.Employment[1].Rok, "2020");
    EXPECT_EQ(r.Employment[1].Mezczyzni, "5"); // carried over from the year before
    EXPECT_EQ(r.Employment[1].Kobiety, "3");
    EXPECT_FALSE(r.Loaded); // no general data in the file
}

TEST(WorkstationData, MissingFile)
{
    testsupport::FixtureFolder fx;
    TStanowisko r(QStringLiteral("1"), QStringLiteral("X"), QStringLiteral("stan_1"));
    EXPECT_EQ(ReadWorkstationData(Data + "stan_1\\stanowisko_dane.xml", r, view("frmDefStan")), ReadResult::Missing);
    EXPECT_FALSE(r.Loaded);
    EXPECT_TRUE(r.ReadError.isEmpty());
}

// ---------------------------------------------------------------------------------------
// Malformed files: a message, nothing half-read, nothing overwritten

namespace {

QString fileWithFactorLine(const QString &factorLine, bool closed = true)
{
    QString s = QStringLiteral("<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\n"
                               "<stanowisko_dane id=\"1\">\n"
                               " <daneogl>\n"
                               "  <dane nazwa=\"Nazwa\" typ=\"edit\">X</dane>\n"
                               "  <dane nazwa=\"Kod\" typ=\"edit\">K1</dane>\n"
                               " </daneogl>\n"
                               " <czynniki>\n"
                               "  <dane nazwa=\"Hałas\" id=\"30001\" ident=\"fiz\" ver_pom=\"1.0\" frm_dane=\"halas\" "
                               "aktual=\"T\"></dane>\n") +
                factorLine + QStringLiteral("\n </czynniki>\n");
    if (closed)
        s += QStringLiteral("</stanowisko_dane>\n");
    return s;
}

} // namespace

TEST(WorkstationData, NonNumericFactorIdFailsWithoutTouchingTheObject)
{
    testsupport::FixtureFolder fx;
    testsupport::ScriptedPrompter boxes;
    fx.WriteText(
        "dane/stan_1/stanowisko_dane.xml",
        fileWithFactorLine(QStringLiteral(
            "  <dane nazwa=\"Pył\" id=\"25x\" ident=\"pyly\" ver_pom=\"1\" frm_dane=\"p\" aktual=\"T\"></dane>")));
    const QByteArray before = fx.Read("dane/stan_1/stanowisko_dane.xml");
    TStanowisko r(QStringLiteral("1"), QStringLiteral("X"), QStringLiteral("stan_1"));
    r.Kod = QStringLiteral("stare");
    EXPECT_THROW(ReadWorkstationData(Data + "stan_1\\stanowisko_dane.xml", r, view("frmDefStan")),
                 platform::TarvelinError);
    EXPECT_FALSE(r.ReadError.isEmpty());
    EXPECT_TRUE(r.ReadError.contains("25x"));
    EXPECT_TRUE(r.Factors.empty());
    EXPECT_EQ(r.Kod, "stare");
    EXPECT_FALSE(r.Loaded);
    // Writing it back is refused: the file keeps every byte.
    EXPECT_EQ(WriteWorkstationData(Data, r).message(), IncompleteWorkstationText(r));
    EXPECT_EQ(fx.Read("dane/stan_1/stanowisko_dane.xml"), before);
}

TEST(WorkstationData, TruncatedFileIsRefused)
{
    testsupport::FixtureFolder fx;
    fx.WriteText("dane/stan_1/stanowisko_dane.xml", fileWithFactorLine(QString(), false));
    TStanowisko r(QStringLiteral("1"), QStringLiteral("X"), QStringLiteral("stan_1"));
    EXPECT_THROW(ReadWorkstationData(Data + "stan_1\\stanowisko_dane.xml", r, view("frmDefStan")),
                 platform::TarvelinError);
    EXPECT_FALSE(r.ReadError.isEmpty());
    EXPECT_TRUE(r.Factors.empty());
    EXPECT_TRUE(FileFoundDamaged(Data + "stan_1\\stanowisko_dane.xml")); // whatever object would be saved to it
}

TEST(WorkstationData, UnclosedDescriptionIsRefused)
{
    testsupport::FixtureFolder fx;
    fx.WriteText("dane/stan_1/stanowisko_dane.xml",
                 "<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\n"
                 "<stanowisko_dane id=\"1\">\n"
                 " <daneogl>\n"
                 "  <dane nazwa=\"Opis\" typ=\"memo\">bez końca\n"
                 "dalej\n"
                 "</stanowisko_dane>\n");
    TStanowisko r(QStringLiteral("1"), QStringLiteral("X"), QStringLiteral("stan_1"));
    EXPECT_THROW(ReadWorkstationData(Data + "stan_1\\stanowisko_dane.xml", r, view("frmDefStan")),
                 platform::TarvelinError);
}

TEST(WorkstationData, FileOfAnotherWorkstationIsRefused)
{
    testsupport::FixtureFolder fx;
    TStanowisko other = sample(); // id 3
    ASSERT_TRUE(WriteWorkstationData(Data, other));
    TStanowisko r(QStringLiteral("5"), QStringLiteral("Y"), QStringLiteral("stan_3"));
    EXPECT_THROW(ReadWorkstationData(Data + "stan_3\\stanowisko_dane.xml", r, view("frmDefStan")),
                 platform::TarvelinError);
    EXPECT_FALSE(r.ReadError.isEmpty());
}

TEST(WorkstationData, FolderIsCreatedAndOddFolderNamesRefused)
{
    testsupport::FixtureFolder fx;
    testsupport::ScriptedPrompter boxes;
    TStanowisko w = sample();
    w.kat_dane = QStringLiteral("nowy\\..\\..\\poza");
    EXPECT_EQ(WriteWorkstationData(Data, w).message(), "Niepoprawna nazwa katalogu stanowiska: \"nowy\\..\\..\\poza\"");
    w.kat_dane = QString();
    EXPECT_FALSE(WriteWorkstationData(Data, w));
    EXPECT_FALSE(fx.Exists("dane/stanowisko_dane.xml"));
    w.kat_dane = QStringLiteral("stan_3");
    EXPECT_TRUE(WriteWorkstationData(QStringLiteral("a\\b\\c\\"), w));
    EXPECT_TRUE(fx.Exists("a/b/c/stan_3/stanowisko_dane.xml"));
}

TEST(WorkstationData, FolderThatCannotBeCreated)
{
    testsupport::FixtureFolder fx;
    testsupport::ScriptedPrompter boxes;
    fx.Write("dane/stan_3", "a file where the folder should be");
    TStanowisko w = sample();
    EXPECT_EQ(WriteWorkstationData(Data, w).message(),
              QStringLiteral("Nie powiodła się próba utworzenia katalogu : dane\\stan_3"));
}

TEST(Workstation, EmploymentIsSortedAndKeepsTheFirstOfAYear)
{
    TStanowisko w(QStringLiteral("1"), QStringLiteral("X"), QStringLiteral("stan_1"));
    EXPECT_TRUE(w.AddEmployment(TZatrudn("2023", "1", "", "", "", "", "")));
    EXPECT_TRUE(w.AddEmployment(TZatrudn("2021", "2", "", "", "", "", "")));
    EXPECT_FALSE(w.AddEmployment(TZatrudn("2023", "9", "", "", "", "", "")));
    ASSERT_EQ(w.Employment.size(), 2u);
    EXPECT_EQ(w.Employment[0].Rok, "2021");
    EXPECT_EQ(w.FindEmployment("2023")->Mezczyzni, "1");
    EXPECT_EQ(FactorDisplayName(QStringLiteral("A"), 99999), "A");
    EXPECT_EQ(FactorDisplayName(QStringLiteral("A"), 100000), QStringLiteral("A (czynnik własny)"));
    EXPECT_TRUE(IsSafeFolderName("stan_1"));
    EXPECT_FALSE(IsSafeFolderName(".."));
    EXPECT_FALSE(IsSafeFolderName(" "));
    EXPECT_FALSE(IsSafeFolderName("a/b"));
}

TEST(WorkstationData, AWorkstationReadWithoutItsOldFactorsIsNeverWritten)
{
    testsupport::FixtureFolder fx;
    testsupport::ScriptedPrompter boxes;
    TStanowisko w = sample();
    ASSERT_TRUE(WriteWorkstationData(Data, w));
    const QByteArray before = fx.Read("dane/stan_3/stanowisko_dane.xml");
    TStanowisko r(QStringLiteral("3"), QStringLiteral("Spawalnia"), QStringLiteral("stan_3"));
    ReadWorkstationData(Data + "stan_3\\stanowisko_dane.xml", r, view("frmRyzZakl"));
    EXPECT_FALSE(r.AllFactorsRead);
    EXPECT_FALSE(WriteWorkstationData(Data, r));
    EXPECT_EQ(fx.Read("dane/stan_3/stanowisko_dane.xml"), before);
    r.ClearFactors();
    ReadWorkstationData(Data + "stan_3\\stanowisko_dane.xml", r, view("frmDefStan"));
    EXPECT_TRUE(r.AllFactorsRead);
    EXPECT_TRUE(WriteWorkstationData(Data, r));
    EXPECT_EQ(fx.Read("dane/stan_3/stanowisko_dane.xml"), before);
}
