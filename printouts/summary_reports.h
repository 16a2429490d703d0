#pragma once

// What the three reports over all workstations of a data folder share: the workstations
// with their data read, the factors and figures they take, and the pieces of their
// layouts (built in code, lengths in millimetres from the band's top left corner, with
// the page's 10 mm margins).

#include "reportengine/vr_band.h"
#include "reportengine/vr_label.h"
#include "reportengine/vr_report.h"
#include "storage/workstation_files.h"

#include <QDate>
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
    // A new print: files that could not be read are tried (and reported) again.
    void Reset() { m_tried.clear(); }
    std::vector<storage::TStanowisko *> Workstations();

private:
    QSet<QString> m_tried; // ids of the workstations read (or tried) since Reset
};

// Whether a factor on a workstation takes part in the printouts: current ("T") and
// measured at least once.
bool CurrentMeasuredFactor(const storage::TCzynnik &factor);

// An employment figure as a number: anything that is not a whole number counts as 0.
int EmploymentNumber(const QString &figure);

// Today as printed in the report headers (yyyy-MM-dd).
QString PrintDateText();

// ---- Layout ----------------------------------------------------------------------

struct TextStyle
{
    double pointSize = 10;
    bool bold = false;
    // 0: the label takes the width of its text (one line); otherwise the label is this
    // wide and breaks its text into lines, making its band grow with them.
    double width = 0;
    reportengine::TAlignment alignment = reportengine::TAlignment::taLeftJustify;
};

// The report of a form: A4 portrait with 10 mm margins, whatever the system's paper.
reportengine::TVelRep *NewReport(QObject *form, const QString &name, const QString &title);
reportengine::TVRBand *AddBand(reportengine::TVelRep &report, reportengine::TVRBandType type, const QString &name,
                               double heightMm);
// A sub-detail printed for every record of master (the report or another sub-detail).
reportengine::TVRSubDetail *AddSubDetail(reportengine::TVelRep &report, const QString &name, QObject *master,
                                         double heightMm);
// A label named `name` (empty: unnamed) showing caption.
reportengine::TVRLabel *AddText(reportengine::TVRCustomBand *band, const QString &name, const QString &caption,
                                double leftMm, double topMm, const TextStyle &style = {});
// A heading never stays alone at the foot of a page: when the band and the band that
// next() names (nullptr or disabled: none) would not both fit above the page footer,
// the band starts a new page. (A link band cannot do it where the next band follows the
// heading's records.)
void KeepWithNext(reportengine::TVelRep &report, reportengine::TVRCustomBand *band,
                  std::function<const reportengine::TVRCustomBand *()> next);

// A horizontal line across the band's width at topMm.
void AddRule(reportengine::TVRCustomBand *band, double topMm);

// The page footer every one of these reports ends its pages with: "Strona", the page
// number and, right after it, the label `vrLiczStr` with "/ " and pageCount() (the page
// count of the preparing run).
reportengine::TVRBand *AddPageNumberFooter(reportengine::TVelRep &report, const QString &bandName,
                                           std::function<int()> pageCount);

} // namespace printouts::summary
