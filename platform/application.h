#pragma once

#include <QApplication>

namespace platform {

// The application object. An exception that escapes an event handler is shown in an
// error box titled "Tarvelin" and the program goes on, as a user of this program expects
// from a desktop application; Qt itself would terminate.
class TarvelinApplication : public QApplication
{
public:
    TarvelinApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};

// Shows the error of an escaped exception; also used by code that catches at its own
// boundary (a timer slot, a queued call).
void ShowEscapedError(const QString &text);

} // namespace platform
