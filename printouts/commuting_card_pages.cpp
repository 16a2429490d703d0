#include "printouts/commuting_card_pages.h"

#include "printouts/form_filler.h"
#include "printouts/frm_wydruk.h"

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
    // A struck caption strikes its text too: what is typed under it is no justification.
    if (justification && justification->Enabled())
        if (TVRLabel *text = Label(QStringLiteral("Uzasadnienie")))
            text->SetCaption(QString());
}

QString TfrmWypadekDrogaP3::DocumentNotice() const
{
    if (BlankForms())
        return QString();
    const TfrmWydruk *w = frmWydruk();
    if (BracketCode(w->GetDocumentFieldValue(QStringLiteral("RodzajWyp"))) != QLatin1String("1") ||
        w->GetDocumentFieldValue(QStringLiteral("Uzasadnienie")).trimmed().isEmpty())
        return QString();
    return QStringLiteral("Uzasadnienie podaje się tylko wtedy, gdy zdarzenia nie uznano za wypadek w drodze do "
                          "pracy lub z pracy. Przy ustaleniu „jest wypadkiem w drodze do pracy lub z pracy” "
                          "wpisane uzasadnienie nie zostanie wydrukowane.");
}

} // namespace printouts
