#include "printouts/workstation_report_form_base.h"

#include "printouts/workstation_report_layout.h"

namespace printouts {

TWorkstationReportFormBase::TWorkstationReportFormBase(const QString &formName, const QString &reportName,
                                                       const QString &reportTitle)
    : m_report(new reportengine::TVelRep(this))
{
    setObjectName(formName);
    SetUpWorkstationReport(*m_report, reportName, reportTitle);
}

reportengine::TVRBand *TWorkstationReportFormBase::AddPageNumberFooter(const QString &bandName)
{
    return printouts::AddPageNumberFooter(*m_report, bandName, QStringLiteral("vrLiczStr"), &m_pageCount);
}

} // namespace printouts
