#include "platform/tarvelin_error.h"
#include "storage/config_version.h"
#include "storage/navigation_file.h"
#include "tests/support/fixture.h"

#include <gtest/gtest.h>

using namespace storage;
using testsupport::FixtureFolder;

namespace {

const char *kDecl = "<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\n";

QString config(const QString &body, const QString &ver = QStringLiteral("1.0"))
{
    return QString::fromLatin1(kDecl) + QStringLiteral("<tarvelin ver=\"%1\">\n").arg(ver) + body +
           QStringLiteral("</tarvelin>\n");
}

} // namespace

TEST(NavigationConfig, ReadsGroupsElementsComponentsAndVersion)
{
    FixtureFolder fx;
    fx.WriteText("config/Tarvelin.xml",
                 config("  <grupa nazwa=\"Ocena ryzyka\" numer=\"1\" rozmikon=\"32\">\n"
                        "    <element nazwa=\"Stanowiska pracy\" numer=\"1\" oper=\"nsdp\" ikona=\"ikony\\st.bmp\">\n"
                        "      <skladnik numer=\"1\" typ=\"frm\">\n"
                        "        <katalog>zaklocen\\</katalog>\n"
                        "        <plik>frmDefStan</plik>\n"
                        "        <katfrm>zaklocen\\frm\\</katfrm>\n"
                        "        <katzal>zaklocen\\frm\\zalaczn</katzal>\n"
                        "      </skladnik>\n"
                        "    </element>\n"
                        "  </grupa>\n"
                        "  <grupa nazwa=\"Pomoc\" numer=\"2\" rozmikon=\"16\">\n"
                        "    <element nazwa=\"Zażółć\" numer=\"1\" oper=\"\" ikona=\"a.bmp\">\n"
                        "      <skladnik numer=\"1\" typ=\"htm\">\n"
                        "        <katalog>pomoc\\</katalog>\n"
                        "        <plik>a.htm</plik>\n"
                        "      </skladnik>\n"
                        "    </element>\n"
                        "  </grupa>\n",
                        "2.5"));
    ReadNavigationConfig(NavigationConfigPath());
    EXPECT_EQ(ConfigVersion(), "2.5");
    auto &g = NavigationGroups();
    ASSERT_EQ(g.size(), 2u);
    EXPECT_EQ(g[0]->nazwa, "Ocena ryzyka");
    EXPECT_EQ(g[0]->rozmikon, 32);
    EXPECT_EQ(g[1]->rozmikon, 16);
    ASSERT_EQ(g[0]->Elements.size(), 1u);
    const TElem &e = *g[0]->Elements[0];
    EXPECT_EQ(e.nazwa, "Stanowiska pracy");
    EXPECT_EQ(e.oper, "nsdp");
    EXPECT_EQ(e.ikona, "ikony\\st.bmp");
    ASSERT_EQ(e.Components.size(), 1u);
    const TSklad &c = *e.Components[0];
    EXPECT_EQ(c.typ, "frm");
    EXPECT_EQ(c.katalog, "zaklocen\\");
    EXPECT_EQ(c.plik, "frmDefStan");
    EXPECT_EQ(c.katfrm, "zaklocen\\frm\\");
    EXPECT_EQ(c.katzal, "zaklocen\\frm\\zalaczn");
    EXPECT_EQ(g[1]->Elements[0]->nazwa, QStringLiteral("Zażółć"));
    // A new group starts with empty remembered folders.
    EXPECT_EQ(g[1]->Elements[0]->Components[0]->katfrm, "");
}

TEST(NavigationConfig, ComponentInheritsOmittedChildLinesWithinGroup)
{
    const QStringList lines = {
        kDecl,
        "<tarvelin ver=\"1.0\">",
        "<grupa nazwa=\"G\" numer=\"1\" rozmikon=\"32\">",
        "<element nazwa=\"A\" numer=\"1\" oper=\"n\" ikona=\"a.bmp\">",
        "<skladnik numer=\"1\" typ=\"frm\">",
        "<katalog>k\\</katalog>",
        "<plik>frmDefStan</plik>",
        "<katfrm>f\\</katfrm>",
        "<katzal>z</katzal>",
        "</skladnik>",
        "<skladnik numer=\"2\" typ=\"htm\">",
        "<plik>strona.htm</plik>",
        "</skladnik>",
        "</element>",
        "<element nazwa=\"B\" numer=\"2\" oper=\"\" ikona=\"b.bmp\">",
        "<skladnik numer=\"1\" typ=\"dokfrm\">",
        "<plik>protpow_frm_2.xml</plik>",
        "</skladnik>",
        "</element>",
        "</grupa>",
        "</tarvelin>",
    };
    QString ver;
    auto groups = ParseNavigationConfig(lines, ver);
    ASSERT_EQ(groups.size(), 1u);
    const auto &a = groups[0]->Elements[0]->Components;
    ASSERT_EQ(a.size(), 2u);
    EXPECT_EQ(a[1]->plik, "strona.htm");
    EXPECT_EQ(a[1]->katalog, "k\\");
    EXPECT_EQ(a[1]->katfrm, "f\\");
    EXPECT_EQ(a[1]->katzal, "z");
    // Across elements of the same group too.
    EXPECT_EQ(groups[0]->Elements[1]->Components[0]->katalog, "k\\");
    EXPECT_EQ(groups[0]->Elements[1]->Components[0]->typ, "dokfrm");
}

TEST(NavigationConfig, OneLineComponentCreatesNothing)
{
    const QStringList lines = {
        kDecl,
        "<tarvelin ver=\"1.0\">",
        "<grupa nazwa=\"G\" numer=\"1\" rozmikon=\"32\">",
        "<element nazwa=\"A\" numer=\"1\" oper=\"n\" ikona=\"a.bmp\">",
        "<skladnik numer=\"1\" typ=\"frm\"></skladnik>",
        "</element>",
        "</grupa>",
        "</tarvelin>",
    };
    QString ver;
    auto groups = ParseNavigationConfig(lines, ver);
    EXPECT_TRUE(groups[0]->Elements[0]->Components.empty());
}

TEST(NavigationConfig, GroupWithoutElementsIsKept)
{
    QString ver;
    auto groups = ParseNavigationConfig({kDecl, "<tarvelin ver=\"1.0\">", "<grupa nazwa=\"Pusta\" numer=\"1\" rozmikon=\"32\">",
                                         "</grupa>", "<grupa nazwa=\"Druga\" numer=\"2\" rozmikon=\"16\">", "</grupa>",
                                         "</tarvelin>"},
                                        ver);
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_TRUE(groups[0]->Elements.empty());
    EXPECT_EQ(groups[1]->nazwa, "Druga");
}

TEST(NavigationConfig, StrayLineBetweenGroupsDoesNotMoveElements)
{
    QString ver;
    auto groups = ParseNavigationConfig({kDecl, "<tarvelin ver=\"1.0\">", "<grupa nazwa=\"A\" numer=\"1\" rozmikon=\"32\">",
                                         "<element nazwa=\"a\" numer=\"1\" oper=\"\" ikona=\"\">", "</grupa>", "",
                                         "<grupa nazwa=\"B\" numer=\"2\" rozmikon=\"32\">",
                                         "<element nazwa=\"b\" numer=\"1\" oper=\"\" ikona=\"\">", "</grupa>",
                                         "</tarvelin>"},
                                        ver);
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0]->Elements.size(), 1u);
    ASSERT_EQ(groups[1]->Elements.size(), 1u);
    EXPECT_EQ(groups[1]->Elements[0]->nazwa, "b");
}

TEST(NavigationConfigFaults, WrongElementNumberIsAClearError)
{
    QString ver;
    try {
        ParseNavigationConfig({kDecl, "<tarvelin ver=\"1.0\">", "<grupa nazwa=\"G\" numer=\"1\" rozmikon=\"32\">",
                               "<element nazwa=\"A\" numer=\"2\" oper=\"\" ikona=\"\">", "</grupa>", "</tarvelin>"},
                              ver);
        FAIL() << "no error";
    } catch (const platform::TarvelinError &e) {
        EXPECT_TRUE(e.message().contains("numer 2")) << e.message().toStdString();
    }
}

TEST(NavigationConfigFaults, WrongGroupNumberAndNonNumericValuesAreErrors)
{
    QString ver;
    EXPECT_THROW(ParseNavigationConfig({kDecl, "<tarvelin ver=\"1.0\">", "<grupa nazwa=\"G\" numer=\"3\" rozmikon=\"32\">",
                                        "</grupa>", "</tarvelin>"},
                                       ver),
                 platform::TarvelinError);
    EXPECT_THROW(ParseNavigationConfig({kDecl, "<tarvelin ver=\"1.0\">", "<grupa nazwa=\"G\" numer=\"1\" rozmikon=\"duze\">",
                                        "</grupa>", "</tarvelin>"},
                                       ver),
                 platform::TarvelinError);
}

TEST(NavigationConfigFaults, TruncatedFileRaisesAndKeepsPreviousState)
{
    FixtureFolder fx;
    fx.WriteText("config/Tarvelin.xml", config("<grupa nazwa=\"G\" numer=\"1\" rozmikon=\"32\">\n</grupa>\n", "7"));
    ReadNavigationConfig(NavigationConfigPath());
    ASSERT_EQ(NavigationGroups().size(), 1u);
    fx.WriteText("config/Tarvelin.xml", QString::fromLatin1(kDecl) +
                                             "<tarvelin ver=\"9\">\n<grupa nazwa=\"G\" numer=\"1\" rozmikon=\"32\">\n"
                                             "<element nazwa=\"A\" numer=\"1\" oper=\"\" ikona=\"\">\n<skladnik numer=\"1\" typ=\"frm\">\n");
    EXPECT_THROW(ReadNavigationConfig(NavigationConfigPath()), platform::TarvelinError);
    EXPECT_EQ(ConfigVersion(), "7");
    EXPECT_EQ(NavigationGroups().size(), 1u);
}

TEST(NavigationConfigFaults, MissingAndEmptyFilesRaise)
{
    FixtureFolder fx;
    EXPECT_THROW(ReadNavigationConfig(NavigationConfigPath()), platform::TarvelinError);
    fx.Write("config/Tarvelin.xml", QByteArray());
    EXPECT_THROW(ReadNavigationConfig(NavigationConfigPath()), platform::TarvelinError);
}

TEST(NavigationConfigFaults, ComponentBeforeAnyElementIsAnError)
{
    QString ver;
    EXPECT_THROW(ParseNavigationConfig({kDecl, "<tarvelin ver=\"1.0\">", "<grupa nazwa=\"G\" numer=\"1\" rozmikon=\"32\">",
                                        "<skladnik numer=\"1\" typ=\"frm\">", "</skladnik>", "</grupa>", "</tarvelin>"},
                                       ver),
                 platform::TarvelinError);
}

TEST(NavigationConfig, CatalogueFolderIsTheLastFactorCatalogueComponent)
{
    QString ver;
    auto groups = ParseNavigationConfig(
        {kDecl, "<tarvelin ver=\"1.0\">", "<grupa nazwa=\"G\" numer=\"1\" rozmikon=\"32\">",
         "<element nazwa=\"A\" numer=\"1\" oper=\"\" ikona=\"\">", "<skladnik numer=\"1\" typ=\"frm\">",
         "<katalog>poradn\\</katalog>", "<plik>frmCzynniki</plik>", "</skladnik>", "</element>",
         "<element nazwa=\"B\" numer=\"2\" oper=\"\" ikona=\"\">", "<skladnik numer=\"1\" typ=\"frm\">",
         "<katalog>inne\\</katalog>", "<plik>frmCzynniki</plik>", "</skladnik>", "</element>", "</grupa>", "</tarvelin>"},
        ver);
    EXPECT_EQ(CatalogueFolderOf(groups), "inne\\");
}

// The shipped configuration: every element has an icon that exists, every document names
// a real definition file name, and the version is the one every shipped file carries.
TEST(ShippedNavigationConfig, ReadsAndNamesTheDocumentDefinitions)
{
    FixtureFolder fx(true);
    ReadNavigationConfig(NavigationConfigPath());
    EXPECT_EQ(ConfigVersion(), "1.0");
    QStringList documents;
    QStringList views;
    for (const auto &g : NavigationGroups()) {
        EXPECT_FALSE(g->Elements.empty()) << g->nazwa.toStdString();
        for (const auto &e : g->Elements) {
            EXPECT_TRUE(fx.Exists(e->ikona)) << e->ikona.toStdString();
            for (const auto &c : e->Components) {
                if (c->typ == "dokfrm") {
                    documents << c->plik;
                    EXPECT_EQ(c->katalog, "dokumenty\\");
                    EXPECT_EQ(c->katfrm, "dokumenty\\frm\\");
                    EXPECT_EQ(c->katzal, "dokumenty\\zalaczn");
                }
                if (c->typ == "frm")
                    views << c->plik;
            }
        }
    }
    const QStringList expected = {"protpow_frm_2.xml", "kartwyp_frm.xml",      "protprzes_frm.xml",  "polpostpow_frm.xml",
                                  "kartrejwyp_frm.xml", "skw_frm_3.xml",       "kartwypdroga_frm.xml", "skierbad_frm_2.xml",
                                  "zaswszkol_frm.xml",  "kartaszkol_frm.xml"};
    EXPECT_EQ(documents, expected);
    for (const char *v : {"frmDefStan", "frmRyzZakl", "frmZestaw", "frmCzynniki"})
        EXPECT_TRUE(views.contains(v)) << v;
    EXPECT_EQ(CatalogueFolderOf(NavigationGroups()), "poradn\\");
}
