#pragma once

// The one binding layer between run-time built input controls and their field handlers,
// used by every window that builds its pages from a definition file (the measurement
// window, the document window).
//
// What it guarantees:
//   * "Exit" (commit on leaving a field) runs on focus-out, every time, changed or not.
//     It does NOT run when the focus leaves because a message box opened
//     (platform::MessageBoxActive()), another window became active
//     (Qt::ActiveWindowFocusReason) or a popup opened (Qt::PopupFocusReason): exit means
//     the focus moved between controls of the same window. Otherwise a message box shown
//     from inside an exit handler would run that handler again, nested.
//     Not editingFinished: that one fires only when the text changed.
//   * "Enter" runs on focus-in (same reasons ignored) and then the global enter hook, which
//     the program points at the main window's last-editor memory (LastWinCtrl). This
//     library cannot see the application state, hence the hook.
//   * Combo "change" runs on the user's choice only (QComboBox::activated); a program that
//     sets the current index raises nothing.
//   * Check box "click" runs on every change of its state, the user's or the program's
//     (QAbstractButton::toggled), as the measurement rules expect when they tick a box.
//     Block the box's signals (QSignalBlocker) to set it without raising the handler.
//   * Plain button "click" runs on the user's click only (QAbstractButton::clicked).
//   * "Typing" runs on every change of an editor's text the user makes (each keystroke, a
//     paste), before the field is left: a line edit's textEdited, a plain-text edit's
//     change while it has the focus. The program's own setText raises nothing.
//   * Focus moving into a control's own child (a grid's cell editor) is no exit of it.
//   * CommitField(w) runs the handler registered for w as its commit (exit of an editor,
//     change of a combo, click of a check box) with w as sender: the main window's
//     "confirm pending changes" before a command, since toolbar commands take no focus. A
//     grid's cell editor still open is committed into the grid first
//     (CommitOpenCellEditor), so the handler sees what the cell shows.
//   * A handler never runs for a control that is being destroyed (a page rebuild deletes a
//     focused edit) nor while a FieldEventSuppressor is alive, and an exit handler is never
//     re-entered for the same control.
//
// Handlers get the control itself as sender; they find their field by objectName.
// Exceptions from handlers are not caught here: they reach the event boundary (or the
// caller of CommitField).

#include "widgets/field_limits.h"

#include <QString>
#include <functional>

class QWidget;
class QComboBox;
class QAbstractButton;

namespace widgets {

using FieldHandler = std::function<void(QWidget *sender)>;

// The hook every bound control's enter runs after its own enter handler (may be empty).
// Returns the previous hook.
FieldHandler SetFieldEnterHook(FieldHandler hook);

// Exit (focus-out) handler of an editor: line edit, plain-text edit, date edit, table.
// Also becomes the control's commit handler.
void BindExit(QWidget *editor, FieldHandler onExit);

// Enter (focus-in) handler of any input; the global enter hook runs as well, also when
// onEnter is empty.
void BindEnter(QWidget *control, FieldHandler onEnter = {});

// User-only selection change of a combo box; also its commit handler.
void BindComboChange(QComboBox *combo, FieldHandler onChange);

// Check box click, raised by user and program changes of the state; also its commit
// handler.
void BindCheckClick(QAbstractButton *checkBox, FieldHandler onClick);

// User-only click of a push or tool button.
void BindButtonClick(QAbstractButton *button, FieldHandler onClick);

// The user changes the text of a line edit or plain-text edit (not a commit handler).
void BindTyping(QWidget *editor, FieldHandler onTyped);

// Runs the commit handler registered for control (nothing when control is null, being
// destroyed, or has none). Returns whether a handler ran.
bool CommitField(QWidget *control);

// Whether control has a commit handler.
bool HasCommitHandler(QWidget *control);

// Puts the text of the cell editor open in an item view (control, or the item view control
// is the editor of) into its model, leaving the editor open: a toolbar command takes no
// focus, so the editor would otherwise keep what the user typed to itself. Returns whether
// an editor was open. The delegate decides what it stores (it may refuse a value).
bool CommitOpenCellEditor(QWidget *control);
// The cell editor open at the current cell of the item view control (or the item view control
// stands in); null when none is open.
QWidget *OpenCellEditor(QWidget *control);

// Gives the focus back to control after the current event is done (an exit handler that
// refuses the input must not move the focus while the focus change is in progress).
void ReturnFocusLater(QWidget *control);

// While alive, no bound handler runs (building or clearing pages).
class FieldEventSuppressor
{
public:
    FieldEventSuppressor();
    ~FieldEventSuppressor();
    FieldEventSuppressor(const FieldEventSuppressor &) = delete;
    FieldEventSuppressor &operator=(const FieldEventSuppressor &) = delete;
};
bool FieldEventsSuppressed();

} // namespace widgets
