// Output object: job protocol, pages, notifications, stored files, search, PDF printing.

#include "page_helpers.h"
#include "preview_helpers.h"

#include "reportengine/vr_printer.h"

#include "tests/support/child_process.h"
#include "tests/support/fakes.h"

#include <QCoreApplication>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace reportengine;
using reportengine_test::MakePage;
using reportengine_test::PdfPageCount;
using reportengine_test::RunTool;
using reportengine_test::Tool;

namespace {

QStringList PageTexts(int page, int pages)
{
    return {QStringLiteral("Raport próbny – strona %1 z %2").arg(page).arg(pages),
            QStringLiteral("Zażółć gęślą jaźń ŻÓŁĆ %1").arg(page)};
}

// What a report does: begin, a page per NewPage with text drawn on the canvas, end.
void RunReport(TVRPrinter &printer, int pages)
{
    QList<QStringList> texts;
    for (int p = 1; p <= pages; ++p)
        texts << PageTexts(p, pages);
    reportengine_test::ProducePages(printer, texts);
}

void SaveSizedPage(const QString &path, int w, int l)
{
    TVRPageList list;
    list.SetStream(std::make_unique<TVRStream>());
    list.AddPage(*MakePage({QStringLiteral("x")}, w, l));
    list.Finish();
    ASSERT_TRUE(list.SaveToFile(path));
}

} // namespace

TEST(VRPrinter, JobProtocolErrors)
{
    TVRPrinter printer;
    try {
        printer.NewPage();
        FAIL();
    } catch (const EVRError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("Illegal call to NewPage"));
    }
    printer.BeginDoc();
    try {
        printer.BeginDoc();
        FAIL();
    } catch (const EVRError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("VRPrinter not ready"));
    }
    printer.EndDoc();
    EXPECT_EQ(printer.Status(), TVRPrinter::StatusFinished);
    EXPECT_THROW(printer.NewPage(), EVRError);
}

TEST(VRPrinter, PageRunKeepsEveryPageWithItsSizeAndText)
{
    TVRPrinter printer;
    printer.SetPaperSize(TVRPaperSize::A4);
    EXPECT_EQ(printer.PaperWidth(), 2100);
    RunReport(printer, 3);
    EXPECT_EQ(printer.PageCount(), 3);
    EXPECT_EQ(printer.AvailablePages(), 3);
    for (int p = 1; p <= 3; ++p) {
        const auto page = printer.GetPage(p);
        ASSERT_TRUE(page);
        EXPECT_EQ(page->boundingRect(), QRect(0, 0, 794, 1123));
        EXPECT_EQ(CapturePageTexts(*page), PageTexts(p, 3));
    }
    EXPECT_EQ(printer.GetPage(0), nullptr);
    EXPECT_EQ(printer.GetPage(4), nullptr);
}

TEST(VRPrinter, PagesFollowPaperAndOrientation)
{
    TVRPrinter printer;
    printer.SetPaperSize(TVRPaperSize::A5);
    printer.SetOrientation(TPrinterOrientation::poLandscape);
    EXPECT_EQ(printer.PaperWidth(), 2100);
    EXPECT_EQ(printer.PaperLength(), 1480);
    RunReport(printer, 1);
    EXPECT_EQ(printer.GetPage(1)->boundingRect(), QRect(0, 0, 794, 559));
}

TEST(VRPrinter, PageConversionsUse96PerInchForPages)
{
    TVRPrinter printer;
    printer.BeginDoc();
    EXPECT_DOUBLE_EQ(printer.XFactor, 96.0 / 254.0);
    EXPECT_DOUBLE_EQ(printer.YFactor, 96.0 / 254.0);
    EXPECT_EQ(printer.XPos(254), 96);
    EXPECT_EQ(printer.YSize(2970), 1123);
    EXPECT_EQ(printer.CanvasFont(QStringLiteral("Arial"), 10).pixelSize(), 13);
    printer.Cleanup();
}

TEST(VRPrinter, NotificationsAreQueuedAndInOrder)
{
    TVRPrinter printer;
    QList<int> pages;
    QObject::connect(&printer, &TVRPrinter::pageAvailable, [&](int n) { pages.append(n); });
    printer.BeginDoc();
    printer.NewPage();
    printer.NewPage(); // page 1 finished
    EXPECT_TRUE(pages.isEmpty()); // not delivered inside the report's call
    QCoreApplication::processEvents();
    EXPECT_EQ(pages, QList<int>{1});
    printer.NewPage();
    printer.EndDoc();
    QCoreApplication::processEvents();
    EXPECT_EQ(pages, (QList<int>{1, 2, 3}));
}

TEST(VRPrinter, ClosingThePreviewCancelsABusyRunAndTellsTheMaster)
{
    TVRPrinter printer;
    int closed = 0;
    printer.OnPreviewClosed = [&](TVRPrinter *) { ++closed; };
    QSignalSpy spy(&printer, &TVRPrinter::previewClosed);
    printer.SetShowingPreview(true);
    printer.BeginDoc();
    printer.NewPage();
    printer.ClosePreview();
    EXPECT_TRUE(printer.Cancelled());
    EXPECT_FALSE(printer.ShowingPreview());
    EXPECT_EQ(closed, 1);
    EXPECT_EQ(spy.count(), 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(spy.count(), 1);
    printer.Cleanup();
    EXPECT_EQ(printer.Status(), TVRPrinter::StatusFinished);
    EXPECT_EQ(printer.PageList().PageCount(), 1); // the open page is kept
}

TEST(VRPrinter, CancelOutsideARunDoesNothing)
{
    TVRPrinter printer;
    printer.Cancel();
    EXPECT_FALSE(printer.Cancelled());
}

TEST(VRPrinterLoad, PaperIsTakenFromTheFirstPage)
{
    QTemporaryDir dir;
    struct Case
    {
        int w, l;
        TVRPaperSize paper;
        TPrinterOrientation o;
    };
    const Case cases[] = {
        {2100, 2970, TVRPaperSize::A4Small, TPrinterOrientation::poPortrait},
        {2970, 2100, TVRPaperSize::A4Small, TPrinterOrientation::poLandscape},
        {2159, 2794, TVRPaperSize::Note, TPrinterOrientation::poPortrait},
        {2970, 4200, TVRPaperSize::A3, TPrinterOrientation::poPortrait}, // 4-mm steps misread these
        {1480, 2100, TVRPaperSize::A5, TPrinterOrientation::poPortrait},
        {2100, 1480, TVRPaperSize::A5, TPrinterOrientation::poLandscape},
    };
    for (const Case &c : cases) {
        const QString path = dir.filePath(QStringLiteral("p%1x%2.vrp").arg(c.w).arg(c.l));
        SaveSizedPage(path, c.w, c.l);
        TVRPrinter printer;
        printer.Load(path);
        EXPECT_EQ(printer.PaperSize(), c.paper) << c.w << "x" << c.l;
        EXPECT_EQ(printer.Orientation(), c.o) << c.w << "x" << c.l;
        EXPECT_TRUE(printer.Loaded);
        EXPECT_EQ(printer.Status(), TVRPrinter::StatusFinished);
        EXPECT_EQ(printer.PageCount(), 1);
    }
    const QString custom = dir.filePath("custom.vrp");
    SaveSizedPage(custom, 1000, 1200);
    TVRPrinter printer;
    printer.Load(custom);
    EXPECT_EQ(printer.PaperSize(), TVRPaperSize::Custom);
    EXPECT_NEAR(printer.PaperWidth(), 1000, 10);
    EXPECT_NEAR(printer.PaperLength(), 1200, 10);
}

TEST(VRPrinterLoad, LoadingIsRefusedWhileARunProducesPages)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.vrp");
    SaveSizedPage(path, 2100, 2970);
    TVRPrinter printer;
    printer.BeginDoc();
    printer.NewPage();
    EXPECT_THROW(printer.Load(path), platform::TarvelinError);
    EXPECT_EQ(printer.Status(), TVRPrinter::StatusBusy);
    printer.NewPage(); // the run goes on
    printer.EndDoc();
    EXPECT_EQ(printer.PageCount(), 2);
}

TEST(VRPrinterLoad, ARefusedFileLeavesThePagesShown)
{
    QTemporaryDir dir;
    TVRPrinter printer;
    RunReport(printer, 2);
    const QString bad = dir.filePath("bad.vrp");
    QFile f(bad);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_THROW(printer.Load(bad), platform::TarvelinError);
    EXPECT_THROW(printer.Load(dir.filePath("missing.vrp")), platform::TarvelinError);
    EXPECT_EQ(printer.PageCount(), 2);
    EXPECT_EQ(CapturePageTexts(*printer.GetPage(2)), PageTexts(2, 2));
    EXPECT_FALSE(printer.Loaded);
}

TEST(VRPrinterSave, SavesFinishedPagesOnlyAndSurvivesSavingOverItsSource)
{
    QTemporaryDir dir;
    TVRPrinter printer;
    printer.BeginDoc();
    printer.NewPage();
    EXPECT_FALSE(printer.Save(dir.filePath("busy.vrp")));
    EXPECT_FALSE(QFile::exists(dir.filePath("busy.vrp")));
    printer.EndDoc();
    const QString path = dir.filePath("r.vrp");
    ASSERT_TRUE(printer.Save(path));

    TVRPrinter viewer;
    viewer.Load(path);
    ASSERT_TRUE(viewer.Save(path));
    TVRPrinter again;
    again.Load(path);
    EXPECT_EQ(again.PageCount(), 1);
    auto stored = [&] {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    // On a full disk the stored report stays as it was.
    const QByteArray bytes = stored();
    EXPECT_EQ(testsupport::RunInChild([&] { return QByteArray::number(printer.Save(path)); }, true), "0");
    EXPECT_EQ(stored(), bytes);

    testsupport::ScriptedPrompter prompter;
    EXPECT_FALSE(printer.Save(QStringLiteral("/nonexistent/folder/r.vrp")));
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(prompter.boxes[0].text, QStringLiteral("Błąd dostępu do pliku : /nonexistent/folder/r.vrp"));
}

TEST(VRPrinterSearch, PolishLettersAreComparedWhole)
{
    const auto page = MakePage({QStringLiteral("Miasto ŁÓDŹ i okolice"), QStringLiteral("Bardzo ważne")});
    EXPECT_TRUE(TVRPrinter::SearchPage(QStringLiteral("łódź"), *page, false));
    EXPECT_FALSE(TVRPrinter::SearchPage(QStringLiteral("łódź"), *page, true));
    EXPECT_TRUE(TVRPrinter::SearchPage(QStringLiteral("ŁÓDŹ"), *page, true));
    EXPECT_TRUE(TVRPrinter::SearchPage(QStringLiteral("WAŻNE"), *page, false));
    // The low byte of "ł" is 0x42, "B": it must not match.
    EXPECT_FALSE(TVRPrinter::SearchPage(QStringLiteral("B\u00d3D"), *page, false));
    EXPECT_FALSE(TVRPrinter::SearchPage(QString(), *page, false));
    EXPECT_FALSE(TVRPrinter::SearchPage(QStringLiteral("Warszawa"), *page, false));
}

TEST(VRPrinterSearch, LowerCaseWordIsFoundInUpperAndMixedCase)
{
    const auto page = MakePage({QStringLiteral("HAŁAS"), QStringLiteral("Hałas")});
    EXPECT_TRUE(TVRPrinter::SearchPage(QStringLiteral("hałas"), *page, false));
    const auto mixed = MakePage({QStringLiteral("HaŁaS")});
    EXPECT_TRUE(TVRPrinter::SearchPage(QStringLiteral("hałas"), *mixed, false));
}

// ---------------------------------------------------------------------------------------
// Printing to a PDF file

class PdfPrinting : public ::testing::Test
{
protected:
    QString Pdf(const char *name) const { return m_dir.filePath(QLatin1String(name)); }
    QTemporaryDir m_dir;
};

TEST_F(PdfPrinting, AThreePageReportPrintsWithPolishTextOnA4)
{
    TVRPrinter printer;
    printer.Destination = TVRPrinter::DestinationPrinter;
    printer.PrinterSettings().SetPrinterIndex(static_cast<int>(PrinterNames().size()) - 1); // the PDF file
    ASSERT_TRUE(printer.PrinterSettings().IsPdfDestination());
    printer.PrinterSettings().PdfFileName = Pdf("three.pdf");
    printer.SetPaperSize(TVRPaperSize::A4);
    printer.Title = QStringLiteral("Próba");
    int endOfJob = 0;
    printer.OnEndOfJob = [&](TVRPrinter *) { ++endOfJob; };
    RunReport(printer, 3);
    EXPECT_EQ(endOfJob, 1);
    ASSERT_TRUE(QFile::exists(Pdf("three.pdf")));
    EXPECT_TRUE(QDir(m_dir.path()).entryList({"*.part"}, QDir::Files).isEmpty());

    const QString pdftotext = Tool("pdftotext");
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext not installed";
    const QString text = RunTool(pdftotext, {QStringLiteral("-layout"), Pdf("three.pdf"), QStringLiteral("-")});
    const QStringList pages = text.split(QChar('\f'));
    ASSERT_GE(pages.size(), 3);
    for (int p = 1; p <= 3; ++p)
        for (const QString &t : PageTexts(p, 3))
            EXPECT_TRUE(pages[p - 1].contains(t)) << "page " << p << ": " << t.toStdString() << "\n---\n"
                                                  << pages[p - 1].toStdString();
    EXPECT_EQ(PdfPageCount(Pdf("three.pdf")), 3);
    const QString info = RunTool(Tool("pdfinfo"), {Pdf("three.pdf")});
    EXPECT_TRUE(info.contains(QStringLiteral("(A4)"))) << info.toStdString();
}

TEST_F(PdfPrinting, ARunWithARangePrintsOnlyThosePages)
{
    TVRPrinter printer;
    printer.Destination = TVRPrinter::DestinationPrinter;
    printer.PrinterSettings().SetPrinterIndex(-1);
    printer.PrinterSettings().PdfFileName = Pdf("range.pdf");
    printer.FirstPage = 2;
    printer.LastPage = 3;
    RunReport(printer, 5);
    EXPECT_EQ(printer.PageCount(), 5);
    ASSERT_TRUE(QFile::exists(Pdf("range.pdf")));
    const int count = PdfPageCount(Pdf("range.pdf"));
    if (count < 0)
        GTEST_SKIP() << "pdfinfo not installed";
    EXPECT_EQ(count, 2);
    const QString text = RunTool(Tool("pdftotext"), {Pdf("range.pdf"), QStringLiteral("-")});
    EXPECT_TRUE(text.contains(PageTexts(2, 5)[0]));
    EXPECT_TRUE(text.contains(PageTexts(3, 5)[0]));
    EXPECT_FALSE(text.contains(PageTexts(1, 5)[0]));
    EXPECT_FALSE(text.contains(PageTexts(4, 5)[0]));
}

TEST_F(PdfPrinting, StoredPagesPrintInRangeWithProgress)
{
    TVRPrinter printer;
    printer.SetPaperSize(TVRPaperSize::A4);
    RunReport(printer, 5);
    const QString stored = Pdf("five.vrp");
    ASSERT_TRUE(printer.Save(stored));

    TVRPrinter viewer;
    viewer.Load(stored);
    viewer.PrinterSettings().SetPrinterIndex(static_cast<int>(PrinterNames().size()) - 1);
    viewer.PrinterSettings().PdfFileName = Pdf("stored.pdf");
    viewer.FirstPage = 2;
    viewer.LastPage = 3;
    QList<int> progress;
    QObject::connect(&viewer, &TVRPrinter::progressChanged, [&](int p) { progress.append(p); });
    viewer.Print();
    QCoreApplication::processEvents();
    EXPECT_EQ(progress, (QList<int>{50, 100}));
    ASSERT_TRUE(QFile::exists(Pdf("stored.pdf")));
    const int count = PdfPageCount(Pdf("stored.pdf"));
    if (count < 0)
        GTEST_SKIP() << "pdfinfo not installed";
    EXPECT_EQ(count, 2);
    const QString text = RunTool(Tool("pdftotext"), {Pdf("stored.pdf"), QStringLiteral("-")});
    EXPECT_TRUE(text.contains(PageTexts(2, 5)[1])) << text.toStdString();
    EXPECT_TRUE(text.contains(PageTexts(3, 5)[1]));
    EXPECT_FALSE(text.contains(PageTexts(4, 5)[1]));
    const QString info = RunTool(Tool("pdfinfo"), {Pdf("stored.pdf")});
    EXPECT_TRUE(info.contains(QStringLiteral("(A4)"))) << info.toStdString();
}

TEST_F(PdfPrinting, PagesOfTheMastersOwnRunAreReprintedByTheMaster)
{
    QObject report;
    TVRPrinter printer(&report);
    printer.PrinterSettings().PdfFileName = Pdf("no.pdf");
    RunReport(printer, 2);
    QSignalSpy spy(&printer, &TVRPrinter::printRequested);
    printer.Print();
    QCoreApplication::processEvents();
    EXPECT_EQ(spy.count(), 1);
    EXPECT_FALSE(QFile::exists(Pdf("no.pdf")));
}

TEST_F(PdfPrinting, ACancelledJobLeavesTheOldFileAsItWas)
{
    {
        QFile old(Pdf("keep.pdf"));
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old");
    }
    TVRPrinter printer;
    printer.Destination = TVRPrinter::DestinationPrinter;
    printer.PrinterSettings().SetPrinterIndex(-1);
    printer.PrinterSettings().PdfFileName = Pdf("keep.pdf");
    printer.BeginDoc();
    printer.NewPage();
    printer.Canvas()->drawText(100, 100, QStringLiteral("x"));
    printer.Cancel();
    printer.Cleanup();
    QFile old(Pdf("keep.pdf"));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("old"));
    EXPECT_TRUE(QDir(m_dir.path()).entryList({"*.part"}, QDir::Files).isEmpty());
}

// ---------------------------------------------------------------------------------------
// Page pictures, fonts and settings

TEST(PagePicture, FormatIsPinnedAndPlaybackFollowsTheMappingOnAnyDpi)
{
    auto page = NewPagePicture();
    page->setBoundingRect(PageBoundingRect(2100, 2970));
    {
        QPainter p(page.get());
        p.fillRect(QRect(96, 96, 96, 96), Qt::black); // one inch in, one inch square
    }
    const QByteArray data(page->data(), page->size());
    EXPECT_EQ(data.mid(6, 2).toHex(), QByteArray("0014"));
    EXPECT_TRUE(IsReadablePagePicture(data));

    QImage img(2480, 3508, QImage::Format_RGB32); // A4 at 300 dpi
    img.setDotsPerMeterX(11811);
    img.setDotsPerMeterY(11811);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        PlayPagePicture(p, *page, QTransform::fromScale(300.0 / 96, 300.0 / 96));
    }
    EXPECT_EQ(img.pixelColor(310, 310), QColor(Qt::black));
    EXPECT_EQ(img.pixelColor(590, 590), QColor(Qt::black));
    EXPECT_EQ(img.pixelColor(290, 290), QColor(Qt::white));
    EXPECT_EQ(img.pixelColor(610, 610), QColor(Qt::white));
}

TEST(PagePicture, LayoutFontsUseTheMetricCompatibleFonts)
{
    InstallReportFontSubstitutes();
    if (!QFontDatabase::hasFamily(QStringLiteral("Liberation Sans")))
        GTEST_SKIP() << "fonts-liberation2 not installed";
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("Arial"))).family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("MS Sans Serif"))).family(), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("Times New Roman"))).family(), QStringLiteral("Liberation Serif"));
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("Courier New"))).family(), QStringLiteral("Liberation Mono"));
    EXPECT_EQ(ReportFontSubstitute(QStringLiteral("arial")), QStringLiteral("Liberation Sans"));
    EXPECT_EQ(PageFont(QStringLiteral("Arial"), 10).pixelSize(), 13);
    EXPECT_EQ(PageFont(QStringLiteral("Arial"), 10).family(), QStringLiteral("Arial")); // kept as laid out
}

TEST(PrinterSettings, TablesKeepTheirCodesAndNames)
{
    EXPECT_EQ(PaperCode(TVRPaperSize::A4), 9);
    EXPECT_EQ(PaperCode(TVRPaperSize::A3ExtraTrans), 68);
    EXPECT_EQ(PaperCode(TVRPaperSize::Custom), 256);
    EXPECT_EQ(PaperFromName(QStringLiteral("A4Small")), TVRPaperSize::A4Small);
    EXPECT_EQ(PaperName(TVRPaperSize::vr10X14), QStringLiteral("vr10X14"));
    EXPECT_EQ(PaperFromCode(256), TVRPaperSize::Custom);
    EXPECT_EQ(PaperInfo(TVRPaperSize::Letter).WidthMm, 215.9);
    EXPECT_EQ(PaperInfo(TVRPaperSize::A5).LengthMm, 210);
    EXPECT_EQ(BinCode(TVRBin::First), 1);
    EXPECT_EQ(BinCode(TVRBin::Auto), 7);
    EXPECT_EQ(BinCode(TVRBin::Cassette), 14);
    EXPECT_EQ(BinCode(TVRBin::Last), 14);
    EXPECT_EQ(BinFromCode(14), TVRBin::Cassette);
    EXPECT_EQ(BinFromCode(1), TVRBin::First);
    EXPECT_STREQ(BinName(TVRBin::LargeCapacity), "LargeCapacity");
    EXPECT_EQ(PrinterNames().last(), QStringLiteral("Plik PDF"));
}

TEST(PrinterSettings, AppliedSettingsReachThePrinterAndReadBack)
{
    QPrinter qp(QPrinter::HighResolution);
    qp.setOutputFormat(QPrinter::PdfFormat);
    TPrinterSettings s;
    s.SetPrinter(&qp);
    EXPECT_TRUE(s.IsPdfDestination());
    EXPECT_EQ(s.Device, QStringLiteral("Plik PDF"));
    s.SetPaperSize(TVRPaperSize::A3);
    s.SetOrientation(TPrinterOrientation::poLandscape);
    s.SetCopies(2);
    s.CustomBinCode = 260; // kept, no counterpart here
    s.UseCustomBinCode = true;
    bool applied = false;
    s.OnApplyPrinterSettings = [&](bool &, QPrinter *p) { applied = p == &qp; };
    s.ApplySettings();
    EXPECT_TRUE(applied);
    EXPECT_EQ(qp.pageLayout().pageSize().id(), QPageSize::A3);
    EXPECT_EQ(qp.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_EQ(qp.copyCount(), 2);
    EXPECT_TRUE(qp.fullPage());

    TPrinterSettings back;
    back.SetPrinter(&qp);
    EXPECT_EQ(back.PaperSize, TVRPaperSize::A3);
    EXPECT_EQ(back.Orientation, TPrinterOrientation::poLandscape);
    EXPECT_EQ(back.PaperWidth, 2970);
    EXPECT_EQ(back.PaperLength, 4200);
    EXPECT_EQ(back.Copies, 2);
    EXPECT_EQ(s.CustomBinCode, 260);

    s.SetPaperSize(TVRPaperSize::Custom);
    s.PaperWidth = 1000;
    s.PaperLength = 1500;
    s.SetOrientation(TPrinterOrientation::poPortrait);
    s.ApplySettings();
    const QSizeF mm = qp.pageLayout().pageSize().size(QPageSize::Millimeter);
    EXPECT_NEAR(mm.width(), 100, 0.5);
    EXPECT_NEAR(mm.height(), 150, 0.5);
}

TEST(VRPrinter, ALargeRunMovesToATemporaryFileAndStillReadsBack)
{
    TVRPrinter printer(nullptr, false, 1000); // memory limit from the report's settings
    printer.SetPaperSize(TVRPaperSize::A4);
    RunReport(printer, 6);
    EXPECT_FALSE(printer.PageList().Stream()->InMemory());
    EXPECT_TRUE(QFileInfo(printer.PageList().Stream()->TempFileName()).fileName().startsWith("VRP"));
    for (int p : {6, 1, 4})
        EXPECT_EQ(CapturePageTexts(*printer.GetPage(p)), PageTexts(p, 6));
}

TEST(VRPrinter, CleanupOfAnExportDropsTheOpenPage)
{
    TVRPrinter printer;
    printer.Exporting = true;
    printer.BeginDoc();
    printer.NewPage();
    printer.NewPage();
    printer.Cleanup();
    EXPECT_EQ(printer.Status(), TVRPrinter::StatusFinished);
    EXPECT_EQ(printer.PageList().PageCount(), 1);
    EXPECT_EQ(printer.Canvas(), nullptr);
}

TEST_F(PdfPrinting, FreeingABusyPrinterLeavesNoFileBehind)
{
    {
        TVRPrinter printer;
        printer.Destination = TVRPrinter::DestinationPrinter;
        printer.PrinterSettings().SetPrinterIndex(-1);
        printer.PrinterSettings().PdfFileName = Pdf("gone.pdf");
        printer.BeginDoc();
        printer.NewPage();
        printer.Canvas()->drawText(100, 100, QStringLiteral("x"));
    }
    EXPECT_TRUE(QDir(m_dir.path()).entryList(QDir::Files).isEmpty());
}

TEST(PagePicture, TextIsMeasuredOnAFixed96DpiDevice)
{
    EXPECT_EQ(MeasureDevice()->logicalDpiX(), 96);
    EXPECT_EQ(MeasureDevice()->logicalDpiY(), 96);
    const QFontMetricsF fm(PageFont(QStringLiteral("Arial"), 10), MeasureDevice());
    EXPECT_GT(fm.horizontalAdvance(QStringLiteral("Zażółć")), 30);
    EXPECT_LT(fm.height(), 20);
}
