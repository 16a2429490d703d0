// Files that end with blank lines after their closing root line (a text editor leaves
// them) read exactly as without them.
#include "platform/tarvelin_error.h"
#include "storage/catalogue_files.h"
#include "storage/factor_files.h"
#include "storage/form_definition_files.h"
#include "storage/navigation_file.h"
#include "storage/selection_trees.h"
#include "tests/support/fakes.h"
#include "tests/support/fixture.h"

#include <gtest/gtest.h>

using namespace storage;
using testsupport::FixtureFolder;

namespace {
const QString kDecl = "<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\n";
const QString kBlankTail = "\n  \n\n";
} // namespace

TEST(TrailingBlankLines, CataloguesReadAsWithout)
{
    FixtureFolder fx;
    ClearCatalogueCache();
    fx.WriteText("poradn/czynchem.xml", kDecl + "<czynchem ver=\"1.0\" ver_pom=\"1.0\" frm_dane=\"chemiczny\">\n"
                                                " <czynnik id=\"1\" nazwa=\"Aceton\">\n"
                                                "  <param nds=\"600\" typ=\"0\" nrcas=\"67-64-1\" aktualny=\"1\" typh=\"16\">\n"
                                                " </czynnik>\n</czynchem>" + kBlankTail);
    fx.WriteText("poradn/czynbiol.xml", kDecl + "<czynbiol ver=\"1.0\" ver_pom=\"1.0\" frm_dane=\"biologiczny\">\n"
                                                " <czynnik id=\"2\" nazwa=\"A\">\n"
                                                "  <param typczyn=\"1\" grzagr=\"2\" uszgrzagr=\"0\" ozndod=\"\">\n"
                                                " </czynnik>\n</czynbiol>" + kBlankTail);
    ChemicalFilter all;
    EXPECT_EQ(ReadChemicalCatalogue(ChemicalCataloguePath(), all, "1.0").size(), 1u);
    EXPECT_EQ(ReadBiologicalCatalogue(BiologicalCataloguePath(), "0", "1.0").size(), 1u);
    ClearCatalogueCache();
}

TEST(TrailingBlankLines, FormDefinitionReadsAsWithout)
{
    FixtureFolder fx;
    ClearFormDefinitionCache();
    fx.WriteText("zaklocen/frm/halas_fizyczny_frm_1.xml",
                 kDecl + "<halas_fizyczny_frm ver=\"1\" katalog=\"k\" plik=\"p\" function=\"f\">\n"
                         " <page nr=\"1\" nazwa=\"Strona\">\n  <wiersz szerkol=\"100\">\n"
                         "   <pole nazwa=\"A\" typ=\"edit\">1</pole>\n </page>\n</halas_fizyczny_frm>" + kBlankTail);
    TPomiarList fields;
    ReadMeasurementForm("zaklocen\\frm\\halas_fizyczny_frm_1.xml", fields, 30001);
    ASSERT_EQ(fields.size(), 2u);
    EXPECT_EQ(fields[1]->nazwa(), QString("A"));
    ClearFormDefinitionCache();
}

TEST(TrailingBlankLines, NavigationTreesAndFactorListsReadAsWithout)
{
    FixtureFolder fx;
    fx.WriteText("config/Tarvelin.xml", kDecl + "<tarvelin ver=\"1.0\">\n"
                                                "<grupa nazwa=\"G\" numer=\"1\" rozmikon=\"16\">\n"
                                                "<element nazwa=\"E\" numer=\"1\" oper=\"\" ikona=\"\">\n"
                                                "<skladnik numer=\"1\" typ=\"frm\">\n<plik>frmDefStan</plik>\n</skladnik>\n"
                                                "</grupa>\n</tarvelin>" + kBlankTail);
    ReadNavigationConfig(NavigationConfigPath());
    ASSERT_EQ(NavigationGroups().size(), 1u);
    EXPECT_EQ(NavigationGroups()[0]->Elements.size(), 1u);

    fx.WriteText("zal/t.xml", kDecl + "<drzewo plik=\"zal\\t.xml\" ver=\"1.0\">\n<grp nazwa=\"G\">\n<poz>a</poz>\n"
                                      "</grp>\n</drzewo>" + kBlankTail);
    std::vector<TZalTree> tree;
    ReadSelectionTree("zal\\t.xml", tree);
    EXPECT_EQ(tree.size(), 2u);

    fx.WriteText("poradn/czynfiz.xml", kDecl + "<czynfiz>\n <czynnik id=\"10100\" ver_pom=\"1.0\" frm_dane=\"d\" "
                                               "aktualny=\"1\" szkod=\"T\">Drgania</czynnik>\n</czynfiz>" + kBlankTail);
    EXPECT_EQ(ReadFactorList("poradn\\czynfiz.xml", "fiz", true).size(), 1u);
}
