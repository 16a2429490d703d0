#include "widgets/list_box.h"

#include <QItemSelectionModel>
#include <QSignalBlocker>

namespace widgets {

TListBox::TListBox(QWidget *parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemSelectionChanged, this, &TListBox::selectionSettled);
    // The selection model has moved the current entry to a neighbour of the removed one by
    // the time the rows are gone; that neighbour was not chosen.
    connect(model(), &QAbstractItemModel::rowsRemoved, this, &TListBox::dropUnchosenCurrent);
}

void TListBox::selectionSettled()
{
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return;
    if (selectionModel()->isSelected(current))
        emit Chosen();
    else
        dropUnchosenCurrent(); // the chosen entry was deselected (Ctrl+click): none is chosen
}

void TListBox::dropUnchosenCurrent()
{
    const QModelIndex current = currentIndex();
    if (current.isValid() && !selectionModel()->isSelected(current))
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
}

void TListBox::focusInEvent(QFocusEvent *event)
{
    // Qt makes the first entry current when the focus enters a list with no current entry;
    // that is no choice, and nobody is told of it.
    const QSignalBlocker quiet(this);
    QListWidget::focusInEvent(event);
    dropUnchosenCurrent();
}

} // namespace widgets
