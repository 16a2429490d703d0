// The angled label: its layout by quadrant and anchor, its font check, and printing.

#include "report_builders.h"

#include "reportengine/vr_angled_label.h"
#include "reportengine/vr_text_metrics.h"

#include "tests/support/fakes.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace reporttest;

namespace {

class AngledLabel : public ::testing::Test
{
protected:
    AngledLabel()
    {
        band = report.CreateBand(TVRBandType::rbDetail);
        band->Size().SetNativeHeight(600);
        label = new TVRAngledLabel(band);
    }

    int TextWidth() const { return int(std::lround(TVRTextMeasure(label->Font()).Width(label->Caption()))); }
    int TextHeight() const { return TVRTextMeasure(label->Font()).LineHeight(); }

    TVelRep report;
    TVRBand *band = nullptr;
    TVRAngledLabel *label = nullptr;
};

TEST_F(AngledLabel, AnglesAreTakenModulo360AndNegativeOnesFromTheOtherSide)
{
    EXPECT_EQ(label->Angle(), 45);
    label->SetAngle(405);
    EXPECT_EQ(label->Angle(), 45);
    label->SetAngle(-90);
    EXPECT_EQ(label->Angle(), 270);
}

TEST_F(AngledLabel, AutoSizeTakesTheRotatedTextsBox)
{
    label->SetCaption(QStringLiteral("Stanowisko pracy"));
    label->SetAngle(0);
    const auto &r = label->LayoutResult();
    EXPECT_EQ(r.W, TextWidth());
    EXPECT_EQ(r.H, TextHeight());
    EXPECT_EQ(label->PixelWidth(), r.W);
    EXPECT_EQ(label->PixelHeight(), r.H);
    EXPECT_EQ(r.X, 0);
    EXPECT_EQ(r.Y, 0);

    label->SetAngle(90);
    EXPECT_EQ(label->PixelWidth(), TextHeight());
    EXPECT_EQ(label->PixelHeight(), TextWidth());
    EXPECT_EQ(r.X, 0);
    EXPECT_EQ(r.Y, TextWidth());
}

TEST_F(AngledLabel, AnchorsKeepTheirCornerOrPlaceTheTextInsideTheControl)
{
    label->SetAutoSize(false);
    label->SetAngle(0);
    label->SetBounds(100, 10, 300, 50);
    label->SetCaption(QStringLiteral("Czynnik"));
    const int w = TextWidth();
    const int h = TextHeight();
    const auto &r = label->LayoutResult();

    label->SetAnchorStyle(TAnchorStyle::asTextCenter);
    EXPECT_EQ(r.X, int(std::lround((300 - w) / 2.0)));
    EXPECT_EQ(r.Y, int(std::lround((50 - h) / 2.0)));
    label->SetAnchorStyle(TAnchorStyle::asTextRight);
    EXPECT_EQ(r.X, 300 - w);
    label->SetAnchorStyle(TAnchorStyle::asTextLeft);
    label->SetAngle(180); // upside down: starts at the right, a text height from the top
    EXPECT_EQ(r.X, 300);
    EXPECT_EQ(r.Y, h);

    // With AutoSize the right edge stays where it was.
    label->SetAngle(0);
    label->SetAnchorStyle(TAnchorStyle::asTextRight);
    label->SetAutoSize(true);
    EXPECT_EQ(label->PixelLeft(), 100 + 300 - w);
    EXPECT_EQ(label->PixelWidth(), w);
    EXPECT_EQ(label->PixelTop(), 10);
}

TEST_F(AngledLabel, AFontThatCannotRotateIsReplacedOrReportedAsTheAlertSays)
{
    testsupport::ScriptedPrompter prompter;
    label->TrueTypeFaces = {QStringLiteral("Liberation Sans")};
    label->SetTrueTypeAlert(TTrueTypeAlert::ttaAbortMessage);
    label->SetFont(QFont(QStringLiteral("Courier New"), 12));
    EXPECT_EQ(label->Font().family(), QStringLiteral("Arial"));
    ASSERT_EQ(prompter.Texts(), QStringList("Font selected is not a TrueType Font. 'Arial' was assigned"));

    label->SetTrueTypeAlert(TTrueTypeAlert::ttaMessage);
    label->SetFont(QFont(QStringLiteral("Courier New"), 12));
    EXPECT_EQ(label->Font().family(), QStringLiteral("Courier New"));
    EXPECT_EQ(prompter.Texts().last(), QStringLiteral("Font selected is not a TrueType Font and can't be rotated"));
}

TEST_F(AngledLabel, ANameBecomesTheCaptionWhileTheCaptionIsTheOldName)
{
    label->SetName(QStringLiteral("vrKol1"));
    EXPECT_EQ(label->Caption(), QStringLiteral("vrKol1"));
    label->SetName(QStringLiteral("vrKol2"));
    EXPECT_EQ(label->Caption(), QStringLiteral("vrKol2"));
    label->SetCaption(QStringLiteral("Ocena"));
    label->SetName(QStringLiteral("vrKol3"));
    EXPECT_EQ(label->Caption(), QStringLiteral("Ocena"));
}

TEST_F(AngledLabel, PrintsTheRotatedTextAndSkipsAControlOfNoHeight)
{
    label->SetAngle(90);
    label->SetCaption(QStringLiteral("Zagrożenie"));
    label->OnPrint = [](QObject *, QString &value) { value += QStringLiteral(" pyłem"); };
    auto *flat = new TVRAngledLabel(band);
    flat->SetAutoSize(false);
    flat->SetCaption(QStringLiteral("niewidoczny"));
    flat->Size().SetNativeHeight(0);
    ASSERT_TRUE(report.Prepare());
    EXPECT_EQ(AllTexts(report), QStringList("Zagrożenie pyłem"));
    EXPECT_EQ(label->Caption(), QStringLiteral("Zagrożenie"));
}

} // namespace
