// Data, expression and system-data labels printed in reports: field texts and masks,
// totals that count every record once, page numbers and dates.

#include "report_builders.h"

#include "reportengine/vr_data_labels.h"
#include "reportengine/vr_data_set.h"

#include <QDate>
#include <gtest/gtest.h>

using namespace reporttest;

namespace {

struct Item
{
    QString group;
    int amount;
    double price;
    QDate date;
    QString note;
};

class DataLabels : public ::testing::Test
{
protected:
    DataLabels()
    {
        for (int i = 1; i <= 7; ++i)
            rows.push_back({i <= 4 ? QStringLiteral("A") : QStringLiteral("B"), i, i * 1.5, QDate(2009, 3, i),
                            QStringLiteral("uwaga %1\nciąg dalszy").arg(i)});
        data.AddField(QStringLiteral("GRUPA"), TVRFieldKind::String, [](const Item &r) { return r.group; });
        data.AddField(QStringLiteral("ILOSC"), TVRFieldKind::Integer, [](const Item &r) { return r.amount; });
        data.AddField(QStringLiteral("CENA"), TVRFieldKind::Float, [](const Item &r) { return r.price; });
        data.AddField(QStringLiteral("DATA"), TVRFieldKind::Date, [](const Item &r) { return r.date; });
        data.AddField(
            QStringLiteral("UWAGI"), TVRFieldKind::String, [](const Item &r) { return r.note; }, true);
        report.SetDataSet(&data);
        detail = report.CreateBand(TVRBandType::rbDetail);
        detail->Size().SetNativeHeight(100);
    }

    TVRDBText *Field(const QString &field, double left, const QString &mask = QString())
    {
        auto *text = new TVRDBText(detail);
        text->SetDataSet(&data);
        text->SetDataField(field);
        text->Mask = mask;
        text->Size().SetNativeLeft(left);
        return text;
    }

    std::vector<Item> rows;
    TVRVectorDataSet<Item> data{QStringLiteral("POZ"), rows};
    TVelRep report;
    TVRBand *detail = nullptr;
};

TEST_F(DataLabels, FieldsPrintTheirRecordsTextByTheMaskAndShowTheirNamesBetweenRuns)
{
    rows.resize(1);
    TVRDBText *price = Field(QStringLiteral("CENA"), 0, QStringLiteral("0.00"));
    Field(QStringLiteral("ILOSC"), 300, QStringLiteral("000"));
    Field(QStringLiteral("DATA"), 600, QStringLiteral("dd mmmm yyyy"));
    Field(QStringLiteral("BRAK"), 900); // no such field: nothing
    TVRDBText *note = Field(QStringLiteral("UWAGI"), 1200);
    note->Size().SetNativeHeight(90);
    EXPECT_EQ(price->Caption(), QStringLiteral("CENA"));
    ASSERT_TRUE(report.Prepare());
    EXPECT_EQ(AllTexts(report), QStringList({"1.50", "001", "01 marca 2009", "uwaga 1", "ciąg dalszy"}));
    EXPECT_EQ(price->Caption(), QStringLiteral("CENA"));
    EXPECT_FALSE(note->IsMemo());
}

TEST_F(DataLabels, GroupTotalsAndTheGrandTotalCountEveryRecordOnceOverRepeatedRuns)
{
    Field(QStringLiteral("ILOSC"), 0);
    auto *group = new TVRGroup(&report);
    group->Expression = QStringLiteral("GRUPA");
    TVRBand *footer = AddBand(report, TVRBandType::rbGroupFooter, 100, QString());
    group->SetFooterBand(footer);
    auto *sum = new TVRExpr(footer);
    sum->SetExpression(QStringLiteral("'Suma: ' + STR(SUM(ILOSC))"));
    sum->ResetAfterPrint = true;
    sum->SetMaster(&report);
    TVRBand *summary = AddBand(report, TVRBandType::rbSummary, 100, QString());
    auto *total = new TVRExpr(summary);
    total->SetExpression(QStringLiteral("SUM(CENA)"));
    total->SetMask(QStringLiteral("0.00"));
    auto *count = new TVRExpr(summary);
    count->SetExpression(QStringLiteral("COUNT"));
    count->Size().SetNativeLeft(500);
    // A disabled detail still feeds the totals, and a record announced twice counts once.
    detail->BeforePrint = [this](TVRCustomBand *band, bool &print) {
        print = data.Row() != 2;
        if (auto *c = band->Controller())
            c->NotifyClients(0);
    };

    const QStringList expected = {"1", "2", "4", "Suma: 10", "5", "6", "7", "Suma: 18", "42.00", "7"};
    ASSERT_TRUE(report.Prepare());
    EXPECT_EQ(AllTexts(report), expected);
    ASSERT_TRUE(report.Prepare());
    EXPECT_EQ(AllTexts(report), expected);
    EXPECT_EQ(total->Caption(), QStringLiteral("SUM(CENA)"));
}

TEST_F(DataLabels, ExpressionsShowNoneWhenEmptyAndPrintTheEnginesErrorText)
{
    auto *empty = new TVRExpr(detail);
    EXPECT_EQ(empty->Caption(), QStringLiteral("(none)"));
    auto *broken = new TVRExpr(detail);
    broken->SetExpression(QStringLiteral("(1+2"));
    broken->Size().SetNativeLeft(300);
    auto *title = new TVRExpr(detail);
    title->SetExpression(QStringLiteral("REPORTTITLE + ' ' + STR(PAGENUMBER)"));
    title->Size().SetNativeLeft(1000);
    report.ReportTitle = QStringLiteral("Rejestr");
    rows.resize(1);

    TVREvaluator evaluator;
    evaluator.Prepare(broken->Expression());
    ASSERT_TRUE(report.Prepare());
    EXPECT_EQ(AllTexts(report), QStringList({" ", evaluator.Value().Text, "Rejestr 1"}));
}

TEST_F(DataLabels, SystemDataPrintsPageNumbersDatesTitleAndRecordNumbers)
{
    auto *page = new TVRSysData(detail);
    page->SetData(TVRSysDataType::vrsPageNumber);
    page->SetText(QStringLiteral("Strona "));
    EXPECT_EQ(page->Caption(), QStringLiteral("Strona (Page#)"));
    const auto add = [this](TVRSysDataType kind, double left) {
        auto *s = new TVRSysData(detail);
        s->SetData(kind);
        s->Size().SetNativeLeft(left);
    };
    add(TVRSysDataType::vrsDate, 400);
    add(TVRSysDataType::vrsReportTitle, 800);
    add(TVRSysDataType::vrsDetailNo, 1200);
    add(TVRSysDataType::vrsDetailCount, 1400);
    detail->ForceNewPage = true;
    report.ReportTitle = QStringLiteral("Karta");
    rows.resize(2);

    ASSERT_TRUE(report.Prepare());
    const QString today = QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd"));
    const auto pages = PageTexts(report);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[1], QStringList({"Strona 2", today, "Karta", "2", "2"}));
    EXPECT_EQ(page->Caption(), QStringLiteral("Strona (Page#)"));
}

TEST(DateMasks, DelphiStyleTokensFormatDatesAndTimes)
{
    const QDateTime t(QDate(2009, 3, 5), QTime(14, 7, 9));
    const struct
    {
        const char *mask;
        const char *text;
    } cases[] = {
        {"yyyy-mm-dd", "2009-03-05"},
        {"d/m/yy", "5-3-09"},
        {"hh:nn:ss", "14:07:09"},
        {"h:mm", "14:07"},
        {"c", "2009-03-05 14:07:09"},
        {"t", "14:07"},
        {"dddd, d mmmm", "czwartek, 5 marca"},
        {"'dnia' dd", "dnia 05"},
        {"hh am/pm", "14 pm"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(FormatDateTimeWithMask(QString::fromUtf8(c.mask), t), QString::fromUtf8(c.text)) << c.mask;
    EXPECT_EQ(FormatDateTimeWithMask(QStringLiteral("c"), QDate(2009, 3, 5).startOfDay()),
              QStringLiteral("2009-03-05"));
}

} // namespace
