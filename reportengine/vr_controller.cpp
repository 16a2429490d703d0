#include "reportengine/vr_controller.h"

#include "reportengine/vr_band.h"
#include "reportengine/vr_data_set.h"
#include "reportengine/vr_printable.h"
#include "reportengine/vr_printer.h"
#include "reportengine/vr_report.h"

#include <QCoreApplication>

#include <algorithm>

namespace reportengine {

TVRController::TVRController(QObject *owner) : m_owner(owner) {}

void TVRController::Prepare()
{
    m_clients.clear();
    m_serial = 0;
    DetailNumber = 0;
    for (TVRController *c : BeforeControllers)
        c->Prepare();
    for (TVRController *c : AfterControllers)
        c->Prepare();
}

void TVRController::Unprepare()
{
    m_clients.clear();
    for (TVRGroup *g : Groups)
        g->Unprepare();
    for (TVRController *c : BeforeControllers)
        c->Unprepare();
    for (TVRController *c : AfterControllers)
        c->Unprepare();
    if (Detail)
        Detail->m_controller = nullptr;
}

void TVRController::AddClient(TVRPrintable *client)
{
    if (client && std::find(m_clients.begin(), m_clients.end(), client) == m_clients.end())
        m_clients.push_back(client);
}

void TVRController::NotifyClients(int operation)
{
    for (TVRPrintable *client : m_clients)
        client->VRNotification(m_owner, operation);
}

bool TVRController::Cancelled() const
{
    if (!ParentReport)
        return true;
    const TVRPrinter *printer = ParentReport->VRPrinter();
    return ParentReport->Cancelled() || (printer && printer->Cancelled());
}

bool TVRController::CheckGroups()
{
    bool any = false;
    for (TVRGroup *g : Groups) {
        // Once an outer group changed, every inner one starts again too.
        const bool changed = g->Evaluate();
        g->Changed = changed || any;
        any = any || g->Changed;
    }
    return any;
}

void TVRController::PrintGroupHeaders()
{
    for (TVRGroup *g : Groups) {
        if (!g->Changed)
            continue;
        ParentReport->PrintBand(g);
        g->HeaderPrinted = true;
        g->LastHeaderPage = ParentReport->PageNumber();
    }
}

void TVRController::PrintGroupFooters()
{
    for (auto it = Groups.rbegin(); it != Groups.rend(); ++it) {
        TVRGroup *g = *it;
        if (!g->Changed)
            continue;
        if (g->FooterBand())
            ParentReport->PrintBand(g->FooterBand());
        g->HeaderPrinted = false;
    }
}

void TVRController::ReprintGroupHeaders()
{
    if (!ParentReport)
        return;
    for (TVRGroup *g : Groups) {
        if (!g->ReprintOnNewPage || !g->HeaderPrinted || g->LastHeaderPage == ParentReport->PageNumber())
            continue;
        g->LastHeaderPage = ParentReport->PageNumber();
        ParentReport->PrintBand(g);
    }
    for (TVRController *c : BeforeControllers)
        c->ReprintGroupHeaders();
    for (TVRController *c : AfterControllers)
        c->ReprintGroupHeaders();
}

void TVRController::PrintEmpty()
{
    TVelRep *report = ParentReport;
    if (!report)
        return;
    report->PrintBand(Header);
    for (TVRController *c : BeforeControllers)
        c->Execute();
    report->PrintBand(Detail);
    for (TVRController *c : AfterControllers)
        c->Execute();
    report->PrintBand(Footer);
}

void TVRController::Execute()
{
    for (TVRGroup *g : Groups)
        g->EvaluatedOnce = false;
    TVelRep *report = ParentReport;
    const bool withDataSet = DataSet && DataSet->Active();
    if ((!withDataSet && !OnNeedData) || !report) {
        if (PrintIfEmpty)
            PrintEmpty();
        return;
    }
    bool moreData = true;
    int recordCount = 0;
    if (withDataSet) {
        DataSet->First();
        moreData = !DataSet->Eof();
        if (report->DataSet() == DataSet)
            recordCount = report->RecordCount();
        if (!moreData && PrintIfEmpty)
            PrintEmpty();
    } else {
        OnNeedData(m_owner, moreData);
    }
    DetailNumber = 0;
    m_serial = 0;
    if (Detail)
        Detail->m_controller = this;
    if (!moreData)
        return;
    QCoreApplication::processEvents();
    if (Cancelled())
        return;
    // The first record shares the page with a printed title, even when its bands ask
    // for a page of their own.
    if (report->PrintBand(Header) && m_owner == report)
        report->SetSkipNextPageBreak();
    if ((report->PageNumber() < 2 || report->InComposite()) && report->ColumnHeaderBand() &&
        report->ColumnHeaderBand()->Enabled())
        report->SetSkipNextPageBreak();
    CheckGroups();
    bool first = true;
    while (moreData) {
        QCoreApplication::processEvents();
        if (Cancelled())
            return;
        ++DetailNumber;
        m_serial = report->NextRecordSerial();
        PrintGroupHeaders();
        for (TVRController *c : BeforeControllers)
            c->Execute();
        report->PrintBand(Detail);
        for (TVRController *c : AfterControllers)
            c->Execute();
        if (first) {
            // A page break asked for later is never the one the header meant.
            report->ClearSkipNextPageBreak();
            first = false;
        }
        if (withDataSet) {
            DataSet->Next();
            moreData = !DataSet->Eof();
        } else {
            moreData = false;
            OnNeedData(m_owner, moreData);
        }
        if (CheckGroups()) {
            // Group footers belong to the last record of the old value.
            if (withDataSet)
                DataSet->Prior();
            PrintGroupFooters();
            if (withDataSet)
                DataSet->Next();
        }
        if (recordCount > 0) {
            // A data set may end before the count it announced, or go beyond it.
            const int percent = std::min(100, int(qint64(DetailNumber) * 100 / recordCount));
            TVRPrinter *printer = report->VRPrinter();
            if (printer && percent != printer->Progress())
                printer->SetProgress(percent);
        }
    }
    for (TVRGroup *g : Groups)
        g->Changed = !g->Changed;
    PrintGroupFooters();
    if (Footer)
        report->PrintBand(Footer);
}

void TVRController::RegisterBands(std::vector<TVRCustomBand *> &bands) const
{
    const auto add = [&bands](TVRCustomBand *b) {
        if (b && std::find(bands.begin(), bands.end(), b) == bands.end())
            bands.push_back(b);
    };
    add(Header);
    for (TVRGroup *g : Groups)
        add(g);
    for (TVRController *c : BeforeControllers)
        c->RegisterBands(bands);
    add(Detail);
    for (TVRController *c : AfterControllers)
        c->RegisterBands(bands);
    for (auto it = Groups.rbegin(); it != Groups.rend(); ++it)
        add((*it)->FooterBand());
    add(Footer);
}

} // namespace reportengine
