// The report component: its page setup and units, its entry points, and the state it
// is left in after a run that ends, is cancelled or fails.

#include "report_builders.h"

#include "reportengine/vr_composite_report.h"
#include "reportengine/vr_data_labels.h"
#include "reportengine/vr_data_set.h"
#include "reportengine/vr_export_filter.h"

#include "tests/support/fakes.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <stdexcept>

using namespace reporttest;

namespace {

TEST(ReportSetup, ANewReportHasAnA4PageInMillimetresWithTenMillimetreMargins)
{
    TVelRep report;
    TVRPage &page = report.Page();
    EXPECT_EQ(report.Units(), TVRUnit::MM);
    EXPECT_EQ(page.PaperSize(), TVRPaperSize::A4);
    EXPECT_DOUBLE_EQ(page.TopMargin(), 10);
    EXPECT_EQ(page.Values(), QList<double>({100.0, 2970.0, 100.0, 2100.0, 100.0, 100.0, 0.0}));
    report.SetUnits(TVRUnit::Inches);
    EXPECT_NEAR(page.TopMargin(), 0.3937, 1e-4);

    // A named paper fixes the size; landscape swaps it; only Custom takes a length.
    page.SetLength(5);
    EXPECT_DOUBLE_EQ(page.NativeValue(TVRPage::LengthValue), 2970);
    page.SetOrientation(TPrinterOrientation::poLandscape);
    EXPECT_DOUBLE_EQ(page.NativeValue(TVRPage::WidthValue), 2970);
    page.SetPaperSize(TVRPaperSize::Custom);
    page.SetLength(5);
    EXPECT_DOUBLE_EQ(page.NativeValue(TVRPage::LengthValue), 1270);
    page.SetColumns(0);
    EXPECT_EQ(page.Columns(), 1);

    report.SetZoom(0);
    report.SetZoom(301);
    EXPECT_EQ(report.Zoom(), 100);
    report.SetZoom(300);
    EXPECT_EQ(report.Zoom(), 300);
}

TEST(ReportSetup, BandsAreMadeNamedAndListedInPrintOrder)
{
    TVelRep report;
    report.Bands().SetHasDetail(true);
    report.Bands().SetHasSummary(true);
    report.Bands().SetHasTitle(true);
    report.Bands().SetHasPageFooter(true);
    report.Bands().SetHasPageHeader(true);
    TVRBand *second = report.CreateBand(TVRBandType::rbDetail);
    EXPECT_EQ(second->objectName(), QStringLiteral("DetailBand2"));
    EXPECT_EQ(BandTypeDisplayName(TVRBandType::rbColumnHeader), QStringLiteral("Column Header"));
    report.TitleBand()->SetHasChild(true);
    QStringList names;
    for (TVRCustomBand *b : report.BandList())
        names << b->objectName();
    EXPECT_EQ(names, QStringList({"PageHeaderBand1", "TitleBand1", "ChildBand1", "DetailBand1", "SummaryBand1",
                                  "PageFooterBand1", "DetailBand2"}));
    // Band widths follow the page.
    EXPECT_DOUBLE_EQ(report.DetailBand()->Size().NativeWidth(), 1900);
    report.Bands().SetHasSummary(false);
    EXPECT_EQ(report.SummaryBand(), nullptr);
}

class ReportRun : public ::testing::Test
{
protected:
    ReportRun()
    {
        AddBand(report, TVRBandType::rbTitle, 100, QStringLiteral("T"));
        detail = AddBand(report, TVRBandType::rbDetail, 300, QString(), [this] {
            ++detailPrints;
            return QStringLiteral("D%1").arg(record);
        });
        report.OnNeedData() = Records(20, &record);
        report.BeforePrint = [this](TVelRep *, bool &) { ++runs; };
    }

    TVelRep report;
    TVRBand *detail = nullptr;
    int record = 0;
    int runs = 0;
    int detailPrints = 0;
};

TEST_F(ReportRun, PrepareKeepsThePagesAndPreviewRunsTheReportAgain)
{
    ASSERT_TRUE(report.Prepare());
    EXPECT_EQ(report.VRPrinter()->PageCount(), 3);
    EXPECT_EQ(report.VRPrinter()->Status(), TVRPrinter::StatusFinished);
    EXPECT_EQ(report.PageNumber(), 3);
    TVRPrinter *first = report.VRPrinter();

    // No preview window in the tests: the preview handler stands in for it.
    int previews = 0;
    report.OnPreview = [&](TVelRep *) { ++previews; };
    ASSERT_TRUE(report.Preview());
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(detailPrints, 40);
    EXPECT_NE(report.VRPrinter(), first);
    EXPECT_EQ(report.VRPrinter()->PageCount(), 3);
}

TEST_F(ReportRun, ARefusingBeforePrintMakesNothingAndOpensNoPreview)
{
    report.BeforePrint = [](TVelRep *, bool &print) { print = false; };
    EXPECT_FALSE(report.Prepare());
    EXPECT_EQ(report.VRPrinter()->PageCount(), 0);
    EXPECT_EQ(report.VRPrinter()->Status(), TVRPrinter::StatusReady);
    EXPECT_FALSE(report.Print());
    int previews = 0; // the handler stands in for the window: none is opened
    report.OnPreview = [&](TVelRep *) { ++previews; };
    EXPECT_FALSE(report.Preview());
    EXPECT_EQ(previews, 0);
}

TEST_F(ReportRun, AHandlerErrorReachesTheCallerAndTheReportRunsAgainAfterwards)
{
    report.SetUnits(TVRUnit::Inches);
    detail->PreCaluculateBandHeight = true;
    auto *expr = new TVRExpr(detail);
    expr->SetExpression(QStringLiteral("SUM(2)"));
    detail->AfterPrint = [this](TVRCustomBand *, bool) {
        if (record == 5)
            throw std::runtime_error("handler failed");
    };
    EXPECT_THROW(report.Prepare(), std::runtime_error);
    EXPECT_FALSE(report.Running());
    EXPECT_EQ(report.Units(), TVRUnit::Inches);
    EXPECT_DOUBLE_EQ(detail->Size().NativeHeight(), 300);
    EXPECT_EQ(report.VRPrinter()->Status(), TVRPrinter::StatusFinished);
    EXPECT_EQ(expr->Caption(), QStringLiteral("SUM(2)"));
    EXPECT_FALSE(report.Functions().Prepared());

    detail->AfterPrint = nullptr;
    ASSERT_TRUE(report.Prepare());
    EXPECT_EQ(report.VRPrinter()->PageCount(), 3);
}

TEST_F(ReportRun, ACancelStopsAtTheNextRecordAndLeavesTheReportIdle)
{
    detail->AfterPrint = [this](TVRCustomBand *, bool) {
        if (record == 12)
            report.Cancel();
    };
    EXPECT_FALSE(report.Prepare());
    EXPECT_TRUE(report.Cancelled());
    EXPECT_FALSE(report.Running());
    EXPECT_EQ(detailPrints, 12);
    EXPECT_EQ(report.VRPrinter()->Status(), TVRPrinter::StatusFinished);

    detail->AfterPrint = nullptr;
    ASSERT_TRUE(report.Prepare());
    EXPECT_FALSE(report.Cancelled());
}

TEST_F(ReportRun, ADataSetThatEndsEarlyEndsTheWalk)
{
    std::vector<int> rows = {1, 2, 3, 4, 5, 6};
    TVRVectorDataSet<int> data(QStringLiteral("N"), rows);
    data.AddField(QStringLiteral("V"), TVRFieldKind::Integer, [](int v) { return v; });
    report.SetDataSet(&data);
    detail->AfterPrint = [&](TVRCustomBand *, bool) {
        if (rows.size() > 3)
            rows.resize(3); // the vector shrinks under the walk
    };
    ASSERT_TRUE(report.Prepare());
    EXPECT_EQ(detailPrints, 3);
    EXPECT_EQ(report.VRPrinter()->Progress(), 50);
}

TEST_F(ReportRun, PrintWritesAPdfAndKeepsThePreparedPages)
{
    ASSERT_TRUE(report.Prepare());
    TVRPrinter *prepared = report.VRPrinter();
    QTemporaryDir dir;
    report.PrinterSettings.PrinterIndex = static_cast<int>(PrinterNames().size()) - 1; // the PDF file
    report.PrinterSettings.PdfFileName = dir.filePath(QStringLiteral("raport.pdf"));
    int afterPrint = 0;
    report.AfterPrint = [&](TVelRep *) { ++afterPrint; };
    ASSERT_TRUE(report.Print());
    EXPECT_EQ(afterPrint, 1);
    EXPECT_GT(QFileInfo(report.PrinterSettings.PdfFileName).size(), 0);
    EXPECT_EQ(report.VRPrinter(), prepared);
}

class RecordingFilter : public TVRExportFilter
{
public:
    void Start(double, double, const QFont &) override { events << QStringLiteral("start"); }
    void NewPage() override { events << QStringLiteral("page"); }
    void EndPage() override { events << QStringLiteral("end"); }
    void Finish() override { events << QStringLiteral("finish"); }
    void TextOut(double, double, const QFont &, const QColor &, TAlignment, const QString &text) override
    {
        texts << text;
    }
    void ShapeOut(const TVRExportShape &) override {}
    void ImageOut(const QRectF &, const QImage &) override {}

    QStringList events;
    QStringList texts;
};

TEST_F(ReportRun, AnExportHandsEveryPageToTheFilter)
{
    report.OnNeedData() = Records(2, &record);
    RecordingFilter filter;
    ASSERT_TRUE(report.ExportToFilter(&filter));
    EXPECT_EQ(filter.events, QStringList({"start", "page", "end", "finish"}));
    EXPECT_EQ(filter.texts, QStringList({"T", "D1", "D2"}));
    EXPECT_FALSE(report.Exporting());
}

TEST_F(ReportRun, ReportsOfACompositeNumberPagesOnAndTheLastFinishesThePage)
{
    TVelRep second;
    AddBand(second, TVRBandType::rbDetail, 100, QStringLiteral("X"));
    TVRBand *footer = AddBand(second, TVRBandType::rbPageFooter, 100, QString(),
                              [&second] { return QStringLiteral("Strona %1").arg(second.PageNumber()); });
    second.DetailBand()->ForceNewPage = true;
    int tag = 0;
    footer->AfterPrint = [&](TVRCustomBand *, bool) { tag = second.Tag; };
    TVRCompositeReport composite;
    composite.PrinterSettings.PaperSize = TVRPaperSize::A4;
    composite.OnAddReports = [&](TVRCompositeReport &c) { c.Reports = {&report, &second}; };
    composite.RunReports();
    TVRPrinter *printer = composite.VRPrinter();
    ASSERT_TRUE(printer);
    ASSERT_EQ(printer->PageCount(), 4);
    EXPECT_EQ(runs, 2); // once by the composite, once by the report's own run
    EXPECT_EQ(tag, 999);
    EXPECT_EQ(second.Tag, 0);
    EXPECT_EQ(CapturePageTexts(*printer->GetPage(4)), QStringList({"X", "Strona 4"}));
    EXPECT_FALSE(report.Running());
}

} // namespace
