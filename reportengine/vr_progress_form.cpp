#include "reportengine/vr_progress_form.h"

#include "reportengine/vr_printer.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

namespace reportengine {

TVRProgressForm::TVRProgressForm(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("VRProgressForm"));
    setWindowTitle(QStringLiteral("Printing progress"));
    setFixedSize(149, 97);
    Info = new QLabel(this);
    Info->setObjectName(QStringLiteral("Info"));
    Info->setGeometry(8, 8, 133, 16);
    Gauge = new QProgressBar(this);
    Gauge->setObjectName(QStringLiteral("Gauge"));
    Gauge->setGeometry(8, 30, 133, 18);
    Gauge->setRange(0, 100);
    Gauge->setValue(0);
    Gauge->setTextVisible(false);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setGeometry(37, 60, 75, 25);
    connect(CancelButton, &QPushButton::clicked, this, &TVRProgressForm::CancelClicked);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect s = screen->geometry();
        move(s.x() + (s.width() - width()) / 2, s.y() + (s.height() - height()) / 2);
    }
}

void TVRProgressForm::SetPrinter(TVRPrinter *printer)
{
    disconnect(m_connection);
    m_printer = printer;
    if (printer) {
        printer->Client = this;
        m_connection = connect(printer, &TVRPrinter::progressChanged, this, &TVRProgressForm::UpdateProgress);
    }
}

void TVRProgressForm::UpdateProgress(int percent)
{
    if (percent % 5 != 0)
        return;
    Gauge->setValue(qBound(0, percent, 100));
    Info->setText(QString::number(percent) + QStringLiteral("% ") + QStringLiteral(" Completed"));
    QCoreApplication::processEvents();
}

void TVRProgressForm::CancelClicked()
{
    if (m_printer)
        m_printer->Cancel();
}

} // namespace reportengine
