#pragma once

// The pages of the statistical accident card (Z-KW), page 1 and page 2 of each of its three
// models. Numbers the card asks for in digit boxes (REGON, the year of birth, the days of
// incapacity, the date and hour of the accident) are stored as one field each; the page
// writes one character of the value into each box. Their layouts are the tables
// frmStatKartWypP1_1 .. frmStatKartWypP2_3, written by tools/make_stat_card_layouts.py.

#include "printouts/form_page.h"

namespace printouts {

class TfrmStatKartWyp : public TFormPage
{
    Q_OBJECT

public:
    // One of the six pages ("frmStatKartWypP1_2").
    explicit TfrmStatKartWyp(const QString &name);

    // Boxes of one value: labels stem + 1 .. stem + count.
    struct DigitBoxes
    {
        const char *stem;
        int count;
        bool fromRight; // counts are written to the right, identifiers to the left
    };
    static const std::vector<DigitBoxes> &Boxes();
    // The characters of the boxes for a value: one per box, aligned as the boxes ask.
    // A value longer than the boxes keeps its leading surplus in the first box, so nothing
    // of it is lost on paper.
    static QStringList SplitIntoBoxes(const QString &value, int count, bool fromRight);

protected:
    void AfterFill() override;
};

} // namespace printouts
