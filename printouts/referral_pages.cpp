#include "printouts/referral_pages.h"

#include "printouts/band_handlers.h"

#include "reportengine/vr_text_metrics.h"

#include <algorithm>

namespace printouts {

using namespace reportengine;

namespace {

// The height a page gives its bands between the page header and the page footer.
double bandRoom(const TFormPage &page)
{
    const TVelRep *r = page.Report();
    const TVRPage &p = r->Page();
    double room = p.NativeValue(TVRPage::LengthValue) - p.NativeValue(TVRPage::TopMarginValue) -
                  p.NativeValue(TVRPage::BottomMarginValue);
    for (TVRCustomBand *band : r->BandList()) {
        const bool pageBand =
            band->BandType() == TVRBandType::rbPageHeader || band->BandType() == TVRBandType::rbPageFooter;
        if (!pageBand)
            continue;
        for (TVRCustomBand *b = band; b; b = b->ChildBand())
            room -= page.DesignBandHeight(b);
    }
    return room;
}

// The band, the value label and its frame as designed, then as high as the label's text
// needs (blank forms keep the design): never lower than designed, never higher than a page;
// what a page cannot hold goes on to the continuation sheet.
void growToText(TFormPage &page, TVRCustomBand *band, const QString &field)
{
    TVRLabel *label = page.Label(field);
    TVRShape *frame = page.Shape(QStringLiteral("vrs") + field);
    if (!band || !label)
        return;
    const double bandHeight = page.DesignBandHeight(band);
    const double labelHeight = page.DesignHeight(label);
    band->Size().SetNativeHeight(bandHeight);
    label->Size().SetNativeHeight(labelHeight);
    if (frame)
        frame->Size().SetNativeHeight(page.DesignHeight(frame));
    if (TFormPage::BlankForms())
        return;
    const TVRTextMeasure measure(label->Font());
    const double needed = PagePixelsToNative(double(label->FormattedLines().size()) * measure.LineHeight() + 2);
    const double extra = std::min(needed - labelHeight, bandRoom(page) - bandHeight);
    if (extra <= 0)
        return;
    band->Size().SetNativeHeight(bandHeight + extra);
    label->Size().SetNativeHeight(labelHeight + extra);
    if (frame)
        frame->Size().SetNativeHeight(page.DesignHeight(frame) + extra);
}

void bindGrowing(TFormPage &page, const QString &bandName, const QString &field)
{
    if (TVRCustomBand *band = page.Band(bandName))
        band->BeforePrint = [&page, field](TVRCustomBand *b, bool &) { growToText(page, b, field); };
}

} // namespace

TfrmQSkierBad_P1_1::TfrmQSkierBad_P1_1() : TFormPage(QStringLiteral("frmQSkierBad_P1_1"))
{
    if (TVRCustomBand *band = Band(QStringLiteral("bPracownik")))
        band->BeforePrint = [this](TVRCustomBand *b, bool &print) { bPracownikBeforePrint(b, print); };
    if (auto *workstation = qobject_cast<TVRSubDetail *>(Band(QStringLiteral("bStanowisko"))))
        workstation->OnNeedData() = [this](QObject *, bool &more) {
            more = !m_workstationGiven;
            m_workstationGiven = true;
        };
    bindGrowing(*this, QStringLiteral("VRSubDetail1"), QStringLiteral("InforCzynn"));
    bindGrowing(*this, QStringLiteral("bDodInfo"), QStringLiteral("DodInform"));
}

void TfrmQSkierBad_P1_1::bPracownikBeforePrint(TVRCustomBand *, bool &)
{
    const QString gender = LabelCaption(Label(QStringLiteral("Plec")));
    QString person = QStringLiteral("Niniejszym kierujemy Pana(ią):");
    QString living = QStringLiteral("zamieszkałego(ą): ");
    QString born = QStringLiteral("urodzonego(ą):");
    if (gender == CarrierWoman()) {
        person = QStringLiteral("Niniejszym kierujemy Panią:");
        living = QStringLiteral("zamieszkałą:");
        born = QStringLiteral("urodzoną:");
    } else if (gender == CarrierMan()) {
        person = QStringLiteral("Niniejszym kierujemy Pana:");
        living = QStringLiteral("zamieszkałego:");
        born = QStringLiteral("urodzonego:");
    }
    SetLabelCaption(Label(QStringLiteral("vrlOsoba")), person);
    SetLabelCaption(Label(QStringLiteral("vrlZam")), living);
    SetLabelCaption(Label(QStringLiteral("vrlUr")), born);
    // A referral without a title (a blank form) is still a referral.
    TVRLabel *title = Label(QStringLiteral("TytSkier"));
    if (title && title->Caption().trimmed().isEmpty())
        title->SetCaption(QStringLiteral("SKIEROWANIE NA BADANIE LEKARSKIE"));
}

TfrmQSkierBad_P1_2::TfrmQSkierBad_P1_2() : TFormPage(QStringLiteral("frmQSkierBad_P1_2"))
{
    if (TVRCustomBand *band = Band(QStringLiteral("bPracownik")))
        band->BeforePrint = [this](TVRCustomBand *b, bool &print) { bPracownikBeforePrint(b, print); };
    if (TVRLabel *kind = Label(QStringLiteral("RodzBad")))
        kind->OnPrint = &TfrmQSkierBad_P1_2::RodzBadPrint;
    const QStringList growing = {QStringLiteral("OpisWarPracy"), QStringLiteral("CzynFiz"),
                                 QStringLiteral("Pyly"),         QStringLiteral("CzynChem"),
                                 QStringLiteral("CzynBiol"),     QStringLiteral("InneCzynn")};
    for (int i = 0; i < growing.size(); ++i)
        bindGrowing(*this, QStringLiteral("ChildBand%1").arg(i + 7), growing[i]);
}

bool TfrmQSkierBad_P1_2::PeselPlace(const QString &kind, int &left, int &lineLeft, int &lineWidth)
{
    struct Place
    {
        const char *kind;
        int left, lineLeft, lineWidth;
    };
    static const Place places[] = {
        {"nr PESEL", 80, 78, 600}, {"dokument tożsamości", 140, 138, 540}, {"data urodzenia", 107, 105, 572}};
    for (const Place &p : places)
        if (kind == QString::fromUtf8(p.kind)) {
            left = p.left;
            lineLeft = p.lineLeft;
            lineWidth = p.lineWidth;
            return true;
        }
    return false;
}

void TfrmQSkierBad_P1_2::RodzBadPrint(QObject *, QString &value)
{
    value = value.trimmed().isEmpty() ? QStringLiteral("(wstępne/okresowe/kontrolne*)")
                                      : QLatin1Char('(') + value + QLatin1Char(')');
}

void TfrmQSkierBad_P1_2::bPracownikBeforePrint(TVRCustomBand *, bool &)
{
    // Every caption is set afresh, so one print never carries into the next.
    const QString gender = LabelCaption(Label(QStringLiteral("Plec")));
    const bool employed = LabelCaption(Label(QStringLiteral("Osoba"))) == QLatin1String("zatrudniona");
    QString person = QStringLiteral("Pana(ią) ");
    QString living = QStringLiteral("zamieszkałego(ą) ");
    QString work = employed ? QStringLiteral("zatrudnionego(ą) ") : QStringLiteral("podejmującego(ą) pracę ");
    if (gender == CarrierWoman()) {
        person = QStringLiteral("Panią ");
        living = QStringLiteral("zamieszkałą ");
        work = employed ? QStringLiteral("zatrudnioną ") : QStringLiteral("podejmującą pracę ");
    } else if (gender == CarrierMan()) {
        person = QStringLiteral("Pana ");
        living = QStringLiteral("zamieszkałego ");
        work = employed ? QStringLiteral("zatrudnionego ") : QStringLiteral("podejmującego pracę ");
    }
    if (BlankForms())
        work = QStringLiteral("zatrudnionego(ą) lub podejmującego(ą) pracę ");
    SetLabelCaption(Label(QStringLiteral("vrlOsoba")), person);
    SetLabelCaption(Label(QStringLiteral("vrlZam")), living);
    SetLabelCaption(Label(QStringLiteral("vrlOsobaPraca")),
                    work + QStringLiteral("na stanowisku lub stanowiskach pracy: "));

    TVRLabel *kind = Label(QStringLiteral("RodzajDanych"));
    TVRLabel *pesel = Label(QStringLiteral("Pesel"));
    TVRShape *line = Shape(QStringLiteral("vrsPesel"));
    if (!kind || !pesel || !line)
        return;
    // A blank form offers the PESEL (its footnote names the other data).
    if (BlankForms())
        kind->SetCaption(QStringLiteral("nr PESEL**"));
    int left = 0, lineLeft = 0, lineWidth = 0;
    // Any other kind keeps the place the form was laid out with, which is the PESEL's.
    if (!PeselPlace(kind->Caption(), left, lineLeft, lineWidth))
        PeselPlace(QStringLiteral("nr PESEL"), left, lineLeft, lineWidth);
    pesel->Size().SetNativeLeft(PagePixelsToNative(left));
    line->Size().SetNativeLeft(PagePixelsToNative(lineLeft));
    line->Size().SetNativeWidth(PagePixelsToNative(lineWidth));
}

} // namespace printouts
