#include "shell/frm_tree.h"
#include "workstations/frm_dokum.h"
#include "storage/config_version.h"
#include "tests/support/fakes.h"
#include "tests/support/fixture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <functional>
#include <gtest/gtest.h>

using namespace shell;
using testsupport::FixtureFolder;
using testsupport::ScriptedPrompter;

namespace {

const QString kPath = QStringLiteral("zal\\przyczyny.xml");
const QString kParams = QStringLiteral("zal\\oswietlenie.xml");

void writeTrees(FixtureFolder &fx)
{
    const QString decl = QStringLiteral("<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\n");
    fx.WriteText("zal/przyczyny.xml", decl + "<drzewo plik=\"" + kPath + "\" ver=\"1.0\">\n"
                                             "<grp nazwa=\"Techniczne\">\n<poz>Wada materiału</poz>\n<poz>Zużycie</poz>\n</grp>\n"
                                             "<grp nazwa=\"Ludzkie\">\n<poz>Pośpiech</poz>\n<poz>Zużycie</poz>\n</grp>\n"
                                             "</drzewo>\n");
    fx.WriteText("zal/oswietlenie.xml", decl + "<drzewo plik=\"" + kParams + "\" ver=\"1.0\">\n"
                                               "<grp nazwa=\"Biura\">\n"
                                               "<poz par1=\"500\" par2=\"19\" par3=\"0,6\">Pisanie, czytanie</poz>\n"
                                               "<poz par1=\"300\" par2=\"19\" par3=\"0,4\">Archiwa</poz>\n</grp>\n"
                                               "</drzewo>\n");
}

// Runs action once the dialog's modal loop is up.
void whenShown(std::function<void(TfrmTree &)> action)
{
    QTimer::singleShot(0, [action] {
        auto *dlg = qobject_cast<TfrmTree *>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        action(*dlg);
    });
}

QTreeWidgetItem *find(TfrmTree &d, const QString &text)
{
    const auto items = d.pTree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return items.isEmpty() ? nullptr : items.first();
}

class TreeDialog : public ::testing::Test
{
protected:
    void SetUp() override
    {
        writeTrees(fx);
        storage::ConfigVersion() = "1.0";
    }
    FixtureFolder fx;
    ScriptedPrompter prompter;
    TfrmTree dlg;
};

} // namespace

TEST_F(TreeDialog, PreselectsTheCurrentValueLastMatchWins)
{
    ASSERT_TRUE(dlg.Load(kPath, QStringLiteral("Zużycie"), false));
    ASSERT_NE(dlg.SelectedNode, nullptr);
    EXPECT_EQ(dlg.SelectedNode->parent()->text(0), "Ludzkie");
    EXPECT_EQ(dlg.pTree->currentItem(), dlg.SelectedNode);
    ASSERT_TRUE(dlg.Load(kPath, QStringLiteral("nic takiego"), false));
    EXPECT_EQ(dlg.SelectedNode, nullptr);
    EXPECT_EQ(dlg.pTree->topLevelItemCount(), 2);
}

TEST_F(TreeDialog, ChoosingALeafReturnsItsText)
{
    whenShown([](TfrmTree &d) {
        d.pTree->setCurrentItem(find(d, QStringLiteral("Pośpiech")));
        QTest::mouseClick(d.bOk, Qt::LeftButton);
    });
    QString text = "stare";
    EXPECT_EQ(dlg.SelectFromTree(kPath, "stare", text), TfrmTree::ResultChosen);
    EXPECT_EQ(text, QStringLiteral("Pośpiech"));
}

TEST_F(TreeDialog, BranchIsRefusedThenALeafCloses)
{
    whenShown([](TfrmTree &d) {
        d.pTree->setCurrentItem(find(d, "Techniczne"));
        QTest::mouseClick(d.bOk, Qt::LeftButton);
        EXPECT_TRUE(d.isVisible()); // refused, still open
        d.pTree->setCurrentItem(find(d, QStringLiteral("Wada materiału")));
        QTest::mouseClick(d.bOk, Qt::LeftButton);
    });
    QString text;
    EXPECT_EQ(dlg.SelectFromTree(kPath, "", text), TfrmTree::ResultChosen);
    EXPECT_EQ(text, QStringLiteral("Wada materiału"));
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(prompter.boxes[0].text, QStringLiteral("Można wybierać tylko pozycje z najniższego poziomu."));
}

TEST_F(TreeDialog, WithdrawReturnsEmptyCloseAndEscapeKeepTheValue)
{
    QString text = "Pośpiech";
    whenShown([](TfrmTree &d) { QTest::mouseClick(d.bAnuluj, Qt::LeftButton); });
    EXPECT_EQ(dlg.SelectFromTree(kPath, text, text), TfrmTree::ResultWithdrawn);
    EXPECT_EQ(text, "");

    // A choice first, then the close box: the old choice must not come back.
    whenShown([](TfrmTree &d) {
        d.pTree->setCurrentItem(find(d, QStringLiteral("Zużycie")));
        QTest::mouseClick(d.bOk, Qt::LeftButton);
    });
    text = "x";
    dlg.SelectFromTree(kPath, text, text);
    EXPECT_EQ(text, QStringLiteral("Zużycie"));
    whenShown([](TfrmTree &d) { d.close(); });
    text = "Archiwum";
    EXPECT_EQ(dlg.SelectFromTree(kPath, text, text), TfrmTree::ResultClosed);
    EXPECT_EQ(text, "Archiwum");
    whenShown([](TfrmTree &d) { QTest::keyClick(&d, Qt::Key_Escape); });
    EXPECT_EQ(dlg.SelectFromTree(kPath, text, text), TfrmTree::ResultClosed);
    EXPECT_EQ(text, "Archiwum");
    whenShown([](TfrmTree &d) { QTest::mouseClick(d.bZamknij, Qt::LeftButton); });
    EXPECT_EQ(dlg.SelectFromTree(kPath, text, text), TfrmTree::ResultClosed);
    EXPECT_EQ(text, "Archiwum");
}

TEST_F(TreeDialog, ChooseWithNothingSelectedIsNoChoice)
{
    bool stayedOpen = false;
    whenShown([&](TfrmTree &d) {
        d.pTree->setCurrentItem(nullptr);
        QTest::mouseClick(d.bOk, Qt::LeftButton);
        stayedOpen = d.isVisible();
        QTest::mouseClick(d.bZamknij, Qt::LeftButton);
    });
    QString text = "cos";
    EXPECT_EQ(dlg.SelectFromTree(kPath, "Archiwum", text), TfrmTree::ResultClosed);
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(text, "Archiwum"); // the field keeps what it held
    EXPECT_FALSE(dlg.LeafChosen);
}

TEST_F(TreeDialog, KeyboardChoiceIsWhatWybierzReturns)
{
    whenShown([](TfrmTree &d) {
        d.pTree->setFocus();
        d.pTree->setCurrentItem(find(d, "Archiwa"));
        QTest::keyClick(d.pTree, Qt::Key_Up);
        QTest::mouseClick(d.bOk, Qt::LeftButton);
    });
    QString p1 = "p1", p2 = "p2", p3 = "p3", text;
    EXPECT_EQ(dlg.SelectFromParamTree(kParams, "", p1, p2, p3, text), TfrmTree::ResultChosen);
    EXPECT_EQ(text, "Pisanie, czytanie");
    EXPECT_EQ(p1, "500");
    EXPECT_EQ(p2, "19");
    EXPECT_EQ(p3, "0,6");
    EXPECT_TRUE(dlg.LeafChosen);
}

TEST_F(TreeDialog, ParametersStayWhenNothingIsChosen)
{
    whenShown([](TfrmTree &d) { QTest::mouseClick(d.bZamknij, Qt::LeftButton); });
    QString p1 = "p1", p2 = "p2", p3 = "p3", text = "Archiwa";
    EXPECT_EQ(dlg.SelectFromParamTree(kParams, text, p1, p2, p3, text), TfrmTree::ResultClosed);
    EXPECT_EQ(p1, "p1");
    EXPECT_EQ(p3, "p3");
    EXPECT_EQ(text, "Archiwa");
    EXPECT_FALSE(dlg.LeafChosen);
}

TEST_F(TreeDialog, BrokenFilesGiveAMessageAndKeepTheField)
{
    QString text = "stara";
    EXPECT_EQ(dlg.SelectFromTree("zal\\brak.xml", text, text), TfrmTree::ResultClosed);
    EXPECT_EQ(text, "stara");
    fx.WriteText("zal/otwarty.xml", "<?xml ?>\n<drzewo plik=\"zal\\otwarty.xml\" ver=\"1.0\">\n<grp nazwa=\"A\">\n<poz>a</poz>\n");
    EXPECT_EQ(dlg.SelectFromTree("zal\\otwarty.xml", text, text), TfrmTree::ResultClosed);
    EXPECT_EQ(text, "stara");
    fx.Write("zal/pusty.xml", QByteArray());
    EXPECT_EQ(dlg.SelectFromTree("zal\\pusty.xml", text, text), TfrmTree::ResultClosed);
    EXPECT_EQ(prompter.boxes.size(), 3);
    EXPECT_EQ(storage::ConfigVersion(), "1.0");
}

TEST_F(TreeDialog, ChildBeforeItsParentIsLeftOut)
{
    std::vector<storage::TZalTreeParam> items;
    items.emplace_back(2, 5, 1, "sierota", "", "", "");
    items.emplace_back(1, 0, 0, "korzen", "", "", "");
    items.emplace_back(3, 1, 1, "lisc", "", "", "");
    dlg.BuildTree(items, "");
    EXPECT_EQ(dlg.pTree->topLevelItemCount(), 1);
    EXPECT_EQ(dlg.pTree->topLevelItem(0)->childCount(), 1);
    EXPECT_EQ(find(dlg, "sierota"), nullptr);
}

TEST_F(TreeDialog, WindowLayout)
{
    EXPECT_EQ(dlg.windowTitle(), "Lista wyboru");
    EXPECT_EQ(dlg.minimumSize(), QSize(650, 450));
    EXPECT_EQ(dlg.bOk->text(), "Wybierz");
    EXPECT_EQ(dlg.bAnuluj->text(), "Rezygnuj z wyboru");
    EXPECT_EQ(dlg.bZamknij->text(), "Zamknij");
    EXPECT_EQ(dlg.pTree->indentation(), 19);
}

TEST_F(TreeDialog, DocumentWindowChoicesReachThisDialog)
{
    InstallTreeDialog();
    auto chooser = workstations::TfrmDokum::SetTreeChooser({});
    ASSERT_TRUE(static_cast<bool>(chooser));
    whenShown([](TfrmTree &d) {
        d.pTree->setCurrentItem(find(d, QStringLiteral("Pośpiech")));
        QTest::mouseClick(d.bOk, Qt::LeftButton);
    });
    QString text;
    EXPECT_EQ(chooser(kPath, "", text), TfrmTree::ResultChosen);
    EXPECT_EQ(text, QStringLiteral("Pośpiech"));
    workstations::TfrmDokum::SetTreeChooser(chooser);
}
