#include "printouts/workstation_report_layout.h"

#include <QDate>

#include <algorithm>
#include <cmath>

namespace printouts {

using namespace reportengine;

QFont ReportFont(int points, bool bold)
{
    QFont font(QStringLiteral("Arial"), points);
    font.setBold(bold);
    return font;
}

int FontHeight(const QFont &font)
{
    return -int(std::lround(font.pointSizeF() * 96.0 / 72.0));
}

void SetUpWorkstationReport(TVelRep &report, const QString &name, const QString &title)
{
    report.setObjectName(name);
    report.ReportTitle = title;
    report.SetUnits(TVRUnit::MM);
    report.Page().SetPaperSize(TVRPaperSize::A4);
    report.Page().SetOrientation(TPrinterOrientation::poPortrait);
    report.Page().SetTopMargin(10);
    report.Page().SetBottomMargin(10);
    report.Page().SetLeftMargin(10);
    report.Page().SetRightMargin(10);
    report.SetFont(ReportFont(10));
    report.Options = FirstPageHeader | LastPageFooter;
    report.ShowProgress = false;
    report.SetPrintIfEmpty(false);
}

namespace {

double nativeOfPixels(int pixels)
{
    return pixels * 254.0 / 96.0;
}

template <class B> B *named(B *band, const QString &name, int height)
{
    band->setObjectName(name);
    band->Size().SetNativeHeight(nativeOfPixels(height));
    return band;
}

template <class C> C *placed(C *control, const QString &name, const QRect &at, const QFont &font)
{
    if (!name.isEmpty())
        control->SetName(name);
    control->SetFont(font);
    Place(control, at.x(), at.y(), at.width(), at.height());
    return control;
}

} // namespace

TVRBand *AddBand(TVelRep &report, const QString &name, TVRBandType type, int height)
{
    return named(report.CreateBand(type), name, height);
}

TVRChildBand *AddChildBand(TVelRep &report, const QString &name, TVRCustomBand *parent, int height)
{
    auto *band = named(new TVRChildBand(&report), name, height);
    band->SetParentBand(parent);
    return band;
}

TVRSubDetail *AddSubDetail(TVelRep &report, const QString &name, int height)
{
    auto *band = named(new TVRSubDetail(&report), name, height);
    band->SetPrintIfEmpty(false);
    return band;
}

TVRBand *AddSubDetailHeader(TVelRep &report, const QString &name, TVRSubDetail *subDetail, int height)
{
    TVRBand *band = AddBand(report, name, TVRBandType::rbGroupHeader, height);
    subDetail->SetHeaderBand(band);
    return band;
}

TVRLabel *AddLabel(QObject *band, const QString &name, const QString &caption, const QRect &at, const QFont &font,
                   TAlignment alignment)
{
    auto *label = new TVRLabel(band);
    label->SetAutoSize(false);
    label->SetWordWrap(true);
    label->SetTransparent(true);
    label->SetAlignment(alignment);
    placed(label, name, at, font);
    label->SetCaption(caption);
    return label;
}

TVRMemo *AddMemo(QObject *band, const QString &name, const QRect &at, const QFont &font)
{
    auto *memo = new TVRMemo(band);
    memo->SetAutoSize(false);
    memo->SetWordWrap(true);
    memo->SetTransparent(true);
    placed(memo, name, at, font);
    memo->SetLines({});
    return memo;
}

TVRRichText *AddRichText(QObject *band, const QString &name, const QRect &at, const QFont &font)
{
    auto *rich = new TVRRichText(band);
    rich->SetTransparent(true);
    return placed(rich, name, at, font);
}

TVRShape *AddShape(QObject *band, const QString &name, TVRShapeType shape, const QRect &at)
{
    auto *s = new TVRShape(band);
    s->SetShape(shape);
    s->SetBrush(Qt::NoBrush);
    s->SetTransparent(true);
    if (!name.isEmpty())
        s->SetName(name);
    Place(s, at.x(), at.y(), at.width(), at.height());
    return s;
}

void Place(TVRPrintable *control, int left, int top, int width, int height)
{
    control->Size().SetNativeLeft(nativeOfPixels(left));
    control->Size().SetNativeTop(nativeOfPixels(top));
    control->Size().SetNativeWidth(nativeOfPixels(width));
    control->Size().SetNativeHeight(nativeOfPixels(height));
}

void SetPixelHeight(TVRPrintable *control, int height)
{
    control->Size().SetNativeHeight(nativeOfPixels(height));
}

void SetPixelHeight(TVRCustomBand *band, int height)
{
    band->Size().SetNativeHeight(nativeOfPixels(height));
}

int PixelHeight(const TVRCustomBand *band)
{
    return int(std::lround(band->Size().NativeHeight() * 96.0 / 254.0));
}

int RowHeight(int value)
{
    return std::clamp(value, 0, 32767);
}

QString PrintedOnText(const QString &prefix)
{
    return prefix + QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
}

TVRBand *AddPageNumberFooter(TVelRep &report, const QString &bandName, const QString &pageCountName,
                             const int *pageCount)
{
    TVRBand *band = AddBand(report, bandName, TVRBandType::rbPageFooter, 22);
    const QFont font = ReportFont(8);
    auto *number = new TVRSysData(band);
    number->SetData(TVRSysDataType::vrsPageNumber);
    number->SetText(QStringLiteral("Strona "));
    number->SetFont(font);
    number->SetAutoSize(false);
    number->SetAlignment(TAlignment::taRightJustify);
    number->SetTransparent(true);
    Place(number, kReportWidth / 2 - 80, 4, 80, 16);
    TVRLabel *count = AddLabel(band, pageCountName, PageCountText(0), QRect(kReportWidth / 2 + 4, 4, 80, 16), font);
    band->BeforePrint = [count, pageCount](TVRCustomBand *, bool &) { count->SetCaption(PageCountText(*pageCount)); };
    return band;
}

QString PageCountText(int pages)
{
    return QStringLiteral("/ ") + QString::number(pages);
}

} // namespace printouts
