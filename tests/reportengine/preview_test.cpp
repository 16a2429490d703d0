// Preview page area and preview window: layout and zoom, navigation, search, progress,
// stored files, printing from the preview, closing while pages are made.

#include "preview_helpers.h"

#include "reportengine/vr_preview.h"
#include "reportengine/vr_preview_window.h"
#include "reportengine/vr_printer.h"
#include "reportengine/vr_report.h"

#include "tests/support/fakes.h"

#include <QCheckBox>
#include <QFile>
#include <QGuiApplication>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QtEndian>
#include <gtest/gtest.h>

#include <memory>

using namespace reportengine;
using namespace reportengine_test;

namespace {

QList<QStringList> ThreePages()
{
    return {{QStringLiteral("Karta szkolenia"), QStringLiteral("Zakład w Łodzi")},
            {QStringLiteral("Protokół powypadkowy"), QStringLiteral("ŁÓDŹ, ul. Piotrkowska")},
            {QStringLiteral("Rejestr czynników"), QStringLiteral("Hałas ponad normę")}};
}

// A window over a printer with finished pages; the window deletes itself on close.
struct OpenPreview
{
    explicit OpenPreview(const QList<QStringList> &pages = ThreePages())
    {
        printer = std::make_unique<TVRPrinter>();
        ProducePages(*printer, pages);
        window = new TVRStandardPreview(printer.get());
        window->resize(900, 700);
        window->show();
        QCoreApplication::processEvents();
    }
    ~OpenPreview()
    {
        if (window)
            window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QString Panel(int i) const { return window->StatusPanels[i]->text(); }
    int Shown() const { return window->VRPreview->PageNumber(); }
    QStringList ShownTexts() const { return CapturePageTexts(*window->VRPreview->Image()->Page()); }

    std::unique_ptr<TVRPrinter> printer;
    QPointer<TVRStandardPreview> window;
};

} // namespace

// ---------------------------------------------------------------------------------------
// The page area

TEST(PreviewControl, ZoomAndPageNumberTakeOnlyValuesInRange)
{
    TVRPrinter printer;
    ProducePages(printer, ThreePages());
    TVRPreview preview;
    preview.SetVRPrinter(&printer);
    EXPECT_TRUE(printer.ShowingPreview());
    EXPECT_EQ(preview.Zoom(), 100);
    for (int z : {1, 2001, 0, -5})
        preview.SetZoom(z);
    EXPECT_EQ(preview.Zoom(), 100);
    preview.SetZoom(2);
    EXPECT_EQ(preview.Zoom(), 2);
    preview.SetZoom(2000);
    EXPECT_EQ(preview.Zoom(), 2000);
    EXPECT_EQ(preview.ZoomState(), TVRZoomState::vrZoomOther);

    preview.SetPageNumber(2);
    EXPECT_EQ(preview.PageNumber(), 2);
    for (int n : {0, 4, -1})
        preview.SetPageNumber(n);
    EXPECT_EQ(preview.PageNumber(), 2);
    EXPECT_EQ(CapturePageTexts(*preview.Image()->Page()), ThreePages()[1]);

    preview.SetVRPrinter(nullptr); // detaching tells the printer its preview closed
    EXPECT_FALSE(printer.ShowingPreview());
}

TEST(PreviewControl, LayoutFollowsTheZoomAndCentresANarrowPage)
{
    TVRPrinter printer;
    ProducePages(printer, ThreePages());
    TVRPreview preview;
    preview.resize(1200, 900);
    preview.show();
    preview.SetVRPrinter(&printer);
    ASSERT_EQ(preview.logicalDpiX(), 96);
    // A4 is 2100 x 2970 tenths of a millimetre: 794 x 1123 screen pixels at 96 per inch,
    // and 4 pixels of border and shadow.
    EXPECT_EQ(preview.Image()->size(), QSize(798, 1127));
    preview.SetZoom(50);
    EXPECT_EQ(preview.Image()->size(), QSize(401, 566));
    QCoreApplication::processEvents();
    const int viewport = preview.viewport()->width();
    EXPECT_EQ(preview.Image()->x(), (viewport - 401) / 2);

    preview.ZoomToFit();
    const QSize client = preview.maximumViewportSize();
    const int expected = qMin(qRound(client.width() / 794.0 * 95), qRound(client.height() / 1123.0 * 95));
    EXPECT_EQ(preview.Zoom(), expected);
    EXPECT_EQ(preview.ZoomState(), TVRZoomState::vrZoomToFit);
    preview.ZoomToWidth();
    EXPECT_EQ(preview.Zoom(), qRound(client.width() / 794.0 * 90));
    // Width is applied again when the area changes.
    preview.resize(700, 900);
    QCoreApplication::processEvents();
    EXPECT_EQ(preview.Zoom(), qRound(preview.maximumViewportSize().width() / 794.0 * 90));
}

TEST(PreviewControl, PagesShowAsTheyArriveAndAFreedPrinterLeavesNoPage)
{
    auto printer = std::make_unique<TVRPrinter>();
    TVRPreview preview;
    QList<int> available;
    preview.OnPageAvailable = [&](TVRPreview *, int n) { available << n; };
    preview.SetVRPrinter(printer.get());
    EXPECT_EQ(preview.Image()->Page(), nullptr);
    printer->BeginDoc();
    printer->NewPage();
    DrawReportPage(*printer, {QStringLiteral("Pierwsza")});
    printer->NewPage();
    QCoreApplication::processEvents();
    ASSERT_NE(preview.Image()->Page(), nullptr);
    EXPECT_EQ(CapturePageTexts(*preview.Image()->Page()), QStringList{QStringLiteral("Pierwsza")});
    printer->EndDoc();
    QCoreApplication::processEvents();
    EXPECT_EQ(available, (QList<int>{1, 2}));

    printer.reset();
    EXPECT_TRUE(preview.VRPrinter() == nullptr && preview.Image()->Page() == nullptr);
    preview.SetPageNumber(2); // nothing to show, nothing touched
    preview.repaint();
}

// ---------------------------------------------------------------------------------------
// The window

TEST(PreviewWindow, ButtonsKeysAndGoToPageWalkThePages)
{
    testsupport::ScriptedDialogs dialogs;
    OpenPreview p;
    EXPECT_EQ(p.window->windowTitle(), QStringLiteral("Report Preview : "));
    EXPECT_EQ(p.Panel(1), QStringLiteral("Page 1 of 3"));
    EXPECT_EQ(p.window->ThumbGrid->rowCount(), 3);
    for (int i = 0; i < 3; ++i) // the third on the last page: nothing
        p.window->nextPage->click();
    EXPECT_EQ(p.Shown(), 3);
    EXPECT_EQ(p.ShownTexts(), ThreePages()[2]);
    p.window->FirstPage->click();
    p.window->PreviousPage->click();
    EXPECT_EQ(p.Shown(), 1);
    EXPECT_EQ(p.Panel(1), QStringLiteral("Page 1 of 3"));

    const auto key = [&](int k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QKeyEvent e(QEvent::KeyPress, k, m);
        QApplication::sendEvent(p.window->VRPreview->viewport(), &e);
        return p.Shown();
    };
    EXPECT_EQ(key(Qt::Key_PageDown, Qt::ControlModifier), 3);
    EXPECT_EQ(key(Qt::Key_PageUp), 2);
    EXPECT_EQ(key(Qt::Key_Home), 1);
    EXPECT_EQ(p.window->ThumbGrid->currentRow(), 0);

    // 0, past the end and not a number: the first page, no error; cancelled (none typed): stays.
    const std::pair<const char *, int> typed[] = {{"3", 3}, {"0", 1}, {"2", 2}, {"99", 1}, {"trzy", 1}, {nullptr, 1}};
    for (const auto &[page, shown] : typed) {
        if (page)
            dialogs.steps << TypePage(QString::fromLatin1(page));
        p.window->GotoPageButton->click();
        EXPECT_EQ(dialogs.titles.last(), QStringLiteral("Select a page from 1 to 3"));
        EXPECT_TRUE(p.Shown() == shown && p.window->ThumbGrid->currentRow() == shown - 1) << (page ? page : "none");
    }

    // A thumbnail picked by the user shows its page.
    p.window->ThumbGrid->selectRow(1);
    EXPECT_EQ(p.Shown(), 2);
    key(Qt::Key_Escape);
    QCoreApplication::processEvents();
    EXPECT_FALSE(p.window && p.window->isVisible());
}

TEST(PreviewWindow, OpensTallEnoughForAWholePageAtPageWidthAndThenWhereTheUserLeftIt)
{
    // Most of the screen's height; wide enough beside the tabs for the page at its width.
    EXPECT_EQ(TVRStandardPreview::DefaultSize(QRect(0, 0, 1920, 1050), 200, 120), QSize(823, 945));
    TVelRep report; // a report of the engine's own 500 x 500
    TVRPrinter printer;
    printer.Master = &report;
    ProducePages(printer, ThreePages());
    QRect kept;
    TVRStandardPreview::SetGeometryKeeper(
        {[&kept](QWidget &w) { return !kept.isNull() && (w.setGeometry(kept), true); },
         [&kept](QWidget &w) { kept = w.geometry(); }});
    const auto open = [&printer] {
        auto *window = new TVRStandardPreview(&printer); // it deletes itself on close
        window->show();
        QCoreApplication::processEvents();
        return window;
    };
    TVRStandardPreview *window = open();
    EXPECT_EQ(window->height(), QGuiApplication::primaryScreen()->availableGeometry().height() * 9 / 10);
    EXPECT_LE(window->Tabs->tabBar()->sizeHint().width(), window->Tabs->width()); // both tabs whole
    window->resize(700, 480);
    window->close();
    window = open();
    EXPECT_EQ(window->size(), QSize(700, 480)); // as the user left it
    window->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    TVRStandardPreview::SetGeometryKeeper({});
}

TEST(PreviewWindow, SearchComparesWholeCharactersSoPolishWordsAreFound)
{
    testsupport::ScriptedDialogs dialogs;
    OpenPreview p;
    dialogs.steps << Search(QStringLiteral("łódź")) << Search(QStringLiteral("łódź"), true)
                  << Search(QStringLiteral("Piotrkowska")) << Search(QStringLiteral("B"));
    p.window->FindButton->click();
    EXPECT_EQ(ResultItems(*p.window), QStringList{QStringLiteral("Page 2")});
    EXPECT_TRUE(p.window->SearchResultBox->isEnabled());
    EXPECT_EQ(p.window->SearchTextLabel->text(), QStringLiteral("łódź"));
    p.window->SearchResultBox->itemClicked(p.window->SearchResultBox->item(0));
    EXPECT_EQ(p.Shown(), 2);

    p.window->FindButton->click(); // matching case: "łódź" is not "ŁÓDŹ"
    EXPECT_EQ(ResultItems(*p.window), QStringList{QStringLiteral("No matching text")});
    EXPECT_FALSE(p.window->SearchResultBox->isEnabled());

    p.window->FindButton->click();
    EXPECT_EQ(ResultItems(*p.window), QStringList{QStringLiteral("Page 2")});
    // "B" is not the low byte of "ł": nothing on these pages has a B.
    p.window->FindButton->click();
    EXPECT_EQ(ResultItems(*p.window), QStringList{QStringLiteral("No matching text")});
    EXPECT_EQ(dialogs.titles.first(), QStringLiteral("Search for Text"));

    // Cancelled: the last results stay.
    p.window->FindButton->click();
    EXPECT_EQ(ResultItems(*p.window), QStringList{QStringLiteral("No matching text")});
}

TEST(PreviewWindow, ProgressShowsEveryFivePercentAndClearsAtTheEnds)
{
    TVRPrinter printer;
    TVRStandardPreview *w = new TVRStandardPreview(&printer);
    const std::pair<int, const char *> steps[] = {{0, ""},     {3, ""},   {5, "5%"}, {8, "5%"},
                                                  {12, "12%"}, {100, ""}, {4, ""}};
    for (const auto &[percent, shown] : steps) {
        printer.SetProgress(percent);
        QCoreApplication::processEvents();
        EXPECT_EQ(w->StatusPanels[0]->text(), QString::fromLatin1(shown)) << percent;
    }
    w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(PreviewWindow, SavedReportLoadsBackAndABadFileLeavesThePagesShown)
{
    testsupport::ScriptedFileDialogs files;
    testsupport::ScriptedPrompter boxes;
    QTemporaryDir dir;
    OpenPreview p;
    p.window->LastPageClick();
    files.answers << dir.filePath("raport"); // no extension: ".VRP" is added
    p.window->SaveReport->click();
    EXPECT_EQ(files.captions.last(), QStringLiteral("Save report"));
    ASSERT_TRUE(QFile::exists(dir.filePath("raport.VRP")));

    // Another report in the window, then the saved one loaded over it.
    OpenPreview other({{QStringLiteral("Inny raport")}});
    files.answers << dir.filePath("raport.VRP");
    other.window->LoadReport->click();
    EXPECT_EQ(files.captions.last(), QStringLiteral("Load report"));
    EXPECT_TRUE(other.window->LoadedFromFile());
    EXPECT_EQ(other.window->Title(), QStringLiteral("raport.VRP"));
    EXPECT_EQ(other.Panel(2), QStringLiteral("raport.VRP"));
    EXPECT_EQ(other.Panel(1), QStringLiteral("Page 1 of 3"));
    EXPECT_EQ(other.window->ThumbGrid->rowCount(), 3);
    // Page 1 of the file, although page 1 of the old report was on screen.
    EXPECT_EQ(other.ShownTexts(), ThreePages()[0]);
    EXPECT_TRUE(other.window->Print->isEnabled());

    // A file that is not a report, and one that is not there: a message, pages stay.
    QFile junk(dir.filePath("junk.VRP"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(300, 'x'));
    junk.close();
    files.answers << junk.fileName() << dir.filePath("nothing.VRP");
    other.window->LoadReport->click();
    other.window->LoadReport->click();
    ASSERT_EQ(boxes.boxes.size(), 2);
    EXPECT_TRUE(boxes.boxes[0].text.contains(QStringLiteral("nie jest zapisanym raportem")));
    EXPECT_EQ(boxes.boxes[1].text, QStringLiteral("File does not exist"));
    EXPECT_EQ(other.window->PageCount(), 3);
    EXPECT_EQ(other.ShownTexts(), ThreePages()[0]);
}

TEST(PreviewWindow, ADamagedPageOfALoadedFileIsToldAndTheOtherPagesStillShow)
{
    testsupport::ScriptedFileDialogs files;
    testsupport::ScriptedPrompter boxes;
    QTemporaryDir dir;
    const QString path = dir.filePath("uszkodzony.VRP");
    {
        TVRPrinter writer;
        writer.PageList().Compression = true;
        ProducePages(writer, ThreePages());
        ASSERT_TRUE(writer.Save(path));
    }
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadWrite));
    QByteArray bytes = f.readAll();
    const qint32 second = qFromLittleEndian<qint32>(bytes.constData() + 132); // where page 2 starts
    for (int i = second + 16; i < second + 60; ++i)
        bytes[i] = '\xff';
    f.seek(0);
    f.write(bytes);
    f.close();

    OpenPreview p;
    files.answers << path;
    p.window->LoadReport->click();
    ASSERT_TRUE(p.window->LoadedFromFile());
    p.window->nextPage->click();
    ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_TRUE(boxes.boxes[0].text.contains(QStringLiteral("uszkodzony"))) << boxes.boxes[0].text.toStdString();
    EXPECT_EQ(p.window->VRPreview->Image()->Page(), nullptr);
    p.window->LastPageClick();
    EXPECT_EQ(p.ShownTexts(), ThreePages()[2]);
}

TEST(PreviewWindow, AWindowFreedWithoutClosingStillEndsTheWait)
{
    TVRPrinter printer;
    QWidget *w = TVRStandardPreviewInterface().Show(&printer);
    ASSERT_TRUE(w);
    QTimer::singleShot(0, w, [w] { delete w; });
    WaitForPreviewClose(&printer); // returns: the freed window told the printer
    EXPECT_FALSE(printer.ShowingPreview());
}

TEST(PreviewWindow, PrintSetupAndPrintPutARangeIntoAPdfFile)
{
    testsupport::ScriptedDialogs dialogs;
    QTemporaryDir dir;
    const QString pdf = dir.filePath("zakres.pdf");
    OpenPreview p;
    EXPECT_TRUE(p.window->Print->isEnabled());
    dialogs.steps << [&](QDialog &d) {
        auto &pd = dynamic_cast<QPrintDialog &>(d);
        EXPECT_TRUE(pd.testOption(QAbstractPrintDialog::PrintPageRange));
        EXPECT_EQ(pd.maxPage(), 3);
        pd.printer()->setOutputFormat(QPrinter::PdfFormat);
        pd.printer()->setOutputFileName(pdf);
        pd.printer()->setPrintRange(QPrinter::PageRange);
        pd.printer()->setFromTo(2, 3);
        return int(QDialog::Accepted);
    };
    p.window->PrintSetup->click();
    EXPECT_TRUE(p.printer->FirstPage == 2 && p.printer->LastPage == 3);
    EXPECT_TRUE(p.printer->PrinterSettings().IsPdfDestination());
    p.window->Print->click();
    ASSERT_TRUE(QFile::exists(pdf));
    const int pages = PdfPageCount(pdf);
    if (pages < 0)
        GTEST_SKIP() << "pdfinfo not installed (tools/deps.sh installs poppler-utils)";
    EXPECT_EQ(pages, 2);
    const QString text = PdfText(pdf);
    EXPECT_FALSE(text.contains(QStringLiteral("Karta szkolenia")));
    EXPECT_TRUE(text.contains(QStringLiteral("ŁÓDŹ, ul. Piotrkowska"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("Hałas ponad normę")));
}

TEST(PreviewWindow, APageRangePastTheEndPrintsNothing)
{
    QTemporaryDir dir;
    OpenPreview p;
    p.printer->PrinterSettings().SetPrinterIndex(static_cast<int>(PrinterNames().size()) - 1);
    p.printer->PrinterSettings().PdfFileName = dir.filePath("nic.pdf");
    p.printer->FirstPage = 7;
    p.printer->LastPage = 9;
    p.window->Print->click();
    EXPECT_FALSE(QFile::exists(dir.filePath("nic.pdf")));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).isEmpty());
}

TEST(PreviewWindow, ClosingWhilePagesAreMadeCancelsTheRun)
{
    TVRPrinter printer;
    TVRStandardPreviewInterface().Show(&printer);
    TVRStandardPreview *w = FindPreview();
    ASSERT_TRUE(w);
    EXPECT_EQ(w->windowModality(), Qt::ApplicationModal);
    // A second preview of the same printer is not opened.
    EXPECT_EQ(TVRStandardPreviewInterface().Show(&printer), nullptr);
    printer.BeginDoc();
    int made = 0;
    for (int i = 1; i <= 50 && !printer.Cancelled(); ++i) {
        printer.NewPage();
        DrawReportPage(printer, {QStringLiteral("Strona %1").arg(i)});
        ++made;
        QCoreApplication::processEvents();
        if (i == 3) {
            EXPECT_FALSE(w->LoadReport->isEnabled() || w->SaveReport->isEnabled()); // no file is loaded into a run
            w->ExitButton->click();
        }
    }
    EXPECT_EQ(made, 3);
    EXPECT_TRUE(printer.Cancelled() && !printer.ShowingPreview());
    printer.Cleanup();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(FindPreview(), nullptr);
    WaitForPreviewClose(&printer); // closed already: returns at once
}

// ---------------------------------------------------------------------------------------
// On a real X display (run under Xvfb by ctest): what the screen shows at 100 % and at
// page width is the whole page, as sharp as the page drawn straight at that size.

namespace {

// The page as the preview should show it: drawn at the preview's scale on white, with
// the border.
QImage RenderedPage(const QPicture &page, const QSize &size)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setPen(Qt::black);
    p.drawRect(QRect(QPoint(0, 0), size).adjusted(0, 0, -1, -1));
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRect box = page.boundingRect();
    QTransform t;
    t.scale(double(size.width()) / box.width(), double(size.height()) / box.height());
    PlayPagePicture(p, page, t);
    return img;
}

// Mean difference per channel, and the share of dark among the inked pixels (a page
// blown up from a small bitmap has grey edges and few dark pixels).
struct Compared
{
    double meanDifference = 0;
    double darkShare = 0;
};

Compared Compare(const QImage &shot, const QImage &expected)
{
    Compared c;
    qint64 diff = 0, dark = 0, inked = 0;
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            const QRgb a = shot.pixel(x, y), b = expected.pixel(x, y);
            diff += qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) + qAbs(qBlue(a) - qBlue(b));
            const int l = qGray(a);
            if (l < 200 && x > 2 && y > 2 && x < expected.width() - 3 && y < expected.height() - 3) {
                ++inked;
                dark += l < 80;
            }
        }
    }
    c.meanDifference = double(diff) / (3.0 * expected.width() * expected.height());
    c.darkShare = inked ? double(dark) / inked : 0;
    return c;
}

} // namespace

TEST(PreviewOnScreen, PageIsWholeAndSharpAt100PercentAndAtPageWidth)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        GTEST_SKIP() << "needs an X display (ctest runs it under xvfb-run)";
    QList<QStringList> pages;
    QStringList lines;
    for (int i = 1; i <= 40; ++i)
        lines << QStringLiteral("%1. Zażółć gęślą jaźń – pomiar hałasu i źródła światła, wiersz %1").arg(i);
    pages << lines;
    OpenPreview p(pages);
    p.window->setWindowState(Qt::WindowNoState);
    p.window->resize(1300, 1340);
    p.window->move(0, 0);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(p.window));
    QTemporaryDir tmp;
    const QString folder = qEnvironmentVariableIsEmpty("TARVELIN_SCREENSHOT_DIR") ? tmp.path()
                                                                                 : qEnvironmentVariable("TARVELIN_SCREENSHOT_DIR");
    for (const bool width : {false, true}) {
        SCOPED_TRACE(width ? "page width" : "100 %");
        width ? p.window->ZoomToWidthClick() : p.window->Zoom100Click();
        QTest::qWait(200);
        const QPixmap shot = p.window->screen()->grabWindow(p.window->winId());
        const QImage image = shot.toImage();
        image.save(QDir(folder).filePath(width ? "preview_page_width.png" : "preview_100.png"));
        TVRPreviewImage *pageImage = p.window->VRPreview->Image();
        const QSize pagePx(pageImage->width() - 4, pageImage->height() - 4);
        const QPoint at = pageImage->mapTo(p.window, QPoint(0, 0)) * shot.devicePixelRatio();
        const QRect visible = p.window->VRPreview->viewport()->rect();
        const QRect pageOnViewport(pageImage->mapTo(p.window->VRPreview->viewport(), QPoint(0, 0)), pagePx);
        if (!width) {
            EXPECT_EQ(pagePx, QSize(794, 1123));
            EXPECT_TRUE(visible.contains(pageOnViewport)) << "the whole page is in view";
        } else {
            EXPECT_GE(pageOnViewport.left(), 0);
            EXPECT_LE(pageOnViewport.right(), visible.right()) << "the page's width is in view";
        }
        const int rows = qMin(pagePx.height(), visible.height() - qMax(0, pageOnViewport.top()));
        const QImage onScreen = image.copy(QRect(at, QSize(pagePx.width(), rows)));
        const QImage expected = RenderedPage(*pageImage->Page(), pagePx).copy(0, 0, pagePx.width(), rows);
        const Compared c = Compare(onScreen, expected);
        EXPECT_LT(c.meanDifference, 2.0);
        EXPECT_GT(c.darkShare, 0.25);
    }
}
