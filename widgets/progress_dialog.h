#pragma once

#include <QDialog>

class QProgressBar;

namespace widgets {

// The shared progress window: fixed size, centred on the screen, a caption and one bar
// `pb`. Long synchronous work (a tree build, the workstation upgrade) sets it and repaints
// it without dispatching user input.
class TfrmProgres : public QDialog
{
    Q_OBJECT
public:
    TfrmProgres();
    QProgressBar *pb = nullptr;

    void Start(const QString &caption, int minimum, int maximum);
    void SetPosition(int position);
    void Finish();
};

TfrmProgres *frmProgres();

} // namespace widgets
