// The document window's pages built at run time: names, geometry, the field events that keep
// the value slots in step with the controls, and bad definitions that must leave the window
// usable.
#include "appstate/appstate.h"
#include "platform/paths.h"
#include "storage/config_version.h"
#include "storage/document_files.h"
#include "tests/support/fakes.h"
#include "tests/support/fixture.h"
#include "tests/workstations/document_test_support.h"
#include "widgets/field_binding.h"
#include "workstations/frm_dokum.h"

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QToolButton>
#include <QWheelEvent>
#include <QTest>
#include <gtest/gtest.h>

using namespace workstations;

namespace {

using documenttests::Attach;
using documenttests::Forms;

QString header(const QString &base)
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\n<%1 ver=\"1.0\" "
                          "katalog=\"test\\\" plik=\"test_lista.xml\">\n")
        .arg(base);
}

QString pole(const QString &nazwa, const QString &typ, int szer, int ile, const QString &zal = QString(),
             const QString &etyk = QStringLiteral("Pole"), int wys = 0, int rozm = 100,
             const QString &tekst = QString())
{
    return QStringLiteral("    <pole nazwa=\"%1\" typ=\"%2\" druk=\"\" ppow=\"\" rozm=\"%7\" szer=\"%3\" wys=\"%6\" "
                          "ile=\"%4\" etyk=\"%8\" zal=\"%5\">%9</pole>\n")
        .arg(nazwa, typ)
        .arg(szer)
        .arg(ile)
        .arg(zal)
        .arg(wys)
        .arg(rozm)
        .arg(etyk, tekst);
}

struct SaveSignals
{
    int enabled = 0;
    QMetaObject::Connection c;
    SaveSignals()
    {
        c = QObject::connect(&appstate::State(), &appstate::AppState::SaveEnabledRequested,
                             [this](bool on) { enabled += on ? 1 : 0; });
    }
    ~SaveSignals() { QObject::disconnect(c); }
};

} // namespace

class DocumentWindow : public ::testing::Test
{
protected:
    testsupport::FixtureFolder fx{true};
    testsupport::ScriptedPrompter boxes;
    std::unique_ptr<TfrmDokum> view;
    TfrmDokum::TreeChooser previousChooser;
    struct Chosen
    {
        QString file, current;
    };
    QList<Chosen> chooserCalls;
    int chooserResult = 1;
    QString chooserText;

    void SetUp() override
    {
        storage::ConfigVersion() = QStringLiteral("1.0");
        auto &s = appstate::State();
        s.DataFolder = QStringLiteral("dokumenty\\");
        s.FormsFolder = Forms;
        s.AttachFolder = Attach;
        s.ViewName = QStringLiteral("test_frm.xml");
        s.FormVersion.clear();
        s.SetModified(false);
        s.EditAllowed = true;
        s.NewDocument = false;
        s.SetLastWinCtrl(nullptr);
        previousChooser = TfrmDokum::SetTreeChooser([this](const QString &file, const QString &current, QString &text) {
            chooserCalls.push_back({file, current});
            text = chooserText;
            return chooserResult;
        });
        view = std::make_unique<TfrmDokum>(appstate::State());
        view->pgDokum->resize(700, 500);
    }
    void TearDown() override
    {
        view.reset();
        TfrmDokum::SetTreeChooser(previousChooser);
        appstate::State().SetModified(false);
    }

    void writeDefinition(const QString &file, const QString &pages)
    {
        const QString base = file.left(file.indexOf('.'));
        fx.WriteText(QStringLiteral("dokumenty/frm/") + file,
                     header(base) + pages + QStringLiteral("</%1>\n").arg(base));
    }
    void writeTestList()
    {
        fx.WriteText("dokumenty/test_lista.xml",
                     "<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\n"
                     "<test_lista ver=\"1.0\" pData=\"Data\" pRodzInf=\"Nazwisko+Imie\" katalog=\"test\\\" "
                     "plik=\"test_dane.xml\">\n</test_lista>\n");
    }
    // A small definition with every kind of field.
    void openTestKind(int pageWidthForForm = 300)
    {
        writeTestList();
        fx.WriteText("dokumenty/zalaczn/grupy.xml",
                     "<?xml version=\"1.0\" encoding=\"Windows-1250\" standalone=\"yes\" ?>\n"
                     "<drzewo plik=\"dokumenty\\zalaczn\\grupy.xml\" ver=\"1.0\">\n"
                     "  <grp nazwa=\"Grupa A\">\n    <poz>[1] pierwszy</poz>\n    <grp nazwa=\"Podgrupa\">\n"
                     "      <poz>[2] drugi</poz>\n    </grp>\n  </grp>\n  <poz>[3] trzeci</poz>\n</drzewo>\n");
        writeDefinition("test_frm.xml",
                        "  <page nr=\"1\" nazwa=\"Pierwsza\">\n" + pole("Nazwisko", "edit", 300, 1) +
                            pole("Imie", "edit", 200, 1) + pole("Data", "edit", 100, 1, QString(), "Data", 0, 10) +
                            pole("Druk", "tekst", 0, 1) + pole("Opis", "memo", 400, 1, QString(), "Opis", 80, 50) +
                            "  </page>\n  <page nr=\"2\" nazwa=\"Druga\">\n" +
                            pole("Wybor", "combo", 250, 1, "grupy.xml") +
                            pole("Swiadek", "form", pageWidthForForm, 3, "grupy.xml") +
                            pole("Naglowek", "label", 0, 0, QString(), "Nagłówek") + "  </page>\n");
        view->InitView(Forms + "test_frm.xml", Attach);
    }

    // Saves the window's document of the test kind as document 1; the bytes written.
    QByteArray saveTestDocument(TfrmDokum &window)
    {
        EXPECT_TRUE(storage::WriteDocumentData("dokumenty\\", "test\\", "test_dane_1", window.Items));
        return fx.Read("dokumenty/test/test_dane_1.xml");
    }
    // Opens document 1 of the test kind in another window, as a stored document is shown.
    void openSavedTestDocument(TfrmDokum &window)
    {
        window.pgDokum->resize(700, 500);
        window.InitView(Forms + "test_frm.xml", Attach);
        EXPECT_TRUE(storage::ReadDocumentData("dokumenty\\", "test\\", "test_dane_1.xml", window.Items));
        window.ShowDocument(true);
    }

    template <typename T> T *control(const QString &name) const { return view->pgDokum->findChild<T *>(name); }
    storage::TDokum *field(const QString &name) const
    {
        for (auto &i : view->Items)
            if (i->nazwa == name)
                return i.get();
        return nullptr;
    }
};

// --- building ---------------------------------------------------------------------------------

TEST_F(DocumentWindow, BuildsPagesAndControlsWithTheirNames)
{
    openTestKind();
    EXPECT_TRUE(boxes.boxes.isEmpty()) << boxes.Texts().join("|").toStdString();
    ASSERT_EQ(view->pgDokum->count(), 2);
    EXPECT_EQ(view->pgDokum->tabText(0), "Pierwsza");
    EXPECT_EQ(view->pgDokum->widget(1)->objectName(), "ts_2");
    EXPECT_NE(control<QScrollArea>("sc_1"), nullptr);
    auto *nazwisko = control<QLineEdit>("ed_0_Nazwisko");
    ASSERT_NE(nazwisko, nullptr);
    EXPECT_EQ(widgets::EditMaxLength(nazwisko), 100);
    EXPECT_EQ(nazwisko->geometry().left(), 172);
    EXPECT_EQ(nazwisko->width(), 300);
    EXPECT_EQ(control<QLabel>("et_Nazwisko")->geometry().left(), 6);
    EXPECT_EQ(control<QLabel>("et_Nazwisko")->width(), 150);
    auto *memo = control<QPlainTextEdit>("me_0_Opis");
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->height(), 80);
    EXPECT_EQ(memo->width(), 400);
    EXPECT_EQ(control<QToolButton>("bb_Wybor")->geometry(),
              QRect(250 + 172, control<QComboBox>("cb_0_Wybor")->y() + 2, 18, 17));
    EXPECT_EQ(control<QLabel>("lb_Naglowek")->text(), "Nagłówek");
    EXPECT_NE(control<QFrame>("bH_Nazwisko"), nullptr);
    EXPECT_NE(control<QFrame>("bV_Nazwisko"), nullptr);
    EXPECT_EQ(control<QFrame>("bH_Naglowek"), nullptr); // a heading has no vertical bevel
    EXPECT_NE(control<QFrame>("bV_Naglowek"), nullptr);
    EXPECT_EQ(view->pgDokum->currentIndex(), 0);
}

TEST_F(DocumentWindow, FormFieldBuildsOneRowPerSlotUnderOneBevel)
{
    openTestKind();
    // The label of a "form" field carries the field's position in the list.
    int k = -1;
    for (size_t i = 0; i < view->Items.size(); ++i)
        if (view->Items[i]->nazwa == "Swiadek")
            k = int(i);
    EXPECT_NE(control<QLabel>(QStringLiteral("et_%1_Swiadek").arg(k)), nullptr);
    int previousTop = -1000;
    for (int j = 0; j < 3; ++j) {
        auto *edit = control<QLineEdit>(QStringLiteral("ed_%1_Swiadek").arg(j));
        auto *button = control<QToolButton>(QStringLiteral("bb_%1_Swiadek").arg(j));
        ASSERT_NE(edit, nullptr);
        ASSERT_NE(button, nullptr);
        EXPECT_TRUE(edit->isReadOnly());
        EXPECT_EQ(edit->property("tag").toInt(), j);
        EXPECT_EQ(button->property("tag").toInt(), j);
        EXPECT_GT(edit->y(), previousTop);
        EXPECT_EQ(button->geometry(), QRect(edit->width() + 151, edit->y() + 2, 18, 17));
        previousTop = edit->y();
    }
    auto *first = control<QLineEdit>("ed_0_Swiadek");
    auto *last = control<QLineEdit>("ed_2_Swiadek");
    auto *bevel = control<QFrame>("bH_Swiadek");
    const int step = control<QLineEdit>("ed_1_Swiadek")->y() - first->y();
    EXPECT_EQ(bevel->x(), 162);
    EXPECT_EQ(bevel->y(), first->y() - 10);
    EXPECT_EQ(bevel->height(), 3 * step + 5);
    EXPECT_EQ(last->y() - first->y(), 2 * step);
}

TEST_F(DocumentWindow, FormRowsAreAsWideAsThePageAllowsOrAsTheDefinitionSays)
{
    openTestKind(300);
    EXPECT_EQ(control<QLineEdit>("ed_0_Swiadek")->width(), 490); // 700 - 210
    openTestKind(600);
    EXPECT_EQ(control<QLineEdit>("ed_0_Swiadek")->width(), 600);
}

TEST_F(DocumentWindow, PrintOnlyTextBuildsNothingAndTakesNoSpace)
{
    openTestKind();
    EXPECT_EQ(control<QWidget>("bV_Druk"), nullptr);
    EXPECT_EQ(control<QWidget>("ed_0_Druk"), nullptr);
    // The memo stands right below the date as if the print-only text were not there.
    const int dateBottom = control<QFrame>("bV_Data")->y();
    EXPECT_EQ(control<QLabel>("et_Opis")->y(), dateBottom - 5 + 5 + 10);
}

TEST_F(DocumentWindow, ChoiceListOffersEveryNodeOfItsTreeAndStartsEmpty)
{
    openTestKind();
    auto *combo = control<QComboBox>("cb_0_Wybor");
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    EXPECT_EQ(items, QStringList({"Grupa A", "[1] pierwszy", "Podgrupa", "[2] drugi", "[3] trzeci"}));
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_EQ(control<QToolButton>("bb_Wybor")->property("tag").toInt(), -5);
}

TEST_F(DocumentWindow, EveryShippedDefinitionBuildsWithoutComplaint)
{
    const QStringList files = {"protpow_frm_1.xml",  "protpow_frm_2.xml",    "kartwyp_frm.xml",    "protprzes_frm.xml",
                               "polpostpow_frm.xml", "kartrejwyp_frm.xml",   "skw_frm_1.xml",      "skw_frm_2.xml",
                               "skw_frm_3.xml",      "kartwypdroga_frm.xml", "skierbad_frm_1.xml", "skierbad_frm_2.xml",
                               "zaswszkol_frm.xml",  "kartaszkol_frm.xml"};
    for (const QString &file : files) {
        SCOPED_TRACE(file.toStdString());
        appstate::State().ViewName = file;
        appstate::State().FormVersion = storage::ExtractFormVersion(file);
        view->InitView(Forms + file, Attach);
        EXPECT_TRUE(boxes.boxes.isEmpty()) << boxes.Texts().join("|").toStdString();
        EXPECT_TRUE(view->CanSave());
        int pages = 0;
        for (const auto &item : view->Items) {
            const QString &n = item->nazwa;
            if (item->typ == "page") {
                ++pages;
                continue;
            }
            if (item->typ == "edit")
                EXPECT_NE(control<QLineEdit>("ed_0_" + n), nullptr) << n.toStdString();
            else if (item->typ == "memo")
                EXPECT_NE(control<QPlainTextEdit>("me_0_" + n), nullptr) << n.toStdString();
            else if (item->typ == "combo") {
                auto *combo = control<QComboBox>("cb_0_" + n);
                ASSERT_NE(combo, nullptr) << n.toStdString();
                EXPECT_GT(combo->count(), 0) << n.toStdString();
                EXPECT_NE(control<QToolButton>("bb_" + n), nullptr);
            } else if (item->typ == "form") {
                for (int j = 0; j < item->ile; ++j) {
                    EXPECT_NE(control<QLineEdit>(QStringLiteral("ed_%1_%2").arg(j).arg(n)), nullptr);
                    EXPECT_NE(control<QToolButton>(QStringLiteral("bb_%1_%2").arg(j).arg(n)), nullptr);
                }
            } else if (item->typ == "label") {
                EXPECT_NE(control<QLabel>("lb_" + n), nullptr);
            }
        }
        EXPECT_EQ(view->pgDokum->count(), pages);
        boxes.boxes.clear();
    }
}

// --- field events --------------------------------------------------------------------------------

TEST_F(DocumentWindow, EditExitStoresInSlotSetsModifiedAndEnablesSave)
{
    openTestKind();
    SaveSignals save;
    auto *edit = control<QLineEdit>("ed_0_Nazwisko");
    edit->setText("Kowalski");
    view->ExitField(edit);
    EXPECT_EQ(field("Nazwisko")->Values[0].wartosc, "Kowalski");
    EXPECT_TRUE(appstate::State().Modified());
    EXPECT_EQ(save.enabled, 1);
    // The same text again changes nothing.
    appstate::State().SetModified(false);
    view->ExitField(edit);
    EXPECT_FALSE(appstate::State().Modified());
    // While editing is not allowed an edit is stored but does not offer Save.
    appstate::State().EditAllowed = false;
    edit = control<QLineEdit>("ed_0_Imie");
    edit->setText("Jan");
    view->ExitField(edit);
    EXPECT_TRUE(appstate::State().Modified());
    EXPECT_EQ(save.enabled, 1);
}

TEST_F(DocumentWindow, TheFirstKeystrokeOffersSaveWhereEditingIsAllowed)
{
    openTestKind();
    SaveSignals save;
    QTest::keyClick(control<QLineEdit>("ed_0_Nazwisko"), Qt::Key_K);
    EXPECT_EQ(save.enabled, 1);
    EXPECT_FALSE(appstate::State().Modified()); // the text is stored when the field is left
    appstate::State().EditAllowed = false;
    QTest::keyClick(control<QLineEdit>("ed_0_Imie"), Qt::Key_J);
    EXPECT_EQ(save.enabled, 1);
}

TEST_F(DocumentWindow, CharactersTheDataFileCannotHoldAreRemovedWithAMessage)
{
    openTestKind();
    auto *memo = control<QPlainTextEdit>("me_0_Opis");
    memo->setPlainText(QStringLiteral("Pracownik Олег upadł\nz drabiny </ramię>"));
    boxes.boxes.clear();
    view->ExitMemo(memo);
    ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_TRUE(boxes.boxes.last().text.startsWith(
        QStringLiteral("Usunięto znaki, których nie można zapisać w pliku danych: ")));
    EXPECT_TRUE(boxes.boxes.last().text.contains(QStringLiteral("Олег")));
    const QString kept = QStringLiteral("Pracownik  upadł\nz drabiny <ramię>");
    EXPECT_EQ(memo->toPlainText(), kept);
    EXPECT_EQ(field("Opis")->Values[0].wartosc, kept);
    // What is stored reads back unchanged.
    EXPECT_TRUE(storage::WriteDocumentData("dokumenty\\", "test\\", "test_dane_1", view->Items));
    field("Opis")->Values[0].wartosc.clear();
    EXPECT_TRUE(storage::ReadDocumentData("dokumenty\\", "test\\", "test_dane_1.xml", view->Items));
    EXPECT_EQ(field("Opis")->Values[0].wartosc, kept);
    // Polish letters fit the file and pass without a word.
    boxes.boxes.clear();
    memo->setPlainText(QStringLiteral("Zażółć gęślą jaźń – „cytat”"));
    view->ExitMemo(memo);
    EXPECT_TRUE(boxes.boxes.isEmpty());
    EXPECT_EQ(field("Opis")->Values[0].wartosc, QStringLiteral("Zażółć gęślą jaźń – „cytat”"));
}

TEST_F(DocumentWindow, ComboChangeAndEraseButton)
{
    openTestKind();
    auto *combo = control<QComboBox>("cb_0_Wybor");
    combo->setCurrentIndex(2); // not the user's choice: no change handler, nothing stored
    EXPECT_EQ(field("Wybor")->Values[0].wartosc, "");
    EXPECT_FALSE(appstate::State().Modified());
    combo->setCurrentIndex(1);
    view->ChangeField(combo);
    EXPECT_EQ(field("Wybor")->Values[0].wartosc, "[1] pierwszy");
    appstate::State().SetModified(false);
    view->EraseField(control<QToolButton>("bb_Wybor"));
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_EQ(field("Wybor")->Values[0].wartosc, "");
    EXPECT_TRUE(appstate::State().Modified());
}

TEST_F(DocumentWindow, PlusButtonStoresTheTreeChoiceInItsRow)
{
    openTestKind();
    chooserResult = 1;
    chooserText = "[2] drugi";
    view->ClickForm(control<QToolButton>("bb_1_Swiadek"));
    ASSERT_EQ(chooserCalls.size(), 1);
    EXPECT_EQ(chooserCalls[0].file, "dokumenty\\zalaczn\\grupy.xml");
    EXPECT_EQ(control<QLineEdit>("ed_1_Swiadek")->text(), "[2] drugi");
    EXPECT_EQ(field("Swiadek")->Values[1].wartosc, "[2] drugi");
    EXPECT_EQ(field("Swiadek")->Values[0].wartosc, "");
    EXPECT_TRUE(appstate::State().Modified());
}

TEST_F(DocumentWindow, CancelledTreeDialogChangesNothingAndWithdrawnChoiceEmptiesTheRow)
{
    openTestKind();
    chooserText = "[3] trzeci";
    view->ClickForm(control<QToolButton>("bb_0_Swiadek"));
    appstate::State().SetModified(false);
    chooserResult = 3;
    chooserText = "[1] pierwszy";
    view->ClickForm(control<QToolButton>("bb_0_Swiadek"));
    EXPECT_EQ(chooserCalls.last().current, "[3] trzeci");
    EXPECT_EQ(control<QLineEdit>("ed_0_Swiadek")->text(), "[3] trzeci");
    EXPECT_FALSE(appstate::State().Modified());
    chooserResult = 5;
    chooserText.clear();
    view->ClickForm(control<QToolButton>("bb_0_Swiadek"));
    EXPECT_EQ(control<QLineEdit>("ed_0_Swiadek")->text(), "");
    EXPECT_EQ(field("Swiadek")->Values[0].wartosc, "");
    EXPECT_TRUE(appstate::State().Modified());
}

TEST_F(DocumentWindow, EnteringAFieldMakesItTheLastEditor)
{
    openTestKind();
    auto *edit = control<QLineEdit>("ed_0_Imie");
    view->EnterField(edit);
    EXPECT_EQ(appstate::State().LastWinCtrl(), edit);
    // The main window commits it before a command.
    edit->setText("Anna");
    EXPECT_TRUE(widgets::CommitField(edit));
    EXPECT_EQ(field("Imie")->Values[0].wartosc, "Anna");
}

TEST_F(DocumentWindow, FieldTextJoinsNamedEditsWithADash)
{
    openTestKind();
    control<QLineEdit>("ed_0_Nazwisko")->setText("Kowalski");
    control<QLineEdit>("ed_0_Imie")->setText("Jan");
    view->pgDokum->setCurrentIndex(1);
    EXPECT_EQ(view->GetFieldText("Nazwisko+Imie"), "Kowalski-Jan");
    EXPECT_EQ(view->GetFieldText("Nieznane"), "");
    EXPECT_EQ(view->GetFieldText(""), "");
    EXPECT_EQ(view->pgDokum->currentIndex(), 1); // looked up without switching pages
}

TEST_F(DocumentWindow, TypedAndChosenValuesRoundTripThroughTheDataFile)
{
    openTestKind();
    control<QLineEdit>("ed_0_Nazwisko")->setText("Żółkiewski \"Ąę\"");
    view->ExitField(control<QLineEdit>("ed_0_Nazwisko"));
    control<QPlainTextEdit>("me_0_Opis")->setPlainText("a\nb <c>\n");
    view->ExitMemo(control<QPlainTextEdit>("me_0_Opis"));
    control<QComboBox>("cb_0_Wybor")->setCurrentIndex(4);
    view->ChangeField(control<QComboBox>("cb_0_Wybor"));
    chooserText = "[1] pierwszy";
    view->ClickForm(control<QToolButton>("bb_2_Swiadek"));
    const QByteArray bytes = saveTestDocument(*view);
    TfrmDokum other(appstate::State());
    openSavedTestDocument(other);
    EXPECT_EQ(other.pgDokum->findChild<QLineEdit *>("ed_0_Nazwisko")->text(), "Żółkiewski \"Ąę\"");
    EXPECT_EQ(other.pgDokum->findChild<QPlainTextEdit *>("me_0_Opis")->toPlainText(), "a\nb <c>\n");
    EXPECT_EQ(other.pgDokum->findChild<QComboBox *>("cb_0_Wybor")->currentText(), "[3] trzeci");
    EXPECT_EQ(other.pgDokum->findChild<QLineEdit *>("ed_2_Swiadek")->text(), "[1] pierwszy");
    EXPECT_EQ(saveTestDocument(other), bytes);
}

TEST_F(DocumentWindow, StoredTextsLongerThanTheFieldLimitsOpenAndSaveWhole)
{
    // A limit lowered since the document was stored (so that a value fits its printed box)
    // holds for typing only: what was stored is shown, left and saved whole.
    openTestKind();
    const QString longMemo = QString(120, 'm') + QStringLiteral("\nkoniec");
    const QString longEdit = QString(25, 'd');
    field("Opis")->Values[0].wartosc = longMemo;
    field("Data")->Values[0].wartosc = longEdit;
    const QByteArray bytes = saveTestDocument(*view);
    TfrmDokum other(appstate::State());
    openSavedTestDocument(other);
    auto *memo = other.pgDokum->findChild<QPlainTextEdit *>("me_0_Opis");
    auto *edit = other.pgDokum->findChild<QLineEdit *>("ed_0_Data");
    EXPECT_EQ(memo->toPlainText(), longMemo);
    EXPECT_EQ(edit->text(), longEdit);
    other.ExitMemo(memo);
    other.ExitField(edit);
    EXPECT_FALSE(appstate::State().Modified());
    EXPECT_EQ(saveTestDocument(other), bytes);
    // Typing adds nothing beyond the limit, and a character the file cannot hold is taken
    // out of the long text without cutting the rest.
    memo->moveCursor(QTextCursor::End);
    QTest::keyClicks(memo, "xyz");
    EXPECT_EQ(memo->toPlainText(), longMemo);
    widgets::SetMemoText(memo, QStringLiteral("Олег ") + longMemo);
    other.ExitMemo(memo);
    EXPECT_EQ(memo->toPlainText(), QStringLiteral(" ") + longMemo);
}

// --- scrolling and anchoring ---------------------------------------------------------------------

TEST_F(DocumentWindow, WheelOverTheViewportOrAnIdleChoiceListScrollsThePageOnly)
{
    openTestKind();
    view->resize(900, 200);
    view->show();
    view->pgDokum->setCurrentIndex(1);
    QCoreApplication::processEvents();
    QScrollArea *box = control<QScrollArea>("sc_2");
    box->widget()->setMinimumHeight(3000);
    QCoreApplication::processEvents();
    auto wheel = [](QWidget *target, int delta) {
        QWheelEvent e(QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(target, &e);
    };
    const int step = 8 * QApplication::wheelScrollLines();
    wheel(box->viewport(), -120);
    EXPECT_EQ(box->verticalScrollBar()->value(), step);
    wheel(box->viewport(), -60); // half a notch waits for the other half
    EXPECT_EQ(box->verticalScrollBar()->value(), step);
    wheel(box->viewport(), -60);
    EXPECT_EQ(box->verticalScrollBar()->value(), 2 * step);
    auto *combo = control<QComboBox>("cb_0_Wybor");
    combo->setCurrentIndex(1);
    wheel(combo, -120);
    EXPECT_EQ(combo->currentIndex(), 1);
    EXPECT_EQ(box->verticalScrollBar()->value(), 3 * step);
    EXPECT_FALSE(appstate::State().Modified());
    wheel(box->viewport(), 120);
    EXPECT_EQ(box->verticalScrollBar()->value(), 2 * step);
}

TEST_F(DocumentWindow, AnchoredRowsAndMemosStretchWithThePage)
{
    openTestKind();
    view->resize(900, 500);
    view->show(); // a hidden widget gets its resize only when shown
    view->pgDokum->setCurrentIndex(1);
    QCoreApplication::processEvents();
    QWidget *content = control<QScrollArea>("sc_2")->widget();
    view->AnchorFieldControls();
    view->pgDokum->setCurrentIndex(1);
    QCoreApplication::processEvents();
    auto *row = control<QLineEdit>("ed_0_Swiadek");
    auto *button = control<QToolButton>("bb_0_Swiadek");
    auto *minus = control<QToolButton>("bb_Wybor");
    const int width0 = content->width();
    const int rowWidth = row->width();
    const int buttonX = button->x();
    const int minusX = minus->x();
    view->resize(1100, 500);
    QCoreApplication::processEvents();
    const int grown = content->width() - width0;
    ASSERT_GT(grown, 100);
    EXPECT_EQ(row->width(), rowWidth + grown);
    EXPECT_EQ(button->x(), buttonX + grown);
    EXPECT_EQ(minus->x(), minusX); // the erase button stays beside its choice list
    EXPECT_EQ(control<QFrame>("bV_Swiadek")->width(), content->width());
}

// --- bad definitions ---------------------------------------------------------------------------

TEST_F(DocumentWindow, MissingDefinitionLeavesAnEmptyUsableWindowThatDoesNotSave)
{
    writeTestList();
    view->InitView(Forms + "brak_frm.xml", Attach);
    ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_TRUE(boxes.boxes[0].text.startsWith("Błąd dostępu do pliku"));
    EXPECT_EQ(view->pgDokum->count(), 0);
    EXPECT_FALSE(view->CanSave());
    view->New();
    EXPECT_FALSE(view->Save());
    EXPECT_FALSE(fx.Exists("dokumenty/brak_lista.xml"));
}

TEST_F(DocumentWindow, DefinitionOfAnotherVersionIsRefusedWithAMessage)
{
    writeTestList();
    writeDefinition("test_frm.xml",
                    "  <page nr=\"1\" nazwa=\"A\">\n" + pole("Nazwisko", "edit", 300, 1) + "  </page>\n");
    QString text = fx.ReadText("dokumenty/frm/test_frm.xml");
    text.replace("ver=\"1.0\"", "ver=\"0.5\"");
    fx.WriteText("dokumenty/frm/test_frm.xml", text);
    view->InitView(Forms + "test_frm.xml", Attach);
    ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_TRUE(boxes.boxes[0].text.contains("Wersja definicji dokumentu"));
    EXPECT_EQ(view->pgDokum->count(), 0);
    EXPECT_FALSE(view->CanSave());
}

TEST_F(DocumentWindow, MissingTreeFileLeavesTheChoiceListEmptyWithAMessage)
{
    writeTestList();
    writeDefinition("test_frm.xml", "  <page nr=\"1\" nazwa=\"A\">\n" + pole("Wybor", "combo", 200, 1, "brak.xml") +
                                        pole("Nazwisko", "edit", 300, 1) + "  </page>\n");
    view->InitView(Forms + "test_frm.xml", Attach);
    ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_EQ(control<QComboBox>("cb_0_Wybor")->count(), 0);
    EXPECT_EQ(control<QToolButton>("bb_Wybor")->property("tag").toInt(), -1);
    EXPECT_NE(control<QLineEdit>("ed_0_Nazwisko"), nullptr);
    EXPECT_TRUE(view->CanSave());
}

TEST_F(DocumentWindow, DuplicateFieldNamesAreReportedAndEachControlKeepsItsOwnField)
{
    writeTestList();
    writeDefinition("test_frm.xml", "  <page nr=\"1\" nazwa=\"A\">\n" + pole("Nazwisko", "edit", 300, 1) +
                                        "  </page>\n  <page nr=\"2\" nazwa=\"B\">\n" +
                                        pole("Nazwisko", "edit", 300, 1) + "  </page>\n");
    view->InitView(Forms + "test_frm.xml", Attach);
    ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_TRUE(boxes.boxes[0].text.contains("Nazwisko"));
    ASSERT_EQ(view->pgDokum->findChildren<QLineEdit *>("ed_0_Nazwisko").size(), 2);
    auto *second = view->pgDokum->findChild<QWidget *>("ts_2")->findChild<QLineEdit *>("ed_0_Nazwisko");
    second->setText("drugi");
    view->ExitField(second);
    EXPECT_EQ(view->Items[3]->Values[0].wartosc, "drugi");
    EXPECT_EQ(view->Items[1]->Values[0].wartosc, "");
}

TEST_F(DocumentWindow, PageNumbersThatAreNotOneToNStillBuildEveryPage)
{
    writeTestList();
    writeDefinition("test_frm.xml", "  <page nr=\"5\" nazwa=\"A\">\n" + pole("Nazwisko", "edit", 300, 1) +
                                        "  </page>\n  <page nr=\"9\" nazwa=\"B\">\n" + pole("Imie", "edit", 300, 1) +
                                        "  </page>\n");
    view->InitView(Forms + "test_frm.xml", Attach);
    ASSERT_EQ(view->pgDokum->count(), 2);
    EXPECT_EQ(view->pgDokum->widget(1)->objectName(), "ts_9");
    EXPECT_EQ(view->pgDokum->currentIndex(), 0);
}
