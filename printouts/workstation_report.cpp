#include "printouts/workstation_report.h"

#include <array>

namespace printouts {

namespace {

std::array<TWorkstationReportFactory, kWorkstationReportKinds> &factories()
{
    static std::array<TWorkstationReportFactory, kWorkstationReportKinds> table;
    return table;
}

bool validKind(int kind)
{
    return kind >= 0 && kind < kWorkstationReportKinds;
}

} // namespace

void RegisterWorkstationReport(int kind, TWorkstationReportFactory factory)
{
    if (!validKind(kind))
        return;
    factories()[size_t(kind)] = std::move(factory);
}

bool IsWorkstationReportRegistered(int kind)
{
    return validKind(kind) && bool(factories()[size_t(kind)]);
}

TWorkstationReportForm *WorkstationReport(int kind)
{
    // The factory makes its form on first use and keeps it.
    return IsWorkstationReportRegistered(kind) ? factories()[size_t(kind)]() : nullptr;
}

QString ReportNotAvailableText()
{
    return QStringLiteral("Ten rodzaj zestawienia nie jest dostępny");
}

} // namespace printouts
