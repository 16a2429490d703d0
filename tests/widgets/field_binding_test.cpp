#include "widgets/field_binding.h"

#include "platform/prompter.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>

namespace {

void sendFocus(QWidget *w, QEvent::Type type, Qt::FocusReason reason)
{
    QFocusEvent e(type, reason);
    QCoreApplication::sendEvent(w, &e);
}

struct HookGuard
{
    widgets::FieldHandler previous;
    explicit HookGuard(widgets::FieldHandler h) : previous(widgets::SetFieldEnterHook(std::move(h))) {}
    ~HookGuard() { widgets::SetFieldEnterHook(previous); }
};

} // namespace

// --- Exit: runs on every focus move between controls, never for boxes, popups or windows

TEST(FieldBindingExit, RunsOnRealFocusMoveBetweenControlsEvenWithoutChange)
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *a = new QLineEdit(&window);
    auto *b = new QLineEdit(&window);
    layout->addWidget(a);
    layout->addWidget(b);
    QStringList exits;
    widgets::BindExit(a, [&](QWidget *s) { exits << s->objectName() + "?" + static_cast<QLineEdit *>(s)->text(); });
    a->setObjectName("ed_A");
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    a->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(a->hasFocus());
    b->setFocus(Qt::TabFocusReason);
    ASSERT_EQ(exits.size(), 1);
    EXPECT_EQ(exits[0], "ed_A?");
    a->setFocus(Qt::MouseFocusReason);
    a->setText("12");
    b->setFocus(Qt::MouseFocusReason);
    ASSERT_EQ(exits.size(), 2);
    EXPECT_EQ(exits[1], "ed_A?12");
}

TEST(FieldBindingExit, IgnoresOtherWindowPopupAndMessageBoxFocusLoss)
{
    QLineEdit edit;
    int exits = 0;
    widgets::BindExit(&edit, [&](QWidget *) { ++exits; });
    sendFocus(&edit, QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    sendFocus(&edit, QEvent::FocusOut, Qt::PopupFocusReason);
    EXPECT_EQ(exits, 0);
    sendFocus(&edit, QEvent::FocusOut, Qt::OtherFocusReason);
    EXPECT_EQ(exits, 1);

    // A box shown through the prompter takes the focus with a plain reason on some
    // platforms; the exit stays quiet while any box is up.
    struct FocusStealingPrompter : platform::Prompter
    {
        QWidget *target = nullptr;
        int Ask(platform::MsgIcon, const QString &, const QString &, int) override
        {
            sendFocus(target, QEvent::FocusOut, Qt::OtherFocusReason);
            return platform::MsgOk;
        }
    } prompter;
    prompter.target = &edit;
    platform::Prompter *old = platform::SetPrompter(&prompter);
    platform::ShowWarning("x");
    platform::SetPrompter(old);
    EXPECT_EQ(exits, 1);
}

TEST(FieldBindingExit, HandlerShowingABoxIsNotReentered)
{
    QLineEdit edit;
    int depth = 0, maxDepth = 0, runs = 0;
    widgets::BindExit(&edit, [&](QWidget *w) {
        ++runs;
        maxDepth = std::max(maxDepth, ++depth);
        // what a refused number does: the focus leaves again while we are still inside
        sendFocus(w, QEvent::FocusOut, Qt::TabFocusReason);
        --depth;
    });
    sendFocus(&edit, QEvent::FocusOut, Qt::TabFocusReason);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(maxDepth, 1);
}

TEST(FieldBindingExit, SuppressedWhileClearingAndNotRunForAControlBeingDestroyed)
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *a = new QLineEdit(&window);
    auto *b = new QLineEdit(&window);
    layout->addWidget(a);
    layout->addWidget(b);
    int exits = 0;
    widgets::BindExit(a, [&](QWidget *) { ++exits; });
    {
        widgets::FieldEventSuppressor quiet;
        sendFocus(a, QEvent::FocusOut, Qt::TabFocusReason);
    }
    EXPECT_EQ(exits, 0);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    a->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(a->hasFocus());
    delete a; // the focused edit of a page that is rebuilt
    EXPECT_EQ(exits, 0);
}

// --- Enter: own handler, then the global hook (the main window's last editor)

TEST(FieldBindingEnter, RunsOwnHandlerThenHookButNotOnWindowReactivation)
{
    QLineEdit edit;
    edit.setObjectName("ed_X");
    QStringList calls;
    HookGuard hook([&](QWidget *w) { calls << "hook:" + w->objectName(); });
    widgets::BindEnter(&edit, [&](QWidget *w) { calls << "own:" + w->objectName(); });
    sendFocus(&edit, QEvent::FocusIn, Qt::TabFocusReason);
    EXPECT_EQ(calls, (QStringList{"own:ed_X", "hook:ed_X"}));
    calls.clear();
    sendFocus(&edit, QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    EXPECT_TRUE(calls.isEmpty());

    QCheckBox box;
    widgets::BindEnter(&box);
    sendFocus(&box, QEvent::FocusIn, Qt::MouseFocusReason);
    EXPECT_EQ(calls, QStringList{"hook:"});
}

// --- Combo: user choice only

TEST(FieldBindingCombo, ProgrammaticIndexRaisesNothingUserChoiceDoes)
{
    QComboBox combo;
    combo.addItems({"a", "b", "c"});
    QStringList seen;
    widgets::BindComboChange(&combo, [&](QWidget *w) { seen << static_cast<QComboBox *>(w)->currentText(); });
    combo.setCurrentIndex(2);
    EXPECT_TRUE(seen.isEmpty());
    QTest::keyClick(&combo, Qt::Key_Up); // the user's choice
    EXPECT_EQ(seen, QStringList{"b"});
    EXPECT_TRUE(widgets::CommitField(&combo));
    EXPECT_EQ(seen.size(), 2);
}

// --- Check box: program changes raise the click handler too

TEST(FieldBindingCheck, ClickRaisedByProgramAndUserButNotWhenBlockedOrUnchanged)
{
    QCheckBox box;
    QList<bool> seen;
    widgets::BindCheckClick(&box, [&](QWidget *w) { seen << static_cast<QCheckBox *>(w)->isChecked(); });
    box.setChecked(true);
    box.setChecked(true); // no change, no click
    EXPECT_EQ(seen, (QList<bool>{true}));
    box.click();
    EXPECT_EQ(seen, (QList<bool>{true, false}));
    {
        QSignalBlocker block(&box);
        box.setChecked(true);
    }
    EXPECT_EQ(seen.size(), 2);
}

TEST(FieldBindingButton, ClickIsUserOnly)
{
    QToolButton button;
    int clicks = 0;
    widgets::BindButtonClick(&button, [&](QWidget *) { ++clicks; });
    button.click();
    EXPECT_EQ(clicks, 1);
    button.setDown(true);
    button.setDown(false);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(widgets::HasCommitHandler(&button));
}

// --- Commit: what the main window runs before a command

TEST(FieldBindingCommit, RunsTheExitOfTheRememberedEditorAndNothingForNull)
{
    QLineEdit edit;
    int exits = 0;
    widgets::BindExit(&edit, [&](QWidget *) { ++exits; });
    EXPECT_TRUE(widgets::CommitField(&edit));
    EXPECT_EQ(exits, 1);
    EXPECT_FALSE(widgets::CommitField(nullptr));
    QLineEdit unbound;
    EXPECT_FALSE(widgets::CommitField(&unbound));
    // rebinding replaces the handler rather than adding a second one
    int second = 0;
    widgets::BindExit(&edit, [&](QWidget *) { ++second; });
    widgets::CommitField(&edit);
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(second, 1);
}

TEST(FieldBindingFocus, ReturnFocusLaterHappensAfterTheCurrentEvent)
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *a = new QLineEdit(&window);
    auto *b = new QLineEdit(&window);
    layout->addWidget(a);
    layout->addWidget(b);
    widgets::BindExit(a, [&](QWidget *w) { widgets::ReturnFocusLater(w); });
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    a->setFocus(Qt::TabFocusReason);
    b->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(b->hasFocus());
    QCoreApplication::processEvents();
    EXPECT_TRUE(a->hasFocus());
}

// --- Length limits

TEST(FieldBindingLimits, ZeroMeansNoLimitAndMemoIsCutAsTyped)
{
    QLineEdit edit;
    widgets::SetEditMaxLength(&edit, 0);
    edit.setText(QString(300, 'x'));
    EXPECT_EQ(edit.text().size(), 300);
    widgets::SetEditMaxLength(&edit, 5);
    EXPECT_EQ(widgets::EditMaxLength(&edit), 5);
    // What the program set stays whole: a stored value longer than the limit is neither
    // cut when the limit comes nor when it is set again.
    EXPECT_EQ(edit.text().size(), 300);
    edit.setText("85.123456789");
    EXPECT_EQ(edit.text(), "85.123456789");
    // The user types no more than the limit ...
    edit.clear();
    QTest::keyClicks(&edit, "1234567");
    EXPECT_EQ(edit.text(), "12345");
    // ... and may still shorten a longer text.
    edit.setText("abcdefgh");
    edit.end(false);
    QTest::keyClick(&edit, Qt::Key_Backspace);
    EXPECT_EQ(edit.text(), "abcdefg");
    widgets::SetEditMaxLength(&edit, 0);
    EXPECT_EQ(widgets::EditMaxLength(&edit), 0);
    edit.clear();
    QTest::keyClicks(&edit, "1234567");
    EXPECT_EQ(edit.text(), "1234567");

    QPlainTextEdit memo;
    widgets::SetMemoMaxLength(&memo, 5);
    memo.setPlainText("abc");
    memo.moveCursor(QTextCursor::Start);
    QTest::keyClicks(&memo, "XYZ");
    EXPECT_EQ(memo.toPlainText(), "XYabc");
    memo.setPlainText("1234567");
    EXPECT_EQ(memo.toPlainText(), "12345");
    widgets::SetMemoMaxLength(&memo, 0);
    memo.setPlainText("1234567");
    EXPECT_EQ(memo.toPlainText(), "1234567");

    // A stored text already longer than the limit (shown before the limit came) is not
    // shortened by a keystroke: only what is typed is refused.
    QPlainTextEdit stored;
    stored.setPlainText("1234567");
    widgets::SetMemoMaxLength(&stored, 5);
    stored.moveCursor(QTextCursor::End);
    QTest::keyClicks(&stored, "X");
    EXPECT_EQ(stored.toPlainText(), "1234567");
    stored.moveCursor(QTextCursor::End);
    QTest::keyClick(&stored, Qt::Key_Backspace);
    EXPECT_EQ(stored.toPlainText(), "123456");
}

// --- Typing: the user's keystrokes, before the field is left ------------------------------------

TEST(FieldBindingTyping, RunsOnTheUsersKeystrokesNotOnTheProgramsText)
{
    QWidget window;
    auto *edit = new QLineEdit(&window);
    auto *memo = new QPlainTextEdit(&window);
    QStringList typed;
    widgets::BindTyping(edit, [&](QWidget *) { typed << "edit"; });
    widgets::BindTyping(memo, [&](QWidget *) { typed << "memo"; });
    edit->setText("12");
    memo->setPlainText("program");
    EXPECT_TRUE(typed.isEmpty());
    QTest::keyClick(edit, Qt::Key_5);
    EXPECT_EQ(typed, QStringList{"edit"});
    {
        widgets::FieldEventSuppressor quiet;
        QTest::keyClick(edit, Qt::Key_6);
    }
    EXPECT_EQ(typed.size(), 1);
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_A);
    EXPECT_EQ(typed, (QStringList{"edit", "memo"}));
}
