// Reports built in code, prepared into pages: which bands print on which page and in
// what order, for every way the controller walks records.

#include "report_builders.h"

#include "reportengine/vr_composite_report.h"
#include "reportengine/vr_data_set.h"

#include "tests/support/fakes.h"

#include <gtest/gtest.h>

using namespace reporttest;

namespace {

QStringList Numbered(const QString &prefix, int first, int last)
{
    QStringList list;
    for (int i = first; i <= last; ++i)
        list << prefix + QString::number(i);
    return list;
}

// A4 with 10 mm margins: bands print from 100 to 2870.
class BandsTest : public ::testing::Test
{
protected:
    BandsTest() { report.Page().SetPaperSize(TVRPaperSize::A4); }

    TVelRep report;
    int record = 0;
};

TEST_F(BandsTest, StandardBandsPrintInPageOrderWithTheFooterOnTheBottomMargin)
{
    AddBand(report, TVRBandType::rbPageHeader, 100, QStringLiteral("PH"));
    AddBand(report, TVRBandType::rbTitle, 100, QStringLiteral("T"));
    AddBand(report, TVRBandType::rbDetail, 100, QString(), [this] { return QStringLiteral("D%1").arg(record); });
    AddBand(report, TVRBandType::rbSummary, 100, QStringLiteral("S"));
    TVRBand *footer = AddBand(report, TVRBandType::rbPageFooter, 100, QStringLiteral("PF"));
    footer->SetHasChild(true);
    footer->ChildBand()->Size().SetNativeHeight(50);
    AddLabel(footer->ChildBand(), QStringLiteral("PFC"));
    std::vector<double> footerTops;
    footer->BeforePrint = [&](TVRCustomBand *, bool &) { footerTops.push_back(report.CurrentY()); };
    report.OnNeedData() = Records(60, &record);

    ASSERT_TRUE(report.Prepare());
    const auto pages = PageTexts(report);
    ASSERT_EQ(pages.size(), 3u);
    // 2720 is the footer's top: 2870 less the footer and its child.
    EXPECT_EQ(pages[0], QStringList({"PH", "T"}) + Numbered("D", 1, 24) + QStringList({"PF", "PFC"}));
    EXPECT_EQ(pages[1], QStringList("PH") + Numbered("D", 25, 49) + QStringList({"PF", "PFC"}));
    EXPECT_EQ(pages[2], QStringList("PH") + Numbered("D", 50, 60) + QStringList({"S", "PF", "PFC"}));
    EXPECT_EQ(footerTops, std::vector<double>(3, 2720.0));
    EXPECT_EQ(footer->ChildBand()->BandType(), TVRBandType::rbChild);
}

struct Row
{
    QString dept;
    QString team;
    int value;
};

TEST_F(BandsTest, NestedGroupsCloseInnerFirstAndAnEmptyExpressionWrapsEverything)
{
    const std::vector<Row> rows = {{"A", "x", 1}, {"A", "x", 2}, {"A", "y", 3}, {"B", "y", 4}};
    TVRVectorDataSet<Row> data(QStringLiteral("DATA"), rows);
    data.AddField(QStringLiteral("DEPT"), TVRFieldKind::String, [](const Row &r) { return r.dept; });
    data.AddField(QStringLiteral("TEAM"), TVRFieldKind::String, [](const Row &r) { return r.team; });
    report.SetDataSet(&data);
    const auto current = [&data] { return data.Current(); };

    auto *all = new TVRGroup(&report); // no expression: one group around every record
    all->Size().SetNativeHeight(50);
    AddLabel(all, QStringLiteral("ALL"));
    all->SetFooterBand(AddBand(report, TVRBandType::rbGroupFooter, 50, QStringLiteral("/ALL")));
    const auto group = [&](const QString &expression, bool outer) {
        auto *g = new TVRGroup(&report);
        g->Expression = expression;
        g->Size().SetNativeHeight(50);
        TVRLabel *label = AddLabel(g, QString());
        g->BeforePrint = [=](TVRCustomBand *, bool &) { label->SetCaption(outer ? current()->dept : current()->team); };
        g->SetFooterBand(AddBand(report, TVRBandType::rbDetail, 50, QString(),
                                 [=] { return QLatin1Char('/') + (outer ? current()->dept : current()->team); }));
        EXPECT_EQ(g->FooterBand()->BandType(), TVRBandType::rbGroupFooter);
    };
    group(QStringLiteral("DATA.DEPT"), true);
    group(QStringLiteral("TEAM"), false);
    AddBand(report, TVRBandType::rbDetail, 50, QString(), [&] { return QString::number(current()->value); });

    ASSERT_TRUE(report.Prepare());
    EXPECT_EQ(AllTexts(report),
              QStringList({"ALL", "A", "x", "1", "2", "/x", "y", "3", "/y", "/A", "B", "y", "4", "/y", "/B", "/ALL"}));
}

TEST_F(BandsTest, NestedSubDetailsRunOncePerMasterRecordBeforeOrAfterTheDetail)
{
    int sub = 0;
    int subSub = 0;
    int before = 0;
    AddBand(report, TVRBandType::rbDetail, 50, QString(), [&] { return QStringLiteral("D%1").arg(record); });
    report.OnNeedData() = Records(2, &record);

    auto *detail = new TVRSubDetail(&report);
    detail->Size().SetNativeHeight(50);
    TVRLabel *label = AddLabel(detail, QString());
    detail->BeforePrint = [&, label](TVRCustomBand *, bool &) { label->SetCaption(QStringLiteral("S%1").arg(sub)); };
    detail->OnNeedData() = Records(2, &sub);
    detail->SetHasHeader(true);
    AddLabel(detail->HeaderBand(), QStringLiteral("SH"));
    detail->SetHasFooter(true);
    AddLabel(detail->FooterBand(), QStringLiteral("SF"));

    auto *nested = new TVRSubDetail(&report);
    ASSERT_TRUE(nested->SetMaster(detail));
    nested->Size().SetNativeHeight(50);
    TVRLabel *nestedLabel = AddLabel(nested, QString());
    nested->BeforePrint = [&, nestedLabel](TVRCustomBand *, bool &) {
        nestedLabel->SetCaption(QStringLiteral("N%1.%2").arg(sub).arg(subSub));
    };
    nested->OnNeedData() = Records(2, &subSub);

    auto *first = new TVRSubDetail(&report);
    first->SetPrintBefore(true);
    first->Size().SetNativeHeight(50);
    AddLabel(first, QStringLiteral("B"));
    first->OnNeedData() = Records(1, &before);

    // A disabled sub-detail still walks its records (handlers count on it).
    int hidden = 0;
    int hiddenCalls = 0;
    auto *off = new TVRSubDetail(&report);
    off->SetEnabled(false);
    AddLabel(off, QStringLiteral("OFF"));
    off->OnNeedData() = [&](QObject *sender, bool &more) {
        ++hiddenCalls;
        Records(1, &hidden)(sender, more);
    };

    ASSERT_TRUE(report.Prepare());
    const QStringList perRecord = {"SH", "S1", "N1.1", "N1.2", "S2", "N2.1", "N2.2", "SF"};
    EXPECT_EQ(AllTexts(report), QStringList({"B", "D1"}) + perRecord + QStringList({"B", "D2"}) + perRecord);
    EXPECT_EQ(hiddenCalls, 4);

    EXPECT_FALSE(detail->SetMaster(nested)); // would lead back to itself
    EXPECT_EQ(detail->Master(), nullptr);
}

TEST_F(BandsTest, ChildChainsFollowTheirBandAndStayWholeWhenALinkIsRemoved)
{
    TVRBand *detail =
        AddBand(report, TVRBandType::rbDetail, 50, QString(), [this] { return QStringLiteral("D%1").arg(record); });
    detail->SetHasChild(true);
    TVRChildBand *c1 = detail->ChildBand();
    AddLabel(c1, QStringLiteral("C1"));
    c1->SetHasChild(true);
    TVRChildBand *c2 = c1->ChildBand();
    AddLabel(c2, QStringLiteral("C2"));
    EXPECT_EQ(c1->objectName(), QStringLiteral("ChildBand1"));
    EXPECT_EQ(c2->objectName(), QStringLiteral("ChildBand2"));
    report.OnNeedData() = Records(2, &record);
    EXPECT_FALSE(c1->SetParentBand(c2));
    EXPECT_FALSE(detail->SetLinkBand(c2)); // c2 follows detail already

    ASSERT_TRUE(report.Prepare());
    EXPECT_EQ(AllTexts(report), QStringList({"D1", "C1", "C2", "D2", "C1", "C2"}));

    detail->SetHasChild(false);
    EXPECT_EQ(detail->ChildBand(), c2);
    ASSERT_TRUE(report.Prepare());
    EXPECT_EQ(AllTexts(report), QStringList({"D1", "C2", "D2", "C2"}));
}

TEST_F(BandsTest, ForceNewPageGivesEveryGroupItsPageAndTheFirstOneSharesThePageWithTheTitle)
{
    AddBand(report, TVRBandType::rbTitle, 100, QStringLiteral("T"));
    auto *group = new TVRGroup(&report);
    group->Expression = QStringLiteral("G");
    group->ForceNewPage = true;
    TVRLabel *label = AddLabel(group, QString());
    group->BeforePrint = [&](TVRCustomBand *, bool &) {
        label->SetCaption(QStringLiteral("G%1").arg((record + 1) / 2));
    };
    report.Functions().AddFunction(QStringLiteral("G"), QStringLiteral("1"));
    AddBand(report, TVRBandType::rbDetail, 100, QString(), [&] {
        report.Functions().SetIntegerValue(QStringLiteral("G"), (record + 2) / 2); // the next record's group
        return QStringLiteral("D%1").arg(record);
    });
    report.OnNeedData() = Records(6, &record);

    ASSERT_TRUE(report.Prepare());
    const auto pages = PageTexts(report);
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0], QStringList({"T", "G1", "D1", "D2"}));
    EXPECT_EQ(pages[1], QStringList({"G2", "D3", "D4"}));
    EXPECT_EQ(pages[2], QStringList({"G3", "D5", "D6"}));

    delete report.TitleBand(); // without a title the first group still starts on page 1
    ASSERT_TRUE(report.Prepare());
    EXPECT_EQ(PageTexts(report).size(), 3u);
    EXPECT_EQ(PageTexts(report)[0], QStringList({"G1", "D1", "D2"}));
}

// A memo of `lines` lines on a band below a title that leaves 270 of the page free.
TVRMemo *MemoBelowTallTitle(TVelRep &report, int lines)
{
    AddBand(report, TVRBandType::rbTitle, 2500, QStringLiteral("T"));
    TVRBand *band = report.CreateBand(TVRBandType::rbDetail);
    band->Size().SetNativeHeight(50);
    auto *memo = new TVRMemo(band);
    memo->SetAutoSize(false);
    memo->SetAutoStretch(true);
    memo->Size().SetNativeWidth(1000);
    memo->Size().SetNativeHeight(50);
    memo->SetLines(Numbered("L", 1, lines));
    return memo;
}

TEST_F(BandsTest, KeepOnOnePageMovesAStretchingBandWholeToTheNextPage)
{
    MemoBelowTallTitle(report, 10);
    ASSERT_TRUE(report.Prepare());
    auto pages = PageTexts(report);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_GT(pages[0].size(), 1); // split: the first lines under the title
    EXPECT_EQ(pages[0] + pages[1], QStringList("T") + Numbered("L", 1, 10));

    report.DetailBand()->KeepOnOnePage = true;
    ASSERT_TRUE(report.Prepare());
    pages = PageTexts(report);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0], QStringList("T"));
    EXPECT_EQ(pages[1], Numbered("L", 1, 10));
}

TEST_F(BandsTest, AStretchingControlContinuesOverPagesWithEveryLineOnce)
{
    MemoBelowTallTitle(report, 150);
    AddBand(report, TVRBandType::rbPageFooter, 100, QStringLiteral("PF"));
    ASSERT_TRUE(report.Prepare());
    const auto pages = PageTexts(report);
    ASSERT_GE(pages.size(), 3u);
    QStringList lines;
    for (const QStringList &page : pages) {
        EXPECT_EQ(page.back(), QStringLiteral("PF"));
        lines += page.mid(0, page.size() - 1);
    }
    EXPECT_EQ(lines, QStringList("T") + Numbered("L", 1, 150));
}

TEST_F(BandsTest, ARefusedBandDoesNotMoveThePositionAndProgressFollowsTheDataSet)
{
    const std::vector<int> rows = {1, 2, 3, 4};
    TVRVectorDataSet<int> data(QStringLiteral("N"), rows);
    report.SetDataSet(&data);
    TVRBand *detail = AddBand(report, TVRBandType::rbDetail, 100, QStringLiteral("D"));
    detail->SetHasChild(true);
    TVRChildBand *refused = detail->ChildBand();
    refused->SetHasChild(true);
    std::vector<int> progress;
    std::vector<double> positions;
    bool refusedAfterPrint = true;
    refused->BeforePrint = [&](TVRCustomBand *, bool &print) {
        print = false;
        positions.push_back(report.CurrentY());
        progress.push_back(report.VRPrinter()->Progress());
    };
    refused->AfterPrint = [&](TVRCustomBand *, bool printed) { refusedAfterPrint = printed; };
    refused->ChildBand()->BeforePrint = [&](TVRCustomBand *, bool &) { positions.push_back(report.CurrentY()); };

    ASSERT_TRUE(report.Prepare());
    EXPECT_EQ(progress, std::vector<int>({0, 25, 50, 75}));
    EXPECT_EQ(report.VRPrinter()->Progress(), 100);
    EXPECT_FALSE(refusedAfterPrint);
    // The refused band's child is not printed either: the next record follows at once.
    EXPECT_EQ(positions, std::vector<double>({200, 300, 400, 500}));
}

TEST_F(BandsTest, AnEmptyWalkPrintsNothingOrTheBandsOnceWhenAskedTo)
{
    AddBand(report, TVRBandType::rbTitle, 100, QStringLiteral("T"));
    AddBand(report, TVRBandType::rbDetail, 100, QStringLiteral("D"));
    AddBand(report, TVRBandType::rbSummary, 100, QStringLiteral("S"));
    AddBand(report, TVRBandType::rbPageHeader, 100, QStringLiteral("PH"));
    report.OnNeedData() = Records(0, &record);
    ASSERT_TRUE(report.Prepare());
    EXPECT_EQ(report.VRPrinter()->PageCount(), 0);

    const std::vector<int> none;
    TVRVectorDataSet<int> data(QStringLiteral("N"), none);
    report.SetDataSet(&data);
    ASSERT_TRUE(report.Prepare());
    EXPECT_EQ(AllTexts(report), QStringList({"PH", "T", "D", "S"}));
    report.SetPrintIfEmpty(false);
    ASSERT_TRUE(report.Prepare());
    EXPECT_EQ(report.VRPrinter()->PageCount(), 0);
}

TEST_F(BandsTest, GroupHeadersReprintOnNewPagesAndSummariesAlignToTheBottom)
{
    auto *group = new TVRGroup(&report);
    group->ReprintOnNewPage = true;
    group->Size().SetNativeHeight(100);
    AddLabel(group, QStringLiteral("G"));
    AddBand(report, TVRBandType::rbDetail, 100, QString(), [this] { return QStringLiteral("D%1").arg(record); });
    TVRBand *summary = AddBand(report, TVRBandType::rbSummary, 100, QStringLiteral("S"));
    summary->AlignToBottom = true;
    double summaryTop = 0;
    summary->BeforePrint = [&](TVRCustomBand *, bool &) { summaryTop = -1; };
    summary->AfterPrint = [&](TVRCustomBand *, bool) { summaryTop = report.CurrentY() - 100; };
    AddBand(report, TVRBandType::rbPageFooter, 70, QStringLiteral("PF"));
    report.OnNeedData() = Records(30, &record);

    ASSERT_TRUE(report.Prepare());
    const auto pages = PageTexts(report);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0], QStringList("G") + Numbered("D", 1, 26) + QStringList("PF"));
    EXPECT_EQ(pages[1], QStringList("G") + Numbered("D", 27, 30) + QStringList({"S", "PF"}));
    EXPECT_DOUBLE_EQ(summaryTop, 2870 - 70 - 100);
}

TEST_F(BandsTest, DetailsFillTheColumnsOfAPageBeforeTheNextPage)
{
    report.Page().SetColumns(2);
    report.Page().SetColumnSpace(10); // mm
    std::vector<double> xs;
    TVRBand *detail = AddBand(report, TVRBandType::rbDetail, 1000, QStringLiteral("D"));
    detail->AfterPrint = [&](TVRCustomBand *, bool) { xs.push_back(report.CurrentX()); };
    report.OnNeedData() = Records(5, &record);
    ASSERT_TRUE(report.Prepare());
    EXPECT_DOUBLE_EQ(detail->Size().NativeWidth(), (1900 - 100) / 2.0);
    EXPECT_EQ(PageTexts(report).size(), 2u);
    EXPECT_EQ(xs, std::vector<double>({100, 100, 1100, 1100, 100}));
}

TEST_F(BandsTest, ABandTallerThanThePageStopsTheRunWithAMessageOrAnErrorObject)
{
    testsupport::ScriptedPrompter prompter;
    TVRBand *detail = AddBand(report, TVRBandType::rbDetail, 2800, QStringLiteral("D"));
    detail->setObjectName(QStringLiteral("Wiersz"));
    report.SetUnits(TVRUnit::Inches);
    report.OnNeedData() = Records(3, &record);
    EXPECT_FALSE(report.Prepare());
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_EQ(prompter.boxes[0].text, QStringLiteral("Band Wiersz is too high to fit on a page"));
    EXPECT_FALSE(report.Running());
    EXPECT_EQ(report.Units(), TVRUnit::Inches);
    EXPECT_EQ(report.VRPrinter()->Status(), TVRPrinter::StatusFinished);
    // A caller handing in an error object, alone or composed, reads the error there: nothing is shown.
    TVRCompositeReport composite;
    composite.OnAddReports = [this](TVRCompositeReport &c) { c.Reports = {&report}; };
    TVRErrorDetails prepared, composed;
    EXPECT_FALSE(report.Prepare(&prepared));
    EXPECT_FALSE(composite.RunReports(&composed));
    for (const TVRErrorDetails &d : {prepared, composed})
        EXPECT_EQ(d.Message, prompter.boxes[0].text);
    EXPECT_FALSE(composite.Running());
    EXPECT_EQ(prompter.boxes.size(), 1);

    detail->Size().SetNativeHeight(2700);
    ASSERT_TRUE(report.Prepare());
    EXPECT_EQ(report.VRPrinter()->PageCount(), 3);
}

} // namespace
