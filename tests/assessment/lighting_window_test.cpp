// Lighting measurements in the real measurement window, headless: the shipped forms built
// into pages, requirements chosen from the shipped tree of interiors through the choice
// buttons, values typed and left, the multiples, the messages and the stored ratings.

#include "shipped_form_fixture.h"

#include "storage/selection_trees.h"

#include <QRadioButton>
#include <QToolButton>

using namespace shippedforms;
using Choice = assessment::TMeasurementPages::ParamTreeChoice;

namespace {

const Groups NoneStored{0, 0, 0, 0, 0, 0};

Groups All(int code)
{
    return Groups(6, code);
}

} // namespace

class LightingWindow : public WindowOnShippedForm
{
protected:
    int result = 1; // how the tree dialog is left
    QString leaf;   // the start of the leaf text chosen
    QStringList treesAsked;

    void SetUp() override
    {
        WindowOnShippedForm::SetUp();
        assessment::TMeasurementPages::SetParamTreeChooser([this](const QString &file, const QString &) {
            treesAsked << file;
            Choice c;
            c.result = result;
            if (result != 1)
                return c;
            // The leaf of the shipped tree, as the tree dialog returns it.
            std::vector<storage::TZalTreeParam> nodes;
            storage::ReadParamTree(file, nodes);
            for (const auto &n : nodes) {
                if (!n.par1.isEmpty() && n.Text.startsWith(leaf)) {
                    c.text = n.Text;
                    c.par1 = n.par1;
                    c.par2 = n.par2;
                    c.par3 = n.par3;
                    return c;
                }
            }
            ADD_FAILURE() << "no leaf " << leaf.toStdString();
            c.result = 3;
            return c;
        });
    }
    void TearDown() override
    {
        assessment::TMeasurementPages::SetParamTreeChooser({});
        WindowOnShippedForm::TearDown();
    }

    void ChooseInterior(const QString &field, const QString &leafStart)
    {
        leaf = leafStart;
        result = 1;
        auto *bb = Control<QToolButton>("bb_" + field);
        ASSERT_TRUE(bb) << field.toStdString();
        bb->click();
    }
    void GiveUpInterior(const QString &field)
    {
        result = 5;
        Control<QToolButton>("bb_" + field)->click();
    }
    // The messages shown so far, forgotten once read.
    QStringList Messages()
    {
        const QStringList texts = prompter.Texts();
        prompter.boxes.clear();
        return texts;
    }
};

// ---- Illuminance ------------------------------------------------------------------------------

TEST_F(LightingWindow, IlluminanceOfAnOfficeDeskFromTheTreeOfInteriors)
{
    Open(2000, QStringLiteral("osw_natezenie"), QStringLiteral("2.0"));
    EXPECT_EQ(win->MeasurementPages().FormName(), "osw_natezenie_Pomiar_02");
    ChooseInterior("RodzWnetrzaN", "Biura: pisanie");
    EXPECT_EQ(treesAsked, QStringList{"zaklocen\\frm\\zalaczn\\osw_wnetrza.xml"});
    EXPECT_TRUE(Shown("ed_RodzWnetrzaN").startsWith("Biura: pisanie, pisanie na maszynie, czytanie"));
    EXPECT_EQ(Shown("ed_RodzWnetrzaNWymagany"), "500");
    EXPECT_EQ(Shown("ed_EksplPoleOtocz"), "300");
    Type("ed_ZmierzonePoleZad", "450");
    EXPECT_EQ(Shown("ed_KrotnPoleZad"), "0.9");
    EXPECT_EQ(Stored(), All(10));
    Type("ed_ZmierzonePoleOtocz", "200");
    EXPECT_EQ(Shown("ed_KrotnPoleOtocz"), "0.667");
    EXPECT_EQ(Stored(), All(20));
    EXPECT_TRUE(frmOcenaRyz()->rbOcenaMzczSrednie->isChecked());
    EXPECT_TRUE(frmOcenaRyz()->rbOcenaKoncSrednie->isChecked());
    EXPECT_TRUE(Messages().isEmpty());
    EXPECT_TRUE(appstate::State().Modified());

    // Giving up the choice leaves no requirement: nothing can be rated.
    GiveUpInterior("RodzWnetrzaN");
    EXPECT_EQ(Shown("ed_RodzWnetrzaN"), "");
    EXPECT_EQ(Shown("ed_EksplPoleOtocz"), "0");
    EXPECT_EQ(Shown("ed_KrotnPoleZad"), "0");
    EXPECT_EQ(Shown("ed_KrotnPoleOtocz"), "0");
    EXPECT_EQ(Stored(), NoneStored);
    EXPECT_TRUE(Messages().isEmpty());
    Type("ed_ZmierzonePoleZad", "420");
    EXPECT_EQ(Messages(), QStringList{"Nieokreślona wartość parametru: Eksploatacyjne natężenie oświetlenia.\n\n"
                                      "Wybierz z listy rodzaj obszaru, zadanie lub działalność \n"
                                      "lub wpisz w pole odpowiednią wartość eksploatacyjnego natężenia."});
    EXPECT_EQ(Stored(), NoneStored);

    // A requirement typed in serves as well as one chosen.
    Type("ed_RodzWnetrzaNWymagany", "300");
    EXPECT_EQ(Shown("ed_EksplPoleOtocz"), "200");
    EXPECT_EQ(Shown("ed_KrotnPoleZad"), "1.4");
    EXPECT_EQ(Shown("ed_KrotnPoleOtocz"), "1");
    EXPECT_EQ(Stored(), All(10));
}

TEST_F(LightingWindow, IlluminanceRequirementOfTheSurroundingsByForm)
{
    Open(2000, QStringLiteral("osw_natezenie"), QStringLiteral("1.0"));
    EXPECT_EQ(win->MeasurementPages().FormName(), "osw_natezenie_Pomiar_01");
    Type("ed_RodzWnetrzaNWymagany", "750");
    EXPECT_EQ(Shown("ed_EksplPoleOtocz"), "500");
    // between 200 and 300 lx no requirement of an earlier choice is left behind
    Type("ed_RodzWnetrzaNWymagany", "250");
    EXPECT_EQ(Shown("ed_EksplPoleOtocz"), "150");
    Type("ed_RodzWnetrzaNWymagany", "200");
    EXPECT_EQ(Shown("ed_EksplPoleOtocz"), "200");
    Type("ed_ZmierzonePoleOtocz", "30");
    EXPECT_EQ(Shown("ed_KrotnPoleOtocz"), "0.15");
    EXPECT_EQ(Stored(), All(30));
    Type("ed_RodzWnetrzaNWymagany", "-200");
    EXPECT_EQ(Shown("ed_EksplPoleOtocz"), "0");
    EXPECT_EQ(Stored(), NoneStored);
    Type("ed_ZmierzonePoleZad", "500");
    EXPECT_EQ(Messages(), QStringList{"Nieokreślona wartość parametru: Wymagane natężenie oświetlenia"});
}

// ---- Glare --------------------------------------------------------------------------------------

TEST_F(LightingWindow, GlareClassesAndACorrectedLimit)
{
    Open(2001, QStringLiteral("osw_olsnienie"), QStringLiteral("1.0"));
    Type("ed_GranLumin", "2000");
    EXPECT_EQ(Stored(), NoneStored); // nothing measured yet
    Type("ed_ZmierzoneLumin", "2000");
    EXPECT_EQ(Shown("ed_Krotnosc"), "1");
    EXPECT_EQ(Stored(), All(30));
    Type("ed_ZmierzoneLumin", "200");
    EXPECT_EQ(Shown("ed_Krotnosc"), "0.1");
    EXPECT_EQ(Stored(), All(20));
    Type("ed_ZmierzoneLumin", "190");
    EXPECT_EQ(Shown("ed_Krotnosc"), "0.095");
    EXPECT_EQ(Stored(), All(10));
    // a corrected limit counts at once
    Type("ed_GranLumin", "100");
    EXPECT_EQ(Shown("ed_Krotnosc"), "1.9");
    EXPECT_EQ(Stored(), All(30));
    Type("ed_GranLumin", "0");
    EXPECT_EQ(Shown("ed_Krotnosc"), "0");
    EXPECT_EQ(Stored(), NoneStored);
    EXPECT_TRUE(Messages().isEmpty());
}

// ---- Uniformity -----------------------------------------------------------------------------

TEST_F(LightingWindow, UniformityAgainstTheFixedRequirements)
{
    Open(2002, QStringLiteral("osw_rownomiernosc"), QStringLiteral("1.0"));
    EXPECT_EQ(Shown("ed_WymaganaPoleZad"), "0.5");
    EXPECT_EQ(Shown("ed_WymaganaPoleOtocz"), "0.4");
    EXPECT_TRUE(Control<QLineEdit>("ed_WymaganaPoleZad")->isReadOnly());
    Type("ed_WyliczonaPoleZad", "0.45");
    Type("ed_WyliczonaPoleOtocz", "0.38");
    EXPECT_EQ(Shown("ed_KrotnPoleZad"), "0.9");
    EXPECT_EQ(Shown("ed_KrotnPoleOtocz"), "0.95");
    EXPECT_EQ(Stored(), All(20));
    Type("ed_WyliczonaPoleZad", "0.5");
    EXPECT_EQ(Stored(), All(20)); // the surroundings now fall shorter: 0.38 against 0.4
    Type("ed_WyliczonaPoleOtocz", "0.45");
    EXPECT_EQ(Stored(), All(10));
}

TEST_F(LightingWindow, UniformityAgainstTheRequirementOfTheInterior)
{
    Open(2002, QStringLiteral("osw_rownomiernosc"), QStringLiteral("2.0"));
    ChooseInterior("RodzWnetrzaR", "Biura: pisanie");
    EXPECT_EQ(Shown("ed_RodzWnetrzaRWymagany"), "0.6");
    EXPECT_EQ(Shown("ed_WymaganaPoleOtocz"), "0.4");
    Type("ed_WyliczonaPoleZad", "0.55");
    EXPECT_EQ(Shown("ed_KrotnPoleZad"), "0.917");
    EXPECT_EQ(Stored(), All(10));
    Type("ed_WyliczonaPoleZad", "0.45");
    EXPECT_EQ(Stored(), All(20));
    Type("ed_WyliczonaPoleZad", "0.25");
    EXPECT_EQ(Stored(), All(30));
    Type("ed_WyliczonaPoleZad", "0.55");
    Type("ed_WyliczonaPoleOtocz", "0.3"); // exactly 0.1 short of 0.4
    EXPECT_EQ(Shown("ed_KrotnPoleOtocz"), "0.75");
    EXPECT_EQ(Stored(), All(10));
    Type("ed_WyliczonaPoleOtocz", "0.2");
    EXPECT_EQ(Stored(), All(20));
    EXPECT_TRUE(Messages().isEmpty());

    // A requirement out of range is refused, and the emptied one reported.
    Type("ed_RodzWnetrzaRWymagany", "0.8");
    const QString choose = "Wybierz z listy rodzaj obszaru, zadanie lub działalność \n";
    EXPECT_EQ(Messages(), (QStringList{"Niepoprawna wartość wymaganej równomierności oświetlenia. \n\n"
                                       "Wartość powinna być z zakresu: <0.4; 0.7> \n",
                                       "Nieokreślona wartość parametru: Wymagana równomierność oświetlenia\n\n" +
                                           choose + "lub wpisz odpowiednią wartość wymaganej równomierności."}));
    EXPECT_EQ(Shown("ed_RodzWnetrzaRWymagany"), "0");
    EXPECT_EQ(Shown("ed_KrotnPoleZad"), "0");
    EXPECT_EQ(Stored(), All(20)); // the surroundings alone
    Type("ed_WyliczonaPoleZad", "0.6");
    EXPECT_EQ(Messages(), QStringList{"Nieokreślona wartość parametru: Wymagana równomierność oświetlenia.\n\n" +
                                      choose + "lub wpisz odpowiednią wartość wymaganej równomierności."});
}

// ---- Colour rendering ---------------------------------------------------------------------------

TEST_F(LightingWindow, ColourRenderingAgainstTheReducedRequirement)
{
    Open(2003, QStringLiteral("osw_rozroznaniebarw"), QStringLiteral("2.0"));
    ChooseInterior("RodzWnetrzaB", "Biura: pisanie");
    EXPECT_EQ(Shown("ed_RodzWnetrzaBWymagany"), "80");
    EXPECT_EQ(Stored(), NoneStored);
    Type("ed_Wyznaczony", "62");
    EXPECT_EQ(Shown("ed_Krotnosc"), "0.775");
    EXPECT_EQ(Stored(), All(10)); // 62 against 80 - 20
    ChooseInterior("RodzWnetrzaB", "Pomieszczenia socjalne: pomieszczenia pomocy medycznej");
    EXPECT_EQ(Shown("ed_RodzWnetrzaBWymagany"), "90");
    Type("ed_Wyznaczony", "85");
    EXPECT_EQ(Shown("ed_Krotnosc"), "0.944");
    EXPECT_EQ(Stored(), All(20)); // 90 is not reduced
    EXPECT_TRUE(Messages().isEmpty());

    Type("ed_RodzWnetrzaBWymagany", "10");
    EXPECT_EQ(Messages(), (QStringList{"Niepoprawna wartość parametru: Wymagany wskaźnik oddawania barw.\n\n"
                                       "Wartość parametru powinna pochodzić z przedziału: (20; 100> ",
                                       "Nieokreślona wartość parametru: Wymagany wskaźnik oddawania barw.\n\n"
                                       "Wybierz z listy rodzaj obszaru, zadanie lub działalność \n"
                                       "lub wpisz odpowiednią wartość wymaganego wskaźnika oddawania barw."}));
    EXPECT_EQ(Shown("ed_RodzWnetrzaBWymagany"), "0");
    EXPECT_EQ(Shown("ed_Krotnosc"), "0");
    EXPECT_EQ(Stored(), NoneStored);
}

TEST_F(LightingWindow, ColourRenderingOfTheFirstFormNeedsARequirementToRate)
{
    Open(2003, QStringLiteral("osw_rozroznaniebarw"), QStringLiteral("1.0"));
    Type("ed_Wyznaczony", "62");
    EXPECT_EQ(Shown("ed_Krotnosc"), "0");
    EXPECT_EQ(Stored(), NoneStored);
    Type("ed_RodzWnetrzaBWymagany", "80");
    EXPECT_EQ(Shown("ed_Krotnosc"), "0.775");
    EXPECT_EQ(Stored(), All(10));
    EXPECT_TRUE(Messages().isEmpty());
}

// ---- Flicker ------------------------------------------------------------------------------------

TEST_F(LightingWindow, FlickerEffectsFollowTheMachineKindAndAreSaved)
{
    Open(2004, QStringLiteral("osw_tetn"), QStringLiteral("1.0"));
    auto *effect = Control<QComboBox>("cb_Efekt");
    ASSERT_TRUE(effect);
    EXPECT_EQ(Control<QComboBox>("cb_RodzMasz")->currentIndex(), 0);
    EXPECT_EQ(effect->currentIndex(), -1);
    EXPECT_EQ(effect->count(), 3);
    Choose("cb_Efekt", 1);
    EXPECT_TRUE(effect->currentText().startsWith("Efekt stroboskopowy"));
    EXPECT_EQ(Stored(), All(30));
    Choose("cb_Efekt", 2);
    EXPECT_EQ(Stored(), All(10));

    Choose("cb_RodzMasz", 1);
    EXPECT_EQ(effect->count(), 2);
    EXPECT_EQ(effect->currentIndex(), 0);
    EXPECT_EQ(Stored(), All(20));
    Choose("cb_Efekt", 1);
    EXPECT_EQ(Stored(), All(10));
    const storage::TPomiar *item = storage::FindField(m->Fields, "Efekt");
    ASSERT_TRUE(item);
    EXPECT_EQ(item->ChoiceNr, 2);
    EXPECT_TRUE(item->Value.startsWith("Tętnienie światła niewidoczne"));

    const auto back = SavedMeasurement();
    ASSERT_TRUE(back);
    win->MeasurementPages().ClearMeasurementForm();
    win->BuildMeasurementForm(back->Fields);
    effect = Control<QComboBox>("cb_Efekt");
    ASSERT_TRUE(effect);
    EXPECT_EQ(effect->count(), 2);
    EXPECT_EQ(effect->currentIndex(), 1);
    EXPECT_TRUE(effect->isEnabled());
    win->MeasurementPages().ClearMeasurementForm(); // before the read-back items go
}
