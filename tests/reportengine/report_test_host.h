#pragma once

// A report and a band as far as printable controls need them, for tests and benchmarks
// of the controls: bands print one below the other from the top margin, a band that
// does not fit starts a new page, and controls that did not finish print again on the
// next page until they have (the band loop of the real report, reduced to that).

#include "reportengine/vr_page_picture.h"
#include "reportengine/vr_printable.h"
#include "reportengine/vr_printable_host.h"
#include "reportengine/vr_printer.h"

#include <QObject>
#include <QStringList>

#include <vector>

namespace reportengine_test {

class TestBand;

class TestReport : public QObject, public reportengine::TVRReportHost
{
public:
    TestReport() { m_printer.SetPaperSize(reportengine::TVRPaperSize::A4); }

    reportengine::TVRPrinter *HostPrinter() const override { return m_running ? &m_printer : nullptr; }
    reportengine::TVRExportFilter *HostExportFilter() const override { return Filter; }
    reportengine::TVRPrinter &Printer() { return m_printer; }

    // Pages go to this PDF file instead of the page list.
    void PrintToPdf(const QString &fileName)
    {
        m_printer.Destination = reportengine::TVRPrinter::DestinationPrinter;
        m_printer.PrinterSettings().SetPrinterIndex(static_cast<int>(reportengine::PrinterNames().size()) - 1);
        m_printer.PrinterSettings().PdfFileName = fileName;
    }

    double TopMargin = 100;
    double BottomMargin = 100;
    double LeftMargin = 100;
    double CurrentY = 0;
    int Pages = 0;
    reportengine::TVRExportFilter *Filter = nullptr;

    double UsableBottom() const { return m_printer.PaperLength() - BottomMargin; }

    void Begin()
    {
        m_running = true;
        for (reportengine::TVRPrintable *p : findChildren<reportengine::TVRPrintable *>()) {
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
        for (reportengine::TVRPrintable *p : findChildren<reportengine::TVRPrintable *>())
            p->Unprepare();
        m_running = false;
    }
    inline void PrintBand(TestBand &band);

private:
    mutable reportengine::TVRPrinter m_printer;
    bool m_running = false;
};

class TestBand : public QObject, public reportengine::TVRBandHost
{
public:
    TestBand(TestReport *report, double height, double width = 1900) : QObject(report), Height(height), Width(width)
    {
    }

    reportengine::TVRReportHost *HostReport() const override { return static_cast<TestReport *>(parent()); }
    double HostWidth() const override { return Width; }
    bool HostExpand(double amount) override
    {
        if (Top + Height + Stretch + amount > static_cast<TestReport *>(parent())->UsableBottom())
            return false;
        Stretch += amount;
        return true;
    }

    std::vector<reportengine::TVRPrintable *> Controls() const
    {
        std::vector<reportengine::TVRPrintable *> controls;
        for (QObject *o : children())
            if (auto *p = qobject_cast<reportengine::TVRPrintable *>(o); p && p->Enabled())
                controls.push_back(p);
        return controls;
    }

    double Height;
    double Width;
    double Top = 0;
    double Stretch = 0;
    int PrintedPages = 0; // pages the last print of the band used
};

void TestReport::PrintBand(TestBand &band)
{
    if (CurrentY + band.Height > UsableBottom())
        NewPage();
    band.Top = CurrentY;
    band.Stretch = 0;
    band.PrintedPages = 1;
    std::vector<reportengine::TVRPrintable *> pending = band.Controls();
    for (int guard = 0; !pending.empty() && guard < 1000; ++guard) {
        if (guard > 0) {
            NewPage();
            band.Top = CurrentY;
            band.Stretch = 0;
            ++band.PrintedPages;
        }
        std::vector<reportengine::TVRPrintable *> unfinished;
        for (reportengine::TVRPrintable *p : pending) {
            p->Print(LeftMargin, CurrentY);
            if (!p->Finished())
                unfinished.push_back(p);
        }
        pending.swap(unfinished);
    }
    CurrentY += band.Height + band.Stretch;
}

// The texts of every page of a page run, in drawing order.
inline QStringList AllPageTexts(reportengine::TVRPrinter &printer)
{
    QStringList texts;
    for (int n = 1; n <= printer.PageCount(); ++n)
        texts += reportengine::CapturePageTexts(*printer.GetPage(n));
    return texts;
}

} // namespace reportengine_test
