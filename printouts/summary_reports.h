#pragma once

// What the three reports over all workstations of a data folder share (besides the
// layout pieces of every workstation report, workstation_report_layout.h): the
// workstations with their data read, the factors and figures they take, and headings kept
// with what follows them.

#include "appstate/print_selection.h"
#include "reportengine/vr_band.h"
#include "reportengine/vr_report.h"
#include "storage/workstation_files.h"

#include <QSet>
#include <QString>

#include <functional>
#include <vector>

namespace printouts {

// Registers the summary information (kind 2), the workstations by risk category (3) and
// the list of harmful and arduous factors (4) with the printouts dialog.
void RegisterSummaryReports();

} // namespace printouts

namespace printouts::summary {

// The workstations of the current data folder in list order, each with its data file
// read when it was not read before. A print runs its report several times (to count the
// pages, into the preview, to the printer): a file that cannot be read is reported once
// per print, not at every run. A workstation whose file was not read whole is left out,
// so nothing half-read is ever printed; one without a file prints as listed, without data.
class TWorkstationSource
{
public:
    // A new print of the workstations selection lists: files that could not be read are
    // tried (and reported) again.
    void Reset(const appstate::TSummarySelection &selection);
    std::vector<storage::TStanowisko *> Workstations();

private:
    storage::WorkstationList *m_list = nullptr;
    QString m_dataFolder;
    storage::WorkstationReadOptions m_readOptions;
    QSet<QString> m_tried; // ids of the workstations read (or tried) since Reset
};

// Whether a factor on a workstation takes part in the printouts: current ("T") and
// measured at least once.
bool CurrentMeasuredFactor(const storage::TCzynnik &factor);

// A heading never stays alone at the foot of a page: when the band and the band that
// next() names (nullptr or disabled: none) would not both fit above the page footer,
// the band starts a new page. (A link band cannot do it where the next band follows the
// heading's records.)
void KeepWithNext(reportengine::TVelRep &report, reportengine::TVRCustomBand *band,
                  std::function<const reportengine::TVRCustomBand *()> next);

} // namespace printouts::summary
