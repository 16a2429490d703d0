#pragma once

// The commuting accident card, page 3: the finding is struck out (the option not chosen
// gets its line) and so is the caption of the justification, unless the event was found
// not to be a commuting accident. With no finding (a blank form, or none chosen yet)
// nothing is struck: the card is left for the hand. A justification typed for an event
// found to be a commuting accident never prints under its struck caption: the box stays
// empty, and the user is asked before the print whether to print the card so.
// Layout: frmWypadekDrogaP3.

#include "printouts/form_page.h"

namespace printouts {

class TfrmWypadekDrogaP3 : public TFormPage
{
    Q_OBJECT

public:
    TfrmWypadekDrogaP3();

    QString DocumentNotice() const override;

protected:
    void AfterFill() override;
};

} // namespace printouts
