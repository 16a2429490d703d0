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
    if (!item)
        return false;
    const QRect shown = visualItemRect(item);
    const int needed = QFontMetrics(item->font()).horizontalAdvance(item->text()) +
                       2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 2;
    const QRect visible = viewport()->rect();
    return shown.left() < visible.left() || shown.left() + needed > visible.right();
}

bool TListBox::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const QListWidgetItem *item = itemAt(help->pos());
        if (TextCut(item) && item->toolTip().isEmpty()) {
            QToolTip::showText(help->globalPos(), item->text(), viewport(), visualItemRect(item));
            return true;
        }
    }
    return QListWidget::viewportEvent(event);
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
    if (!index.isValid())
        return false;
    const QRect shown = visualRect(index);
    const int needed = fontMetrics().horizontalAdvance(index.data(Qt::DisplayRole).toString()) +
                       2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 2;
    const QRect visible = viewport()->rect();
    return shown.left() < visible.left() || shown.left() + needed > visible.right();
}

bool TModelListBox::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::ToolTip) {
        const auto *help = static_cast<QHelpEvent *>(event);
        const QModelIndex index = indexAt(help->pos());
        if (TextCut(index) && index.data(Qt::ToolTipRole).toString().isEmpty()) {
            QToolTip::showText(help->globalPos(), index.data(Qt::DisplayRole).toString(), viewport(),
                               visualRect(index));
            return true;
        }
    }
    return QListView::viewportEvent(event);
}

void TModelListBox::focusInEvent(QFocusEvent *event)
{
    const QSignalBlocker quiet(this);
    QListView::focusInEvent(event);
    dropUnchosen(this);
}

} // namespace widgets
