// Measurement files: both layouts, reading, writing with kept blocks, dust follow-up.
#include "platform/tarvelin_error.h"
#include "storage/measurement_files.h"
#include "tests/storage/measurement_test_support.h"
#include "tests/support/child_process.h"
#include "tests/support/fakes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace storage;
using namespace storagetest;
using testsupport::FixtureFolder;
using testsupport::ScriptedPrompter;

namespace {

std::unique_ptr<TCzynnik> factor(const QString &name, const QString &ident, int id, const QString &frm)
{
    return std::make_unique<TCzynnik>(name, ident, id, "1.0", frm, "T", "T");
}

MeasurementSaveRequest request(const TCzynnik *current, std::vector<const TCzynnik *> listed,
                               std::vector<const TCzynnik *> all = {})
{
    MeasurementSaveRequest r;
    r.workstationFolder = kFolder;
    r.current = current;
    r.formFileName = current ? FormDefinitionName(current->frm_dane, current->ver_pom) : QString();
    r.listedFactors = std::move(listed);
    r.workstationFactors = all.empty() ? r.listedFactors : std::move(all);
    return r;
}

void expectSameMeasurements(const TMeasurementList &a, const TMeasurementList &b)
{
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i)
        EXPECT_TRUE(a[i]->SameAs(*b[i])) << "measurement " << i;
}

void writeChemCatalogue(const FixtureFolder &fx)
{
    fx.WriteText("poradn/czynchem.xml", kDecl + "<czynchem ver=\"1.0\" ver_pom=\"1.0\" frm_dane=\"chemiczny\">\n"
                                                " <czynnik id=\"80001\" nazwa=\"Aceton\">\n  <param nds=\"600\" typ=\"0\">\n </czynnik>\n"
                                                " <czynnik id=\"80002\" nazwa=\"Toluen\">\n  <param nds=\"100\" typ=\"0\">\n </czynnik>\n"
                                                "</czynchem>\n");
}

const QByteArray kGolden =
    "<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\r\n"
    "<halas_fizyczny_dane idczynn=\"30001\">\r\n"
    " <pomiar id=\"1\" ver=\"1\" data=\"2009-03-05\" mscPom=\"Hala A\" wykpom=\"Jan Kowalski\" metpom=\"PN-N-01307\" "
    "interwyn=\"Wynik\" srodogrryz=\"Ochronniki\" ocenam=\"10\" ocenak=\"20\" ocenakc=\"30\" ocenaml=\"40\" "
    "ocenamax=\"40\" ocenakon=\"40\">\r\n"
    "  <dane nazwa=\"Wariant\" typ=\"naglowek\" nrwyb=\"2\"></dane>\r\n"
    "  <dane nazwa=\"PEWartZm\" typ=\"edit\">85.5</dane>\r\n"
    "  <dane nazwa=\"Rodz\" typ=\"combo\" nrzal=\"1\"> ci\xb9g\xb3y </dane>\r\n"
    "  <dane nazwa=\"Opis\" typ=\"memo\">Linia 1\r\nLinia 2</dane>\r\n"
    "  <dane nazwa=\"cbX\" typ=\"checkbox\">True</dane>\r\n"
    "  <dane nazwa=\"Plik\" typ=\"form\"></dane>\r\n"
    " </pomiar>\r\n"
    "</halas_fizyczny_dane>\r\n";

} // namespace

// A fixture folder with the workstation's folder made.
class MeasurementFiles : public ::testing::Test
{
protected:
    FixtureFolder fx;
    void SetUp() override { QDir().mkpath(fx.FilePath("dane/stan_1")); }
};

TEST_F(MeasurementFiles, SingleLayoutIsWrittenAsExpected)
{
    WriteTestForm(fx, "halas_fizyczny");
    auto f = factor("Hałas", "fiz", 30001, "halas_fizyczny");
    auto m = MakeMeasurement("halas_fizyczny", 30001, 1, "2009-03-05",
                             {{"PEWartZm", "85.5"}, {"Rodz", " ciągły "}, {"Opis", "Linia 1\nLinia 2"}, {"cbX", "True"}});
    FindField(m->Fields, "Wariant")->ChoiceNr = 2;
    AddMeasurement(f->Measurements, std::move(m));
    ASSERT_TRUE(WriteMeasurements(request(f.get(), {f.get()})));
    EXPECT_EQ(fx.Read("dane/stan_1/halas_fizyczny_dane.xml"), kGolden)
        << "a header without variants and a label are never stored";
}

TEST_F(MeasurementFiles, SingleLayoutRoundTripsToEqualObjectsAndBytes)
{
    WriteTestForm(fx, "halas_fizyczny");
    auto f = factor("Hałas", "fiz", 30001, "halas_fizyczny");
    AddMeasurement(f->Measurements, MakeMeasurement("halas_fizyczny", 30001, 2, "2010-01-02",
                                                    {{"PEWartZm", "90"}, {"Opis", "a \"cytat\" <b> & c"}}));
    auto first = MakeMeasurement("halas_fizyczny", 30001, 1, "2009-03-05", {{"PEWartZm", "85"}, {"cbX", "True"}});
    first->interwyn = "Wiersz 1\nWiersz \"2\"\n\nWiersz 4";
    first->mscPom = "Hala \"A\"";
    AddMeasurement(f->Measurements, std::move(first));
    ASSERT_TRUE(WriteMeasurements(request(f.get(), {f.get()})));
    const QByteArray bytes = fx.Read("dane/stan_1/halas_fizyczny_dane.xml");

    TMeasurementList back;
    ReadMeasurements(kFolder, "halas_fizyczny", back, 30001, kForms);
    expectSameMeasurements(back, f->Measurements);
    EXPECT_EQ(back[0]->interwyn, QString("Wiersz 1\nWiersz \"2\"\n\nWiersz 4"));

    auto again = factor("Hałas", "fiz", 30001, "halas_fizyczny");
    again->Measurements = std::move(back);
    ASSERT_TRUE(WriteMeasurements(request(again.get(), {again.get()})));
    EXPECT_EQ(fx.Read("dane/stan_1/halas_fizyczny_dane.xml"), bytes);
}

TEST_F(MeasurementFiles, VersionWithDotReadsBackCutAndUsesThatDefinition)
{
    WriteTestForm(fx, "halas_fizyczny", "1");
    fx.WriteText("dane/stan_1/halas_fizyczny_dane.xml",
                 kDecl + "<halas_fizyczny_dane idczynn=\"30001\">\n"
                         " <pomiar id=\"4\" ver=\"1.0\" data=\"2011-05-06\" mscPom=\"\" wykpom=\"\" metpom=\"\" interwyn=\"\" srodogrryz=\"\" ocenam=\"0\" ocenak=\"0\" ocenakc=\"0\" ocenaml=\"0\" ocenamax=\"0\" ocenakon=\"0\">\n"
                         "  <dane nazwa=\"PEWartZm\" typ=\"edit\">77</dane>\n"
                         "  <dane nazwa=\"Usuniete\" typ=\"edit\">5</dane>\n"
                         " </pomiar>\n"
                         "</halas_fizyczny_dane>\n");
    TMeasurementList list;
    ReadMeasurements(kFolder, "halas_fizyczny", list, 30001, kForms);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0]->ver, QString("1"));
    EXPECT_EQ(FindField(list[0]->Fields, "PEWartZm")->Value, QString("77"));
    EXPECT_EQ(FindField(list[0]->Fields, "Usuniete"), nullptr) << "a field the form no longer has is skipped";
    EXPECT_EQ(list[0]->Fields.size(), 9u);
}

TEST_F(MeasurementFiles, SameDateTwiceKeepsTheFirstWithItsOwnValues)
{
    WriteTestForm(fx, "halas_fizyczny");
    const QString head = " <pomiar id=\"%1\" ver=\"1\" data=\"%2\" mscPom=\"%3\" wykpom=\"\" metpom=\"\" interwyn=\"\" srodogrryz=\"\" ocenam=\"0\" ocenak=\"0\" ocenakc=\"0\" ocenaml=\"0\" ocenamax=\"0\" ocenakon=\"0\">\n";
    fx.WriteText("dane/stan_1/halas_fizyczny_dane.xml",
                 kDecl + "<halas_fizyczny_dane idczynn=\"30001\">\n" + head.arg(3).arg("2012-01-01", "C") +
                     "  <dane nazwa=\"PEWartZm\" typ=\"edit\">3</dane>\n </pomiar>\n" + head.arg(1).arg("2010-01-01", "A") +
                     "  <dane nazwa=\"PEWartZm\" typ=\"edit\">1</dane>\n </pomiar>\n" + head.arg(2).arg("2010-01-01", "B") +
                     "  <dane nazwa=\"PEWartZm\" typ=\"edit\">2</dane>\n  <dane nazwa=\"Opis\" typ=\"memo\">drugi</dane>\n </pomiar>\n" +
                     head.arg(4).arg("2011-01-01", "D") + " </pomiar>\n" + "</halas_fizyczny_dane>\n");
    TMeasurementList list;
    ReadMeasurements(kFolder, "halas_fizyczny", list, 30001, kForms);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0]->data, QString("2010-01-01"));
    EXPECT_EQ(list[0]->mscPom, QString("A"));
    EXPECT_EQ(FindField(list[0]->Fields, "PEWartZm")->Value, QString("1"));
    EXPECT_TRUE(FindField(list[0]->Fields, "Opis")->Value.isEmpty()) << "the refused duplicate gives no values";
    EXPECT_EQ(list[1]->data, QString("2011-01-01")) << "a measurement without value lines is kept";
    EXPECT_EQ(FindField(list[1]->Fields, "PEWartZm")->Value, QString("0"));
    EXPECT_EQ(list[2]->mscPom, QString("C")) << "values land in their own measurement whatever the file order";
    EXPECT_EQ(FindField(list[2]->Fields, "PEWartZm")->Value, QString("3"));
}

TEST_F(MeasurementFiles, SharedFileHoldsOneBlockPerSubstanceAndEachReadsItsOwn)
{
    writeChemCatalogue(fx);
    WriteTestForm(fx, "chemiczny");
    auto a = factor("Aceton", "chem", 80001, "chemiczny");
    auto t = factor("Toluen", "chem", 80002, "chemiczny");
    AddMeasurement(a->Measurements, MakeMeasurement("chemiczny", 80001, 1, "2009-01-01", {{"PEWartZm", "11"}}));
    AddMeasurement(t->Measurements, MakeMeasurement("chemiczny", 80002, 1, "2009-01-01", {{"PEWartZm", "22"}}));
    AddMeasurement(t->Measurements, MakeMeasurement("chemiczny", 80002, 2, "2009-02-01", {{"PEWartZm", "23"}}));
    ASSERT_TRUE(WriteMeasurements(request(t.get(), {a.get(), t.get()})));
    const QString text = fx.ReadText("dane/stan_1/chemiczny_dane.xml");
    EXPECT_TRUE(text.contains("\n<chemiczny_dane\">\n<idczynn=\"80001\">\n <pomiar id=\"1\"")) << text.toStdString();
    EXPECT_TRUE(text.contains("</idczynn>\n<idczynn=\"80002\">\n"));
    EXPECT_TRUE(text.endsWith("</idczynn>\n</chemiczny_dane>\n"));

    TMeasurementList ra, rt;
    ReadMeasurements(kFolder, "chemiczny", ra, 80001, kForms);
    ReadMeasurements(kFolder, "chemiczny", rt, 80002, kForms);
    expectSameMeasurements(ra, a->Measurements);
    expectSameMeasurements(rt, t->Measurements);
    EXPECT_EQ(FindField(ra[0]->Fields, "PEWartZm")->Value, QString("11"));
}

TEST_F(MeasurementFiles, ReadingStopsAtTheEndOfTheFactorsFirstBlock)
{
    WriteTestForm(fx, "met5Krok");
    const QString pom = " <pomiar id=\"1\" ver=\"1\" data=\"%1\" mscPom=\"\" wykpom=\"\" metpom=\"\" interwyn=\"\" srodogrryz=\"\" ocenam=\"0\" ocenak=\"0\" ocenakc=\"0\" ocenaml=\"0\" ocenamax=\"0\" ocenakon=\"0\">\n  <dane nazwa=\"PEWartZm\" typ=\"edit\">%2</dane>\n </pomiar>\n";
    fx.WriteText("dane/stan_1/met5Krok_dane.xml", kDecl + "<met5Krok_dane\">\n<idczynn=\"100002\">\n" + pom.arg("2009-01-01", "x") +
                                                      "</idczynn>\n<idczynn=\"100001\">\n" + pom.arg("2009-01-02", "mine") +
                                                      "</idczynn>\n<idczynn=\"100001\">\n" + pom.arg("2009-01-03", "stray") +
                                                      "</idczynn>\n</met5Krok_dane>\n");
    TMeasurementList list;
    ReadMeasurements(kFolder, "met5Krok", list, 100001, kForms);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(FindField(list[0]->Fields, "PEWartZm")->Value, QString("mine"));
}

TEST_F(MeasurementFiles, RewriteKeepsBlocksOfFactorsNotWrittenByteForByte)
{
    WriteTestForm(fx, "met5Krok");
    const QString foreign = "<idczynn=\"100002\">\n"
                            " <pomiar id=\"7\" ver=\"1\" data=\"2008-08-08\" mscPom=\"Hala &quot;B&quot;\" wykpom=\"\" metpom=\"\" interwyn=\"dwa\nwiersze\" srodogrryz=\"\" ocenam=\"0\" ocenak=\"0\" ocenakc=\"0\" ocenaml=\"0\" ocenamax=\"0\" ocenakon=\"0\">\n"
                            "  <dane nazwa=\"PEWartZm\" typ=\"edit\">obcy</dane>\n"
                            "  <dane nazwa=\"Nieznane\" typ=\"edit\">zostaje</dane>\n"
                            " </pomiar>\n"
                            "</idczynn>\n";
    fx.WriteText("dane/stan_1/met5Krok_dane.xml",
                 kDecl + "<met5Krok_dane\">\n<idczynn=\"100001\">\n</idczynn>\n" + foreign + "</met5Krok_dane>\n");
    // An own factor of the physical group; the file also holds an own factor of the arduous group.
    auto own = factor("Stres", "fiz", 100001, "met5Krok");
    AddMeasurement(own->Measurements, MakeMeasurement("met5Krok", 100001, 1, "2009-09-09", {{"PEWartZm", "nowy"}}));
    ASSERT_TRUE(WriteMeasurements(request(own.get(), {own.get()})));
    const QString text = fx.ReadText("dane/stan_1/met5Krok_dane.xml");
    EXPECT_TRUE(text.contains(foreign)) << text.toStdString();
    EXPECT_LT(text.indexOf("100001"), text.indexOf("100002")) << "blocks keep their places";

    TMeasurementList mine, theirs;
    ReadMeasurements(kFolder, "met5Krok", mine, 100001, kForms);
    ReadMeasurements(kFolder, "met5Krok", theirs, 100002, kForms);
    ASSERT_EQ(mine.size(), 1u);
    EXPECT_EQ(FindField(mine[0]->Fields, "PEWartZm")->Value, QString("nowy"));
    ASSERT_EQ(theirs.size(), 1u);
    EXPECT_EQ(theirs[0]->mscPom, QString("Hala \"B\""));
}

TEST_F(MeasurementFiles, FactorWrittenIntoAnotherFactorsSingleFileKeepsBoth)
{
    WriteTestForm(fx, "wspolny");
    auto first = factor("A", "fiz", 5, "wspolny");
    AddMeasurement(first->Measurements, MakeMeasurement("wspolny", 5, 1, "2009-01-01", {{"PEWartZm", "pięć"}}));
    ASSERT_TRUE(WriteMeasurements(request(first.get(), {first.get()})));
    EXPECT_TRUE(fx.ReadText("dane/stan_1/wspolny_dane.xml").contains("<wspolny_dane idczynn=\"5\">"));
    auto second = factor("B", "fiz", 6, "wspolny");
    AddMeasurement(second->Measurements, MakeMeasurement("wspolny", 6, 1, "2009-01-01", {{"PEWartZm", "sześć"}}));
    ASSERT_TRUE(WriteMeasurements(request(second.get(), {second.get()})));
    TMeasurementList r5, r6;
    ReadMeasurements(kFolder, "wspolny", r5, 5, kForms);
    ReadMeasurements(kFolder, "wspolny", r6, 6, kForms);
    expectSameMeasurements(r5, first->Measurements);
    expectSameMeasurements(r6, second->Measurements);
}

TEST_F(MeasurementFiles, DustSaveRewritesTheOtherSummedDustsInTheirOwnLayout)
{
    fx.WriteText("poradn/czynpyly.xml", kDecl + "<czynpyly ver=\"1.0\">\n <pyly>\n"
                                                "  <czynnik id=\"25010\" nazwa=\"A\">\n   <param typ=\"0\">\n  </czynnik>\n </pyly>\n</czynpyly>\n");
    const QString sum = "<pole nazwa=\"cbSumNDS\" typ=\"checkbox\">False</pole>\n";
    for (const char *frm : {"pyly_apatytow", "pyly_cementow", "pyly_drewna", "pyly"})
        WriteTestForm(fx, frm, "1", sum);
    auto a = factor("Apatyty", "pyly", 25010, "pyly_apatytow");
    auto b = factor("Cementy", "pyly", 25040, "pyly_cementow");
    auto c = factor("Drewno", "pyly", 25050, "pyly_drewna");
    auto d = factor("Glin", "pyly", 25201, "pyly");
    AddMeasurement(a->Measurements, MakeMeasurement("pyly_apatytow", 25010, 1, "2009-01-01", {{"cbSumNDS", "True"}}));
    AddMeasurement(b->Measurements, MakeMeasurement("pyly_cementow", 25040, 1, "2009-01-01", {{"cbSumNDS", "True"}, {"PEWartZm", "0.4"}}));
    AddMeasurement(c->Measurements, MakeMeasurement("pyly_drewna", 25050, 1, "2009-01-01", {{"cbSumNDS", "False"}}));
    AddMeasurement(d->Measurements, MakeMeasurement("pyly", 25201, 1, "2009-01-01", {{"cbSumNDS", "True"}, {"PEWartZm", "0.7"}}));
    // The shared dust file also holds a dust that is no longer on the workstation.
    const QString kept = "<idczynn=\"25202\">\n </pomiar-like line kept>\n</idczynn>\n";
    fx.WriteText("dane/stan_1/pyly_dane.xml", kDecl + "<pyly_dane\">\n" + kept + "</pyly_dane>\n");

    ASSERT_TRUE(WriteMeasurements(request(a.get(), {a.get(), b.get(), c.get(), d.get()})));
    EXPECT_TRUE(fx.Exists("dane/stan_1/pyly_apatytow_dane.xml"));
    EXPECT_TRUE(fx.Exists("dane/stan_1/pyly_cementow_dane.xml")) << "summed dust rewritten";
    EXPECT_FALSE(fx.Exists("dane/stan_1/pyly_drewna_dane.xml")) << "a dust outside the sum is left alone";
    const QString shared = fx.ReadText("dane/stan_1/pyly_dane.xml");
    EXPECT_TRUE(shared.contains(kept)) << shared.toStdString();
    EXPECT_TRUE(shared.contains("<idczynn=\"25201\">")) << "the shared dust keeps the shared layout";
    TMeasurementList rb, rd;
    ReadMeasurements(kFolder, "pyly_cementow", rb, 25040, kForms);
    ReadMeasurements(kFolder, "pyly", rd, 25201, kForms);
    ASSERT_EQ(rb.size(), 1u);
    EXPECT_EQ(FindField(rb[0]->Fields, "PEWartZm")->Value, QString("0.4"));
    ASSERT_EQ(rd.size(), 1u);
    EXPECT_EQ(FindField(rd[0]->Fields, "PEWartZm")->Value, QString("0.7"));

    // Saving the shared dust rewrites the single-layout summed dusts too.
    QFile::remove(fx.FilePath("dane/stan_1/pyly_apatytow_dane.xml"));
    ASSERT_TRUE(WriteMeasurements(request(d.get(), {a.get(), b.get(), c.get(), d.get()})));
    EXPECT_TRUE(fx.Exists("dane/stan_1/pyly_apatytow_dane.xml"));
}

TEST_F(MeasurementFiles, MissingFileMeansNoMeasurements)
{
    ScriptedPrompter prompter;
    WriteTestForm(fx, "halas_fizyczny");
    TMeasurementList list;
    list.push_back(MakeMeasurement("halas_fizyczny", 1, 1, "2009-01-01", {}));
    ReadMeasurements(kFolder, "halas_fizyczny", list, 30001, kForms);
    EXPECT_TRUE(list.empty());
    EXPECT_TRUE(prompter.boxes.isEmpty());
    // An emptied file is no file without measurements: it is damaged.
    fx.Write("dane/stan_1/halas_fizyczny_dane.xml", QByteArray());
    EXPECT_THROW(ReadMeasurements(kFolder, "halas_fizyczny", list, 30001, kForms), platform::TarvelinError);
    EXPECT_TRUE(list.empty());
}

TEST_F(MeasurementFiles, BrokenFilesGiveAMessageAndKeepWhatCouldBeRead)
{
    WriteTestForm(fx, "halas_fizyczny");
    auto f = factor("Hałas", "fiz", 30001, "halas_fizyczny");
    AddMeasurement(f->Measurements, MakeMeasurement("halas_fizyczny", 30001, 1, "2009-03-05", {{"Opis", "a\nb"}}));
    AddMeasurement(f->Measurements, MakeMeasurement("halas_fizyczny", 30001, 2, "2009-04-05", {}));
    ASSERT_TRUE(WriteMeasurements(request(f.get(), {f.get()})));
    const QByteArray good = fx.Read("dane/stan_1/halas_fizyczny_dane.xml");

    TMeasurementList kept;
    kept.push_back(MakeMeasurement("halas_fizyczny", 30001, 9, "2001-01-01", {}));
    auto expectRejected = [&](const QByteArray &bytes, const char *why) {
        fx.Write("dane/stan_1/halas_fizyczny_dane.xml", bytes);
        EXPECT_THROW(ReadMeasurements(kFolder, "halas_fizyczny", kept, 30001, kForms), platform::TarvelinError)
            << why << " " << bytes.size() << " " << bytes.right(60).toStdString();
        EXPECT_LE(kept.size(), 2u) << why; // the measurements read before the fault, no other
        for (const auto &m : kept)
            EXPECT_NE(m->id, 9) << why;
    };
    for (int cut : {200, 400, int(good.size()) - 30, int(good.size()) - 26})
        expectRejected(good.left(cut), "truncated");
    QByteArray badId = good;
    badId.replace("pomiar id=\"2\"", "pomiar id=\"dwa\"");
    expectRejected(badId, "non-numeric id");
    QByteArray badRating = good;
    badRating.replace("ocenak=\"20\"", "ocenak=\"x\"");
    expectRejected(badRating, "non-numeric rating");
    QByteArray bigRating = good;
    bigRating.replace("ocenak=\"20\"", "ocenak=\"70000\"");
    expectRejected(bigRating, "rating beyond 16 bits");
    QByteArray badChoice = good;
    badChoice.replace("nrzal=\"1\"", "nrzal=\"?\"");
    expectRejected(badChoice, "non-numeric choice");
    QByteArray otherVersion = good;
    otherVersion.replace("ver=\"1\"", "ver=\"7\"");
    expectRejected(otherVersion, "definition of that version missing");

    fx.Write("dane/stan_1/halas_fizyczny_dane.xml", good);
    ReadMeasurements(kFolder, "halas_fizyczny", kept, 30001, kForms);
    expectSameMeasurements(kept, f->Measurements);
}

TEST_F(MeasurementFiles, NothingSelectedWritesNothing)
{
    ScriptedPrompter prompter;
    EXPECT_EQ(WriteMeasurements(request(nullptr, {})).message(), "Źle zaznaczono dane");
    auto f = factor("Hałas", "fiz", 30001, "halas_fizyczny");
    auto r = request(f.get(), {f.get()});
    r.workstationFolder.clear();
    EXPECT_EQ(WriteMeasurements(r).message(), "Źle zaznaczono dane");
    EXPECT_TRUE(prompter.boxes.isEmpty());
    EXPECT_TRUE(QDir(fx.FilePath("dane/stan_1")).isEmpty());
}

TEST_F(MeasurementFiles, WriteFailureKeepsTheOldFile)
{
    ScriptedPrompter prompter;
    WriteTestForm(fx, "halas_fizyczny");
    fx.WriteText("dane/stan_1/halas_fizyczny_dane.xml", "<?xml?>\n<halas_fizyczny_dane>\n</halas_fizyczny_dane>\n");
    auto f = factor("Hałas", "fiz", 30001, "halas_fizyczny");
    QFile::setPermissions(fx.FilePath("dane/stan_1"), QFile::ReadOwner | QFile::ExeOwner);
    const QByteArray answer = testsupport::RunAsOrdinaryUser(fx.Path(), [&] {
        return WriteMeasurements(request(f.get(), {f.get()})).message().toUtf8() +
               (prompter.boxes.isEmpty() ? "" : " with a box");
    });
    QFile::setPermissions(fx.FilePath("dane/stan_1"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(QString::fromUtf8(answer), "Błąd dostępu do pliku : dane\\stan_1\\halas_fizyczny_dane.xml");
    EXPECT_EQ(fx.Read("dane/stan_1/halas_fizyczny_dane.xml"),
              QByteArray("<?xml?>\r\n<halas_fizyczny_dane>\r\n</halas_fizyczny_dane>\r\n"));
}

TEST_F(MeasurementFiles, FactorReadOnlyInPartIsNeverWrittenOver)
{
    ScriptedPrompter prompter;
    writeChemCatalogue(fx);
    WriteTestForm(fx, "chemiczny");
    auto a = factor("Aceton", "chem", 80001, "chemiczny");
    auto t = factor("Toluen", "chem", 80002, "chemiczny");
    AddMeasurement(a->Measurements, MakeMeasurement("chemiczny", 80001, 1, "2009-01-01", {{"PEWartZm", "1"}}));
    AddMeasurement(t->Measurements, MakeMeasurement("chemiczny", 80002, 1, "2009-01-01", {{"PEWartZm", "2"}}));
    ASSERT_TRUE(WriteMeasurements(request(a.get(), {a.get(), t.get()})));
    // Toluene's measurements now stand in memory only in part.
    t->Measurements.clear();
    t->MeasurementsIncomplete = true;
    FindField(a->Measurements[0]->Fields, "PEWartZm")->Value = "3";
    ASSERT_TRUE(WriteMeasurements(request(a.get(), {a.get(), t.get()})));
    TMeasurementList rt;
    ReadMeasurements(kFolder, "chemiczny", rt, 80002, kForms);
    ASSERT_EQ(rt.size(), 1u) << "its stored block stays";
    EXPECT_EQ(FindField(rt[0]->Fields, "PEWartZm")->Value, QString("2"));
    const StorageResult refused = WriteMeasurements(request(t.get(), {a.get(), t.get()}));
    EXPECT_FALSE(refused);
    EXPECT_TRUE(refused.message().contains("Toluen"));
}

TEST(MeasurementLists, DateOrderAndOneMeasurementPerDate)
{
    TMeasurementList l;
    auto make = [](int id, const char *d) {
        return std::make_unique<TPomiarCzynn>(TMeasurementAttributes{.id = id, .data = d, .ver = "1"});
    };
    EXPECT_NE(AddMeasurement(l, make(1, "2010-05-01")), nullptr);
    EXPECT_NE(AddMeasurement(l, make(2, "2009-05-01")), nullptr);
    EXPECT_NE(AddMeasurement(l, make(3, "2011-05-01")), nullptr);
    EXPECT_EQ(AddMeasurement(l, make(4, "2009-05-01")), nullptr);
    ASSERT_EQ(l.size(), 3u);
    EXPECT_EQ(l[0]->id, 2);
    EXPECT_EQ(l[2]->id, 3);
    EXPECT_EQ(FindMeasurementByDate(l, "2011-05-01"), 2);
    EXPECT_EQ(FindMeasurementById(l, 1), 1);
    l[0]->data = "2012-01-01";
    SortMeasurements(l);
    EXPECT_EQ(l[2]->id, 2);
}

TEST(MeasurementNames, FileNamesAndLayouts)
{
    EXPECT_EQ(MeasurementFileBaseFromDefinition("halas_fizyczny_frm_2.xml"), QString("halas_fizyczny_dane"));
    EXPECT_EQ(MeasurementFileBaseFromDefinition("zaklocen\\frm\\chemiczny_frm_1.xml"), QString("chemiczny_dane"));
    EXPECT_EQ(MeasurementFileName("met5Krok"), QString("met5Krok_dane.xml"));
    EXPECT_TRUE(UsesSharedLayout("chem", "chemiczny", 1));
    EXPECT_TRUE(UsesSharedLayout("biol", "biologiczny", 1));
    EXPECT_TRUE(UsesSharedLayout("fiz", "mechaniczne", 4000));
    EXPECT_TRUE(UsesSharedLayout("uciaz", "met5Krok", 100001));
    EXPECT_TRUE(UsesSharedLayout("fiz", "metRiskScore", 100001));
    EXPECT_TRUE(UsesSharedLayout("pyly", "pyly", 25201));
    EXPECT_FALSE(UsesSharedLayout("pyly", "pyly_wegla", 25200));
    EXPECT_FALSE(UsesSharedLayout("fiz", "halas_fizyczny", 30001));
}

TEST_F(MeasurementFiles, TargetThatCannotBeWrittenReportsFailure)
{
    ScriptedPrompter prompter;
    WriteTestForm(fx, "halas_fizyczny");
    QDir().mkpath(fx.FilePath("dane/stan_1/halas_fizyczny_dane.xml")); // a folder where the file should be
    auto f = factor("Hałas", "fiz", 30001, "halas_fizyczny");
    EXPECT_EQ(WriteMeasurements(request(f.get(), {f.get()})).message(),
              "Zamiast pliku jest katalog o tej nazwie : dane\\stan_1\\halas_fizyczny_dane.xml");
    EXPECT_TRUE(prompter.boxes.isEmpty());
    EXPECT_TRUE(QFileInfo(fx.FilePath("dane/stan_1/halas_fizyczny_dane.xml")).isDir());
}

TEST_F(MeasurementFiles, SharedFileRoundTripsByteForByte)
{
    WriteTestForm(fx, "metRiskScore");
    auto a = factor("Stres", "fiz", 100001, "metRiskScore");
    auto b = factor("Praca zmianowa", "uciaz", 100002, "metRiskScore");
    AddMeasurement(a->Measurements, MakeMeasurement("metRiskScore", 100001, 1, "2009-01-01", {{"Opis", "dwa\nwiersze"}}));
    AddMeasurement(b->Measurements, MakeMeasurement("metRiskScore", 100002, 1, "2010-01-01", {{"PEWartZm", "7"}}));
    ASSERT_TRUE(WriteMeasurements(request(a.get(), {a.get()})));
    ASSERT_TRUE(WriteMeasurements(request(b.get(), {b.get()})));
    const QByteArray bytes = fx.Read("dane/stan_1/metRiskScore_dane.xml");
    auto ra = factor("Stres", "fiz", 100001, "metRiskScore");
    auto rb = factor("Praca zmianowa", "uciaz", 100002, "metRiskScore");
    ReadMeasurements(kFolder, "metRiskScore", ra->Measurements, 100001, kForms);
    ReadMeasurements(kFolder, "metRiskScore", rb->Measurements, 100002, kForms);
    expectSameMeasurements(ra->Measurements, a->Measurements);
    expectSameMeasurements(rb->Measurements, b->Measurements);
    ASSERT_TRUE(WriteMeasurements(request(rb.get(), {rb.get()})));
    ASSERT_TRUE(WriteMeasurements(request(ra.get(), {ra.get()})));
    EXPECT_EQ(fx.Read("dane/stan_1/metRiskScore_dane.xml"), bytes);
}

TEST_F(MeasurementFiles, SingleRootOverBlocksIsSplitByItsBlocks)
{
    WriteTestForm(fx, "pyly");
    const QString other = "<idczynn=\"25202\">\n</idczynn>\n";
    // A shared dust file once overwritten with a single-layout root line.
    fx.WriteText("dane/stan_1/pyly_dane.xml", kDecl + "<pyly_dane idczynn=\"25201\">\n" + other + "</pyly_dane>\n");
    fx.WriteText("poradn/czynpyly.xml", kDecl + "<czynpyly>\n</czynpyly>\n");
    auto d = factor("Glin", "pyly", 25201, "pyly");
    AddMeasurement(d->Measurements, MakeMeasurement("pyly", 25201, 1, "2009-01-01", {{"PEWartZm", "1"}}));
    ASSERT_TRUE(WriteMeasurements(request(d.get(), {d.get()})));
    const QString text = fx.ReadText("dane/stan_1/pyly_dane.xml");
    EXPECT_TRUE(text.contains("\n<pyly_dane\">\n" + other + "<idczynn=\"25201\">\n")) << text.toStdString();
}

TEST_F(MeasurementFiles, DependentFieldsAreSetWhenRead)
{
    const QString laser = "<pole nazwa=\"DlugFal\" typ=\"edit\">0</pole>\n<pole nazwa=\"CalkCzasEksp\" typ=\"edit\">0</pole>\n";
    WriteTestForm(fx, "prm_laser", "2", laser);
    auto f = factor("Laser", "fiz", 50006, "prm_laser");
    f->ver_pom = "2.0";
    AddMeasurement(f->Measurements, MakeMeasurement("prm_laser", 50006, 1, "2009-01-01", {{"DlugFal", "600"}}, "2"));
    AddMeasurement(f->Measurements, MakeMeasurement("prm_laser", 50006, 2, "2009-02-01", {{"DlugFal", "599.9"}}, "2"));
    ASSERT_TRUE(WriteMeasurements(request(f.get(), {f.get()})));
    TMeasurementList list;
    ReadMeasurements(kFolder, "prm_laser", list, 50006, kForms);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_FALSE(FindField(list[0]->Fields, "CalkCzasEksp")->enabled);
    EXPECT_TRUE(FindField(list[1]->Fields, "CalkCzasEksp")->enabled);
}

TEST_F(MeasurementFiles, DustFollowUpWritesOnlySummedDustsOtherThanTheSavedOne)
{
    fx.WriteText("poradn/czynpyly.xml", kDecl + "<czynpyly>\n</czynpyly>\n");
    const QString sum = "<pole nazwa=\"cbSumNDS\" typ=\"checkbox\">False</pole>\n";
    WriteTestForm(fx, "pyly_wegla", "1", sum);
    WriteTestForm(fx, "pyly_talku", "1", sum);
    auto coal = factor("Węgiel", "pyly", 25020, "pyly_wegla");
    auto talc = factor("Talk", "pyly", 25070, "pyly_talku");
    auto noise = factor("Hałas", "fiz", 30001, "pyly_talku"); // not a dust, whatever its form
    AddMeasurement(coal->Measurements, MakeMeasurement("pyly_wegla", 25020, 1, "2009-01-01", {{"cbSumNDS", "True"}}));
    AddMeasurement(talc->Measurements, MakeMeasurement("pyly_talku", 25070, 1, "2009-01-01", {{"cbSumNDS", "True"}}));
    AddMeasurement(noise->Measurements, MakeMeasurement("pyly_talku", 30001, 1, "2009-01-01", {{"cbSumNDS", "True"}}));
    ASSERT_TRUE(WriteDustMeasurements(kFolder, {coal.get(), talc.get(), noise.get()}, 25020));
    EXPECT_FALSE(fx.Exists("dane/stan_1/pyly_wegla_dane.xml"));
    ASSERT_TRUE(fx.Exists("dane/stan_1/pyly_talku_dane.xml"));
    EXPECT_TRUE(fx.ReadText("dane/stan_1/pyly_talku_dane.xml").contains("<pyly_talku_dane idczynn=\"25070\">"));
}
