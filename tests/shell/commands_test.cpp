#include "appstate/appstate.h"
#include "appstate/view.h"
#include "appstate/view_registry.h"
#include "shell/frm_main.h"
#include "storage/navigation_file.h"
#include "tests/support/fakes.h"
#include "tests/support/fixture.h"
#include "widgets/field_binding.h"
#include "widgets/outlook_bar.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

using namespace shell;
using platform::MsgNo;
using platform::MsgYes;
using testsupport::FixtureFolder;
using testsupport::MemoryClipboard;
using testsupport::ScriptedPrompter;

namespace {

// A view that records every command it receives, as the real views will take them.
class CommandView : public appstate::TView
{
public:
    explicit CommandView(const QString &name) : appstate::TView(appstate::State()), name(name)
    {
        window = std::make_unique<QWidget>();
        panel = new QWidget(window.get());
        panel->setObjectName("panel_" + name);
        editor = new QLineEdit(panel);
    }
    QWidget *GetMainPanel() override { return panel; }
    void InitView() override { calls << "InitView"; }
    void New() override { calls << "New"; }
    bool Save() override
    {
        calls << "Save";
        savedText = stored;
        return saveResult;
    }
    bool AskSaveChanges() override
    {
        calls << "Ask";
        if (onAsk)
            onAsk();
        return appstate::AskSaveChangesDefault(appstate::State());
    }
    bool HasDeletableSelection() override { return hasSelection; }
    QString DeleteQuestion() override
    {
        static const QMap<QString, QString> questions = {
            {"frmRyzZakl", QStringLiteral("Czy na pewno usunąć wybrany pomiar?")},
            {"frmDefStan", QStringLiteral("Czy na pewno usunąć wybrane stanowisko wraz z danymi?")},
            {"frmDokum", QStringLiteral("Czy na pewno usunąć wybrany dokument?")}};
        return questions.value(name);
    }
    bool DeleteSelection() override
    {
        calls << "Delete";
        return deleteResult;
    }
    // As the real views follow a deletion: the measurement window saves, the workstation
    // view says when it failed, the document window starts a new document.
    std::optional<bool> DeleteConfirmed() override
    {
        const bool deleted = DeleteSelection();
        if (name == "frmRyzZakl" && deleted)
            return Save();
        if (name == "frmDefStan" && !deleted)
            platform::ShowError(QStringLiteral("Operacja usunięcia stanowiska nie powiodła się!"));
        appstate::State().NewDocument |= name == "frmDokum";
        return std::nullopt;
    }
    bool ModifySelection() override
    {
        calls << "Modify";
        return modifyResult;
    }
    // The summary view opens the printouts dialog, the others the print composer.
    void Print() override
    {
        calls << "Print";
        if (name != "frmZestaw")
            appstate::TView::Print();
        else
            appstate::RunCommandDialog("frmWydrukRej");
    }
    QString CopyFieldsToText() override
    {
        calls << "Copy";
        return "pola";
    }
    void PasteFieldsFromText(const QString &text) override { calls << "Paste:" + text; }

    // The editor's enter handler registers it with its exit handler (commit).
    void enterEditor()
    {
        appstate::State().SetLastWinCtrl(editor, [this] {
            if (editor->text() != stored) {
                stored = editor->text();
                appstate::State().SetModified(true);
            }
        });
    }

    QString name;
    std::unique_ptr<QWidget> window;
    QWidget *panel;
    QLineEdit *editor;
    QString stored, savedText;
    QStringList calls;
    bool saveResult = true, hasSelection = true, deleteResult = true, modifyResult = true;
    std::function<void()> onAsk;
};

void resetState()
{
    auto &s = appstate::State();
    s.ViewName.clear();
    s.ViewKind = storage::TViewKind::None;
    s.DataFolder.clear();
    s.SetModified(false);
    s.NewDocument = false;
    s.EditAllowed = true;
    s.ClearLastWinCtrl();
    storage::NavigationGroups().clear();
}

class Commands : public ::testing::Test
{
protected:
    void SetUp() override
    {
        resetState();
        for (const char *n : {"frmDefStan", "frmRyzZakl", "frmZestaw", "frmCzynniki", "frmDokum", "frmWWW"}) {
            auto v = std::make_shared<CommandView>(n);
            views[n] = v;
            appstate::RegisterView(n, [v] { return static_cast<appstate::TView *>(v.get()); });
        }
        w = std::make_unique<TfrmMain>();
        w->show();
        views["frmDefStan"]->calls.clear();
    }
    void TearDown() override
    {
        w.reset();
        for (auto it = views.begin(); it != views.end(); ++it)
            appstate::UnregisterView(it.key());
        appstate::UnregisterCommandDialog("frmWydruk");
        appstate::UnregisterCommandDialog("frmWydrukRej");
        resetState();
    }
    CommandView &v(const char *n) { return *views[n]; }
    void clickIcon(int item)
    {
        QTest::mouseClick(w->FEGXMainOutlookBar, Qt::LeftButton, {}, w->FEGXMainOutlookBar->ItemImageRect(item).center());
    }
    void clickHeader(int b)
    {
        QTest::mouseClick(w->FEGXMainOutlookBar, Qt::LeftButton, {}, w->FEGXMainOutlookBar->HeaderRect(b).center());
    }
    void click(QToolButton *b) { QTest::mouseClick(b, Qt::LeftButton); }

    FixtureFolder fx{true};
    ScriptedPrompter prompter;
    MemoryClipboard clipboard;
    QMap<QString, std::shared_ptr<CommandView>> views;
    std::unique_ptr<TfrmMain> w;
};

} // namespace

TEST_F(Commands, ToolbarAndMenuFollowEachElementsLetters)
{
    // "nsdp" of the workstation view
    EXPECT_TRUE(w->tbNew->isEnabled() && w->mNowy->isEnabled());
    EXPECT_FALSE(w->tbSave->isEnabled() || w->mZapisz->isEnabled());
    EXPECT_TRUE(w->tbDelete->isEnabled() && w->mDelete->isEnabled());
    EXPECT_TRUE(w->tbPrint->isEnabled() && w->mDruk->isEnabled());
    EXPECT_FALSE(w->tbModify->isEnabled() || w->tbCopy->isEnabled() || w->tbPaste->isEnabled());
    clickIcon(2); // "p"
    EXPECT_TRUE(w->tbPrint->isEnabled());
    EXPECT_FALSE(w->tbNew->isEnabled() || w->tbDelete->isEnabled() || w->tbSave->isEnabled());
    clickIcon(3); // ""
    for (QToolButton *b : {w->tbNew, w->tbSave, w->tbDelete, w->tbPrint, w->tbModify, w->tbCopy, w->tbPaste})
        EXPECT_FALSE(b->isEnabled()) << b->objectName().toStdString();
    EXPECT_TRUE(w->mIndeks->isEnabled());
}

TEST_F(Commands, EachCommandReachesTheCurrentView)
{
    clickIcon(1); // measurement window, "nsdmp"
    v("frmRyzZakl").calls.clear();
    click(w->tbNew);
    EXPECT_TRUE(appstate::State().NewDocument);
    click(w->tbModify);
    EXPECT_TRUE(w->tbSave->isEnabled()); // Modify with OK enables Save
    prompter.Answer(MsgYes);
    click(w->tbDelete);
    EXPECT_EQ(v("frmRyzZakl").calls, QStringList({"New", "Modify", "Delete", "Save"}));
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(prompter.boxes[0].text, QStringLiteral("Czy na pewno usunąć wybrany pomiar?"));
    EXPECT_EQ(prompter.boxes[0].buttons, platform::MsgYes | platform::MsgNo | platform::MsgDefaultNo); // Enter: "Nie"
    EXPECT_FALSE(w->tbSave->isEnabled());
    click(w->tbPrint);
    EXPECT_EQ(v("frmRyzZakl").calls.last(), "Print");
    EXPECT_TRUE(v("frmDefStan").calls.isEmpty());
}

TEST_F(Commands, PrintGoesToThePrintDialogsWhenRegistered)
{
    QStringList printed;
    appstate::RegisterCommandDialog("frmWydruk", [&](const appstate::TPrintSelection &) {
        printed << "frmWydruk:" + appstate::State().AttachFolder;
    });
    appstate::RegisterCommandDialog("frmWydrukRej",
                                    [&](const appstate::TPrintSelection &) { printed << "frmWydrukRej"; });
    click(w->tbPrint);
    clickIcon(2);
    click(w->tbPrint);
    EXPECT_EQ(printed, QStringList({"frmWydruk:zaklocen\\frm\\zalaczn", "frmWydrukRej"}));
}

TEST_F(Commands, PrintWhereNothingCanBePrintedYetSaysSo)
{
    // A view that prints nothing of its own, with no print dialog registered.
    struct NothingToPrint : appstate::TView
    {
        NothingToPrint() : appstate::TView(appstate::State()) {}
        QWidget *GetMainPanel() override { return nullptr; }
        void InitView() override {}
    } view;
    view.Print();
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(prompter.boxes[0].text, "Z tego miejsca programu nie można jeszcze niczego wydrukować.");
    EXPECT_EQ(prompter.boxes[0].icon, platform::MsgIcon::Information);
}

TEST_F(Commands, SaveCommitsTheFieldBeingEditedFirst)
{
    CommandView &defstan = v("frmDefStan");
    defstan.enterEditor();
    defstan.editor->setText("Hala A");
    // The toolbar click does not move the focus; Save must still store the typed text.
    EXPECT_FALSE(w->tbSave->isEnabled());
    w->SaveForm();
    EXPECT_EQ(defstan.savedText, "Hala A");
    EXPECT_FALSE(appstate::State().Modified());
    EXPECT_EQ(appstate::State().LastWinCtrl(), nullptr);
}

TEST_F(Commands, FailedWriteKeepsModifiedAndSaveEnabled)
{
    CommandView &defstan = v("frmDefStan");
    defstan.saveResult = false;
    appstate::State().NewDocument = true;
    appstate::State().SetModified(true);
    EXPECT_TRUE(w->tbSave->isEnabled());
    click(w->tbSave);
    EXPECT_EQ(defstan.calls, QStringList({"Save"}));
    EXPECT_TRUE(appstate::State().Modified());
    EXPECT_TRUE(appstate::State().NewDocument);
    EXPECT_TRUE(w->tbSave->isEnabled());
    defstan.saveResult = true;
    click(w->tbSave);
    EXPECT_FALSE(appstate::State().Modified());
    EXPECT_FALSE(appstate::State().NewDocument);
    EXPECT_FALSE(w->tbSave->isEnabled());
}

TEST_F(Commands, SwitchingWithUnsavedChangesAsksOnceYesSavesNoDiscards)
{
    // Typed but not yet left: the edit is committed, so the question is asked and it is saved.
    CommandView &defstan = v("frmDefStan");
    defstan.enterEditor();
    defstan.editor->setText("nowa nazwa");
    prompter.Answer(MsgYes);
    clickIcon(2);
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(prompter.boxes[0].text, QStringLiteral("Nie zapisano danych. Zapisać?"));
    EXPECT_EQ(defstan.savedText, "nowa nazwa");
    EXPECT_FALSE(appstate::State().Modified());

    clickIcon(0);
    defstan.calls.clear();
    appstate::State().SetModified(true);
    prompter.Answer(MsgNo);
    clickHeader(1);
    EXPECT_EQ(prompter.boxes.size(), 2);
    EXPECT_FALSE(defstan.calls.contains("Save"));
    EXPECT_FALSE(appstate::State().Modified());
    EXPECT_EQ(appstate::State().ViewName, "protpow_frm_2.xml");
}

TEST_F(Commands, DestroyedEditorIsNeverCommitted)
{
    CommandView &defstan = v("frmDefStan");
    bool ran = false;
    auto *edit = new QLineEdit(defstan.panel);
    appstate::State().SetLastWinCtrl(edit, [&] { ran = true; });
    delete edit; // the page was rebuilt
    EXPECT_EQ(appstate::State().LastWinCtrl(), nullptr);
    w->NewForm();
    w->SaveForm();
    EXPECT_FALSE(ran);
}

TEST_F(Commands, DocumentCommandsNeverReachAMissingOrWrongWindow)
{
    // The catalogue and summary views are no documents: Copy, Paste and Save do nothing.
    clickIcon(3);
    w->CopyForm();
    w->PasteForm();
    w->SaveForm();
    w->DeleteForm();
    EXPECT_FALSE(v("frmDokum").calls.contains("Copy"));
    EXPECT_FALSE(v("frmDokum").calls.contains("Save"));

    // A document view: Copy puts the fields on the clipboard and enables Paste until the
    // next element.
    clickHeader(1);
    auto &doc = v("frmDokum");
    EXPECT_EQ(doc.calls.last(), "New"); // an empty new document is opened
    EXPECT_FALSE(w->tbPaste->isEnabled());
    click(w->tbCopy);
    EXPECT_EQ(clipboard.text, "pola");
    EXPECT_TRUE(w->tbPaste->isEnabled());
    clipboard.text = "inne";
    click(w->tbPaste);
    EXPECT_EQ(doc.calls.last(), "Paste:inne");
    clickIcon(1);
    EXPECT_FALSE(w->tbPaste->isEnabled());
}

TEST_F(Commands, DocumentDeleteNeedsAStoredDocumentAndSetsNewDocument)
{
    clickHeader(1);
    auto &doc = v("frmDokum");
    doc.hasSelection = false;
    click(w->tbDelete);
    EXPECT_TRUE(prompter.boxes.isEmpty());
    doc.hasSelection = true;
    appstate::State().NewDocument = false;
    prompter.Answer(MsgYes);
    click(w->tbDelete);
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(prompter.boxes[0].text, QStringLiteral("Czy na pewno usunąć wybrany dokument?"));
    EXPECT_TRUE(doc.calls.contains("Delete"));
    EXPECT_TRUE(appstate::State().NewDocument);
}

TEST_F(Commands, WorkstationDeleteFailureIsReported)
{
    auto &defstan = v("frmDefStan");
    defstan.deleteResult = false;
    prompter.Answer(MsgYes);
    click(w->tbDelete);
    ASSERT_EQ(prompter.boxes.size(), 2);
    EXPECT_EQ(prompter.boxes[0].text, QStringLiteral("Czy na pewno usunąć wybrane stanowisko wraz z danymi?"));
    EXPECT_EQ(prompter.boxes[1].text, QStringLiteral("Operacja usunięcia stanowiska nie powiodła się!"));
    defstan.hasSelection = false;
    click(w->tbDelete);
    EXPECT_EQ(prompter.boxes.size(), 2); // nothing selected: silent
}

TEST_F(Commands, CommandsNeverCreateAViewWindow)
{
    // The measurement window was never shown: its commands go nowhere.
    appstate::State().ViewName = "frmRyzZakl";
    appstate::State().ViewKind = storage::TViewKind::Measurement;
    appstate::UnregisterView("frmRyzZakl");
    appstate::RegisterView("frmRyzZakl", [this] { return static_cast<appstate::TView *>(views["frmRyzZakl"].get()); });
    w->NewForm();
    w->SaveForm();
    w->DeleteForm();
    w->ModifyForm();
    EXPECT_TRUE(v("frmRyzZakl").calls.isEmpty());
    EXPECT_TRUE(prompter.boxes.isEmpty());
}

TEST_F(Commands, ClosingCommitsAsksSavesByViewNameAndStaysOpenWhenTheSaveFails)
{
    clickIcon(1);
    auto &ryz = v("frmRyzZakl");
    ryz.saveResult = false;
    ryz.enterEditor();
    ryz.editor->setText("85");
    // Yes, but the file cannot be written: the changes would be lost with the window.
    prompter.Answer(MsgYes);
    EXPECT_FALSE(w->close());
    EXPECT_EQ(ryz.savedText, "85"); // the typed text was committed and handed to the view's save
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(appstate::State().Modified());
    // No lets them go, and the program ends.
    prompter.Answer(platform::MsgNo);
    EXPECT_TRUE(w->close());
    EXPECT_EQ(prompter.boxes.size(), 2);
}

TEST_F(Commands, HelpIndexWithoutAViewerWarns)
{
    testsupport::RecordingLauncher launcher;
    w->mIndeks->trigger();
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(prompter.boxes[0].text, "MS Html Help is not installed on this PC.");
    EXPECT_EQ(prompter.boxes[0].icon, platform::MsgIcon::Warning);
    EXPECT_TRUE(launcher.started.isEmpty());
    launcher.availablePrograms << "xchm";
    w->mIndeks->trigger();
    // The program's help file, at the main window's topic, in a viewer the program closes.
    ASSERT_EQ(launcher.owned.size(), 1);
    EXPECT_EQ(launcher.owned[0].arguments.mid(0, 2), (QStringList{"-c", "1000"}));
    EXPECT_EQ(launcher.owned[0].arguments.value(2), fx.FilePath("Tarvelin.chm"));
    EXPECT_TRUE(launcher.started.isEmpty());
}

TEST_F(Commands, NewGroupShowsItsOwnIconsWhileTheQuestionIsOpen)
{
    auto &defstan = v("frmDefStan");
    defstan.enterEditor();
    defstan.editor->setText("zmiana");
    const widgets::TImageList *shown = nullptr;
    defstan.onAsk = [&] { shown = w->FEGXMainOutlookBar->Images(); };
    prompter.Answer(platform::MsgNo);
    clickHeader(3); // "Pomoc", a group of 16-pixel icons
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(shown, &w->imgMale);
}

TEST_F(Commands, EditorRegisteredWithoutCommitIsCommittedThroughItsBinding)
{
    CommandView &defstan = v("frmDefStan");
    auto *edit = new QLineEdit(defstan.panel);
    QStringList exits;
    widgets::BindExit(edit, [&](QWidget *sender) { exits << sender->objectName(); });
    edit->setObjectName("ed_1_Nazwa");
    appstate::State().SetLastWinCtrl(edit); // as an enter handler of a built page does
    w->SaveForm();
    EXPECT_EQ(exits, QStringList{"ed_1_Nazwa"});
    EXPECT_EQ(appstate::State().LastWinCtrl(), nullptr);
}

TEST_F(Commands, FailedSaveOnSwitchingKeepsTheViewAndItsEdits)
{
    CommandView &defstan = v("frmDefStan");
    defstan.saveResult = false;
    appstate::State().SetModified(true);
    QWidget *hosted = w->HostedPanel;
    prompter.Answer(MsgYes);
    clickIcon(2);
    ASSERT_EQ(prompter.boxes.size(), 1) << prompter.Texts().join(" | ").toStdString();
    EXPECT_TRUE(defstan.calls.contains("Save"));
    // The edits could not be written: nothing moves, nothing is lost.
    EXPECT_TRUE(appstate::State().Modified());
    EXPECT_EQ(appstate::State().ViewName, "frmDefStan");
    EXPECT_EQ(w->HostedPanel, hosted);
    EXPECT_TRUE(w->tbSave->isEnabled());
    // Nor does New clear them.
    defstan.calls.clear();
    prompter.Answer(MsgYes);
    click(w->tbNew);
    EXPECT_FALSE(defstan.calls.contains("New"));
    EXPECT_TRUE(appstate::State().Modified());
    // Once the write succeeds the switch goes on.
    QApplication::processEvents();
    defstan.saveResult = true;
    prompter.Answer(MsgYes);
    clickIcon(2);
    EXPECT_FALSE(appstate::State().Modified());
    EXPECT_NE(appstate::State().ViewName, "frmDefStan");
}

TEST_F(Commands, AnulujKeepsTheViewTheBarAndTheWindowOpen)
{
    appstate::State().SetModified(true);
    QWidget *hosted = w->HostedPanel;
    const widgets::TImageList *images = w->FEGXMainOutlookBar->Images();
    const std::function<void()> moves[] = {[&] { clickHeader(3); }, [&] { clickIcon(2); }, [&] { click(w->tbPrint); },
                                           [&] { w->close(); }};
    for (const auto &move : moves) {
        prompter.Answer(platform::MsgCancel);
        move();
        EXPECT_EQ(std::pair(w->FEGXMainOutlookBar->SelectedItem(), w->FEGXMainOutlookBar->Images()),
                  std::pair(0, images));
        EXPECT_TRUE(w->HostedPanel == hosted && w->isVisible() && appstate::State().Modified());
    }
    EXPECT_TRUE(prompter.boxes.size() == 4 && !v("frmDefStan").calls.contains("Print")); // asked once each
}
