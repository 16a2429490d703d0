#include "printouts/workstation_report.h"

#include <array>

namespace printouts {

namespace {

struct Slot
{
    TWorkstationReportFactory factory;
    TWorkstationReportForm *form = nullptr; // made on first use
};

std::array<Slot, kWorkstationReportKinds> &reportSlots()
{
    static std::array<Slot, kWorkstationReportKinds> table;
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
    Slot &slot = reportSlots()[size_t(kind)];
    slot.factory = std::move(factory);
    slot.form = nullptr;
}

bool IsWorkstationReportRegistered(int kind)
{
    return validKind(kind) && bool(reportSlots()[size_t(kind)].factory);
}

TWorkstationReportForm *WorkstationReport(int kind)
{
    if (!IsWorkstationReportRegistered(kind))
        return nullptr;
    Slot &slot = reportSlots()[size_t(kind)];
    if (!slot.form)
        slot.form = slot.factory();
    return slot.form;
}

QString ReportNotAvailableText()
{
    return QStringLiteral("Ten rodzaj zestawienia nie jest dostępny");
}

} // namespace printouts
