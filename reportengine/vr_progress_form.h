#pragma once

// The window shown while a report is printed or exported: the percent done and a Cancel
// that stops the output object. It moves only at multiples of 5 %, and lets pending
// events through when it does, so that Cancel can be pressed while the run goes on.

#include <QDialog>
#include <QPointer>

class QLabel;
class QProgressBar;
class QPushButton;

namespace reportengine {

class TVRPrinter;

class TVRProgressForm : public QDialog
{
    Q_OBJECT

public:
    explicit TVRProgressForm(QWidget *parent = nullptr);

    // The output object whose progress is shown (not owned; it may go first).
    void SetPrinter(TVRPrinter *printer);
    TVRPrinter *Printer() const { return m_printer; }

    // The output object's progress message.
    void UpdateProgress(int percent);

    QLabel *Info = nullptr;
    QProgressBar *Gauge = nullptr;
    QPushButton *CancelButton = nullptr;

private:
    void CancelClicked();

    QPointer<TVRPrinter> m_printer;
    QMetaObject::Connection m_connection;
};

} // namespace reportengine
