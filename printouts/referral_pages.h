#pragma once

// The referral for a medical examination in its two models. Both word the person's lines
// for a woman, a man or, when the document does not say (blank forms), for either
// (carrier Plec); the later model also for one employed or taking up work (carrier Osoba),
// places the identification data after the kind the document names (RodzajDanych) and
// prints the kind of examination in brackets. Their descriptions of the working
// conditions take the room their text needs: a long one goes on to a second sheet rather
// than being cut. Layouts: frmQSkierBad_P1_1 and frmQSkierBad_P1_2.

#include "printouts/form_page.h"

namespace printouts {

class TfrmQSkierBad_P1_1 : public TFormPage
{
    Q_OBJECT

public:
    TfrmQSkierBad_P1_1();

    // "Niniejszym kierujemy Pana:" / "Panią:" / "Pana(ią):" and the lines that agree with it.
    void bPracownikBeforePrint(reportengine::TVRCustomBand *band, bool &printBand);

protected:
    void AfterFill() override { m_workstationGiven = false; }

private:
    // The workstation is the one record of its section, so the section's heading
    // (the group header vrbNagl) prints before it.
    bool m_workstationGiven = false;
};

class TfrmQSkierBad_P1_2 : public TFormPage
{
    Q_OBJECT

public:
    TfrmQSkierBad_P1_2();

    // The person's wording, set afresh at every print, and the place of the identification data.
    void bPracownikBeforePrint(reportengine::TVRCustomBand *band, bool &printBand);
    // The kind of examination as printed: "(okresowe)"; with none, the form's own choice.
    static void RodzBadPrint(QObject *sender, QString &value);

    // Left of Pesel, left and width of its dotted line (page pixels) for a kind of
    // identification data; false for a kind the form does not know.
    static bool PeselPlace(const QString &kind, int &left, int &lineLeft, int &lineWidth);
};

} // namespace printouts
