#include "assessment_fixture.h"

#include "assessment/frm_ocena_ryz.h"
#include "storage/form_definition_files.h"
#include "widgets/field_binding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QToolButton>

using namespace assessmenttest;
using assessment::TfrmRyzZakl;

namespace {

int roundHalfEven(double v)
{
    return static_cast<int>(std::nearbyint(v));
}

} // namespace

// ---- Names and structure -------------------------------------------------------------

class PageBuilderNames : public WindowTest
{
};

TEST_F(PageBuilderNames, EveryKindGetsItsPrefixedNameAndTheRiskTabComesLast)
{
    Add(Page(1, QStringLiteral("Wyniki"), QString::fromLatin1(FormName)));
    Add(Header(QStringLiteral("Nagl"), 600, QStringLiteral("Wyniki pomiarów;Obliczenia"), QString::fromLatin1(FormName)));
    auto form = Field(QStringLiteral("Rodzaj"), QStringLiteral("form"), 1, 300, 150);
    form->etyk = QStringLiteral("Rodzaj pomieszczenia");
    Add(std::move(form));
    auto edit = Field(QStringLiteral("WartZm"), QStringLiteral("edit"), 1, 200, 80, QStringLiteral("1.5"));
    edit->etyk = QStringLiteral("Wartość zmierzona");
    Add(std::move(edit));
    Add(Field(QStringLiteral("Uwagi"), QStringLiteral("memo"), 2, 400, 300, QStringLiteral("linia 1\nlinia 2")));
    Add(Field(QStringLiteral("Rodz"), QStringLiteral("combo"), 2, 200, 150));
    auto check = Field(QStringLiteral("cbSumNDS"), QStringLiteral("checkbox"), 3, 200, 150, QStringLiteral("True"));
    check->etyk = QStringLiteral("Sumowanie");
    Add(std::move(check));
    auto label = Field(QStringLiteral("lOpis"), QStringLiteral("label"), 3, 200, 150);
    label->etyk = QStringLiteral("Opis");
    Add(std::move(label));
    Add(Field(QStringLiteral("Druk"), QStringLiteral("tekst"), 3, 100, 100, QStringLiteral("tylko wydruk")));
    Add(Page(2, QStringLiteral("Dodatkowe"), QString::fromLatin1(FormName)));
    Add(Field(QStringLiteral("Param"), QStringLiteral("parametr"), 1, 300, 300));
    Build();

    ASSERT_EQ(win->MeasurementPages().Pages()->count(), 3);
    EXPECT_EQ(win->MeasurementPages().Pages()->widget(0)->objectName(), "ts_1");
    EXPECT_EQ(win->MeasurementPages().Pages()->tabText(0), "Wyniki");
    EXPECT_EQ(win->MeasurementPages().Pages()->widget(1)->objectName(), "ts_2");
    EXPECT_EQ(win->MeasurementPages().Pages()->widget(2)->objectName(), "ts_OcenaRyzyka");
    EXPECT_EQ(win->MeasurementPages().Pages()->tabText(2), "Ocena ryzyka zawodowego");
    EXPECT_TRUE(win->MeasurementPages().Pages()->widget(2)->isAncestorOf(frmOcenaRyz()->pOcenaRyz));
    EXPECT_EQ(win->MeasurementPages().Pages()->currentIndex(), 0);
    ASSERT_TRUE(win->MeasurementPages().CurrentPage());
    EXPECT_EQ(win->MeasurementPages().CurrentPage()->objectName(), "sc_1");
    EXPECT_EQ(win->MeasurementPages().FormName(), FormName);

    for (const char *name : {"lb_Nagl", "et_Rodzaj", "ed_Rodzaj", "bb_Rodzaj", "et_WartZm", "ed_WartZm", "me_Uwagi",
                             "cb_Rodz", "ch_cbSumNDS", "lb_lOpis", "bV_Rodzaj", "bV_WartZm", "bH_WartZm",
                             "bV_cbSumNDS", "bV_lOpis"})
        EXPECT_TRUE(win->MeasurementPages().FindField(QString::fromLatin1(name))) << name;
    EXPECT_EQ(win->MeasurementPages().FindField("ed_WartZm")->parentWidget(), win->MeasurementPages().CurrentPage()->widget());
    // "tekst" builds nothing, nor a separator of its own
    EXPECT_FALSE(Control<QWidget>("ed_Druk"));
    EXPECT_FALSE(Control<QWidget>("bV_Druk"));
    EXPECT_EQ(qobject_cast<QLabel *>(Control<QWidget>("lb_Nagl"))->text(), "Wyniki pomiarów");
    EXPECT_TRUE(Control<QLabel>("lb_Param"));
    EXPECT_EQ(Control<QScrollArea>("sc_2")->parentWidget()->objectName(), "ts_2");

    EXPECT_EQ(Control<QLineEdit>("ed_WartZm")->text(), "1.5");
    EXPECT_EQ(Control<QLineEdit>("ed_WartZm")->toolTip(), "Naciśnij TAB w celu opuszczenia pola edycyjnego");
    EXPECT_EQ(Control<QPlainTextEdit>("me_Uwagi")->toPlainText(), "linia 1\nlinia 2");
    EXPECT_TRUE(Control<QPlainTextEdit>("me_Uwagi")->tabChangesFocus()); // as its tooltip says
    EXPECT_TRUE(Control<QCheckBox>("ch_cbSumNDS")->isChecked());
    EXPECT_EQ(Control<QToolButton>("bb_Rodzaj")->size(), QSize(17, 17));
    EXPECT_FALSE(Control<QToolButton>("bb_Rodzaj")->icon().isNull());
}

TEST_F(PageBuilderNames, ClearingKeepsTheRiskPanelAndABuildCanFollow)
{
    Add(Page(1, QStringLiteral("A"), QString::fromLatin1(FormName)));
    Add(Field(QStringLiteral("X"), QStringLiteral("edit"), 1, 200, 100, QStringLiteral("1")));
    Build();
    QPointer<QWidget> panel = frmOcenaRyz()->pOcenaRyz;
    QPointer<QWidget> edit = Control<QWidget>("ed_X");
    win->MeasurementPages().ClearMeasurementForm();
    EXPECT_EQ(win->MeasurementPages().Pages()->count(), 0);
    EXPECT_TRUE(panel);
    EXPECT_FALSE(edit);
    EXPECT_FALSE(win->MeasurementPages().CurrentPage());
    Build();
    EXPECT_EQ(win->MeasurementPages().Pages()->count(), 2);
    EXPECT_TRUE(win->MeasurementPages().Pages()->widget(1)->isAncestorOf(panel));
}

TEST_F(PageBuilderNames, ClearingWhileAnEditHasFocusRunsNoHandler)
{
    Add(Page(1, QStringLiteral("A"), QString::fromLatin1(FormName)));
    auto e = Field(QStringLiteral("X"), QStringLiteral("edit"), 1, 200, 100, QStringLiteral("1"));
    e->onexit = true;
    Add(std::move(e));
    Build();
    win->GetMainPanel()->setParent(nullptr);
    win->GetMainPanel()->show();
    QApplication::setActiveWindow(win->GetMainPanel());
    auto *ed = Control<QLineEdit>("ed_X");
    ed->setFocus(Qt::TabFocusReason);
    ed->setText("5");
    win->MeasurementPages().ClearMeasurementForm();
    EXPECT_TRUE(evaluations.isEmpty());
    EXPECT_EQ(Item("X")->Value, "1");
    win->GetMainPanel()->hide();
    win->GetMainPanel()->setParent(win.get());
}

// ---- Geometry ---------------------------------------------------------------------

class PageBuilderGeometry : public WindowTest
{
};

TEST_F(PageBuilderGeometry, ThreeColumnsOfARowAndTheirSeparators)
{
    Add(Page(1, QStringLiteral("A"), QString::fromLatin1(FormName)));
    Add(Field(QStringLiteral("A"), QStringLiteral("edit"), 1, 200, 100));
    Add(Field(QStringLiteral("B"), QStringLiteral("edit"), 1, 200, 100));
    Add(Field(QStringLiteral("C"), QStringLiteral("edit"), 1, 200, 100));
    auto d = Field(QStringLiteral("D"), QStringLiteral("edit"), 2, 200, 100);
    d->EditDefinition().ile = 2;
    Add(std::move(d));
    Build();

    // the first row stands 20 below the page top (page 10, row change + 10)
    EXPECT_EQ(Control<QWidget>("ed_A")->geometry(), QRect(50, 20, 100, 21));
    EXPECT_EQ(Control<QWidget>("ed_B")->x(), 250);
    EXPECT_EQ(Control<QWidget>("ed_C")->x(), 450);
    EXPECT_EQ(Control<QWidget>("ed_C")->y(), 20);
    // vertical separators at the right edge of each column, from 5 above the row
    EXPECT_EQ(Control<QFrame>("bV_A")->geometry(), QRect(200, 15, 4, 31));
    EXPECT_EQ(Control<QFrame>("bV_B")->x(), 400);
    EXPECT_EQ(Control<QFrame>("bV_C")->x(), 600);
    EXPECT_EQ(Control<QFrame>("bV_A")->frameShape(), QFrame::VLine);
    // the row's line under it spans to the right extent
    EXPECT_EQ(Control<QFrame>("bH_C")->geometry(), QRect(0, 46, 600, 2));
    EXPECT_EQ(Control<QFrame>("bH_C")->frameShape(), QFrame::HLine);
    // second row: top 20 + 21 + 10; ile 2 reaches one row height above
    EXPECT_EQ(Control<QWidget>("ed_D")->y(), 51);
    EXPECT_EQ(Control<QFrame>("bV_D")->geometry(), QRect(200, 51 - 5 - 21, 4, 2 * 21 + 10));
    // the page scrolls over everything placed on it
    const QWidget *content = win->MeasurementPages().CurrentPage()->widget();
    EXPECT_GE(content->width(), 604);
    EXPECT_GE(content->height(), 51 + 21);
}

TEST_F(PageBuilderGeometry, AlignmentsAndHalfEvenRounding)
{
    Add(Page(1, QStringLiteral("A"), QString::fromLatin1(FormName)));
    auto right = Field(QStringLiteral("R"), QStringLiteral("edit"), 1, 200, 100);
    right->EditDefinition().pozycja = QStringLiteral("right");
    Add(std::move(right));
    auto left = Field(QStringLiteral("L"), QStringLiteral("edit"), 1, 200, 100);
    left->EditDefinition().pozycja = QStringLiteral("left");
    Add(std::move(left));
    Add(Field(QStringLiteral("H1"), QStringLiteral("edit"), 1, 201, 100)); // (201-100)/2 = 50.5 -> 50
    Add(Field(QStringLiteral("H2"), QStringLiteral("edit"), 1, 203, 100)); // 51.5 -> 52
    auto lr = Field(QStringLiteral("lR"), QStringLiteral("label"), 2, 200, 150);
    lr->EditDefinition().pozycja = QStringLiteral("right");
    lr->etyk = QStringLiteral("Tekst");
    Add(std::move(lr));
    auto ll = Field(QStringLiteral("lL"), QStringLiteral("label"), 2, 200, 150);
    ll->EditDefinition().pozycja = QStringLiteral("left");
    ll->etyk = QStringLiteral("Tekst");
    Add(std::move(ll));
    Build();

    // an input on the right touches the column edge; a label keeps 5 pixels off it
    EXPECT_EQ(Control<QWidget>("ed_R")->x(), 100);
    EXPECT_EQ(Control<QWidget>("ed_L")->x(), 205);
    EXPECT_EQ(Control<QWidget>("ed_H1")->x(), 400 + 50);
    EXPECT_EQ(Control<QWidget>("ed_H2")->x(), 601 + 52);
    const QRect r = Control<QWidget>("lb_lR")->geometry();
    EXPECT_EQ(r.x() + r.width(), 200 - 5);
    EXPECT_EQ(Control<QWidget>("lb_lL")->x(), 205);
}

TEST_F(PageBuilderGeometry, CaptionLabelSitsLeftOfItsInput)
{
    Add(Page(1, QStringLiteral("A"), QString::fromLatin1(FormName)));
    auto e = Field(QStringLiteral("E"), QStringLiteral("edit"), 1, 300, 100);
    e->etyk = QStringLiteral("Wartość");
    Add(std::move(e));
    auto f = Field(QStringLiteral("F"), QStringLiteral("form"), 1, 300, 120);
    f->etyk = QStringLiteral("Rodzaj");
    f->EditDefinition().pozycja = QStringLiteral("left");
    Add(std::move(f));
    Build();
    const QRect et = Control<QWidget>("et_E")->geometry();
    const QRect ed = Control<QWidget>("ed_E")->geometry();
    EXPECT_LE(et.width(), 300 - (100 + 15));
    EXPECT_EQ(et.x(), roundHalfEven((300 - (100 + et.width() + 10)) / 2.0));
    EXPECT_EQ(ed.x(), et.x() + et.width() + 5);
    EXPECT_EQ(et.y(), 20);
    EXPECT_EQ(Control<QLabel>("et_E")->alignment() & Qt::AlignRight, Qt::AlignRight);
    const QRect etF = Control<QWidget>("et_F")->geometry();
    EXPECT_EQ(etF.x(), 300 + 5);
    const QRect edF = Control<QWidget>("ed_F")->geometry();
    EXPECT_EQ(edF.x(), etF.x() + etF.width() + 5);
    EXPECT_EQ(edF.width(), 120 - 17);
    EXPECT_EQ(Control<QWidget>("bb_F")->geometry(), QRect(edF.x() + edF.width(), 21, 17, 17));
}

TEST_F(PageBuilderGeometry, HeaderStandsOnThePageTopAndRowsFollowIt)
{
    Add(Page(1, QStringLiteral("A"), QString::fromLatin1(FormName)));
    Add(Header(QStringLiteral("N"), 400, QStringLiteral("Nagłówek"), QString::fromLatin1(FormName)));
    Add(Field(QStringLiteral("A"), QStringLiteral("edit"), 1, 400, 100));
    Build();
    auto *lb = Control<QLabel>("lb_N");
    EXPECT_EQ(lb->geometry().topLeft(), QPoint(0, 10));
    EXPECT_EQ(lb->width(), 400);
    EXPECT_TRUE(lb->font().bold());
    EXPECT_EQ(Control<QWidget>("ed_A")->y(), 10 + lb->height() + 10);
    // the header row gets its line under it, no column separator
    EXPECT_EQ(Control<QFrame>("bH_N")->y(), 10 + lb->height() + 10 - 5);
    EXPECT_FALSE(Control<QFrame>("bV_N"));
}

TEST_F(PageBuilderGeometry, RowsWiderThanTenCellsAreBuiltWhole)
{
    Add(Page(1, QStringLiteral("A"), QString::fromLatin1(FormName)));
    for (int i = 0; i < 14; ++i)
        Add(Field(QStringLiteral("F%1").arg(i), QStringLiteral("edit"), 1, 60, 50));
    Build();
    for (int i = 0; i < 14; ++i) {
        auto *bv = Control<QFrame>(QStringLiteral("bV_F%1").arg(i));
        ASSERT_TRUE(bv) << i;
        EXPECT_EQ(bv->x(), 60 * (i + 1));
        EXPECT_EQ(bv->height(), 31);
    }
}

// ---- Access per view --------------------------------------------------------------

class PageBuilderAccess : public WindowTest
{
protected:
    void AddEdits()
    {
        Add(Page(1, QStringLiteral("A"), QString::fromLatin1(FormName)));
        auto ro = Field(QStringLiteral("RO"), QStringLiteral("edit"), 1, 200, 100, QStringLiteral("1"));
        ro->EditDefinition().readonly = true;
        Add(std::move(ro));
        auto off = Field(QStringLiteral("Off"), QStringLiteral("edit"), 1, 200, 100, QStringLiteral("1"));
        off->enabled = false;
        off->onexit = true;
        Add(std::move(off));
        auto e = Field(QStringLiteral("E"), QStringLiteral("edit"), 1, 200, 100, QStringLiteral("1"));
        e->onexit = true;
        Add(std::move(e));
        Add(Field(QStringLiteral("K"), QStringLiteral("combo"), 2, 200, 100));
    }
};

TEST_F(PageBuilderAccess, MeasurementViewTakesTheItemsAccess)
{
    AddEdits();
    Build();
    auto *ro = Control<QLineEdit>("ed_RO");
    EXPECT_TRUE(ro->isReadOnly());
    EXPECT_EQ(ro->focusPolicy(), Qt::ClickFocus);
    EXPECT_EQ(ro->palette().color(QPalette::Base), QColor(0xEB, 0xEB, 0xEB));
    EXPECT_FALSE(Control<QLineEdit>("ed_Off")->testAttribute(Qt::WA_ForceDisabled) == false);
    auto *e = Control<QLineEdit>("ed_E");
    EXPECT_FALSE(e->isReadOnly());
    EXPECT_FALSE(e->testAttribute(Qt::WA_ForceDisabled));
    EXPECT_TRUE(widgets::HasCommitHandler(e));
    EXPECT_TRUE(frmOcenaRyz()->gbOcena->isEnabled());
}

TEST_F(PageBuilderAccess, SampleDataFolderDisablesEveryInputAndAttachesNoExit)
{
    appstate::State().DataFolder = QStringLiteral("wzrocen\\");
    AddEdits();
    Build();
    for (const char *name : {"ed_RO", "ed_Off", "ed_E"}) {
        auto *ed = Control<QLineEdit>(QString::fromLatin1(name));
        EXPECT_TRUE(ed->isReadOnly()) << name;
        EXPECT_TRUE(ed->testAttribute(Qt::WA_ForceDisabled)) << name;
        EXPECT_FALSE(widgets::HasCommitHandler(ed)) << name;
    }
    EXPECT_TRUE(Control<QComboBox>("cb_K")->testAttribute(Qt::WA_ForceDisabled));
    EXPECT_FALSE(Item("E")->onexit);
    EXPECT_FALSE(frmOcenaRyz()->gbOcena->isEnabled());
}

TEST_F(PageBuilderAccess, CatalogueViewTakesTheItemsAccessOtherViewsDisableAll)
{
    // The catalogue and the summary show previews of their own, made without a ratings store.
    AddEdits();
    assessment::TMeasurementPages preview(nullptr, appstate::State());
    preview.BuildMeasurementForm(Items(), true); // as the catalogue builds its form
    EXPECT_FALSE(preview.Pages()->findChild<QLineEdit *>("ed_E")->testAttribute(Qt::WA_ForceDisabled));
    EXPECT_FALSE(preview.RiskPanel()->gbOcena->isEnabled());
    preview.ClearMeasurementForm();

    preview.BuildMeasurementForm(Items(), false); // as the summary shows a measurement
    EXPECT_TRUE(preview.Pages()->findChild<QLineEdit *>("ed_E")->testAttribute(Qt::WA_ForceDisabled));
    EXPECT_TRUE(preview.Pages()->findChild<QLineEdit *>("ed_E")->isReadOnly());
    preview.ClearMeasurementForm();
}

TEST_F(PageBuilderAccess, DefinitionViewBuildsNothing)
{
    // Another view's preview is built into its own page control, never the window's.
    AddEdits();
    assessment::TMeasurementPages preview(nullptr, appstate::State());
    preview.BuildMeasurementForm(Items(), false);
    EXPECT_EQ(win->MeasurementPages().Pages()->count(), 0);
    preview.ClearMeasurementForm();
}

// ---- Combos -----------------------------------------------------------------------

class PageBuilderCombos : public WindowTest
{
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        WriteTree(folder, QStringLiteral("zaklocen\\frm\\zalaczn\\lista_a.xml"),
                  {QStringLiteral(" Poniżej 2% "), QStringLiteral(" Od 2% "), QStringLiteral(" Powyżej 50% ")});
        WriteTree(folder, QStringLiteral("zaklocen\\frm\\zalaczn\\lista_b.xml"),
                  {QStringLiteral("Jeden"), QStringLiteral("Dwa")});
        Add(Page(1, QStringLiteral("A"), QString::fromLatin1(FormName)));
    }
    void AddCombo(const QString &nazwa, const QString &value, const QString &zal = QStringLiteral("lista_a.xml"))
    {
        auto c = Field(nazwa, QStringLiteral("combo"), 1, 200, 150, value);
        c->EditDefinition().zal = zal;
        Add(std::move(c));
    }
};

TEST_F(PageBuilderCombos, IndexDefaultSelectsAndStoresTheItemText)
{
    AddCombo(QStringLiteral("Ind"), QStringLiteral("1"));
    AddCombo(QStringLiteral("Txt"), QStringLiteral(" Powyżej 50% "));
    AddCombo(QStringLiteral("Sec"), QStringLiteral("1"), QStringLiteral("lista_a.xml;lista_b.xml"));
    Item("Sec")->ChoiceNr = 2;
    Build();
    auto *ind = Control<QComboBox>("cb_Ind");
    EXPECT_EQ(ind->count(), 3);
    EXPECT_EQ(ind->currentIndex(), 1);
    EXPECT_EQ(Item("Ind")->Value, " Od 2% ");
    EXPECT_EQ(Control<QComboBox>("cb_Txt")->currentIndex(), 2);
    EXPECT_FALSE(Control<QComboBox>("cb_Txt")->isEditable());
    EXPECT_EQ(Control<QComboBox>("cb_Sec")->itemText(1), "Dwa");
    EXPECT_EQ(Item("Sec")->Value, "Dwa");
}

TEST_F(PageBuilderCombos, AStoredChoiceTheListNoLongerHasIsShownAsStored)
{
    AddCombo(QStringLiteral("Old"), QStringLiteral("Stara pozycja"));
    AddCombo(QStringLiteral("Far"), QStringLiteral("7"));
    AddCombo(QStringLiteral("None"), QString());
    Build();
    auto *old = Control<QComboBox>("cb_Old");
    EXPECT_TRUE(old->isEditable());
    EXPECT_EQ(old->currentText(), "Stara pozycja");
    EXPECT_FALSE(old->isEnabled());
    EXPECT_EQ(Item("Old")->Value, "Stara pozycja");
    auto *far = Control<QComboBox>("cb_Far");
    EXPECT_EQ(far->currentText(), "7");
    EXPECT_EQ(Item("Far")->Value, "7");
    auto *none = Control<QComboBox>("cb_None");
    EXPECT_EQ(none->currentIndex(), -1);
    EXPECT_FALSE(none->isEditable());
    EXPECT_EQ(win->MeasurementPages().GetFieldValue("cb_None"), "-1");
}

TEST_F(PageBuilderCombos, AMissingListGivesAnEmptyComboAndTheRestIsBuilt)
{
    AddCombo(QStringLiteral("Gone"), QStringLiteral("0"), QStringLiteral("nie_ma.xml"));
    folder.WriteText("zaklocen/frm/zalaczn/zepsuta.xml", "<?xml?>\n<drzewo plik=\"zaklocen\\frm\\zalaczn\\zepsuta.xml\">\n<grp nazwa=\"x\">\n<poz>a</poz>\n");
    AddCombo(QStringLiteral("Broken"), QStringLiteral("0"), QStringLiteral("zepsuta.xml"));
    Add(Field(QStringLiteral("After"), QStringLiteral("edit"), 2, 200, 100, QStringLiteral("3")));
    Build();
    EXPECT_EQ(Control<QComboBox>("cb_Gone")->count(), 0);
    EXPECT_EQ(Control<QComboBox>("cb_Broken")->count(), 0);
    EXPECT_EQ(Control<QLineEdit>("ed_After")->text(), "3");
    EXPECT_TRUE(prompter.boxes.isEmpty());
}

// ---- Bad definitions ----------------------------------------------------------------

class PageBuilderBadInput : public WindowTest
{
};

TEST_F(PageBuilderBadInput, UnknownKindsAreReportedOnceAndSkipped)
{
    Add(Page(1, QStringLiteral("A"), QString::fromLatin1(FormName)));
    Add(Field(QStringLiteral("Dziwne"), QStringLiteral("suwak"), 1, 200, 100));
    Add(Field(QStringLiteral("Dziwne2"), QStringLiteral("suwak"), 1, 200, 100));
    Add(Field(QStringLiteral("E"), QStringLiteral("edit"), 1, 200, 100, QStringLiteral("2")));
    Build();
    ASSERT_EQ(prompter.boxes.size(), 1);
    EXPECT_TRUE(prompter.boxes[0].text.contains("suwak"));
    EXPECT_TRUE(prompter.boxes[0].text.contains("Dziwne2"));
    EXPECT_EQ(prompter.boxes[0].icon, platform::MsgIcon::Warning);
    // the unknown fields still take their columns
    EXPECT_EQ(Control<QWidget>("ed_E")->x(), 400 + 50);
}

TEST_F(PageBuilderBadInput, FieldsBeforeAnyPageAndAnEmptyFormDoNotCrash)
{
    Add(Field(QStringLiteral("Sierota"), QStringLiteral("edit"), 1, 200, 100));
    Build();
    EXPECT_EQ(win->MeasurementPages().Pages()->count(), 1); // only the risk tab
    EXPECT_FALSE(win->MeasurementPages().FindField("ed_Sierota"));
    win->MeasurementPages().ClearMeasurementForm();
    Items().clear();
    Build();
    EXPECT_EQ(win->MeasurementPages().Pages()->count(), 1);
    EXPECT_EQ(win->MeasurementPages().GetFieldValue("ed_Sierota"), "");
}

// ---- The shipped simple form ------------------------------------------------------------

class ShippedForm : public ::testing::Test
{
};

TEST_F(ShippedForm, ReadsAndBuildsWithItsNames)
{
    testsupport::FixtureFolder installed(true);
    testsupport::ScriptedPrompter prompter;
    appstate::State().ViewName = QStringLiteral("frmZestaw");
    appstate::State().ViewKind = storage::TViewKind::Summary;
    appstate::State().DataFolder = QStringLiteral("dane\\");
    storage::TPomiarList items;
    storage::ReadMeasurementForm(QStringLiteral("zaklocen\\frm\\pomiar_ogolny_frm_1.xml"), items, 90001);
    ASSERT_FALSE(items.empty());
    EXPECT_EQ(items.front()->function(), "pomiar_ogolny_Pomiar_01");
    // The summary's pages: a preview of its own.
    assessment::TMeasurementPages pages(nullptr, appstate::State());
    pages.SetAttachmentFolder(QStringLiteral("zaklocen\\frm\\zalaczn"));
    pages.BuildMeasurementForm(items, false);
    for (const char *name : {"ed_WartZm", "ed_WartDop", "ed_Krotn", "cb_Ocena", "me_Uwagi", "ch_Zewn"})
        EXPECT_TRUE(pages.FindField(QString::fromLatin1(name))) << name;
    EXPECT_GT(pages.FindFieldCombo("cb_Ocena")->count(), 1);
    EXPECT_TRUE(prompter.boxes.isEmpty()) << prompter.Texts().join("|").toStdString();
    pages.ClearMeasurementForm();
    appstate::State().ViewName.clear();
    appstate::State().ViewKind = storage::TViewKind::None;
}
