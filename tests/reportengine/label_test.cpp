// Text controls: line breaking, AutoSize, naming, OnPrint, stretching over pages.

#include "report_test_host.h"

#include "reportengine/vr_label.h"
#include "reportengine/vr_page_picture.h"
#include "reportengine/vr_text_metrics.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

using namespace reportengine;
using namespace reportengine_test;

namespace {

const QFont kMono(QStringLiteral("Courier New"), 10);

// A label on a band whose width holds exactly `chars` monospaced characters.
TVRLabel *MonoLabel(QObject *band, int chars)
{
    auto *label = new TVRLabel(band);
    label->SetAutoSize(false);
    label->SetFont(kMono);
    const double width = TVRTextMeasure(kMono).Width(QString(chars, QLatin1Char('x'))) + 0.5;
    label->Size().SetNativeWidth(width / kPageFactor);
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
    struct Case
    {
        const char *caption;
        int chars;
        QStringList lines;
    };
    const Case cases[] = {
        {"one\r\ntwo", 40, {"one", "two"}},
        {"one\ntwo", 40, {"one", "two"}},             // a lone LF breaks the line
        {"one\n\rtwo", 40, {"one", "two"}},           // LF CR as the data files write it
        {"one\r\n\r\ntwo", 40, {"one", "", "two"}},   // an empty paragraph stays
        {"one\rtwo", 40, {"one", "two"}},
        {"abc\r\n", 40, {"abc", ""}},
        {"", 40, {""}},
        {"aaa bbb ccc", 8, {"aaa bbb ", "ccc"}},      // the blank stays with its word; equal width fits
        {"aaa bbbb ccc", 8, {"aaa ", "bbbb ccc"}},
        {"ABCDEFGHIJKL", 8, {"ABCDEFGH"}},            // rest of an over-wide word dropped, no empty line after
        {"ab LONGWORDXYZ", 8, {"ab ", "LONGWORD"}},   // cut from its end as a line of its own
        {"ab LONGWORDXYZ cd", 8, {"ab ", "LONGWORD", "cd"}},
        {"łącz-ność dla", 8, {"łącz-", "ność dla"}},  // a hyphen ends a word
        {"a  b", 3, {"a  ", "b"}},
        {"Zażółć gęślą jaźń", 7, {"Zażółć ", "gęślą ", "jaźń"}},
    };
    for (const Case &c : cases) {
        TVRLabel *label = MonoLabel(&band, c.chars);
        EXPECT_EQ(Formatted(label, QString::fromUtf8(c.caption)), c.lines) << c.caption;
        delete label;
    }
}

TEST(LabelLineBreaking, WithoutWordWrapAParagraphIsOneClippedLine)
{
    TestReport report;
    TestBand band(&report, 500);
    TVRLabel *label = MonoLabel(&band, 8);
    label->SetWordWrap(false);
    EXPECT_EQ(Formatted(label, QStringLiteral("aaa bbb ccc ddd\r\neee fff ggg")),
              QStringList({"aaa bbb ccc ddd", "eee fff ggg"}));
    label->SetWordWrap(true);
    label->SetAutoSize(true);
    EXPECT_EQ(Formatted(label, QStringLiteral("aaa bbb ccc ddd")), QStringList({"aaa bbb ccc ddd"}));
}

TEST(LabelLineBreaking, ZeroWidthEnormousAndUnknownFontsEndQuickly)
{
    TestReport report;
    TestBand band(&report, 500);
    TVRLabel *zero = MonoLabel(&band, 8);
    zero->Size().SetNativeWidth(0);
    EXPECT_EQ(Formatted(zero, QStringLiteral("abc def")), QStringList({"", ""}));

    QElapsedTimer timer;
    timer.start();
    TVRLabel *label = MonoLabel(&band, 60);
    const QStringList word = Formatted(label, QString(300000, QLatin1Char('x')));
    ASSERT_EQ(word.size(), 1);
    EXPECT_EQ(word.first().size(), 60);
    QString words;
    for (int i = 0; i < 40000; ++i)
        words += QStringLiteral("słowo ");
    EXPECT_EQ(Formatted(label, words).size(), 4000);
    EXPECT_LT(timer.elapsed(), 10000);

    auto *unknown = new TVRLabel(&band);
    unknown->SetAutoSize(false);
    unknown->SetFont(QFont(QStringLiteral("No Such Font Family"), 10));
    unknown->Size().SetNativeWidth(300);
    EXPECT_GT(Formatted(unknown, QStringLiteral("tekst w nieznanej czcionce, zawinięty w wiersze")).size(), 1);
}

TEST(Label, AutoSizeKeepsTheRightEdgeOrTheCentre)
{
    TestReport report;
    TestBand band(&report, 500);
    auto *right = new TVRLabel(&band);
    right->SetAlignment(TAlignment::taRightJustify);
    right->SetCaption(QStringLiteral("krótki"));
    right->Size().SetNativeLeft(1000);
    const double rightEdge = right->Size().NativeLeft() + right->Size().NativeWidth();
    right->SetCaption(QStringLiteral("znacznie dłuższy tekst etykiety"));
    EXPECT_NEAR(right->Size().NativeLeft() + right->Size().NativeWidth(), rightEdge, 1e-6);
    EXPECT_NEAR(right->Size().NativeWidth() * kPageFactor,
                TVRTextMeasure(right->Font()).Width(QStringLiteral("znacznie dłuższy tekst etykiety")), 1e-6);

    auto *centre = new TVRLabel(&band);
    centre->SetAlignment(TAlignment::taCenter);
    centre->SetCaption(QStringLiteral("abc"));
    const double middle = centre->Size().NativeLeft() + centre->Size().NativeWidth() / 2;
    centre->SetCaption(QStringLiteral("abc def ghi jkl"));
    EXPECT_NEAR(centre->Size().NativeLeft() + centre->Size().NativeWidth() / 2, middle, 1e-6);

    // Right to left mirrors the alignment: the left edge stays.
    auto *rtl = new TVRLabel(&band);
    rtl->SetBiDiMode(TBiDiMode::bdRightToLeft);
    rtl->SetAlignment(TAlignment::taRightJustify);
    rtl->SetCaption(QStringLiteral("abc"));
    const double leftEdge = rtl->Size().NativeLeft();
    rtl->SetCaption(QStringLiteral("abc def"));
    EXPECT_DOUBLE_EQ(rtl->Size().NativeLeft(), leftEdge);

    // A label is at least one line high.
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
    EXPECT_FALSE(label->Transparent());
    label->SetName(QStringLiteral("lNazwisko"));
    EXPECT_EQ(label->Caption(), QStringLiteral("lNazwisko"));
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
    EXPECT_EQ(calls, 2);
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
    memo->Size().SetNativeHeight(80);
    QStringList lines;
    for (int i = 1; i <= 60; ++i)
        lines << QStringLiteral("wiersz %1").arg(i);
    memo->SetText(QStringLiteral("a\r\nb\nc\n\rd"));
    EXPECT_EQ(memo->Lines(), QStringList({"a", "b", "c", "d"}));
    memo->SetLines(lines);
    const double lineHeight = TVRTextMeasure(memo->Font()).LineHeight() / kPageFactor;
    EXPECT_DOUBLE_EQ(memo->ExpandedHeight(), TVRTextMeasure(memo->Font()).LineHeight() * 60.0);

    report.Begin();
    report.CurrentY = 2000; // little room left on the first page
    report.PrintBand(band);
    report.End();
    EXPECT_EQ(band.PrintedPages, 2);
    EXPECT_TRUE(memo->Finished());
    EXPECT_EQ(AllPageTexts(report.Printer()), lines);
    // On the last page the band grew one line height for every line beyond the two
    // the memo's own height holds.
    const auto onLastPage = CapturePageTexts(*report.Printer().GetPage(2)).size();
    EXPECT_NEAR(band.Stretch, (onLastPage - 2) * lineHeight, 1e-6);
    EXPECT_EQ(memo->Caption(), memo->Name());
}

TEST(Label, WithoutStretchTheLinesBelowTheControlAreNotPrinted)
{
    TestReport report;
    TestBand band(&report, 100);
    auto *label = MonoLabel(&band, 5);
    label->Size().SetNativeHeight(50); // one line
    label->SetCaption(QStringLiteral("aaaa bbbb cccc"));
    report.Begin();
    report.PrintBand(band);
    report.End();
    EXPECT_TRUE(label->Finished());
    EXPECT_EQ(AllPageTexts(report.Printer()), QStringList({"aaaa "}));
}

TEST(Label, ALineTallerThanAnyPageStillEnds)
{
    TestReport report;
    TestBand band(&report, 100);
    auto *label = new TVRLabel(&band);
    label->SetAutoSize(false);
    label->SetAutoStretch(true);
    label->SetFont(QFont(QStringLiteral("Arial"), 1200));
    label->Size().SetNativeWidth(1900);
    label->SetCaption(QStringLiteral("A B C"));
    report.Begin();
    report.PrintBand(band);
    report.End();
    EXPECT_TRUE(label->Finished());
    EXPECT_LE(report.Pages, 4);
}
