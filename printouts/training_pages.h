#pragma once

// The pages of the training documents: the training certificate (page 1 with the
// person's data in the wording of their gender, page 2 with the programme table) and the
// initial training card (workstation instructions 2 to 5 only when filled, numbered on
// from 2). Their layouts are the tables frmQZaswiadczenie_P1, frmQZaswiadczenie_P2 and
// frmQKartaSzkWst; the classes add the band handlers.

#include "printouts/form_page.h"

namespace printouts {

class TfrmQZaswiadczenie_P1 : public TFormPage
{
    Q_OBJECT

public:
    TfrmQZaswiadczenie_P1();

    // "Pan(i):", "ukończył(a):", "urodzony(a) dnia:" in the wording the carrier Plec asks for.
    void ChildBand1BeforePrint(reportengine::TVRCustomBand *band, bool &printBand);
};

class TfrmQZaswiadczenie_P2 : public TFormPage
{
    Q_OBJECT

public:
    TfrmQZaswiadczenie_P2();

    // Row n (1..10) of the programme: printed when anything is typed in it (a topic with
    // one of its hours empty too), numbered on, as high as the topic's lines; on blank forms
    // every row, numbered n, at its design height. A row left out never takes the rows after
    // it or the totals along.
    void RowBeforePrint(int n, reportengine::TVRCustomBand *band, bool &printBand);
    // The row height in page pixels for a topic of `lines` lines in a font of that (negative)
    // height, as the programme table always sized its rows.
    static int RowHeight(int lines, int fontHeight);
    // The "Razem" row: a total the document leaves empty is the sum of the hours of the rows
    // printed, when each reads as a number ("1,5" as 1.5; an empty cell as none), written
    // with the decimal comma when the column's hours were typed with one; the document's
    // own total as typed.
    void TotalsBeforePrint();
    // An hour count as the rows hold it, the decimal comma taken for the point.
    static bool ReadHours(const QString &text, double &hours);

protected:
    void AfterFill() override
    {
        m_row = 0;
        m_sums[0] = m_sums[1] = 0;
        m_comma[0] = m_comma[1] = false;
        m_sumsRead = true;
    }

private:
    int m_row = 0;
    double m_sums[2] = {0, 0}; // lectures, exercises of the rows printed
    bool m_sumsRead = true;    // every hour count of those rows read as a number
    bool m_comma[2] = {false, false}; // some hours of the column typed with the decimal comma
};

class TfrmQKartaSzkWst : public TFormPage
{
    Q_OBJECT

public:
    TfrmQKartaSzkWst();

    // Instruction n (2..5): printed only when its workstation is filled, numbered on.
    void InstructionBeforePrint(int n, bool &printBand);

protected:
    void AfterFill() override { m_instruction = 1; }

private:
    int m_instruction = 1;
};

} // namespace printouts
