#pragma once

#include <QApplication>

class QTranslator;

namespace platform {

// The application object. An exception that escapes an event handler is shown in an
// error box titled "Tarvelin" and the program goes on, as a user of this program expects
// from a desktop application; Qt itself would terminate. Qt's own dialogs speak Polish
// from the start (InstallQtPolishTranslation).
class TarvelinApplication : public QApplication
{
public:
    TarvelinApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};

// Shows the error of an escaped exception; also used by code that catches at its own
// boundary (a timer slot, a queued call).
void ShowEscapedError(const QString &text);

// Qt's own dialogs (print, page setup, file) and texts in Polish, like the rest of the
// program: the system's translation of Qt ("qtbase_pl", Debian package
// qt6-translations-l10n) is installed into the running application. Where the system has
// none they stay in English. Returns the translator installed (owned by the
// application), or nullptr.
QTranslator *InstallQtPolishTranslation();

} // namespace platform
