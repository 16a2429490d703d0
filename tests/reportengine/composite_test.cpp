// Composite report: several reports as one numbered document in the preview, printed
// again from it; cancelling, re-entry, the whole preview script to a PDF file.

#include "composite_script.h"
#include "preview_helpers.h"

#include "reportengine/vr_composite_report.h"
#include "reportengine/vr_preview.h"
#include "reportengine/vr_printer.h"

#include "tests/support/fakes.h"

#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace reportengine;
using namespace reportengine_test;

namespace {

// Three one-page reports, rebuilt by OnAddReports on every run as the print composer does.
struct ThreeReports
{
    ThreeReports()
    {
        for (const QList<QStringList> &pages : ScriptReportPages())
            reports.push_back(std::make_unique<PageProducer>(pages));
        composite.ReportTitle = QStringLiteral("Dokument złożony");
        composite.OnAddReports = [this](TVRCompositeReport &c) {
            ++added;
            c.Reports.clear();
            for (auto &r : reports)
                c.Reports.push_back(r.get());
        };
        composite.OnFinished = [this](TVRCompositeReport &, TVRReportProducer *r) { finished << r; };
    }
    PageProducer &Report(int i) { return *reports[i]; }

    std::vector<std::unique_ptr<PageProducer>> reports;
    TVRCompositeReport composite;
    int added = 0;
    QList<TVRReportProducer *> finished;
};

} // namespace

TEST(CompositeReport, ThreeReportsMakeOneDocumentNumberedOneToThree)
{
    ThreeReports t;
    EXPECT_EQ(t.composite.PrinterSettings.PaperSize, TVRPaperSize::Letter);
    EXPECT_EQ(t.composite.PrinterSettings.OutputBin, TVRBin::Auto);
    t.composite.PrinterSettings.PaperSize = TVRPaperSize::A4;
    t.composite.RunReports();
    TVRPrinter *printer = t.composite.VRPrinter();
    ASSERT_TRUE(printer);
    EXPECT_EQ(printer->Status(), TVRPrinter::StatusFinished);
    ASSERT_EQ(printer->PageCount(), 3);
    for (int p = 1; p <= 3; ++p)
        EXPECT_EQ(CapturePageTexts(*printer->GetPage(p)), ScriptReportPages()[p - 1][0] + QStringList{QStringLiteral("Strona %1").arg(p)});
    EXPECT_EQ(printer->Title, QStringLiteral("Dokument złożony"));
    EXPECT_EQ(printer->GetPage(1)->boundingRect(), QRect(0, 0, 794, 1123));
    EXPECT_EQ(t.added, 1);
    EXPECT_FALSE(t.Report(0).wasLast);
    EXPECT_TRUE(t.Report(2).wasLast);
    EXPECT_EQ(t.Report(1).beforePrint, 1);
    EXPECT_EQ(t.Report(1).afterPrint, 1);
    EXPECT_EQ(t.finished, (QList<TVRReportProducer *>{&t.Report(0), &t.Report(1), &t.Report(2), nullptr}));
    EXPECT_FALSE(t.composite.Running());
}

TEST(CompositeReport, AnEmptyListProducesNothingAndSaysItIsFinished)
{
    TVRCompositeReport composite;
    int finished = 0;
    composite.OnFinished = [&](TVRCompositeReport &, TVRReportProducer *r) { finished += r == nullptr; };
    composite.RunReports();
    EXPECT_EQ(composite.VRPrinter(), nullptr);
    EXPECT_EQ(finished, 1);
    composite.Preview(); // nothing to show: returns at once, no window
    EXPECT_EQ(FindPreview(), nullptr);
}

TEST(CompositeReport, CancellingDuringTheSecondReportLeavesNoPages)
{
    ThreeReports t;
    t.Report(1).onPage = [&](int) { t.Report(1).Cancel(); };
    t.composite.RunReports();
    EXPECT_EQ(t.composite.VRPrinter(), nullptr);
    EXPECT_EQ(t.Report(2).runs, 0);
    EXPECT_EQ(t.finished, (QList<TVRReportProducer *>{&t.Report(0), nullptr}));
    EXPECT_FALSE(t.composite.Running());
}

TEST(CompositeReport, AHandlerErrorEndsTheRunAndTheNextRunWorks)
{
    ThreeReports t;
    t.Report(1).onPage = [](int) { throw platform::TarvelinError(QStringLiteral("błąd w zdarzeniu")); };
    EXPECT_THROW(t.composite.RunReports(), platform::TarvelinError);
    EXPECT_FALSE(t.composite.Running());
    ASSERT_TRUE(t.composite.VRPrinter());
    EXPECT_EQ(t.composite.VRPrinter()->Status(), TVRPrinter::StatusFinished);
    t.Report(1).onPage = nullptr;
    t.composite.RunReports();
    ASSERT_TRUE(t.composite.VRPrinter());
    EXPECT_EQ(t.composite.VRPrinter()->PageCount(), 3);
}

TEST(CompositeReport, PreviewAddsTheReportsTwiceAndClosingWhileMakingPagesCancels)
{
    ThreeReports t;
    t.Report(0).settings.PrevShowSearch = false;
    QPointer<TVRStandardPreview> seen;
    t.Report(1).onPage = [&](int) {
        seen = FindPreview();
        ASSERT_TRUE(seen);
        EXPECT_EQ(seen->windowTitle(), QStringLiteral("Report Preview : Dokument złożony"));
        EXPECT_TRUE(seen->FindButton->isHidden()); // the first report's preview settings
        // A second preview while this one is open is refused.
        const int before = t.added;
        t.composite.Preview();
        EXPECT_EQ(t.added, before);
        seen->close();
    };
    t.composite.Preview(); // returns once the preview is closed
    EXPECT_EQ(t.added, 2);
    EXPECT_EQ(t.Report(2).runs, 0); // the run stopped in report 2
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(t.composite.VRPrinter(), nullptr);
    EXPECT_FALSE(seen);
    EXPECT_FALSE(t.composite.Running());
}

TEST(CompositeReport, PreviewScriptPrintsPagesTwoToThreeToAPdfFile)
{
    QTemporaryDir dir;
    ThreeReports t;
    t.composite.PrinterSettings.PaperSize = TVRPaperSize::A4;
    ScriptResult result = RunCompositePreviewScript(t.composite, dir.path(), QString());
    ASSERT_TRUE(result.ran) << result.failure.toStdString();
    EXPECT_TRUE(result.failure.isEmpty()) << result.failure.toStdString();
    // Printing ran every report again: twice for the preview, once for each PDF.
    EXPECT_EQ(t.added, 3 + result.askedForPdf);
    CheckPdfOfPagesTwoAndThree(result.pdf);
    CheckPdfOfPagesTwoAndThree(result.storedPdf);
}
