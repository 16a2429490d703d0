// Biological agents: the rating by hazard group, the check box that moves the group, and
// new measurements rated as they are created in the real window from the shipped catalogue.

#include "shipped_form_fixture.h"

#include "assessment/frm_nowy_pomiar.h"
#include "assessment/rules/biological.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QPushButton>
#include <QRadioButton>

#include <cmath>

using namespace shippedforms;
using namespace assessment::rules;

TEST(BiologicalRisk, ByHazardGroup)
{
    EXPECT_EQ(BiologicalRisk(1), 10);
    EXPECT_EQ(BiologicalRisk(2), 20);
    EXPECT_EQ(BiologicalRisk(3), 30);
    EXPECT_EQ(BiologicalRisk(4), 30);
    EXPECT_EQ(BiologicalRisk(2.5), 20); // halves to even
    EXPECT_EQ(BiologicalRisk(3.5), 30);
    // no group of the catalogue: not taken for a harmless agent
    EXPECT_EQ(BiologicalRisk(0), 0);
    EXPECT_EQ(BiologicalRisk(5), 0);
    EXPECT_EQ(BiologicalRisk(-1), 0);
    EXPECT_EQ(BiologicalRisk(std::nan("")), 0);
}

TEST_F(ShippedFormTest, ANotDeterminedBiologicalRatingNamesTheGroupToMend)
{
    ShippedForm f("biologiczny_frm_1.xml");
    for (const char *group : {"0", "5", "-1"}) {
        f.Enter("ed_GrZagr", group);
        ASSERT_EQ(f.Ratings(), NotDetermined) << group;
        EXPECT_EQ(f.LastNamed(), "ed_GrZagr: grupa zagrożenia musi być liczbą od 1 do 4") << group;
    }
    const qsizetype reported = f.Named();
    f.Enter("ed_GrZagr", "2");
    EXPECT_EQ(f.Ratings(), (Groups{20, 20, 20, 20}));
    EXPECT_EQ(f.Named(), reported) << "a rated form reports nothing";
}

class BiologicalWindow : public WindowOnShippedForm
{
protected:
    QCheckBox *Box() { return Control<QCheckBox>("ch_UszGrZagr"); }
    QString Group()
    {
        auto *ed = Control<QLineEdit>("ed_GrZagr");
        return ed ? ed->text() : QStringLiteral("<missing>");
    }
};

TEST_F(BiologicalWindow, TheCheckBoxMovesTheGroupOfAMarkedAgent)
{
    // Escherichia coli, verocytotoxic strains: group 3, marked as usually not airborne
    Open(90011, QStringLiteral("biologiczny"), QStringLiteral("1.0"));
    EXPECT_EQ(win->MeasurementPages().FormName(), "biologiczny_Pomiar_01");
    EXPECT_EQ(Group(), "3");
    EXPECT_EQ(Control<QLineEdit>("ed_OznDod")->text(), "T");
    ASSERT_TRUE(Box());
    ASSERT_TRUE(Box()->isEnabled());
    Box()->click();
    EXPECT_EQ(Group(), "2");
    EXPECT_EQ(Stored(), Groups(6, 20));
    EXPECT_TRUE(frmOcenaRyz()->rbOcenaMldcSrednie->isChecked());
    Box()->click();
    EXPECT_EQ(Group(), "3");
    EXPECT_EQ(Stored(), Groups(6, 30));
    EXPECT_EQ(storage::FindField(m->Fields, "UszGrZagr")->Value, "False");
    EXPECT_TRUE(prompter.boxes.isEmpty());
}

TEST_F(BiologicalWindow, AnUnmarkedAgentKeepsItsGroupAndAGroupTypedInRates)
{
    Open(90037, QStringLiteral("biologiczny"), QStringLiteral("1.0")); // Ebola virus
    EXPECT_EQ(Group(), "4");
    ASSERT_TRUE(Box());
    EXPECT_FALSE(Box()->isEnabled());
    Type("ed_GrZagr", "1");
    EXPECT_EQ(Stored(), Groups(6, 10));
    Type("ed_GrZagr", "");
    EXPECT_EQ(Stored(), Groups(6, 0));
    EXPECT_TRUE(prompter.boxes.isEmpty());
}

// ---- New measurements, rated as they are created ---------------------------------------------------

class NewBiologicalMeasurement : public BiologicalWindow
{
protected:
    static constexpr int OwnGroup1 = 90990; // added to the catalogue copy: group 1
    static constexpr int OwnAgent = 100001; // the user's own agent: no catalogue entry

    void SetUp() override
    {
        WindowOnShippedForm::SetUp();
        // The catalogue lists no agent of group 1 (they are not harmful); one for the test.
        QString catalogue = folder.ReadText(QStringLiteral("poradn/czynbiol.xml"));
        catalogue.replace(QStringLiteral("</czynbiol>"),
                          QStringLiteral(" <czynnik id=\"%1\" nazwa=\"Lactobacillus\">\n"
                                         "  <param typczyn=\"1\" grzagr=\"1\" uszgrzagr=\"0\" ozndod=\"\">\n"
                                         " </czynnik>\n</czynbiol>")
                              .arg(OwnGroup1));
        folder.WriteText(QStringLiteral("poradn/czynbiol.xml"), catalogue);
        assessment::TfrmNowyPomiar::SetRunner([](assessment::TfrmNowyPomiar &d) {
            d.setResult(0);
            d.dtPicker->setDate(QDate(2009, 3, 5));
            d.bOk->click();
            if (d.result() != QDialog::Accepted)
                d.bAnul->click();
            return d.result();
        });

        auto w = std::make_unique<storage::TStanowisko>(QStringLiteral("9"), QStringLiteral("Laborant"),
                                                        QStringLiteral("stan_9"));
        // in 2009 only men and women work there
        w->AddEmployment(storage::TZatrudn(QStringLiteral("2009"), QStringLiteral("3"), QStringLiteral("1"),
                                           QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("0"),
                                           QStringLiteral("0")));
        for (int id : {OwnGroup1, 90002, 90001, 90037, OwnAgent})
            w->AddFactor(std::make_unique<storage::TCzynnik>(
                QStringLiteral("Czynnik %1").arg(id), QStringLiteral("biol"), id, QStringLiteral("1.0"),
                QStringLiteral("biologiczny"), QString(), QStringLiteral("N")));
        ShowWorkstation(std::move(w));
    }
    void TearDown() override
    {
        assessment::TfrmNowyPomiar::SetRunner({});
        WindowOnShippedForm::TearDown();
    }
    // A new measurement of factor id; its six ratings as stored.
    Groups Create(int id)
    {
        const auto found = lbCzyn(*win)->findItems(QStringLiteral("Czynnik %1").arg(id), Qt::MatchStartsWith);
        if (found.isEmpty())
            return {};
        appstate::State().SetModified(false); // the last one counts as saved
        lbCzyn(*win)->setCurrentItem(found.first());
        win->New();
        m = win->SelectedMeasurement();
        if (!m)
            return {};
        return Stored();
    }
};

TEST_F(NewBiologicalMeasurement, EachHazardGroupIsRatedOnCreation)
{
    // men, women, pregnant women, juveniles; combined over the groups employed; the final
    // rating stays for the user to settle
    EXPECT_EQ(Create(OwnGroup1), (Groups{10, 10, 10, 10, 10, 0}));
    EXPECT_EQ(Group(), "1");
    EXPECT_EQ(Create(90002), (Groups{20, 20, 20, 20, 20, 0}));
    EXPECT_EQ(Group(), "2");
    EXPECT_TRUE(frmOcenaRyz()->rbOcenaKompSrednie->isChecked());
    EXPECT_EQ(Create(90001), (Groups{30, 30, 30, 30, 30, 0}));
    EXPECT_EQ(Create(90037), (Groups{30, 30, 30, 30, 30, 0}));
    EXPECT_EQ(Group(), "4");
    // an agent without a group is not rated
    EXPECT_EQ(Create(OwnAgent), (Groups{0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Group(), "");
    EXPECT_TRUE(prompter.boxes.isEmpty());
    EXPECT_TRUE(appstate::State().Modified());
}
