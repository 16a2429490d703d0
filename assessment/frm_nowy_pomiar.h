#pragma once

// "Dane pomiarowe czynnika": the dialog behind New and Modify of the measurement window. New
// adds a measurement of the selected factor in date order; Modify changes the date and the
// description of the selected one.

#include <QDialog>
#include <QPointer>
#include <functional>

class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace assessment {

class TfrmRyzZakl;

class TfrmNowyPomiar : public QDialog
{
    Q_OBJECT
public:
    TfrmNowyPomiar();

    QDateEdit *dtPicker = nullptr;
    QLineEdit *eMscPom = nullptr;
    QLineEdit *eWykPom = nullptr;
    QLineEdit *eMetPom = nullptr;
    QPlainTextEdit *mInterWyn = nullptr;
    QPushButton *bOk = nullptr;
    QPushButton *bAnul = nullptr;

    // The measurement window it works for (New and Modify of that window set it); without
    // one the dialog does nothing.
    QPointer<TfrmRyzZakl> Window;

    // 1: a new measurement; 2: the selected one modified. True when the dialog was confirmed
    // and its data applied.
    bool Execute(int mode);
    int Mode() const { return m_mode; }

    // The date text as measurements store it: yyyy-MM-dd.
    QString DateText() const;

    // Runs the dialog modally and returns its result; tests replace it with a script that
    // fills the fields and presses a button. Returns the previous runner.
    using Runner = std::function<int(TfrmNowyPomiar &)>;
    static Runner SetRunner(Runner runner);

    // OK: refused (with the message, the focus on the date) while another listed
    // measurement has the chosen date.
    void accept() override;
    bool bOkClick();

private:
    TfrmRyzZakl *window() const;
    bool executeNew();
    bool executeModify();
    int m_mode = 1;
};

TfrmNowyPomiar *frmNowyPomiar();

} // namespace assessment
