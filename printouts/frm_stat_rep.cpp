#include "printouts/frm_stat_rep.h"

#include "platform/window_registry.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace printouts {

TfrmStatRep::TfrmStatRep() : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmStatRep"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0x80, 0x00, 0x00));
    p.setColor(QPalette::WindowText, Qt::white);
    setPalette(p);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 18, 24, 18);
    lUwaga = new QLabel(QStringLiteral("Proszę czekać - trwa proces przygotowania raportu !"), this);
    lUwaga->setObjectName(QStringLiteral("lUwaga"));
    QFont bold = lUwaga->font();
    bold.setBold(true);
    bold.setPointSize(12);
    lUwaga->setFont(bold);
    lUwaga->setAlignment(Qt::AlignCenter);
    // The label keeps its place while it is hidden, so the window does not shrink.
    QSizePolicy keep = lUwaga->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    lUwaga->setSizePolicy(keep);
    layout->addWidget(lUwaga);
    setFixedSize(sizeHint());

    BlinkTimer = new QTimer(this);
    BlinkTimer->setObjectName(QStringLiteral("BlinkTimer"));
    BlinkTimer->setInterval(300);
    connect(BlinkTimer, &QTimer::timeout, this, &TfrmStatRep::BlinkTimerTimer);
}

void TfrmStatRep::BlinkTimerTimer()
{
    lUwaga->setHidden(!lUwaga->isHidden());
    repaint();
}

void TfrmStatRep::showEvent(QShowEvent *event)
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    lUwaga->setVisible(true);
    BlinkTimer->start();
    QWidget::showEvent(event);
}

void TfrmStatRep::hideEvent(QHideEvent *event)
{
    BlinkTimer->stop();
    QWidget::hideEvent(event);
}

TfrmStatRep *frmStatRep()
{
    static QPointer<TfrmStatRep> slot;
    return platform::WindowSingleton(slot);
}

} // namespace printouts
