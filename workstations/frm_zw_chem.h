#pragma once

// The chemical substance panel of the factor catalogue: the substance chosen in the
// catalogue's list with its limit values and hazard statements, its hazard groups marked
// in blue, and the filters that list the substances of chosen groups (under the older
// classification or under CLP) or those whose name or CAS number holds a text.

#include "workstations/catalogue_panel.h"

#include <QPointer>
#include <QString>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;

namespace storage {
class TCzynChem;
} // namespace storage

namespace workstations {

class TfrmZwChem : public TCataloguePanel
{
    Q_OBJECT
public:
    TfrmZwChem();
    ~TfrmZwChem() override;

    QWidget *pDaneCzynChem = nullptr; // the panel the catalogue view docks
    QWidget *Panel4 = nullptr;        // the details
    QPlainTextEdit *mmNazwCzyn = nullptr;
    QLineEdit *eNrCas = nullptr;
    QLineEdit *eNDSDop = nullptr;
    QLineEdit *eNDSChDop = nullptr;
    QLineEdit *eNDSPDop = nullptr;
    QLineEdit *eZwrotyH = nullptr;
    QCheckBox *cbKlasCLP = nullptr;
    QGroupBox *Panel1 = nullptr; // groups of the older classification
    QPushButton *bPokaz = nullptr;
    QGroupBox *Panel2 = nullptr; // groups under CLP
    QPushButton *BitBtn1 = nullptr;
    QLineEdit *edSzukStr = nullptr;
    QPushButton *bbSzukaj = nullptr;

    // Shows the selected entry of the target list (the details are emptied when none is).
    void lbNazwCzChemClick();
    void ShowSelected() override { lbNazwCzChemClick(); }
    void cbKlasCLPClick();
    // One handler for every group box, found by its name.
    void CheckBoxClick(QCheckBox *box);
    // "Pokaż" lists by the groups alone: the search text, which no longer applies, goes.
    void bPokazClick();
    void bbSzukajClick();
    // The catalogue is listed whole again (another group, or "Aktualne" / "Wszystkie"): no
    // box stays ticked and no search text stays typed that the list does not follow.
    void ClearFilters();

    // The filters as they stand: hazard groups of the older classification (`typ` bits) and
    // under CLP (`typh` bits).
    qint64 HazardGroupMask() const { return m_oldMask; }
    qint64 ClpMask() const { return m_newMask; }
    // Whether the CLP groups are the ones shown (the state of cbKlasCLP).
    bool ClpGroupsShown() const { return m_clp; }
    QCheckBox *Box(const QString &name) const;
    // The narrowest the panel can be and still show every field and both columns of groups
    // whole, with no horizontal scroll bar.
    int FittingWidth() const;

private:
    struct BoxEntry
    {
        QCheckBox *box;
        bool clpPanel; // on Panel2
        bool typBit;   // the bit is one of `typ`, else of `typh`
        int bit;
    };
    void showEntry(const storage::TCzynChem *entry);
    void colourBoxes(int typ, int typh);
    void reread(const QString &search);
    void setClpMode(bool clp);

    QScrollArea *m_scroll = nullptr;
    std::vector<BoxEntry> m_boxes;
    qint64 m_oldMask = 0;
    qint64 m_newMask = 0;
    bool m_clp = true;
    int m_typ = 0;
    int m_typh = 0;
};

TfrmZwChem *frmZwChem();

} // namespace workstations
