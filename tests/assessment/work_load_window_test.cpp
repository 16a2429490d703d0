// Work-load measurements entered in the real measurement window, headless: the static-load
// angle list that follows the body position and survives a save, physical effort with the
// permitted values typed, the psychological scale and monotony, each saved and read back.

#include "shipped_form_fixture.h"

using namespace shippedforms;

class WorkLoadWindow : public WindowOnShippedForm
{
protected:
    // Saves, reads back and checks the ratings stored in the file.
    void ExpectReadBackRatings()
    {
        const auto r = SavedMeasurement();
        ASSERT_TRUE(r);
        EXPECT_TRUE(storage::SameFields(m->Fields, r->Fields));
    }
};

TEST_F(WorkLoadWindow, AnglesOfANewBodyPositionAreSavedAsChosen)
{
    Open(70003, QStringLiteral("obc_stat"), QStringLiteral("1.0"));
    auto *angles = Control<QComboBox>("cb_KatKMl");
    ASSERT_TRUE(angles);
    ASSERT_EQ(angles->count(), 4);
    Choose("cb_KatKMl", 2);
    Type("ed_WartWyznKMl", "100");
    EXPECT_EQ(Stored(), (std::vector<int>{10, 30, 30, 30, 30, 30}));
    Choose("cb_PozycjaKMl", 1);
    ASSERT_EQ(angles->count(), 2);
    EXPECT_EQ(angles->currentIndex(), 0);
    const storage::TPomiar *kat = storage::FindField(m->Fields, "KatKMl");
    EXPECT_EQ(kat->ChoiceNr, 2);
    // the item holds the text now chosen, not the one of the standing list
    EXPECT_EQ(kat->Value, angles->itemText(0));
    EXPECT_EQ(Stored(), (std::vector<int>{10, 20, 20, 20, 20, 20}));

    const storage::TMeasurementList back = SaveAndReadBack();
    ASSERT_EQ(back.size(), 1u);
    const storage::TPomiar *read = storage::FindField(back.front()->Fields, "KatKMl");
    EXPECT_EQ(read->ChoiceNr, 2);
    EXPECT_EQ(read->Value, kat->Value);
    EXPECT_EQ(back.front()->ocenak, 20);

    // Shown again from the file: the sitting list with its first item, open to change, and
    // the same rating.
    win->MeasurementPages().ClearMeasurementForm();
    win->BuildMeasurementForm(back.front()->Fields);
    angles = Control<QComboBox>("cb_KatKMl");
    ASSERT_TRUE(angles);
    EXPECT_EQ(angles->count(), 2);
    EXPECT_EQ(angles->currentIndex(), 0);
    EXPECT_FALSE(angles->isEditable());
    EXPECT_TRUE(angles->isEnabled());
    Type("ed_WartWyznM", "10");
    EXPECT_EQ(Stored(), (std::vector<int>{10, 20, 20, 20, 20, 20}));
    EXPECT_TRUE(prompter.boxes.isEmpty());
}

TEST_F(WorkLoadWindow, PhysicalEffortWithItsPermittedValues)
{
    Open(70004, QStringLiteral("wysilek_fizyczny"), QStringLiteral("2.0"));
    EXPECT_EQ(win->MeasurementPages().FormName(), "wysilek_fizyczny_Pomiar_02");
    Type("ed_PracWartZm", "4500");
    EXPECT_EQ(Shown("ed_PracKrotn"), "");
    EXPECT_EQ(Stored(), (std::vector<int>{0, 0, 0, 0, 0, 0}));
    const std::pair<const char *, const char *> limits[] = {
        {"ed_PracWartDop", "8400"},   {"ed_PracWartDopK", "5000"},  {"ed_PracWartDopKc", "3000"},
        {"ed_PracMinWartDopM", "40"}, {"ed_PracMinWartDopK", "30"}, {"ed_PracMinDopCh18", "25"},
        {"ed_PracMinDopDz18", "20"},  {"ed_Prac6DopCh18", "4000"},  {"ed_Prac6DopDz18", "3000"},
    };
    for (const auto &[name, value] : limits)
        Type(name, value);
    EXPECT_EQ(Shown("ed_PracKrotn"), "0.54");
    EXPECT_EQ(Shown("ed_PracKrotnK"), "0.9");
    EXPECT_EQ(Shown("ed_PracKrotnKc"), "1.5");
    EXPECT_EQ(Stored(), (std::vector<int>{10, 20, 30, 10, 30, 30}));
    Type("ed_PracMinWartZm", "22");
    EXPECT_EQ(Shown("ed_PracMinKrotnDz18"), "1.1");
    EXPECT_EQ(Stored(), (std::vector<int>{10, 20, 30, 40, 40, 40}));
    EXPECT_TRUE(prompter.boxes.isEmpty());
    ExpectReadBackRatings();
}

TEST_F(WorkLoadWindow, PsychologicalScoreBetweenThreeAndFourIsMedium)
{
    Open(70002, QStringLiteral("obc_psych"), QStringLiteral("1.0"));
    Type("ed_PWartZm", "3.5");
    EXPECT_EQ(Stored(), (std::vector<int>{20, 20, 20, 20, 20, 20}));
    Type("ed_PWartZm", "12");
    EXPECT_EQ(Stored(), (std::vector<int>{30, 30, 30, 30, 30, 30}));
    ExpectReadBackRatings();
}

TEST_F(WorkLoadWindow, MonotonyNeedsTheOperationType)
{
    Open(70001, QStringLiteral("monotypia"), QStringLiteral("1.0"));
    Type("ed_WartWyzn", "3000");
    EXPECT_EQ(Stored(), (std::vector<int>{0, 0, 0, 0, 0, 0}));
    Choose("cb_TypOper", 0);
    EXPECT_EQ(Stored(), (std::vector<int>{20, 20, 20, 20, 20, 20}));
    Type("ed_WartWyzn", "3000.5");
    EXPECT_EQ(Stored(), (std::vector<int>{30, 30, 30, 30, 30, 30}));
    ExpectReadBackRatings();
}
