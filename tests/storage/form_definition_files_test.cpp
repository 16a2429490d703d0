// Measurement form definitions: items, attribute defaults, includes, catalogue defaults.
#include "platform/tarvelin_error.h"
#include "storage/catalogue_files.h"
#include "storage/form_definition_files.h"
#include "tests/support/fixture.h"

#include <gtest/gtest.h>

using namespace storage;
using testsupport::FixtureFolder;

namespace {

const QString kDecl = "<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\n";

QString form(const QString &root, const QString &body)
{
    return kDecl + "<" + root + " ver=\"1\" katalog=\"kat\\\" plik=\"p.xml\" function=\"" + root.left(root.size() - 4) +
           "_Pomiar_01\">\n" + body + "</" + root + ">\n";
}

const TPomiar *find(const TPomiarList &l, const QString &name)
{
    return FindField(l, name);
}

} // namespace

TEST(FormDefinition, PagesHeadersAndFieldsInOrder)
{
    FixtureFolder fx;
    fx.WriteText("zaklocen/frm/halas_fizyczny_frm_1.xml",
                 form("halas_fizyczny_frm",
                      "<page nr=\"1\" nazwa=\"Pomiar\">\n"
                      " <naglowek nazwa=\"hWynik\" typ=\"label\" druk=\"F\" szer=\"300\" etyk=\"Wyniki\" skrot=\"W\" enabled=\"F\" style=\"b\">\n"
                      "  <wiersz szerkol=\"120\">\n"
                      "   <pole nazwa=\"lPEWartZm\" typ=\"label\" etyk=\"Poziom\"></pole>\n"
                      "   <pole nazwa=\"PEWartZm\" typ=\"edit\" druk=\"F\" param=\"2\" onexit=\"T\" ile=\"3\">0</pole>\n"
                      "  </wiersz>\n"
                      " </naglowek>\n"
                      " <wiersz szerkol=\"80\">\n"
                      "  <pole nazwa=\"Opis\" typ=\"memo\" szer=\"400\" szerkol=\"200\" wydropis=\"lOpis\" readonly=\"T\" visible=\"F\" sprpopr=\"F\" onchange=\"T\" zal=\"drzewo.xml\" pozycja=\"left\" style=\"s\" rozm=\"9\" wys=\"50\" skrot=\"O\" wydrwart=\"Opis\">Brak uwag</pole>\n"
                      "  <pole nazwa=\"Rodz\" typ=\"combo\" etyk=\"a;b\" szer=\"zle\">1</pole>\n"
                      " </wiersz>\n"
                      "</page>\n"
                      "<page nr=\"2\" nazwa=\"Druga\">\n"
                      " <wiersz>\n"
                      "  <pole nazwa=\"X\" typ=\"checkbox\">False</pole>\n"
                      " </wiersz>\n"
                      "</page>\n"));
    TPomiarList items;
    FormRootInfo root;
    ReadMeasurementForm("zaklocen\\frm\\halas_fizyczny_frm_1.xml", items, 30001, {}, &root);
    EXPECT_EQ(root.katalog, QString("kat\\"));
    EXPECT_EQ(root.plik, QString("p.xml"));
    EXPECT_EQ(root.function, QString("halas_fizyczny_Pomiar_01"));
    ASSERT_EQ(items.size(), 8u);

    const TPomiar &page = *items[0];
    EXPECT_EQ(page.typ(), QString("page"));
    EXPECT_EQ(page.PageNr(), 1);
    EXPECT_EQ(page.PageName(), QString("Pomiar"));
    EXPECT_TRUE(page.visible);
    EXPECT_TRUE(page.sprpopr());
    EXPECT_FALSE(page.enabled);
    EXPECT_EQ(page.function(), QString("halas_fizyczny_Pomiar_01"));

    const TPomiar &head = *items[1];
    EXPECT_EQ(head.typ(), QString("naglowek"));
    EXPECT_EQ(head.nazwa(), QString("hWynik"));
    EXPECT_EQ(head.szer(), 300);
    EXPECT_EQ(head.szerkol(), 300);
    EXPECT_EQ(head.ChoiceNr, 0) << "a label header without ';' has no variants";
    EXPECT_FALSE(head.enabled);
    EXPECT_TRUE(head.visible);
    EXPECT_EQ(head.pozycja(), QString("center"));
    EXPECT_EQ(head.druk(), QString("F"));
    EXPECT_EQ(head.function(), QString("halas_fizyczny_Pomiar_01"));

    const TPomiar &label = *items[2];
    EXPECT_EQ(label.Row(), 1);
    EXPECT_EQ(label.Column(), 0);
    EXPECT_EQ(label.szer(), 120) << "width from the row";
    EXPECT_EQ(label.szerkol(), 120);
    EXPECT_EQ(label.ChoiceNr, 0);
    EXPECT_EQ(label.ile(), 1);
    ASSERT_EQ(label.Values().size(), 1u);
    EXPECT_EQ(label.Values()[0].nr, 1);
    EXPECT_TRUE(label.function().isEmpty());

    const TPomiar &edit = *find(items, "PEWartZm");
    EXPECT_EQ(edit.Column(), 1);
    EXPECT_EQ(edit.param(), 2);
    EXPECT_EQ(edit.druk(), QString("T")) << "a numeric param prints the field";
    EXPECT_TRUE(edit.onexit);
    EXPECT_FALSE(edit.onchange);
    EXPECT_EQ(edit.Value, QString("0"));
    ASSERT_EQ(edit.Values().size(), 3u);
    EXPECT_EQ(edit.Values()[2].nr, 3);

    const TPomiar &memo = *find(items, "Opis");
    EXPECT_EQ(memo.Row(), 2) << "rows count on through the header";
    EXPECT_EQ(memo.Column(), 0);
    EXPECT_EQ(memo.szer(), 400);
    EXPECT_EQ(memo.szerkol(), 200);
    EXPECT_EQ(memo.druk(), QString("T")) << "a print description prints the field";
    EXPECT_TRUE(memo.readonly());
    EXPECT_FALSE(memo.visible);
    EXPECT_FALSE(memo.sprpopr());
    EXPECT_TRUE(memo.onchange);
    EXPECT_EQ(memo.zal(), QString("drzewo.xml"));
    EXPECT_EQ(memo.pozycja(), QString("left"));
    EXPECT_EQ(memo.style(), QString("s"));
    EXPECT_EQ(memo.rozm(), 9);
    EXPECT_EQ(memo.wys(), 50);
    EXPECT_EQ(memo.skrot(), QString("O"));
    EXPECT_EQ(memo.wydropis(), QString("lOpis"));
    EXPECT_EQ(memo.wydrwart(), QString("Opis"));
    EXPECT_EQ(memo.Value, QString("Brak uwag"));

    const TPomiar &combo = *find(items, "Rodz");
    EXPECT_EQ(combo.szer(), 80) << "a malformed width falls back to the row's";
    EXPECT_EQ(combo.ChoiceNr, 1);
    EXPECT_TRUE(combo.enabled);
    EXPECT_EQ(combo.Column(), 1);

    EXPECT_EQ(items[6]->typ(), QString("page"));
    EXPECT_EQ(items[6]->PageNr(), 2);
    const TPomiar &check = *items[7];
    EXPECT_EQ(check.PageNr(), 2);
    EXPECT_EQ(check.PageName(), QString("Druga"));
    EXPECT_EQ(check.Row(), 1) << "rows restart on each page";
    EXPECT_EQ(check.szer(), 0);
}

TEST(FormDefinition, IncludedPartDependsOnFactorAndFolder)
{
    FixtureFolder fx;
    const QString body = "<page nr=\"1\" nazwa=\"A\">\n<wiersz>\n<pole nazwa=\"Przed\" typ=\"edit\"></pole>\n</wiersz>\n"
                         "<plik nazwa=\"cokolwiek\"></plik>\n</page>\n";
    fx.WriteText("zaklocen/frm/mechaniczne_frm_1.xml", form("mechaniczne_frm", body));
    fx.WriteText("zaklocen/frm/zalaczn/mech_frm_25020.xml",
                 kDecl + "<mech_frm ver=\"1\">\n<wiersz>\n<pole nazwa=\"cbIstotne1\" typ=\"checkbox\"></pole>\n</wiersz>\n</page>\n</mech_frm>\n");
    TPomiarList items;
    ReadMeasurementForm("zaklocen\\frm\\mechaniczne_frm_1.xml", items, 25020);
    ASSERT_NE(FindField(items, "cbIstotne1"), nullptr);
    EXPECT_NE(FindField(items, "Przed"), nullptr);

    fx.WriteText("inne/mechaniczne_frm_1.xml", form("mechaniczne_frm", body));
    TPomiarList other;
    try {
        ReadMeasurementForm("inne\\mechaniczne_frm_1.xml", other, 25020);
        FAIL();
    } catch (const platform::TarvelinError &e) {
        EXPECT_TRUE(e.message().contains("mech_frm_25020")) << e.message().toStdString();
    }
    fx.WriteText("wzrocen/frm/zalaczn/mech_frm_25020.xml",
                 kDecl + "<mech_frm>\n<wiersz>\n<pole nazwa=\"W\" typ=\"edit\"></pole>\n</wiersz>\n</page>\n</mech_frm>\n");
    ReadMeasurementForm("inne\\mechaniczne_frm_1.xml", other, 25020);
    EXPECT_NE(FindField(other, "W"), nullptr);
}

TEST(FormDefinition, IncludeThatIncludesItselfEnds)
{
    FixtureFolder fx;
    fx.WriteText("zaklocen/frm/mechaniczne_frm_1.xml", form("mechaniczne_frm", "<plik></plik>\n"));
    fx.WriteText("zaklocen/frm/zalaczn/mech_frm_7.xml", kDecl + "<mech_frm>\n<plik></plik>\n</mech_frm>\n");
    fx.WriteText("zaklocen/frm/zalaczn/mech_frm_7.xml", kDecl + "<mech_frm>\n<plik></plik>\n</mech_frm>\n");
    // The part lies in zaklocen\frm\zalaczn, so its own include names itself again.
    TPomiarList items;
    EXPECT_THROW(ReadMeasurementForm("zaklocen\\frm\\mechaniczne_frm_1.xml", items, 7), platform::TarvelinError);
    EXPECT_TRUE(items.empty());
}

TEST(FormDefinition, CatalogueViewShowsSumFieldsDisabled)
{
    FixtureFolder fx;
    fx.WriteText("zaklocen/frm/halas_frm_1.xml",
                 form("halas_frm", "<page nr=\"1\" nazwa=\"A\">\n<wiersz>\n<pole nazwa=\"cbSumNDS\" typ=\"checkbox\" enabled=\"T\"></pole>\n"
                                   "<pole nazwa=\"SumNDS\" typ=\"edit\"></pole>\n<pole nazwa=\"SumNDSx\" typ=\"edit\"></pole>\n</wiersz>\n</page>\n"));
    TPomiarList view;
    ReadMeasurementForm("zaklocen\\frm\\halas_frm_1.xml", view, 1, FormReadOptions{true});
    EXPECT_FALSE(view[1]->enabled);
    EXPECT_FALSE(view[2]->enabled);
    EXPECT_TRUE(view[3]->enabled);
    TPomiarList window;
    ReadMeasurementForm("zaklocen\\frm\\halas_frm_1.xml", window, 1);
    EXPECT_TRUE(window[1]->enabled);
}

TEST(FormDefinition, ChemicalFieldsTakeCatalogueDefaultsAndCorrection)
{
    FixtureFolder fx;
    fx.WriteText("poradn/czynchem.xml",
                 kDecl + "<czynchem ver=\"1.0\">\n <czynnik id=\"80001\" nazwa=\"Aceton\">\n"
                         "  <param nds=\"600\" ndsch=\"1800\" ndsp=\"-1\" typ=\"3\">\n </czynnik>\n</czynchem>\n");
    fx.WriteText("zaklocen/frm/chemiczny_frm_1.xml",
                 form("chemiczny_frm",
                      "<page nr=\"1\" nazwa=\"A\">\n<wiersz>\n"
                      "<pole nazwa=\"NDS\" typ=\"edit\">0</pole>\n"
                      "<pole nazwa=\"NDSCh\" typ=\"edit\">0</pole>\n"
                      "<pole nazwa=\"NDSP\" typ=\"edit\">0</pole>\n"
                      "<pole nazwa=\"NDSPKrotn\" typ=\"edit\" druk=\"T\">0</pole>\n"
                      "<pole nazwa=\"Typ\" typ=\"edit\">0</pole>\n"
                      "<pole nazwa=\"SumNDS\" typ=\"edit\">0</pole>\n"
                      "<pole nazwa=\"Uwagi\" typ=\"memo\">brak</pole>\n"
                      "</wiersz>\n</page>\n"));
    TPomiarList items;
    ReadMeasurementForm("zaklocen\\frm\\chemiczny_frm_1.xml", items, 80001);
    EXPECT_EQ(FindField(items, "NDS")->Value, QString("600"));
    EXPECT_EQ(FindField(items, "NDSCh")->Value, QString("1800"));
    EXPECT_EQ(FindField(items, "Uwagi")->Value, QString("brak")) << "no such attribute: the definition's text";
    EXPECT_FALSE(FindField(items, "NDSPKrotn")->visible);
    EXPECT_TRUE(FindField(items, "NDSPKrotn")->druk().isEmpty());
    EXPECT_FALSE(FindField(items, "SumNDS")->visible) << "Typ 3 takes the substance out of the sums";

    TPomiarList unknown;
    ReadMeasurementForm("zaklocen\\frm\\chemiczny_frm_1.xml", unknown, 12345);
    EXPECT_EQ(FindField(unknown, "NDS")->Value, QString("0"));
    EXPECT_TRUE(FindField(unknown, "SumNDS")->visible);
}

TEST(FormDefinition, BiologicalFieldsKeepTheirDefaultWhenTheAgentLacksTheValue)
{
    FixtureFolder fx;
    fx.WriteText("poradn/czynbiol.xml", kDecl + "<czynbiol ver=\"1.0\">\n <czynnik id=\"90001\" nazwa=\"HBV\">\n"
                                                "  <param typczyn=\"2\" grzagr=\"3\" uszgrzagr=\"1\" ozndod=\"V\">\n </czynnik>\n</czynbiol>\n");
    fx.WriteText("zaklocen/frm/biologiczny_frm_1.xml",
                 form("biologiczny_frm", "<page nr=\"1\" nazwa=\"A\">\n<wiersz>\n"
                                         "<pole nazwa=\"GrZagr\" typ=\"edit\">0</pole>\n"
                                         "<pole nazwa=\"UszGrZagr\" typ=\"checkbox\">0</pole>\n"
                                         "<pole nazwa=\"Opis\" typ=\"memo\">Zakażenie</pole>\n"
                                         "</wiersz>\n</page>\n"));
    TPomiarList items;
    ReadMeasurementForm("zaklocen\\frm\\biologiczny_frm_1.xml", items, 90001);
    EXPECT_EQ(FindField(items, "GrZagr")->Value, QString("3")) << "grzagr, not uszgrzagr";
    EXPECT_EQ(FindField(items, "UszGrZagr")->Value, QString("1"));
    EXPECT_TRUE(FindField(items, "UszGrZagr")->enabled);
    EXPECT_EQ(FindField(items, "Opis")->Value, QString("Zakażenie"));
}

TEST(FormDefinition, HeaderAfterRowsOfAPageIsKept)
{
    FixtureFolder fx;
    fx.WriteText("zaklocen/frm/x_frm_1.xml",
                 form("x_frm", "<page nr=\"1\" nazwa=\"A\">\n<wiersz>\n<pole nazwa=\"A\" typ=\"edit\"></pole>\n</wiersz>\n"
                               "<naglowek nazwa=\"H\" typ=\"radio\" etyk=\"x;y\">\n<wiersz>\n<pole nazwa=\"B\" typ=\"edit\"></pole>\n</wiersz>\n</naglowek>\n"
                               "<wiersz>\n<pole nazwa=\"C\" typ=\"edit\"></pole>\n</wiersz>\n</page>\n\n"
                               "<page nr=\"2\" nazwa=\"B\">\n</page>\n"));
    TPomiarList items;
    ReadMeasurementForm("zaklocen\\frm\\x_frm_1.xml", items, 1);
    QStringList kinds;
    for (const auto &p : items)
        kinds << p->typ() + ":" + p->nazwa();
    EXPECT_EQ(kinds, (QStringList{"page:", "edit:A", "naglowek:H", "edit:B", "edit:C", "page:"}));
    EXPECT_EQ(FindField(items, "H")->ChoiceNr, 1);
    EXPECT_EQ(FindField(items, "C")->Row(), 3);
}

TEST(FormDefinition, BrokenDefinitionsGiveAMessageAndAddNothing)
{
    FixtureFolder fx;
    TPomiarList items;
    items.push_back(std::make_unique<TPomiar>());
    EXPECT_THROW(ReadMeasurementForm("zaklocen\\frm\\brak_frm_1.xml", items, 1), platform::TarvelinError);

    const QString good = form("x_frm", "<page nr=\"1\" nazwa=\"A\">\n<wiersz>\n<pole nazwa=\"A\" typ=\"edit\"></pole>\n</wiersz>\n</page>\n"
                                       "<page nr=\"2\" nazwa=\"B\">\n<wiersz>\n<pole nazwa=\"B\" typ=\"edit\"></pole>\n</wiersz>\n</page>\n");
    // Cut off before its end: the last page would silently be missing.
    fx.WriteText("zaklocen/frm/x_frm_1.xml", good.left(good.indexOf("<pole nazwa=\"B\"")));
    EXPECT_THROW(ReadMeasurementForm("zaklocen\\frm\\x_frm_1.xml", items, 1), platform::TarvelinError);
    fx.WriteText("zaklocen/frm/x_frm_1.xml", good.left(good.indexOf("</x_frm>")));
    EXPECT_THROW(ReadMeasurementForm("zaklocen\\frm\\x_frm_1.xml", items, 1), platform::TarvelinError);
    // A page that never closes.
    fx.WriteText("zaklocen/frm/x_frm_1.xml", form("x_frm", "<page nr=\"1\" nazwa=\"A\">\n<wiersz>\n</x_frm>\n"));
    EXPECT_THROW(ReadMeasurementForm("zaklocen\\frm\\x_frm_1.xml", items, 1), platform::TarvelinError);
    // A page number that is not a number.
    fx.WriteText("zaklocen/frm/x_frm_1.xml", form("x_frm", "<page nr=\"jeden\" nazwa=\"A\">\n</page>\n"));
    try {
        ReadMeasurementForm("zaklocen\\frm\\x_frm_1.xml", items, 1);
        FAIL();
    } catch (const platform::TarvelinError &e) {
        EXPECT_TRUE(e.message().contains("x_frm_1.xml"));
        EXPECT_TRUE(e.message().contains("jeden"));
    }
    fx.Write("zaklocen/frm/x_frm_1.xml", QByteArray());
    EXPECT_THROW(ReadMeasurementForm("zaklocen\\frm\\x_frm_1.xml", items, 1), platform::TarvelinError);
    EXPECT_EQ(items.size(), 1u) << "nothing half-read is added";

    fx.WriteText("zaklocen/frm/x_frm_1.xml", good);
    ReadMeasurementForm("zaklocen\\frm\\x_frm_1.xml", items, 1);
    EXPECT_EQ(items.size(), 5u);
}

TEST(FormDefinition, MalformedNumbersFallBackToTheirDefaults)
{
    FixtureFolder fx;
    fx.WriteText("zaklocen/frm/x_frm_1.xml",
                 form("x_frm", "<page nr=\"1\" nazwa=\"A\">\n<wiersz szerkol=\"abc\">\n"
                               "<pole nazwa=\"A\" typ=\"edit\" ile=\"x\" param=\"p\" druk=\"F\" rozm=\"\" wys=\"1e3\" szerkol=\"7\"></pole>\n"
                               "<pole nazwa=\"B\" typ=\"edit\" ile=\"999999999\"></pole>\n"
                               "<pole nazwa=\"C\" typ=\"edit\" ile=\"0\"></pole>\n"
                               "</wiersz>\n</page>\n"));
    TPomiarList items;
    ReadMeasurementForm("zaklocen\\frm\\x_frm_1.xml", items, 1);
    const TPomiar &a = *FindField(items, "A");
    EXPECT_EQ(a.ile(), 1);
    EXPECT_EQ(a.param(), 0);
    EXPECT_EQ(a.druk(), QString("F"));
    EXPECT_EQ(a.rozm(), 0);
    EXPECT_EQ(a.wys(), 0);
    EXPECT_EQ(a.szer(), 7);
    EXPECT_EQ(FindField(items, "B")->Values().size(), 1u) << "an absurd slot count is malformed";
    EXPECT_EQ(FindField(items, "C")->Values().size(), 0u);
    EXPECT_EQ(FindField(items, "C")->szer(), 0);
}

TEST(FormDefinition, NamesAndVersions)
{
    EXPECT_EQ(FormRootName("zaklocen\\frm\\halas_fizyczny_frm_2.xml"), QString("halas_fizyczny_frm"));
    EXPECT_EQ(FormRootName("zaklocen\\frm\\zalaczn\\mech_frm_25020.xml"), QString("mech_frm"));
    EXPECT_EQ(FormRootName("halas_frm_2.xml"), QString("halas_frm")) << "a name without folder";
    EXPECT_EQ(FormRootName("a.b\\c\\pyly_wegla_frm_1.xml"), QString("pyly_wegla_frm")) << "a folder with a dot";
    EXPECT_EQ(FormDefinitionName("halas_fizyczny", "2.0"), QString("halas_fizyczny_frm_2.xml"));
    EXPECT_EQ(FormDefinitionName("met5Krok", "1"), QString("met5Krok_frm_1.xml"));
    EXPECT_EQ(FormVersionNumber("1.0"), QString("1"));
    EXPECT_EQ(FormVersionNumber("3"), QString("3"));
}

TEST(FormDefinition, FileChangedOnDiskIsReadAgain)
{
    FixtureFolder fx;
    fx.WriteText("zaklocen/frm/x_frm_1.xml", form("x_frm", "<page nr=\"1\" nazwa=\"A\">\n</page>\n"));
    TPomiarList a;
    ReadMeasurementForm("zaklocen\\frm\\x_frm_1.xml", a, 1);
    EXPECT_EQ(a[0]->PageName(), QString("A"));
    fx.WriteText("zaklocen/frm/x_frm_1.xml", form("x_frm", "<page nr=\"1\" nazwa=\"Bbb\">\n</page>\n"));
    TPomiarList b;
    ReadMeasurementForm("zaklocen\\frm\\x_frm_1.xml", b, 1);
    EXPECT_EQ(b[0]->PageName(), QString("Bbb"));
}
