// A report in the standard preview window: the window shows its pages, Print after a
// printer setup runs the report again to the PDF file with the chosen pages, and the
// call returns when the window closes.

#include "preview_helpers.h"
#include "report_builders.h"

#include <QFile>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace reporttest;
using namespace reportengine_test;

namespace {

TEST(ReportPreview, PrintFromThePreviewRunsTheReportAgainWithTheChosenPages)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("strony.pdf"));
    TVelRep report;
    report.ReportTitle = QStringLiteral("Karta oceny ryzyka");
    report.ShowProgress = false;
    if (!QPrinterInfo::availablePrinterNames().isEmpty()) // else the PDF file is the default
        report.PrinterSettings.PrinterIndex = static_cast<int>(PrinterNames().size()) - 1;
    int record = 0;
    int runs = 0;
    AddBand(report, TVRBandType::rbDetail, 1000, QString(), [&] { return QStringLiteral("Wiersz %1").arg(record); });
    report.OnNeedData() = Records(5, &record);
    report.BeforePrint = [&](TVelRep *, bool &) { ++runs; };

    testsupport::ScriptedDialogs dialogs;
    testsupport::ScriptedFileDialogs files;
    testsupport::ScriptedPrompter boxes;
    QString failure;
    bool scripted = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        TVRStandardPreview *w = FindPreview();
        if (!w || report.Running() || w->PageCount() != 3 || !w->Print->isEnabled())
            return;
        poll.stop();
        scripted = true;
        if (w->windowTitle() != QStringLiteral("Report Preview : Karta oceny ryzyka"))
            failure = w->windowTitle();
        // No file named: Cancel prints nothing; an existing file is replaced after a Yes only.
        QFile(pdf).open(QIODevice::WriteOnly);
        files.answers << QString() << pdf << pdf;
        boxes.Answer(platform::MsgNo);
        boxes.Answer(platform::MsgYes);
        w->Print->click();
        w->Print->click();
        if (!SpinUntil([&] { return runs == 2 && !report.Running(); }) || QFileInfo(pdf).size() == 0)
            failure = QStringLiteral("no PDF named by the user");
        dialogs.steps << ChooseDestination(pdf, QString(), 2, 3);
        w->PrintSetup->click();
        w->Print->click();
        if (!SpinUntil([&] { return QFile::exists(pdf); }))
            failure = QStringLiteral("no PDF");
        w->close();
    });
    poll.start();
    // A window that never gets its pages must not keep the run waiting.
    QTimer::singleShot(20000, [] {
        if (TVRStandardPreview *w = FindPreview())
            w->close();
    });
    EXPECT_TRUE(report.Preview());
    EXPECT_TRUE(scripted);
    EXPECT_TRUE(failure.isEmpty()) << failure.toStdString();
    EXPECT_EQ(runs, 3);
    const QString offered = SuggestedPdfFileName(report.ReportTitle);
    EXPECT_EQ(files.folders, QStringList({offered, offered, pdf}));
    EXPECT_EQ(boxes.boxes.size(), 2);
    ASSERT_EQ(PdfPageCount(pdf) < 0 ? 2 : PdfPageCount(pdf), 2);
    const QString text = PdfText(pdf);
    if (!text.isEmpty()) {
        EXPECT_TRUE(text.contains(QStringLiteral("Wiersz 3")));
        EXPECT_TRUE(text.contains(QStringLiteral("Wiersz 5")));
        EXPECT_FALSE(text.contains(QStringLiteral("Wiersz 2")));
    }
    EXPECT_EQ(report.VRPrinter()->PageCount(), 3); // the preview's pages stay
}

TEST(ReportPreview, ARunThatFailsClosesItsPreview)
{
    testsupport::ScriptedPrompter boxes;
    TVelRep report;
    int record = 0;
    TVRBand *detail = AddBand(report, TVRBandType::rbDetail, 1000, QString(), [&] { return QString::number(record); });
    report.OnNeedData() = Records(5, &record);
    const auto text = detail->BeforePrint;
    detail->BeforePrint = [&, text](TVRCustomBand *band, bool &print) {
        text(band, print);
        if (record == 5)
            band->Size().SetNativeHeight(5000); // taller than the page
    };
    QTimer::singleShot(20000, [] {
        if (TVRStandardPreview *w = FindPreview())
            w->close();
    });
    EXPECT_FALSE(report.Preview());
    EXPECT_EQ(boxes.Texts(), QStringList("Band DetailBand1 is too high to fit on a page"));
    EXPECT_EQ(FindPreview(), nullptr);
    EXPECT_EQ(report.VRPrinter(), nullptr);
    EXPECT_FALSE(report.Running());
}

TEST(ReportPreview, ClosingThePreviewWhilePagesAreMadeCancelsTheRun)
{
    TVelRep report;
    int record = 0;
    int printed = 0;
    TVRBand *detail = AddBand(report, TVRBandType::rbDetail, 1000, QString(), [&] { return QString::number(record); });
    report.OnNeedData() = Records(50, &record);
    detail->AfterPrint = [&](TVRCustomBand *, bool) {
        ++printed;
        if (record == 3)
            if (TVRStandardPreview *w = FindPreview())
                w->close();
    };
    EXPECT_FALSE(report.Preview());
    EXPECT_EQ(printed, 3);
    EXPECT_TRUE(report.Cancelled());
    EXPECT_EQ(report.VRPrinter(), nullptr);
    EXPECT_FALSE(report.Running());
}

} // namespace
