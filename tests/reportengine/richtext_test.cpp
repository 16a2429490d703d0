// Rich text: continuation over band prints, the height it asks for, and the line count
// the printouts size their rows with.

#include "report_test_host.h"

#include "reportengine/vr_richtext.h"
#include "reportengine/vr_text_metrics.h"

#include <QTextDocument>
#include <gtest/gtest.h>

using namespace reportengine_test;

namespace {

QString LongText(int paragraphs)
{
    QStringList p;
    for (int i = 1; i <= paragraphs; ++i)
        p << QStringLiteral("Akapit %1 oceny ryzyka: hałas, pyły, źródła światła i drgania na stanowisku.").arg(i);
    return p.join(QLatin1Char('\n'));
}

} // namespace

TEST(RichText, ThreePagesOfTextContinueAtTheNextCharacter)
{
    TestReport report;
    TestBand band(&report, 120);
    auto *rich = new TVRRichText(&band);
    rich->SetAutoStretch(true);
    rich->Size().SetNativeWidth(800);
    rich->Size().SetNativeHeight(100);
    const QString text = LongText(100);
    rich->SetText(text);
    EXPECT_TRUE(rich->Finished());
    report.Begin();
    report.PrintBand(band);
    report.End();
    EXPECT_GE(band.PrintedPages, 3);
    EXPECT_EQ(report.Pages, band.PrintedPages);
    EXPECT_TRUE(rich->Finished());
    EXPECT_EQ(rich->NextPosition(), rich->TextLength());
    // Nothing lost, nothing printed twice.
    const QStringList lines = AllPageTexts(report.Printer());
    EXPECT_EQ(lines.join(QString()), QString(text).remove(QLatin1Char('\n')));
    EXPECT_EQ(lines.size(), WrappedLineCount(text, 800 * kPageFactor, rich->Font()));
    EXPECT_TRUE(TVRPrinter::SearchPage(QStringLiteral("ŹRÓDŁA"), *report.Printer().GetPage(2), false));
}

TEST(RichText, WithoutStretchingOnePrintFinishesItAndATallLineStillEnds)
{
    TestReport report;
    TestBand band(&report, 120);
    auto *plain = new TVRRichText(&band);
    plain->Size().SetNativeHeight(100);
    plain->SetText(LongText(5));
    auto *huge = new TVRRichText(&band);
    huge->SetAutoStretch(true);
    huge->SetFont(QFont(QStringLiteral("Arial"), 1000));
    huge->SetText(QStringLiteral("A\nB"));
    report.Begin();
    report.PrintBand(band);
    EXPECT_TRUE(plain->Finished());
    EXPECT_EQ(plain->NextPosition(), plain->TextLength());
    report.End();
    EXPECT_TRUE(huge->Finished());
    EXPECT_EQ(report.Pages, 3); // nothing fits on the first; then a line a page, clipped
}

TEST(RichText, ExpandedHeightCoversTheWholeText)
{
    TestReport report;
    TestBand band(&report, 120);
    auto *rich = new TVRRichText(&band);
    rich->Size().SetNativeWidth(600);
    rich->Size().SetNativeHeight(100);
    rich->SetText(QStringLiteral("krótko"));
    EXPECT_DOUBLE_EQ(rich->ExpandedHeight(), 100 * kPageFactor);
    for (int paragraphs : {2, 5, 9, 17}) {
        rich->SetText(LongText(paragraphs));
        QTextDocument doc;
        SetUpRichTextDocument(doc, rich->Text(), 600 * kPageFactor, rich->Font());
        const double needed = doc.size().height() / kPageFactor;
        const double extra = rich->ExpandedHeight() / kPageFactor - 100;
        EXPECT_GE(100 + extra, needed - 1e-6) << paragraphs;
        EXPECT_LT(100 + extra - TVRCustomRichText::kStretchStep, needed) << paragraphs;
        EXPECT_NEAR(std::fmod(extra, TVRCustomRichText::kStretchStep), 0, 1e-6);
    }
}

TEST(WrappedLineCount, CountsLinesAsTheRichTextPrintsThem)
{
    const QFont arial8(QStringLiteral("Arial"), 8);
    EXPECT_EQ(WrappedLineCount(QString(), 100, arial8), 1);
    EXPECT_EQ(WrappedLineCount(QStringLiteral("jeden\ndwa"), 400, arial8), 2);
    EXPECT_EQ(WrappedLineCount(QStringLiteral("jeden\r\ndwa\r\n"), 400, arial8), 3);
    EXPECT_EQ(WrappedLineCount(QStringLiteral("a\rb\n\rc"), 400, arial8), 3);
    const QString row = QStringLiteral("Pył drewna twardego: frakcja wdychalna, pomiar dozymetria indywidualna");
    const int narrow = WrappedLineCount(row, 120, arial8);
    EXPECT_GT(narrow, 2);
    EXPECT_LT(narrow, 8);
    EXPECT_EQ(WrappedLineCount(row, 2000, arial8), 1);
    EXPECT_GT(WrappedLineCount(row, 0, arial8), narrow); // no width: a character a line, no hang
    EXPECT_EQ(WrappedLineCount(row, 120, QFont(QStringLiteral("Arial"), 8)), narrow);
}
