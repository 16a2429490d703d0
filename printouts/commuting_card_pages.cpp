#include "printouts/commuting_card_pages.h"

namespace printouts {

using namespace reportengine;

TfrmWypadekDrogaP3::TfrmWypadekDrogaP3() : TFormPage(QStringLiteral("frmWypadekDrogaP3")) {}

void TfrmWypadekDrogaP3::AfterFill()
{
    // Under "odznacz" a finding hides the line of its own option; with none, both are hidden
    // and the justification's line, which only a finding may keep, goes with them.
    const TVRShape *is = Shape(QStringLiteral("RodzajWyp_1"));
    const TVRShape *isNot = Shape(QStringLiteral("RodzajWyp_2"));
    TVRShape *justification = Shape(QStringLiteral("Uzasadnienie_2"));
    if (is && isNot && justification && !is->Enabled() && !isNot->Enabled())
        justification->SetEnabled(false);
}

} // namespace printouts
