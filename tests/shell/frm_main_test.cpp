#include "appstate/appstate.h"
#include "appstate/view.h"
#include "appstate/view_registry.h"
#include "assessment/views.h"
#include "platform/paths.h"
#include "shell/frm_main.h"
#include "shell/placeholder_view.h"
#include "storage/config_version.h"
#include "storage/navigation_file.h"
#include "tests/support/fakes.h"
#include "tests/support/fixture.h"
#include "widgets/caption_panel.h"
#include "widgets/outlook_bar.h"
#include "workstations/frm_dokum.h"
#include "workstations/views.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QSplitter>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <memory>

using namespace shell;
using testsupport::FixtureFolder;
using testsupport::RecordingLauncher;
using testsupport::ScriptedPrompter;

namespace {

const char *kDecl = "<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\n";

// A view registered for a test: a hidden window with a named panel that records its calls
// and the shared state it saw when it was initialised.
class RecordingView : public appstate::TView
{
public:
    explicit RecordingView(const QString &name) : appstate::TView(appstate::State())
    {
        window = std::make_unique<QWidget>();
        window->setObjectName(name);
        panel = new QWidget(window.get());
        panel->setObjectName("panel_" + name);
    }
    QWidget *GetMainPanel() override { return panel; }
    void InitView() override
    {
        calls << "InitView";
        seenData = appstate::State().DataFolder;
        seenForms = appstate::State().FormsFolder;
        seenAttach = appstate::State().AttachFolder;
        seenVersion = appstate::State().FormVersion;
        panelHiddenDuringInit = !panel->isVisibleTo(panel->parentWidget());
    }
    void InitDocumentView(const QString &path) override
    {
        definitionPath = path;
        InitView();
    }
    void Navigate(const QString &url) override { urls << url; }
    void New() override { calls << "New"; }

    std::unique_ptr<QWidget> window;
    QWidget *panel;
    QStringList calls;
    QStringList urls;
    QString seenData, seenForms, seenAttach, seenVersion, definitionPath;
    bool panelHiddenDuringInit = false;
};

struct Views
{
    Views()
    {
        for (const char *n : {"frmDefStan", "frmRyzZakl", "frmZestaw", "frmCzynniki", "frmDokum", "frmWWW"}) {
            auto v = std::make_shared<RecordingView>(n);
            map[n] = v;
            appstate::RegisterView(n, [v] { return static_cast<appstate::TView *>(v.get()); });
        }
    }
    ~Views()
    {
        for (auto it = map.begin(); it != map.end(); ++it)
            appstate::UnregisterView(it.key());
    }
    RecordingView &operator[](const char *n) { return *map[n]; }
    QMap<QString, std::shared_ptr<RecordingView>> map;
};

void resetState()
{
    auto &s = appstate::State();
    s.DataFolder.clear();
    s.FormsFolder.clear();
    s.AttachFolder.clear();
    s.CatalogueFolder.clear();
    s.FormVersion.clear();
    s.ViewName.clear();
    s.ViewKind = storage::TViewKind::None;
    s.SetModified(false);
    storage::NavigationGroups().clear();
}

// Clicks an item of the bar: on its icon (opens) or on its caption (only selects).
void clickIcon(TfrmMain &w, int item)
{
    QTest::mouseClick(w.FEGXMainOutlookBar, Qt::LeftButton, {}, w.FEGXMainOutlookBar->ItemImageRect(item).center());
}
void clickCaption(TfrmMain &w, int item)
{
    QTest::mouseClick(w.FEGXMainOutlookBar, Qt::LeftButton, {}, w.FEGXMainOutlookBar->ItemCaptionRect(item).center());
}
void clickHeader(TfrmMain &w, int button)
{
    QTest::mouseClick(w.FEGXMainOutlookBar, Qt::LeftButton, {}, w.FEGXMainOutlookBar->HeaderRect(button).center());
}

class MainWindowShipped : public ::testing::Test
{
protected:
    void SetUp() override { resetState(); }
    void TearDown() override { resetState(); }
    FixtureFolder fx{true};
    ScriptedPrompter prompter;
    RecordingLauncher launcher;
};

} // namespace

TEST_F(MainWindowShipped, OnTheFirstRunTheBarFitsItsLongestGroupCaptionLaterRunsKeepTheirWidth)
{
    Views views;
    {
        TfrmMain w;
        w.show();
        EXPECT_GE(w.splitMain->sizes()[0], w.FEGXMainOutlookBar->WidthForCaptions());
    }
    fx.WriteText("Tarvelin.ini", "[frmMain]\npLeft.Width=90\n");
    TfrmMain again;
    again.show();
    EXPECT_EQ(again.splitMain->sizes()[0], 90);
}

TEST_F(MainWindowShipped, StartShowsShippedGroupsItemsIconsAndFirstView)
{
    Views views;
    TfrmMain w;
    w.show();
    EXPECT_TRUE(prompter.boxes.isEmpty()) << prompter.Texts().join("|").toStdString();
    auto *bar = w.FEGXMainOutlookBar;
    ASSERT_EQ(bar->ButtonCount(), 4);
    EXPECT_EQ(bar->Buttons(0)->Caption(), "Ocena ryzyka");
    EXPECT_EQ(bar->Buttons(1)->Caption(), "Wypadki przy pracy");
    EXPECT_EQ(bar->Buttons(1)->Count(), 7);
    EXPECT_EQ(bar->Buttons(2)->Count(), 3);
    for (int b = 0; b < bar->ButtonCount(); ++b)
        for (int i = 0; i < bar->Buttons(b)->Count(); ++i)
            EXPECT_GE(bar->Buttons(b)->Item(i)->ImageIndex(), 0);
    EXPECT_EQ(w.imgDuze.Count(), 14);
    EXPECT_EQ(w.imgMale.Count(), 2);
    EXPECT_EQ(bar->SelectedButton(), 0);
    EXPECT_EQ(bar->SelectedItem(), 0);
    EXPECT_EQ(appstate::State().ViewName, "frmDefStan");
    EXPECT_EQ(appstate::State().DataFolder, "zaklocen\\");
    EXPECT_EQ(appstate::State().FormsFolder, "zaklocen\\frm\\");
    EXPECT_EQ(appstate::State().AttachFolder, "zaklocen\\frm\\zalaczn");
    EXPECT_EQ(appstate::State().CatalogueFolder, "poradn\\");
    EXPECT_EQ(appstate::State().DataVersion, "1.1");
    EXPECT_EQ(storage::ConfigVersion(), "1.0");
    EXPECT_EQ(w.HostedPanel, views["frmDefStan"].panel);
    EXPECT_TRUE(views["frmDefStan"].panel->isVisible());
    EXPECT_EQ(views["frmDefStan"].panel->parentWidget(), w.FEpCRight);
    EXPECT_EQ(w.FEpCRight->Caption(), "Stanowiska pracy");
    EXPECT_TRUE(views["frmDefStan"].panelHiddenDuringInit);
}

TEST_F(MainWindowShipped, IconClickHostsElementViewWithFoldersAndCaption)
{
    Views views;
    TfrmMain w;
    w.show();
    clickIcon(w, 3); // Katalog czynników
    auto &s = appstate::State();
    EXPECT_EQ(s.ViewName, "frmCzynniki");
    EXPECT_EQ(s.DataFolder, "poradn\\");
    EXPECT_EQ(s.CatalogueFolder, "poradn\\");
    EXPECT_EQ(w.HostedPanel, views["frmCzynniki"].panel);
    EXPECT_EQ(w.FEpCRight->Caption(), QStringLiteral("Katalog czynników"));
    // The previous panel went back to its own window, hidden.
    EXPECT_EQ(views["frmDefStan"].panel->parentWidget(), views["frmDefStan"].window.get());
    EXPECT_FALSE(views["frmDefStan"].panel->isVisible());
    EXPECT_FALSE(w.tbNew->isEnabled());
    EXPECT_FALSE(w.tbPrint->isEnabled());

    clickIcon(w, 1); // measurement window
    EXPECT_EQ(s.ViewName, "frmRyzZakl");
    EXPECT_EQ(s.DataFolder, "zaklocen\\");
    EXPECT_EQ(s.CatalogueFolder, "poradn\\"); // only the catalogue view sets it
    EXPECT_TRUE(w.tbModify->isEnabled());
    EXPECT_EQ(views["frmRyzZakl"].seenAttach, "zaklocen\\frm\\zalaczn");
}

TEST_F(MainWindowShipped, CaptionClickOnlySelectsAndEmptiesTheRightSide)
{
    Views views;
    TfrmMain w;
    w.show();
    const int inits = views["frmZestaw"].calls.count("InitView");
    clickCaption(w, 2);
    EXPECT_EQ(w.FEGXMainOutlookBar->SelectedItem(), 2);
    EXPECT_EQ(appstate::State().ViewName, "frmDefStan");
    EXPECT_EQ(views["frmZestaw"].calls.count("InitView"), inits);
    EXPECT_TRUE(w.HostedPanel.isNull());
    // No command may act on the view that was taken away.
    EXPECT_FALSE(w.tbNew->isEnabled());
    EXPECT_FALSE(w.tbDelete->isEnabled());
    clickIcon(w, 2);
    EXPECT_EQ(appstate::State().ViewName, "frmZestaw");
    EXPECT_EQ(w.HostedPanel, views["frmZestaw"].panel);
    EXPECT_TRUE(w.tbPrint->isEnabled());
}

TEST_F(MainWindowShipped, DocumentElementSetsFormVersionAndOpensNewDocument)
{
    Views views;
    TfrmMain w;
    w.show();
    clickHeader(w, 1);
    // A change of group shows its first element: the accident protocol.
    auto &s = appstate::State();
    EXPECT_EQ(s.ViewName, "protpow_frm_2.xml");
    EXPECT_EQ(s.FormVersion, "2");
    EXPECT_EQ(s.DataFolder, "dokumenty\\");
    EXPECT_EQ(s.FormsFolder, "dokumenty\\frm\\");
    EXPECT_EQ(s.AttachFolder, "dokumenty\\zalaczn");
    auto &doc = views["frmDokum"];
    EXPECT_EQ(doc.definitionPath, "dokumenty\\frm\\protpow_frm_2.xml");
    EXPECT_EQ(doc.seenVersion, "2"); // set before the window initialises
    EXPECT_FALSE(w.tbSave->isEnabled());
    EXPECT_EQ(w.FEpCRight->Caption(), QStringLiteral("Protokół powypadkowy"));
    clickIcon(w, 1);
    EXPECT_EQ(s.ViewName, "kartwyp_frm.xml");
    EXPECT_EQ(s.FormVersion, "");
    EXPECT_EQ(doc.definitionPath, "dokumenty\\frm\\kartwyp_frm.xml");
    EXPECT_TRUE(w.tbCopy->isEnabled());
}

TEST_F(MainWindowShipped, WebPageKeepsViewNameAndHelpFileNeedsItsFolder)
{
    Views views;
    TfrmMain w;
    w.show();
    clickHeader(w, 3);
    auto &s = appstate::State();
    EXPECT_EQ(s.ViewName, "frmDefStan"); // the page leaves the routing unchanged
    ASSERT_EQ(views["frmWWW"].urls.size(), 1);
    EXPECT_TRUE(views["frmWWW"].urls[0].startsWith("file:///"));
    EXPECT_TRUE(views["frmWWW"].urls[0].endsWith("/pomoc/tarvelin.htm"));
    EXPECT_EQ(w.HostedPanel, views["frmWWW"].panel);

    launcher.availablePrograms << "xchm";
    clickIcon(w, 1);
    ASSERT_EQ(launcher.started.size(), 1);
    EXPECT_TRUE(launcher.started[0].arguments.value(0).endsWith("/pomoc/Tarvelin.chm"));
    QDir(fx.FilePath("pomoc")).removeRecursively();
    clickIcon(w, 0);
    clickIcon(w, 1);
    EXPECT_EQ(launcher.started.size(), 1); // no folder, nothing started
}

TEST_F(MainWindowShipped, WebPageShowsAgainAfterAnotherView)
{
    Views views;
    TfrmMain w;
    w.show();
    clickHeader(w, 3);
    QWidget *page = views["frmWWW"].panel;
    ASSERT_EQ(w.HostedPanel, page);
    EXPECT_TRUE(page->isVisible());
    // Another view takes the right side and hands the page back hidden; coming back to
    // the page must show it again, not an empty frame.
    clickHeader(w, 0);
    EXPECT_FALSE(page->isVisible());
    clickHeader(w, 3);
    ASSERT_EQ(w.HostedPanel, page);
    EXPECT_TRUE(page->isVisible());
    EXPECT_EQ(views["frmWWW"].urls.size(), 2);
}

TEST_F(MainWindowShipped, NewDocumentStaysNewWhenTheWindowIsActivatedAgain)
{
    workstations::RegisterViews(appstate::State());
    assessment::RegisterViews(appstate::State());
    TfrmMain w;
    w.show();
    QApplication::setActiveWindow(&w);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    auto &s = appstate::State();
    clickHeader(w, 1);
    auto *doc = workstations::frmDokum(appstate::State());
    QList<QLineEdit *> edits = doc->pgDokum->findChildren<QLineEdit *>();
    ASSERT_FALSE(edits.isEmpty());
    edits[0]->setFocus();
    QTest::keyClicks(edits[0], "abc");
    w.SaveForm();
    ASSERT_EQ(doc->lbDatyOsob->count(), 1);

    // Back to the same kind of document: an empty new one is shown. Coming back to the
    // window (after a message box, or from another program) must not open the stored one.
    clickHeader(w, 0);
    clickHeader(w, 1);
    EXPECT_EQ(doc->lbDatyOsob->currentRow(), -1);
    EXPECT_TRUE(s.NewDocument);
    QApplication::setActiveWindow(nullptr);
    QApplication::setActiveWindow(&w);
    QApplication::processEvents();
    EXPECT_EQ(doc->lbDatyOsob->currentRow(), -1);
    EXPECT_TRUE(s.NewDocument);
    for (const char *n : {"frmDefStan", "frmRyzZakl", "frmDokum"})
        appstate::UnregisterView(n);
}

TEST_F(MainWindowShipped, UnregisteredViewsAreNamedPlaceholders)
{
    TfrmMain w;
    w.show();
    PlaceholderView *p = w.PlaceholderFor("frmDefStan");
    ASSERT_NE(p, nullptr);
    EXPECT_GE(p->InitCount, 1);
    ASSERT_TRUE(w.HostedPanel);
    EXPECT_EQ(w.HostedPanel->objectName(), "pPlaceholder_frmDefStan");
    // The user is told in plain words, never by the view's internal name.
    const auto *note = w.HostedPanel->findChild<QLabel *>("lPlaceholder");
    ASSERT_NE(note, nullptr);
    EXPECT_EQ(note->text(), "Ta część programu nie jest jeszcze dostępna w tej wersji.");
    EXPECT_EQ(w.HostedPanel->parentWidget(), w.FEpCRight);
    clickHeader(w, 1);
    PlaceholderView *d = w.PlaceholderFor("frmDokum");
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->LastDefinitionPath, "dokumenty\\frm\\protpow_frm_2.xml");
}

TEST_F(MainWindowShipped, ReselectingTheCurrentGroupDoesNothing)
{
    Views views;
    TfrmMain w;
    w.show();
    const int inits = views["frmDefStan"].calls.size();
    clickHeader(w, 0);
    EXPECT_EQ(views["frmDefStan"].calls.size(), inits);
    EXPECT_EQ(w.HostedPanel, views["frmDefStan"].panel);
}

// ---- bad input ------------------------------------------------------------------------

class MainWindowBadConfig : public MainWindowShipped
{
};

TEST_F(MainWindowBadConfig, MissingConfigurationGivesAMessageAndAnEmptyBar)
{
    QFile::remove(fx.FilePath("config/Tarvelin.xml"));
    TfrmMain w;
    w.show();
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_TRUE(prompter.boxes[0].text.contains("config\\Tarvelin.xml"));
    EXPECT_EQ(w.FEGXMainOutlookBar->ButtonCount(), 0);
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.tbNew->isEnabled());
}

TEST_F(MainWindowBadConfig, TruncatedAndEmptyConfigurationsGiveAMessage)
{
    const QByteArray full = fx.Read("config/Tarvelin.xml");
    fx.Write("config/Tarvelin.xml", full.left(full.size() / 2));
    {
        TfrmMain w;
        w.show();
        EXPECT_EQ(prompter.boxes.size(), 1);
        EXPECT_EQ(w.FEGXMainOutlookBar->ButtonCount(), 0);
    }
    fx.Write("config/Tarvelin.xml", QByteArray());
    {
        TfrmMain w;
        w.show();
        EXPECT_EQ(prompter.boxes.size(), 2);
    }
}

TEST_F(MainWindowBadConfig, GroupWithoutElementsWarnsAndShowsNothing)
{
    fx.WriteText("config/Tarvelin.xml", QString::fromLatin1(kDecl) +
                                             "<tarvelin ver=\"1.0\">\n"
                                             "<grupa nazwa=\"Pusta\" numer=\"1\" rozmikon=\"32\">\n"
                                             "</grupa>\n"
                                             "<grupa nazwa=\"Druga\" numer=\"2\" rozmikon=\"32\">\n"
                                             "<element nazwa=\"E\" numer=\"1\" oper=\"p\" ikona=\"ikony\\brak.bmp\">\n"
                                             "<skladnik numer=\"1\" typ=\"frm\">\n"
                                             "<plik>frmZestaw</plik>\n"
                                             "</skladnik>\n"
                                             "</grupa>\n"
                                             "</tarvelin>\n");
    Views views;
    TfrmMain w;
    w.show();
    // One box for the empty group, one for the missing icon.
    ASSERT_EQ(prompter.boxes.size(), 2);
    EXPECT_TRUE(prompter.boxes[0].text.contains("Pusta"));
    EXPECT_TRUE(prompter.boxes[1].text.contains("ikony\\brak.bmp"));
    EXPECT_TRUE(w.HostedPanel.isNull());
    EXPECT_FALSE(w.tbPrint->isEnabled());
    clickHeader(w, 1);
    EXPECT_EQ(w.HostedPanel, views["frmZestaw"].panel);
    EXPECT_EQ(w.FEGXMainOutlookBar->Buttons(1)->Item(0)->ImageIndex(), -1);
    clickHeader(w, 0);
    EXPECT_TRUE(w.HostedPanel.isNull());
}

TEST_F(MainWindowBadConfig, BuiltInViewWinsOverPageAndPageKeepsTheRouting)
{
    const QString icon = "ikona=\"ikony\\stanowiska.bmp\"";
    fx.WriteText("config/Tarvelin.xml",
                 QString::fromLatin1(kDecl) + "<tarvelin ver=\"1.0\">\n"
                                              "<grupa nazwa=\"Mała\" numer=\"1\" rozmikon=\"16\">\n"
                                              "<element nazwa=\"Zestaw\" numer=\"1\" oper=\"p\" " + icon + ">\n"
                                              "<skladnik numer=\"1\" typ=\"frm\">\n<katalog>zaklocen\\</katalog>\n"
                                              "<plik>frmZestaw</plik>\n<katfrm>zaklocen\\frm\\</katfrm>\n"
                                              "<katzal>zal1</katzal>\n</skladnik>\n</element>\n"
                                              "<element nazwa=\"Oba\" numer=\"2\" oper=\"nsd\" " + icon + ">\n"
                                              "<skladnik numer=\"1\" typ=\"htm\">\n<katalog>pomoc\\</katalog>\n"
                                              "<plik>tarvelin.htm</plik>\n</skladnik>\n"
                                              "<skladnik numer=\"2\" typ=\"frm\">\n<katalog>inny\\</katalog>\n"
                                              "<plik>frmDefStan</plik>\n<katfrm>inny\\frm\\</katfrm>\n"
                                              "<katzal>zal2</katzal>\n</skladnik>\n</element>\n"
                                              "<element nazwa=\"Strona\" numer=\"3\" oper=\"\" " + icon + ">\n"
                                              "<skladnik numer=\"1\" typ=\"htm\">\n<katalog>pomoc\\</katalog>\n"
                                              "<plik>tarvelin.htm</plik>\n</skladnik>\n</element>\n"
                                              "</grupa>\n</tarvelin>\n");
    Views views;
    TfrmMain w;
    w.show();
    EXPECT_TRUE(prompter.boxes.isEmpty());
    // A group of 16-pixel icons uses the small image list.
    EXPECT_EQ(w.FEGXMainOutlookBar->Images(), &w.imgMale);
    EXPECT_EQ(w.FEGXMainOutlookBar->Buttons(0)->Item(0)->ImageIndex(), 0);
    auto &s = appstate::State();
    EXPECT_EQ(s.ViewName, "frmZestaw");

    clickIcon(w, 1);
    EXPECT_EQ(w.HostedPanel, views["frmDefStan"].panel);
    EXPECT_TRUE(views["frmWWW"].urls.isEmpty()); // the page is not shown beside a view
    EXPECT_EQ(s.ViewName, "frmDefStan");
    EXPECT_EQ(s.DataFolder, "inny\\");
    EXPECT_EQ(s.AttachFolder, "zal2");
    EXPECT_EQ(w.FEpCRight->Caption(), "Oba");

    clickIcon(w, 2);
    EXPECT_EQ(w.HostedPanel, views["frmWWW"].panel);
    EXPECT_EQ(views["frmWWW"].urls.size(), 1);
    EXPECT_EQ(w.FEpCRight->Caption(), "Strona");
    // The page leaves the view name and the folders, and so the routing, as they were.
    EXPECT_EQ(s.ViewName, "frmDefStan");
    EXPECT_EQ(s.DataFolder, "inny\\");
    EXPECT_EQ(s.AttachFolder, "zal2");
    EXPECT_FALSE(w.tbNew->isEnabled());
}

// ---- helpers --------------------------------------------------------------------------

TEST(ExtractFormVersion, VersionFromDefinitionFileName)
{
    ScriptedPrompter prompter;
    // Without "_frm" there is no version, and no message; without a "." the version runs to the end.
    EXPECT_EQ(TfrmMain::ExtractFormVersion("frmDefStan"), "");
    EXPECT_EQ(TfrmMain::ExtractFormVersion("x_frm_12"), "12");
    EXPECT_TRUE(prompter.boxes.isEmpty());
    EXPECT_EQ(TfrmMain::ExtractFormVersion("x_frm_b.xml"), "b");
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(prompter.boxes[0].text, QStringLiteral("Błąd odczytu wersji!"));
}

TEST(FormCanResize, MinimumWidthAndHeightRule)
{
    int w = 700, h = 500;
    TfrmMain::FormCanResize(w, h);
    EXPECT_EQ(w, 820);
    EXPECT_EQ(h, 630);
    w = 900;
    h = 600;
    TfrmMain::FormCanResize(w, h);
    EXPECT_EQ(w, 900);
    EXPECT_EQ(h, 600);
}

TEST(RunExternal, HelpViewersAreCarriedOverAndPathsKeptWhole)
{
    RecordingLauncher launcher;
    TfrmMain::RunExternal("hh.exe ", "/opt/tar velin/pomoc/Tarvelin.chm");
    EXPECT_TRUE(launcher.started.isEmpty()); // no viewer installed: ignored
    launcher.availablePrograms << "kchmviewer";
    TfrmMain::RunExternal("hh.exe ", "/opt/tar velin/pomoc/Tarvelin.chm");
    ASSERT_EQ(launcher.started.size(), 1);
    EXPECT_EQ(launcher.started[0].arguments, QStringList{"/opt/tar velin/pomoc/Tarvelin.chm"});
    TfrmMain::RunExternal("winhlp32.exe ", "/opt/x/a.hlp");
    EXPECT_EQ(launcher.opened, QStringList{"/opt/x/a.hlp"});
}

TEST(MainWindowLayout, CommandsCarryTheStandardKeysAndEveryMnemonicIsUnique)
{
    FixtureFolder fx(true);
    TfrmMain w;
    const std::pair<QAction *, QKeySequence> keys[] = {
        {w.mNowy, QKeySequence::New},   {w.mZapisz, QKeySequence::Save}, {w.mDelete, QKeySequence::Delete},
        {w.mDruk, QKeySequence::Print}, {w.mCopy, QKeySequence::Copy},   {w.mPaste, QKeySequence::Paste},
        {w.mIndeks, Qt::Key_F1}};
    for (const auto &[action, key] : keys)
        EXPECT_EQ(action->shortcut(), key) << action->objectName().toStdString();
    // One letter per menu on the bar, one per item within a menu.
    auto mnemonic = [](const QString &text) {
        const qsizetype at = text.indexOf(QLatin1Char('&'));
        return at < 0 || at + 1 >= text.size() ? QChar() : text.at(at + 1).toLower();
    };
    QSet<QChar> bar;
    for (QAction *menu : w.mMenu->actions()) {
        const QChar key = mnemonic(menu->text());
        EXPECT_FALSE(key.isNull()) << menu->text().toStdString();
        EXPECT_FALSE(bar.contains(key)) << menu->text().toStdString();
        bar.insert(key);
        QSet<QChar> items;
        for (QAction *item : menu->menu()->actions()) {
            if (item->isSeparator())
                continue;
            const QChar k = mnemonic(item->text());
            EXPECT_FALSE(k.isNull()) << item->text().toStdString();
            EXPECT_FALSE(items.contains(k)) << item->text().toStdString();
            items.insert(k);
        }
    }
}

TEST(MainWindowLayout, ComponentNamesAndMenus)
{
    FixtureFolder fx(true);
    TfrmMain w;
    for (const char *name : {"pTop", "coolbarMenu", "ToolBarMenu", "toolbarFile", "pLeft", "FEGXMainOutlookBar",
                             "splitMain", "FEpCRight", "StatusBar1", "tbNew", "tbSave", "tbDelete", "tbPrint",
                             "tbModify", "tbCopy", "tbPaste", "mMenu", "mPlik", "mEdycja", "mHelp"})
        EXPECT_NE(w.findChild<QObject *>(name), nullptr) << name;
    for (const char *name : {"mNowy", "mZapisz", "mDruk", "mKoniec", "mDelete", "mModify", "mCopy", "mPaste", "mIndeks"})
        EXPECT_NE(w.findChild<QAction *>(name), nullptr) << name;
}
