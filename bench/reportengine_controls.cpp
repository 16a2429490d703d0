// Text controls: 10,000 memos of about five wrapped lines each, formatted and printed
// onto pages the way a detail band prints a memo per record (stretching the band,
// breaking pages). Texts are made from a Polish word list, different for every memo.
#include "bench_support.h"

#include "reportengine/vr_label.h"
#include "reportengine/vr_page_picture.h"
#include "tests/reportengine/report_test_host.h"

#include <QApplication>
#include <QRandomGenerator>
#include <cstdio>

using namespace reportengine;
using namespace reportengine_test;

namespace {

int memoCount()
{
    return bench::Sized(10000, 200);
}

QStringList MemoTexts(int length)
{
    static const char *const words[] = {
        "pomiar",  "hałasu",     "stanowisko", "pracy",   "ocena",     "ryzyka",   "zawodowego", "pył",
        "drewna",  "frakcja",    "wdychalna",  "źródło",  "światła",   "drgania",  "ogólne",     "miejscowe",
        "środki",  "ochrony",    "indywidualnej", "pracownik", "łączność", "wartość", "dopuszczalna",
        "krotność", "NDS",       "NDN",        "dB(A)",   "2009-03-05", "operator", "tokarki",   "ślusarz",
        "żółta",   "tablica",    "wejście",    "magazyn", "spawalnia", "przegląd", "szkolenie",  "okresowe"};
    constexpr int wordCount = sizeof(words) / sizeof(words[0]);
    QRandomGenerator random(17);
    QStringList texts;
    texts.reserve(memoCount());
    for (int m = 0; m < memoCount(); ++m) {
        QString text;
        while (text.size() < length)
            text += QString::fromUtf8(words[random.bounded(wordCount)]) + QLatin1Char(' ');
        texts << text.trimmed();
    }
    return texts;
}

struct Run
{
    double seconds = 0;
    qint64 lines = 0;
    int pages = 0;
    qint64 pageBytes = 0;
};

Run FormatOnly(const QStringList &texts, double width)
{
    TestReport report;
    TestBand band(&report, 40);
    auto *memo = new TVRMemo(&band);
    memo->SetAutoSize(false);
    memo->Size().SetNativeWidth(width);
    Run r;
    const double start = bench::ThreadCpuSeconds();
    for (const QString &text : texts) {
        memo->SetLines({text});
        memo->FormatLines();
        r.lines += memo->FormattedLines().size();
    }
    r.seconds = bench::ThreadCpuSeconds() - start;
    return r;
}

Run FormatAndPrint(const QStringList &texts, double width)
{
    TestReport report;
    TestBand band(&report, 40);
    auto *memo = new TVRMemo(&band);
    memo->SetAutoSize(false);
    memo->SetAutoStretch(true);
    memo->Size().SetNativeWidth(width);
    memo->Size().SetNativeHeight(40);
    Run r;
    const double start = bench::ThreadCpuSeconds();
    report.Begin();
    for (const QString &text : texts) {
        memo->SetLines({text});
        report.PrintBand(band);
        r.lines += memo->FormattedLines().size();
    }
    report.End();
    r.seconds = bench::ThreadCpuSeconds() - start;
    r.pages = report.Printer().PageCount();
    r.pageBytes = report.Printer().PageList().Stream()->Size();
    return r;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    bench::ReadMode(argc, argv);
    QApplication app(argc, argv);
    struct Layout
    {
        const char *name;
        double width; // tenths of a millimetre
        int length;   // characters of text, about five lines at that width
    };
    const Layout layouts[] = {{"table column, 90 mm", 900, 255}, {"full width, 190 mm", 1900, 560}};
    for (const Layout &layout : layouts) {
        const QStringList texts = MemoTexts(layout.length);
        FormatOnly(texts.mid(0, 500), layout.width); // fonts and caches warm
        std::vector<double> format, print;
        Run lastFormat, lastPrint;
        for (int i = 0; i < bench::Sized(3, 1); ++i) {
            lastFormat = FormatOnly(texts, layout.width);
            format.push_back(lastFormat.seconds);
            lastPrint = FormatAndPrint(texts, layout.width);
            print.push_back(lastPrint.seconds);
        }
        bench::Require(lastPrint.pages > 1 && lastPrint.lines > memoCount() && lastFormat.lines == lastPrint.lines,
                       "every memo formatted and printed onto pages");
        const double kMemos = memoCount();
        const double f = bench::Median(format);
        const double p = bench::Median(print);
        std::printf("%s: %d memos, %lld lines (%.2f a memo), %d pages, %.0f bytes a page\n", layout.name, memoCount(),
                    static_cast<long long>(lastPrint.lines), double(lastPrint.lines) / kMemos, lastPrint.pages,
                    double(lastPrint.pageBytes) / lastPrint.pages);
        std::printf("  format only     : %.0f memos/s, %.0f lines/s\n", kMemos / f, lastFormat.lines / f);
        std::printf("  format and print: %.0f memos/s, %.0f lines/s (target >= 50000 lines/s)\n", kMemos / p,
                    lastPrint.lines / p);
    }
    return 0;
}
