// Choice buttons, the record of what is under edit, and the Risk Score form's lock.

#include "assessment_fixture.h"

#include "assessment/frm_ocena_ryz.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using namespace assessmenttest;
using Choice = assessment::TMeasurementPages::ParamTreeChoice;

namespace {

void clickCaption(QGroupBox *g)
{
    const QPointF at(3, 3);
    QMouseEvent release(QEvent::MouseButtonRelease, at, g->mapToGlobal(at), Qt::LeftButton, Qt::NoButton, {});
    QCoreApplication::sendEvent(g, &release);
}

} // namespace

class ChoiceButtons : public WindowTest
{
protected:
    Choice next;
    QStringList asked; // "file|current"

    void SetUp() override
    {
        WindowTest::SetUp();
        assessment::TMeasurementPages::SetParamTreeChooser([this](const QString &file, const QString &current) {
            asked << file + "|" + current;
            return next;
        });
        Add(Page(1, QStringLiteral("A"), QString::fromLatin1(FormName)));
        auto f = Field(QStringLiteral("RodzWnetrzaN"), QStringLiteral("form"), 1, 300, 200, QStringLiteral("Biuro"));
        f->EditDefinition().zal = QStringLiteral("wnetrza.xml");
        f->EditDefinition().sprpopr = false;
        Add(std::move(f));
        auto req = Field(QStringLiteral("RodzWnetrzaNWymagany"), QStringLiteral("edit"), 1, 200, 100,
                         QStringLiteral("500"));
        req->onexit = true;
        Add(std::move(req));
        auto other = Field(QStringLiteral("Opis"), QStringLiteral("form"), 2, 300, 200, QString());
        other->EditDefinition().zal = QStringLiteral("opisy.xml");
        Add(std::move(other));
        Build();
        appstate::State().SetModified(false);
    }
    void TearDown() override
    {
        assessment::TMeasurementPages::SetParamTreeChooser({});
        WindowTest::TearDown();
    }
    void Click(const QString &name) { Control<QToolButton>(name)->click(); }
};

TEST_F(ChoiceButtons, ALeafSetsTheTextAndItsParameterWhichEvaluates)
{
    next = Choice{1, QStringLiteral("Sala konferencyjna"), QStringLiteral("300"), QStringLiteral("200"),
                  QStringLiteral("100")};
    Click("bb_RodzWnetrzaN");
    EXPECT_EQ(asked, QStringList{"zaklocen\\frm\\zalaczn\\wnetrza.xml|Biuro"});
    EXPECT_EQ(Control<QLineEdit>("ed_RodzWnetrzaN")->text(), "Sala konferencyjna");
    EXPECT_EQ(Item("RodzWnetrzaN")->Value, "Sala konferencyjna");
    EXPECT_EQ(Control<QLineEdit>("ed_RodzWnetrzaNWymagany")->text(), "300");
    EXPECT_EQ(Item("RodzWnetrzaNWymagany")->Value, "300");
    EXPECT_EQ(evaluations, QStringList{"ed_RodzWnetrzaNWymagany"});
    EXPECT_TRUE(appstate::State().Modified());
    EXPECT_FALSE(win->MeasurementPages().TreeChoicePending());
}

TEST_F(ChoiceButtons, GivingUpTheChoiceEmptiesTheFieldAndWritesZero)
{
    next = Choice{5, QString(), {}, {}, {}};
    Click("bb_RodzWnetrzaN");
    EXPECT_EQ(Control<QLineEdit>("ed_RodzWnetrzaN")->text(), "");
    EXPECT_EQ(Control<QLineEdit>("ed_RodzWnetrzaNWymagany")->text(), "0.0");
    EXPECT_EQ(Item("RodzWnetrzaNWymagany")->Value, "0.0");
    EXPECT_TRUE(appstate::State().Modified());
}

TEST_F(ChoiceButtons, ClosingTheDialogChangesNothing)
{
    // the dialog's text may be left over from an earlier choice
    next = Choice{3, QStringLiteral("Stary wybór"), {}, {}, {}};
    Click("bb_RodzWnetrzaN");
    EXPECT_EQ(Control<QLineEdit>("ed_RodzWnetrzaN")->text(), "Biuro");
    EXPECT_EQ(Item("RodzWnetrzaN")->Value, "Biuro");
    EXPECT_FALSE(appstate::State().Modified());
    EXPECT_TRUE(evaluations.isEmpty());
}

TEST_F(ChoiceButtons, AFieldWithoutACompanionTakesTheTextOnly)
{
    next = Choice{1, QStringLiteral("Opis A"), QStringLiteral("1"), {}, {}};
    Click("bb_Opis");
    EXPECT_EQ(Item("Opis")->Value, "Opis A");
    EXPECT_TRUE(evaluations.isEmpty());
    // the next edit left counts as changed after a choice from a tree
    EXPECT_TRUE(win->MeasurementPages().TreeChoicePending());
    leave(Control<QLineEdit>("ed_RodzWnetrzaNWymagany"));
    EXPECT_EQ(evaluations, QStringList{"ed_RodzWnetrzaNWymagany"});
}

// ---- What a save writes ---------------------------------------------------------------------

class UnderEdit : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        Add(Page(1, QStringLiteral("A"), QString::fromLatin1(FormName)));
        Add(Field(QStringLiteral("Zewn"), QStringLiteral("checkbox"), 1, 200, 100, QStringLiteral("False")));
        Add(Field(QStringLiteral("Uwagi"), QStringLiteral("memo"), 1, 200, 100, QString()));
        Build();
        appstate::State().SetModified(false);
        win->SetFormDefinitionFile(QStringLiteral("probny_frm_1.xml"));
    }
};

TEST_F(UnderEdit, ACheckBoxClickRecordsTheFactorAndItsDefinition)
{
    EXPECT_FALSE(win->UnderEdit().active);
    Control<QCheckBox>("ch_Zewn")->click();
    EXPECT_TRUE(win->UnderEdit().active);
    EXPECT_EQ(win->UnderEdit().workstationId, "1");
    EXPECT_EQ(win->UnderEdit().factorId, 90001);
    EXPECT_EQ(win->UnderEdit().formFileName, "probny_frm_1.xml");
    EXPECT_EQ(win->EditedFactor(), factor);
    EXPECT_EQ(win->ModifiedFactorRow(), 0);
}

TEST_F(UnderEdit, AMemoEditAndTheRiskPanelRecordIt)
{
    auto *me = Control<QPlainTextEdit>("me_Uwagi");
    me->setPlainText("x");
    leave(me);
    EXPECT_TRUE(win->UnderEdit().active);
    win->ForgetEdits();
    frmOcenaRyz()->mSrodOgrRyz->setPlainText(QStringLiteral("Środki"));
    EXPECT_TRUE(win->UnderEdit().active);
    EXPECT_EQ(m->srodogrryz, "Środki");
    EXPECT_TRUE(appstate::State().Modified());
}

TEST_F(UnderEdit, TheRecordSurvivesChoosingAnotherFactor)
{
    Control<QCheckBox>("ch_Zewn")->click();
    {
        QSignalBlocker block(lbCzyn(*win));
        lbCzyn(*win)->setCurrentRow(-1);
    }
    EXPECT_EQ(win->EditedFactor(), factor);
    EXPECT_EQ(win->EditedWorkstation(), ws);
}

// ---- Risk Score lock --------------------------------------------------------------------------

TEST_F(WindowTest, ARiskScoreFormWithALockedComboShowsTheNoteAndLocksAllThree)
{
    Add(Page(1, QStringLiteral("Risk Score"), QStringLiteral("metRiskScore_Pomiar_01")));
    for (const char *name : {"cSkutki", "cPrawd", "cEksp"})
        Add(Field(QString::fromLatin1(name), QStringLiteral("combo"), 1, 200, 150, QStringLiteral("0")));
    Item("cPrawd")->enabled = false;
    auto info = Field(QStringLiteral("lInfo"), QStringLiteral("label"), 2, 600, 500);
    info->etyk = QStringLiteral("Parametry metody zmieniono");
    info->visible = false;
    Add(std::move(info));
    win->ShowMeasurement(m);
    EXPECT_FALSE(Control<QLabel>("lb_lInfo")->isHidden());
    for (const char *name : {"cb_cSkutki", "cb_cPrawd", "cb_cEksp"})
        EXPECT_FALSE(win->MeasurementPages().IsFieldEnabled(QString::fromLatin1(name))) << name;
}

TEST_F(WindowTest, ShowMeasurementShowsTheStoredRatingsAndMeasures)
{
    Add(Page(1, QStringLiteral("A"), QString::fromLatin1(FormName)));
    m->ocenam = 30;
    m->ocenak = 10;
    m->ocenamax = 30;
    m->ocenakon = 20; // chosen by hand
    m->srodogrryz = QStringLiteral("Szkolenie");
    win->ShowMeasurement(m);
    auto *panel = frmOcenaRyz();
    EXPECT_EQ(panel->ShownCode(panel->gbMezczyzni), 30);
    EXPECT_EQ(panel->ShownCode(panel->gbKompLaczna), 30);
    EXPECT_EQ(panel->ShownCode(panel->gbOcena), 20);
    EXPECT_EQ(panel->mSrodOgrRyz->toPlainText(), "Szkolenie");
    EXPECT_EQ(m->ocenakon, 20);
    EXPECT_FALSE(appstate::State().Modified());
    EXPECT_FALSE(win->MeasurementPages().Pages()->isHidden());
}

// ---- The risk panel's host ------------------------------------------------------------------

TEST_F(WindowTest, TheWindowStoresTheFinalChosenOnItsPanelPreviewsStoreNothing)
{
    Add(Page(1, QStringLiteral("A"), QString::fromLatin1(FormName)));
    Build();
    auto *panel = frmOcenaRyz();
    EXPECT_EQ(panel->Host(), win.get());
    panel->rbOcenaKoncDuze->click();
    EXPECT_EQ(m->ocenakon, 30);
    EXPECT_TRUE(appstate::State().Modified());

    win->MeasurementPages().ClearMeasurementForm();
    EXPECT_EQ(panel->Host(), nullptr);
    appstate::State().SetModified(false);
    // The catalogue's preview of the same items: pages of its own, made without a store.
    assessment::TMeasurementPages preview(nullptr, appstate::State());
    preview.BuildMeasurementForm(Items(), true);
    panel = preview.RiskPanel();
    EXPECT_EQ(panel->Host(), nullptr);
    panel->gbOcena->setEnabled(true); // as if a click could reach it
    clickCaption(panel->gbOcena);
    EXPECT_EQ(m->ocenakon, 30);
    EXPECT_FALSE(appstate::State().Modified());
    preview.ClearMeasurementForm();
}

TEST_F(WindowTest, TheFirstKeystrokeOffersSaveWhereSavingIsAllowed)
{
    Add(Page(1, QStringLiteral("A"), QString::fromLatin1(FormName)));
    Add(Field(QStringLiteral("Wart"), QStringLiteral("edit"), 1, 200, 100, QStringLiteral("1")));
    Build();
    QSignalSpy save(&appstate::State(), &appstate::AppState::SaveEnabledRequested);
    QTest::keyClick(Control<QLineEdit>("ed_Wart"), Qt::Key_2);
    ASSERT_EQ(save.size(), 1);
    EXPECT_TRUE(save[0][0].toBool());
    EXPECT_FALSE(appstate::State().Modified()); // recorded when the field is left
    EXPECT_EQ(Item("Wart")->Value, "1");

    win->MeasurementPages().ClearMeasurementForm();
    appstate::State().DataFolder = QStringLiteral("wzrocen\\"); // the sample data are never saved
    Build();
    QTest::keyClick(Control<QLineEdit>("ed_Wart"), Qt::Key_3);
    EXPECT_EQ(save.size(), 1);
}
