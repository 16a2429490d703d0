#include "assessment_fixture.h"

#include "assessment/frm_ocena_ryz.h"
#include "storage/formatting.h"
#include "widgets/field_binding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QTest>
#include <QToolButton>

using namespace assessmenttest;

// A form of two pages: numbers, a combo, a check box, a memo, a label, a header.
class FieldOps : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        WriteTree(folder, QStringLiteral("zaklocen\\frm\\zalaczn\\a.xml"), {"A0", "A1", "A2"});
        WriteTree(folder, QStringLiteral("zaklocen\\frm\\zalaczn\\b.xml"), {"B0", "B1"});
        Add(Page(1, QStringLiteral("Jeden"), QString::fromLatin1(FormName)));
        Add(Header(QStringLiteral("Nagl"), 600, QStringLiteral("Pierwszy;Drugi;Trzeci"), QString::fromLatin1(FormName)));
        auto zm = Field(QStringLiteral("WartZm"), QStringLiteral("edit"), 1, 200, 100, QStringLiteral("0"));
        zm->onexit = true;
        Add(std::move(zm));
        Add(Field(QStringLiteral("Cicha"), QStringLiteral("edit"), 1, 200, 100, QStringLiteral("1")));
        auto txt = Field(QStringLiteral("Opis"), QStringLiteral("edit"), 1, 200, 100, QStringLiteral("tekst"));
        txt->EditDefinition().sprpopr = false;
        txt->onexit = true;
        Add(std::move(txt));
        auto cb = Field(QStringLiteral("Rodz"), QStringLiteral("combo"), 2, 200, 100, QStringLiteral("0"));
        cb->EditDefinition().zal = QStringLiteral("a.xml;b.xml");
        Add(std::move(cb));
        auto ch = Field(QStringLiteral("cbSumNDS"), QStringLiteral("checkbox"), 2, 200, 100, QStringLiteral("False"));
        Add(std::move(ch));
        Add(Field(QStringLiteral("Uwagi"), QStringLiteral("memo"), 2, 200, 150, QStringLiteral("m")));
        auto lb = Field(QStringLiteral("lWynik"), QStringLiteral("label"), 3, 200, 150);
        lb->etyk = QStringLiteral("-");
        Add(std::move(lb));
        Add(Page(2, QStringLiteral("Dwa"), QString::fromLatin1(FormName)));
        Add(Header(QStringLiteral("Nagl2"), 600, QStringLiteral("X;Y"), QString::fromLatin1(FormName)));
        auto p2 = Field(QStringLiteral("Strona2"), QStringLiteral("edit"), 1, 200, 100, QStringLiteral("7"));
        p2->onexit = true;
        Add(std::move(p2));
        auto cb2 = Field(QStringLiteral("Druga"), QStringLiteral("combo"), 1, 200, 100, QStringLiteral("1"));
        cb2->EditDefinition().zal = QStringLiteral("a.xml;b.xml");
        Add(std::move(cb2));
        Build();
        appstate::State().SetModified(false);
    }
};

TEST_F(FieldOps, GetFieldValueReadsEveryKindAndNothingElse)
{
    EXPECT_EQ(win->MeasurementPages().GetFieldValue("ed_WartZm"), "0");
    EXPECT_EQ(win->MeasurementPages().GetFieldValue("cb_Rodz"), "0");
    EXPECT_EQ(win->MeasurementPages().GetFieldValue("ch_cbSumNDS"), "False");
    EXPECT_EQ(win->MeasurementPages().GetFieldValue("me_Uwagi"), "m");
    EXPECT_EQ(win->MeasurementPages().GetFieldValue("lb_lWynik"), "");
    EXPECT_EQ(win->MeasurementPages().GetFieldValue("ed_Brak"), "");
    EXPECT_EQ(win->MeasurementPages().GetFieldValue("ed_Strona2"), ""); // another page
    EXPECT_EQ(win->MeasurementPages().GetFieldValue(""), "");
}

TEST_F(FieldOps, SetFieldValueOfAnEditFormatsAndEvaluatesOnlyWhenTheNumberChanged)
{
    win->MeasurementPages().SetFieldValue("ed_WartZm", "0.5");
    EXPECT_EQ(win->MeasurementPages().GetFieldValue("ed_WartZm"), storage::FormatMeasuredValue(0.5));
    EXPECT_EQ(evaluations, QStringList{"ed_WartZm"});
    EXPECT_EQ(Item("WartZm")->Value, storage::FormatMeasuredValue(0.5));
    EXPECT_TRUE(appstate::State().Modified());
    win->MeasurementPages().SetFieldValue("ed_WartZm", "0.50");
    EXPECT_EQ(evaluations.size(), 1);
    win->MeasurementPages().SetFieldValue("ed_WartZm", "123456.789");
    EXPECT_EQ(win->MeasurementPages().GetFieldValue("ed_WartZm"), storage::FormatMeasuredValue(123456.789));
    EXPECT_EQ(evaluations.size(), 2);
    // without onexit the value is recorded but the form is not evaluated
    win->MeasurementPages().SetFieldValue("ed_Cicha", "2");
    EXPECT_EQ(Item("Cicha")->Value, "2");
    EXPECT_EQ(evaluations.size(), 2);
}

TEST_F(FieldOps, SetFieldValueWithTextInAnEditShowsItAsGiven)
{
    win->MeasurementPages().SetFieldValue("ed_Opis", "bez liczby");
    EXPECT_EQ(win->MeasurementPages().GetFieldValue("ed_Opis"), "bez liczby");
    EXPECT_EQ(Item("Opis")->Value, "bez liczby");
    EXPECT_EQ(evaluations, QStringList{"ed_Opis"});
    win->MeasurementPages().SetFieldText("ed_Opis", "Średnie (20)");
    EXPECT_EQ(win->MeasurementPages().GetFieldValue("ed_Opis"), "Średnie (20)");
    EXPECT_EQ(evaluations.size(), 2);
}

TEST_F(FieldOps, ComboIndexWriteRaisesNoHandlerButStoresTheShownText)
{
    win->MeasurementPages().SetFieldValue("cb_Rodz", "2");
    EXPECT_EQ(win->MeasurementPages().GetFieldValue("cb_Rodz"), "2");
    EXPECT_TRUE(evaluations.isEmpty());
    EXPECT_EQ(Item("Rodz")->Value, "A2");
    EXPECT_TRUE(appstate::State().Modified());
    win->MeasurementPages().SetFieldValue("cb_Rodz", "9");
    EXPECT_EQ(win->MeasurementPages().GetFieldValue("cb_Rodz"), "-1");
    EXPECT_EQ(Item("Rodz")->Value, "");
}

TEST_F(FieldOps, TheUsersComboChoiceEvaluates)
{
    auto *cb = Control<QComboBox>("cb_Rodz");
    QTest::keyClick(cb, Qt::Key_Down);
    EXPECT_EQ(evaluations, QStringList{"cb_Rodz"});
    EXPECT_EQ(Item("Rodz")->Value, "A1");
    EXPECT_TRUE(appstate::State().Modified());
    EXPECT_EQ(win->ModifiedFactorRow(), 0);
}

TEST_F(FieldOps, CheckBoxWriteRunsItsClickHandlerAndEvaluatesOnce)
{
    win->MeasurementPages().SetFieldValue("ch_cbSumNDS", "True");
    EXPECT_EQ(Item("cbSumNDS")->Value, "True");
    EXPECT_EQ(evaluations, QStringList{"ch_cbSumNDS"});
    EXPECT_TRUE(appstate::State().Modified());
    win->MeasurementPages().SetFieldValue("ch_cbSumNDS", "True"); // no change, no click
    EXPECT_EQ(evaluations.size(), 1);
    win->MeasurementPages().SetFieldValue("ch_cbSumNDS", "true"); // only "True" checks
    EXPECT_EQ(Item("cbSumNDS")->Value, "False");
    EXPECT_EQ(evaluations.size(), 2);
}

TEST_F(FieldOps, LabelMemoAndUnknownNames)
{
    win->MeasurementPages().SetFieldValue("lb_lWynik", "Wynik: 3");
    EXPECT_EQ(Control<QLabel>("lb_lWynik")->text(), "Wynik: 3");
    EXPECT_TRUE(evaluations.isEmpty());
    win->MeasurementPages().SetFieldValue("me_Uwagi", "nowe");
    EXPECT_EQ(Item("Uwagi")->Value, "nowe");
    EXPECT_EQ(evaluations, QStringList{"me_Uwagi"}); // a memo always evaluates on exit
    win->MeasurementPages().SetFieldValue("ed_Brak", "1");
    win->MeasurementPages().SetFieldText("cb_Rodz", "1"); // edits only
    EXPECT_EQ(win->MeasurementPages().GetFieldValue("cb_Rodz"), "0");
}

TEST_F(FieldOps, VisibleAndEnabledTakeExactlyTrue)
{
    win->MeasurementPages().SetFieldVisible("ed_Cicha", "false");
    EXPECT_TRUE(Control<QWidget>("ed_Cicha")->isHidden());
    win->MeasurementPages().SetFieldVisible("ed_Cicha", "true");
    EXPECT_FALSE(Control<QWidget>("ed_Cicha")->isHidden());
    win->MeasurementPages().SetFieldVisible("ed_Cicha", "True");
    EXPECT_TRUE(Control<QWidget>("ed_Cicha")->isHidden());

    win->MeasurementPages().SetFieldEnabled("cb_Rodz", "True");
    EXPECT_FALSE(win->MeasurementPages().IsFieldEnabled("cb_Rodz"));
    win->MeasurementPages().SetFieldEnabled("cb_Rodz", "true");
    EXPECT_TRUE(win->MeasurementPages().IsFieldEnabled("cb_Rodz"));
    EXPECT_FALSE(win->MeasurementPages().IsFieldEnabled("lb_lWynik"));
    EXPECT_FALSE(win->MeasurementPages().IsFieldEnabled("ed_Brak"));
}

TEST_F(FieldOps, IsFieldEnabledIsTheControlsOwnFlagWhileTheRiskTabIsShown)
{
    win->GetMainPanel()->setParent(nullptr);
    win->GetMainPanel()->show();
    win->MeasurementPages().Pages()->setCurrentIndex(win->MeasurementPages().Pages()->count() - 1);
    EXPECT_TRUE(win->MeasurementPages().IsFieldEnabled("ed_WartZm"));
    EXPECT_TRUE(win->MeasurementPages().IsFieldEnabled("ch_cbSumNDS"));
    win->GetMainPanel()->hide();
    win->GetMainPanel()->setParent(win.get());
}

TEST_F(FieldOps, HeaderAndComboChoicesChangeOtherPagesWithoutShowingThem)
{
    QScrollArea *before = win->MeasurementPages().CurrentPage();
    win->MeasurementPages().SetHeaderChoice("Nagl2", 2);
    EXPECT_EQ(Control<QLabel>("lb_Nagl2")->text(), "Y");
    EXPECT_EQ(Item("Nagl2")->ChoiceNr, 2);
    win->MeasurementPages().SetHeaderChoice("Nagl", 5);
    EXPECT_EQ(Control<QLabel>("lb_Nagl")->text(), "Trzeci");

    EXPECT_EQ(Item("Druga")->Value, "A1");
    win->MeasurementPages().SetComboChoice("Druga", 2);
    auto *cb = Control<QComboBox>("cb_Druga");
    EXPECT_EQ(cb->count(), 2);
    EXPECT_EQ(cb->currentIndex(), 0);
    EXPECT_EQ(Item("Druga")->Value, "B0");
    EXPECT_EQ(Item("Druga")->ChoiceNr, 2);
    EXPECT_TRUE(appstate::State().Modified());
    EXPECT_TRUE(evaluations.isEmpty());

    EXPECT_EQ(win->MeasurementPages().Pages()->currentIndex(), 0);
    EXPECT_EQ(win->MeasurementPages().CurrentPage(), before);
}

TEST_F(FieldOps, FocusFieldGivesTheFocusAfterTheCurrentEvent)
{
    win->GetMainPanel()->setParent(nullptr);
    win->GetMainPanel()->show();
    QApplication::setActiveWindow(win->GetMainPanel());
    ASSERT_TRUE(QTest::qWaitForWindowActive(win->GetMainPanel()));
    win->MeasurementPages().FocusField("ed_Cicha");
    QCoreApplication::processEvents();
    EXPECT_TRUE(Control<QWidget>("ed_Cicha")->hasFocus());
    win->GetMainPanel()->hide();
    win->GetMainPanel()->setParent(win.get());
}

TEST_F(FieldOps, ComboQueriesForRules)
{
    EXPECT_TRUE(win->MeasurementPages().HasCombo("cb_Rodz"));
    EXPECT_FALSE(win->MeasurementPages().HasCombo("ed_WartZm"));
    EXPECT_EQ(win->MeasurementPages().ComboItems("cb_Rodz"), (QStringList{"A0", "A1", "A2"}));
    EXPECT_EQ(win->MeasurementPages().ComboText("cb_Rodz"), "A0");
    EXPECT_EQ(win->MeasurementPages().FindFieldCombo("cb_Rodz"), Control<QComboBox>("cb_Rodz"));
}

TEST(GetDelimitedItem, CountsFromOneAndFallsBackToTheLastPart)
{
    const std::tuple<const char *, int, const char *> rows[] = {{"a;b;c", 2, "b"}, {"a;b;c", 5, "c"}, {"a;b;c", 0, "c"},
                                                                {"a;b;c", 1, "a"}, {"abc", 3, "abc"}, {"", 1, ""}};
    for (const auto &[list, n, item] : rows)
        EXPECT_EQ(assessment::GetDelimitedItem(list, n), item) << list << " " << n;
}

// ---- Field events: commit on exit ---------------------------------------------------------

class FieldEvents : public FieldOps
{
};

TEST_F(FieldEvents, EqualNumberNeitherModifiesNorEvaluatesATreeChoiceDoes)
{
    auto *ed = Control<QLineEdit>("ed_WartZm");
    Item("WartZm")->Value = "1.0";
    ed->setText("1.00");
    leave(ed);
    EXPECT_FALSE(appstate::State().Modified());
    EXPECT_TRUE(evaluations.isEmpty());
    win->MeasurementPages().MarkTreeChoice();
    leave(ed);
    EXPECT_EQ(evaluations, QStringList{"ed_WartZm"});
    EXPECT_FALSE(win->MeasurementPages().TreeChoicePending());
}

TEST_F(FieldEvents, AMalformedNumberIsRefusedTheFirstNumberIsNot)
{
    auto *ed = Control<QLineEdit>("ed_WartZm");
    Item("WartZm")->Value = "";
    ed->setText("");
    leave(ed); // an empty field left empty: no complaint
    EXPECT_TRUE(prompter.boxes.isEmpty());
    ed->setText("12");
    leave(ed); // the first number of an empty field
    EXPECT_TRUE(prompter.boxes.isEmpty());
    EXPECT_EQ(Item("WartZm")->Value, "12");
    EXPECT_EQ(evaluations, QStringList{"ed_WartZm"});
    ed->setText("12,5"); // a decimal comma is taken as the point
    leave(ed);
    EXPECT_TRUE(prompter.boxes.isEmpty());
    EXPECT_EQ(Item("WartZm")->Value, "12.5");
    EXPECT_EQ(ed->text(), "12.5");
    EXPECT_EQ(evaluations.size(), 2);
    appstate::State().SetModified(false);
    for (const char *refused : {"abc", "1,2,3", "1.5,2"}) {
        ed->setText(QString::fromLatin1(refused));
        leave(ed);
        EXPECT_EQ(ed->text(), "12.5") << refused; // what is on screen is what will be saved
    }
    ASSERT_EQ(prompter.boxes.size(), 3);
    EXPECT_EQ(prompter.boxes[0].text, "Niepoprawny format wprowadzonej danej liczbowej!");
    EXPECT_EQ(Item("WartZm")->Value, "12.5");
    EXPECT_FALSE(appstate::State().Modified());
    EXPECT_EQ(evaluations.size(), 2);
    auto *text = Control<QLineEdit>("ed_Opis"); // a text field keeps its comma
    text->setText("1,5");
    leave(text);
    EXPECT_EQ(Item("Opis")->Value, "1,5");
}

TEST_F(FieldEvents, AnEditWithoutOnExitStillRecordsWhatWasTyped)
{
    auto *ed = Control<QLineEdit>("ed_Cicha");
    ed->setText("4");
    leave(ed);
    EXPECT_EQ(Item("Cicha")->Value, "4");
    EXPECT_TRUE(appstate::State().Modified());
    EXPECT_TRUE(evaluations.isEmpty());
}

// A measurement whose stored value is longer than its field's limit.
class FieldLimits : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        Add(Page(1, QStringLiteral("Jeden"), QString::fromLatin1(FormName)));
        auto zm = Field(QStringLiteral("WartZm"), QStringLiteral("edit"), 1, 200, 100, QStringLiteral("85.123456789"));
        zm->EditDefinition().rozm = 5;
        zm->onexit = true;
        Add(std::move(zm));
        Build();
        appstate::State().SetModified(false);
    }
};

TEST_F(FieldLimits, ALongerStoredValueIsShownWholeAndNotChangedByLeaving)
{
    // Looking at the field must neither cut the value nor mark the data modified.
    auto *ed = Control<QLineEdit>("ed_WartZm");
    ASSERT_TRUE(ed);
    EXPECT_EQ(ed->text(), "85.123456789");
    leave(ed);
    EXPECT_EQ(Item("WartZm")->Value, "85.123456789");
    EXPECT_FALSE(appstate::State().Modified());
    EXPECT_TRUE(evaluations.isEmpty());
    // A rule's result is shown whole as well.
    win->MeasurementPages().SetFieldText(QStringLiteral("ed_WartZm"), QStringLiteral("1234567"));
    EXPECT_EQ(ed->text(), "1234567");
}

TEST_F(FieldEvents, AMemoEvaluatesOnEveryExit)
{
    auto *me = Control<QPlainTextEdit>("me_Uwagi");
    leave(me);
    EXPECT_EQ(evaluations, QStringList{"me_Uwagi"});
    EXPECT_FALSE(appstate::State().Modified());
    me->setPlainText("inne");
    leave(me);
    EXPECT_EQ(evaluations.size(), 2);
    EXPECT_EQ(Item("Uwagi")->Value, "inne");
    EXPECT_TRUE(appstate::State().Modified());
}

TEST_F(FieldEvents, TheRuleWorksOnThePageOfTheFieldThatChanged)
{
    QString seen;
    assessment::RegisterEvaluationRule(QString::fromLatin1(FormName),
                                       [&](assessment::TFormAccess &form, const QString &sender) {
                                           evaluations << sender;
                                           seen = form.GetFieldValue("ed_Strona2");
                                       });
    // the risk tab is shown; the field of page 2 is left
    win->MeasurementPages().Pages()->setCurrentIndex(win->MeasurementPages().Pages()->count() - 1);
    auto *ed = Control<QLineEdit>("ed_Strona2");
    ed->setText("8");
    leave(ed);
    EXPECT_EQ(evaluations, QStringList{"ed_Strona2"});
    EXPECT_EQ(seen, "8");
    EXPECT_EQ(win->MeasurementPages().CurrentPage()->objectName(), "sc_2");
}

TEST_F(FieldEvents, ARuleThatKeepsChangingItsOwnFieldStopsAtTheBound)
{
    int calls = 0;
    assessment::RegisterEvaluationRule(QString::fromLatin1(FormName),
                                       [&](assessment::TFormAccess &form, const QString &) {
                                           ++calls;
                                           const int v = form.GetFieldValue("ed_WartZm").toInt();
                                           form.SetFieldValue("ed_WartZm", QString::number(v + 1));
                                       });
    win->MeasurementPages().SetFieldValue("ed_WartZm", "1");
    EXPECT_EQ(calls, assessment::TMeasurementPages::MaxEvaluationDepth);
}

TEST_F(FieldEvents, RuleWritesReachTheRiskPanelAndTheMeasurement)
{
    assessment::RegisterEvaluationRule(QString::fromLatin1(FormName),
                                       [&](assessment::TFormAccess &form, const QString &) {
                                           const double v = form.GetFieldValue("ed_WartZm").toDouble();
                                           const int r = v > 10 ? 30 : v > 5 ? 20 : 10;
                                           form.SetRiskAssessment(assessment::TGroupRatings::All(r));
                                       });
    win->MeasurementPages().SetFieldValue("ed_WartZm", "7");
    EXPECT_EQ(m->ocenam, 20);
    EXPECT_EQ(m->ocenak, 20);
    EXPECT_EQ(m->ocenamax, 20); // men and women employed in 2020
    EXPECT_EQ(m->ocenakon, 20);
    EXPECT_EQ(frmOcenaRyz()->ShownCode(frmOcenaRyz()->gbKompLaczna), 20);
}

TEST_F(FieldEvents, SampleDataNeverSetsModified)
{
    win->MeasurementPages().ClearMeasurementForm();
    appstate::State().DataFolder = QStringLiteral("wzrocen\\");
    Build();
    win->MeasurementPages().SetFieldValue("ch_cbSumNDS", "True");
    EXPECT_FALSE(appstate::State().Modified());
}

TEST_F(FieldEvents, PreviewsLeaveTheModifiedFlagAlone)
{
    win->MeasurementPages().ClearMeasurementForm();
    // The catalogue's preview: pages of its own, editable, made without a store.
    assessment::TMeasurementPages preview(nullptr, appstate::State());
    preview.BuildMeasurementForm(Items(), true);
    appstate::State().SetModified(true); // the catalogue view's own change
    auto *ed = preview.Pages()->findChild<QLineEdit *>("ed_Cicha");
    ed->setText("9");
    leave(ed);
    EXPECT_TRUE(appstate::State().Modified());
    appstate::State().SetModified(false);
    ed->setText("10");
    leave(ed);
    EXPECT_FALSE(appstate::State().Modified());
    preview.ClearMeasurementForm();
}

TEST_F(FieldEvents, EnteringAFieldMakesItTheLastEditor)
{
    auto *ed = Control<QLineEdit>("ed_Cicha");
    QFocusEvent in(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(ed, &in);
    EXPECT_EQ(appstate::State().LastWinCtrl(), ed);
    // the main window's commit before a command runs the edit's exit
    ed->setText("5");
    EXPECT_TRUE(widgets::CommitField(appstate::State().LastWinCtrl()));
    EXPECT_EQ(Item("Cicha")->Value, "5");
}
