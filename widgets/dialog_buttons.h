#pragma once

// The row of a dialog's two closing buttons, as every dialog of the program shows it:
// right-aligned under the dialog's contents, the button that acts first ("OK", "Wydruk"),
// then the one that closes the dialog without acting ("Anuluj", "Zamknij"), which rejects
// it. The buttons keep the object names the program knows them by.

#include <QString>

class QBoxLayout;
class QDialog;
class QPushButton;

namespace widgets {

struct TDialogButton
{
    const char *name;
    QString text;
};

struct TDialogButtons
{
    QPushButton *accept = nullptr;
    QPushButton *reject = nullptr;
};

// Adds the row to layout and returns its buttons. What the first one does is the
// dialog's to connect; it is the dialog's default button unless acceptIsDefault is false.
TDialogButtons AddDialogButtons(QDialog *dialog, QBoxLayout *layout,
                                const TDialogButton &accept = {"bOk", QStringLiteral("OK")},
                                const TDialogButton &reject = {"bAnul", QStringLiteral("Anuluj")},
                                bool acceptIsDefault = true);

} // namespace widgets
