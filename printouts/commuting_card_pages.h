#pragma once

// The commuting accident card, page 3: the finding is struck out (the option not chosen
// gets its line) and so is the caption of the justification, unless the event was found
// not to be a commuting accident. With no finding (a blank form, or none chosen yet)
// nothing is struck: the card is left for the hand. Layout: frmWypadekDrogaP3.

#include "printouts/form_page.h"

namespace printouts {

class TfrmWypadekDrogaP3 : public TFormPage
{
    Q_OBJECT

public:
    TfrmWypadekDrogaP3();

protected:
    void AfterFill() override;
};

} // namespace printouts
