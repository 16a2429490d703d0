#pragma once

// What every workstation report form is built on: a hidden widget named as the form,
// owning its report, set up on A4 portrait with 10 mm margins and Arial 10, named and
// titled as the form's report; the page count of the preparing run, kept for the "/ N"
// of the page footer. A form adds its bands and its report's handlers, the page footer
// last, and reads the options it prints from.

#include "printouts/workstation_report.h"

#include <QString>
#include <QWidget>

namespace reportengine {
class TVRBand;
} // namespace reportengine

namespace printouts {

class TWorkstationReportFormBase : public QWidget, public TWorkstationReportForm
{
    Q_OBJECT
public:
    reportengine::TVelRep &Report() final { return *m_report; }
    void SetPageCount(int pages) final { m_pageCount = pages; }

protected:
    TWorkstationReportFormBase(const QString &formName, const QString &reportName, const QString &reportTitle);

    // The page footer band "Strona n / N", its "/ N" the label "vrLiczStr".
    reportengine::TVRBand *AddPageNumberFooter(const QString &bandName);

    reportengine::TVelRep *const m_report;

private:
    int m_pageCount = 0;
};

} // namespace printouts
