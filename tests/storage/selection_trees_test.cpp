#include "platform/tarvelin_error.h"
#include "storage/config_version.h"
#include "storage/selection_trees.h"
#include "tests/support/fixture.h"

#include <QDirIterator>
#include <QSet>
#include <gtest/gtest.h>

using namespace storage;
using testsupport::FixtureFolder;

namespace {

const QString kDecl = QStringLiteral("<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\n");

QString tree(const QString &path, const QString &body, const QString &verAttr = QStringLiteral(" ver=\"1.0\""))
{
    return kDecl + QStringLiteral("<drzewo plik=\"%1\"%2>\n").arg(path, verAttr) + body + QStringLiteral("</drzewo>\n");
}

} // namespace

TEST(SelectionTree, TwoGroupsOfTwoLeavesNumberedInFileOrder)
{
    FixtureFolder fx;
    const QString path = QStringLiteral("zal\\a.xml");
    fx.WriteText("zal/a.xml", tree(path, "  <grp nazwa=\"Pierwsza\">\n    <poz>a</poz>\n    <poz>b</poz>\n  </grp>\n"
                                         "  <grp nazwa=\"Druga\">\n    <poz>Zażółć</poz>\n    <poz>d</poz>\n  </grp>\n"));
    std::vector<TZalTree> nodes;
    ReadSelectionTree(path, nodes);
    ASSERT_EQ(nodes.size(), 6u);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(nodes[i].Id, i + 1);
    EXPECT_EQ(nodes[0].Text, "Pierwsza");
    EXPECT_EQ(nodes[0].ParentId, 0);
    EXPECT_EQ(nodes[3].ParentId, 0);
    EXPECT_EQ(nodes[4].Text, QStringLiteral("Zażółć"));
    EXPECT_EQ(nodes[4].ParentId, 4);
    EXPECT_EQ(nodes[4].Level, 1);
    EXPECT_EQ(nodes[5].ParentId, 4);
}

TEST(SelectionTree, NestedGroupsAndTopLevelLeaves)
{
    QString ver;
    bool found = false;
    std::vector<TZalTree> nodes;
    ASSERT_TRUE(ParseSelectionTree({kDecl, "<drzewo plik=\"x\\t.xml\" ver=\"3\">", "<poz>luzem</poz>", "<grp nazwa=\"A\">",
                                    "<grp nazwa=\"B\">", "<poz>gleboko</poz>", "</grp>", "<poz>po</poz>", "</grp>",
                                    "</drzewo>"},
                                   "x\\t.xml", nodes, ver, found));
    EXPECT_TRUE(found);
    EXPECT_EQ(ver, "3");
    ASSERT_EQ(nodes.size(), 5u);
    EXPECT_EQ(nodes[0].Level, 0); // a top-level leaf of a plain tree is listed
    EXPECT_EQ(nodes[3].Text, "gleboko");
    EXPECT_EQ(nodes[3].Level, 2);
    EXPECT_EQ(nodes[3].ParentId, 3);
    EXPECT_EQ(nodes[4].Text, "po");
    EXPECT_EQ(nodes[4].ParentId, 2);
    EXPECT_EQ(nodes[4].Level, 1);
}

TEST(SelectionTree, StrayClosingLineEndsTheGroup)
{
    QString ver;
    bool found = false;
    std::vector<TZalTree> nodes;
    ASSERT_TRUE(ParseSelectionTree({kDecl, "<drzewo>", "<grp nazwa=\"A\">", "<poz>a</poz>", "</poz>", "<poz>b</poz>",
                                    "</drzewo>"},
                                   "k.xml", nodes, ver, found));
    ASSERT_EQ(nodes.size(), 3u);
    EXPECT_EQ(nodes[2].Level, 0);
}

TEST(ParamTree, LeavesCarryParametersAndTopLevelLeavesAreIgnored)
{
    FixtureFolder fx;
    const QString path = QStringLiteral("zal\\p.xml");
    fx.WriteText("zal/p.xml", tree(path, "<poz par1=\"9\">luzem</poz>\n<grp nazwa=\"Biura\">\n"
                                         "<poz par1=\"500\" par2=\"19\" par3=\"0,6\">Pisanie</poz>\n</grp>\n"));
    std::vector<TZalTreeParam> nodes;
    ReadParamTree(path, nodes);
    ASSERT_EQ(nodes.size(), 2u);
    EXPECT_EQ(nodes[0].Text, "Biura");
    EXPECT_EQ(nodes[0].par1, "");
    EXPECT_EQ(nodes[1].Text, "Pisanie");
    EXPECT_EQ(nodes[1].par1, "500");
    EXPECT_EQ(nodes[1].par2, "19");
    EXPECT_EQ(nodes[1].par3, "0,6");
    EXPECT_EQ(nodes[1].Id, 2);
}

TEST(SelectionTreeVersion, EveryReadReplacesTheConfigurationVersion)
{
    FixtureFolder fx;
    ConfigVersion() = "1.0";
    fx.WriteText("a.xml", tree("a.xml", "<poz>x</poz>\n", " ver=\"2.0\""));
    std::vector<TZalTree> nodes;
    ReadSelectionTree("a.xml", nodes);
    EXPECT_EQ(ConfigVersion(), "2.0");
    fx.WriteText("b.xml", tree("b.xml", "<poz>x</poz>\n", ""));
    ReadSelectionTree("b.xml", nodes);
    EXPECT_EQ(ConfigVersion(), ""); // a root without ver empties it
    ConfigVersion() = "1.0";
}

TEST(SelectionTreeFaults, MissingEmptyAndUnclosedFilesRaiseAndChangeNothing)
{
    FixtureFolder fx;
    ConfigVersion() = "1.0";
    std::vector<TZalTree> nodes{TZalTree(1, 0, 0, "stary")};
    EXPECT_THROW(ReadSelectionTree("brak.xml", nodes), platform::TarvelinError);
    fx.Write("pusty.xml", QByteArray());
    EXPECT_THROW(ReadSelectionTree("pusty.xml", nodes), platform::TarvelinError);
    // Truncated inside a group (the closing root line, when there is one, would close it).
    fx.WriteText("otwarty.xml", kDecl + "<drzewo plik=\"otwarty.xml\" ver=\"5\">\n<grp nazwa=\"A\">\n<poz>a</poz>\n<poz>b</poz>\n");
    try {
        ReadSelectionTree("otwarty.xml", nodes);
        FAIL();
    } catch (const platform::TarvelinError &e) {
        EXPECT_TRUE(e.message().contains("otwarty.xml"));
    }
    EXPECT_EQ(nodes.size(), 1u);
    EXPECT_EQ(ConfigVersion(), "1.0");
    std::vector<TZalTreeParam> params;
    EXPECT_THROW(ReadParamTree("otwarty.xml", params), platform::TarvelinError);
}

TEST(SelectionTreeFaults, DeepNestingDoesNotExhaustTheStack)
{
    QStringList lines{kDecl, "<drzewo>"};
    for (int i = 0; i < 200000; ++i)
        lines << "<grp nazwa=\"g\">";
    lines << "</drzewo>";
    QString ver;
    bool found = false;
    std::vector<TZalTree> nodes;
    EXPECT_FALSE(ParseSelectionTree(lines, "x", nodes, ver, found));
}

// Every tree file shipped carries the configuration's version and names itself on its
// root line exactly as the definitions refer to it.
TEST(ShippedSelectionTrees, ReadWithTheConfigurationVersion)
{
    FixtureFolder fx(true);
    int count = 0;
    for (const char *folder : {"dokumenty/zalaczn", "zaklocen/frm/zalaczn"}) {
        QDirIterator it(fx.FilePath(folder), {"*.xml"}, QDir::Files);
        while (it.hasNext()) {
            it.next();
            const QByteArray head = fx.Read(QString(folder) + "/" + it.fileName()).left(400);
            if ((!head.contains("<grp") && !head.contains("<poz")) || head.contains("<RiskScore"))
                continue; // not a tree (a parameter file, a catalogue)
            const QString rel = QString(folder).replace('/', '\\') + "\\" + it.fileName();
            ConfigVersion() = "x";
            std::vector<TZalTree> nodes;
            ReadSelectionTree(rel, nodes);
            EXPECT_EQ(ConfigVersion(), "1.0") << rel.toStdString();
            EXPECT_FALSE(nodes.empty()) << rel.toStdString();
            ++count;
        }
    }
    EXPECT_GT(count, 0);
    ConfigVersion() = "1.0";
}

// Every choice list a shipped document definition names is there and reads as a tree.
TEST(ShippedSelectionTrees, EveryDocumentChoiceListExists)
{
    FixtureFolder fx(true);
    QDirIterator it(fx.FilePath("dokumenty/frm"), {"*.xml"}, QDir::Files);
    QSet<QString> names;
    while (it.hasNext()) {
        it.next();
        for (const QString &line : fx.ReadText("dokumenty/frm/" + it.fileName()).split('\n')) {
            const qsizetype at = line.indexOf("<pole");
            const qsizetype z = line.indexOf(" zal=\"");
            if (at < 0 || z < 0)
                continue;
            const QString name = line.mid(z + 6, line.indexOf('"', z + 6) - z - 6);
            if (!name.isEmpty())
                names.insert(name);
        }
    }
    EXPECT_FALSE(names.isEmpty());
    for (const QString &name : names) {
        const QString rel = "dokumenty\\zalaczn\\" + name;
        std::vector<TZalTree> nodes;
        EXPECT_NO_THROW(ReadSelectionTree(rel, nodes)) << rel.toStdString();
        EXPECT_EQ(ConfigVersion(), "1.0") << rel.toStdString();
    }
    ConfigVersion() = "1.0";
}
