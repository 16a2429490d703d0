// The factor groups, lists and catalogues shipped with the program load cleanly.
#include "storage/catalogue_files.h"
#include "storage/factor_files.h"
#include "storage/navigation_file.h"
#include "storage/config_version.h"
#include "tests/support/fakes.h"
#include "tests/support/fixture.h"

#include <QSet>
#include <set>
#include <gtest/gtest.h>

using namespace storage;
using testsupport::FixtureFolder;
using testsupport::ScriptedPrompter;

namespace {
const QString kCatalogueFolder = "poradn\\";
const QString kConfigVersion = "1.0";
} // namespace

TEST(InstalledCatalogues, GroupsListsAndCataloguesLoadWithoutMessage)
{
    FixtureFolder fx(true);
    ScriptedPrompter prompter;
    const auto groups = ReadFactorGroups(kCatalogueFolder + "czynniki_grupy.xml");
    QSet<QString> idents;
    for (const auto &g : groups)
        idents.insert(g->ident);
    EXPECT_EQ(idents, (QSet<QString>{"chem", "biol", "pyly", "fiz", "uciaz"}));

    std::set<int> ids;
    int factors = 0;
    for (const auto &g : groups) {
        EXPECT_FALSE(g->katfrm.isEmpty());
        EXPECT_TRUE(fx.Exists("poradn/" + g->plik)) << g->plik.toStdString();
        EXPECT_TRUE(fx.Exists("poradn/" + g->plikWl)) << g->plikWl.toStdString();
        EXPECT_TRUE(ReadFactorList(kCatalogueFolder + g->plikWl, g->ident, false).empty());
        if (g->ident == "chem") {
            ChemicalFilter all;
            all.currentOnly = false;
            CatalogueReadInfo info;
            const auto chem = ReadChemicalCatalogue(kCatalogueFolder + g->plik, all, kConfigVersion, &info);
            EXPECT_TRUE(info.versionAccepted);
            EXPECT_GE(chem.size(), 40u);
            for (const auto &c : chem) {
                EXPECT_TRUE(ids.insert(c->id).second) << c->id;
                EXPECT_FALSE(c->nrcas.isEmpty()) << c->nazwa.toStdString();
                // A limit value is shipped only where it is known for certain; one left out
                // reads as empty, one given is "-1" (no such limit) or a positive number.
                for (const QString &v : {c->nds, c->ndsch, c->ndsp}) {
                    if (v.isEmpty() || v == "-1")
                        continue;
                    bool ok = false;
                    EXPECT_GT(v.toDouble(&ok), 0.0) << c->nazwa.toStdString();
                    EXPECT_TRUE(ok) << c->nazwa.toStdString();
                }
            }
            factors += int(chem.size());
        } else if (g->ident == "biol") {
            const auto biol = ReadBiologicalCatalogue(kCatalogueFolder + g->plik, "0", kConfigVersion);
            EXPECT_GE(biol.size(), 40u);
            QSet<int> kinds;
            for (const auto &b : biol) {
                EXPECT_TRUE(ids.insert(b->id).second) << b->id;
                EXPECT_GE(b->grzagr, 1);
                EXPECT_LE(b->grzagr, 4);
                kinds.insert(b->typczyn);
            }
            EXPECT_EQ(kinds, (QSet<int>{1, 2, 3, 4}));
            factors += int(biol.size());
        } else {
            const auto list = ReadFactorList(kCatalogueFolder + g->plik, g->ident, false);
            EXPECT_FALSE(list.empty()) << g->ident.toStdString();
            for (const auto &f : list) {
                EXPECT_TRUE(ids.insert(f->id).second) << f->id;
                EXPECT_FALSE(f->frm_dane.isEmpty());
                // Each factor's current form version is found without the workstation's copy.
                QString ver;
                EXPECT_EQ(ReadFactorFormVersion(kCatalogueFolder, g->ident, QString::number(f->id), ver),
                          FormVersionLookup::Found);
                EXPECT_EQ(ver, f->ver_pom);
            }
            factors += int(list.size());
        }
    }
    EXPECT_GT(factors, 140);
    EXPECT_TRUE(prompter.boxes.isEmpty()) << prompter.Texts().join('|').toStdString();
}

TEST(InstalledCatalogues, FactorsTheRulesKnowByNumberAreThere)
{
    FixtureFolder fx(true);
    const auto fiz = ReadFactorList(kCatalogueFolder + "czynfiz.xml", "fiz", true);
    const auto uciaz = ReadFactorList(kCatalogueFolder + "czynuciaz.xml", "uciaz", true);
    const auto pyly = ReadFactorList(kCatalogueFolder + "czynpyly.xml", "pyly", true);
    auto find = [](const TCzynnikList &l, int id) -> const TCzynnik * {
        for (const auto &f : l)
            if (f->id == id)
                return f.get();
        return nullptr;
    };
    for (int id : {10100, 10200, 30003, 50002, 50006, 50008})
        EXPECT_NE(find(fiz, id), nullptr) << id;
    EXPECT_NE(find(uciaz, 30005), nullptr);
    EXPECT_EQ(find(fiz, 50002)->frm_dane, QString("mikroklimat_zimny"));
    EXPECT_EQ(find(fiz, 50002)->ver_pom, QString("3.0"));
    EXPECT_EQ(find(fiz, 50006)->ver_pom, QString("2.0"));
    for (int id : {25020, 25070, 25090})
        EXPECT_NE(find(pyly, id), nullptr) << id;
    EXPECT_EQ(find(pyly, 25020)->frm_dane, QString("pyly_wegla"));
    EXPECT_EQ(find(pyly, 25070)->frm_dane, QString("pyly_talku"));
    EXPECT_EQ(find(pyly, 25090)->frm_dane, QString("pyly_grafitu"));
}

TEST(InstalledCatalogues, LookupsServeFormDefaults)
{
    FixtureFolder fx(true);
    EXPECT_EQ(ReadCatalogueParam("0", "NDS", 80001, CatalogueChemical), QString("600"));
    EXPECT_EQ(ReadCatalogueName(80001, 1), QString("Aceton"));
    EXPECT_EQ(ReadCatalogueName(25070, 2), QString("Pyły talku"));
    ChemicalFilter f;
    f.search = "rtęć";
    const auto hg = ReadChemicalCatalogue(ChemicalCataloguePath(), f, kConfigVersion);
    ASSERT_EQ(hg.size(), 1u);
    EXPECT_EQ(hg[0]->nrcas, QString("7439-97-6"));
    EXPECT_EQ(hg[0]->nds, QString("0.02"));
}

TEST(InstalledCatalogues, VersionsMatchTheConfigurationAndEveryDustAnswersItsLookups)
{
    FixtureFolder fx(true);
    ScriptedPrompter prompter;
    ReadNavigationConfig(NavigationConfigPath());
    const QString configVer = ConfigVersion();
    ASSERT_FALSE(configVer.isEmpty());
    // The form-version lookup reads the lists where the configuration puts the catalogue.
    EXPECT_EQ(CatalogueFolderOf(NavigationGroups()), kCatalogueFolder);
    CatalogueReadInfo chem, biol;
    ReadChemicalCatalogue(ChemicalCataloguePath(), ChemicalFilter(), configVer, &chem);
    ReadBiologicalCatalogue(BiologicalCataloguePath(), "0", configVer, &biol);
    EXPECT_TRUE(chem.versionAccepted) << chem.ver.toStdString();
    EXPECT_TRUE(biol.versionAccepted) << biol.ver.toStdString();

    // The dust list is also the dust catalogue: each entry's parameters on the next line.
    const auto dusts = ReadFactorList(kCatalogueFolder + "czynpyly.xml", "pyly", false);
    ASSERT_FALSE(dusts.empty());
    for (const auto &d : dusts) {
        EXPECT_EQ(ReadCatalogueName(d->id, 2), d->nazwa) << d->id;
        EXPECT_NE(ReadCatalogueParam("brak", "Typ", d->id, CatalogueDust), QString("brak")) << d->id;
    }
    // A limit left out of the catalogue leaves the form's own default in place.
    EXPECT_EQ(ReadCatalogueParam("x", "NDS", 80003, CatalogueChemical), QString());
    EXPECT_TRUE(prompter.boxes.isEmpty()) << prompter.Texts().join('|').toStdString();
}
