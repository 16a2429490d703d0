#pragma once

#include <QDialog>
#include <functional>

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

// A progress report that drives the progress window: called with the caption and done = 0
// at the start, then with the steps done; done == total ends it (the window hides).
std::function<void(const QString &caption, int done, int total)> ProgressWindowReport();

} // namespace widgets
