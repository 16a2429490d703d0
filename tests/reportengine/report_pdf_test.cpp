// A register-like report printed to a PDF file and read back with poppler: page
// numbers "Strona n z N" from a preparing run, group sums and the order of the rows.

#include "page_helpers.h"
#include "report_builders.h"

#include "reportengine/vr_data_labels.h"
#include "reportengine/vr_data_set.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace reporttest;
using reportengine_test::RunTool;
using reportengine_test::Tool;

namespace {

struct Entry
{
    int number;
    QString place;
};

TEST(ReportPdf, ARegisterPrintsItsPageNumbersAndGroupSums)
{
    const QString pdftotext = Tool("pdftotext");
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    std::vector<Entry> rows;
    for (int i = 1; i <= 120; ++i)
        rows.push_back({i, QStringLiteral("Stanowisko %1 – ślusarnia").arg(i)});
    TVRVectorDataSet<Entry> data(QStringLiteral("REJ"), rows);
    data.AddField(QStringLiteral("NR"), TVRFieldKind::Integer, [](const Entry &e) { return e.number; });
    data.AddField(QStringLiteral("MIEJSCE"), TVRFieldKind::String, [](const Entry &e) { return e.place; });
    data.AddField(QStringLiteral("GRUPA"), TVRFieldKind::Integer, [](const Entry &e) { return (e.number - 1) / 50; });

    TVelRep report;
    report.ReportTitle = QStringLiteral("Rejestr czynników szkodliwych");
    report.SetDataSet(&data);
    auto *title = new TVRSysData(AddBand(report, TVRBandType::rbTitle, 100, QString()));
    title->SetData(TVRSysDataType::vrsReportTitle);
    TVRBand *detail = report.CreateBand(TVRBandType::rbDetail);
    detail->Size().SetNativeHeight(60);
    auto *number = new TVRDBText(detail);
    number->SetDataSet(&data);
    number->SetDataField(QStringLiteral("NR"));
    auto *place = new TVRDBText(detail);
    place->SetDataSet(&data);
    place->SetDataField(QStringLiteral("MIEJSCE"));
    place->Size().SetNativeLeft(300);
    auto *group = new TVRGroup(&report);
    group->Expression = QStringLiteral("GRUPA");
    group->Size().SetNativeHeight(0);
    TVRBand *footer = report.CreateBand(TVRBandType::rbGroupFooter);
    footer->Size().SetNativeHeight(80);
    group->SetFooterBand(footer);
    auto *sum = new TVRExpr(footer);
    sum->SetExpression(QStringLiteral("'Suma grupy: ' + STR(SUM(NR))"));
    sum->ResetAfterPrint = true;
    int pageCount = 0;
    AddBand(report, TVRBandType::rbPageFooter, 60, QString(),
            [&] { return QStringLiteral("Strona %1 z %2").arg(report.PageNumber()).arg(pageCount); });

    ASSERT_TRUE(report.Prepare());
    pageCount = report.VRPrinter()->PageCount();
    ASSERT_EQ(pageCount, 3);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("rejestr.pdf"));
    report.PrinterSettings.PrinterIndex = static_cast<int>(PrinterNames().size()) - 1;
    report.PrinterSettings.PdfFileName = pdf;
    ASSERT_TRUE(report.Print());

    QStringList pages;
    for (int n = 1; n <= pageCount; ++n)
        pages << RunTool(pdftotext, {QStringLiteral("-f"), QString::number(n), QStringLiteral("-l"), QString::number(n),
                                     pdf, QStringLiteral("-")});
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Rejestr czynników szkodliwych")));
    for (int n = 1; n <= pageCount; ++n)
        EXPECT_TRUE(pages[n - 1].contains(QStringLiteral("Strona %1 z 3").arg(n))) << pages[n - 1].toStdString();
    const QString all = pages.join(QString());
    EXPECT_TRUE(all.contains(QStringLiteral("Suma grupy: 1275")));
    EXPECT_TRUE(all.contains(QStringLiteral("Suma grupy: 3775")));
    EXPECT_TRUE(all.contains(QStringLiteral("Suma grupy: 2210")));
    EXPECT_TRUE(all.contains(QStringLiteral("Stanowisko 120 – ślusarnia")));
    // Rows in order, each once.
    const QRegularExpression row(QStringLiteral("Stanowisko (\\d+) "));
    int expected = 1;
    for (auto it = row.globalMatch(all); it.hasNext();)
        EXPECT_EQ(it.next().captured(1).toInt(), expected++);
    EXPECT_EQ(expected, 121);
}

} // namespace
