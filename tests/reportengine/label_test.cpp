// Text controls: line breaking, AutoSize, naming, OnPrint, stretching over pages.

#include "report_test_host.h"

#include "reportengine/vr_label.h"
#include "reportengine/vr_text_metrics.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

using namespace reportengine_test;

namespace {

const QFont kMono(QStringLiteral("Courier New"), 10);

// A label whose width holds exactly `chars` monospaced characters.
TVRLabel *MonoLabel(QObject *band, int chars)
{
    auto *label = new TVRLabel(band);
    label->SetAutoSize(false);
    label->SetFont(kMono);
    label->Size().SetNativeWidth((TVRTextMeasure(kMono).Width(QString(chars, 'x')) + 0.5) / kPageFactor);
    return label;
}

QStringList Formatted(TVRLabel *label, const QString &caption)
{
    label->SetCaption(caption);
    return label->FormattedLines();
}

} // namespace

TEST(LabelLineBreaking, RulesOfTheLineTable)
{
    TestReport report;
    TestBand band(&report, 500);
    const struct
    {
        const char *caption;
        int chars;
        bool wordWrap;
        QStringList lines;
    } cases[] = {
        {"one\r\ntwo", 40, true, {"one", "two"}},
        {"one\ntwo", 40, true, {"one", "two"}},           // a lone LF breaks the line
        {"one\n\rtwo", 40, true, {"one", "two"}},         // LF CR as data files write it
        {"one\r\n\r\ntwo", 40, true, {"one", "", "two"}}, // an empty paragraph stays
        {"abc\r\n", 40, true, {"abc", ""}},
        {"", 40, true, {""}},
        {"aaa bbb ccc", 8, true, {"aaa bbb ", "ccc"}}, // the blank stays with its word; equal width fits
        {"aaa bbbb ccc", 8, true, {"aaa ", "bbbb ccc"}},
        {"ABCDEFGHIJKL", 8, true, {"ABCDEFGH", "IJKL"}},               // an over-wide word broken inside, nothing lost
        {"ab LONGWORDXYZ cd", 8, true, {"ab ", "LONGWORD", "XYZ cd"}}, // its rest starts the next line
        {"łącz-ność dla", 8, true, {"łącz-", "ność dla"}},
        {"a  b", 3, true, {"a  ", "b"}},
        {"Zażółć gęślą jaźń", 7, true, {"Zażółć ", "gęślą ", "jaźń"}},
        {"aaa bbb ccc ddd\r\neee fff", 8, false, {"aaa bbb ccc ddd", "eee fff"}}, // clipped when printed
    };
    for (const auto &c : cases) {
        TVRLabel *label = MonoLabel(&band, c.chars);
        label->SetWordWrap(c.wordWrap);
        EXPECT_EQ(Formatted(label, QString::fromUtf8(c.caption)), c.lines) << c.caption;
        delete label;
    }
}

TEST(LabelLineBreaking, ZeroWidthEnormousTextAndUnknownFontsEndQuickly)
{
    TestReport report;
    TestBand band(&report, 500);
    TVRLabel *zero = MonoLabel(&band, 8);
    zero->Size().SetNativeWidth(0);
    EXPECT_EQ(Formatted(zero, QStringLiteral("abc def")), QStringList({""}));

    QElapsedTimer timer;
    timer.start();
    TVRLabel *label = MonoLabel(&band, 60);
    const QStringList broken = Formatted(label, QString(300000, 'x'));
    EXPECT_EQ(broken.size(), 5000);
    EXPECT_EQ(broken.last(), QString(60, 'x'));
    EXPECT_EQ(Formatted(label, QStringLiteral("słowo ").repeated(40000)).size(), 4000);
    EXPECT_LT(timer.elapsed(), 10000);

    auto *unknown = MonoLabel(&band, 10);
    unknown->SetFont(QFont(QStringLiteral("No Such Font Family"), 10));
    EXPECT_GT(Formatted(unknown, QStringLiteral("tekst w nieznanej czcionce, zawinięty")).size(), 1);
}

TEST(Label, AutoSizeKeepsTheRightEdgeOrTheCentreAndOneLineOfHeight)
{
    TestReport report;
    TestBand band(&report, 500);
    for (TAlignment a : {TAlignment::taRightJustify, TAlignment::taCenter}) {
        auto *label = new TVRLabel(&band);
        label->SetAlignment(a);
        label->SetCaption(QStringLiteral("krótki"));
        const double keep = a == TAlignment::taCenter ? 0.5 : 1.0;
        const double anchor = label->Size().NativeLeft() + keep * label->Size().NativeWidth();
        label->SetCaption(QStringLiteral("znacznie dłuższy tekst etykiety"));
        EXPECT_NEAR(label->Size().NativeLeft() + keep * label->Size().NativeWidth(), anchor, 1e-6);
        EXPECT_NEAR(label->Size().NativeWidth() * kPageFactor,
                    TVRTextMeasure(label->Font()).Width(QStringLiteral("znacznie dłuższy tekst etykiety")), 1e-6);
    }
    auto *low = MonoLabel(&band, 10);
    low->Size().SetNativeHeight(1);
    low->SetCaption(QStringLiteral("x"));
    EXPECT_NEAR(low->Size().NativeHeight() * kPageFactor, TVRTextMeasure(kMono).LineHeight() + 1, 1e-6);
}

TEST(Label, NewNameBecomesTheCaptionWhileItIsEmptyOrTheOldName)
{
    TestReport report;
    TestBand band(&report, 100);
    auto *label = new TVRLabel(&band);
    EXPECT_TRUE(label->Caption().isEmpty());
    EXPECT_EQ(label->Color(), QColor(Qt::white));
    label->SetName(QStringLiteral("lNazwisko"));
    label->SetName(QStringLiteral("lImie"));
    EXPECT_EQ(label->Caption(), QStringLiteral("lImie"));
    label->SetCaption(QStringLiteral("Jan"));
    label->SetName(QStringLiteral("lInne"));
    EXPECT_EQ(label->Caption(), QStringLiteral("Jan"));
    EXPECT_EQ(FindPrintable<TVRLabel>(&report, QStringLiteral("lInne")), label);
    EXPECT_EQ(FindPrintable(&report, QStringLiteral("lImie")), nullptr);
}

TEST(Label, OnPrintChangesTextAndFontForOnePrintOnly)
{
    TestReport report;
    TestBand band(&report, 200);
    auto *label = new TVRLabel(&band);
    label->SetCaption(QStringLiteral("stały"));
    int calls = 0;
    label->OnPrint = [&](QObject *sender, QString &value) {
        EXPECT_EQ(sender, label);
        EXPECT_EQ(value, QStringLiteral("stały"));
        if (++calls == 1) {
            value = QStringLiteral("zmieniony na jeden wydruk");
            label->SetFont(QFont(QStringLiteral("Arial"), 20, QFont::Bold));
        }
    };
    report.Begin();
    report.PrintBand(band);
    EXPECT_EQ(label->Caption(), QStringLiteral("stały"));
    EXPECT_EQ(label->Font().pointSize(), 10);
    EXPECT_EQ(label->FormattedLines(), QStringList({"stały"}));
    report.PrintBand(band);
    report.End();
    EXPECT_EQ(AllPageTexts(report.Printer()), QStringList({"zmieniony na jeden wydruk", "stały"}));
}

TEST(Label, AutoStretchGrowsTheBandAndContinuesOnTheNextPage)
{
    TestReport report;
    TestBand band(&report, 100);
    auto *memo = new TVRMemo(&band);
    memo->SetAutoSize(false);
    memo->SetAutoStretch(true);
    memo->Size().SetNativeWidth(1000);
    memo->Size().SetNativeHeight(80); // two lines
    memo->SetText(QStringLiteral("a\r\nb\nc\n\rd"));
    EXPECT_EQ(memo->Lines(), QStringList({"a", "b", "c", "d"}));
    QStringList lines;
    for (int i = 1; i <= 60; ++i)
        lines << QStringLiteral("wiersz %1").arg(i);
    memo->SetLines(lines);
    const int lineHeight = TVRTextMeasure(memo->Font()).LineHeight();
    EXPECT_DOUBLE_EQ(memo->ExpandedHeight(), lineHeight * 60.0);

    report.Begin();
    report.CurrentY = 2000; // little room left on the first page
    report.PrintBand(band);
    report.End();
    EXPECT_EQ(band.PrintedPages, 2);
    EXPECT_TRUE(memo->Finished());
    EXPECT_EQ(AllPageTexts(report.Printer()), lines);
    // On the last page the band grew a line height for each line beyond two.
    const auto onLastPage = CapturePageTexts(*report.Printer().GetPage(2)).size();
    EXPECT_NEAR(band.Stretch, (onLastPage - 2) * lineHeight / kPageFactor, 1e-6);
    EXPECT_EQ(memo->Caption(), memo->Name());
}

TEST(Label, WithoutStretchOnlyTheLinesThatFitArePrinted)
{
    TestReport report;
    TestBand band(&report, 100);
    auto *label = MonoLabel(&band, 5);
    label->Size().SetNativeHeight(50); // one line
    label->SetCaption(QStringLiteral("aaaa bbbb cccc"));
    // A line taller than any page still ends: a line a page, clipped.
    auto *huge = new TVRMemo(&band);
    huge->SetAutoSize(false);
    huge->Size().SetNativeWidth(1900);
    huge->SetAutoStretch(true);
    huge->SetFont(QFont(QStringLiteral("Arial"), 1200));
    huge->SetLines({QStringLiteral("i"), QStringLiteral("i")});
    report.Begin();
    report.PrintBand(band);
    report.End();
    EXPECT_TRUE(label->Finished() && huge->Finished());
    EXPECT_EQ(report.Pages, 3);
    EXPECT_EQ(AllPageTexts(report.Printer()), QStringList({"aaaa ", "i", "i"}));
}
