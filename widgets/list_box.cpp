#include "widgets/list_box.h"

#include <QFontMetrics>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolTip>

namespace widgets {

namespace {

// Whether the current entry is a chosen one; an entry made current without being chosen is
// dropped.
bool choiceSettled(QAbstractItemView *view)
{
    const QModelIndex current = view->currentIndex();
    if (!current.isValid())
        return false;
    if (view->selectionModel()->isSelected(current))
        return true;
    // The chosen entry was deselected (Ctrl+click): none is chosen.
    view->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    return false;
}

void dropUnchosen(QAbstractItemView *view)
{
    const QModelIndex current = view->currentIndex();
    if (current.isValid() && !view->selectionModel()->isSelected(current))
        view->selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
}

// Whether the view shows the text of index cut (beyond either edge of the visible area).
bool textCut(const QAbstractItemView *view, const QModelIndex &index)
{
    if (!index.isValid())
        return false;
    const QRect shown = view->visualRect(index);
    const QVariant font = index.data(Qt::FontRole);
    const QFontMetrics metrics(font.isValid() ? font.value<QFont>() : view->font());
    const int needed = metrics.horizontalAdvance(index.data(Qt::DisplayRole).toString()) +
                       2 * view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 2;
    const QRect visible = view->viewport()->rect();
    return shown.left() < visible.left() || shown.left() + needed > visible.right();
}

// A cut entry without a tooltip of its own shows its whole text as one; whether the event
// was taken for it.
bool tipCutText(QAbstractItemView *view, QEvent *event)
{
    if (event->type() != QEvent::ToolTip)
        return false;
    const auto *help = static_cast<QHelpEvent *>(event);
    const QModelIndex index = view->indexAt(help->pos());
    if (!textCut(view, index) || !index.data(Qt::ToolTipRole).toString().isEmpty())
        return false;
    QToolTip::showText(help->globalPos(), index.data(Qt::DisplayRole).toString(), view->viewport(),
                       view->visualRect(index));
    return true;
}

} // namespace

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
    if (choiceSettled(this))
        emit Chosen();
}

void TListBox::dropUnchosenCurrent()
{
    dropUnchosen(this);
}

void TListBox::focusInEvent(QFocusEvent *event)
{
    // Qt makes the first entry current when the focus enters a list with no current entry;
    // that is no choice, and nobody is told of it.
    const QSignalBlocker quiet(this);
    QListWidget::focusInEvent(event);
    dropUnchosenCurrent();
}

bool TListBox::TextCut(const QListWidgetItem *item) const
{
    return item && textCut(this, indexFromItem(item));
}

bool TListBox::viewportEvent(QEvent *event)
{
    return tipCutText(this, event) || QListWidget::viewportEvent(event);
}

TModelListBox::TModelListBox(QWidget *parent) : QListView(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // One line an entry: the layout of thousands of entries measures one.
    setUniformItemSizes(true);
}

void TModelListBox::setModel(QAbstractItemModel *model)
{
    disconnect(m_rowsRemoved);
    QItemSelectionModel *previous = selectionModel();
    QListView::setModel(model);
    // A new model brings a new selection model; the one before is this view's to free.
    if (previous && previous != selectionModel() && previous->parent() == this)
        delete previous;
    connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (choiceSettled(this))
            emit Chosen();
    });
    // As in TListBox: the neighbour of a removed entry was not chosen.
    if (model)
        m_rowsRemoved = connect(model, &QAbstractItemModel::rowsRemoved, this, [this] { dropUnchosen(this); });
}

int TModelListBox::count() const
{
    return model() ? model()->rowCount(rootIndex()) : 0;
}

int TModelListBox::currentRow() const
{
    return currentIndex().row();
}

void TModelListBox::setCurrentRow(int row)
{
    if (!model())
        return;
    selectionModel()->setCurrentIndex(model()->index(row, modelColumn(), rootIndex()),
                                      QItemSelectionModel::ClearAndSelect);
}

bool TModelListBox::TextCut(const QModelIndex &index) const
{
    return textCut(this, index);
}

bool TModelListBox::viewportEvent(QEvent *event)
{
    return tipCutText(this, event) || QListView::viewportEvent(event);
}

void TModelListBox::focusInEvent(QFocusEvent *event)
{
    const QSignalBlocker quiet(this);
    QListView::focusInEvent(event);
    dropUnchosen(this);
}

} // namespace widgets
