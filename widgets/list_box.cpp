#include "widgets/list_box.h"

#include <QFontMetrics>
#include <QHelpEvent>
#include <QItemSelectionModel>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolTip>

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

} // namespace widgets
