#pragma once

// The length limits of input fields: line edits (also a grid's cell editor) and plain-text
// edits (memos). One mechanism for every field with a limit, the run-time pages built from
// definitions included.
//
// What it guarantees:
//   * The limit holds for what the user puts in: typing, pasting, dropping, and a text the
//     program inserts as if typed (InsertAsTyped). Only what would not fit is left out, and
//     the user is told each time - naming the field by its caption, with its limit - once the
//     edit is over (a message box in the middle of an edit would take the focus from it).
//     The part that fits is kept and the cursor stands where the text was cut, in view.
//   * A text the program sets (a stored value, a rule's result) is kept whole, also when it
//     is longer than the limit: showing a field never changes what it holds. Such a text can
//     be shortened by the user; a keystroke never makes it shorter by itself.
//   * At the limit, further keystrokes are refused; the user is told once, not at every key,
//     until the text changes.
//   * Another validator already set on a line edit keeps working: the limit is applied
//     first and that validator then sees the text as it would be stored.

#include <QString>

class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace widgets {

// Limits a line edit to maxLength characters (0 or less: no limit). Caption names the field
// in the message; when empty, the caption is found from the edit (FieldCaption).
void SetEditMaxLength(QLineEdit *edit, int maxLength, const QString &caption = QString());
// The limit SetEditMaxLength gave the edit; 0 when it has none.
int EditMaxLength(const QLineEdit *edit);

// Limits a plain-text edit (no limit of its own) to maxLength characters (0 or less: none).
void SetMemoMaxLength(QPlainTextEdit *memo, int maxLength, const QString &caption = QString());
// The limit SetMemoMaxLength gave the memo; 0 when it has none.
int MemoMaxLength(const QPlainTextEdit *memo);
// Sets a text the program holds (a stored value) whole, also when it is longer than the
// memo's limit.
void SetMemoText(QPlainTextEdit *memo, const QString &text);

// The limit of a line edit or memo set above (0: none), and the caption its message uses:
// the one given, else the text of a label that names the field as its buddy or in a form
// layout, else the object name; without a trailing colon.
int FieldMaxLength(const QWidget *editor);
QString FieldCaption(const QWidget *editor);

// Replaces the whole text of a line edit or memo with text as if the user had typed it: the
// limit applies and a cut is told. Returns whether the text went in whole.
bool InsertAsTyped(QWidget *editor, const QString &text);

// The message of a limit: "Pole „caption” mieści najwyżej N znaków." and, when part of an
// insertion was left out, how much of it went in and how much did not.
QString FieldLimitMessage(const QString &caption, int maxLength, int inserted, int leftOut);

} // namespace widgets
