#include "printouts/training_pages.h"

#include "printouts/band_handlers.h"

#include "reportengine/vr_page_picture.h"
#include "reportengine/vr_text_metrics.h"

#include <algorithm>
#include <cmath>

namespace printouts {

using namespace reportengine;

TfrmQZaswiadczenie_P1::TfrmQZaswiadczenie_P1() : TFormPage(QStringLiteral("frmQZaswiadczenie_P1"))
{
    if (TVRCustomBand *band = Band(QStringLiteral("ChildBand1")))
        band->BeforePrint = [this](TVRCustomBand *b, bool &print) { ChildBand1BeforePrint(b, print); };
}

void TfrmQZaswiadczenie_P1::ChildBand1BeforePrint(TVRCustomBand *, bool &)
{
    TVRLabel *person = Label(QStringLiteral("vrlOsoba"));
    TVRLabel *completed = Label(QStringLiteral("vrlBylSluchacz"));
    TVRLabel *born = Label(QStringLiteral("vrlUr"));
    SetLabelCaption(person, QStringLiteral("Pan(i):"));
    SetLabelCaption(completed, QStringLiteral("ukończył(a):"));
    SetLabelCaption(born, QStringLiteral("urodzony(a) dnia:"));
    if (BlankForms())
        SetLabelCaption(Label(QStringLiteral("OpisDataMiejsce")), QString());
    const QString gender = LabelCaption(Label(QStringLiteral("Plec")));
    if (gender == CarrierWoman()) {
        SetLabelCaption(person, QStringLiteral("Pani:"));
        SetLabelCaption(completed, QStringLiteral("ukończyła:"));
        SetLabelCaption(born, QStringLiteral("urodzona dnia:"));
    } else if (gender == CarrierMan()) {
        SetLabelCaption(person, QStringLiteral("Pan:"));
        SetLabelCaption(completed, QStringLiteral("ukończył:"));
        SetLabelCaption(born, QStringLiteral("urodzony dnia:"));
    }
}

TfrmQZaswiadczenie_P2::TfrmQZaswiadczenie_P2() : TFormPage(QStringLiteral("frmQZaswiadczenie_P2"))
{
    for (int n = 1; n <= 10; ++n)
        if (TVRCustomBand *band = Band(QStringLiteral("ChildBand%1").arg(n + 1)))
            band->BeforePrint = [this, n](TVRCustomBand *b, bool &print) { RowBeforePrint(n, b, print); };
    if (TVRCustomBand *band = Band(QStringLiteral("ChildBand12")))
        band->BeforePrint = [this](TVRCustomBand *, bool &) { TotalsBeforePrint(); };
}

bool TfrmQZaswiadczenie_P2::ReadHours(const QString &text, double &hours)
{
    bool ok = false;
    hours = QString(text).replace(QLatin1Char(','), QLatin1Char('.')).trimmed().toDouble(&ok);
    return ok;
}

void TfrmQZaswiadczenie_P2::TotalsBeforePrint()
{
    if (BlankForms() || m_row == 0 || !m_sumsRead)
        return;
    const QString names[] = {QStringLiteral("SumaWyk"), QStringLiteral("SumaCw")};
    for (int i = 0; i < 2; ++i) {
        TVRLabel *total = Label(names[i]);
        if (!total || !total->Caption().trimmed().isEmpty())
            continue;
        // Written as the hours of its column were typed: with the decimal comma when any was.
        QString text = QString::number(m_sums[i], 'g', 10);
        if (m_comma[i])
            text.replace(QLatin1Char('.'), QLatin1Char(','));
        total->SetCaption(text);
    }
}

int TfrmQZaswiadczenie_P2::RowHeight(int lines, int fontHeight)
{
    // The rows were sized in 16-bit pixels; no topic a field holds comes near the limit.
    const long long height = static_cast<long long>(lines) * (4 - fontHeight) + 30;
    return int(std::clamp<long long>(height, 0, 32767));
}

void TfrmQZaswiadczenie_P2::RowBeforePrint(int n, TVRCustomBand *band, bool &)
{
    TVRLabel *topic = Label(QStringLiteral("Temat%1").arg(n));
    TVRLabel *number = Label(QStringLiteral("vrlLp%1").arg(n));
    const QStringList borderNames = {QStringLiteral("vrsLp%1").arg(n), QStringLiteral("vrsTemat%1").arg(n),
                                     QStringLiteral("vrsGodz%1").arg(n)};
    if (!topic || !number)
        return;
    if (BlankForms()) {
        // A blank table: every row, numbered in order, as designed (not as the last
        // document left it).
        band->Size().SetNativeHeight(DesignBandHeight(band));
        for (const QString &name : borderNames)
            if (TVRShape *border = Shape(name))
                border->Size().SetNativeHeight(DesignHeight(border));
        topic->Size().SetNativeHeight(DesignHeight(topic));
        number->SetCaption(QString::number(n));
        return;
    }
    const QString hours[] = {LabelCaption(Label(QStringLiteral("GodzWyk%1").arg(n))),
                             LabelCaption(Label(QStringLiteral("GodzCw%1").arg(n)))};
    // A row prints with anything typed in it: a topic with its lectures alone, or without
    // hours yet, is part of the programme all the same.
    if (topic->Caption().trimmed().isEmpty() && hours[0].trimmed().isEmpty() && hours[1].trimmed().isEmpty()) {
        // The row is left out, but the rows after it and the totals hang on it as its
        // children: it prints as nothing (no height, no control; the next fill brings
        // the controls back) rather than not at all, which would drop them too.
        band->Size().SetNativeHeight(0);
        for (TVRPrintable *p : band->Printables())
            p->SetEnabled(false);
        return;
    }
    const QFont font = topic->Font();
    // As many lines as the topic prints in: the rich-text count may be a line short of the
    // label's own breaking, and a row that short would cut the topic's end.
    const int lines =
        std::max(WrappedLineCount(topic->Caption(), topic->PixelWidth(), font), int(topic->FormattedLines().size()));
    const int fontHeight = -int(std::lround(font.pointSizeF() * 96 / 72));
    int height = RowHeight(lines, fontHeight);
    // A row never outgrows the sheet it runs on to, under the header naming the document
    // and the table's head: the rest of a topic that long is carried over.
    height = std::min(height, int(FurtherSheetRoom() * kPageFactor) - 1);
    band->Size().SetNativeHeight(PagePixelsToNative(height));
    for (const QString &name : borderNames)
        if (TVRShape *border = Shape(name))
            border->Size().SetNativeHeight(PagePixelsToNative(height));
    topic->Size().SetNativeHeight(
        std::min(PagePixelsToNative(lines * (4 - fontHeight)), PagePixelsToNative(height) - topic->Size().NativeTop()));
    number->SetCaption(QString::number(++m_row));
    for (int i = 0; i < 2; ++i) {
        // An empty cell adds nothing; one that is no number leaves the totals to the hand.
        double value = 0;
        if (hours[i].trimmed().isEmpty())
            continue;
        m_sumsRead = m_sumsRead && ReadHours(hours[i], value);
        m_sums[i] += value;
        m_comma[i] = m_comma[i] || hours[i].contains(QLatin1Char(','));
    }
}

TfrmQKartaSzkWst::TfrmQKartaSzkWst() : TFormPage(QStringLiteral("frmQKartaSzkWst"))
{
    for (int n = 2; n <= 5; ++n)
        if (TVRCustomBand *band = Band(QStringLiteral("VRSubDetail%1").arg(n + 1)))
            band->BeforePrint = [this, n](TVRCustomBand *, bool &print) { InstructionBeforePrint(n, print); };
}

void TfrmQKartaSzkWst::InstructionBeforePrint(int n, bool &printBand)
{
    if (LabelCaption(Label(QStringLiteral("Instr%1").arg(n))).trimmed().isEmpty()) {
        printBand = false;
        return;
    }
    SetLabelCaption(Label(QStringLiteral("vrlNrInstr%1").arg(n)), QString::number(++m_instruction));
}

} // namespace printouts
