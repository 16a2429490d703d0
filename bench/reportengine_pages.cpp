// Page throughput of the report engine: 1,000 generated pages (text, lines, shapes)
// written to the page list and read back, in memory, spilled to a temporary file and
// coded (on the coder threads, then on one thread, whose files must be the same byte
// for byte); then the same pages printed to a PDF file.
#include "bench/bench_support.h"
#include "reportengine/vr_page_list.h"
#include "reportengine/vr_page_picture.h"
#include "reportengine/vr_printer.h"
#include "reportengine/vr_stream.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

using namespace reportengine;

namespace {

std::unique_ptr<QPicture> GeneratePage(int n)
{
    auto page = NewPagePicture();
    page->setBoundingRect(PageBoundingRect(2100, 2970));
    QPainter p(page.get());
    p.setFont(PageFont(QStringLiteral("Arial"), 10));
    p.drawText(40, 40, QStringLiteral("Karta oceny ryzyka zawodowego – strona %1").arg(n));
    for (int row = 0; row < 30; ++row) {
        const int y = 80 + row * 32;
        p.drawText(44, y + 20, QStringLiteral("Czynnik %1: hałas, źródło światła, pył %2").arg(row).arg(n));
        p.drawText(500, y + 20, QString::number(row * 1.7 + n, 'f', 2));
        p.drawLine(40, y, 754, y);
    }
    p.drawRect(38, 60, 718, 1000);
    p.setBrush(Qt::lightGray);
    p.drawEllipse(QRect(650, 20, 60, 30));
    p.drawRoundedRect(QRect(600, 1070, 150, 30), 5, 5);
    return page;
}

struct Result
{
    double writeSec = 0;
    double readSec = 0;
    qint64 bytes = 0;
    bool spilled = false;
};

Result RoundTrip(const std::vector<std::unique_ptr<QPicture>> &pages, int minSize, bool coded, QByteArray *file = nullptr)
{
    Result r;
    TVRPageList list;
    list.Compression = coded;
    list.SetStream(std::make_unique<TVRStream>(minSize));
    QElapsedTimer t;
    t.start();
    for (const auto &p : pages)
        list.AddPage(*p);
    list.Finish();
    r.writeSec = t.nsecsElapsed() / 1e9;
    t.restart();
    qint64 check = 0;
    for (int n = 1; n <= list.PageCount(); ++n)
        check += list.GetPage(n)->size();
    r.readSec = t.nsecsElapsed() / 1e9;
    r.bytes = list.Stream()->Size();
    r.spilled = !list.Stream()->InMemory();
    if (file) {
        QBuffer out(file);
        out.open(QIODevice::WriteOnly);
        list.Stream()->SaveToStream(out);
        // The creation time is the one byte range two runs may differ in.
        if (file->size() >= 24)
            std::memset(file->data() + 16, 0, 8);
    }
    bench::Require(check > 0 && list.PageCount() == int(pages.size()), "every page stored and read back");
    return r;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    bench::ReadMode(argc, argv);
    QApplication app(argc, argv);
    // Enough pages in the quick mode too for the page list to spill to its file.
    const int kPages = bench::Sized(1000, 40);
    std::vector<std::unique_ptr<QPicture>> pages;
    pages.reserve(kPages);
    for (int n = 1; n <= kPages; ++n)
        pages.push_back(GeneratePage(n));

    struct Mode
    {
        const char *name;
        int minSize;
        bool coded;
        int coderThreads; // -1: the default
    };
    const int threads = TVRPageList::CoderThreads();
    const Mode modes[] = {{"in memory      ", 1 << 30, false, -1},
                          {"spilled to file", 250000, false, -1},
                          {"coded, spilled ", 250000, true, -1},
                          {"coded, 1 thread", 250000, true, 0}};
    QByteArray files[2];
    for (const Mode &m : modes) {
        TVRPageList::SetCoderThreads(m.coderThreads < 0 ? threads : m.coderThreads);
        QByteArray *file = m.coded ? &files[m.coderThreads < 0 ? 0 : 1] : nullptr;
        const Result r = RoundTrip(pages, m.minSize, m.coded, file);
        const double total = r.writeSec + r.readSec;
        std::printf("pages %s: write %.0f pages/s, read %.0f pages/s, write+read %.0f pages/s, "
                    "%.0f bytes/page%s\n",
                    m.name, kPages / r.writeSec, kPages / r.readSec, kPages / total, double(r.bytes) / kPages,
                    r.spilled ? " (file)" : "");
    }
    TVRPageList::SetCoderThreads(threads);
    bench::Require(files[0] == files[1] && !files[0].isEmpty(), "the coded file the same on any number of threads");
    std::printf("coded file on %d coder threads and on one thread: %s (%lld bytes)\n", threads,
                files[0] == files[1] && !files[0].isEmpty() ? "byte-identical" : "DIFFERENT",
                static_cast<long long>(files[0].size()));

    // The coder alone on the same page bytes, so that its share of the coded round trip
    // above can be told apart from the page list and the file.
    {
        std::vector<QByteArray> plain;
        plain.reserve(pages.size());
        qint64 plainBytes = 0;
        for (const auto &p : pages) {
            plain.emplace_back(p->data(), p->size());
            plainBytes += p->size();
        }
        std::vector<QByteArray> codes(plain.size());
        QElapsedTimer t;
        t.start();
        for (size_t i = 0; i < plain.size(); ++i)
            codes[i] = TVRCompress::CompressBytes(plain[i]);
        const double encSec = t.nsecsElapsed() / 1e9;
        t.restart();
        qint64 mismatches = 0;
        for (size_t i = 0; i < plain.size(); ++i)
            if (TVRCompress::ExpandBytes(codes[i].constData(), codes[i].size(), plain[i].size()) != plain[i])
                ++mismatches;
        const double decSec = t.nsecsElapsed() / 1e9;
        bench::Require(mismatches == 0, "every page compressed and expanded to itself");
        std::printf("coder only          : compress %.0f pages/s, expand %.0f pages/s, both %.0f pages/s, "
                    "%.1f ns/byte both ways%s\n",
                    kPages / encSec, kPages / decSec, kPages / (encSec + decSec),
                    (encSec + decSec) * 1e9 / double(plainBytes),
                    mismatches ? " (ROUND TRIP FAILED)" : "");
    }

    // Printing stored pages to PDF.
    QTemporaryDir dir;
    {
        TVRPrinter printer;
        printer.PageList().SetStream(std::make_unique<TVRStream>());
        printer.BeginDoc();
        for (const auto &p : pages) {
            printer.NewPage();
            printer.Canvas()->drawPicture(0, 0, *p);
        }
        printer.EndDoc();
        const QString vrp = dir.filePath("bench.vrp");
        printer.Save(vrp);

        TVRPrinter viewer;
        viewer.Load(vrp);
        viewer.PrinterSettings().SetPrinterIndex(static_cast<int>(PrinterNames().size()) - 1);
        viewer.PrinterSettings().PdfFileName = dir.filePath("bench.pdf");
        QElapsedTimer t;
        t.start();
        viewer.Print();
        const double sec = t.nsecsElapsed() / 1e9;
        bench::Require(QFileInfo(dir.filePath("bench.pdf")).size() > 0, "the stored pages printed to a PDF file");
        std::printf("PDF output: %d pages in %.2f s = %.0f pages/s, %.0f bytes/page of PDF\n", kPages, sec,
                    kPages / sec, double(QFileInfo(dir.filePath("bench.pdf")).size()) / kPages);
    }
    return 0;
}
