#pragma once

// The keys of a grid of cells, the same in every grid of the program.
//
// What it guarantees:
//   * The keyboard is never trapped in the grid. Tab on the last cell and Shift+Tab on the
//     first leave it for the next and the previous control; Ctrl+Tab and Ctrl+Shift+Tab
//     leave it from any cell (Qt's convention for controls that use Tab themselves). A
//     cell being edited is committed first, as moving to another cell commits it; a value
//     the grid refuses keeps the focus in the grid.
//   * Delete belongs to the grid: on a cell that can be edited it empties the cell, on any
//     other cell it does nothing. It never reaches a window's Delete command (a shortcut),
//     so a key meant for a cell cannot delete what the window holds. In a cell editor the
//     editor's own Delete works as in any field.
//   * Ctrl++ and Ctrl+- press the grid's add-row and delete-row buttons, when it has them
//     and they are shown and enabled, while the focus is in the grid. The buttons show a
//     sign only, so a mnemonic has no letter to stand on.

#include <functional>

class QAbstractButton;
class QTableView;

namespace widgets {

struct TGridKeys
{
    QAbstractButton *addRow = nullptr;
    QAbstractButton *deleteRow = nullptr;
    // Empties a cell for the Delete key, through the grid's own checks; empty: the cell's
    // text becomes empty.
    std::function<void(int row, int column)> clearCell;
};

// Gives grid the keys above; its own Tab moves between cells as before.
void InstallGridKeys(QTableView *grid, TGridKeys keys = {});

// Whether InstallGridKeys was run for grid.
bool HasGridKeys(const QTableView *grid);

} // namespace widgets
