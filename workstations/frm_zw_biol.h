#pragma once

// The biological agent panel of the factor catalogue: the agent chosen in the catalogue's
// list with its hazard group, its kind marked in blue, and the filter that lists the agents
// of the chosen kinds.

#include "workstations/catalogue_panel.h"

#include <QPointer>
#include <QString>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace workstations {

class TfrmZwBiol : public TCataloguePanel
{
    Q_OBJECT
public:
    TfrmZwBiol();
    ~TfrmZwBiol() override;

    QWidget *pDaneCzynBiol = nullptr; // the panel the catalogue view docks
    QWidget *Panel4 = nullptr;        // the details
    QPlainTextEdit *mmNazwCzyn = nullptr;
    QLabel *lOpGrZagr = nullptr;
    QLineEdit *eGrZagr = nullptr;
    QLabel *lOznDod = nullptr;
    QLineEdit *eOznDod = nullptr;
    QLabel *lGrZagr = nullptr;
    QGroupBox *Panel5 = nullptr; // the kinds
    QCheckBox *cbBakterie = nullptr;
    QCheckBox *cbWirusy = nullptr;
    QCheckBox *cbPasozyty = nullptr;
    QCheckBox *cbGrzyby = nullptr;
    QPushButton *bPokaz = nullptr;

    // Shows the selected entry of the target list (the details are emptied when none is).
    void lbNazwCzBiolClick();
    void ShowSelected() override { lbNazwCzBiolClick(); }
    void bPokazClick();
    // "0" followed by the digit of each kind ticked, in the order of the boxes.
    QString KindFilter() const;
};

TfrmZwBiol *frmZwBiol();

} // namespace workstations
