#include "printouts/summary_reports.h"

#include "appstate/appstate.h"
#include "printouts/frm_vr_inf_zbiorcze_stan.h"
#include "printouts/vr_przekr_nds_bez_nar.h"
#include "printouts/vr_zest_czynniki.h"
#include "reportengine/vr_data_labels.h"
#include "reportengine/vr_printer.h"
#include "reportengine/vr_shape.h"
#include "workstation_loading/workstation_loading.h"

namespace printouts {

void RegisterSummaryReports()
{
    RegisterWorkstationReport(kSummaryInformation,
                              [] { return static_cast<TWorkstationReportForm *>(frmVrInfZbiorczeStan()); });
    RegisterWorkstationReport(kWorkstationsByRisk,
                              [] { return static_cast<TWorkstationReportForm *>(VRPrzekrNDSBezNar()); });
    RegisterWorkstationReport(kHarmfulArduousFactors,
                              [] { return static_cast<TWorkstationReportForm *>(VRZestCzynniki()); });
}

} // namespace printouts

namespace printouts::summary {

using namespace reportengine;

namespace {

constexpr double Mm = 10; // native units (tenths of a millimetre) per millimetre
constexpr double PixelsToNative = 254. / 96; // page pixels (96 per inch) to native units

} // namespace

std::vector<storage::TStanowisko *> TWorkstationSource::Workstations()
{
    std::vector<storage::TStanowisko *> list;
    for (const auto &w : appstate::State().Workstations) {
        if (!w->Loaded && !m_tried.contains(w->id)) {
            m_tried.insert(w->id);
            workstations::LoadWorkstationData(*w);
        }
        if (w->ReadError.isEmpty())
            list.push_back(w.get());
    }
    return list;
}

bool CurrentMeasuredFactor(const storage::TCzynnik &factor)
{
    return factor.aktual == QLatin1String("T") && !factor.Measurements.empty();
}

int EmploymentNumber(const QString &figure)
{
    bool ok = false;
    const int n = figure.trimmed().toInt(&ok);
    return ok ? n : 0;
}

QString PrintDateText()
{
    return QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
}

TVelRep *NewReport(QObject *form, const QString &name, const QString &title)
{
    auto *report = new TVelRep(form);
    report->setObjectName(name);
    report->ReportTitle = title;
    report->Page().SetPaperSize(TVRPaperSize::A4);
    report->Page().SetOrientation(TPrinterOrientation::poPortrait);
    for (int margin : {TVRPage::TopMarginValue, TVRPage::BottomMarginValue, TVRPage::LeftMarginValue,
                       TVRPage::RightMarginValue})
        report->Page().SetNativeValue(margin, 10 * Mm);
    return report;
}

TVRBand *AddBand(TVelRep &report, TVRBandType type, const QString &name, double heightMm)
{
    TVRBand *band = report.CreateBand(type);
    band->setObjectName(name);
    band->Size().SetNativeHeight(heightMm * Mm);
    return band;
}

TVRSubDetail *AddSubDetail(TVelRep &report, const QString &name, QObject *master, double heightMm)
{
    auto *band = new TVRSubDetail(&report);
    band->setObjectName(name);
    band->SetMaster(master);
    band->Size().SetNativeHeight(heightMm * Mm);
    return band;
}

TVRLabel *AddText(TVRCustomBand *band, const QString &name, const QString &caption, double leftMm, double topMm,
                  const TextStyle &style)
{
    auto *label = new TVRLabel(band);
    if (!name.isEmpty())
        label->SetName(name);
    QFont font = label->Font();
    font.setPointSizeF(style.pointSize);
    font.setBold(style.bold);
    label->SetFont(font);
    label->SetTransparent(true);
    label->Size().SetNativeLeft(leftMm * Mm);
    label->Size().SetNativeTop(topMm * Mm);
    if (style.width > 0) {
        label->SetAutoSize(false);
        label->SetWordWrap(true);
        label->SetAutoStretch(true);
        label->Size().SetNativeWidth(style.width * Mm);
    }
    label->SetAlignment(style.alignment);
    label->SetCaption(caption);
    return label;
}

void KeepWithNext(TVelRep &report, TVRCustomBand *band, std::function<const TVRCustomBand *()> next)
{
    band->BeforePrint = [&report, band, next, previous = band->BeforePrint](TVRCustomBand *sender, bool &print) {
        if (previous)
            previous(sender, print);
        const TVRCustomBand *following = next();
        const TVRPrinter *printer = report.HostPrinter();
        if (!print || !following || !following->Enabled() || !printer || report.PageNumber() == 0)
            return;
        const double bottom =
            printer->PaperLength() - report.Page().NativeValue(TVRPage::BottomMarginValue) - report.PageFooterHeight();
        if (report.CurrentY() + band->Size().NativeHeight() + following->Size().NativeHeight() > bottom)
            report.NewPage();
    };
}

void AddRule(TVRCustomBand *band, double topMm)
{
    auto *line = new TVRShape(band);
    line->SetShape(TVRShapeType::vrsHorLine);
    line->Size().SetNativeLeft(0);
    line->Size().SetNativeTop(topMm * Mm);
    line->Size().SetNativeWidth(190 * Mm);
    line->Size().SetNativeHeight(2);
}

TVRBand *AddPageNumberFooter(TVelRep &report, const QString &bandName, std::function<int()> pageCount)
{
    TVRBand *footer = AddBand(report, TVRBandType::rbPageFooter, bandName, 8);
    const TextStyle small{9};
    auto *number = new TVRSysData(footer);
    number->SetData(TVRSysDataType::vrsPageNumber);
    number->SetText(QStringLiteral("Strona "));
    QFont font = number->Font();
    font.setPointSizeF(small.pointSize);
    number->SetFont(font);
    number->SetTransparent(true);
    number->Size().SetNativeLeft(160 * Mm);
    number->Size().SetNativeTop(3 * Mm);
    TVRLabel *count = AddText(footer, QStringLiteral("vrLiczStr"), QString(), 170, 3, small);
    footer->BeforePrint = [&report, number, count, pageCount](TVRCustomBand *, bool &) {
        // "/ N" follows the page number, however many digits it has.
        const QString shown = number->Text() + QString::number(report.PageNumber());
        count->Size().SetNativeLeft(number->Size().NativeLeft() +
                                    (report.TextWidth(number->Font(), shown) + 4) * PixelsToNative);
        count->SetCaption(QStringLiteral("/ ") + QString::number(pageCount()));
    };
    return footer;
}

} // namespace printouts::summary
