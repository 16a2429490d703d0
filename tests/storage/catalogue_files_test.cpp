// Chemical, biological and dust catalogues: filtered readers, lookups and form correction.
#include "platform/tarvelin_error.h"
#include "storage/catalogue_files.h"
#include "tests/support/fakes.h"
#include "tests/support/fixture.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace storage;
using testsupport::FixtureFolder;
using testsupport::ScriptedPrompter;

namespace {

const QString kDecl = "<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\n";

QString chemEntry(int id, const QString &name, const QString &param)
{
    return QString(" <czynnik id=\"%1\" nazwa=\"%2\">\n  <param %3>\n </czynnik>\n").arg(id).arg(name, param);
}

void writeChem(const FixtureFolder &fx, const QString &ver = "1.0")
{
    fx.WriteText("poradn/czynchem.xml",
                 kDecl + "<czynchem ver=\"" + ver + "\" ver_pom=\"1.0\" frm_dane=\"chemiczny\">\n" +
                     chemEntry(1, "Aceton", "nds=\"600\" ndsch=\"1800\" ndsp=\"-1\" typ=\"256\" nrcas=\"67-64-1\" nrkarty=\"12\" aktualny=\"1\" typh=\"16\" zwroth=\"H225\"") +
                     chemEntry(2, "Rtęć", "nds=\"0.02\" ndsch=\"-1\" ndsp=\"-1\" typ=\"8\" nrcas=\"7439-97-6\" nrkarty=\"\" aktualny=\"1\" typh=\"-1\" zwroth=\"H330\"") +
                     chemEntry(3, "Benzen", "nds=\"1.6\" ndsch=\"-1\" ndsp=\"-1\" typ=\"1\" nrcas=\"71-43-2\" nrkarty=\"\" aktualny=\"0\" typh=\"65536\" zwroth=\"H350\"") +
                     chemEntry(4, "Chlorek kadmu", "nds=\"0.01\" ndsch=\"-1\" ndsp=\"0.5\" typ=\"0\" nrcas=\"7440-43-9\" nrkarty=\"\" aktualny=\"1\" typh=\"-1\" zwroth=\"\"") +
                     "</czynchem>\n");
}

QStringList names(const TCzynChemList &l)
{
    QStringList n;
    for (const auto &e : l)
        n << e->nazwa;
    return n;
}

std::unique_ptr<TPomiar> field(const QString &name, const QString &value = QString())
{
    auto p = std::make_unique<TPomiar>();
    p->EditDefinition().nazwa = name;
    p->Value = value;
    p->EditDefinition().druk = "T";
    p->EditDefinition().typ = "edit";
    return p;
}

// Fields of a form from "name name=value ...".
TPomiarList fields(const QString &spec)
{
    TPomiarList f;
    for (const QString &part : spec.split(' ')) {
        const QStringList nameValue = part.split('=');
        f.push_back(field(nameValue[0], nameValue.value(1)));
    }
    return f;
}

} // namespace

TEST(ChemicalCatalogue, ReadsEntriesWithTheRootFormAndAllValues)
{
    FixtureFolder fx;
    writeChem(fx);
    ChemicalFilter all;
    all.currentOnly = false;
    CatalogueReadInfo info;
    const auto list = ReadChemicalCatalogue(ChemicalCataloguePath(), all, "1.0", &info);
    EXPECT_TRUE(info.versionAccepted);
    ASSERT_EQ(names(list), (QStringList{"Aceton", "Rtęć", "Benzen", "Chlorek kadmu"}));
    const TCzynChem expected(1, 256, 16, "Aceton", "600", "1800", "-1", "67-64-1", "12", "1.0", "chemiczny", "1",
                             "chem", "H225");
    EXPECT_TRUE(list[0]->SameAs(expected));
    EXPECT_EQ(list[0]->szkod, QString("T"));
    EXPECT_EQ(list[1]->typh, -1);
}

TEST(ChemicalCatalogue, CurrentOnlyDropsEntriesNotMarkedCurrent)
{
    FixtureFolder fx;
    writeChem(fx);
    EXPECT_EQ(names(ReadChemicalCatalogue(ChemicalCataloguePath(), ChemicalFilter(), "1.0")),
              (QStringList{"Aceton", "Rtęć", "Chlorek kadmu"}));
}

TEST(ChemicalCatalogue, OtherConfigurationVersionListsNothingWithoutMessage)
{
    FixtureFolder fx;
    ScriptedPrompter prompter;
    writeChem(fx, "2.0");
    CatalogueReadInfo info;
    EXPECT_TRUE(ReadChemicalCatalogue(ChemicalCataloguePath(), ChemicalFilter(), "1.0", &info).empty());
    EXPECT_FALSE(info.versionAccepted);
    EXPECT_EQ(info.ver, QString("2.0"));
    EXPECT_TRUE(prompter.boxes.isEmpty());
}

TEST(ChemicalCatalogue, SearchFindsByCasNumberAndFoldsPolishLetters)
{
    FixtureFolder fx;
    writeChem(fx);
    ChemicalFilter f;
    f.currentOnly = false;
    f.search = "7440";
    EXPECT_EQ(names(ReadChemicalCatalogue(ChemicalCataloguePath(), f, "1.0")), QStringList{"Chlorek kadmu"});
    f.search = "RTĘĆ";
    EXPECT_EQ(names(ReadChemicalCatalogue(ChemicalCataloguePath(), f, "1.0")), QStringList{"Rtęć"});
    f.search = "aCeToN";
    f.oldMask = 8; // a search ignores the masks
    EXPECT_EQ(names(ReadChemicalCatalogue(ChemicalCataloguePath(), f, "1.0")), QStringList{"Aceton"});
}

TEST(ChemicalCatalogue, MasksFollowTheClassificationInForce)
{
    FixtureFolder fx;
    writeChem(fx);
    ChemicalFilter f;
    f.currentOnly = false;
    f.oldMask = 8 | 1 | 256; // skin, carcinogen, solvent
    f.clp = false;            // only entries without CLP classification can pass
    EXPECT_EQ(names(ReadChemicalCatalogue(ChemicalCataloguePath(), f, "1.0")), QStringList{"Rtęć"});
    f.clp = true; // CLP-classified entries pass by either mask
    EXPECT_EQ(names(ReadChemicalCatalogue(ChemicalCataloguePath(), f, "1.0")), (QStringList{"Aceton", "Benzen"}));
    f.oldMask = 0;
    f.newMask = 65536;
    EXPECT_EQ(names(ReadChemicalCatalogue(ChemicalCataloguePath(), f, "1.0")), QStringList{"Benzen"});
    f.newMask = 0; // no mask: every entry
    EXPECT_EQ(ReadChemicalCatalogue(ChemicalCataloguePath(), f, "1.0").size(), 4u);
}

TEST(ChemicalCatalogue, MalformedFilesGiveClearErrors)
{
    FixtureFolder fx;
    EXPECT_THROW(ReadChemicalCatalogue(ChemicalCataloguePath(), ChemicalFilter(), "1.0"), platform::TarvelinError);
    fx.WriteText("poradn/czynchem.xml", kDecl + "<czynchem ver=\"1.0\">\n" +
                                            chemEntry(1, "A", "nds=\"1\" typ=\"abc\" typh=\"0\" aktualny=\"1\"") +
                                            "</czynchem>\n");
    try {
        ReadChemicalCatalogue(ChemicalCataloguePath(), ChemicalFilter(), "1.0");
        FAIL();
    } catch (const platform::TarvelinError &e) {
        EXPECT_TRUE(e.message().contains("czynchem.xml")) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains("wiersz 4"));
    }
    // An entry that never closes: the read ends with a message instead of running on.
    fx.WriteText("poradn/czynchem.xml", kDecl + "<czynchem ver=\"1.0\">\n <czynnik id=\"1\" nazwa=\"A\">\n"
                                                "  <param typ=\"0\" typh=\"0\" aktualny=\"1\">\n</czynchem>\n");
    EXPECT_THROW(ReadChemicalCatalogue(ChemicalCataloguePath(), ChemicalFilter(), "1.0"), platform::TarvelinError);
}

TEST(ChemicalCatalogue, BlankLinesBetweenEntriesMakeNoPhantomEntries)
{
    FixtureFolder fx;
    fx.WriteText("poradn/czynchem.xml", kDecl + "<czynchem ver=\"1.0\">\n\n" +
                                            chemEntry(5, "A", "typ=\"0\" typh=\"0\" aktualny=\"1\"") + "\n" +
                                            chemEntry(6, "B", "typ=\"0\" typh=\"0\" aktualny=\"1\"") + "</czynchem>\n");
    const auto list = ReadChemicalCatalogue(ChemicalCataloguePath(), ChemicalFilter(), "1.0");
    ASSERT_EQ(names(list), (QStringList{"A", "B"}));
    EXPECT_EQ(list[0]->id, 5);
    EXPECT_EQ(list[1]->id, 6);
}

TEST(BiologicalCatalogue, KindFilterTakesTheListedKinds)
{
    FixtureFolder fx;
    QString text = kDecl + "<czynbiol ver=\"1.0\" ver_pom=\"1.0\" frm_dane=\"biologiczny\">\n";
    for (int k = 1; k <= 4; ++k)
        text += QString(" <czynnik id=\"%1\" nazwa=\"Kind %1\">\n  <param typczyn=\"%1\" grzagr=\"%2\" uszgrzagr=\"%3\" ozndod=\"V\">\n </czynnik>\n")
                    .arg(k)
                    .arg(k == 4 ? 4 : 2)
                    .arg(k == 3 ? 1 : 0);
    text += "</czynbiol>\n";
    fx.WriteText("poradn/czynbiol.xml", text);
    auto l13 = ReadBiologicalCatalogue(BiologicalCataloguePath(), "13", "1.0");
    ASSERT_EQ(l13.size(), 2u);
    EXPECT_EQ(l13[0]->typczyn, 1);
    EXPECT_EQ(l13[1]->typczyn, 3);
    EXPECT_TRUE(l13[1]->SameAs(TCzynBiol(3, 3, 2, 1, "Kind 3", "V", "1.0", "biologiczny", "", "biol")));
    EXPECT_EQ(l13[1]->szkod, QString("N"));
    EXPECT_EQ(ReadBiologicalCatalogue(BiologicalCataloguePath(), "0", "1.0").size(), 4u);
    EXPECT_EQ(ReadBiologicalCatalogue(BiologicalCataloguePath(), "024", "1.0").size(), 2u);
    EXPECT_TRUE(ReadBiologicalCatalogue(BiologicalCataloguePath(), "0", "9.9").empty());
}

TEST(CatalogueLookups, ParamFromTheLineAfterTheEntry)
{
    FixtureFolder fx;
    writeChem(fx);
    EXPECT_EQ(ReadCatalogueParam("def", "NDS", 1, CatalogueChemical), QString("600"));
    EXPECT_EQ(ReadCatalogueParam("def", "NDSCh", 2, CatalogueChemical), QString("-1"));
    EXPECT_EQ(ReadCatalogueParam("def", "Typ", 3, CatalogueChemical), QString("1")) << "typ, not typh";
    EXPECT_EQ(ReadCatalogueParam("def", "Brak", 1, CatalogueChemical), QString()) << "attribute absent: empty";
    EXPECT_EQ(ReadCatalogueParam("def", "NDS", 77, CatalogueChemical), QString("def")) << "id nowhere: default";
    EXPECT_EQ(ReadCatalogueParam("def", QString(), 1, CatalogueChemical), QString());
    EXPECT_EQ(ReadCatalogueName(4, 1), QString("Chlorek kadmu"));
    EXPECT_EQ(ReadCatalogueName(44, 1), QString());
}

TEST(CatalogueLookups, EntryOnTheLastLineGivesTheDefault)
{
    FixtureFolder fx;
    fx.WriteText("poradn/czynpyly.xml", kDecl + "<czynpyly>\n <czynnik id=\"25010\" nazwa=\"A\">\n  <param typ=\"4\">\n"
                                                " </czynnik>\n <czynnik id=\"25020\" nazwa=\"B\">");
    EXPECT_EQ(ReadCatalogueParam("d", "Typ", 25010, CatalogueDust), QString("4"));
    EXPECT_EQ(ReadCatalogueParam("d", "Typ", 25020, CatalogueDust), QString("d"));
    EXPECT_EQ(ReadCatalogueName(25020, 2), QString("B")) << "the name lookup numbers the dust catalogue 2";
}

TEST(CatalogueLookups, CacheFollowsChangesOfTheFile)
{
    FixtureFolder fx;
    writeChem(fx);
    EXPECT_EQ(ReadCatalogueParam("d", "NDS", 1, CatalogueChemical), QString("600"));
    fx.WriteText("poradn/czynchem.xml", kDecl + "<czynchem ver=\"1.0\">\n" +
                                            chemEntry(1, "Aceton", "nds=\"500\" typ=\"0\" typh=\"0\"") + "</czynchem>\n");
    EXPECT_EQ(ReadCatalogueParam("d", "NDS", 1, CatalogueChemical), QString("500"));
    QFile::remove(fx.FilePath("poradn/czynchem.xml"));
    EXPECT_THROW(ReadCatalogueParam("d", "NDS", 1, CatalogueChemical), platform::TarvelinError);
}

TEST(CatalogueCorrection, ChemicalWithoutCeilingLosesItsCeilingFields)
{
    TPomiarList f = fields("lNDSP NDSP=-1 NDSPZm NDSPKrotn NDSCh=15 NDSChZm");
    ApplyCatalogueValuesToForm(f, CatalogueChemical);
    for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(f[i]->visible) << i;
        EXPECT_FALSE(f[i]->enabled) << i;
        EXPECT_TRUE(f[i]->druk().isEmpty()) << i;
    }
    EXPECT_TRUE(f[4]->visible);
    EXPECT_EQ(f[5]->druk(), QString("T"));
}

TEST(CatalogueCorrection, ChemicalWithoutNdsLosesTheNamedFieldsOnly)
{
    TPomiarList f = fields("lNDS lWskNarazenia NDSZm NDSKrotn cbSumNDS SumNDS NDSChZm NDS=-1");
    ApplyCatalogueValuesToForm(f, CatalogueChemical);
    for (int i = 0; i < 6; ++i)
        EXPECT_FALSE(f[i]->visible) << i;
    EXPECT_TRUE(f[6]->visible) << "NDSChZm is not named";
    EXPECT_FALSE(f[7]->visible);
}

TEST(CatalogueCorrection, TypeBitsDecideTheSumFields)
{
    for (const auto &[typ, shown] : std::vector<std::pair<QString, bool>>{{"3", false}, {"4", true}, {"16384", false},
                                                                          {"x", true}, {"", true}}) {
        TPomiarList f = fields("Typ cbSumNDS SumNDS");
        f[0]->Value = typ;
        f[1]->enabled = f[2]->enabled = false;
        ApplyCatalogueValuesToForm(f, CatalogueChemical);
        EXPECT_EQ(f[1]->visible, shown) << typ.toStdString();
        EXPECT_EQ(f[2]->enabled, shown) << typ.toStdString();
    }
    TPomiarList preview = fields("Typ=4 SumNDS");
    preview[1]->enabled = false;
    ApplyCatalogueValuesToForm(preview, CatalogueChemical, true);
    EXPECT_FALSE(preview[1]->enabled) << "the factor catalogue shows the sum fields disabled";
}

TEST(CatalogueCorrection, BiologicalSwitchesDisabledUnlessOne)
{
    TPomiarList f = fields("UszGrZagr=0 cbPrWzbrKcMl=1");
    ApplyCatalogueValuesToForm(f, CatalogueBiological);
    EXPECT_FALSE(f[0]->enabled);
    EXPECT_TRUE(f[1]->enabled);
}

TEST(CatalogueCorrection, DustFractionsAndAdditionalMarks)
{
    TPomiarList f = fields("PylResp=-1 PylRespZm PylCalkZm DodOzn=2 DodOznTxt1 DodOznTxt2 DodOznTxt3 Typ=1 SumPylX");
    ApplyCatalogueValuesToForm(f, CatalogueDust);
    EXPECT_FALSE(f[0]->visible);
    EXPECT_FALSE(f[1]->visible);
    EXPECT_TRUE(f[2]->visible);
    EXPECT_FALSE(f[4]->visible);
    EXPECT_TRUE(f[5]->visible);
    EXPECT_FALSE(f[6]->visible);
    EXPECT_FALSE(f[8]->visible);
    TPomiarList g = fields("DodOzn=nic DodOznTxt0 DodOznTxt1");
    ApplyCatalogueValuesToForm(g, CatalogueDust); // a malformed mark counts as 0
    EXPECT_TRUE(g[1]->visible);
    EXPECT_FALSE(g[2]->visible);
}

TEST(CatalogueCorrection, ChemicalWithoutShortTermLimitLosesThoseFieldsAndKeepsTheRest)
{
    TPomiarList f = fields("NDSCh=-1 lNDSChWartDop NDSChKrotn NDS=100 NDSKrotn");
    ApplyCatalogueValuesToForm(f, CatalogueChemical);
    EXPECT_FALSE(f[1]->visible);
    EXPECT_FALSE(f[2]->enabled);
    EXPECT_TRUE(f[2]->druk().isEmpty());
    EXPECT_TRUE(f[3]->visible);
    EXPECT_TRUE(f[4]->visible);
    EXPECT_EQ(f[4]->druk(), QString("T"));
}

TEST(CatalogueLookups, FormDefaultsComeFromOneReadOfTheCatalogue)
{
    FixtureFolder fx;
    writeChem(fx);
    EXPECT_EQ(ReadCatalogueParam("d", "NDS", 1, CatalogueChemical), QString("600"));
    // Unreadable now, but unchanged: the lookups are served from what was read.
    QFile::setPermissions(fx.FilePath("poradn/czynchem.xml"), QFileDevice::Permissions());
    EXPECT_EQ(ReadCatalogueParam("d", "NDSCh", 1, CatalogueChemical), QString("1800"));
    EXPECT_EQ(ReadCatalogueName(2, 1), QString("Rtęć"));
    QFile::setPermissions(fx.FilePath("poradn/czynchem.xml"), QFile::ReadOwner | QFile::WriteOwner);
}

TEST(CatalogueEntries, BlockReadersAddPassingEntriesAndReturnTheClosingLine)
{
    const QStringList lines = {"<param nds=\"600\" typ=\"0\" nrcas=\"67-64-1\" aktualny=\"0\" typh=\"16\">",
                               "</czynnik>", "<czynnik id=\"2\" nazwa=\"B\">"};
    TCzynChemList chem;
    ChemicalFilter all;
    all.currentOnly = false;
    EXPECT_EQ(ReadChemicalEntry(lines, chem, 0, 7, all, "Aceton", "1.0", "chemiczny"), 1);
    ASSERT_EQ(chem.size(), 1u);
    EXPECT_EQ(chem[0]->id, 7);
    EXPECT_EQ(chem[0]->nds, QString("600"));
    EXPECT_EQ(chem[0]->frm_dane, QString("chemiczny"));
    ChemicalFilter current; // "aktualny" 0 is not current
    EXPECT_EQ(ReadChemicalEntry(lines, chem, 0, 7, current, "Aceton", "1.0", "chemiczny"), 1);
    EXPECT_EQ(chem.size(), 1u);

    const QStringList bio = {"<param typczyn=\"3\" grzagr=\"2\" uszgrzagr=\"0\" ozndod=\"T\">", "</czynnik>"};
    TCzynBiolList agents;
    EXPECT_EQ(ReadBiologicalEntry(bio, agents, 0, 9, "12", "X", "1.0", "biologiczny"), 1);
    EXPECT_TRUE(agents.empty());
    EXPECT_EQ(ReadBiologicalEntry(bio, agents, 0, 9, "13", "X", "1.0", "biologiczny"), 1);
    ASSERT_EQ(agents.size(), 1u);
    EXPECT_EQ(agents[0]->grzagr, 2);
    EXPECT_EQ(ReadBiologicalEntry({"<param typczyn=\"1\" grzagr=\"1\" uszgrzagr=\"0\">"}, agents, 0, 9, "0", "X", "",
                                  ""),
              -1);
}
