#pragma once

#include <QMainWindow>
#include <QPointer>

class QSplitter;

namespace shell {

// The main window: navigation bar on the left, the current view on the right, the
// toolbar and menu of the commands.
class TfrmMain : public QMainWindow
{
    Q_OBJECT
public:
    TfrmMain();
    ~TfrmMain() override;

    QWidget *pLeft = nullptr;
    QSplitter *splitMain = nullptr;
    QWidget *FEpCRight = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;
};

TfrmMain *frmMain();

} // namespace shell
