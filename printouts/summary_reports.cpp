#include "printouts/summary_reports.h"

#include "appstate/appstate.h"
#include "printouts/frm_vr_inf_zbiorcze_stan.h"
#include "printouts/vr_przekr_nds_bez_nar.h"
#include "printouts/vr_zest_czynniki.h"
#include "reportengine/vr_printer.h"
#include "storage/workstation_files.h"

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

void TWorkstationSource::Reset(const appstate::TSummarySelection &selection)
{
    m_list = selection.Workstations;
    m_dataFolder = selection.DataFolder;
    m_readOptions = selection.ReadOptions;
    m_tried.clear();
}

std::vector<storage::TStanowisko *> TWorkstationSource::Workstations()
{
    std::vector<storage::TStanowisko *> list;
    if (!m_list)
        return list;
    for (const auto &w : *m_list) {
        if (!w->Loaded && !m_tried.contains(w->id)) {
            m_tried.insert(w->id);
            storage::StorageProblems problems;
            // Read as the view that opened the printouts reads them.
            storage::ReadWorkstationAfresh(m_dataFolder, *w, m_readOptions, problems);
            appstate::ReportProblems(problems);
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

} // namespace printouts::summary
