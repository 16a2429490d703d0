// The document list and the document lifecycle: numbering, saving (data file and list entry),
// selecting a stored document in its own definition version, deleting, asking to save, and
// the failures that must not cost a document.
#include "appstate/appstate.h"
#include "platform/paths.h"
#include "storage/config_version.h"
#include "storage/document_files.h"
#include "tests/support/fakes.h"
#include "tests/support/fixture.h"
#include "tests/workstations/document_test_support.h"
#include "widgets/field_limits.h"
#include "workstations/frm_dokum.h"

#include <QComboBox>
#include <QFile>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace workstations;

using namespace documenttests;

class DocumentLifecycle : public ::testing::Test
{
protected:
    testsupport::FixtureFolder fx{true};
    testsupport::ScriptedPrompter boxes;
    std::unique_ptr<TfrmDokum> view;
    TfrmDokum::TreeChooser previousChooser;
    QString chooserText;

    void SetUp() override
    {
        storage::ConfigVersion() = QStringLiteral("1.0");
        auto &s = appstate::State();
        s.DataFolder = QStringLiteral("dokumenty\\");
        s.FormsFolder = Forms;
        s.AttachFolder = Attach;
        s.SetModified(false);
        s.EditAllowed = false;
        s.NewDocument = false;
        s.SetLastWinCtrl(nullptr);
        previousChooser = TfrmDokum::SetTreeChooser([this](const QString &, const QString &, QString &text) {
            text = chooserText;
            return 1;
        });
        // Two versions of a small kind: version 1 knows "Stare", version 2 "Nowe".
        writeDefinition("test_frm_1.xml", "  <page nr=\"1\" nazwa=\"Dane\">\n" + pole("Data", "edit") +
                                              pole("Nazwisko", "edit") + pole("Imie", "edit") + pole("Stare", "edit") +
                                              "  </page>\n");
        writeDefinition("test_frm_2.xml",
                        "  <page nr=\"1\" nazwa=\"Dane\">\n" + pole("Data", "edit") + pole("Nazwisko", "edit") +
                            pole("Imie", "edit") + pole("Opis", "memo") +
                            "  </page>\n  <page nr=\"2\" nazwa=\"Inne\">\n" + pole("Wybor", "combo", 1, "rodzwyp.xml") +
                            pole("Swiadek", "form", 2, "rodzwyp.xml") + pole("Nowe", "edit") + "  </page>\n");
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
        fx.WriteText("dokumenty/frm/" + file, Decl +
                                                  QStringLiteral("<%1 ver=\"1.0\" katalog=\"test\\\" "
                                                                 "plik=\"test_lista.xml\">\n")
                                                      .arg(base) +
                                                  pages + QStringLiteral("</%1>\n").arg(base));
    }
    void writeList(const QString &entries, const QString &ver = QStringLiteral("1.0"))
    {
        fx.WriteText("dokumenty/test_lista.xml",
                     Decl + "<test_lista ver=\"" + ver +
                         "\" pData=\"Data\" pRodzInf=\"Nazwisko+Imie\" katalog=\"test\\\" plik=\"test_dane.xml\">\n" +
                         entries + "</test_lista>\n");
    }
    static QString entry(int nr, const QString &data, const QString &who, const QString &wer)
    {
        return QStringLiteral("  <pole nr=\"%1\" data=\"%2\" rodzinf=\"%3\" wer_dok=\"%4\"></pole>\n")
            .arg(nr)
            .arg(data, who, wer);
    }
    void writeData(int nr, const QStringList &values)
    {
        QString text = Decl + QStringLiteral("<test_dane_%1 ver='1.0'>\n").arg(nr);
        for (const QString &v : values) {
            const QStringList parts = v.split('=');
            text += QStringLiteral("  <dane nazwa=\"%1\" typ=\"edit\" nr=\"1\" >%2</dane>\n").arg(parts[0], parts[1]);
        }
        text += QStringLiteral(" </test_dane_%1>\n").arg(nr);
        fx.WriteText(QStringLiteral("dokumenty/test/test_dane_%1.xml").arg(nr), text);
    }

    // Opens the kind as the main window does: set-up, anchoring, editing off, then New.
    void open(const QString &current = QStringLiteral("test_frm_2.xml"))
    {
        auto &s = appstate::State();
        s.ViewName = current;
        s.FormVersion = storage::ExtractFormVersion(current);
        view = std::make_unique<TfrmDokum>(appstate::State());
        view->pgDokum->resize(700, 500);
        view->InitView(Forms + current, Attach);
        view->AnchorFieldControls();
        s.EditAllowed = false;
        view->New();
    }
    QStringList listLines() const
    {
        QStringList out;
        for (int i = 0; i < view->lbDatyOsob->count(); ++i)
            out << view->lbDatyOsob->item(i)->text();
        return out;
    }
    void click(int row) { view->lbDatyOsobClick(view->lbDatyOsob->item(row)); }
    QLineEdit *edit(const QString &name) const { return view->pgDokum->findChild<QLineEdit *>("ed_0_" + name); }
    void type(const QString &name, const QString &text)
    {
        QLineEdit *e = edit(name);
        ASSERT_NE(e, nullptr) << name.toStdString();
        view->EnterField(e);
        e->setText(text);
        view->ExitField(e);
    }
};

TEST_F(DocumentLifecycle, ListShowsDateAndPersonAndNumbersGoOnAfterTheHighestAndAnyDataFile)
{
    writeList(entry(1, "2024-01-02", "Nowak-Anna", "2") + entry(2, "2024-02-03", "Lis-Piotr", "2") +
              entry(7, "2024-03-04", "Wrona-Ewa", "2"));
    writeData(8, {"Nazwisko=sierota"}); // a data file without its line is never overwritten
    open();
    EXPECT_EQ(listLines(),
              QStringList({"2024-01-02 - Nowak-Anna", "2024-02-03 - Lis-Piotr", "2024-03-04 - Wrona-Ewa"}));
    EXPECT_EQ(view->CurrentNumber(), 9);
    EXPECT_TRUE(appstate::State().NewDocument);
    EXPECT_TRUE(appstate::State().EditAllowed);
}

TEST_F(DocumentLifecycle, SavingANewDocumentWritesItsDataAndAppendsItsLine)
{
    writeList(entry(3, "2024-01-02", "Nowak-Anna", "2"));
    open();
    type("Data", "2024-03-01");
    type("Nazwisko", "Kowalski");
    type("Imie", "Jan");
    ASSERT_TRUE(appstate::State().Modified());
    ASSERT_TRUE(view->Save());
    EXPECT_EQ(listLines().last(), "2024-03-01 - Kowalski-Jan");
    EXPECT_EQ(view->lbDatyOsob->currentRow(), 1);
    EXPECT_FALSE(appstate::State().Modified());
    EXPECT_FALSE(appstate::State().NewDocument);
    const QString data = fx.ReadText("dokumenty/test/test_dane_4.xml");
    EXPECT_TRUE(data.contains("<test_dane_4 ver='1.0'>\n"));
    EXPECT_TRUE(data.contains("  <dane nazwa=\"Nazwisko\" typ=\"edit\" nr=\"1\" >Kowalski</dane>\n"));
    EXPECT_TRUE(data.contains("  <dane nazwa=\"Swiadek\" typ=\"form\" nr=\"2\" ></dane>\n"));
    EXPECT_EQ(fx.ReadText("dokumenty/test_lista.xml"),
              Decl +
                  "<test_lista ver=\"1.0\" pData=\"Data\" pRodzInf=\"Nazwisko+Imie\" katalog=\"test\\\" "
                  "plik=\"test_dane.xml\">\n" +
                  entry(3, "2024-01-02", "Nowak-Anna", "2") + entry(4, "2024-03-01", "Kowalski-Jan", "2") +
                  "</test_lista>\n");
    // Saved again after a change, the same entry is rewritten.
    type("Imie", "Janusz");
    ASSERT_TRUE(view->Save());
    EXPECT_EQ(listLines(), QStringList({"2024-01-02 - Nowak-Anna", "2024-03-01 - Kowalski-Janusz"}));
    EXPECT_FALSE(fx.Exists("dokumenty/test/test_dane_5.xml"));
}

TEST_F(DocumentLifecycle, SelectingAStoredDocumentShowsItsValuesWithEditingAllowed)
{
    writeList(entry(1, "2024-01-02", "Nowak-Anna", "2") + entry(2, "2024-02-03", "Lis-Piotr", "2"));
    writeData(1, {"Data=2024-01-02", "Nazwisko=Nowak", "Imie=Anna", "Nowe=tylko w 1"});
    writeData(2, {"Data=2024-02-03", "Nazwisko=Lis", "Imie=Piotr"});
    open();
    appstate::State().SetModified(false);
    click(0);
    EXPECT_EQ(edit("Nazwisko")->text(), "Nowak");
    EXPECT_EQ(edit("Nowe")->text(), "tylko w 1");
    EXPECT_EQ(view->CurrentNumber(), 1);
    EXPECT_FALSE(appstate::State().NewDocument);
    EXPECT_TRUE(appstate::State().EditAllowed);
    EXPECT_FALSE(appstate::State().Modified());
    // Nothing of the first document is left in the second.
    click(1);
    EXPECT_EQ(edit("Nazwisko")->text(), "Lis");
    EXPECT_EQ(edit("Nowe")->text(), "");
    EXPECT_EQ(view->CurrentNumber(), 2);
    view->New();
    EXPECT_EQ(edit("Nazwisko")->text(), "");
    for (const auto &item : view->Items)
        for (const auto &slot : item->Values)
            EXPECT_TRUE(slot.wartosc.isEmpty()) << item->nazwa.toStdString();
    EXPECT_EQ(view->CurrentNumber(), 3);
}

TEST_F(DocumentLifecycle, ValuesOfItemsTheModelNoLongerHasAreKeptWhenTheDocumentIsSaved)
{
    // Stored by a model that still had "Stare" and a memo "Dawny"; the model now has neither.
    writeList(entry(1, "2024-01-02", "Nowak-Anna", "2"));
    fx.WriteText("dokumenty/test/test_dane_1.xml",
                 Decl + "<test_dane_1 ver='1.0'>\n  <dane nazwa=\"Nazwisko\" typ=\"edit\" nr=\"1\" >Nowak</dane>\n"
                        "  <dane nazwa=\"Stare\" typ=\"edit\" nr=\"1\" >REGON 123</dane>\n"
                        "  <dane nazwa=\"Dawny\" typ=\"memo\" nr=\"1\" >linia 1\nlinia 2</dane>\n </test_dane_1>\n");
    open();
    click(0);
    type("Nazwisko", "Nowakowska");
    ASSERT_TRUE(view->Save());
    const QString data = fx.ReadText("dokumenty/test/test_dane_1.xml");
    EXPECT_TRUE(data.contains("  <dane nazwa=\"Nazwisko\" typ=\"edit\" nr=\"1\" >Nowakowska</dane>\n"));
    EXPECT_TRUE(data.contains("  <dane nazwa=\"Stare\" typ=\"edit\" nr=\"1\" >REGON 123</dane>\n"
                              "  <dane nazwa=\"Dawny\" typ=\"memo\" nr=\"1\" >linia 1\nlinia 2</dane>\n "
                              "</test_dane_1>\n"));
    // A new document starts without them.
    view->New();
    type("Nazwisko", "Kowalski");
    ASSERT_TRUE(view->Save());
    EXPECT_FALSE(fx.ReadText("dokumenty/test/test_dane_2.xml").contains("Stare"));
}

TEST_F(DocumentLifecycle, OlderVersionOpensInItsOwnDefinitionAndNewGoesBackToTheCurrent)
{
    writeList(entry(1, "2020-01-02", "Stary-Jan", "1") + entry(2, "2024-02-03", "Nowy-Jan", "2") +
              entry(3, "2019-05-05", "Bez-Wersji", ""));
    writeData(1, {"Data=2020-01-02", "Stare=pole wersji 1"});
    writeData(2, {"Data=2024-02-03", "Nowe=pole wersji 2"});
    writeData(3, {"Data=2019-05-05"});
    open();
    EXPECT_EQ(view->DocumentList[2]->wer_dok, "1"); // an entry without version is of the first one
    click(0);
    EXPECT_EQ(view->BuiltVersion(), "1");
    EXPECT_NE(edit("Stare"), nullptr);
    EXPECT_EQ(edit("Nowe"), nullptr);
    EXPECT_EQ(edit("Stare")->text(), "pole wersji 1");
    EXPECT_EQ(view->pgDokum->count(), 1);
    EXPECT_EQ(view->Definition.Plik, "test_dane.xml"); // the list's names survive the rebuild
    EXPECT_EQ(view->Definition.Katalog, "test\\");
    click(1);
    EXPECT_EQ(view->BuiltVersion(), "2");
    EXPECT_EQ(edit("Nowe")->text(), "pole wersji 2");
    click(0);
    view->New();
    EXPECT_EQ(view->BuiltVersion(), "2");
    EXPECT_NE(edit("Nowe"), nullptr);
    EXPECT_EQ(view->pgDokum->count(), 2);
}

TEST_F(DocumentLifecycle, EntryWithoutVersionOfAnUnversionedKindKeepsThePages)
{
    writeDefinition("plain_frm.xml", "  <page nr=\"1\" nazwa=\"Dane\">\n" + pole("Data", "edit") +
                                         pole("Nazwisko", "edit") + pole("Imie", "edit") + "  </page>\n");
    writeList(entry(1, "2020-01-02", "A", ""));
    writeData(1, {"Nazwisko=A"});
    open("plain_frm.xml");
    EXPECT_EQ(view->DocumentList[0]->wer_dok, "");
    click(0);
    EXPECT_EQ(view->BuiltVersion(), "");
    EXPECT_EQ(edit("Nazwisko")->text(), "A");
}

TEST_F(DocumentLifecycle, MissingVersionedDefinitionKeepsWhatIsShown)
{
    writeList(entry(1, "2020-01-02", "A", "9") + entry(2, "2024-02-03", "B", "2"));
    writeData(2, {"Nazwisko=B"});
    open();
    click(1);
    click(0);
    ASSERT_FALSE(boxes.boxes.isEmpty());
    EXPECT_TRUE(boxes.boxes.last().text.contains("test_frm_9.xml"));
    EXPECT_EQ(edit("Nazwisko")->text(), "B");
    EXPECT_EQ(view->CurrentNumber(), 2);
}

TEST_F(DocumentLifecycle, EntryWhoseDataFileIsMissingShowsAnEmptyDocumentThatIsNotSaved)
{
    writeList(entry(1, "2020-01-02", "A", "2") + entry(2, "2024-02-03", "B", "2"));
    writeData(2, {"Nazwisko=B"});
    open();
    click(1);
    click(0);
    ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_EQ(boxes.boxes[0].text, "Błąd dostępu do pliku : dokumenty\\test\\test_dane_1.xml");
    EXPECT_EQ(edit("Nazwisko")->text(), "");
    EXPECT_FALSE(appstate::State().EditAllowed);
    type("Nazwisko", "X");
    EXPECT_FALSE(view->Save());
    EXPECT_FALSE(fx.Exists("dokumenty/test/test_dane_1.xml"));
    // The rest of the list works.
    appstate::State().SetModified(false);
    click(1);
    EXPECT_EQ(edit("Nazwisko")->text(), "B");
    EXPECT_TRUE(appstate::State().EditAllowed);
}

TEST_F(DocumentLifecycle, FailedDataWriteKeepsModifiedAndTheListUnchanged)
{
    writeList(entry(1, "2024-01-02", "Nowak-Anna", "2"));
    open();
    const QByteArray listBefore = fx.Read("dokumenty/test_lista.xml");
    // A folder where the data file should go: it cannot be written.
    fx.Write("dokumenty/test/test_dane_2.xml/blokada", "x");
    type("Nazwisko", "Kowalski");
    EXPECT_FALSE(view->Save());
    EXPECT_TRUE(appstate::State().Modified());
    EXPECT_TRUE(appstate::State().NewDocument);
    EXPECT_EQ(fx.Read("dokumenty/test_lista.xml"), listBefore);
    EXPECT_EQ(view->lbDatyOsob->count(), 1);
    EXPECT_EQ(view->DocumentList.size(), 1u);
    ASSERT_FALSE(boxes.boxes.isEmpty());
    EXPECT_EQ(boxes.boxes.last().text, "Zamiast pliku jest katalog o tej nazwie : dokumenty\\test\\test_dane_2.xml");
}

TEST_F(DocumentLifecycle, RejectedListIsNeverOverwritten)
{
    writeList(entry(1, "2024-01-02", "Nowak-Anna", "2"), "0.9");
    const QByteArray before = fx.Read("dokumenty/test_lista.xml");
    open();
    ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_TRUE(boxes.boxes[0].text.contains("Wersja listy dokumentów"));
    EXPECT_EQ(view->lbDatyOsob->count(), 0);
    type("Nazwisko", "Kowalski");
    EXPECT_FALSE(view->Save());
    EXPECT_EQ(fx.Read("dokumenty/test_lista.xml"), before);
    EXPECT_FALSE(fx.Exists("dokumenty/test/test_dane_1.xml"));
}

TEST_F(DocumentLifecycle, DeleteRemovesTheEntryAndItsDataFile)
{
    writeList(entry(1, "2024-01-02", "A", "2") + entry(2, "2024-02-03", "B", "2"));
    writeData(1, {"Nazwisko=A"});
    writeData(2, {"Nazwisko=B"});
    open();
    click(0);
    boxes.Answer(platform::MsgYes);
    view->Delete();
    ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_EQ(boxes.boxes[0].text, "Czy na pewno usunąć wybrany dokument?\nDokument nr 1: 2024-01-02 - A");
    EXPECT_TRUE(boxes.boxes[0].buttons & platform::MsgDefaultNo);
    EXPECT_EQ(listLines(), QStringList({"2024-02-03 - B"}));
    EXPECT_FALSE(fx.Exists("dokumenty/test/test_dane_1.xml"));
    EXPECT_TRUE(fx.Exists("dokumenty/test/test_dane_2.xml"));
    EXPECT_EQ(edit("Nazwisko")->text(), "");
    EXPECT_TRUE(appstate::State().NewDocument);
    EXPECT_FALSE(fx.ReadText("dokumenty/test_lista.xml").contains("nr=\"1\""));
    // The last one too: an empty list and an empty new document.
    click(0);
    boxes.Answer(platform::MsgYes);
    view->Delete();
    EXPECT_EQ(view->lbDatyOsob->count(), 0);
    EXPECT_FALSE(fx.Exists("dokumenty/test/test_dane_2.xml"));
    EXPECT_TRUE(fx.ReadText("dokumenty/test_lista.xml").endsWith("plik=\"test_dane.xml\">\n</test_lista>\n"));
}

TEST_F(DocumentLifecycle, DeleteWithoutAStoredDocumentOrWithNoDoesNothing)
{
    writeList(entry(1, "2024-01-02", "A", "2"));
    writeData(1, {"Nazwisko=A"});
    open();
    view->Delete(); // a new document has no entry
    EXPECT_TRUE(boxes.boxes.isEmpty());
    click(0);
    boxes.Answer(platform::MsgNo);
    view->Delete();
    EXPECT_EQ(view->lbDatyOsob->count(), 1);
    EXPECT_TRUE(fx.Exists("dokumenty/test/test_dane_1.xml"));
}

TEST_F(DocumentLifecycle, AskToSaveYesSavesNoDiscardsAndNothingAsksWithoutChanges)
{
    writeList(QString());
    open();
    EXPECT_TRUE(view->AskSaveChanges());
    EXPECT_TRUE(boxes.boxes.isEmpty());
    type("Nazwisko", "Kowalski");
    boxes.Answer(platform::MsgNo);
    EXPECT_TRUE(view->AskSaveChanges());
    ASSERT_EQ(boxes.boxes.size(), 1);
    EXPECT_EQ(boxes.boxes[0].text, "Nie zapisano danych. Zapisać?");
    EXPECT_FALSE(appstate::State().Modified());
    EXPECT_EQ(view->lbDatyOsob->count(), 0);
    type("Nazwisko", "Nowak");
    boxes.Answer(platform::MsgYes);
    EXPECT_TRUE(view->AskSaveChanges());
    EXPECT_EQ(view->lbDatyOsob->count(), 1);
    EXPECT_FALSE(appstate::State().Modified());
}

TEST_F(DocumentLifecycle, SwitchingDocumentsCommitsTheLastEditorAndOpensTheClickedOneAfterSaving)
{
    writeList(entry(1, "2024-01-02", "A", "2"));
    writeData(1, {"Nazwisko=A"});
    open();
    QLineEdit *e = edit("Nazwisko");
    view->EnterField(e);
    e->setText("Nowy"); // typed, not yet left
    boxes.Answer(platform::MsgCancel); // the new document stays, its edits too
    view->lbDatyOsob->setCurrentRow(0);
    EXPECT_TRUE(view->lbDatyOsob->currentRow() == -1 && appstate::State().Modified() && e->text() == "Nowy");
    boxes.Answer(platform::MsgYes);
    click(0);
    ASSERT_EQ(boxes.boxes.size(), 2);
    // The new document was saved with the typed text, and the clicked one is shown.
    EXPECT_EQ(view->lbDatyOsob->count(), 2);
    EXPECT_TRUE(fx.ReadText("dokumenty/test/test_dane_2.xml").contains(">Nowy</dane>"));
    EXPECT_EQ(edit("Nazwisko")->text(), "A");
    EXPECT_EQ(view->CurrentNumber(), 1);
}

TEST_F(DocumentLifecycle, EveryShippedKindIsCreatedSavedReopenedCopiedPastedAndDeleted)
{
    const QStringList kinds = {"protpow_frm_2.xml",  "kartwyp_frm.xml",   "protprzes_frm.xml",    "polpostpow_frm.xml",
                               "kartrejwyp_frm.xml", "skw_frm_3.xml",     "kartwypdroga_frm.xml", "skierbad_frm_2.xml",
                               "zaswszkol_frm.xml",  "kartaszkol_frm.xml"};
    for (const QString &kind : kinds) {
        SCOPED_TRACE(kind.toStdString());
        const QString prefix = kind.left(kind.indexOf('_') + 1);
        open(kind);
        ASSERT_TRUE(boxes.boxes.isEmpty()) << boxes.Texts().join("|").toStdString();
        const int first = view->CurrentNumber();
        // Fill every field the way a user does.
        for (auto &page : view->pgDokum->findChildren<QWidget *>()) {
            if (auto *e = qobject_cast<QLineEdit *>(page)) {
                if (e->isReadOnly()) {
                    chooserText = "[1] wybrany " + e->objectName();
                    view->ClickForm(view->pgDokum->findChild<QToolButton *>("bb" + e->objectName().mid(2)));
                } else {
                    const int limit = widgets::EditMaxLength(e);
                    e->setText(
                        QString("2024-05-0%1 Łódź").arg(e->objectName().size() % 9 + 1).left(limit > 0 ? limit : 100));
                    view->ExitField(e);
                }
            } else if (auto *m = qobject_cast<QPlainTextEdit *>(page)) {
                m->setPlainText("linia 1 żółć\nlinia 2");
                view->ExitMemo(m);
            } else if (auto *c = qobject_cast<QComboBox *>(page)) {
                c->setCurrentIndex(c->count() - 1);
                view->ChangeField(c);
            }
        }
        ASSERT_TRUE(view->Save());
        const QString dataPath = QStringLiteral("dokumenty/%1/%2dane_%3.xml").arg(prefix.chopped(1), prefix).arg(first);
        const QByteArray saved = fx.Read(dataPath);
        ASSERT_FALSE(saved.isEmpty());
        // Reopened, it shows what was saved and saves back to the same bytes.
        view->New();
        click(0);
        const QString copied = view->CopyFieldsToText();
        ASSERT_TRUE(view->Save());
        EXPECT_EQ(fx.Read(dataPath), saved);
        // Copied into a new document, it saves the same values under a new number.
        view->New();
        const int second = view->CurrentNumber();
        EXPECT_EQ(second, first + 1);
        view->PasteFieldsFromText(copied);
        ASSERT_TRUE(view->Save());
        QByteArray pasted =
            fx.Read(QStringLiteral("dokumenty/%1/%2dane_%3.xml").arg(prefix.chopped(1), prefix).arg(second));
        pasted.replace(QStringLiteral("%1dane_%2").arg(prefix).arg(second).toLatin1(),
                       QStringLiteral("%1dane_%2").arg(prefix).arg(first).toLatin1());
        EXPECT_EQ(pasted, saved);
        EXPECT_EQ(view->lbDatyOsob->count(), 2);
        // Both deleted: the list is empty again.
        for (int i = 0; i < 2; ++i) {
            click(0);
            boxes.Answer(platform::MsgYes);
            view->Delete();
        }
        EXPECT_EQ(view->lbDatyOsob->count(), 0);
        EXPECT_FALSE(fx.Exists(dataPath));
        boxes.boxes.clear();
    }
}

TEST_F(DocumentLifecycle, StoredChoiceNoLongerOfferedIsShownAndKept)
{
    writeList(entry(1, "2024-01-02", "A", "2"));
    fx.WriteText("dokumenty/test/test_dane_1.xml",
                 Decl +
                     "<test_dane_1 ver='1.0'>\n  <dane nazwa=\"Wybor\" typ=\"combo\" nr=\"1\" >[7] dawny wybór</dane>\n"
                     " </test_dane_1>\n");
    open();
    click(0);
    auto *combo = view->pgDokum->findChild<QComboBox *>("cb_0_Wybor");
    EXPECT_EQ(combo->currentText(), "[7] dawny wybór");
    // The main window commits the combo before a command: the value stays.
    view->ChangeField(combo);
    EXPECT_FALSE(appstate::State().Modified());
    ASSERT_TRUE(view->Save());
    EXPECT_TRUE(fx.ReadText("dokumenty/test/test_dane_1.xml").contains(">[7] dawny wybór</dane>"));
}

TEST_F(DocumentLifecycle, NewDocumentShowsAndStoresTheChoiceListDefault)
{
    writeDefinition("dflt_frm.xml",
                    "  <page nr=\"1\" nazwa=\"Dane\">\n" + pole("Data", "edit") + pole("Nazwisko", "edit") +
                        pole("Imie", "edit") +
                        "    <pole nazwa=\"Rodz\" typ=\"combo\" druk=\"\" ppow=\"\" rozm=\"0\" szer=\"200\" "
                        "wys=\"0\" ile=\"1\" etyk=\"Rodz\" zal=\"rodzwyp.xml\">[2] zbiorowy</pole>\n"
                        "  </page>\n");
    writeList(QString());
    open("dflt_frm.xml");
    auto *combo = view->pgDokum->findChild<QComboBox *>("cb_0_Rodz");
    EXPECT_EQ(combo->currentText(), "[2] zbiorowy");
    ASSERT_TRUE(view->Save());
    EXPECT_TRUE(fx.ReadText("dokumenty/test/dflt_dane_1.xml").contains(">[2] zbiorowy</dane>"));
}

TEST_F(DocumentLifecycle, MovingThroughTheListOpensEachDocumentSoDeleteRemovesTheOneShown)
{
    writeList(entry(1, "2024-01-02", "A", "2") + entry(2, "2024-02-03", "B", "2"));
    writeData(1, {"Nazwisko=A"});
    writeData(2, {"Nazwisko=B"});
    open();
    view->lbDatyOsob->setCurrentRow(0); // as the arrow keys do
    EXPECT_EQ(edit("Nazwisko")->text(), "A");
    view->lbDatyOsob->setCurrentRow(1);
    EXPECT_EQ(edit("Nazwisko")->text(), "B");
    EXPECT_EQ(view->SelectedEntry()->nr, 2);
    // Unsaved changes that the user keeps: the line goes back to the document shown.
    type("Nazwisko", "B2");
    boxes.Answer(platform::MsgYes);
    view->lbDatyOsob->setCurrentRow(0);
    EXPECT_EQ(view->lbDatyOsob->currentRow(), 0); // saved, then moved on
    EXPECT_EQ(edit("Nazwisko")->text(), "A");
    EXPECT_TRUE(view->DeleteSelection());
    EXPECT_EQ(listLines(), QStringList({" - B2"})); // the saved document has no date
    EXPECT_FALSE(fx.Exists("dokumenty/test/test_dane_1.xml"));
    EXPECT_EQ(view->lbDatyOsob->currentRow(), -1);
}

TEST_F(DocumentLifecycle, TabbingIntoTheListOpensNothingTheArrowKeysDo)
{
    writeList(entry(1, "2024-01-02", "A", "2") + entry(2, "2024-02-03", "B", "2"));
    writeData(1, {"Nazwisko=A"});
    writeData(2, {"Nazwisko=B"});
    open();
    QFocusEvent tabIn(QEvent::FocusIn, Qt::TabFocusReason);
    QCoreApplication::sendEvent(view->lbDatyOsob, &tabIn);
    EXPECT_EQ(edit("Nazwisko")->text(), "");
    EXPECT_EQ(view->SelectedEntry(), nullptr);
    QTest::keyClick(view->lbDatyOsob, Qt::Key_Down);
    ASSERT_NE(view->SelectedEntry(), nullptr);
    EXPECT_EQ(edit("Nazwisko")->text(), view->SelectedEntry()->nr == 1 ? "A" : "B");
}

TEST_F(DocumentLifecycle, ChangesThatCouldNotBeSavedKeepTheirDocumentAndItsLine)
{
    writeList(entry(1, "2024-01-02", "A", "2") + entry(2, "2024-02-03", "B", "2"));
    writeData(1, {"Nazwisko=A"});
    writeData(2, {"Nazwisko=B"});
    open();
    view->lbDatyOsob->setCurrentRow(1);
    type("Nazwisko", "B2");
    // The data file cannot be replaced: saving fails, so the document stays.
    QFile::remove(fx.FilePath("dokumenty/test/test_dane_2.xml"));
    fx.Write("dokumenty/test/test_dane_2.xml/blokada", "x");
    boxes.Answer(platform::MsgYes);
    view->lbDatyOsob->setCurrentRow(0);
    EXPECT_EQ(edit("Nazwisko")->text(), "B2");
    EXPECT_EQ(view->lbDatyOsob->currentRow(), 1);
    EXPECT_TRUE(appstate::State().Modified());
    EXPECT_EQ(view->SelectedEntry()->nr, 2);
}

TEST_F(DocumentLifecycle, ShippedProtocolOfTheFirstVersionOpensInItsOwnPages)
{
    appstate::State().ViewName = "protpow_frm_2.xml";
    fx.WriteText("dokumenty/protpow_lista.xml",
                 Decl +
                     "<protpow_lista ver=\"1.0\" pData=\"DataWyp\" pRodzInf=\"ImieNazwisko\" katalog=\"protpow\\\" "
                     "plik=\"protpow_dane.xml\">\n" +
                     entry(1, "2015-06-01", "Stary Protokół", "") + entry(2, "2024-06-01", "Nowy Protokół", "2") +
                     "</protpow_lista>\n");
    for (int nr : {1, 2})
        fx.WriteText(QStringLiteral("dokumenty/protpow/protpow_dane_%1.xml").arg(nr),
                     Decl + QStringLiteral("<protpow_dane_%1 ver='1.0'>\n  <dane nazwa=\"ImieNazwisko\" typ=\"edit\" "
                                           "nr=\"1\" >Osoba %1</dane>\n </protpow_dane_%1>\n")
                                .arg(nr));
    open("protpow_frm_2.xml");
    ASSERT_TRUE(boxes.boxes.isEmpty()) << boxes.Texts().join("|").toStdString();
    EXPECT_NE(view->pgDokum->findChild<QComboBox *>("cb_0_Uwagi"), nullptr);
    click(0); // written before versions were recorded: the first version
    EXPECT_EQ(view->BuiltVersion(), "1");
    EXPECT_EQ(view->pgDokum->findChild<QComboBox *>("cb_0_Uwagi"), nullptr);
    EXPECT_EQ(edit("ImieNazwisko")->text(), "Osoba 1");
    click(1);
    EXPECT_NE(view->pgDokum->findChild<QComboBox *>("cb_0_Uwagi"), nullptr);
    EXPECT_EQ(edit("ImieNazwisko")->text(), "Osoba 2");
    EXPECT_TRUE(boxes.boxes.isEmpty());
}

TEST_F(DocumentLifecycle, StatisticalCardStoredBeforeTheFullCodeListsOpensAndSavesWhole)
{
    // A card of the first model as the earlier definitions stored it: choices since
    // reworded or recoded, and no citizenship yet.
    appstate::State().ViewName = "skw_frm_3.xml";
    fx.WriteText("dokumenty/skw_lista.xml",
                 Decl +
                     "<skw_lista ver=\"1.0\" pData=\"RokWyp+MiesWyp+DzienWyp\" pRodzInf=\"IdentPoszk\" "
                     "katalog=\"skw\\\" plik=\"skw_dane.xml\">\n" +
                     entry(1, "2019-05-06", "Kowalski", "1") + "</skw_lista>\n");
    const QStringList stored = {
        "<dane nazwa=\"IdentPoszk\" typ=\"edit\" nr=\"1\" >Kowalski</dane>",
        "<dane nazwa=\"SkutkiWyp\" typ=\"combo\" nr=\"1\" >[1] śmiertelny</dane>",
        "<dane nazwa=\"RodzUraz\" typ=\"form\" nr=\"1\" >[010] Rany i urazy powierzchowne</dane>",
        "<dane nazwa=\"MiejscWyp\" typ=\"form\" nr=\"1\" >[1] w pomieszczeniu</dane>",
        "<dane nazwa=\"LiczDniNiezd\" typ=\"edit\" nr=\"1\" >123</dane>",
        "<dane nazwa=\"RokWyp\" typ=\"edit\" nr=\"1\" >2019</dane>"};
    fx.WriteText("dokumenty/skw/skw_dane_1.xml",
                 Decl + "<skw_dane_1 ver='1.0'>\n  " + stored.join("\n  ") + "\n </skw_dane_1>\n");
    open("skw_frm_3.xml");
    click(0);
    EXPECT_EQ(view->BuiltVersion(), "1");
    ASSERT_TRUE(boxes.boxes.isEmpty()) << boxes.Texts().join("|").toStdString();
    view->ChangeField(view->pgDokum->findChild<QComboBox *>("cb_0_SkutkiWyp"));
    type("LiczDniNiezd", "123");
    appstate::State().SetModified(true);
    ASSERT_TRUE(view->Save());
    const QString saved = fx.ReadText("dokumenty/skw/skw_dane_1.xml");
    for (const QString &line : stored)
        EXPECT_TRUE(saved.contains(line)) << line.toStdString() << "\n" << saved.toStdString();
    EXPECT_TRUE(saved.contains("<dane nazwa=\"Obywatelstwo\" typ=\"form\" nr=\"1\" ></dane>"));
}
