#pragma once

// A report and a band reduced to what printable controls need, for their tests and
// benchmark: bands print one below the other, a band that does not fit starts a new
// page, and unfinished controls print again on the next page until they finish.

#include "reportengine/vr_page_picture.h"
#include "reportengine/vr_printable.h"
#include "reportengine/vr_printer.h"

#include <QStringList>

#include <vector>

namespace reportengine_test {

using namespace reportengine;

class TestBand;

class TestReport : public QObject, public TVRReportHost
{
public:
    TestReport() { m_printer.SetPaperSize(TVRPaperSize::A4); }
    TVRPrinter *HostPrinter() const override { return m_running ? &m_printer : nullptr; }
    TVRExportFilter *HostExportFilter() const override { return Filter; }
    TVRPrinter &Printer() { return m_printer; }
    void PrintToPdf(const QString &fileName)
    {
        m_printer.Destination = TVRPrinter::DestinationPrinter;
        m_printer.PrinterSettings().SetPrinterIndex(static_cast<int>(PrinterNames().size()) - 1);
        m_printer.PrinterSettings().PdfFileName = fileName;
    }
    double UsableBottom() const { return m_printer.PaperLength() - 100; }

    void Begin()
    {
        m_running = true;
        for (TVRPrintable *p : findChildren<TVRPrintable *>()) {
            p->SetParentReport(this);
            p->Prepare();
        }
        m_printer.BeginDoc();
        NewPage();
    }
    void NewPage()
    {
        m_printer.NewPage();
        CurrentY = TopMargin;
        ++Pages;
    }
    void End()
    {
        m_printer.EndDoc();
        for (TVRPrintable *p : findChildren<TVRPrintable *>())
            p->Unprepare();
        m_running = false;
    }
    inline void PrintBand(TestBand &band);

    const double TopMargin = 100;
    const double LeftMargin = 100;
    double CurrentY = 0;
    int Pages = 0;
    TVRExportFilter *Filter = nullptr;

private:
    mutable TVRPrinter m_printer;
    bool m_running = false;
};

class TestBand : public QObject, public TVRBandHost
{
public:
    TestBand(TestReport *report, double height, double width = 1900) : QObject(report), Height(height), Width(width) {}
    TVRReportHost *HostReport() const override { return Report(); }
    double HostWidth() const override { return Width; }
    bool HostExpand(double amount) override
    {
        if (Top + Height + Stretch + amount > Report()->UsableBottom())
            return false;
        Stretch += amount;
        return true;
    }
    TestReport *Report() const { return static_cast<TestReport *>(parent()); }

    double Height;
    double Width;
    double Top = 0;
    double Stretch = 0;
    int PrintedPages = 0; // pages the last print of the band took
};

void TestReport::PrintBand(TestBand &band)
{
    if (CurrentY + band.Height > UsableBottom())
        NewPage();
    std::vector<TVRPrintable *> pending;
    for (QObject *o : band.children())
        if (auto *p = qobject_cast<TVRPrintable *>(o); p && p->Enabled())
            pending.push_back(p);
    for (band.PrintedPages = 1; !pending.empty() && band.PrintedPages < 1000; ++band.PrintedPages, NewPage()) {
        band.Top = CurrentY;
        band.Stretch = 0;
        std::vector<TVRPrintable *> unfinished;
        for (TVRPrintable *p : pending) {
            p->Print(LeftMargin, CurrentY);
            if (!p->Finished())
                unfinished.push_back(p);
        }
        pending.swap(unfinished);
        if (pending.empty())
            break;
    }
    CurrentY += band.Height + band.Stretch;
}

// The texts of every page of a page run, in drawing order.
inline QStringList AllPageTexts(TVRPrinter &printer)
{
    QStringList texts;
    for (int n = 1; n <= printer.PageCount(); ++n)
        texts += CapturePageTexts(*printer.GetPage(n));
    return texts;
}

} // namespace reportengine_test
