#include "shell/frm_main.h"

#include "platform/window_registry.h"
#include "widgets/form_geometry.h"

#include <QApplication>
#include <QCloseEvent>
#include <QSplitter>
#include <QStatusBar>

namespace shell {

TfrmMain::TfrmMain()
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Tarvelin"));
    resize(752, 600);

    splitMain = new QSplitter(Qt::Horizontal, this);
    splitMain->setObjectName(QStringLiteral("splitMain"));
    splitMain->setChildrenCollapsible(false);
    pLeft = new QWidget(splitMain);
    pLeft->setObjectName(QStringLiteral("pLeft"));
    pLeft->setMinimumWidth(60);
    FEpCRight = new QWidget(splitMain);
    FEpCRight->setObjectName(QStringLiteral("FEpCRight"));
    FEpCRight->setMinimumWidth(60);
    splitMain->addWidget(pLeft);
    splitMain->addWidget(FEpCRight);
    splitMain->setSizes({113, 752 - 113});
    setCentralWidget(splitMain);
    statusBar()->setObjectName(QStringLiteral("StatusBar1"));

    widgets::RestoreFormGeometry(this);
}

TfrmMain::~TfrmMain()
{
    widgets::SaveFormGeometry(this, pLeft);
}

void TfrmMain::closeEvent(QCloseEvent *event)
{
    event->accept();
    // Closing the main window ends the program even while other windows exist.
    QApplication::quit();
}

TfrmMain *frmMain()
{
    static QPointer<TfrmMain> slot;
    return platform::WindowSingleton(slot);
}

} // namespace shell
