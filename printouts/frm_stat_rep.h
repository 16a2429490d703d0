#pragma once

// The wait window shown while a workstation report makes its pages: a maroon box without
// a frame in the middle of the screen whose white "Proszę czekać - trwa proces
// przygotowania raportu !" blinks every 300 ms. The blinking runs from the event loop, so
// it goes on while the report engine lets events through (at every record).
//
// It stays above the program's windows but never takes the mouse or the keyboard (no
// popup): an outside click does not close it.

#include <QPointer>
#include <QWidget>

class QLabel;
class QTimer;

namespace printouts {

class TfrmStatRep : public QWidget
{
    Q_OBJECT
public:
    TfrmStatRep();

    QLabel *lUwaga = nullptr;
    QTimer *BlinkTimer = nullptr;

    void BlinkTimerTimer();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
};

TfrmStatRep *frmStatRep();

} // namespace printouts
