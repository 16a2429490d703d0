// The keyboard alone in every grid of the program, and the Delete key in the main window.
#include "appstate/appstate.h"
#include "assessment/frm_nowy_pomiar.h"
#include "assessment/frm_ocena_ryz.h"
#include "assessment/frm_param_risc_score.h"
#include "reportengine/vr_preview_window.h"
#include "reportengine/vr_printer.h"
#include "shell/frm_main.h"
#include "tests/support/fakes.h"
#include "tests/support/fixture.h"
#include "tests/support/model_list.h"
#include "widgets/grid_keys.h"
#include "widgets/outlook_bar.h"
#include "workstations/frm_def_stan.h"
#include "workstations/views.h"

#include <QTest>
#include <QtWidgets>
#include <gtest/gtest.h>

namespace {

bool inGrid(const QWidget *grid) // the focus, or none
{
    QApplication::processEvents();
    const QWidget *w = QApplication::focusWidget();
    return !w || w == grid || grid->isAncestorOf(w);
}

void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QApplication::processEvents();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), modifiers);
}

void standOn(QTableWidget *grid, int row, int column) // no cell editor open
{
    grid->window()->show();
    QApplication::setActiveWindow(grid->window());
    grid->setFocus();
    grid->setCurrentCell(row, column);
    if (QApplication::focusWidget() != grid)
        press(Qt::Key_Escape);
}

} // namespace

TEST(Keys, NoGridKeepsTheKeyboardAndDeleteStaysWhereItIsPressed)
{
    testsupport::FixtureFolder fx(true);
    testsupport::ScriptedPrompter boxes;
    workstations::RegisterViews(appstate::State());
    const auto forget = qScopeGuard([] { // after the main window has gone
        appstate::State().SetModified(false), appstate::State().Workstations.clear();
    });
    shell::TfrmMain main;
    main.show(), QApplication::setActiveWindow(&main);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    workstations::TfrmDefStan *view = workstations::frmDefStan(appstate::State());
    view->lbStanowiska->setCurrentRow(testsupport::RowsWithText(view->lbStanowiska, "Spawacz - spawalnia MAG")[0]);
    // Delete in the view reaches Edycja > Usuń (its question) only from the workstation list or
    // from outside the view.
    const std::tuple<QWidget *, QWidget *, int> deletes[] = {
        {view->e_Kod, view->tsStanow, 0},         {view->dtDataRej, view->tsStanow, 0},
        {view->lbStanCzyn, view->tsCzynn, 0},     {view->sgZatrudn, view->tsZatrudn, 0},
        {view->lbStanowiska, view->tsZatrudn, 1}, {main.FEGXMainOutlookBar, view->tsZatrudn, 1}};
    for (const auto &[control, page, asks] : deletes) {
        view->pgDefin->setCurrentWidget(page), control->setFocus();
        boxes.boxes.clear(), boxes.Answer(platform::MsgNo), press(Qt::Key_Delete);
        EXPECT_EQ(boxes.boxes.size(), asks) << control->objectName().toStdString();
        boxes.boxes.clear(), boxes.answers.clear();
    }
    assessment::TfrmParamRiscScore editor;
    editor.Inicjuj(0), editor.bEdytujClick();
    // Each grid, whether rows are added and deleted by keys, a column one Delete may empty (the
    // P, E and S tables of the editor are made as one).
    const std::tuple<QTableWidget *, bool, int> grids[] = {
        {view->sgZatrudn, true, 5}, {editor.strGrPrawd, true, 1}, {editor.strGrWskRyz, false, 1}};
    for (const auto &[grid, keyRows, emptied] : grids) {
        SCOPED_TRACE(grid->objectName().toStdString());
        const int last = grid->rowCount() - 1;
        // Tab goes from cell to cell, and out past the last; Ctrl+Tab out from any.
        const std::tuple<int, int, int, Qt::KeyboardModifiers> ways[] = {
            {0, 0, Qt::Key_Tab, Qt::NoModifier},
            {last, grid->columnCount() - 1, Qt::Key_Tab, Qt::NoModifier},
            {0, 0, Qt::Key_Backtab, Qt::ShiftModifier},
            {0, 1, Qt::Key_Tab, Qt::ControlModifier},
            {1, 1, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier}};
        for (const auto &[row, column, key, modifiers] : ways) {
            standOn(grid, row, column), press(key, modifiers);
            EXPECT_TRUE(row + column == 0 && modifiers == Qt::NoModifier ? grid->currentColumn() == 1 : !inGrid(grid))
                << key << " from " << row << "," << column;
        }
        standOn(grid, last, emptied); // out of a cell being edited, committed on the way
        grid->editItem(grid->item(last, emptied));
        ASSERT_NE(qobject_cast<QLineEdit *>(QApplication::focusWidget()), nullptr);
        QApplication::focusWidget()->setProperty("text", "1"), press(Qt::Key_Tab, Qt::ControlModifier);
        EXPECT_TRUE(!inGrid(grid) && grid->item(last, emptied)->text() == "1");
        standOn(grid, last, emptied), press(Qt::Key_Delete);
        EXPECT_TRUE(grid->item(last, emptied)->text().isEmpty());
        const int rows = grid->rowCount();
        standOn(grid, 0, 1), press(Qt::Key_Plus, Qt::ControlModifier);
        EXPECT_EQ(grid->rowCount(), rows + keyRows);
        boxes.Answer(platform::MsgYes), press(Qt::Key_Minus, Qt::ControlModifier); // the employment grid asks first
        EXPECT_EQ(grid->rowCount(), rows);
        boxes.answers.clear();
    }
    EXPECT_EQ(boxes.Texts(), QStringList{"Czy na pewno usunąć wybrany wiersz w tabeli dot. zatrudnienia?\nRok: 2027"});
    // No other grid of these windows, the preview's page list included, goes round in Tab.
    reportengine::TVRPrinter printer;
    reportengine::TVRStandardPreview preview(&printer);
    for (QWidget *window : std::initializer_list<QWidget *>{&main, &editor, &preview})
        for (QTableView *grid : window->findChildren<QTableView *>())
            EXPECT_TRUE(!grid->tabKeyNavigation() || widgets::HasGridKeys(grid)) << grid->objectName().toStdString();
    assessment::TfrmOcenaRyz riskPanel; // nor does a memo typed in keep Tab (its tooltip says Tab leaves it)
    for (QWidget *window : std::initializer_list<QWidget *>{&main, assessment::frmNowyPomiar(), &riskPanel})
        for (QPlainTextEdit *memo : window->findChildren<QPlainTextEdit *>())
            EXPECT_TRUE(memo->isReadOnly() || memo->tabChangesFocus()) << memo->objectName().toStdString();
    editor.hide();
}
