// The keyboard alone in every grid of the program, and the Delete key in the main window:
// no grid keeps the focus, Delete in a grid or field acts there and never deletes what the
// view shows, and the row buttons answer their keys.
#include "appstate/appstate.h"
#include "assessment/frm_param_risc_score.h"
#include "reportengine/vr_preview_window.h"
#include "reportengine/vr_printer.h"
#include "shell/frm_main.h"
#include "tests/support/fakes.h"
#include "tests/support/fixture.h"
#include "widgets/bitbtn_with_color.h"
#include "widgets/grid_keys.h"
#include "widgets/outlook_bar.h"
#include "workstations/frm_def_stan.h"
#include "workstations/views.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDateEdit>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

namespace {

QWidget *focusNow()
{
    QApplication::processEvents();
    return QApplication::focusWidget();
}

bool inside(const QWidget *grid, const QWidget *w)
{
    return w && (w == grid || grid->isAncestorOf(w));
}

// The key as the user presses it: to whatever has the focus.
void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(focusNow(), Qt::Key(key), modifiers);
    QApplication::processEvents();
}

void activate(QWidget *window)
{
    window->show();
    QApplication::setActiveWindow(window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

// Puts the focus on a cell of the grid with no cell editor open.
void standOn(QTableWidget *grid, int row, int column)
{
    grid->setFocus(Qt::OtherFocusReason);
    grid->setCurrentCell(row, column);
    if (!inside(grid, focusNow()) || focusNow() != grid)
        QTest::keyClick(focusNow(), Qt::Key_Escape); // an editor opened by the move closes
    grid->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
}

QString text(const QTableWidget *grid, int row, int column)
{
    const QTableWidgetItem *item = grid->item(row, column);
    return item ? item->text() : QString();
}

struct GridCase
{
    const char *name;
    QTableWidget *grid;
    QAbstractButton *addRow;
    QAbstractButton *deleteRow;
    int clearedColumn; // a column Delete may empty
};

} // namespace

TEST(GridKeys, NoGridKeepsTheKeyboardAndDeleteStaysInIt)
{
    testsupport::FixtureFolder fx(true);
    testsupport::ScriptedPrompter boxes;
    workstations::RegisterViews();
    auto &s = appstate::State();
    s.SetModified(false);
    {
        shell::TfrmMain main;
        activate(&main);
        workstations::TfrmDefStan *view = workstations::frmDefStan();
        const auto found = view->lbStanowiska->findItems(QStringLiteral("Spawacz - spawalnia MAG"), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        view->lbStanowiska->setCurrentItem(found[0]);
        view->pgDefin->setCurrentWidget(view->tsZatrudn);

        assessment::TfrmParamRiscScore editor;
        editor.Inicjuj(0);
        editor.bEdytujClick();

        const GridCase cases[] = {
            {"sgZatrudn", view->sgZatrudn, view->bbAddRow, view->bbDelRow, 5},
            {"strGrPrawd", editor.strGrPrawd, editor.bbDodPrawd, editor.bbUsunPrawd, 1},
            {"strGrEksp", editor.strGrEksp, editor.bbDodEksp, editor.bbUsunEksp, 1},
            {"strGrSkut", editor.strGrSkut, editor.bbDodSkut, editor.bbUsunSkut, 1},
            {"strGrWskRyz", editor.strGrWskRyz, nullptr, nullptr, 1},
        };
        for (const GridCase &c : cases) {
            SCOPED_TRACE(c.name);
            QTableWidget *grid = c.grid;
            activate(grid->window());
            ASSERT_GE(grid->rowCount(), 2);
            const int lastRow = grid->rowCount() - 1, lastColumn = grid->columnCount() - 1;

            // Tab goes from cell to cell, and past the last cell out of the grid.
            standOn(grid, 0, 0);
            press(Qt::Key_Tab);
            EXPECT_TRUE(inside(grid, focusNow()));
            EXPECT_EQ(grid->currentColumn(), 1);
            standOn(grid, lastRow, lastColumn);
            press(Qt::Key_Tab);
            EXPECT_FALSE(inside(grid, focusNow()));
            EXPECT_NE(focusNow(), nullptr);
            standOn(grid, 0, 0);
            press(Qt::Key_Backtab, Qt::ShiftModifier);
            EXPECT_FALSE(inside(grid, focusNow()));
            // Ctrl+Tab and Ctrl+Shift+Tab from any cell, also from a cell being edited,
            // which is committed on the way out.
            standOn(grid, 0, 1);
            press(Qt::Key_Tab, Qt::ControlModifier);
            EXPECT_FALSE(inside(grid, focusNow()));
            standOn(grid, 1, 1);
            press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
            EXPECT_FALSE(inside(grid, focusNow()));
            standOn(grid, lastRow, c.clearedColumn);
            grid->editItem(grid->item(lastRow, c.clearedColumn));
            auto *editor = qobject_cast<QLineEdit *>(focusNow());
            ASSERT_NE(editor, nullptr);
            editor->setText(QStringLiteral("1"));
            press(Qt::Key_Tab, Qt::ControlModifier);
            EXPECT_FALSE(inside(grid, focusNow()));
            EXPECT_EQ(text(grid, lastRow, c.clearedColumn), "1");

            // Delete empties the cell and asks nothing.
            const int asked = boxes.boxes.size();
            standOn(grid, lastRow, c.clearedColumn);
            press(Qt::Key_Delete);
            EXPECT_TRUE(text(grid, lastRow, c.clearedColumn).isEmpty());
            EXPECT_EQ(boxes.boxes.size(), asked) << boxes.Texts().join('|').toStdString();

            // The row buttons answer Ctrl++ and Ctrl+- from inside the grid.
            if (!c.addRow)
                continue;
            const int rows = grid->rowCount();
            standOn(grid, 0, 1);
            press(Qt::Key_Plus, Qt::ControlModifier);
            EXPECT_EQ(grid->rowCount(), rows + 1);
            standOn(grid, 0, 1);
            boxes.Answer(platform::MsgYes); // the employment grid asks first
            press(Qt::Key_Minus, Qt::ControlModifier);
            EXPECT_EQ(grid->rowCount(), rows);
            boxes.answers.clear();
        }
        EXPECT_TRUE(boxes.Texts().last().contains(QStringLiteral("Rok: "))) << boxes.Texts().join('|').toStdString();

        // No other grid of these windows, nor the preview's page list, goes round in Tab.
        reportengine::TVRPrinter printer;
        reportengine::TVRStandardPreview preview(&printer);
        for (QWidget *window : {static_cast<QWidget *>(&main), static_cast<QWidget *>(&editor),
                                static_cast<QWidget *>(&preview)})
            for (QTableView *grid : window->findChildren<QTableView *>())
                EXPECT_TRUE(!grid->tabKeyNavigation() || widgets::HasGridKeys(grid))
                    << grid->objectName().toStdString();
        editor.hide();
        s.SetModified(false);
    }
    s.Workstations.clear();
}

// Delete reaches Edycja > Usuń only from the list of what it deletes, and the question
// names the workstation.
TEST(GridKeys, TheDeleteKeyDeletesOnlyFromTheViewsList)
{
    testsupport::FixtureFolder fx(true);
    testsupport::ScriptedPrompter boxes;
    workstations::RegisterViews();
    auto &s = appstate::State();
    s.SetModified(false);
    {
        shell::TfrmMain main;
        activate(&main);
        workstations::TfrmDefStan *view = workstations::frmDefStan();
        const auto found = view->lbStanowiska->findItems(QStringLiteral("Spawacz - spawalnia MAG"), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        view->lbStanowiska->setCurrentItem(found[0]);
        const int listed = view->lbStanowiska->count();
        const struct
        {
            QWidget *page;
            QWidget *control;
            bool asks;
        } cases[] = {{view->tsStanow, view->e_Kod, false},     {view->tsStanow, view->dtDataRej, false},
                     {view->tsCzynn, view->lbStanCzyn, false}, {view->tsZatrudn, view->sgZatrudn, false},
                     {nullptr, view->lbStanowiska, true},      {nullptr, main.FEGXMainOutlookBar, true}};
        for (const auto &c : cases) {
            SCOPED_TRACE(c.control->objectName().toStdString());
            boxes.boxes.clear();
            if (c.page)
                view->pgDefin->setCurrentWidget(c.page);
            c.control->setFocus(Qt::OtherFocusReason);
            boxes.Answer(platform::MsgNo);
            press(Qt::Key_Delete);
            if (c.asks) {
                ASSERT_EQ(boxes.boxes.size(), 1);
                EXPECT_EQ(boxes.boxes[0].text, QStringLiteral("Czy na pewno usunąć wybrane stanowisko wraz z danymi?\n"
                                                              "Stanowisko: Spawacz - spawalnia MAG"));
            } else {
                EXPECT_TRUE(boxes.boxes.isEmpty()) << boxes.Texts().join('|').toStdString();
            }
            boxes.answers.clear();
            EXPECT_EQ(view->lbStanowiska->count(), listed);
        }
        s.SetModified(false);
    }
    s.Workstations.clear();
}
