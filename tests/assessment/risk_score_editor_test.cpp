// The Risk Score parameter editor on the shipped parameters, headless: what it shows, the key
// filters typed through the real cell editors, every validation message with nothing
// written, rows added and removed, and closing.

#include "shipped_form_fixture.h"

#include "assessment/frm_param_risc_score.h"
#include "assessment/rules/own_methods.h"
#include "assessment/rules/risk_score_sets.h"
#include "widgets/bitbtn_with_color.h"

#include <QKeyEvent>
#include <QLabel>
#include <QTableWidget>
#include <QTest>

using namespace shippedforms;
using assessment::TfrmParamRiscScore;
using Kind = TfrmParamRiscScore::CellKind;

namespace {

const QString MainFile = QStringLiteral("zaklocen/frm/zalaczn/metRiskScore_1.xml");
const QString ProbabilityFile = QStringLiteral("zaklocen/frm/zalaczn/metRiskScore_Prawd_1.xml");

// The editor opened through its entry point on the installation's parameters; each test
// drives it in place of the modal loop.
class RiskScoreEditor : public ::testing::Test
{
protected:
    testsupport::FixtureFolder folder{true};
    testsupport::ScriptedPrompter prompter;

    void SetUp() override { assessment::ReloadRiskScoreSets(); }
    void TearDown() override
    {
        assessment::SetRiskScoreEditorRunner({});
        assessment::ReloadRiskScoreSets();
    }
    // Opens the editor for the current parameters and runs body on it.
    void Edit(const std::function<void(TfrmParamRiscScore &)> &body)
    {
        bool ran = false;
        assessment::SetRiskScoreEditorRunner([&](TfrmParamRiscScore &e) {
            ran = true;
            body(e);
        });
        assessment::ShowRiskScoreParameters(nullptr, 0);
        EXPECT_TRUE(ran);
    }
    static QString Cell(const QTableWidget *g, int row, int col) { return TfrmParamRiscScore::Cell(g, row, col); }
    // Types text into a cell through its editor and presses Enter.
    static void Type(QTableWidget *grid, int row, int col, const QString &text)
    {
        QTableWidgetItem *item = grid->item(row - 1, col);
        ASSERT_TRUE(item);
        item->setText(QString());
        grid->setCurrentCell(row - 1, col);
        grid->editItem(item);
        auto *editor = qobject_cast<QLineEdit *>(grid->indexWidget(grid->model()->index(row - 1, col)));
        ASSERT_TRUE(editor) << "no editor";
        for (const QChar c : text) {
            // key events with their text, Polish letters included
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QCoreApplication::sendEvent(editor, &press);
        }
        QTest::keyClick(editor, Qt::Key_Return);
        // the cell is committed after the key, and a message about it after that
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }
    // Sets a cell as typed (the band grid's edit handler runs) and checks what saving says.
    QString SaveMessage(TfrmParamRiscScore &e)
    {
        prompter.boxes.clear();
        e.bZapiszClick();
        return prompter.boxes.isEmpty() ? QString() : prompter.boxes.last().text;
    }
};

} // namespace

TEST_F(RiskScoreEditor, ShowsTheCurrentParametersInViewModeAndEditsAfterEdytuj)
{
    Edit([&](TfrmParamRiscScore &e) {
        EXPECT_EQ(e.windowTitle(), "Parametry metody Risk score");
        EXPECT_EQ(TfrmParamRiscScore::DataRows(e.strGrPrawd), 7);
        EXPECT_EQ(TfrmParamRiscScore::DataRows(e.strGrEksp), 6);
        EXPECT_EQ(TfrmParamRiscScore::DataRows(e.strGrSkut), 6);
        EXPECT_EQ(Cell(e.strGrPrawd, 1, 3), "0.1");
        EXPECT_EQ(Cell(e.strGrSkut, 6, 3), "ogromne");
        EXPECT_EQ(Cell(e.strGrWskRyz, 3, 1), "Ryzyko istotne");
        const QStringList ranges = {"Poniżej 20", "20 - 70", "70 - 200", "200 - 400", "Powyżej 400"};
        const QStringList levels = {"Małe", "Małe", "Średnie", "Duże", "Praca wzbroniona"};
        for (int r = 1; r <= 5; ++r) {
            EXPECT_EQ(Cell(e.strGrIntWskRyz, r, 2), ranges[r - 1]);
            EXPECT_EQ(Cell(e.strGrIntWskRyz, r, 3), levels[r - 1]);
        }
        EXPECT_EQ(TfrmParamRiscScore::LevelCellColor("Średnie"), QColor(0xFF, 0xFF, 0xB3));
        EXPECT_EQ(TfrmParamRiscScore::CodeCellColor("40"), QColor(0xFF, 0x77, 0x77));
        EXPECT_FALSE(e.bEdytuj->isHidden());
        EXPECT_FALSE(e.InEditMode());
        EXPECT_TRUE(e.bbDodPrawd->isHidden());
        EXPECT_EQ(e.strGrPrawd->editTriggers(), QAbstractItemView::NoEditTriggers);
        e.bEdytuj->click();
        EXPECT_TRUE(e.InEditMode());
        EXPECT_FALSE(e.bbUsunSkut->isHidden());
        EXPECT_EQ(e.strGrWskRyz->palette().color(QPalette::Base), QColor(0xFF, 0xFF, 0xDF));
        EXPECT_FALSE(e.strGrIntWskRyz->isEnabled());
    });
    EXPECT_TRUE(prompter.boxes.isEmpty());
}

TEST_F(RiskScoreEditor, KeyFiltersRefuseWhatWouldBreakTheFiles)
{
    const QString full32(32, QLatin1Char('a'));
    EXPECT_TRUE(TfrmParamRiscScore::CellEditAllowed(Kind::Text32, full32.left(31), full32));
    EXPECT_FALSE(TfrmParamRiscScore::CellEditAllowed(Kind::Text32, full32, full32 + "b"));
    EXPECT_TRUE(TfrmParamRiscScore::CellEditAllowed(Kind::Text32, full32 + "bc", full32 + "b")); // Backspace
    for (const char *bad : {"a\"b", "a<b", "a>b", "a&quot;b"}) // "&quot;" would read back as a quote
        EXPECT_FALSE(TfrmParamRiscScore::CellEditAllowed(Kind::Text64, "ab", QString::fromUtf8(bad))) << bad;
    EXPECT_FALSE(TfrmParamRiscScore::CellEditAllowed(Kind::Text64, "a", QString::fromUtf8("aΩ")));
    EXPECT_TRUE(TfrmParamRiscScore::CellEditAllowed(Kind::Text64, "a", QString::fromUtf8("aż (1 : 10)")));
    EXPECT_FALSE(TfrmParamRiscScore::CellEditAllowed(Kind::Number, "1", "1a"));
    EXPECT_TRUE(TfrmParamRiscScore::CellEditAllowed(Kind::Number, "1", "1.5"));
    EXPECT_FALSE(TfrmParamRiscScore::CellEditAllowed(Kind::Code, "", "5"));
    EXPECT_FALSE(TfrmParamRiscScore::CellEditAllowed(Kind::Code, "40", "401"));
    EXPECT_TRUE(TfrmParamRiscScore::CellEditAllowed(Kind::Code, "40", "4"));

    Edit([&](TfrmParamRiscScore &e) {
        e.bEdytujClick();
        Type(e.strGrPrawd, 1, 1, QString::fromUtf8("Zła \"nazwa\" <x>"));
        EXPECT_EQ(Cell(e.strGrPrawd, 1, 1), QString::fromUtf8("Zła nazwa x"));
        Type(e.strGrPrawd, 1, 3, "0,15");
        EXPECT_EQ(Cell(e.strGrPrawd, 1, 3), "0.15");
        Type(e.strGrWskRyz, 5, 3, "5");
        EXPECT_EQ(Cell(e.strGrWskRyz, 5, 3), "");
        Type(e.strGrWskRyz, 5, 3, "41");
        EXPECT_EQ(prompter.Texts(), QStringList{"Niepoprawna wartość liczbowa !"});
        EXPECT_EQ(Cell(e.strGrWskRyz, 5, 3), "");
        Type(e.strGrWskRyz, 5, 3, "40");
        EXPECT_EQ(Cell(e.strGrIntWskRyz, 5, 3), "Praca wzbroniona");
        Type(e.strGrWskRyz, 3, 2, "100");
        EXPECT_EQ(Cell(e.strGrIntWskRyz, 2, 2), "20 - 100");
        EXPECT_EQ(Cell(e.strGrIntWskRyz, 3, 2), "100 - 200");
        Type(e.strGrWskRyz, 3, 1, "Nowe");
        EXPECT_EQ(Cell(e.strGrIntWskRyz, 3, 1), "Nowe");
        EXPECT_EQ(prompter.boxes.size(), 1);
    });
}

TEST_F(RiskScoreEditor, EveryFaultIsToldAndNothingIsWritten)
{
    const QByteArray main = folder.Read(MainFile);
    const QByteArray probability = folder.Read(ProbabilityFile);
    Edit([&](TfrmParamRiscScore &e) {
        e.bEdytujClick();
        auto set = [&](QTableWidget *g, int col, const QStringList &values) {
            for (int r = 1; r <= values.size(); ++r)
                g->item(r - 1, col)->setText(values[r - 1]);
        };
        const QString relation = "Niepoprawne zależności między kolejnymi wartościami w tabeli Wskaźnik ryzyka [R] !";
        set(e.strGrWskRyz, 3, {"10", "30", "20", "30", "40"});
        EXPECT_EQ(SaveMessage(e), relation);
        set(e.strGrWskRyz, 3, {"20", "20", "30", "30", "40"});
        EXPECT_EQ(SaveMessage(e), "Nie wprowadzono wszystkich wymaganych wartości Ryzyka Tarvelin !");
        set(e.strGrWskRyz, 3, {"10", "10", "20", "30", ""});
        EXPECT_EQ(SaveMessage(e), "Niepoprawne wartości Ryzyka Tarvelin !");
        set(e.strGrWskRyz, 3, {"10", "10", "20", "30", "40"});
        set(e.strGrWskRyz, 2, {"0", "20", "20", "200", "400"});
        EXPECT_EQ(SaveMessage(e), relation);
        set(e.strGrWskRyz, 2, {"0", "20", ".", "200", "400"}); // no number: no crash, a fault
        EXPECT_EQ(SaveMessage(e), relation);
        set(e.strGrWskRyz, 2, {"0", "20", "70", "200", "400"});
        set(e.strGrSkut, 4, {"1", "3", "7", "15", "40", "1.2.3"});
        EXPECT_EQ(SaveMessage(e), "Niepoprawna wartość liczbowa tabeli Skutki [S] !");
        set(e.strGrEksp, 3, {"0.5", "1", "1"});
        EXPECT_EQ(SaveMessage(e), "Niepoprawne zależności między kolejnymi wartościami w tabeli Ekspozycja [E] !");
        set(e.strGrPrawd, 3, {"1", "3", "3"});
        EXPECT_EQ(SaveMessage(e),
                  "Niepoprawne zależności między kolejnymi wartościami w tabeli Prawdopodobieństwo [P] !");
        set(e.strGrPrawd, 3, {""});
        EXPECT_EQ(SaveMessage(e), "Niepoprawna wartość liczbowa w tabeli Prawdopodobieństwo [P] !");
        EXPECT_EQ(prompter.boxes.last().icon, platform::MsgIcon::None);
    });
    EXPECT_EQ(folder.Read(MainFile), main);
    EXPECT_EQ(folder.Read(ProbabilityFile), probability);
}

TEST_F(RiskScoreEditor, RowsAreInsertedAndRemovedAtTheCurrentRow)
{
    Edit([&](TfrmParamRiscScore &e) {
        e.bEdytujClick();
        QTableWidget *p = e.strGrPrawd;
        p->setCurrentCell(1, 1);
        e.bbDodPrawd->click();
        ASSERT_EQ(TfrmParamRiscScore::DataRows(p), 8);
        EXPECT_EQ(Cell(p, 2, 0), "2");
        EXPECT_EQ(Cell(p, 2, 1), "");
        EXPECT_EQ(Cell(p, 3, 0), "3");
        EXPECT_EQ(Cell(p, 3, 3), "0.2");
        EXPECT_EQ(Cell(p, 8, 0), "8");
        p->setCurrentCell(0, 1);
        e.bbUsunPrawd->click();
        EXPECT_EQ(Cell(p, 1, 0), "1");
        EXPECT_EQ(Cell(p, 1, 1), "");
        EXPECT_EQ(Cell(p, 2, 3), "0.2");
        QTableWidget *s = e.strGrSkut;
        for (int i = 0; i < 6; ++i)
            e.bbUsunSkut->click();
        ASSERT_EQ(TfrmParamRiscScore::DataRows(s), 1);
        EXPECT_EQ(Cell(s, 1, 0), "1");
        for (int c = 1; c <= 4; ++c)
            EXPECT_EQ(Cell(s, 1, c), "");
    });
}

TEST_F(RiskScoreEditor, ClosingInEditModeAsksFirst)
{
    Edit([&](TfrmParamRiscScore &e) {
        EXPECT_TRUE(e.close()); // view mode: no question
        EXPECT_TRUE(prompter.boxes.isEmpty());
        e.bEdytujClick();
        prompter.Answer(platform::MsgNo);
        EXPECT_FALSE(e.close());
        ASSERT_EQ(prompter.boxes.size(), 1);
        EXPECT_EQ(prompter.boxes[0].caption, "Parametry metody Risk score");
        EXPECT_EQ(prompter.boxes[0].text, "Włączono tryb edycji parametrów Risk score !!!\n"
                                          "Czy zamknąć formatkę bez zapisywania zmian parametrów ?");
        EXPECT_EQ(prompter.boxes[0].icon, platform::MsgIcon::Question);
        // Saved whole, nothing is left to lose: no question until the next change.
        e.bZapiszClick();
        EXPECT_TRUE(e.InEditMode() && e.close() && prompter.boxes.size() == 1);
        e.strGrPrawd->item(0, 1)->setText(QStringLiteral("zmienione")), prompter.Answer(platform::MsgYes);
        EXPECT_TRUE(e.close() && prompter.boxes.size() == 2);
        for (QTableWidget *grid : {e.strGrPrawd, e.strGrEksp, e.strGrSkut, e.strGrWskRyz}) { // a cell being edited too
            e.bZapiszClick(), grid->setCurrentCell(0, 1), grid->editItem(grid->item(0, 1)), prompter.boxes.clear();
            grid->indexWidget(grid->currentIndex())->setProperty("text", QStringLiteral("ż")),
                prompter.Answer(platform::MsgNo);
            EXPECT_TRUE(!e.close() && prompter.boxes.size() == 1) << grid->objectName().toStdString();
        }
    });
}
