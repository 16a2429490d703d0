// Copy and paste of a document's fields through the clipboard text
// "{P[(" name ")]P}" value "{K[(" name ")]K}".
#include "appstate/appstate.h"
#include "storage/config_version.h"
#include "tests/support/fakes.h"
#include "tests/support/fixture.h"
#include "tests/workstations/document_test_support.h"
#include "workstations/frm_dokum.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <gtest/gtest.h>

using namespace workstations;

using namespace documenttests;

class DocumentClipboard : public ::testing::Test
{
protected:
    testsupport::FixtureFolder fx{true};
    testsupport::ScriptedPrompter boxes;
    testsupport::MemoryClipboard clipboard;
    std::unique_ptr<TfrmDokum> view;

    void SetUp() override
    {
        storage::ConfigVersion() = QStringLiteral("1.0");
        auto &s = appstate::State();
        s.DataFolder = QStringLiteral("dokumenty\\");
        s.FormsFolder = Forms;
        s.AttachFolder = Attach;
        s.FormVersion.clear();
        s.SetModified(false);
        s.EditAllowed = true;
        s.SetLastWinCtrl(nullptr);
        define("a_frm.xml", "a",
               pole("Nazwisko", "edit") + pole("Opis", "memo") + pole("Rodz", "combo", 1, "rodzwyp.xml") +
                   pole("Sw", "form", 3, "rodzwyp.xml"));
        define("b_frm.xml", "b", pole("Imie", "edit") + pole("Nazwisko", "edit") + pole("Inne", "memo"));
        open("a_frm.xml");
    }
    void TearDown() override
    {
        view.reset();
        appstate::State().SetModified(false);
    }
    void define(const QString &file, const QString &kind, const QString &fields)
    {
        const QString base = file.left(file.indexOf('.'));
        fx.WriteText("dokumenty/frm/" + file,
                     Decl +
                         QStringLiteral("<%1 ver=\"1.0\" katalog=\"%2\\\" plik=\"%2_lista.xml\">\n"
                                        "  <page nr=\"1\" nazwa=\"Dane\">\n")
                             .arg(base, kind) +
                         fields + QStringLiteral("  </page>\n</%1>\n").arg(base));
        fx.WriteText(
            "dokumenty/" + kind + "_lista.xml",
            Decl + QStringLiteral("<%1_lista ver=\"1.0\" pData=\"Nazwisko\" pRodzInf=\"Nazwisko\" katalog=\"%1\\\" "
                                  "plik=\"%1_dane.xml\">\n</%1_lista>\n")
                       .arg(kind));
    }
    void open(const QString &file)
    {
        view = std::make_unique<TfrmDokum>(appstate::State());
        appstate::State().ViewName = file;
        view->InitView(Forms + file, Attach);
        view->New();
    }
    template <typename T> T *control(const QString &name) const { return view->pgDokum->findChild<T *>(name); }
    QString value(const QString &name, int slot = 0) const
    {
        for (const auto &i : view->Items)
            if (i->nazwa == name)
                return i->Values[size_t(slot)].wartosc;
        return "<none>";
    }
};

TEST_F(DocumentClipboard, CopyWritesOneRecordPerInputInPageOrder)
{
    define("c_frm.xml", "c", pole("Nazwisko", "edit") + pole("Opis", "memo"));
    open("c_frm.xml");
    control<QLineEdit>("ed_0_Nazwisko")->setText("Kowalski");
    EXPECT_EQ(view->CopyFieldsToText(),
              "{P[(ed_0_Nazwisko)]P}Kowalski{K[(ed_0_Nazwisko)]K}{P[(me_0_Opis)]P}{K[(me_0_Opis)]K}");
}

TEST_F(DocumentClipboard, CopyCommandPutsTheTextOnTheClipboard)
{
    control<QComboBox>("cb_0_Rodz")->setCurrentIndex(1);
    view->Copy();
    EXPECT_TRUE(clipboard.text.contains("{P[(cb_0_Rodz)]P}[2] zbiorowy{K[(cb_0_Rodz)]K}"));
    EXPECT_TRUE(clipboard.text.contains("{P[(ed_2_Sw)]P}{K[(ed_2_Sw)]K}"));
}

TEST_F(DocumentClipboard, PasteStoresEveryFieldLikeTypingIncludingEveryFormRow)
{
    clipboard.text = "{P[(ed_0_Nazwisko)]P}Nowak{K[(ed_0_Nazwisko)]K}{P[(me_0_Opis)]P}jeden\ndwa{K[(me_0_Opis)]K}"
                     "{P[(cb_0_Rodz)]P}[1] indywidualny{K[(cb_0_Rodz)]K}{P[(ed_0_Sw)]P}[1] a{K[(ed_0_Sw)]K}"
                     "{P[(ed_2_Sw)]P}[2] c{K[(ed_2_Sw)]K}";
    view->Paste();
    EXPECT_EQ(control<QLineEdit>("ed_0_Nazwisko")->text(), "Nowak");
    EXPECT_EQ(value("Nazwisko"), "Nowak");
    EXPECT_EQ(control<QPlainTextEdit>("me_0_Opis")->toPlainText(), "jeden\ndwa");
    EXPECT_EQ(value("Opis"), "jeden\ndwa");
    EXPECT_EQ(control<QComboBox>("cb_0_Rodz")->currentText(), "[1] indywidualny");
    EXPECT_EQ(value("Rodz"), "[1] indywidualny");
    EXPECT_EQ(value("Sw", 0), "[1] a");
    EXPECT_EQ(value("Sw", 2), "[2] c"); // a later row is saved as when chosen with its "+" button
    EXPECT_EQ(control<QLineEdit>("ed_2_Sw")->text(), "[2] c");
    EXPECT_TRUE(appstate::State().Modified());
    EXPECT_EQ(view->pgDokum->currentIndex(), 0);
}

TEST_F(DocumentClipboard, PasteIntoAnotherKindFillsOnlyTheFieldsItHas)
{
    control<QLineEdit>("ed_0_Nazwisko")->setText("Kowalski");
    control<QPlainTextEdit>("me_0_Opis")->setPlainText("opis");
    const QString text = view->CopyFieldsToText();
    open("b_frm.xml");
    control<QLineEdit>("ed_0_Imie")->setText("Jan");
    view->ExitField(control<QLineEdit>("ed_0_Imie"));
    view->PasteFieldsFromText(text);
    EXPECT_EQ(value("Nazwisko"), "Kowalski");
    EXPECT_EQ(value("Imie"), "Jan");
    EXPECT_EQ(value("Inne"), "");
}

TEST_F(DocumentClipboard, ChoiceNotAmongTheChoicesLeavesNoSelection)
{
    control<QComboBox>("cb_0_Rodz")->setCurrentIndex(0);
    view->ChangeField(control<QComboBox>("cb_0_Rodz"));
    view->PasteFieldsFromText("{P[(cb_0_Rodz)]P}[9] nieznany{K[(cb_0_Rodz)]K}");
    EXPECT_EQ(control<QComboBox>("cb_0_Rodz")->currentIndex(), -1);
    EXPECT_EQ(value("Rodz"), "");
}

TEST_F(DocumentClipboard, TextThatIsNotACopiedDocumentChangesNothing)
{
    control<QLineEdit>("ed_0_Nazwisko")->setText("Kowalski");
    view->ExitField(control<QLineEdit>("ed_0_Nazwisko"));
    appstate::State().SetModified(false);
    for (const QString &text :
         {QString("zwykły tekst ze schowka"), QString(), QString("{P[(ed_0_Nazwisko)]P}bez końca"),
          QString("{K[(ed_0_Nazwisko)]K}odwrotnie{P[(ed_0_Nazwisko)]P}"),
          QString("{P[(ed_0_Brak)]P}x{K[(ed_0_Brak)]K}")}) {
        view->PasteFieldsFromText(text);
        EXPECT_EQ(control<QLineEdit>("ed_0_Nazwisko")->text(), "Kowalski") << text.toStdString();
        EXPECT_EQ(value("Nazwisko"), "Kowalski");
        EXPECT_FALSE(appstate::State().Modified());
    }
}

TEST_F(DocumentClipboard, WindowsLineEndsOfAPastedMemoBecomeLineBreaks)
{
    view->PasteFieldsFromText("{P[(me_0_Opis)]P}a\r\nb\r\nc{K[(me_0_Opis)]K}");
    EXPECT_EQ(value("Opis"), "a\nb\nc");
}
