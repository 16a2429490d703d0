#include "widgets/progress_dialog.h"

#include "platform/window_registry.h"

#include <QGuiApplication>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

namespace widgets {

TfrmProgres::TfrmProgres()
{
    setObjectName(QStringLiteral("frmProgres"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(360, 60);
    auto *layout = new QVBoxLayout(this);
    pb = new QProgressBar(this);
    pb->setObjectName(QStringLiteral("pb"));
    layout->addWidget(pb);
}

void TfrmProgres::Start(const QString &caption, int minimum, int maximum)
{
    setWindowTitle(caption);
    pb->setRange(minimum, maximum);
    pb->setValue(minimum);
    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    repaint();
}

void TfrmProgres::SetPosition(int position)
{
    pb->setValue(position);
    pb->repaint();
}

void TfrmProgres::Finish()
{
    hide();
}

TfrmProgres *frmProgres()
{
    static QPointer<TfrmProgres> slot;
    return platform::WindowSingleton(slot);
}

std::function<void(const QString &caption, int done, int total)> ProgressWindowReport()
{
    return [](const QString &caption, int done, int total) {
        TfrmProgres *window = frmProgres();
        if (done == 0)
            window->Start(caption, 0, total);
        else
            window->SetPosition(done);
        if (done >= total)
            window->Finish();
    };
}

} // namespace widgets
