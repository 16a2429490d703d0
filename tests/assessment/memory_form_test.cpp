// The in-memory form that rules are tested on writes as the window does.

#include "assessment/memory_form.h"
#include "storage/formatting.h"

#include <gtest/gtest.h>

using assessment::TMemoryForm;

TEST(MemoryForm, EditsShowNumbersAsTheWindowDoesAndExitOnlyOnAChange)
{
    TMemoryForm form;
    form.Add("ed_A", "1.5");
    QStringList exits;
    form.OnExit = [&](const QString &name) { exits << name; };
    form.SetFieldValue("ed_A", "1.50");
    EXPECT_TRUE(exits.isEmpty());
    form.SetFieldValue("ed_A", "0.123456");
    EXPECT_EQ(form.GetFieldValue("ed_A"), storage::FormatMeasuredValue(0.123456));
    EXPECT_EQ(exits, QStringList{"ed_A"});
    form.SetFieldText("ed_A", "Średnie (20)");
    EXPECT_EQ(form.GetFieldValue("ed_A"), "Średnie (20)");
    EXPECT_EQ(form.Writes.size(), 3);
    form.SetFieldValue("ed_Brak", "1");
    EXPECT_EQ(form.Writes.size(), 3);
}

TEST(MemoryForm, CombosHoldAnIndexAndTheirListsByChoice)
{
    TMemoryForm form;
    auto &c = form.AddCombo("cb_K", {"a (1)", "b (2)"}, 1);
    c.lists << QStringList{"x", "y", "z"};
    EXPECT_EQ(form.GetFieldValue("cb_K"), "1");
    EXPECT_EQ(form.ComboText("cb_K"), "b (2)");
    form.SetFieldValue("cb_K", "7");
    EXPECT_EQ(form.GetFieldValue("cb_K"), "-1");
    form.SetComboChoice("K", 2);
    EXPECT_EQ(form.ComboItems("cb_K"), (QStringList{"x", "y", "z"}));
    EXPECT_EQ(form.GetFieldValue("cb_K"), "0");
    EXPECT_TRUE(form.HasCombo("cb_K"));
    EXPECT_FALSE(form.HasCombo("ed_K"));
}

TEST(MemoryForm, CheckBoxesHeadersFlagsAndRatings)
{
    TMemoryForm form;
    form.Name = "met5Krok_Pomiar_01";
    form.Add("ch_S", "False");
    int exits = 0;
    form.OnExit = [&](const QString &) { ++exits; };
    form.SetFieldValue("ch_S", "True");
    form.SetFieldValue("ch_S", "True");
    EXPECT_EQ(exits, 1);
    form.Add("lb_N").captions = "jeden;dwa";
    form.SetHeaderChoice("N", 2);
    EXPECT_EQ(form.Find("lb_N")->value, "dwa");
    EXPECT_EQ(form.GetFieldValue("lb_N"), "");
    form.SetFieldEnabled("ch_S", "True");
    EXPECT_FALSE(form.IsFieldEnabled("ch_S"));
    form.SetFieldEnabled("ch_S", "true");
    EXPECT_TRUE(form.IsFieldEnabled("ch_S"));
    form.SetRiskAssessment({10, 20, 30, 10});
    ASSERT_EQ(form.Ratings.size(), 1);
    EXPECT_EQ(form.Ratings[0].pregnantWomen, 30);
    EXPECT_EQ(form.FormName(), "met5Krok_Pomiar_01");
    form.ShowWarning("uwaga");
    EXPECT_EQ(form.Messages, QStringList{"uwaga"});
}
