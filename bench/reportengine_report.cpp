// A register-like table report: a title, a page header with 7 column captions, 5,000
// rows of 7 data labels (one of them a memo of up to 3 wrapped lines), a group of 50
// rows with a SUM in its footer, and a page footer "Strona n z N", on A4 portrait.
// Timed: Prepare alone (pages into the page list), and Prepare followed by printing
// the report to a PDF file (the second run that fills in N).
#include "bench_support.h"

#include "reportengine/vr_data_labels.h"
#include "reportengine/vr_data_set.h"
#include "reportengine/vr_label.h"
#include "reportengine/vr_printer.h"
#include "reportengine/vr_report.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <cstdio>

using namespace reportengine;

namespace {

int rowCount()
{
    return bench::Sized(5000, 200);
}

struct Row
{
    int number;
    QString workstation;
    QString factor;
    QString description; // one to three lines in its column
    double value;
    QString date;
    int people;
};

std::vector<Row> MakeRows()
{
    static const char *const words[] = {"pomiar",  "hałasu", "stanowisko", "pracy",     "ocena",    "ryzyka",
                                        "pył",     "drewna", "frakcja",    "wdychalna", "źródło",   "światła",
                                        "drgania", "ogólne", "środki",     "ochrony",   "łączność", "krotność"};
    constexpr int wordCount = sizeof(words) / sizeof(words[0]);
    QRandomGenerator random(18);
    std::vector<Row> rows;
    rows.reserve(rowCount());
    for (int i = 1; i <= rowCount(); ++i) {
        QString description;
        const int length = 10 + random.bounded(80);
        while (description.size() < length)
            description += QString::fromUtf8(words[random.bounded(wordCount)]) + QLatin1Char(' ');
        rows.push_back({i, QStringLiteral("Stanowisko %1").arg(i % 97), QString::fromUtf8(words[i % wordCount]),
                        description.trimmed(), random.bounded(1000) / 10.0,
                        QStringLiteral("2009-%1-%2")
                            .arg(1 + i % 12, 2, 10, QLatin1Char('0'))
                            .arg(1 + i % 28, 2, 10, QLatin1Char('0')),
                        1 + random.bounded(40)});
    }
    return rows;
}

struct RegisterReport
{
    explicit RegisterReport(const std::vector<Row> &rows) : data(QStringLiteral("REJ"), rows)
    {
        data.AddField(QStringLiteral("NR"), TVRFieldKind::Integer, [](const Row &r) { return r.number; });
        data.AddField(QStringLiteral("STANOWISKO"), TVRFieldKind::String, [](const Row &r) { return r.workstation; });
        data.AddField(QStringLiteral("CZYNNIK"), TVRFieldKind::String, [](const Row &r) { return r.factor; });
        data.AddField(QStringLiteral("OPIS"), TVRFieldKind::String, [](const Row &r) { return r.description; });
        data.AddField(QStringLiteral("WARTOSC"), TVRFieldKind::Float, [](const Row &r) { return r.value; });
        data.AddField(QStringLiteral("DATA"), TVRFieldKind::String, [](const Row &r) { return r.date; });
        data.AddField(QStringLiteral("OSOBY"), TVRFieldKind::Integer, [](const Row &r) { return r.people; });
        data.AddField(QStringLiteral("GRUPA"), TVRFieldKind::Integer, [](const Row &r) { return (r.number - 1) / 50; });

        report.ReportTitle = QStringLiteral("Rejestr czynników szkodliwych dla zdrowia");
        report.Page().SetPaperSize(TVRPaperSize::A4);
        report.SetDataSet(&data);
        const double lefts[] = {0, 120, 520, 800, 1400, 1600, 1800};
        const double widths[] = {110, 390, 270, 590, 190, 190, 100};
        const char *captions[] = {"Lp.", "Stanowisko", "Czynnik", "Opis", "Wartość", "Data", "Osoby"};
        const char *fields[] = {"NR", "STANOWISKO", "CZYNNIK", "OPIS", "WARTOSC", "DATA", "OSOBY"};

        TVRBand *title = report.CreateBand(TVRBandType::rbTitle);
        title->Size().SetNativeHeight(120);
        auto *titleText = new TVRSysData(title);
        titleText->SetData(TVRSysDataType::vrsReportTitle);
        titleText->SetFont(QFont(QStringLiteral("Arial"), 14, QFont::Bold));

        TVRBand *header = report.CreateBand(TVRBandType::rbPageHeader);
        header->Size().SetNativeHeight(60);
        TVRBand *detail = report.CreateBand(TVRBandType::rbDetail);
        detail->Size().SetNativeHeight(35);
        const QFont small(QStringLiteral("Arial"), 8);
        for (int c = 0; c < 7; ++c) {
            auto *caption = new TVRLabel(header);
            caption->SetCaption(QString::fromUtf8(captions[c]));
            caption->SetFont(QFont(QStringLiteral("Arial"), 8, QFont::Bold));
            caption->Size().SetNativeLeft(lefts[c]);
            auto *field = new TVRDBText(detail);
            field->SetDataSet(&data);
            field->SetDataField(QString::fromLatin1(fields[c]));
            field->SetFont(small);
            field->SetAutoSize(false);
            field->Size().SetNativeLeft(lefts[c]);
            field->Size().SetNativeWidth(widths[c]);
            field->Size().SetNativeHeight(32);
            if (c == 3) {
                field->SetWordWrap(true);
                field->SetAutoStretch(true);
            } else {
                field->SetWordWrap(false);
            }
            if (c == 4)
                field->Mask = QStringLiteral("0.0");
        }

        auto *group = new TVRGroup(&report);
        group->Expression = QStringLiteral("GRUPA");
        group->Size().SetNativeHeight(0);
        TVRBand *footer = report.CreateBand(TVRBandType::rbGroupFooter);
        footer->Size().SetNativeHeight(60);
        group->SetFooterBand(footer);
        auto *sum = new TVRExpr(footer);
        sum->SetExpression(QStringLiteral("SUM(OSOBY)"));
        sum->SetMaster(&report);
        sum->ResetAfterPrint = true;
        sum->Size().SetNativeLeft(1800);

        TVRBand *pageFooter = report.CreateBand(TVRBandType::rbPageFooter);
        pageFooter->Size().SetNativeHeight(60);
        auto *pageText = new TVRLabel(pageFooter);
        pageText->Size().SetNativeLeft(1600);
        pageFooter->BeforePrint = [this, pageText](TVRCustomBand *, bool &) {
            pageText->SetCaption(QStringLiteral("Strona %1 z %2").arg(report.PageNumber()).arg(pageCount));
        };
    }

    TVRVectorDataSet<Row> data;
    TVelRep report;
    int pageCount = 0;
};

struct Timing
{
    double wall = 0;
    double cpu = 0;
};

template <class F> Timing Time(F run)
{
    QElapsedTimer timer;
    timer.start();
    const double cpu = bench::ThreadCpuSeconds();
    run();
    return {timer.nsecsElapsed() / 1e9, bench::ThreadCpuSeconds() - cpu};
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    bench::ReadMode(argc, argv);
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const std::vector<Row> rows = MakeRows();
    RegisterReport r(rows);
    r.report.PrinterSettings.PrinterIndex = static_cast<int>(PrinterNames().size()) - 1; // the PDF file
    r.report.PrinterSettings.PdfFileName = dir.filePath(QStringLiteral("rejestr.pdf"));
    r.report.ShowProgress = false;

    r.report.Prepare(); // fonts and caches warm
    std::vector<double> prepareWall, prepareCpu, pdfWall, pdfCpu;
    int pages = 0;
    for (int i = 0; i < bench::Sized(5, 1); ++i) {
        const Timing prepare = Time([&] { r.report.Prepare(); });
        pages = r.report.VRPrinter()->PageCount();
        r.pageCount = pages;
        const Timing print = Time([&] { r.report.Print(); });
        prepareWall.push_back(prepare.wall);
        prepareCpu.push_back(prepare.cpu);
        pdfWall.push_back(prepare.wall + print.wall);
        pdfCpu.push_back(prepare.cpu + print.cpu);
    }
    const double pw = bench::Median(prepareWall), pc = bench::Median(prepareCpu);
    const double fw = bench::Median(pdfWall), fc = bench::Median(pdfCpu);
    r.report.Prepare();
    bench::Require(pages > 1 && QFileInfo(r.report.PrinterSettings.PdfFileName).size() > 0,
                   "the register prepared onto pages and printed to a PDF file");
    std::printf("register report: %d rows, %d pages A4, %.0f bytes a page picture, PDF %lld bytes\n", rowCount(), pages,
                double(r.report.VRPrinter()->PageList().Stream()->Size()) / pages,
                static_cast<long long>(QFileInfo(r.report.PrinterSettings.PdfFileName).size()));
    std::printf("  Prepare           : %.0f pages/s (%.3f s; processor %.3f s, %.0f pages/s) (target >= 500)\n",
                pages / pw, pw, pc, pages / pc);
    std::printf("  Prepare plus PDF  : %.0f pages/s (%.3f s; processor %.3f s, %.0f pages/s) (target >= 150)\n",
                pages / fw, fw, fc, pages / fc);
    return 0;
}
