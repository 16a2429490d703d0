// A report in the standard preview window: the window shows its pages, Print after a
// printer setup runs the report again to the PDF file with the chosen pages, Print with
// no file named asks for one, and the call returns when the window closes.

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
    int record = 0;
    int runs = 0;
    AddBand(report, TVRBandType::rbDetail, 1000, QString(), [&] { return QStringLiteral("Wiersz %1").arg(record); });
    report.OnNeedData() = Records(5, &record);
    report.BeforePrint = [&](TVelRep *, bool &) { ++runs; };

    testsupport::ScriptedDialogs dialogs;
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
    EXPECT_EQ(runs, 2);
    ASSERT_EQ(PdfPageCount(pdf) < 0 ? 2 : PdfPageCount(pdf), 2);
    const QString text = PdfText(pdf);
    if (!text.isEmpty()) {
        EXPECT_TRUE(text.contains(QStringLiteral("Wiersz 3")));
        EXPECT_TRUE(text.contains(QStringLiteral("Wiersz 5")));
        EXPECT_FALSE(text.contains(QStringLiteral("Wiersz 2")));
    }
    EXPECT_EQ(report.VRPrinter()->PageCount(), 3); // the preview's pages stay
}

TEST(ReportPreview, PrintToAPdfFileNobodyNamedAsksForItAndNeverReplacesOneUnasked)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("karta.pdf"));
    QFile old(pdf);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("stary wydruk");
    old.close();
    TVelRep report;
    report.ReportTitle = QStringLiteral("Karta oceny ryzyka: spawacz");
    report.ShowProgress = false;
    // With no printer set up the default destination is the PDF file; else it is chosen.
    if (!QPrinterInfo::availablePrinterNames().isEmpty())
        report.PrinterSettings.PrinterIndex = static_cast<int>(PrinterNames().size()) - 1;
    int record = 0;
    int runs = 0;
    AddBand(report, TVRBandType::rbDetail, 1000, QString(), [&] { return QStringLiteral("Wiersz %1").arg(record); });
    report.OnNeedData() = Records(3, &record);
    report.BeforePrint = [&](TVelRep *, bool &) { ++runs; };

    testsupport::ScriptedFileDialogs files;
    testsupport::ScriptedPrompter boxes;
    QString failure;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        TVRStandardPreview *w = FindPreview();
        if (!w || report.Running() || !w->Print->isEnabled())
            return;
        poll.stop();
        // Cancel: nothing runs, nothing is said.
        w->Print->click();
        QCoreApplication::processEvents();
        if (runs != 1 || !boxes.boxes.isEmpty())
            failure = QStringLiteral("printed or spoke after Cancel");
        // An existing file: No offers the dialog again, Yes replaces it.
        files.answers << pdf << pdf;
        boxes.Answer(platform::MsgNo);
        boxes.Answer(platform::MsgYes);
        w->Print->click();
        if (!SpinUntil([&] { return runs == 2 && !report.Running(); }))
            failure = QStringLiteral("no print run");
        w->close();
    });
    poll.start();
    QTimer::singleShot(20000, [] {
        if (TVRStandardPreview *w = FindPreview())
            w->close();
    });
    EXPECT_TRUE(report.Preview());
    EXPECT_TRUE(failure.isEmpty()) << failure.toStdString();
    EXPECT_EQ(files.captions, QStringList(3, QStringLiteral("Drukuj do pliku PDF")));
    ASSERT_EQ(files.folders.size(), 3);
    EXPECT_EQ(QFileInfo(files.folders[0]).fileName(), QStringLiteral("Karta oceny ryzyka_ spawacz.pdf"));
    EXPECT_EQ(files.folders[0], SuggestedPdfFileName(report.ReportTitle));
    EXPECT_EQ(boxes.Texts(), QStringList(2, QStringLiteral("Plik %1 już istnieje.\nCzy zastąpić go nowym wydrukiem?")
                                                .arg(QDir::toNativeSeparators(pdf))));
    const QString text = PdfText(pdf);
    if (PdfPageCount(pdf) >= 0) {
        EXPECT_TRUE(text.contains(QStringLiteral("Wiersz 3"))) << text.toStdString();
    }
    // The file named was for that print alone.
    EXPECT_TRUE(report.PrinterSettings.PdfFileName.isEmpty());
}

// Counts the preview windows shown, however briefly.
class PreviewShows : public QObject
{
public:
    PreviewShows() { qApp->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && qobject_cast<TVRStandardPreview *>(watched))
            ++count;
        return false;
    }
};

TEST(ReportPreview, ARunBeforePrintRefusesOpensNoWindow)
{
    TVelRep report;
    AddBand(report, TVRBandType::rbDetail, 1000, QStringLiteral("x"));
    report.BeforePrint = [](TVelRep *, bool &print) { print = false; };
    QTimer::singleShot(20000, [] {
        if (TVRStandardPreview *w = FindPreview())
            w->close();
    });
    PreviewShows shows;
    EXPECT_FALSE(report.Preview());
    EXPECT_EQ(shows.count, 0);
    EXPECT_EQ(report.VRPrinter(), nullptr);
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
